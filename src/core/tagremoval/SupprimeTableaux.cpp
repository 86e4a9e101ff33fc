// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/texte/Casse.h"
#include "core/tagremoval/Blocs.h"
#include "core/tagremoval/Sortie.h"
#include "core/tagremoval/SuppressionTags.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

using namespace Balayage;

namespace {

// The largest `limite` from i for a copy loop: it stops at n, or where its writing must stop.
std::size_t Limite(std::size_t i, std::size_t n, const Sortie &sortie, const char *o)
{
    return i + std::min(n - i, sortie.Libre(o));
}

// For the lines that SupprimeTableaux reads by pieces, and its last bytes: copies the bytes that the passes keep as
// they are, and stops at the first that needs a decision: a line break, a tab after a tab, or "<" followed by "T" or
// "/T" (any case). Writes no further than `limite`; looks two bytes past it when n allows.
std::size_t CopieTableaux(const char *texte, std::size_t i, std::size_t limite, std::size_t n, char *&o,
                          const char *ligne)
{
#if defined(__SSE2__)
    if (limite - i >= 16 && n - i >= 18) {
        char avant = o > ligne ? o[-1] : '\0';
        const Bloc minuscule = _mm_set1_epi8(0x20);
        do {
            const Bloc x = Charge(texte + i);
            const Bloc x1 = Charge(texte + i + 1);
            const Bloc t1 = Egaux(_mm_or_si128(x1, minuscule), 't');
            const Bloc t2 = Egaux(_mm_or_si128(Charge(texte + i + 2), minuscule), 't');
            const Bloc balise = _mm_and_si128(Egaux(x, '<'), _mm_or_si128(t1, _mm_and_si128(Egaux(x1, '/'), t2)));
            const Bloc tabs = _mm_and_si128(Egaux(x, '\t'), Egaux(Precedents(x, avant), '\t'));
            const Bloc arret = _mm_or_si128(_mm_or_si128(balise, tabs), _mm_or_si128(Egaux(x, '\n'), Egaux(x, '\r')));
            _mm_storeu_si128(reinterpret_cast<Bloc *>(o), x);
            if (const unsigned m = Masque(arret)) {
                const unsigned k = static_cast<unsigned>(__builtin_ctz(m));
                o += k;
                return i + k;
            }
            avant = texte[i + 15];
            o += 16;
            i += 16;
        } while (limite - i >= 16 && n - i >= 18);
    }
#endif
    for (; i < limite; ++i) {
        const char c = texte[i];
        if (c == '\n' || c == '\r' || (c == '\t' && o > ligne && o[-1] == '\t'))
            return i;
        if (c == '<' && ((i + 1 < n && (texte[i + 1] | 0x20) == 't') ||
                         (i + 2 < n && texte[i + 1] == '/' && (texte[i + 2] | 0x20) == 't')))
            return i;
        *o++ = c;
    }
    return i;
}

// The passes of SupprimeTableaux, in order.
constexpr std::array<std::string_view, 8> PrefixesTableaux = {"<TABLE", "</TABLE", "<TD", "</TD",
                                                               "<TR",    "</TR",    "<TH", "</TH"};

// The pass whose prefix stands at p (`reste` bytes readable), or -1: "<" or "</", "T", then "ABLE", "D", "R" or "H".
// At one place at most one prefix matches.
int PassePour(const char *p, std::size_t reste)
{
    if (reste < 3 || p[0] != '<')
        return -1;
    const bool fermante = p[1] == '/';
    const std::size_t t = fermante ? 2 : 1;
    if (reste < t + 2 || MajusculeAscii(p[t]) != 'T')
        return -1;
    int k;
    switch (MajusculeAscii(p[t + 1])) {
    case 'A':
        if (reste < t + 5 || MajusculeAscii(p[t + 2]) != 'B' || MajusculeAscii(p[t + 3]) != 'L' || MajusculeAscii(p[t + 4]) != 'E')
            return -1;
        k = 0;
        break;
    case 'D':
        k = 2;
        break;
    case 'R':
        k = 4;
        break;
    case 'H':
        k = 6;
        break;
    default:
        return -1;
    }
    return k + fermante;
}

// The eight table passes over one line at a time. Each pass keeps its own open-tag and previous-empty flags (one bit
// per pass). The first pass sees the line with its tab runs reduced and its ends trimmed: its tags are the same, and
// so is what it makes of them. From there every line is in that form, so a pass that meets no tag of its own and has
// none open leaves the line as it is.
//
// Most lines need no more: when no pass has a tag open and every table tag of the line ends on it with no "<" before
// its ">", the tags are apart from one another and each pass removes its own exactly as they stand in the line. The
// eight passes then come to the line with every table tag replaced by a tab, tab runs reduced and ends trimmed; the
// scan writes that at once, and the passes only follow which of them saw the line empty (Traverse).
//
// Other lines (a tag over two lines, "<" inside a table tag) go through Traite. There the passes do not copy the
// text: the line is a list of pieces (ranges of the trimmed line, and the tabs put in place of tags), and a pass cuts
// the ranges at its own tags (their places noted while the line was read) and looks for the ">" that ends each.
// Cutting puts a tab between the two sides, so two pieces never join into a prefix that was not in the line already,
// and no pass needs to read the line again. Between two of its tags a pass copies the pieces as a block: only the
// first piece after a cut can need a blank taken off.
class PassesTableaux {
public:
    // Notes a tag of pass k at `position` in the current line.
    void Note(int k, std::size_t position)
    {
        positions[static_cast<std::size_t>(k)].push_back(position);
        ++balises;
    }

    // Whether a pass has a tag open.
    bool Ouvertes() const { return ouvertes != 0; }

    // A line that the passes from `vide` on see empty (8: none does) through the eight passes, without pieces:
    // whether the last keeps it. The passes before `vide` clear their previous-empty flags; from there the first with
    // its flag set drops the line, and those on the way set theirs.
    bool Traverse(unsigned vide)
    {
        const unsigned avant = (1u << vide) - 1;
        const unsigned poses = vides & ~avant;
        if (poses == 0) {
            vides = Toutes & ~avant;
            return true;
        }
        vides = ((poses & (~poses + 1)) - 1) & ~avant;
        vides |= poses;
        return false;
    }

    // The line [debut, o) through the eight passes; its result written over it from debut, o moved to its end.
    // Whether the last pass keeps it.
    bool Traite(char *debut, char *&o)
    {
        ligne = debut;
        std::vector<Morceau> *courant = &morceaux[0];
        std::vector<Morceau> *suivant = &morceaux[1];
        courant->clear();
        courant->reserve(2 * balises + 2);
        suivant->reserve(2 * balises + 2);
        if (o > debut)
            courant->push_back({0, static_cast<std::size_t>(o - debut)});
        bool garde = true;
        for (std::size_t k = 0; k < PrefixesTableaux.size() && garde; ++k) {
            const unsigned bit = 1u << k;
            if (!positions[k].empty() || (ouvertes & bit)) {
                Passe(k, *courant, *suivant);
                std::swap(courant, suivant);
            }
            const bool vide = courant->empty();
            garde = !(vide && (vides & bit));
            vides = vide ? vides | bit : vides & ~bit;
        }
        for (std::vector<std::size_t> &p : positions)
            p.clear();
        balises = 0;
        // Each range moves back or stays, and each tab takes the place of at least two bytes: writing in order
        // never overtakes what is still to be read.
        o = debut;
        if (garde)
            for (const Morceau &m : *courant) {
                if (m.debut == m.fin) {
                    *o++ = '\t';
                } else {
                    std::memmove(o, ligne + m.debut, m.fin - m.debut);
                    o += m.fin - m.debut;
                }
            }
        return garde;
    }

private:
    static constexpr unsigned Toutes = 0xFF;

    // A range [debut, fin) of the line; when debut == fin, a tab put where a tag began at `debut`. The pieces of a
    // line are in order of `fin`.
    struct Morceau {
        std::size_t debut, fin;
    };

    static bool EstTab(const Morceau &m) { return m.debut == m.fin; }

    char Dernier(const std::vector<Morceau> &sortie) const
    {
        return EstTab(sortie.back()) ? '\t' : ligne[sortie.back().fin - 1];
    }

    // A tab, unless it would lead the line or follow a tab.
    void EmetTab(std::vector<Morceau> &sortie, std::size_t place) const
    {
        if (!sortie.empty() && Dernier(sortie) != '\t')
            sortie.push_back({place, place});
    }

    // A range, without its blanks if it leads the line, without its first tab if that follows a tab (the ranges hold
    // no tab runs).
    void EmetPlage(std::vector<Morceau> &sortie, std::size_t a, std::size_t b) const
    {
        if (sortie.empty()) {
            while (a < b && EstBlanc(ligne[a]))
                ++a;
        } else if (a < b && ligne[a] == '\t' && Dernier(sortie) == '\t') {
            ++a;
        }
        if (a == b)
            return;
        if (!sortie.empty() && !EstTab(sortie.back()) && sortie.back().fin == a)
            sortie.back().fin = b;
        else
            sortie.push_back({a, b});
    }

    // The pieces [t, u) of the input, the first from a. Once a piece has gone out whole after a non-empty start,
    // the output ends as the input did, and the rest goes out as it is.
    void Recopie(const std::vector<Morceau> &entree, std::size_t t, std::size_t a, std::size_t u,
                 std::vector<Morceau> &sortie) const
    {
        for (bool suivi = false; t < u && (!suivi || sortie.empty()); ++t) {
            const Morceau &m = entree[t];
            if (EstTab(m)) {
                EmetTab(sortie, m.debut);
                suivi = true;
            } else if (const std::size_t d = std::max(a, m.debut); d < m.fin) {
                EmetPlage(sortie, d, m.fin);
                suivi = true;
            }
        }
        if (t < u)
            sortie.insert(sortie.end(), entree.begin() + static_cast<std::ptrdiff_t>(t),
                          entree.begin() + static_cast<std::ptrdiff_t>(u));
    }

    void Rogne(std::vector<Morceau> &sortie) const
    {
        while (!sortie.empty()) {
            Morceau &m = sortie.back();
            if (!EstTab(m)) {
                while (m.fin > m.debut && EstBlanc(ligne[m.fin - 1]))
                    --m.fin;
                if (m.fin > m.debut)
                    return;
            }
            sortie.pop_back();
        }
    }

    // Pass k over the pieces of the line.
    void Passe(std::size_t k, const std::vector<Morceau> &entree, std::vector<Morceau> &sortie)
    {
        const std::size_t longueur = PrefixesTableaux[k].size();
        const unsigned bit = 1u << k;
        sortie.clear();
        std::size_t t = 0; // the piece being read, from `a` when it is a range
        std::size_t a = 0;
        // Moves just past the first ">" from (t, a); false when the line holds none.
        auto apresChevron = [&] {
            for (; t < entree.size(); ++t) {
                const Morceau &m = entree[t];
                a = std::max(a, m.debut);
                if (a >= m.fin)
                    continue;
                if (const void *q = std::memchr(ligne + a, '>', m.fin - a)) {
                    a = static_cast<std::size_t>(static_cast<const char *>(q) - ligne) + 1;
                    return true;
                }
            }
            return false;
        };
        if (ouvertes & bit) {
            if (!apresChevron())
                return;
            ouvertes &= ~bit;
        }
        for (const std::size_t p : positions[k]) {
            if (p < a)
                continue;
            // The piece that holds p: the first to end after it.
            const auto suivante = std::upper_bound(entree.begin() + static_cast<std::ptrdiff_t>(t), entree.end(), p,
                                                   [](std::size_t x, const Morceau &m) { return x < m.fin; });
            if (suivante == entree.end())
                break;
            // A tag that an earlier pass cut out is no longer there. No cut falls inside a prefix, whose bytes after
            // the first hold no "<", no ">" and no blank: a range that holds p holds the whole prefix.
            if (EstTab(*suivante) || suivante->debut > p)
                continue;
            const auto u = static_cast<std::size_t>(suivante - entree.begin());
            Recopie(entree, t, a, u, sortie);
            EmetPlage(sortie, std::max(a, suivante->debut), p);
            t = u;
            a = p + longueur;
            if (!apresChevron()) {
                ouvertes |= bit;
                Rogne(sortie);
                return;
            }
            EmetTab(sortie, p);
        }
        Recopie(entree, t, a, entree.size(), sortie);
        Rogne(sortie);
    }

    const char *ligne = nullptr;
    std::array<std::vector<std::size_t>, 8> positions;
    std::array<std::vector<Morceau>, 2> morceaux;
    std::size_t balises = 0;
    unsigned ouvertes = 0;
    unsigned vides = Toutes;
};

} // namespace

std::string SupprimeTableaux(std::string_view texte, std::string_view fin)
{
    const char *const in = texte.data();
    const std::size_t n = texte.size();
    Sortie sortie(n);
    char *o = sortie.Debut();
    char *ligne = o;
    PassesTableaux passes;
    std::size_t i = 0;
    std::size_t debutLu = 0; // where the current line begins in the text
    bool parPieces = false;  // whether the current line goes through the pieces
    unsigned derniere = 0;   // 1 + the last pass whose tag the line held, 0 when none

    auto commence = [&] {
        debutLu = i;
        parPieces = passes.Ouvertes();
        derniere = 0;
        i = SauteBlancs(in, i, n);
    };
    // A tag that the others may reach into: the line is read again, its tags noted for the pieces.
    auto relit = [&] {
        o = ligne;
        i = debutLu;
        commence();
        parPieces = true;
    };
    auto termine = [&] {
        while (o > ligne && EstBlanc(o[-1]))
            --o;
        // Without pieces, a line left empty was so from the pass of its last tag on, or from the first pass.
        const bool garde = parPieces ? passes.Traite(ligne, o)
                                     : passes.Traverse(o > ligne ? 8 : derniere > 0 ? derniere - 1 : 0);
        if (garde) {
            o = sortie.Place(o, fin.size() + EcritureBloc);
            std::memcpy(o, fin.data(), fin.size());
            o += fin.size();
        }
        ligne = o;
    };
    // The table tag of pass k whose "<" is at i ends at j: the tab that takes its place, unless it would lead the
    // line or follow a tab.
    auto retire = [&](int k, std::size_t j) {
        derniere = std::max(derniere, static_cast<unsigned>(k) + 1);
        i = j + 1;
        if (o != ligne && o[-1] != '\t')
            *o++ = '\t';
    };

    commence();
    while (i < n) {
#if defined(__SSE2__)
        // The lines without pieces by blocks of 64 bytes, as SupprimeTags reads its text.
        if (!parPieces && n - i >= 2 * TailleBloc) {
            if (sortie.Libre(o) < EcritureBloc) {
                const std::ptrdiff_t debutLigne = ligne - sortie.Debut();
                o = sortie.Place(o, EcritureBloc);
                ligne = sortie.Debut() + debutLigne;
            }
            const std::size_t base = i;
            const char *const b = in + base;
            const Bloc64 m(b);
            const std::uint64_t debuts = DebutsDeTableaux(b);
            const std::uint64_t arrets = m.sauts | debuts | (m.tabs & (m.tabs << 1));
            bool quitte = false; // for a line read by pieces; i is then where it goes on
            for (std::size_t pos = 0; pos < TailleBloc;) {
                const char c = b[pos];
                if ((m.sauts >> pos) & 1) {
                    i = base + pos + 1 + (c == '\r' && b[pos + 1] == '\n');
                    termine();
                    commence();
                    if (parPieces) {
                        quitte = true;
                        break;
                    }
                    pos = i - base;
                    continue;
                }
                if ((debuts >> pos) & 1) {
                    if (const int k = PassePour(b + pos, n - base - pos); k >= 0) {
                        const std::uint64_t fins = ((m.fermants | m.ouvrants | m.sauts) >> pos) >> 1;
                        const std::size_t j = fins ? base + pos + 1 + static_cast<std::size_t>(__builtin_ctzll(fins))
                                                   : FinDeBaliseDeTableau(in, base + TailleBloc, n);
                        if (j < n && in[j] == '>') {
                            retire(k, j);
                            pos = i - base;
                        } else {
                            relit();
                            quitte = true;
                            break;
                        }
                        continue;
                    }
                }
                if (EstBlanc(c) && (o == ligne || (c == '\t' && o[-1] == '\t'))) {
                    // At the head of the line every blank goes; elsewhere a run of tabs.
                    const std::uint64_t autres = ~(o == ligne ? m.espaces | m.tabs : m.tabs) >> pos;
                    pos = autres ? pos + static_cast<std::size_t>(__builtin_ctzll(autres)) : TailleBloc;
                    continue;
                }
                const std::uint64_t suite = (arrets >> pos) >> 1;
                const std::size_t s = suite ? pos + 1 + static_cast<std::size_t>(__builtin_ctzll(suite)) : TailleBloc;
                Bloc64::Copie(o, b + pos);
                o += s - pos;
                pos = s;
                i = base + pos;
            }
            // What follows reads on from a line whose head has had its blanks taken off.
            if (!quitte) {
                i = std::max(i, base + TailleBloc);
                if (o == ligne)
                    i = SauteBlancs(in, i, n);
            }
            continue;
        }
#endif
        const std::size_t limite = Limite(i, n, sortie, o);
        i = CopieTableaux(in, i, limite, n, o, ligne);
        if (i == limite) {
            if (i == n)
                break;
            // The string may move when the result outgrows the text.
            const std::ptrdiff_t debutLigne = ligne - sortie.Debut();
            o = sortie.Place(o, 16);
            ligne = sortie.Debut() + debutLigne;
            continue;
        }
        const char c = in[i];
        if (c == '\t') {
            while (i < n && in[i] == '\t')
                ++i;
        } else if (c == '<') {
            const int k = PassePour(in + i, n - i);
            if (k < 0) {
                *o++ = c;
                ++i;
            } else if (parPieces) {
                passes.Note(k, static_cast<std::size_t>(o - ligne));
                *o++ = c;
                ++i;
            } else if (const std::size_t j = FinDeBaliseDeTableau(in, i + 1, n); j < n && in[j] == '>') {
                retire(k, j);
                if (o == ligne)
                    i = SauteBlancs(in, i, n);
            } else {
                relit();
            }
        } else {
            i = ApresSaut(in, i, n);
            termine();
            commence();
        }
    }
    // A final line break starts no further line.
    if (n > 0 && in[n - 1] != '\n' && in[n - 1] != '\r')
        termine();
    return sortie.Termine(o);
}
