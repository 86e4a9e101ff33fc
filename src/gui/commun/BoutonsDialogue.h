// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QBoxLayout;
class QDialog;
class QPushButton;
class QString;
class QWidget;

// Puts "OK" (the default button) and "Annuler" (which rejects the dialog) at the bottom right of the dialog's
// layout, and fixes the dialog at the size its texts take in the user's font. What "OK" does is the dialog's own.
void AjouteBoutons(QDialog &dialogue, QBoxLayout &disposition, QPushButton *ok, QPushButton *annuler);

// Lays out a dialog of one field: its label (whose access letter reaches the field) above it in a framed panel, the
// field some 40 characters wide, then the buttons as AjouteBoutons puts them.
void DisposeUnChamp(QDialog &dialogue, const QString &libelle, QWidget *champ, QPushButton *ok, QPushButton *annuler);
