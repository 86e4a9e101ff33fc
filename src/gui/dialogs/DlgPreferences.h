// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/settings/FichierINI.h"

#include <QDialog>
#include <QFont>
#include <QString>
#include <QStringList>

class QCheckBox;
class QComboBox;
class QFontComboBox;
class QLineEdit;
class QSpinBox;
class Utilisateur;

// The settings that the preferences dialog shows and gives back.
struct Reglages {
    QFont fonte;
    QString navigateur;
    bool orthographe = true;
    QString dictionnaire;
    bool fermeBalises = true;
    bool onglets = false;
    bool rouvrirSession = true;
    bool fenetresMaximisees = false;
    Schema schema = Schema::Clair;
};

// Every setting of the program in one dialog: the document font, the browser, the spelling and its dictionary,
// the closing of tags, the pages as tabs or windows, the last session, and the colours. It only gives back what the
// user chose; "OK" refuses a browser that is not an executable file.
class TDlgPreferences : public QDialog {
    Q_OBJECT

public:
    // Shows the settings as they are; `dictionnaires` are the names of the installed ones.
    TDlgPreferences(QWidget *parent, Utilisateur &utilisateur, const Reglages &reglages,
                    const QStringList &dictionnaires);

    Reglages Choisis() const;

private:
    void ChoisitNavigateur();
    void Ok();

    Utilisateur &utilisateur;
    QFontComboBox *famille;
    QSpinBox *taille;
    QComboBox *schema;
    QLineEdit *navigateur;
    QCheckBox *orthographe;
    QComboBox *dictionnaire;
    QCheckBox *fermeBalises;
    QCheckBox *onglets;
    QCheckBox *rouvrirSession;
    QCheckBox *fenetresMaximisees;
    QString dictionnaireInitial;
    QFont fonteInitiale;
    QString familleMontree;
};
