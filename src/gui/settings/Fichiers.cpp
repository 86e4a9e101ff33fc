// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/settings/Fichiers.h"

#include "core/settings/EcritureSure.h"
#include "core/settings/Ouverture.h"
#include "gui/settings/CheminsQt.h"

#include <QFile>

#include <cerrno>

#include <unistd.h>

bool OuvreEnLecture(const QString &nom, QFile &fichier)
{
    const auto ouvert = OuvreSansAttendre(EncodeNom(nom).toStdString());
    if (!ouvert) {
        errno = ouvert.Pourquoi().value();
        return false;
    }
    const int fd = *ouvert;
    if (!fichier.open(fd, QIODevice::ReadOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        errno = EIO;
        return false;
    }
    return true;
}

bool EcritFichier(const QString &nom, std::initializer_list<std::string_view> morceaux)
{
    // The name goes to the system as its bytes, so that a name that is not UTF-8 is written, and never one that Qt
    // would spell otherwise.
    return static_cast<bool>(EcritFichier(EncodeNom(nom).toStdString(), morceaux));
}
