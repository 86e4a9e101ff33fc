// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/verification/Probleme.h"

#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

class TEditHTML;

// The problems that the checks find, marked in a page's text: mark-up faults framed, red for errors and amber for
// warnings, links that lead nowhere dashed, links not checked dotted, unknown words waved; their lines carry a mark
// in the margin.

// Gives the text control the look of each kind of mark.
void PrepareMarques(TEditHTML &texte);
// Marks the problems in the text, each kind its own way, and their lines in the margin, in place of all those
// marked before (the unknown words that the view's check marks included).
void MarqueProblemes(TEditHTML &texte, const std::vector<Probleme> &problemes);
// Marks the unknown words between debut and fin, in text order, in place of those marked there before; marks
// already as they should be are left as they are.
void MarqueFautes(TEditHTML &texte, std::size_t debut, std::size_t fin,
                  const std::vector<std::pair<std::size_t, std::size_t>> &fautes);
// The word marked unknown at that byte: its first byte and the byte after it.
std::optional<std::pair<std::size_t, std::size_t>> FauteA(const TEditHTML &texte, std::size_t position);
