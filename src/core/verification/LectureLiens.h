// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/verification/Liens.h"

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

// What the check of links reads of a page besides its links, as the browser reads it (Liens.cpp): its base, the
// anchors that fragments reach and the image maps that a USEMAP names.

namespace LectureLiens {

// The href of the first <base> element that has one: the address that the browser reads the page's relative
// addresses from, whatever the place of the element.
std::optional<Lien> PremiereBase(std::string_view texte);

// The names that a fragment may reach in a page, as written and folded.
struct Ancres {
    std::unordered_set<std::string> noms;
    std::unordered_map<std::string, std::string> plies; // the first name of each folded form
};

// The anchors of the page: the names that ListeAncres finds, every id, and the name of every A element, which
// ListeAncres misses when another attribute comes before it.
Ancres AncresDe(std::string_view texte);

// The names and ids of the page's MAP elements, their entities read.
std::unordered_set<std::string> CartesDe(std::string_view texte);

} // namespace LectureLiens
