// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// The texts of the image dialog: its whole-number fields, the image element and the reference to a picked file.

// The number the text holds: leading spaces, then an optional sign, then decimal digits or "$" and hexadecimal
// digits, nothing after; 0 for any other text and for a number outside the signed 32-bit range.
int LitNombre(std::string_view texte);

// The image dialog's fields, as typed.
struct ChampsImage {
    std::string_view fichier = {};
    std::string_view legende = {};
    std::string_view alignement = {};
    std::string_view bordure = {};
    std::string_view largeur = {};
    std::string_view hauteur = {};
    std::string_view hspace = {};
    std::string_view vspace = {};
    // The text a reader hears or sees instead of the picture; empty for a decorative picture.
    std::string_view alternatif = {};
};

struct TextesImage {
    std::string ouverture;
    std::string fermeture;
};

// The text as the value of an attribute between double quotes: its ampersands and double quotes as entities.
std::string ValeurAttribut(std::string_view texte);

// The image element with the attributes that the fields give, ALT always among them, followed by the caption, as
// the opening text; "<P>" as the closing text when there is a caption, nothing otherwise.
TextesImage ElementImage(const ChampsImage &champs);

// The image field's text for a picked file whose path relative to the page is `relatif`: that path, or "file:///"
// and the picked name as given when the file lies on another drive than the page.
std::string ReferenceImage(std::string_view choisi, std::string_view relatif);

// The image field's text for the file picked for the page `document` (a relative name lies in the current folder).
std::string FichierImageChoisi(std::string_view choisi, std::string_view document);
