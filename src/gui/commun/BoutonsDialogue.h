#pragma once

class QBoxLayout;
class QDialog;
class QPushButton;

// Puts "OK" (the default button) and "Annuler" (which rejects the dialog) at the bottom right of the dialog's
// layout, and fixes the dialog at the size its texts take in the user's font. What "OK" does is the dialog's own.
void AjouteBoutons(QDialog &dialogue, QBoxLayout &disposition, QPushButton *ok, QPushButton *annuler);
