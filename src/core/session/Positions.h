// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Where a page was left when its window closed, so that it opens there again: the caret, in bytes, and the first
// line in view, counted from 0.
struct PositionPage {
    std::string fichier;
    std::size_t curseur = 0;
    std::size_t premiereLigne = 0;
    bool operator==(const PositionPage &) const = default;
};

// How many files keep their position.
inline constexpr std::size_t NombrePositions = 100;

// The settings value that keeps a position: "caret,line,file", the file last so that its name may hold commas.
std::string EcritPosition(const PositionPage &position);
// The position that such a value keeps; nothing when a number is missing, is not decimal or is too large, or when
// no file is named.
std::optional<PositionPage> LitPosition(std::string_view valeur);
// Puts the position first, in place of an older one of the same file, and keeps the newest NombrePositions.
void NotePosition(std::vector<PositionPage> &positions, PositionPage position);
// The position brought into a text of that many lines, which may have shrunk since: the caret at most at its end,
// at the start of a character and never between the CR and the LF of a line end.
PositionPage DansLeTexte(PositionPage position, std::string_view texte, std::size_t lignes);
