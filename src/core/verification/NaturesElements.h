// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/document/LectureHTML.h"

#include <cstdint>
#include <string_view>

// The elements as the reading of the words a reader sees knows them: how each nests and shows.

namespace NaturesElements {

// What a reader sees of the text content of an element.
enum class Affichage {
    Cache,    // nothing
    Lu,       // its text, references read
    Litteral, // its text byte for byte
};

// The families of elements that the end tags a page may leave out concern: which open elements the start of
// another ends, and which ones that end stops at.
enum Famille : std::uint16_t {
    Paragraphe = 1 << 0,  // p
    Article = 1 << 1,     // li
    Terme = 1 << 2,       // dt, dd
    Ligne = 1 << 3,       // tr
    Cellule = 1 << 4,     // td, th
    Groupe = 1 << 5,      // thead, tbody, tfoot
    Option = 1 << 6,      // option
    Optgroup = 1 << 7,    // optgroup
    Tableau = 1 << 8,     // table
    Liste = 1 << 9,       // ol, ul, menu, dir
    Definitions = 1 << 10, // dl
    Choix = 1 << 11,      // select, datalist
    Portee = 1 << 12,     // applet, button, caption, html, marquee, object, template: a p outside stays open
};

// How an element nests and shows: its family, without content (no end tag), showing code, not shown (its title is no
// tooltip), ending an open p; how its content is read, and what a reader sees of it when it is not mark-up. The
// content is read as a reader without scripts or frames reads it: noscript, noframes and noembed hold mark-up, whose
// text is what this reader sees; so does any element not named.
struct Nature {
    std::string_view nom;
    std::uint16_t famille = 0;
    bool vide = false;
    bool code = false;
    bool cache = false;
    bool finP = false;
    Contenu contenu = Contenu::Balises;
    Affichage affichage = Affichage::Lu;
};

// The nature of the element named `nom`, written in small letters; nullptr for the others.
const Nature *NatureDe(std::string_view nom);

} // namespace NaturesElements
