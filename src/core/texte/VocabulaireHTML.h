// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

// The words of HTML that the completion lists offer while a page is written: element names, each element's
// attributes, the named character references.

// The element names that browsers know (those of HTML 4.01 and HTML5 included) beginning with `debut` in any case,
// sorted, written all in capitals when every letter of `debut` is one ("TA" gives "TABLE", "TBODY"...), in small
// letters otherwise.
std::vector<std::string> ElementsCommencantPar(std::string_view debut);

// The attribute names that the element `element` (any case) takes in HTML 4.01 and HTML5, with those that every
// element takes (the common event handlers among them; data-* and aria-* are left to the user), sorted, each once,
// all in capitals when every letter of `element` is one; for an element that is not known, the common ones alone.
std::vector<std::string> AttributsDe(std::string_view element);

// A named character reference: its name without '&' and ';' ("eacute"), its characters in UTF-8 ("é").
struct ReferenceNommee {
    std::string_view nom;
    std::string_view caracteres;
};

// Every named character reference of HTML5 that is written with its ';' (2,125 of them), sorted by the bytes of
// their names: "AElig" comes before "Aacute", and both before "aacute".
std::span<const ReferenceNommee> ReferencesNommees();

// Those whose name begins with `debut`, case counting as it does in references ("Eacute" is not "eacute"); all of
// them for an empty `debut`.
std::span<const ReferenceNommee> ReferencesCommencantPar(std::string_view debut);
