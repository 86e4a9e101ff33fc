// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cstddef>
#include <string>

namespace Balayage {

// The result of a tag removal, written through a pointer into a string. Room for the whole text is reserved at once,
// but the string is lengthened (and so zero-filled, its pages touched) only a step ahead of the writing: a result
// half the size of the text touches half the memory. The copy loops are told how far they may write; the other steps
// write at most one byte, or a line end, whose room is asked for.
class Sortie {
public:
    // What the 16-byte stores may write past the last byte kept, plus the byte a step may add.
    static constexpr std::size_t Marge = 32;

    explicit Sortie(std::size_t taille);

    char *Debut() { return texte.data(); }

    // How many bytes a copy loop may write from o.
    std::size_t Libre(const char *o) const
    {
        const std::size_t reste = texte.size() - static_cast<std::size_t>(o - texte.data());
        return reste > Marge ? reste - Marge : 0;
    }

    // Room for `besoin` more bytes from o, and a step more when there is not; o moves if the string had to grow.
    char *Place(char *o, std::size_t besoin)
    {
        const std::size_t ecrit = static_cast<std::size_t>(o - texte.data());
        if (texte.size() - ecrit < besoin + Marge)
            texte.resize(std::max(ecrit + besoin + Marge, std::min(texte.capacity(), texte.size() + Pas)));
        return texte.data() + ecrit;
    }

    std::string Termine(const char *o)
    {
        texte.resize(static_cast<std::size_t>(o - texte.data()));
        return std::move(texte);
    }

private:
    // About the size of a core's cache: the zeroes are still there when the result overwrites them.
    static constexpr std::size_t Pas = std::size_t(256) << 10;

    std::string texte;
};

} // namespace Balayage
