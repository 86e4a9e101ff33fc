// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/Navigateur.h"

#include "gui/settings/CheminsQt.h"
#include "gui/settings/FichierINI.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

TNavigateur::TNavigateur(QWidget *parent, Utilisateur &utilisateur, TFichierINI &parametres)
    : parent(parent)
    , utilisateur(utilisateur)
    , parametres(parametres)
{
}

bool TNavigateur::Choisit()
{
    for (;;) {
        DialogueFichier propose = dialogue;
        // Until a browser is stored, the desktop's own launcher is proposed: it opens the user's default browser,
        // and one Return takes it.
        if (propose.nomPropose.isEmpty() && parametres.LitNavigateur().isEmpty())
            propose.nomPropose = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
        const QString nom = utilisateur.FichierAOuvrir(parent, propose);
        if (nom.isEmpty())
            return false;
        dialogue.nomPropose = nom;
        const QFileInfo programme(nom);
        if (!programme.isFile() || !programme.isExecutable()) {
            utilisateur.Erreur(parent, QStringLiteral("%1 n'est pas un programme exécutable.").arg(nom));
            continue;
        }
        if (!parametres.EcritNavigateur(programme.absoluteFilePath())) {
            utilisateur.Erreur(parent, parametres.MessageEcritureImpossible());
            return false;
        }
        return true;
    }
}

void TNavigateur::Lance(const QString &page)
{
    // The page goes as one argument, never through a shell, and as an absolute path so that no browser takes a
    // name starting with "-" for one of its options. Qt hands arguments over in UTF-8: a name that is not UTF-8
    // goes as a "file:" address, which spells each of its bytes.
    const QString chemin = QFileInfo(page).absoluteFilePath();
    const QByteArray octets = EncodeNom(chemin);
    const QStringList arguments{octets == chemin.toUtf8()
                                    ? chemin
                                    : QStringLiteral("file://") + QString::fromLatin1(octets.toPercentEncoding("/"))};
    for (;;) {
        const QString navigateur = parametres.LitNavigateur();
        if (!navigateur.isEmpty() && QProcess::startDetached(navigateur, arguments))
            return;
        // A cancelled choice ends the command, even when the stored browser no longer starts.
        if (!Choisit() || parametres.LitNavigateur().isEmpty())
            return;
    }
}
