// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

// The desktop file format: one document file name a line.

// The content of a desktop file listing these names, in the given order, each followed by LF.
std::string EcritBureau(const std::vector<std::string> &noms);

// The names that a desktop file lists, in order: lines ended by CR LF, LF or CR, up to a Ctrl-Z byte, empty lines
// left out.
std::vector<std::string> LitBureau(std::string_view contenu);
