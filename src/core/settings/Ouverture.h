#pragma once

#include <cstddef>
#include <optional>
#include <string>

// Opening the files that the user names, and those that his pages lead to, without ever waiting on them.

// Opens the file for reading without ever waiting: only a regular file is opened, and a named pipe, a device or a
// folder counts as a file that cannot be opened (EINVAL). The descriptor, or -1 with errno telling why.
int OuvreSansAttendre(const std::string &chemin);

// The first bytes of a file, at most a limit, and whether they are all of it.
struct Debut {
    std::string octets;
    bool entier = true;
};

// At most `limite` bytes of the regular file from its start, opened as OuvreSansAttendre opens it; nothing when it
// cannot be opened or read.
std::optional<Debut> LitDebut(const std::string &chemin, std::size_t limite);
