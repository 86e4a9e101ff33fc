// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/verification/Langues.h"

#include <QString>

#include <cstddef>

// What is read before the words of a page to know whether they are in a tag, a comment or a script, and in which
// language.
constexpr std::size_t Recul = 64 << 10;

// How a dictionary is shown to the user: its name, with the language's own name when Qt knows it
// ("fr_CA — français (Canada)").
QString NomDeDictionnaire(const QString &dictionnaire);
