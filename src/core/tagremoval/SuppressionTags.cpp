#include "core/tagremoval/SuppressionTags.h"

#include "core/settings/Casse.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__linux__)
#include <sys/mman.h>
#endif

// Pages run to hundreds of megabytes, or megabytes on one line: every function here reads the text once, from left to
// right, and writes its result once into room reserved in advance. The hot loops look at 16 or 64 bytes at a time
// (SSE2, always there on x86-64) and take their decisions at the bytes that need one; without SSE2, and for the last
// bytes of the text, the same loops run byte by byte.

namespace {

constexpr std::size_t Aucune = std::string_view::npos;

bool EstBlanc(char c)
{
    return c == ' ' || c == '\t';
}

// The index just after the line break at j (CR LF counts as one).
std::size_t ApresSaut(const char *texte, std::size_t j, std::size_t n)
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

Bloc Charge(const char *p)
{
    return _mm_loadu_si128(reinterpret_cast<const Bloc *>(p));
}

Bloc Egaux(Bloc x, char c)
{
    return _mm_cmpeq_epi8(x, _mm_set1_epi8(c));
}

unsigned Masque(Bloc x)
{
    return static_cast<unsigned>(_mm_movemask_epi8(x));
}

// The block of the bytes that precede each byte of x, the first being `avant`.
Bloc Precedents(Bloc x, char avant)
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
std::uint64_t DebutsDeTableaux(const char *p)
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
std::size_t SauteBlancs(const char *texte, std::size_t i, std::size_t n)
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
std::size_t FinDeBaliseDeTableau(const char *texte, std::size_t i, std::size_t n)
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

// The first index from i that holds a line break, or n.
std::size_t FinDeLigne(const char *texte, std::size_t i, std::size_t n)
{
#if defined(__SSE2__)
    for (; n - i >= 16; i += 16) {
        const Bloc x = Charge(texte + i);
        const unsigned m = Masque(_mm_or_si128(Egaux(x, '\n'), Egaux(x, '\r')));
        if (m)
            return i + static_cast<std::size_t>(__builtin_ctz(m));
    }
#endif
    while (i < n && texte[i] != '\n' && texte[i] != '\r')
        ++i;
    return i;
}

// The result, written through a pointer into a string. Room for the whole text is reserved at once, but the string
// is lengthened (and so zero-filled, its pages touched) only a step ahead of the writing: a result half the size of
// the text touches half the memory. The copy loops are told how far they may write; the other steps write at most
// one byte, or a line end, whose room is asked for.
//
// On a virtual machine every first touch of a 4 KiB page is a trip to the host, and for a result of tens of
// megabytes those faults took longer than the work: a large result is advised to the kernel as huge-page memory
// before anything touches it, so that one fault maps 2 MiB. The advice is a hint; whether it is taken changes
// nothing else.
class Sortie {
public:
    // What the 16-byte stores may write past the last byte kept, plus the byte a step may add.
    static constexpr std::size_t Marge = 32;

    explicit Sortie(std::size_t taille)
    {
        texte.reserve(taille + Marge);
        GrandesPages(texte.data(), texte.capacity());
        texte.resize(std::min(texte.capacity(), Pas));
    }

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

    static void GrandesPages([[maybe_unused]] char *debut, [[maybe_unused]] std::size_t taille)
    {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
        constexpr std::uintptr_t PageEnorme = std::uintptr_t(2) << 20;
        if (taille < 4 * PageEnorme)
            return;
        // Only the whole huge pages inside the block: the advice must not reach memory that is not the string's.
        const std::uintptr_t a = (reinterpret_cast<std::uintptr_t>(debut) + PageEnorme - 1) & ~(PageEnorme - 1);
        const std::uintptr_t b = (reinterpret_cast<std::uintptr_t>(debut) + taille) & ~(PageEnorme - 1);
        madvise(reinterpret_cast<void *>(a), b - a, MADV_HUGEPAGE);
#endif
    }

    std::string texte;
};

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

// A line with its tab runs reduced to one tab and its ends trimmed of spaces and tabs.
void Normalise(std::string_view texte, std::string &resultat)
{
    resultat.clear();
    std::size_t debut = 0, fin = texte.size();
    while (debut < fin && EstBlanc(texte[debut]))
        ++debut;
    while (fin > debut && EstBlanc(texte[fin - 1]))
        --fin;
    for (std::size_t i = debut; i < fin; ++i)
        if (texte[i] != '\t' || resultat.back() != '\t')
            resultat += texte[i];
}

} // namespace

std::vector<std::string> Lignes(std::string_view texte)
{
    std::vector<std::string> lignes;
    const std::size_t n = texte.size();
    for (std::size_t i = 0; i < n;) {
        const std::size_t j = FinDeLigne(texte.data(), i, n);
        lignes.emplace_back(texte.substr(i, j - i));
        if (j == n)
            break;
        i = ApresSaut(texte.data(), j, n);
    }
    return lignes;
}

std::size_t PosMajuscules(std::string_view prefixe, std::string_view ligne)
{
    const std::size_t p = ChercheMajuscules(prefixe, ligne, 0);
    return p == Aucune ? 0 : p + 1;
}

std::string RemplaceExtension(std::string_view nom, std::string_view suffixe)
{
    std::size_t garde = nom.size();
    for (std::size_t k = nom.size(); k-- > 0 && nom[k] != '/';)
        if (nom[k] == '.') {
            garde = k;
            break;
        }
    std::string resultat;
    resultat.reserve(garde + suffixe.size());
    resultat.append(nom.substr(0, garde)).append(suffixe);
    return resultat;
}

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

std::vector<std::string> SupprimeTag(const std::vector<std::string> &lignes, std::string_view prefixe)
{
    // A tab in the prefix could match across the tab put in place of a tag: the search then starts over from the
    // head of the line after each tag. No caller has such a prefix.
    const bool recommence = prefixe.find('\t') != Aucune;
    std::vector<std::string> resultat;
    resultat.reserve(lignes.size());
    bool ouverte = false;
    bool precedentVide = true;
    std::string sansTags, propre;
    for (const std::string &entree : lignes) {
        std::string_view s = entree;
        if (ouverte) {
            const std::size_t q = s.find('>');
            if (q == Aucune) {
                s = {};
            } else {
                s.remove_prefix(q + 1);
                ouverte = false;
            }
        }
        sansTags.clear();
        if (recommence) {
            sansTags = s;
            for (std::size_t p; (p = ChercheMajuscules(prefixe, sansTags, 0)) != Aucune;) {
                const std::size_t q = sansTags.find('>', p + 1);
                if (q == Aucune) {
                    sansTags.resize(p);
                    ouverte = true;
                    break;
                }
                sansTags.replace(p, q - p + 1, 1, '\t');
            }
        } else {
            for (std::size_t j = 0;;) {
                const std::size_t p = ChercheMajuscules(prefixe, s, j);
                sansTags.append(s.substr(j, p == Aucune ? Aucune : p - j));
                if (p == Aucune)
                    break;
                const std::size_t q = s.find('>', p + 1);
                if (q == Aucune) {
                    ouverte = true;
                    break;
                }
                sansTags += '\t';
                j = q + 1;
            }
        }
        Normalise(sansTags, propre);
        if (!propre.empty() || !precedentVide)
            resultat.push_back(propre);
        precedentVide = propre.empty();
    }
    return resultat;
}
