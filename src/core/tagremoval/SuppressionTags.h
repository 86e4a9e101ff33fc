// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// Taking the mark-up out of a page, line by line. The lines of a text are split at CR LF, LF or a lone CR; a final
// line break starts no further line; an empty text has no lines. Every kept line is written followed by `fin`.

// What takes the place of a removed tag.
enum class RemplacementTag { Rien, Espace, Tabulation };

// The page as plain text: each tag (from a "<" to the first ">" after it, over lines if need be) taken out and
// replaced as asked, runs of spaces and of tabs reduced to one, lines trimmed of spaces and tabs, empty lines at the
// start dropped and runs of empty lines reduced to one.
std::string SupprimeTags(std::string_view texte, RemplacementTag remplacement, std::string_view fin);

// The page without its table mark-up, as eight passes over the lines would leave it, each over the lines of the one
// before, with the prefixes "<TABLE", "</TABLE", "<TD", "</TD", "<TR", "</TR", "<TH", "</TH" in turn; all in one scan
// of the text. A pass takes out the tags whose text begins with its prefix, without regard to the case of a-z, and
// puts one tab in the place of each that closes on its line; it reduces runs of tabs to one, trims the lines of
// spaces and tabs, drops the empty lines at the start and reduces runs of empty lines to one.
std::string SupprimeTableaux(std::string_view texte, std::string_view fin);

// The file name with its extension replaced by the suffix: scanning back from its end, when a "." comes before any
// "/" the name keeps what stands before that "."; otherwise the suffix is appended to the whole name.
std::string RemplaceExtension(std::string_view nom, std::string_view suffixe);
