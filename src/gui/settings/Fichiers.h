// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QFile;

#include <initializer_list>
#include <string_view>

// Reading and writing the files that the user names: pages, desktops, settings, data files.

// Opens the file for reading in `fichier`, without ever waiting: only a regular file is opened, and a named pipe, a
// device or a folder counts as a file that cannot be opened. False when it is not open; errno then tells why.
bool OuvreEnLecture(const QString &nom, QFile &fichier);

// Writes the pieces, in order, as the whole content of the file, through the core's one safe save (EcritureSure.h):
// every byte checked, the file left as it was on a failure, its links, permissions, owner and attributes kept. True
// when every byte is on disk under that name.
bool EcritFichier(const QString &nom, std::initializer_list<std::string_view> morceaux);
