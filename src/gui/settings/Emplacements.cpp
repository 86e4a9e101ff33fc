#include "gui/settings/Emplacements.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString CheminParametres()
{
    const QString dossierProgramme = QCoreApplication::applicationDirPath();
    if (QFileInfo(dossierProgramme).isWritable())
        return dossierProgramme + QStringLiteral("/Balizo.ini");
    const QString dossier =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/balizo");
    QDir().mkpath(dossier);
    return dossier + QStringLiteral("/Balizo.ini");
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
