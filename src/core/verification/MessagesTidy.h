// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

// The French texts of HTML Tidy's messages that Tidy's own French catalogue does not give well: left in English,
// garbled, or telling the reader to set one of Tidy's options, which the check sets itself and the user never sees.

// Our French model of the message of this code, with %1, %2… standing for Tidy's arguments in Tidy's order; empty
// when Tidy's French text is the one to show.
std::string_view ModeleMessageTidy(unsigned code);

// The model with each %1 to %9 replaced by that argument, by nothing when there is no such argument.
std::string RemplitModele(std::string_view modele, const std::vector<std::string> &arguments);
