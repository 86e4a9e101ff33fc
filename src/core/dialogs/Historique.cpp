#include "core/dialogs/Historique.h"

#include "core/document/Encodage.h"
#include "core/settings/Casse.h"

#include <algorithm>
#include <cstring>
#include <unordered_set>

namespace {

// The small letter of a capital: ASCII, Latin-1, Latin Extended-A, and the basic Greek and Cyrillic alphabets. Every
// other character is its own.
char32_t Minuscule(char32_t c)
{
    if (c < 0x80)
        return c >= 'A' && c <= 'Z' ? c + 0x20 : c;
    if ((c >= 0xC0 && c <= 0xDE && c != 0xD7) || (c >= 0x391 && c <= 0x3AB && c != 0x3A2) ||
        (c >= 0x410 && c <= 0x42F))
        return c + 0x20;
    if (c == 0x178)
        return 0xFF;
    // Latin Extended-A pairs capital and small letters, capital first, but for a stretch in the middle that starts
    // on an odd code. U+0130 (dotted I), U+0131, U+0138, U+0149 and U+017F have no one-to-one partner here.
    if ((c >= 0x100 && c <= 0x12F) || (c >= 0x132 && c <= 0x137) || (c >= 0x14A && c <= 0x177))
        return c | 1;
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E))
        return (c & 1) ? c + 1 : c;
    if (c == 0x386)
        return 0x3AC;
    if (c >= 0x388 && c <= 0x38A)
        return c + 0x25;
    if (c == 0x38C)
        return 0x3CC;
    if (c == 0x38E || c == 0x38F)
        return c + 0x3F;
    if (c >= 0x400 && c <= 0x40F)
        return c + 0x50;
    return c;
}

bool EgauxSansCasse(std::string_view a, std::string_view b)
{
    // The folded letters keep their length in UTF-8: texts of different lengths differ.
    if (a.size() != b.size())
        return false;
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size())
        if (Minuscule(CaractereUtf8(a, i)) != Minuscule(CaractereUtf8(b, j)))
            return false;
    return i == a.size() && j == b.size();
}

// The text with its capitals folded: two texts are equal without regard to case when their keys are equal. Bytes
// outside valid sequences are copied as they are; they stay outside valid sequences, since every folded letter
// keeps the length and the lead and continuation bytes of its capital.
std::string Cle(std::string_view texte)
{
    std::string cle;
    cle.reserve(texte.size());
    for (std::size_t i = 0; i < texte.size();) {
        const std::size_t debut = i;
        const char32_t c = CaractereUtf8(texte, i);
        const char32_t m = Minuscule(c);
        if (m == c)
            cle.append(texte.substr(debut, i - debut));
        else if (m < 0x80)
            cle += static_cast<char>(m);
        else
            cle.append({static_cast<char>(0xC0 | (m >> 6)), static_cast<char>(0x80 | (m & 0x3F))});
    }
    return cle;
}

constexpr std::string_view Ancre = "<A NAME=";

} // namespace

void AjouteHistorique(std::vector<std::string> &liste, std::string_view texte)
{
    if (texte.empty())
        return;
    if (std::none_of(liste.begin(), liste.end(), [&](const std::string &e) { return EgauxSansCasse(e, texte); }))
        liste.emplace_back(texte);
}

void ListeAncres(std::string_view texte, std::vector<std::string> &liste)
{
    // The entries already there, folded, so that a page with thousands of anchors is not compared name by name.
    std::unordered_set<std::string> presents;
    for (const std::string &e : liste)
        presents.insert(Cle(e));
    const std::size_t n = texte.size();
    std::size_t chevron = 0; // the first ">" at or after the last name's start, or n
    bool chevronConnu = false;
    std::string nom;
    for (std::size_t p = 0; (p = ChercheMajuscules(Ancre, texte, p)) != std::string_view::npos;) {
        const std::size_t s = p + Ancre.size();
        // The ">" found for an earlier name still ends this one when it stands after its start: none lies between.
        if (!chevronConnu || (chevron < s && chevron != n)) {
            const void *q = std::memchr(texte.data() + s, '>', n - s);
            chevron = q ? static_cast<std::size_t>(static_cast<const char *>(q) - texte.data()) : n;
            chevronConnu = true;
        }
        nom.clear();
        if (chevron != n)
            for (const char c : texte.substr(s, chevron - s))
                if (c != ' ' && c != '"')
                    nom += c;
        if (!nom.empty() && presents.insert(Cle(nom)).second)
            liste.push_back(nom);
        p = s;
    }
}
