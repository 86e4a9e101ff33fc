// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string_view>

// Where the text of a page's title lies.
struct TitrePage {
    bool present = false;
    // The bytes of the title's text, from `debut` to `fin` excluded; both 0 when there is no title.
    std::size_t debut = 0;
    std::size_t fin = 0;
};

// The text of the first "<TITLE>" element of the page (tags found without regard to case), when a "</TITLE>" follows
// that first opening tag; no title otherwise.
TitrePage ChercheTitre(std::string_view texte);
