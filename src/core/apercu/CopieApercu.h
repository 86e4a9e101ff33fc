// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The copy of a page that the live preview gives the browser engine, and what the preview lets that page load. The
// page in the editor is never changed: only the copy carries the caret's mark and, when it is read from a file of its
// own, the address of the page's folder.

// The comment that stands for the caret in the copy; the preview scrolls to it, then takes it out.
inline constexpr std::string_view MarqueCurseur = "<!--balizo-curseur-->";

// The first place at or after `position` where a comment changes nothing that a browser shows: outside tags,
// comments and declarations, and past the text of the elements that a browser reads as text (script, style, title,
// textarea...). The end of the text when there is none.
std::size_t PlaceDuCurseur(std::string_view texte, std::size_t position);

// The element at the caret, found by the preview among the page's elements without showing the page again: the
// last start tag that begins at or before `position`, its name in lower case, its rank among the start tags of that
// name and their number, counted as a browser reads the text. A page whose scripts make or remove elements of that
// name no longer has that number of them. None before the first start tag.
struct ElementCurseur {
    std::string nom;
    std::size_t rang;
    std::size_t total;
    bool operator==(const ElementCurseur &) const = default;
};
std::optional<ElementCurseur> ElementDuCurseur(std::string_view texte, std::size_t position);

// Where a base element may go without changing how the page is read: past the doctype, the comments and the start
// tags of html and head that open the page, before anything else.
std::size_t PlaceDeLaBase(std::string_view texte);

// The copy for the engine: the text with the caret's mark at PlaceDuCurseur when a caret is given, and with a base
// element whose address is `base` (already percent-encoded) when one is given.
std::string CopiePourApercu(std::string_view texte, std::optional<std::size_t> curseur, std::string_view base = {});

// What the preview does with a request of the page.
enum class Acces {
    Permis,
    Bloque, // a file outside the page's folders, or an address that the preview never loads
    Reseau, // an address on the network, loaded only once the user allows it for the page
};

// The fate of a request for an address of this scheme (in lower case) and, for a file, this absolute path: a file
// is allowed in one of the folders (absolute, without a final "/") or below them, "." and ".." resolved; data,
// blob and about addresses are the page's own.
Acces AccesRequete(std::string_view schema, std::string_view chemin, const std::vector<std::string> &dossiers);
