// SPDX-License-Identifier: GPL-3.0-or-later
// The check of a page's mark-up alone, as the editor runs it: the measure against which tst_quitter sees whether the
// editor waited for its own check of the same page before it ended. Prints the number of problems found.

#include "core/verification/Balisage.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fputs("Usage : balisage FICHIER\n", stderr);
        return 2;
    }
    std::ifstream fichier(argv[1], std::ios::binary);
    const std::string page{std::istreambuf_iterator<char>(fichier), std::istreambuf_iterator<char>()};
    if (!fichier) {
        std::fprintf(stderr, "balisage : ne peut lire %s\n", argv[1]);
        return 1;
    }
    std::printf("%zu\n", VerifieBalisage(page).size());
    return 0;
}
