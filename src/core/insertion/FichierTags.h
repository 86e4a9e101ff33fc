// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The tags files of the tags palette: one entry per line, a tag's opening and closing texts split at the first TAB,
// and "+" TAB lines giving the attributes of the tag above them.

// What a node of the tags palette stands for.
enum class NatureTag { Fichier, Balise, Attribut };

// One node of the tags palette: a file (its name), a tag (opening and closing texts) or an attribute (its text).
struct TTag {
    NatureTag Nature = NatureTag::Balise;
    std::string Texte;
    std::string Fermeture;
    std::string Libelle; // the caption shown in the tree
};

// A tag line of a tags file with the attribute lines that follow it.
struct BaliseTags {
    TTag balise;
    std::vector<TTag> attributs;
};

// The tag entries of a tags file's bytes, in file order: UTF-8 when the bytes are valid UTF-8 (byte-order mark
// dropped), Windows-1252 otherwise; lines end at CR LF, LF or a lone CR, and a final line end adds no entry.
std::vector<BaliseTags> LitFichierTags(std::string_view octets);

// The tag of a line that is not an attribute line: opening text up to the first TAB, closing text after it.
TTag BaliseDeLigne(std::string_view ligne);

// The opening and closing texts that a double click on the node writes into the document; nothing for a file.
std::optional<std::pair<std::string, std::string>> TextesInsertion(const TTag &tag);
