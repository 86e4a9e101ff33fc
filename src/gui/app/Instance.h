// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocalServer>

#include <string>
#include <vector>

class TMDIHtml;

// One running editor per user and display: a later start hands the files it names to the one that listens on the
// local server, which comes to the front and opens them as the open dialog does.
class TInstance : public QObject {
    Q_OBJECT

public:
    // The local server of the user's editor on the display so named, in the user's own runtime folder; empty when
    // there is no such folder, or no display that another editor could share.
    static QString NomDuServeur(const std::string &affichage);
    // Hands the files, by their full names, to the editor listening there: true when it took them within a second.
    // Later, it does not open them: this one must.
    static bool Confie(const QString &serveur, const std::vector<std::string> &fichiers);

    // Listens there, in place of a socket that no running editor holds any more; without the server, when another
    // editor still holds it.
    TInstance(const QString &serveur, TMDIHtml &principal);

private:
    void Accueille();
    void Recoit(const std::vector<std::string> &fichiers);

    TMDIHtml &principal;
    QLocalServer serveur;
};
