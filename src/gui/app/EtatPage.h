// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QLabel;
class QStatusBar;
class TWndHTML;

// The lasting part of the status bar: where the caret is in the active page (line, column, length of the
// selection), its encoding, its line end, and whether it is modified.
class TEtatPage : public QObject {
    Q_OBJECT

public:
    explicit TEtatPage(QStatusBar *barre);

    // Tells of the page; without one, shows nothing.
    void Montre(TWndHTML *page);

private:
    QLabel *position;
    QLabel *encodage;
    QLabel *finDeLigne;
    QLabel *modifie;
};
