// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/tagremoval/Blocs.h"
#include "core/tagremoval/Sortie.h"
#include "core/tagremoval/SuppressionTags.h"

#include <cstring>

using namespace Balayage;

std::string SupprimeTags(std::string_view texte, RemplacementTag remplacement, std::string_view fin)
{
    const char mis = remplacement == RemplacementTag::Espace       ? ' '
                     : remplacement == RemplacementTag::Tabulation ? '\t'
                                                                   : '\0';
    const char *const in = texte.data();
    const std::size_t n = texte.size();
    Sortie sortie(n);
    char *o = sortie.Debut();
    char *ligne = o; // where the current line begins in the result
    bool precedentVide = true;
    // Between a "<" and its ">". The ">" of a tag begun on an earlier line finds its line empty, and the replacement
    // goes like any blank at the head of a line: no need to tell the two kinds apart.
    bool dansBalise = false;

    // Ends the current line, leaving room for `apres` bytes after it.
    auto termine = [&](std::size_t apres) {
        while (o > ligne && EstBlanc(o[-1]))
            --o;
        const bool vide = o == ligne;
        if (!vide || !precedentVide) {
            o = sortie.Place(o, fin.size() + apres);
            std::memcpy(o, fin.data(), fin.size());
            o += fin.size();
        }
        precedentVide = vide;
        ligne = o;
    };

    std::size_t i = 0;
#if defined(__SSE2__)
    // By blocks while a whole block and the copy from its last byte stay within the text; `pos` runs one past the
    // block when its last byte is the CR of a CR LF.
    unsigned pos = 0;
    for (; n - i >= 2 * TailleBloc; i += TailleBloc, pos -= TailleBloc) {
        if (sortie.Libre(o) < EcritureBloc) {
            const std::ptrdiff_t debutLigne = ligne - sortie.Debut();
            o = sortie.Place(o, EcritureBloc);
            ligne = sortie.Debut() + debutLigne;
        }
        const char *const b = in + i;
        const Bloc64 m(b);
        const std::uint64_t doubles = (m.espaces & (m.espaces << 1)) | (m.tabs & (m.tabs << 1));
        const std::uint64_t arrets = m.ouvrants | m.sauts | doubles;
        while (pos < TailleBloc) {
            if (dansBalise) {
                const std::uint64_t fins = (m.fermants | m.sauts) >> pos;
                if (!fins) {
                    pos = TailleBloc;
                    break;
                }
                const unsigned q = pos + static_cast<unsigned>(__builtin_ctzll(fins));
                if ((m.fermants >> q) & 1) {
                    dansBalise = false;
                    pos = q + 1;
                    if (mis && o != ligne && o[-1] != mis)
                        *o++ = mis;
                } else {
                    pos = q + 1 + (b[q] == '\r' && b[q + 1] == '\n');
                    termine(EcritureBloc);
                }
                continue;
            }
            const char c = b[pos];
            if (c == '<') {
                dansBalise = true;
                ++pos;
            } else if ((m.sauts >> pos) & 1) {
                pos += 1 + (c == '\r' && b[pos + 1] == '\n');
                termine(EcritureBloc);
            } else if (EstBlanc(c) && (o == ligne || o[-1] == c)) {
                // At the head of the line every blank goes; elsewhere the run of this one.
                const std::uint64_t blancs = o == ligne ? m.espaces | m.tabs : c == ' ' ? m.espaces : m.tabs;
                const std::uint64_t autres = ~blancs >> pos;
                pos = autres ? pos + static_cast<unsigned>(__builtin_ctzll(autres)) : TailleBloc;
            } else {
                const std::uint64_t suite = (arrets >> pos) >> 1;
                const unsigned s = suite ? pos + 1 + static_cast<unsigned>(__builtin_ctzll(suite)) : TailleBloc;
                Bloc64::Copie(o, b + pos);
                o += s - pos;
                pos = s;
            }
        }
    }
    i += pos;
#endif
    // The rest byte by byte, as the blocks do it.
    const std::ptrdiff_t debutLigne = ligne - sortie.Debut();
    o = sortie.Place(o, n - i + 1);
    ligne = sortie.Debut() + debutLigne;
    for (; i < n; ++i) {
        const char c = in[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < n && in[i + 1] == '\n')
                ++i;
            termine(n - i);
        } else if (dansBalise) {
            if (c == '>') {
                dansBalise = false;
                if (mis && o != ligne && o[-1] != mis)
                    *o++ = mis;
            }
        } else if (c == '<') {
            dansBalise = true;
        } else if (!EstBlanc(c) || (o != ligne && o[-1] != c)) {
            *o++ = c;
        }
    }
    // A final line break starts no further line.
    if (n > 0 && in[n - 1] != '\n' && in[n - 1] != '\r')
        termine(0);
    return sortie.Termine(o);
}
