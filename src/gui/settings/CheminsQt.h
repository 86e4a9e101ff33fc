// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/settings/Chemins.h"

#include <QByteArray>
#include <QString>

// The path functions on Qt strings. A name reaches the file system through EncodeNom and comes back from it through
// DecodeNom: unlike QFile's, they give back every name byte for byte, UTF-8 or not.

inline QString DecodeNom(std::string_view octets)
{
    return QString::fromStdU16String(NomEnUtf16(octets));
}

inline QString DecodeNom(const QByteArray &octets)
{
    return DecodeNom(std::string_view(octets.constData(), static_cast<std::size_t>(octets.size())));
}

inline QByteArray EncodeNom(const QString &nom)
{
    return QByteArray::fromStdString(NomEnOctets(nom.toStdU16String()));
}

// The name as the user reads it, in a caption, a menu or a message.
inline QString NomAffiche(const QString &nom)
{
    return QString::fromStdU16String(NomLisible(nom.toStdU16String()));
}

inline QString CheminLong(const QString &chemin)
{
    return DecodeNom(CheminLong(EncodeNom(chemin).toStdString()));
}

inline QString CheminRelatif(const QString &cible, const QString &base)
{
    return DecodeNom(CheminRelatif(EncodeNom(cible).toStdString(), EncodeNom(base).toStdString()));
}
