// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/texte/Lignes.h"

#include <cstddef>
#include <string>
#include <string_view>

// A fault that a check finds in a page: where it is, as byte offsets into the page's UTF-8 text, and what it is.
struct Probleme {
    enum class Sorte {
        Erreur,        // mark-up a browser has to repair
        Avertissement, // mark-up that works but should be written otherwise
        Orthographe,   // a word that the dictionary does not know
        Lien,          // a link or an image that leads nowhere
        NonVerifie,    // a link to another site: there is no network to check it
    };

    std::size_t debut = 0;
    std::size_t fin = 0; // past the last byte; equal to debut when the fault is a point
    Sorte sorte = Sorte::Erreur;
    std::string message; // French, UTF-8
    // A link to another site, which is never checked; always with Sorte::NonVerifie.
    bool autreSite = false;
    // The unknown word as a reader sees it, its entities read; with Sorte::Orthographe only.
    std::string mot = {};
    // The name of the dictionary that does not know the word ("en_US"), that of its language; with Sorte::Orthographe
    // only.
    std::string dictionnaire = {};

    bool operator==(const Probleme &) const = default;
};

// The name of the kind, as the list of problems shows it: "Erreur", "Avertissement", "Orthographe", "Lien",
// "Non vérifié".
std::string_view NomSorte(Probleme::Sorte sorte);

// Line and column of a byte offset, both from 1; the column counts characters (a tab is one), the lines end at
// CR LF, LF or CR alone.
struct LigneColonne {
    std::size_t ligne = 1;
    std::size_t colonne = 1;

    bool operator==(const LigneColonne &) const = default;
};

// Reads the text once for many offsets: each call must give an offset at least as far as the one before.
class CompteurLignes {
public:
    explicit CompteurLignes(std::string_view texte) : texte(texte), lignes(texte), ligne(Prochaine()) {}
    LigneColonne Position(std::size_t decalage);

private:
    Ligne Prochaine();

    std::string_view texte;
    Lignes lignes;
    // The line of the last offset, and how far its characters are counted.
    Ligne ligne;
    std::size_t lu = 0;
    LigneColonne position;
};
