// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>

class QWidget;

// Runs a work on another thread while the windows keep painting; the user's input waits meanwhile. A quick work ends
// before anything shows; past half a second, a modal progress bar with "Annuler" shows, filled by `avancement` (the
// share done, in thousandths) and whose "Annuler" calls `annule`, which the work is to poll. Returns once the work
// has ended; an exception that the work threw is thrown again here.
void TravailEnFond(QWidget *parent, const QString &titre, const QString &texte, const std::function<void()> &travail,
                   const std::function<int()> &avancement, const std::function<void()> &annule);
