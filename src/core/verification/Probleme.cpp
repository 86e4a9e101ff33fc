// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/verification/Probleme.h"

#include "core/texte/Utf8.h"

#include <algorithm>

std::string_view NomSorte(Probleme::Sorte sorte)
{
    switch (sorte) {
    case Probleme::Sorte::Erreur: return "Erreur";
    case Probleme::Sorte::Avertissement: return "Avertissement";
    case Probleme::Sorte::Orthographe: return "Orthographe";
    case Probleme::Sorte::Lien: return "Lien";
    case Probleme::Sorte::NonVerifie: return "Non vérifié";
    }
    return {};
}

LigneColonne CompteurLignes::Position(std::size_t decalage)
{
    decalage = std::min(decalage, texte.size());
    if (decalage < lu) {
        lignes = Lignes(texte);
        ligne = Prochaine();
        lu = 0;
        position = {};
    }
    // An offset between CR and LF stays on the line that they end.
    while (decalage >= ligne.apres && ligne.apres > ligne.fin) {
        ligne = Prochaine();
        lu = ligne.debut;
        position = {position.ligne + 1, 1};
    }
    position.colonne += CaracteresUtf8(texte.substr(lu, decalage - lu));
    lu = decalage;
    return position;
}

Ligne CompteurLignes::Prochaine()
{
    // Past a final line end, an empty line.
    return lignes.Suivante().value_or(Ligne{texte.size(), texte.size(), texte.size()});
}
