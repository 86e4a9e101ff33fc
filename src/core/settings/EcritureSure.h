// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/texte/Resultat.h"

#include <initializer_list>
#include <string>
#include <string_view>
#include <system_error>

// The one way every file that the user names is written: pages, desktops, settings, the pages that a command across
// the site changes.

// Writes the pieces, in order, as the whole content of the file: into a file beside it that then replaces it, or,
// when the folder takes no new file or the file has other names (hard links), into the file itself. Every byte is
// checked: a write that the system refuses in part (a full disk, a file-size limit) is a failure, and the file is
// then left as it was (except in place, where what was there may be lost). A symbolic link stays a link to the file
// written; the file keeps its permissions and, where the system allows, its owner, group and extended attributes.
// Done once every byte is on disk under that name; otherwise the system's error.
Resultat<Fait, std::error_code> EcritFichier(const std::string &chemin,
                                             std::initializer_list<std::string_view> morceaux);
