// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/document/Motif.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;
class TComboHistorique;
class Utilisateur;

// What a search across files looks for, what it replaces it with, and where: the files whose names match the
// filter ("*.htm;*.html"), in the folder and the folders under it.
struct RechercheDemandee {
    QString texte;
    QString remplacement;
    OptionsMotif options;
    QString filtre;
    QString dossier;
};

// The dialog of the search and the replacement across files, modeless, shared by the whole run: the search text and
// its replacement with the options of "Re&mplacer...", the file-name filter, and the site's folder or one that the
// user chooses. Each field keeps the history of the texts used.
class TDlgRechercheFichiers : public QDialog {
    Q_OBJECT

public:
    TDlgRechercheFichiers(QWidget *parent, Utilisateur &utilisateur);

    // The site's folder, which "Dans le site" searches; none when empty, and then the chosen folder is searched.
    void ProposeSite(const QString &dossier);
    // Puts that text in the search text, ready to be typed over; an empty one leaves the last text.
    void ProposeTexte(const QString &propose);
    // The keyboard goes to the replacement, for "Remplacer dans les fichiers".
    void VersRemplacement();

    // What the fields say now.
    RechercheDemandee Demande() const;
    // Keeps the texts of the fields in their histories, once a search has started with them.
    void NoteHistoriques();

signals:
    // "&Rechercher" and "Re&mplacer...".
    void Rechercher();
    void Remplacer();

protected:
    void showEvent(QShowEvent *evenement) override;

private:
    TComboHistorique *texte;
    TComboHistorique *remplacement;
    TComboHistorique *filtre;
    QRadioButton *dansSite;
    QRadioButton *dansDossier;
    QLabel *site;
    TComboHistorique *dossier;
    QCheckBox *motEntier;
    QCheckBox *casse;
    QCheckBox *expression;
    QString siteCourant;
    bool versRemplacement = false;
};
