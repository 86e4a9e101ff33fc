// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QWidget>

#include <string>
#include <string_view>
#include <vector>

class QCheckBox;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class TComboHistorique;

// An open document as the hyperlink dialog sees it: its file name and its text.
struct DocumentOuvert {
    QString chemin;
    std::string_view texte;
};

// An edit field over a list that stays open: choosing an entry, with the mouse or the arrow keys, puts it in the
// field; typing selects the first entry that starts with the typed text, without changing the field.
class TComboSimple : public QWidget {
    Q_OBJECT

public:
    explicit TComboSimple(QWidget *parent = nullptr);

    QString Texte() const;
    // Empties the field and the list. Like every change the program makes, it emits no signal.
    void Vide();
    // Appends the entries to the list, without a signal; the field stays as it is.
    void Ajoute(const QStringList &entrees);
    QStringList Entrees() const;

signals:
    // The user typed in the field or chose an entry of the list.
    void Change();

protected:
    bool eventFilter(QObject *objet, QEvent *evenement) override;

private:
    void Choisit(QListWidgetItem *entree);
    void SelectionneDebut(const QString &texte);

    QLineEdit *edition;
    QListWidget *liste;
};

// Builds an anchor element that points to a web address, to an anchor of the page or to another file given by a
// path relative to the page. Created once, so its fields and histories carry over for the whole run.
class TDlgInsertionHyperlien : public QDialog {
    Q_OBJECT

public:
    explicit TDlgInsertionHyperlien(QWidget *parent);

    // Prepares the dialog for the active document, the other open documents given in the frame's order.
    void Prepare(const DocumentOuvert &actif, const std::vector<DocumentOuvert> &autres);

    const std::string &Ouverture() const { return ouverture; }
    const std::string &Fermeture() const { return fermeture; }

private:
    void MajAbsolu();
    void MajLocal();
    void MajRelatif();
    void Ok();

    TComboHistorique *protocole;
    TComboHistorique *adresse;
    TComboSimple *ancreLocale;
    TComboHistorique *fichier;
    TComboHistorique *ancre;
    TComboHistorique *url;
    QLineEdit *description;
    QCheckBox *italique;
    // The kind of link last edited by the user.
    enum class Lien { Absolu, Local, Relatif };
    Lien typeLien = Lien::Absolu;
    // The folder of the active document when the dialog was last shown, with its final "/".
    QString dossierCourant;
    std::string ouverture;
    std::string fermeture;
};
