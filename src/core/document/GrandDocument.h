// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string_view>

// Above these sizes Scintilla needs seconds to wrap or colour a text, and the program would seem frozen.

inline constexpr std::size_t TailleMaximaleRetourALaLigne = 2 * 1024 * 1024;
inline constexpr std::size_t LongueurMaximaleDeLigne = 100'000;
inline constexpr std::size_t TailleMaximaleColoration = 16 * 1024 * 1024;

// The length in bytes of the text's longest line, line ends left out.
std::size_t LongueurPlusLongueLigne(std::string_view texte);

// How a text of this size, whose longest line has this length, is shown.
struct Affichage {
    bool retourALaLigne;
    bool coloration;
};
Affichage AffichagePour(std::size_t taille, std::size_t plusLongueLigne);
