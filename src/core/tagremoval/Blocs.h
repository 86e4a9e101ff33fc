// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// The scans that the tag removals share. Pages run to hundreds of megabytes, or megabytes on one line: every removal
// reads the text once, from left to right, and writes its result once into room reserved in advance (Sortie). The hot
// loops look at 16 or 64 bytes at a time (SSE2, always there on x86-64) and take their decisions at the bytes that
// need one; without SSE2, and for the last bytes of the text, the same loops run byte by byte.

namespace Balayage {

inline bool EstBlanc(char c)
{
    return c == ' ' || c == '\t';
}

// The index just after the line break at j (CR LF counts as one).
inline std::size_t ApresSaut(const char *texte, std::size_t j, std::size_t n)
{
    return j + 1 + (texte[j] == '\r' && j + 1 < n && texte[j + 1] == '\n');
}

// The main loops read the text by blocks of 64 bytes, whose masks tell where the bytes that need a decision are; each
// run of kept bytes between them is copied at once. What a block may write: its kept bytes (its tags give room for
// the tabs or blanks put in their place) and the 64-byte copy of its last run.
constexpr unsigned TailleBloc = 64;
constexpr std::size_t EcritureBloc = 2 * TailleBloc;

#if defined(__SSE2__)
using Bloc = __m128i;

inline Bloc Charge(const char *p)
{
    return _mm_loadu_si128(reinterpret_cast<const Bloc *>(p));
}

inline Bloc Egaux(Bloc x, char c)
{
    return _mm_cmpeq_epi8(x, _mm_set1_epi8(c));
}

inline unsigned Masque(Bloc x)
{
    return static_cast<unsigned>(_mm_movemask_epi8(x));
}

// The block of the bytes that precede each byte of x, the first being `avant`.
inline Bloc Precedents(Bloc x, char avant)
{
    return _mm_or_si128(_mm_slli_si128(x, 1), _mm_cvtsi32_si128(static_cast<unsigned char>(avant)));
}

// The bytes of a block that the main loops decide on, one bit per byte.
struct Bloc64 {
    std::uint64_t ouvrants = 0, fermants = 0, sauts = 0, espaces = 0, tabs = 0;

    explicit Bloc64(const char *p)
    {
        for (unsigned k = 0; k < TailleBloc; k += 16) {
            const Bloc x = Charge(p + k);
            ouvrants |= std::uint64_t(Masque(Egaux(x, '<'))) << k;
            fermants |= std::uint64_t(Masque(Egaux(x, '>'))) << k;
            sauts |= std::uint64_t(Masque(_mm_or_si128(Egaux(x, '\n'), Egaux(x, '\r')))) << k;
            espaces |= std::uint64_t(Masque(Egaux(x, ' '))) << k;
            tabs |= std::uint64_t(Masque(Egaux(x, '\t'))) << k;
        }
    }

    static void Copie(char *o, const char *p)
    {
        for (unsigned k = 0; k < TailleBloc; k += 16)
            _mm_storeu_si128(reinterpret_cast<Bloc *>(o + k), Charge(p + k));
    }
};

// The "<" of a block (66 bytes readable) followed by "T" or "/T", in any case: where a table tag may begin.
inline std::uint64_t DebutsDeTableaux(const char *p)
{
    const Bloc minuscule = _mm_set1_epi8(0x20);
    std::uint64_t debuts = 0;
    for (unsigned k = 0; k < TailleBloc; k += 16) {
        const Bloc x1 = Charge(p + k + 1);
        const Bloc t1 = Egaux(_mm_or_si128(x1, minuscule), 't');
        const Bloc t2 = Egaux(_mm_or_si128(Charge(p + k + 2), minuscule), 't');
        const Bloc suite = _mm_or_si128(t1, _mm_and_si128(Egaux(x1, '/'), t2));
        debuts |= std::uint64_t(Masque(_mm_and_si128(Egaux(Charge(p + k), '<'), suite))) << k;
    }
    return debuts;
}
#endif

// The first index from i that holds neither a space nor a tab, or n.
inline std::size_t SauteBlancs(const char *texte, std::size_t i, std::size_t n)
{
#if defined(__SSE2__)
    for (; n - i >= 16; i += 16) {
        const Bloc x = Charge(texte + i);
        const unsigned autres = ~Masque(_mm_or_si128(Egaux(x, ' '), Egaux(x, '\t'))) & 0xFFFFu;
        if (autres)
            return i + static_cast<std::size_t>(__builtin_ctz(autres));
    }
#endif
    while (i < n && EstBlanc(texte[i]))
        ++i;
    return i;
}

// The first index from i that holds ">", "<" or a line break, or n: a table tag ends there when it is ">".
inline std::size_t FinDeBaliseDeTableau(const char *texte, std::size_t i, std::size_t n)
{
#if defined(__SSE2__)
    for (; n - i >= 16; i += 16) {
        const Bloc x = Charge(texte + i);
        const Bloc chevrons = _mm_or_si128(Egaux(x, '>'), Egaux(x, '<'));
        const unsigned m = Masque(_mm_or_si128(chevrons, _mm_or_si128(Egaux(x, '\n'), Egaux(x, '\r'))));
        if (m)
            return i + static_cast<std::size_t>(__builtin_ctz(m));
    }
#endif
    while (i < n && texte[i] != '>' && texte[i] != '<' && texte[i] != '\n' && texte[i] != '\r')
        ++i;
    return i;
}

} // namespace Balayage
