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
    // Empties the text and the list. Like every change the program makes, it emits no signal: the change
    // handlers of the dialogs follow the user's edits only.
    void Vide();
    QStringList Entrees() const;

private:
    Ordre ordre;
};
