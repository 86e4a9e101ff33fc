// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Adds the text at the end of the history list, unless it is empty or the list holds it already (whole entries
// compared without regard to case, over all of Unicode).
void AjouteHistorique(std::vector<std::string> &liste, std::string_view texte);
