// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/texte/Encodage.h"

#include "core/texte/Lignes.h"
#include "core/texte/Utf8.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr std::uint64_t BitsHauts = 0x8080808080808080ULL;

// The characters of bytes 0x80 to 0x9F; the five bytes that Windows-1252 leaves unassigned stand for themselves.
constexpr std::array<char32_t, 32> Windows1252Haut = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

struct OctetDecode {
    unsigned char longueur;
    char utf8[3];
};

constexpr std::array<OctetDecode, 256> TableDecodage()
{
    std::array<OctetDecode, 256> table{};
    for (unsigned octet = 0; octet < 256; ++octet) {
        const char32_t c = octet >= 0x80 && octet < 0xA0 ? Windows1252Haut[octet - 0x80] : char32_t(octet);
        OctetDecode &d = table[octet];
        if (c < 0x80) {
            d = {1, {char(c), 0, 0}};
        } else if (c < 0x800) {
            d = {2, {char(0xC0 | (c >> 6)), char(0x80 | (c & 0x3F)), 0}};
        } else {
            d = {3, {char(0xE0 | (c >> 12)), char(0x80 | ((c >> 6) & 0x3F)), char(0x80 | (c & 0x3F))}};
        }
    }
    return table;
}

constexpr std::array<OctetDecode, 256> Decodage = TableDecodage();

bool SansBitHaut(const unsigned char *p)
{
    std::uint64_t huit;
    std::memcpy(&huit, p, sizeof huit);
    return (huit & BitsHauts) == 0;
}

// The first byte from p that starts a character to be checked on its own, or fin. Pages are mostly ASCII, mark-up
// and all, and their other characters mostly of two bytes (Latin letters with accents): with SSE2 (always there on
// x86-64), 32 bytes that hold only such characters, none cut by their end, are passed at once; without it, 16 bytes
// of ASCII. The last bytes are looked at one by one.
const unsigned char *SauteSimples(const unsigned char *p, const unsigned char *fin)
{
#if defined(__SSE2__)
    const auto masque = [](__m128i a, __m128i b) {
        return static_cast<unsigned>(_mm_movemask_epi8(a)) | static_cast<unsigned>(_mm_movemask_epi8(b)) << 16;
    };
    // As signed bytes, continuations (80 to BF) lie below -64, the leads of two bytes (C2 to DF) from -62 to -33.
    const auto suites = [](__m128i x) { return _mm_cmplt_epi8(x, _mm_set1_epi8(-64)); };
    const auto meneurs = [](__m128i x) {
        return _mm_and_si128(_mm_cmpgt_epi8(x, _mm_set1_epi8(-63)), _mm_cmplt_epi8(x, _mm_set1_epi8(-32)));
    };
    for (; fin - p >= 32; p += 32) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p + 16));
        const unsigned hauts = masque(a, b);
        if (!hauts)
            continue;
        // p starts a character: the bytes are valid when each lead is followed by a continuation, within the 32
        // bytes, and each continuation follows a lead.
        const unsigned s = masque(suites(a), suites(b));
        const unsigned m = masque(meneurs(a), meneurs(b));
        if ((hauts & ~(s | m)) != 0 || s != m << 1 || m >> 31 != 0)
            return p + __builtin_ctz(hauts);
    }
#else
    while (fin - p >= 16 && SansBitHaut(p) && SansBitHaut(p + 8))
        p += 16;
#endif
    while (p < fin && *p < 0x80)
        ++p;
    return p;
}

} // namespace

bool EstUtf8Valide(std::string_view octets)
{
    const auto *p = reinterpret_cast<const unsigned char *>(octets.data());
    const auto *fin = p + octets.size();
    while ((p = SauteSimples(p, fin)) != fin) {
        const unsigned char c = *p;
        const std::ptrdiff_t reste = fin - p;
        if (c < 0xC2) {
            // A stray continuation byte, or C0/C1 which can only start an overlong form.
            return false;
        } else if (c < 0xE0) {
            if (reste < 2 || !EstSuiteUtf8(p[1]))
                return false;
            p += 2;
        } else if (c < 0xF0) {
            // E0 must not start an overlong form, ED must not reach the surrogates.
            const unsigned char bas = c == 0xE0 ? 0xA0 : 0x80;
            const unsigned char haut = c == 0xED ? 0x9F : 0xBF;
            if (reste < 3 || p[1] < bas || p[1] > haut || !EstSuiteUtf8(p[2]))
                return false;
            p += 3;
        } else if (c < 0xF5) {
            // F0 must not start an overlong form, F4 must not go past U+10FFFF.
            const unsigned char bas = c == 0xF0 ? 0x90 : 0x80;
            const unsigned char haut = c == 0xF4 ? 0x8F : 0xBF;
            if (reste < 4 || p[1] < bas || p[1] > haut || !EstSuiteUtf8(p[2]) || !EstSuiteUtf8(p[3]))
                return false;
            p += 4;
        } else {
            return false;
        }
    }
    return true;
}

std::size_t SequenceInachevee(std::string_view octets)
{
    const std::size_t fin = octets.size();
    for (std::size_t n = 1; n <= std::min<std::size_t>(3, fin); ++n) {
        if (EstSuiteUtf8(octets[fin - n]))
            continue;
        const std::size_t longueur = LongueurAnnonceeUtf8(octets[fin - n]);
        return longueur > n ? n : 0;
    }
    return 0;
}

char32_t CaractereUtf8(std::string_view texte, std::size_t &i)
{
    const auto octet = [&](std::size_t k) { return static_cast<unsigned char>(texte[k]); };
    const unsigned char c = octet(i);
    if (c < 0x80) {
        ++i;
        return c;
    }
    const std::size_t longueur = c >= 0xC2 && c <= 0xDF ? 2 : c >= 0xE0 && c <= 0xEF ? 3 : c >= 0xF0 && c <= 0xF4 ? 4 : 0;
    bool valide = longueur != 0 && texte.size() - i >= longueur;
    char32_t point = c & (0x7F >> longueur);
    for (std::size_t k = 1; valide && k < longueur; ++k) {
        valide = EstSuiteUtf8(texte[i + k]);
        point = point << 6 | (octet(i + k) & 0x3F);
    }
    // Neither overlong, nor a surrogate, nor past U+10FFFF.
    constexpr char32_t Minimum[] = {0, 0, 0x80, 0x800, 0x10000};
    if (!valide || point < Minimum[longueur] || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) {
        ++i;
        return HorsUnicode + c;
    }
    i += longueur;
    return point;
}

void AjouteUtf8(std::string &texte, char32_t c)
{
    if (c < 0x80) {
        texte += static_cast<char>(c);
    } else if (c < 0x800) {
        texte += static_cast<char>(0xC0 | (c >> 6));
        texte += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        texte += static_cast<char>(0xE0 | (c >> 12));
        texte += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        texte += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        texte += static_cast<char>(0xF0 | (c >> 18));
        texte += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        texte += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        texte += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::size_t LongueurUtf8DeWindows1252(std::string_view octets)
{
    std::size_t longueur = 0;
    for (const char c : octets)
        longueur += Decodage[static_cast<unsigned char>(c)].longueur;
    return longueur;
}

void DecodeWindows1252(std::string_view octets, std::string &sortie)
{
    // Decoded block by block through a buffer: one pass, and the output grows by whole blocks.
    constexpr std::ptrdiff_t Bloc = 4096;
    char tampon[3 * Bloc];
    sortie.reserve(sortie.size() + octets.size());
    const auto *p = reinterpret_cast<const unsigned char *>(octets.data());
    const auto *fin = p + octets.size();
    while (p < fin) {
        const auto *finBloc = p + std::min(Bloc, fin - p);
        char *ecrit = tampon;
        while (p < finBloc) {
            if (finBloc - p >= 8 && SansBitHaut(p)) {
                std::memcpy(ecrit, p, 8);
                ecrit += 8;
                p += 8;
                continue;
            }
            // Three bytes always fit, since no byte takes more: copy them all and keep what the character needs.
            const OctetDecode &d = Decodage[*p++];
            std::memcpy(ecrit, d.utf8, 3);
            ecrit += d.longueur;
        }
        sortie.append(tampon, ecrit - tampon);
    }
}

std::optional<std::string> EncodeWindows1252(std::string_view utf8)
{
    // Never more bytes than the UTF-8 form: fill in place, then cut to the length written.
    std::string sortie(utf8.size(), '\0');
    char *ecrit = sortie.data();
    const auto *p = reinterpret_cast<const unsigned char *>(utf8.data());
    const auto *fin = p + utf8.size();
    while (p < fin) {
        if (fin - p >= 8 && SansBitHaut(p)) {
            std::memcpy(ecrit, p, 8);
            ecrit += 8;
            p += 8;
            continue;
        }
        const unsigned char c = *p;
        char32_t point;
        if (c < 0x80) {
            *ecrit++ = char(c);
            ++p;
            continue;
        } else if (c >= 0xC2 && c < 0xE0 && fin - p >= 2 && EstSuiteUtf8(p[1])) {
            point = char32_t(c & 0x1F) << 6 | (p[1] & 0x3F);
            p += 2;
        } else if (c >= 0xE0 && c < 0xF0 && fin - p >= 3 && EstSuiteUtf8(p[1]) && EstSuiteUtf8(p[2])) {
            point = char32_t(c & 0x0F) << 12 | char32_t(p[1] & 0x3F) << 6 | (p[2] & 0x3F);
            // An overlong form would otherwise pass for the character it spells; surrogates have no byte below.
            if (point < 0x800)
                return std::nullopt;
            p += 3;
        } else {
            // Four-byte characters lie beyond the code page, as does a stray, truncated or overlong sequence.
            return std::nullopt;
        }
        if (point >= 0xA0 && point <= 0xFF) {
            *ecrit++ = char(point);
            continue;
        }
        std::size_t i = 0;
        while (i < Windows1252Haut.size() && Windows1252Haut[i] != point)
            ++i;
        if (i == Windows1252Haut.size())
            return std::nullopt;
        *ecrit++ = char(0x80 + i);
    }
    sortie.resize(ecrit - sortie.data());
    return sortie;
}

FinDeLigne DetecteFinDeLigne(std::string_view texte)
{
    const std::optional<Ligne> ligne = Lignes(texte).Suivante();
    if (!ligne || ligne->apres == ligne->fin)
        return FinDeLigne::Lf;
    if (ligne->apres - ligne->fin == 2)
        return FinDeLigne::CrLf;
    return texte[ligne->fin] == '\r' ? FinDeLigne::Cr : FinDeLigne::Lf;
}

std::optional<std::string_view> LigneSuivante(std::string_view texte, std::size_t &position)
{
    const std::optional<Ligne> ligne = Lignes(texte, position).Suivante();
    if (!ligne)
        return std::nullopt;
    position = ligne->apres;
    return texte.substr(ligne->debut, ligne->fin - ligne->debut);
}

std::string AvecFinsDeLigne(std::string_view texte, FinDeLigne fin)
{
    if (fin == FinDeLigne::CrLf || texte.empty())
        return std::string(texte);
    const char remplacement = fin == FinDeLigne::Lf ? '\n' : '\r';
    // Never longer than the text: fill in place, then cut to the length written.
    std::string sortie(texte.size(), '\0');
    char *ecrit = sortie.data();
    const char *p = texte.data();
    const char *finTexte = p + texte.size();
    while (const auto *cr = static_cast<const char *>(std::memchr(p, '\r', finTexte - p))) {
        const bool paire = cr + 1 < finTexte && cr[1] == '\n';
        const std::size_t garde = cr - p + (paire ? 0 : 1);
        std::memcpy(ecrit, p, garde);
        ecrit += garde;
        if (paire)
            *ecrit++ = remplacement;
        p = cr + (paire ? 2 : 1);
    }
    std::memcpy(ecrit, p, finTexte - p);
    ecrit += finTexte - p;
    sortie.resize(ecrit - sortie.data());
    return sortie;
}
