// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/texte/Encodage.h"

#include <string>
#include <string_view>
#include <vector>

// One row of the accent table: an HTML entity, the character it stands for, its meaning for the user, and the
// correction flag.
struct LigneAccent {
    std::string entite;
    std::string caractere;
    std::string signification;
    std::string correction;
};

// The rows of an accent table file, one per line in file order, empty lines included: lines end with CR LF, LF or a
// lone CR, a last line without a line end counts, an empty file has none. A line holds up to four fields separated
// by TAB (entity, character, meaning, flag; missing ones empty, text after a fourth TAB ignored), each stripped of
// its leading then trailing spaces, then of its leading then trailing double quotes.
std::vector<LigneAccent> LitTableAccents(std::string_view contenu);

// The rows of an accent table file's bytes, in UTF-8 whatever the file's encoding: a leading byte-order mark dropped,
// then the whole file read as UTF-8 when it is valid UTF-8, otherwise decoded from Windows-1252.
std::vector<LigneAccent> ChargeTableAccents(std::string_view octets);

// The rows (UTF-8) that a page of that encoding can hold, still in UTF-8: all of them for UTF-8; for Windows-1252 the
// rows whose fields it can all write, the rows that EnWindows1252 keeps.
std::vector<LigneAccent> LignesPourEncodage(const std::vector<LigneAccent> &lignes, Encodage encodage);

// Whether the row takes part in the accent correction: its flag is exactly "O" or "o".
bool ACorriger(const LigneAccent &ligne);

// The rows with their fields (UTF-8) converted to Windows-1252; a row with a field that Windows-1252 cannot hold
// is left out.
std::vector<LigneAccent> EnWindows1252(const std::vector<LigneAccent> &lignes);
