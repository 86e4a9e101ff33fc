// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "programs/balizo-outils/Arguments.h"

#include <string>

// balizo-outils chercher and remplacer: a text found, or replaced, in the files of folders.

// What goes to standard output, and the exit code.
struct SortieRecherche {
    std::string texte;
    int code = 0;
};

// chercher: one line per occurrence, "fichier:ligne:colonne: ligne", the files in the order of their paths; code 1
// when nothing is found. remplacer: each line that changes, before and after, or with --ecrire the files written;
// then the report; code 1 when a file could not be written. The files left, and the paths that cannot be read, go
// to standard error (code 2 for the latter). Throws Echec when the search cannot start (an expression that does not
// compile).
SortieRecherche ChercheOuRemplace(const Commande &commande);
