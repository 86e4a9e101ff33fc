#pragma once

#include <cstddef>
#include <string_view>

// ASCII letter case, for names and tags whose case does not count.

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
