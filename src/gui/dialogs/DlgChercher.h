// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

// The find dialog, modeless and shared by every document: the search text and its two options.
class TDlgChercher : public QDialog {
    Q_OBJECT

public:
    explicit TDlgChercher(QWidget *parent);

    // The search text as typed; it stays when the dialog closes.
    QString Texte() const;
    // Puts that text in the search text, ready to be typed over; an empty one leaves the last text.
    void ProposeTexte(const QString &propose);
    bool RespecterCasse() const;
    bool MotEntier() const;

protected:
    void showEvent(QShowEvent *evenement) override;

signals:
    // The user asked for the next occurrence.
    void Suivant();
    // The search text changed: the documents refresh their "&Suivant".
    void TexteModifie();

private:
    QLineEdit *texte;
    QCheckBox *motEntier;
    QCheckBox *casse;
    QPushButton *suivant;
};
