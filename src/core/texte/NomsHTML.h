#pragma once

#include <span>
#include <string>
#include <string_view>

// The names of HTML that browsers know, in small letters and sorted: the elements and attributes of HTML as it is
// now written (ARIA's attributes and the event handlers included), and those of earlier HTML that browsers still
// honour (FONT, CENTER, BGCOLOR...), so that a page of either age reads as known mark-up.

std::span<const std::string_view> ElementsHtml();
std::span<const std::string_view> AttributsHtml();

// The element names, then the attribute names, separated by spaces: the word list of Scintilla's HTML colouring,
// which knows a tag or an attribute by its name in small letters.
std::string MotsClesHtml();
