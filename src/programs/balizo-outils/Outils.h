// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// balizo-outils: reads a page from a file or standard input, applies one of the editor's transformations and writes
// the result to standard output, byte for byte in the page's own encoding; or checks the links of pages. Returns the
// exit code: 0 when done, 1 when standard output could not be written or a link leads nowhere, 2 for a usage error
// or an input that could not be read (in which case nothing is written to standard output, but for the link check,
// which goes on with the other pages).
int LanceOutils(int argc, char **argv);

// The folder that holds the running program; empty when the system does not tell.
std::string DossierDuProgramme();
