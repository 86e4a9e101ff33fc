#include "core/document/GrandDocument.h"

#include <algorithm>
#include <cstring>

namespace {

// The next occurrence of c from `debut`, or `fin`; memchr is vectorised, far faster than a loop over the bytes.
const char *Suivant(const char *debut, const char *fin, char c)
{
    const void *trouve = std::memchr(debut, c, static_cast<std::size_t>(fin - debut));
    return trouve ? static_cast<const char *>(trouve) : fin;
}

} // namespace

std::size_t LongueurPlusLongueLigne(std::string_view texte)
{
    const char *debut = texte.data();
    const char *const fin = debut + texte.size();
    const char *lf = Suivant(debut, fin, '\n');
    const char *cr = Suivant(debut, fin, '\r');
    std::size_t plusLongue = 0;
    while (true) {
        const char *bout = std::min(lf, cr);
        plusLongue = std::max(plusLongue, static_cast<std::size_t>(bout - debut));
        if (bout == fin)
            return plusLongue;
        debut = bout + 1;
        if (lf < debut)
            lf = Suivant(debut, fin, '\n');
        if (cr < debut)
            cr = Suivant(debut, fin, '\r');
    }
}

Affichage AffichagePour(std::size_t taille, std::size_t plusLongueLigne)
{
    const bool ligneTropLongue = plusLongueLigne > LongueurMaximaleDeLigne;
    return {taille <= TailleMaximaleRetourALaLigne && !ligneTropLongue,
            taille <= TailleMaximaleColoration && !ligneTropLongue};
}
