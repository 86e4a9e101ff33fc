// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/texte/Resultat.h"

#include <cstddef>
#include <string>
#include <system_error>

// Opening the files that the user names, and those that his pages lead to, without ever waiting on them.

// Opens the file for reading without ever waiting: only a regular file is opened, and a named pipe, a device or a
// folder counts as a file that cannot be opened (EINVAL). The descriptor, or the system's error.
Resultat<int, std::error_code> OuvreSansAttendre(const std::string &chemin);

// The first bytes of a file, at most a limit, and whether they are all of it.
struct Debut {
    std::string octets;
    bool entier = true;
};

// At most `limite` bytes of the regular file from its start, opened as OuvreSansAttendre opens it; or the system's
// error when it cannot be opened or read.
Resultat<Debut, std::error_code> LitDebut(const std::string &chemin, std::size_t limite);
