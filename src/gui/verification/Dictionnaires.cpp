// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/verification/Dictionnaires.h"

#include <QLocale>

QString NomDeDictionnaire(const QString &dictionnaire)
{
    const QLocale langue(dictionnaire);
    if (langue.language() == QLocale::C)
        return dictionnaire;
    QString texte = dictionnaire + QStringLiteral(" — ") + langue.nativeLanguageName();
    if (dictionnaire.contains(u'_') || dictionnaire.contains(u'-'))
        texte += QStringLiteral(" (%1)").arg(langue.nativeTerritoryName());
    return texte;
}
