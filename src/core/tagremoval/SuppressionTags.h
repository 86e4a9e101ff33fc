#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Taking the mark-up out of a page, line by line. The lines of a text are split at CR LF, LF or a lone CR; a final
// line break starts no further line; an empty text has no lines. Every kept line is written followed by `fin`.

// What takes the place of a removed tag.
enum class RemplacementTag { Rien, Espace, Tabulation };

// The page as plain text: each tag (from a "<" to the first ">" after it, over lines if need be) taken out and
// replaced as asked, runs of spaces and of tabs reduced to one, lines trimmed of spaces and tabs, empty lines at the
// start dropped and runs of empty lines reduced to one.
std::string SupprimeTags(std::string_view texte, RemplacementTag remplacement, std::string_view fin);

// The page without its table mark-up: the eight passes of SupprimeTag ("<TABLE", "</TABLE", "<TD", "</TD", "<TR",
// "</TR", "<TH", "</TH"), each over the lines of the one before, in one scan of the text.
std::string SupprimeTableaux(std::string_view texte, std::string_view fin);

// One pass: the lines without the tags whose text begins with the prefix (written in capitals, matched without
// regard to the case of a-z), each removed tag that closes on its line replaced by one tab, runs of tabs reduced to
// one, lines trimmed of spaces and tabs, empty lines at the start dropped and runs of empty lines reduced to one.
std::vector<std::string> SupprimeTag(const std::vector<std::string> &lignes, std::string_view prefixe);

// The lines of a text, as defined above.
std::vector<std::string> Lignes(std::string_view texte);

// The position, counted from 1, of the first occurrence of the prefix in the line whose letters a-z are taken as
// A-Z; 0 when there is none.
std::size_t PosMajuscules(std::string_view prefixe, std::string_view ligne);

// The file name with its extension replaced by the suffix: scanning back from its end, when a "." comes before any
// "/" the name keeps what stands before that "."; otherwise the suffix is appended to the whole name.
std::string RemplaceExtension(std::string_view nom, std::string_view suffixe);
