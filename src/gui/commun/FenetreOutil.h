// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QAbstractItemView;

// A tool window that stays in front of the frame and serves the keyboard: it opens with the keyboard on its list,
// Return on the list does what a double click does, and Escape closes it; once it has written into a page, the
// keyboard goes back to that page.
class TFenetreOutil : public QWidget {
    Q_OBJECT

public:
    // Shows the window in front with the keyboard on its list, at its current entry, or at the first one when there
    // is none.
    void Montre();

protected:
    explicit TFenetreOutil(QWidget *parent);

    // The list that holds the keyboard; Return on it calls Valide.
    void ListeAuClavier(QAbstractItemView *liste);
    // What a double click on the list does.
    virtual void Valide() = 0;
    // Gives the keyboard back to the text of a page, in its window.
    static void RendClavier(QWidget *texte);

    bool eventFilter(QObject *objet, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

    QAbstractItemView *liste = nullptr;
};
