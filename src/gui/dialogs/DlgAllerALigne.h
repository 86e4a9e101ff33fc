// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QSpinBox;

// Asks for the number of the line to go to, within the page's lines.
class TDlgAllerALigne : public QDialog {
    Q_OBJECT

public:
    // Proposes the caret's line, from 1 to the number of lines.
    TDlgAllerALigne(QWidget *parent, int ligne, int nombreDeLignes);

    // The line chosen, from 1.
    int Ligne() const;

private:
    QSpinBox *numero;
};
