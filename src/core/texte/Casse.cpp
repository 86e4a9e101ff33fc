// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/texte/Casse.h"

#include "core/texte/Encodage.h"

#include <unicode/uchar.h>

char32_t PlieCasse(char32_t c)
{
    if (c < 0x80)
        return c >= 'A' && c <= 'Z' ? c + 0x20 : c;
    if (c > 0x10FFFF)
        return c;
    return static_cast<char32_t>(u_foldCase(static_cast<UChar32>(c), U_FOLD_CASE_DEFAULT));
}

std::string TextePlie(std::string_view texte)
{
    std::string plie;
    plie.reserve(texte.size());
    for (std::size_t i = 0; i < texte.size();) {
        const std::size_t debut = i;
        const char32_t c = CaractereUtf8(texte, i);
        const char32_t p = PlieCasse(c);
        if (p == c)
            plie.append(texte.substr(debut, i - debut));
        else
            AjouteUtf8(plie, p);
    }
    return plie;
}
