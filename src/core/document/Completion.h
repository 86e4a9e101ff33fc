// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The completion lists of the text control: which list opens where, and what choosing in it writes.

enum class SorteListe { Elements, Attributs, References };

struct ListeCompletion {
    SorteListe sorte;
    std::size_t debut; // where the word that the list completes begins
    // The entries as shown, sorted; a reference with its characters after a blank, unless they are blanks or
    // controls.
    std::vector<std::string> choix;
};

// The list that `position` calls for: element names after '<' and one letter, the tag's attributes after a blank and
// one letter in a start tag, references after '&' and one letter; when `demandee`, whatever has been typed of the word
// (nothing included). None in comments, scripts, styles or values, nor where no entry begins with the word.
std::optional<ListeCompletion> CompletionEn(std::string_view texte, std::size_t position, bool demandee);

// What choosing `choix` in a list of that sort writes in place of the word, and where the caret goes in it.
struct Choix {
    std::string texte;
    std::size_t curseur;
};
Choix ChoixEcrit(SorteListe sorte, std::string_view choix);
