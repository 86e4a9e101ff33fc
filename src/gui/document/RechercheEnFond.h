// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <functional>

class TEditHTML;
struct Suivi;

// Runs a search of the page on another thread, so that the window keeps painting: the page is read-only meanwhile
// and the user's input waits; past half a second, a modal progress bar with "Annuler" shows. The search reads only
// its own copy of the text, of `taille` bytes, and tells through the follow-up how far it has gone. False when the
// user cancelled; an exception that the search threw is thrown again here.
bool RechercheEnFond(TEditHTML &edit, std::size_t taille, const std::function<void(Suivi &)> &recherche);
