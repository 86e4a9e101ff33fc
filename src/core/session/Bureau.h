// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

// The desktop file format: one document file name a line, and the site's folder on a line of its own, "#site="
// and the folder's full path: a program that knows no site takes that line for a page that is nowhere, and leaves it.

// The content of a desktop file listing these names, in the given order, each followed by LF; the site's line comes
// first when there is a site.
std::string EcritBureau(const std::vector<std::string> &noms, std::string_view site = {});

// The names that a desktop file lists, in order: lines ended by CR LF, LF or CR, up to a Ctrl-Z byte, empty lines
// and the site's line left out.
std::vector<std::string> LitBureau(std::string_view contenu);

// The site's folder that a desktop file names; empty when it names none.
std::string SiteDuBureau(std::string_view contenu);
