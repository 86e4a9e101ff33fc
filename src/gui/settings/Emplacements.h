// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Where the program finds its data files and keeps its settings file.

// The path of "Balizo.ini": beside the executable when one is already there (a portable copy), otherwise in the
// user's configuration folder ($XDG_CONFIG_HOME/balizo).
QString CheminParametres();

// The folder of the recovery journals ($XDG_STATE_HOME/balizo/recuperation), not created.
QString DossierRecuperation();

// The path of a data file or folder ("Accents.txt", "Tags", "Aide/depart.htm"): beside the executable when it is
// there, otherwise in the installed data folder; beside the executable when it is in neither.
QString CheminDonnees(const QString &nom);
