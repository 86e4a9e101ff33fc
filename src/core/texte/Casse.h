// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

// Letter case, two rules, each for its own purpose:
// - ASCII only, for mark-up and names the system reads (tags, attributes, extensions): HTML's own rule, and the
//   same whatever the text around;
// - full Unicode case folding, for the user's own texts (search, history lists, anchors offered in the dialogs),
//   so that "ÉTÉ", "Été" and "été" are one text.

// The folded form of a character over all of Unicode (Unicode's simple case folding): characters equal without
// regard to case have the same folded form. Anything that is not a code point is its own.
char32_t PlieCasse(char32_t c);

// The UTF-8 text with every character folded by PlieCasse; bytes outside valid sequences are kept as they are.
std::string TextePlie(std::string_view texte);

constexpr char MajusculeAscii(char c)
{
    return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}

constexpr char MinusculeAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

// Whether the two texts are equal once their letters a-z are taken as A-Z.
constexpr bool EgauxSansCasseAscii(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (MajusculeAscii(a[i]) != MajusculeAscii(b[i]))
            return false;
    return true;
}

// The first occurrence, from `depuis`, of the prefix (written in capitals) in the text whose letters a-z are taken as
// A-Z; npos when there is none.
inline std::size_t ChercheMajuscules(std::string_view prefixe, std::string_view texte, std::size_t depuis)
{
    if (prefixe.empty() || texte.size() < prefixe.size())
        return std::string_view::npos;
    const char premier = prefixe[0];
    if (premier >= 'a' && premier <= 'z')
        return std::string_view::npos; // a folded text holds no small letter
    const char autre = MinusculeAscii(premier);
    const std::size_t dernier = texte.size() - prefixe.size();
    for (std::size_t p = depuis; p <= dernier; ++p) {
        if (premier == autre) {
            const void *trouve = std::memchr(texte.data() + p, premier, dernier + 1 - p);
            if (!trouve)
                return std::string_view::npos;
            p = static_cast<std::size_t>(static_cast<const char *>(trouve) - texte.data());
        } else if (texte[p] != premier && texte[p] != autre) {
            continue;
        }
        std::size_t k = 1;
        while (k < prefixe.size() && MajusculeAscii(texte[p + k]) == prefixe[k])
            ++k;
        if (k == prefixe.size())
            return p;
    }
    return std::string_view::npos;
}
