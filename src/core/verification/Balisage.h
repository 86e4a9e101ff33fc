// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/verification/Probleme.h"

#include <string_view>
#include <vector>

// The mark-up faults of a page, as HTML Tidy reports them, in French (MessagesTidy.h): errors as
// Probleme::Sorte::Erreur, warnings as Avertissement, in the order of the text. The page is UTF-8 and is never
// changed. Safe to call from any thread; each call has its own Tidy document.
std::vector<Probleme> VerifieBalisage(std::string_view texte);
