#include "gui/settings/Emplacements.h"

#include "core/settings/Chemins.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

QString CheminParametres()
{
    const QString dossierProgramme = QCoreApplication::applicationDirPath();
    const EmplacementParametres emplacement = ChoixEmplacementParametres(
        QFile::encodeName(dossierProgramme).toStdString(), QFileInfo(dossierProgramme).isWritable(),
        QFile::encodeName(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)).toStdString());
    if (!emplacement.dossierACreer.empty())
        QDir().mkpath(QFile::decodeName(QByteArray::fromStdString(emplacement.dossierACreer)));
    return QFile::decodeName(QByteArray::fromStdString(emplacement.fichier));
}

QString CheminDonnees(const QString &nom)
{
    const QString aCote = QCoreApplication::applicationDirPath() + u'/' + nom;
    if (QFileInfo::exists(aCote))
        return aCote;
    const QStringList installes = {
        QCoreApplication::applicationDirPath() + QStringLiteral("/../share/balizo/") + nom,
        QStringLiteral(BALIZO_DOSSIER_DONNEES "/") + nom,
    };
    for (const QString &chemin : installes) {
        if (QFileInfo::exists(chemin))
            return QDir::cleanPath(chemin);
    }
    return aCote;
}
