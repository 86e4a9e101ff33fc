// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/insertion/TitrePage.h"

#include "core/texte/Casse.h"

TitrePage ChercheTitre(std::string_view texte)
{
    constexpr std::string_view ouverture = "<TITLE>";
    const std::size_t p = ChercheMajuscules(ouverture, texte, 0);
    if (p == std::string_view::npos)
        return {};
    const std::size_t q = ChercheMajuscules("</TITLE>", texte, p);
    if (q == std::string_view::npos)
        return {};
    return {true, p + ouverture.size(), q};
}
