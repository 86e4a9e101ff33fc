// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// The texts of the hyperlink and local anchor dialogs. Every field is taken as typed: nothing is escaped, trimmed
// or checked.

// The address of an absolute link: the protocol directly followed by the address.
std::string UrlAbsolue(std::string_view protocole, std::string_view adresse);

// The address of a link to an anchor of the same page: "#" and the anchor.
std::string UrlLocale(std::string_view ancre);

// The address of a link to another file: the file alone when there is no anchor, otherwise the file, "#" and the
// anchor.
std::string UrlRelative(std::string_view fichier, std::string_view ancre);

// The text written before the selection: the anchor element's start tag and the description; in italic style the
// element inside an address element, closed here already when there is a description.
std::string OuvertureLien(std::string_view url, std::string_view description, bool italique);

// The text written after the selection: "</A>", "</A></ADDRESS>" in italic style without a description, nothing in
// italic style with one (the opening text holds the whole element then).
std::string FermetureLien(std::string_view description, bool italique);

// The empty named anchor element for the name, the name's spaces removed and nothing else changed.
std::string ElementAncreLocale(std::string_view nom);
