// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Path functions on "/"-separated byte paths, as the file system spells them.

// A file name's bytes as UTF-16 text: UTF-8 decoded, and each byte outside a well-formed sequence (the Latin-1 "é" of
// an old disk) as the lone surrogate U+DC80 to U+DCFF, so that any name gives its bytes back.
std::u16string NomEnUtf16(std::string_view octets);

// The bytes of a file name that NomEnUtf16 gave.
std::string NomEnOctets(std::u16string_view nom);

// A file name as the user reads it: each byte that is not UTF-8 written as "\xE9".
std::u16string NomLisible(std::u16string_view nom);

// The name of the file or folder that the path names, with the spelling stored on disk; empty when there is none.
std::string NomLong(std::string_view chemin);

// The absolute form of the path, "." and ".." resolved, each existing component spelled as on disk.
std::string CheminLong(std::string_view chemin);

// The reference to the target file from the folder of the base file, climbing with "../".
std::string CheminRelatif(std::string_view cible, std::string_view base);

// Where the settings file goes, and the folder to create before it is written (empty when there is none).
struct EmplacementParametres {
    std::string fichier;
    std::string dossierACreer;
};

// "Balizo.ini" beside the program when one is already there (a portable copy, carried with its settings);
// otherwise in "balizo" under the user's configuration folder, to be created.
EmplacementParametres ChoixEmplacementParametres(std::string_view dossierProgramme, bool portable,
                                                 std::string_view dossierConfiguration);

// The user's configuration folder: $XDG_CONFIG_HOME when it is set, as it is written, otherwise ".config" in the home
// folder (the root when the home folder is unknown).
std::string DossierConfiguration(std::string_view xdgConfigHome, std::string_view home);

// The user's personal word list, which the spelling knows in the editor and in balizo-outils alike:
// "dictionnaire-personnel.txt" in the folder of the settings file.
std::string DictionnairePersonnel(std::string_view dossierParametres);

// The folder of the recovery journals: "balizo/recuperation" in the user's state folder, which is $XDG_STATE_HOME
// when it is an absolute path, otherwise ".local/state" in the home folder.
std::string DossierRecuperation(std::string_view xdgStateHome, std::string_view home);

// Where a data file or folder ("Accents.txt", "Tags", "Aide/depart.htm") is looked for, in order: beside the program
// (a build folder), in the share folder next to the program's (an installed copy, wherever its prefix), then in the
// folder the installation names. The program's folder is left out when it is unknown (empty).
std::vector<std::string> CandidatsDonnees(std::string_view dossierProgramme, std::string_view dossierInstalle,
                                          std::string_view nom);
