// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/document/Motif.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

// The replace dialog, modeless and shared by every document: the search text, its replacement and their options.
// It stays open while the user goes from one occurrence to the next.
class TDlgRemplacer : public QDialog {
    Q_OBJECT

public:
    explicit TDlgRemplacer(QWidget *parent);

    // The texts as typed; they stay when the dialog closes.
    QString Texte() const;
    // Puts that text in the search text, ready to be typed over; an empty one leaves the last text.
    void ProposeTexte(const QString &propose);
    QString Remplacement() const;
    OptionsMotif Options() const;

protected:
    void showEvent(QShowEvent *evenement) override;

signals:
    // The buttons: the next occurrence; the selected occurrence replaced, then the next one; every occurrence.
    void Suivant();
    void Remplacer();
    void RemplacerTout();

private:
    QLineEdit *texte;
    QLineEdit *remplacement;
    QCheckBox *motEntier;
    QCheckBox *casse;
    QCheckBox *expression;
};
