// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/session/Bureau.h"

#include "core/texte/Encodage.h"

std::string EcritBureau(const std::vector<std::string> &noms)
{
    std::size_t taille = 0;
    for (const std::string &nom : noms)
        taille += nom.size() + 1;
    std::string contenu;
    contenu.reserve(taille);
    for (const std::string &nom : noms) {
        contenu += nom;
        contenu += '\n';
    }
    return contenu;
}

std::vector<std::string> LitBureau(std::string_view contenu)
{
    // Ctrl-Z marks the end of the text; whatever follows it is padding.
    contenu = contenu.substr(0, contenu.find('\x1A'));
    std::vector<std::string> noms;
    std::size_t position = 0;
    while (const auto ligne = LigneSuivante(contenu, position))
        if (!ligne->empty())
            noms.emplace_back(*ligne);
    return noms;
}
