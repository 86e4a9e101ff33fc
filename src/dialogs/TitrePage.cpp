#include "dialogs/TitrePage.h"

#include "settings/Casse.h"

#include <cstring>

namespace {

// The position of the first occurrence of the tag from `debut` on, letter case aside, or npos.
std::size_t ChercheBalise(std::string_view texte, std::string_view balise, std::size_t debut)
{
    while (debut + balise.size() <= texte.size()) {
        const void *chevron = std::memchr(texte.data() + debut, '<', texte.size() - debut);
        if (!chevron)
            break;
        const auto p = static_cast<std::size_t>(static_cast<const char *>(chevron) - texte.data());
        if (p + balise.size() > texte.size())
            break;
        if (EgauxSansCasseAscii(texte.substr(p, balise.size()), balise))
            return p;
        debut = p + 1;
    }
    return std::string_view::npos;
}

} // namespace

TitrePage ChercheTitre(std::string_view texte)
{
    constexpr std::string_view ouverture = "<TITLE>";
    const std::size_t p = ChercheBalise(texte, ouverture, 0);
    if (p == std::string_view::npos)
        return {};
    const std::size_t q = ChercheBalise(texte, "</TITLE>", p);
    if (q == std::string_view::npos)
        return {};
    return {true, p + ouverture.size(), q};
}
