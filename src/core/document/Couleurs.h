// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>

// A colour as 0xRRGGBB.
using Rgb = std::uint32_t;

// A style of the HTML colouring, by Scintilla's number, and its text and background colours.
struct CouleursStyle {
    int style;
    Rgb encre;
    Rgb fond;
};

// The colours of the page's text control around the coloured text.
struct CouleursAutour {
    Rgb numeros;
    Rgb marge;
    // The fold margin, the inside of its boxes and their lines.
    Rgb pliage;
    Rgb interieurPliage;
    Rgb traitPliage;
    Rgb curseur;
    Rgb texteSelection;
    Rgb selection;
    // The box around the tags of the element at the caret.
    Rgb balisesAssociees;
};

// The colours of every style of the HTML colouring and of its embedded scripts, on a light or on a dark page; the
// first is the default style's, the page's own.
std::span<const CouleursStyle> CouleursHtml(bool sombre);
const CouleursAutour &CouleursAutourDuTexte(bool sombre);

// The contrast ratio of two colours from their relative luminances, as the WCAG define it: from 1 (the same
// luminance) to 21 (black on white).
double Contraste(Rgb une, Rgb autre);
