// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/document/GrandDocument.h"
#include "core/document/Motif.h"
#include "core/tagremoval/SuppressionTags.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The command line of balizo-outils: its help text, and what a command line asks for.

// A failure that ends the program: its message goes to standard error, nothing to standard output.
struct Echec {
    std::string message;
    int code = 2;
};

// The text of --help, which names the folders where the accent table is looked for.
std::string Aide(const std::vector<std::string> &dossiers);

enum class Action {
    Aide,
    Version,
    SupprimerTags,
    SupprimerTableaux,
    CorrigerAccents,
    RestaurerAccents,
    Ancres,
    CouperLignes,
    CheminRelatif,
    VerifierLiens,
    Chercher,
    Remplacer,
    Verifier,
    Renommer
};

struct Commande {
    Action action = Action::Aide;
    RemplacementTag remplacement = RemplacementTag::Rien;
    bool restauration = true;
    std::optional<std::string> accents;
    // The length above which couper-lignes cuts a line: the editor's.
    std::size_t seuil = LongueurMaximaleDeLigne;
    std::optional<std::string> site;
    // verifier-liens lists the links to other sites, instead of counting them.
    bool externes = false;
    // How chercher and remplacer read their text, which files of a folder they look through, and whether remplacer
    // writes the files or only shows what it would change.
    OptionsMotif motif;
    std::optional<std::string> filtre;
    bool ecrire = false;
    // verifier checks the mark-up with HTML Tidy, and the spelling with that dictionary ("non": not at all; none
    // given: the editor's default one, when one is installed).
    bool balisage = true;
    std::optional<std::string> orthographe;
    // renommer shows what it would change, and changes nothing.
    bool essai = false;
    std::vector<std::string> arguments;
};

// What the command line asks for; throws Echec on a usage error.
Commande Analyse(int argc, char **argv);
