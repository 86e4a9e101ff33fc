// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/settings/Emplacements.h"

#include "core/settings/Chemins.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

QString CheminParametres()
{
    const QString dossierProgramme = QCoreApplication::applicationDirPath();
    const EmplacementParametres emplacement = ChoixEmplacementParametres(
        QFile::encodeName(dossierProgramme).toStdString(),
        QFileInfo(QDir(dossierProgramme).filePath(QStringLiteral("Balizo.ini"))).isFile(),
        DossierConfiguration(qgetenv("XDG_CONFIG_HOME").toStdString(),
                             QFile::encodeName(QDir::homePath()).toStdString()));
    if (!emplacement.dossierACreer.empty())
        QDir().mkpath(QFile::decodeName(QByteArray::fromStdString(emplacement.dossierACreer)));
    return QFile::decodeName(QByteArray::fromStdString(emplacement.fichier));
}

QString DossierRecuperation()
{
    return QFile::decodeName(QByteArray::fromStdString(
        ::DossierRecuperation(qgetenv("XDG_STATE_HOME").toStdString(), QFile::encodeName(QDir::homePath()).toStdString())));
}

QString CheminDonnees(const QString &nom)
{
    const std::vector<std::string> candidats =
        CandidatsDonnees(QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString(),
                         BALIZO_DOSSIER_DONNEES, QFile::encodeName(nom).toStdString());
    for (const std::string &candidat : candidats) {
        const QString chemin = QFile::decodeName(QByteArray::fromStdString(candidat));
        if (QFileInfo::exists(chemin))
            return QDir::cleanPath(chemin);
    }
    return QFile::decodeName(QByteArray::fromStdString(candidats.front()));
}
