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

// Writes the pieces, in order, as the whole content of the file: into a file beside it that then replaces it, or,
// when the folder takes no new file or the file has other names (hard links), into the file itself. Every byte is
// checked: a write that the system refuses in part (a full disk, a file-size limit) is a failure, and the file is
// then left as it was (except in place, where what was there may be lost). A symbolic link stays a link to the file
// written; the file keeps its permissions and, where the system allows, its owner, group and extended attributes.
// True when every byte is on disk under that name.
bool EcritFichier(const QString &nom, std::initializer_list<std::string_view> morceaux);
