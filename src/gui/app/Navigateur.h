// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/commun/Utilisateur.h"

class QWidget;
class TFichierINI;

// The browser that shows the pages: the user's choice, stored in the settings file, and its launch.
class TNavigateur {
public:
    // The dialogs and messages belong to `parent`.
    TNavigateur(QWidget *parent, Utilisateur &utilisateur, TFichierINI &parametres);

    // Asks for the browser and stores its full path; true when one was chosen and stored.
    bool Choisit();
    // Starts the chosen browser on the page, asking for a browser until one starts or none is chosen.
    void Lance(const QString &page);

private:
    QWidget *parent;
    Utilisateur &utilisateur;
    TFichierINI &parametres;
    // All files shown; only an executable file is taken.
    DialogueFichier dialogue{QStringLiteral("Choix du navigateur..."), QStringLiteral("Fichiers éxécutables|*"), {},
                             true, {}};
};
