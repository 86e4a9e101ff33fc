// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cstddef>
#include <string_view>

// The shape of UTF-8 bytes, for who walks a text character by character or cuts it: which byte continues a
// character, and how many bytes a first byte announces. Nothing here checks that a sequence is valid (Encodage.h).

// Whether the byte continues a character (10xxxxxx) rather than starting one.
constexpr bool EstSuiteUtf8(char octet)
{
    return (static_cast<unsigned char>(octet) & 0xC0) == 0x80;
}

// The length of the sequence that the byte starts, as its high bits announce it: 2, 3 or 4; 1 for ASCII, for a
// continuation byte and for a byte that starts no sequence (F8 to FF).
constexpr std::size_t LongueurAnnonceeUtf8(char octet)
{
    const auto c = static_cast<unsigned char>(octet);
    return c >= 0xF8 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
}

// The number of characters of the UTF-8 text: its bytes that are no continuation.
constexpr std::size_t CaracteresUtf8(std::string_view texte)
{
    return static_cast<std::size_t>(std::ranges::count_if(texte, [](char c) { return !EstSuiteUtf8(c); }));
}

// Where the character that holds the byte at i starts: i moved back over up to three continuation bytes, never
// before the start of the text. Cutting there splits no valid character.
constexpr std::size_t DebutCaractereUtf8(std::string_view texte, std::size_t i)
{
    for (int n = 0; n < 3 && i > 0 && i < texte.size() && EstSuiteUtf8(texte[i]); ++n)
        --i;
    return i;
}

// The first `caracteres` characters of the UTF-8 text, as CaracteresUtf8 counts them.
constexpr std::string_view DebutUtf8(std::string_view texte, std::size_t caracteres)
{
    for (std::size_t i = 0; i < texte.size(); ++i) {
        if (EstSuiteUtf8(texte[i]))
            continue;
        if (caracteres == 0)
            return texte.substr(0, i);
        --caracteres;
    }
    return texte;
}
