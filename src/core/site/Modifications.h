// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/texte/Encodage.h"
#include "core/texte/Resultat.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The changes that a command across the site's files makes (a replacement in files, the links of a renamed page):
// computed from each file's text as it was read, shown to the user, then written, each file through the one safe
// save, or into its window when the page is open in the editor.

// What a file was on disk when its text was read: a change is written only over the file as it was then.
struct EtatFichier {
    std::uint64_t taille = 0;
    std::int64_t modification = 0; // the time of its last change, in nanoseconds
    std::uint64_t inode = 0;

    bool operator==(const EtatFichier &) const = default;
};

// Bytes [debut, fin) of the text as read (UTF-8) become `texte`; `ligne` and `colonne` (from 1, the column in
// characters) say where they start, for the list of changes.
struct Changement {
    std::size_t debut = 0;
    std::size_t fin = 0;
    std::string texte;
    std::size_t ligne = 0;
    std::size_t colonne = 0;

    bool operator==(const Changement &) const = default;
};

// The changes to make in one file: its absolute path, its text as read, what it is written in, and its changes in
// text order, none overlapping another. `ouverte` when the text came from the page's window, not from the disk.
struct ModificationFichier {
    std::string chemin;
    std::string texte;
    Encodage encodage = Encodage::Utf8;
    FinDeLigne fin = FinDeLigne::Lf;
    EtatFichier etat;
    bool ouverte = false;
    std::vector<Changement> changements;
};

// The text with the changes made.
std::string Applique(std::string_view texte, const std::vector<Changement> &changements);

// The UTF-8 text of a page open in the editor, given its absolute path; nothing for a file read from the disk.
using TexteOuvert = std::function<std::optional<std::string>(const std::string &chemin)>;

// Why a file is left as it is.
enum class RaisonIgnore { Illisible, Binaire, TropGrand, ModifieDepuis, NonEncodable, NonEcrit };

// The French words for the reason, for the reports ("fichier binaire", "modifié sur le disque depuis la
// recherche"...).
std::string_view Message(RaisonIgnore raison);

// Reads a file for a search or a change: its text (decoded as the editor decodes it), encoding, line end and state.
// A file over `limite` bytes, or one that holds NUL bytes, is left.
Resultat<ModificationFichier, RaisonIgnore> LitPourModifier(const std::string &chemin, std::size_t limite);

// Writes the file's changed text through the one safe save, in its encoding and with its line ends, owner and modes
// kept; refuses when the file is no longer as it was read (EtatFichier), or when its encoding cannot write the new
// text. Never for a modification of an open page.
Resultat<Fait, RaisonIgnore> EcritModification(const ModificationFichier &modification);
