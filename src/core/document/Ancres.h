// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Adds to the history list, in text order, the name of each anchor that the page defines: the text between
// "<A NAME=" (found without regard to case) and the next ">", without its spaces and double quotes.
void ListeAncres(std::string_view texte, std::vector<std::string> &liste);
