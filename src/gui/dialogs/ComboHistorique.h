// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QComboBox>

// An editable combo box whose list is a history of the texts the user confirmed: no entry twice, letter case
// aside; a sorted one keeps its entries in alphabetical order, the others in the order of addition.
class TComboHistorique : public QComboBox {
    Q_OBJECT

public:
    enum class Ordre { Ajout, Alphabetique };

    explicit TComboHistorique(Ordre ordre, QWidget *parent = nullptr);

    // Adds the text to the list unless it is empty or already there; the text being edited stays as it is, and no
    // signal is emitted.
    void AjouteHistorique(const QString &texte);
    // Appends texts known to be new and distinct at once, in a list kept in order of addition: a page may define
    // thousands of anchors, which the history rule would compare each with all the others.
    void AjouteNouveaux(const QStringList &textes);
    // Empties the text and the list. Like every change the program makes, it emits no signal: the change
    // handlers of the dialogs follow the user's edits only.
    void Vide();
    QStringList Entrees() const;

private:
    // Inserts the texts at the place without a signal, the text being edited kept as it is.
    void Insere(int place, const QStringList &textes);

    Ordre ordre;
};
