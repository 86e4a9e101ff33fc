// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/site/Recherche.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// What writing the changes of a command across the site's files did.
struct Bilan {
    // The files changed, on disk or in their windows, and the changes made in them.
    std::size_t fichiers = 0;
    std::size_t changements = 0;
    // Those of the files that are pages open in the editor, changed in their windows and left unsaved.
    std::size_t pagesOuvertes = 0;
    std::vector<FichierIgnore> laisses;
    // The files not reached because the user stopped the command.
    std::size_t nonTraites = 0;
};

// What a search found, in French: its occurrences, in how many files of how many, and how many files it left for
// each reason.
std::string Resume(const BilanRecherche &bilan);

// The report for the user, in French: the files changed and the replacements, the open pages left unsaved, then the
// files left and why, each named from the folder when it is in it; past `nombreNomme` files left, only their count.
std::string Rapport(const Bilan &bilan, std::string_view dossier, std::size_t nombreNomme = 10);
