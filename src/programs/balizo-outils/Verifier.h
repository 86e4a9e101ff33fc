// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

struct Commande;

// balizo-outils verifier: the checks of "Vérifier la page" over many pages, on every core.

// What the pages hold, "fichier:ligne:colonne: sorte: message" a line, sorted by file and position; `code` is 1 when
// there is a line, 2 when a page could not be read or is binary (said on standard error, the others checked all the
// same). Throws Echec when the site's folder or the dictionary asked for is not there.
struct Verification {
    std::string lignes;
    int code = 0;
};
Verification VerifiePages(const Commande &commande);

// The folder of the site of the pages (absolute paths): --site, or the deepest folder that holds them all; throws
// Echec when it is not a folder.
std::string DossierDuSite(const Commande &commande, const std::vector<std::string> &chemins);
