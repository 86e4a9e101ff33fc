#pragma once

#include "core/settings/Chemins.h"

#include <QFile>
#include <QString>

// The path functions on Qt strings, through the file system's own encoding of names.

inline QString CheminLong(const QString &chemin)
{
    return QFile::decodeName(QByteArray::fromStdString(CheminLong(QFile::encodeName(chemin).toStdString())));
}

inline QString CheminRelatif(const QString &cible, const QString &base)
{
    return QFile::decodeName(QByteArray::fromStdString(
        CheminRelatif(QFile::encodeName(cible).toStdString(), QFile::encodeName(base).toStdString())));
}
