// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/site/Modifications.h"
#include "core/texte/Resultat.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

// Renaming or moving a page, a picture, a style sheet or a folder of the site with every link to it: the links of
// the site's pages and sheets are read as the check of links reads them (Liens.h), and those that lead to what moves,
// or that a moved page writes from its old folder, are written again; only their path changes, their query and
// fragment stay as written.

// A link that the rename writes again: the file it stands in (its path after the move), where it starts there
// (line and column from 1, as the text was read), and its text as the file writes it, before and after.
struct LienRenomme {
    std::string fichier;
    std::size_t ligne = 0;
    std::size_t colonne = 0;
    std::string ancien;
    std::string nouveau;

    bool operator==(const LienRenomme &) const = default;
};

// What a rename changes: the files to change, each under its path after the move, in the order of their paths; the
// links written again, in the same order; the files whose links could not be read, and why.
struct PlanRenommage {
    std::vector<ModificationFichier> modifications;
    std::vector<LienRenomme> liens;
    std::vector<std::pair<std::string, RaisonIgnore>> ignores;
};

// The absolute forms of a rename, once checked: the site's folder and the old path spelled as on disk, the new path
// as the user wrote it, none with a final "/".
struct Renommage {
    std::string site;
    std::string ancien;
    std::string nouveau;
};

// The rename of the file or folder `ancien` to `nouveau` in the site, all three absolute or from the current
// folder; a French message when it cannot be made: a path out of the site, the site itself, nothing to rename, a
// new name that exists already, a folder moved into itself.
Resultat<Renommage, std::string> PrepareRenommage(const std::string &site, const std::string &ancien,
                                                  const std::string &nouveau);

// Where the file or folder at the absolute path lies once `ancien` is `nouveau`: unchanged when it is not in it.
std::string CheminApres(const std::string &chemin, const Renommage &renommage);

// The site's pages and style sheets that links are read in, by their absolute paths, in order; hidden folders left.
std::vector<std::string> FichiersDuSite(const std::string &site);

// Told of the files read so far, out of all; answers false to stop.
using Avancement = std::function<bool(std::size_t lus, std::size_t total)>;

// The links to write again in the files (absolute paths, pages and style sheets), each read from its window when
// `ouvert` gives its text, otherwise from its file (at most `limite` bytes). Nothing when `avancement` stops it.
std::optional<PlanRenommage> PlanifieRenommage(const Renommage &renommage, const std::vector<std::string> &fichiers,
                                               const TexteOuvert &ouvert, std::size_t limite,
                                               const Avancement &avancement = {});

// Moves the file or folder on disk, making the new folder's missing parents.
Resultat<Fait, std::error_code> Deplace(const Renommage &renommage);
