// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/document/Ancres.h"

#include "core/texte/Casse.h"

#include <cstring>
#include <unordered_set>

namespace {

constexpr std::string_view Ancre = "<A NAME=";

} // namespace

void ListeAncres(std::string_view texte, std::vector<std::string> &liste)
{
    // The entries already there, folded, so that a page with thousands of anchors is not compared name by name.
    std::unordered_set<std::string> presents;
    for (const std::string &e : liste)
        presents.insert(TextePlie(e));
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
        if (!nom.empty() && presents.insert(TextePlie(nom)).second)
            liste.push_back(nom);
        p = s;
    }
}
