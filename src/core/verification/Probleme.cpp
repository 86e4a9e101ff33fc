#include "core/verification/Probleme.h"

#include <algorithm>
#include <cstring>

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

namespace {

bool Suite(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

} // namespace

LigneColonne CompteurLignes::Position(std::size_t decalage)
{
    decalage = std::min(decalage, texte.size());
    if (decalage < lu) {
        lu = 0;
        position = {};
    }
    const auto compte = [&](std::size_t jusqua) {
        for (; lu < jusqua; ++lu)
            if (!Suite(texte[lu]))
                ++position.colonne;
    };
    while (lu < decalage) {
        const char *debut = texte.data() + lu;
        const void *lf = std::memchr(debut, '\n', decalage - lu);
        const void *cr = std::memchr(debut, '\r', decalage - lu);
        if (!lf && !cr) {
            compte(decalage);
            break;
        }
        const char *fin = static_cast<const char *>(!lf ? cr : !cr ? lf : std::min(lf, cr));
        compte(static_cast<std::size_t>(fin - texte.data()));
        std::size_t suivant = lu + 1;
        if (*fin == '\r' && suivant < texte.size() && texte[suivant] == '\n') {
            // An offset between CR and LF stays on the line that they end.
            if (suivant == decalage) {
                compte(decalage);
                break;
            }
            ++suivant;
        }
        lu = suivant;
        position = {position.ligne + 1, 1};
    }
    return position;
}
