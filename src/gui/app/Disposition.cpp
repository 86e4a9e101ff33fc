// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/Disposition.h"

#include <algorithm>

QRect PlaceEnCascade(QSize zone, int rang)
{
    const QSize taille(std::max(zone.width() * 2 / 3, 480), std::max(zone.height() * 2 / 3, 320));
    constexpr int pas = 24;
    const int marge = std::min(zone.width() - taille.width(), zone.height() - taille.height());
    const int places = std::max(1, marge / pas + 1);
    const int decalage = pas * (rang % places);
    return QRect(QPoint(decalage, decalage), taille);
}

QList<QRect> PlacesEnMosaique(QSize zone, int nombre)
{
    QList<QRect> places;
    if (nombre <= 0)
        return places;
    const int hauteur = zone.height() / nombre;
    for (int rang = 0, y = 0; rang < nombre; ++rang, y += hauteur)
        places << QRect(0, y, zone.width(), rang == nombre - 1 ? zone.height() - y : hauteur);
    return places;
}

QList<QPoint> PlacesDesIcones(QSize zone, const QList<QSize> &tailles)
{
    QList<QPoint> places;
    int x = 0;
    int bas = zone.height();
    for (const QSize &taille : tailles) {
        if (x > 0 && x + taille.width() > zone.width()) {
            x = 0;
            bas -= taille.height();
        }
        places << QPoint(x, bas - taille.height());
        x += taille.width();
    }
    return places;
}
