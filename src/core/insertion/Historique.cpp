// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/insertion/Historique.h"

#include "core/texte/Casse.h"

#include <algorithm>

void AjouteHistorique(std::vector<std::string> &liste, std::string_view texte)
{
    if (texte.empty())
        return;
    const std::string cle = TextePlie(texte);
    if (std::none_of(liste.begin(), liste.end(), [&](const std::string &e) { return TextePlie(e) == cle; }))
        liste.emplace_back(texte);
}
