// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "programs/balizo-outils/Arguments.h"

#include <string>

// balizo-outils renommer: renames or moves a file or folder of the site and writes again every link to it.

// The report of the rename: one line per link changed, then a line that sums them up; the exit code, 1 when a file
// of the site was left as it was. Throws Echec when the rename cannot be made.
struct CompteRendu {
    std::string texte;
    int code = 0;
};

CompteRendu Renomme(const Commande &commande);
