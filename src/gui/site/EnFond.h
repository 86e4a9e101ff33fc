// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>

class QWidget;
struct SuiviRecherche;

// Runs a work across the site's files on another thread while the windows keep painting; the user's input waits
// meanwhile. Past half a second, a modal progress bar with "Annuler" shows, the work telling through the follow-up
// how many of its files are done, of how many, and polling its "Annuler". False when the user cancelled; an
// exception that the work threw is thrown again here.
bool EnFond(QWidget *parent, const QString &titre, const QString &texte,
            const std::function<void(SuiviRecherche &)> &travail);
