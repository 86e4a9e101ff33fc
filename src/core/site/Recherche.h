// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/document/Motif.h"
#include "core/site/Modifications.h"
#include "core/texte/Resultat.h"

#include <atomic>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Finding a text in the files of a folder, and planning its replacement: each file read in its own encoding
// (LitPourModifier), or taken from its window when the page is open, searched with the replace command's Motif, the
// files shared between every core.

// The files that a search looks through unless told otherwise: the pages.
inline constexpr std::string_view FiltreParDefaut = "*.htm;*.html";

// The size above which a file is left unsearched (RaisonIgnore::TropGrand).
inline constexpr std::size_t LimiteRecherche = std::size_t(64) << 20;

// Whether a file's name (without its folder) matches the filter: globs separated by ';' ("*.htm;*.html"), blanks
// around each one ignored, letters compared without case ("*.htm" takes "INDEX.HTM"). An empty filter takes every
// file.
bool DansLeFiltre(std::string_view nom, std::string_view filtre);

// What to look for, where, and what it becomes.
struct DemandeRecherche {
    // The folder searched, with its sub-folders, for the files whose names match the filter...
    std::string dossier;
    // ...or, when there are any, these files (absolute paths) whatever their names.
    std::vector<std::string> fichiers;
    std::string filtre = std::string(FiltreParDefaut);
    std::string cherche;
    OptionsMotif options;
    // For a replacement, what each occurrence becomes (\0 to \9 name an expression's groups, as Motif::Developpe
    // reads them); nothing for a search alone.
    std::optional<std::string> remplacement;
    std::size_t limite = LimiteRecherche;
    // How many threads search; 0 for one per core.
    unsigned fils = 0;
};

// An occurrence found, as the list of results shows it.
struct Trouvaille {
    // The file's path: the folder's as the demand gives it (absolute in the editor), then the file's in it; or the
    // file's as the demand names it.
    std::string chemin;
    // Where the occurrence starts: line and column from 1, the column in characters (a tab is one), and its first
    // byte in the file's UTF-8 text, which is the editor's position in the page.
    std::size_t ligne = 0;
    std::size_t colonne = 0;
    std::size_t position = 0;
    // Its length in bytes of that text.
    std::size_t longueur = 0;
    // The text of its line (UTF-8, without its line end), and the bytes [debut, fin) of the occurrence in it; an
    // occurrence that goes on into the next lines is marked to its line's end. A line longer than LongueurExtrait
    // bytes is cut, between characters, to about that much around the occurrence.
    std::string texteLigne;
    std::size_t debut = 0;
    std::size_t fin = 0;
    // The text came from the page's window, not from the disk.
    bool ouverte = false;

    bool operator==(const Trouvaille &) const = default;
};

// How much of a long line a Trouvaille keeps.
inline constexpr std::size_t LongueurExtrait = 400;

// A file left unsearched, and why.
struct FichierIgnore {
    std::string chemin;
    RaisonIgnore raison;

    bool operator==(const FichierIgnore &) const = default;
};

// What a search did.
struct BilanRecherche {
    // The files searched to their end, those where the text was found, and its occurrences.
    std::size_t fichiers = 0;
    std::size_t fichiersTrouves = 0;
    std::size_t occurrences = 0;
    // The files left, sorted by path.
    std::vector<FichierIgnore> ignores;
    // For a replacement: one for each file where the text was found, sorted by path, its changes in text order,
    // each as Motif::Developpe builds it; an open page's comes from its window's text (`ouverte`).
    std::vector<ModificationFichier> modifications;
    // The user stopped the search: what it holds is only what was found before.
    bool annulee = false;

    // How many files were left for that reason.
    std::size_t Ignores(RaisonIgnore raison) const;
};

// Shared between a search and the thread that shows it: the user's "Annuler" (`suivi.annule`, which stops the search
// between two files and inside a large one), and how far it has gone: the files to search, known once the folder is
// listed, and those done.
struct SuiviRecherche {
    Suivi suivi;
    std::atomic<std::size_t> total = 0;
    std::atomic<std::size_t> faits = 0;
};

// Receives the occurrences of each file as soon as the file is searched. It is called from the search's worker
// threads, but never twice at once: the occurrences of one file come one after the other in text order, the files in
// no set order. It must not throw, and should be quick (hand the result to another thread): the search waits for it.
using RecoitTrouvaille = std::function<void(const Trouvaille &)>;

// Searches the files that the demand names, on every core, and plans the replacement when it asks for one. The
// pages for which `ouverts` gives a text (it is called from the worker threads) are searched in that text instead of
// their file. Returns the report once every file is done or the search is cancelled; or the French message that
// says why it could not search: an empty search text, an expression that does not compile, a folder that cannot be
// read, an expression that PCRE2 gave up on in a file (the search then stops).
Resultat<BilanRecherche, std::string> ChercheDansFichiers(const DemandeRecherche &demande,
                                                          const RecoitTrouvaille &recoit, SuiviRecherche &suivi,
                                                          const TexteOuvert &ouverts = {});
