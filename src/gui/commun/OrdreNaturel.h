// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCollator>

// The order in which file names are listed: "page2" before "page10", whatever the case of the letters. French, as
// the program is: in the C locale, Qt's collator would compare the names as plain text.
inline QCollator OrdreNaturel()
{
    QCollator ordre(QLocale(QLocale::French));
    ordre.setCaseSensitivity(Qt::CaseInsensitive);
    ordre.setNumericMode(true);
    return ordre;
}
