// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/texte/Resultat.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Reading and writing one key of a profile (INI) file's bytes. Section and key names are compared without regard to
// ASCII case; a line starting with ';' is a comment; the first matching section and the first matching key count.
// The bytes are UTF-8 when valid, otherwise Windows-1252; names and values are given and returned in UTF-8.

// The most characters of a value that a read returns.
constexpr std::size_t LongueurMaximaleValeur = 1023;

// The value of the key in the section, without the double quotes around it, cut to LongueurMaximaleValeur characters;
// nothing when the section or the key is absent.
std::optional<std::string> LitProfil(std::string_view octets, std::string_view section, std::string_view cle);

// Why a value cannot be written.
enum class ErreurProfil { ValeurSurPlusieursLignes };

// The file's bytes with the key of the section set to the value, every other line kept byte for byte; fails when the
// value holds a line break.
Resultat<std::string, ErreurProfil> EcritProfil(std::string_view octets, std::string_view section,
                                                std::string_view cle, std::string_view valeur);
