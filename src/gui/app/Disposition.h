// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

// Where the document windows go in the frame's area: functions of the area's size and of the windows alone.

// The place of the window of that rank in a cascade: two thirds of the area (at least 480 by 320), each window a
// step below and right of the one before, back to the top left corner before a window would leave the area.
QRect PlaceEnCascade(QSize zone, int rang);

// The places of that many windows one above another, each across the whole width, the last one taking the rows
// that the division leaves.
QList<QRect> PlacesEnMosaique(QSize zone, int nombre);

// The top left corners of minimised windows of these sizes, in rows along the bottom of the area from the left: a
// window that would cross the right edge starts a new row above, unless it is the first of its row.
QList<QPoint> PlacesDesIcones(QSize zone, const QList<QSize> &tailles);
