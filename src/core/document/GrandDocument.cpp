// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/document/GrandDocument.h"

#include "core/texte/Lignes.h"

#include <algorithm>

std::size_t LongueurPlusLongueLigne(std::string_view texte)
{
    std::size_t plusLongue = 0;
    Lignes lignes(texte);
    while (const std::optional<Ligne> ligne = lignes.Suivante())
        plusLongue = std::max(plusLongue, ligne->fin - ligne->debut);
    return plusLongue;
}

Affichage AffichagePour(std::size_t taille, std::size_t plusLongueLigne)
{
    const bool ligneTropLongue = plusLongueLigne > LongueurMaximaleDeLigne;
    return {taille <= TailleMaximaleRetourALaLigne && !ligneTropLongue,
            taille <= TailleMaximaleColoration && !ligneTropLongue};
}
