// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/Disposition.h"

#include <QtTest>

// The places of the document windows in cascade, in mosaic and as icons, over areas of every shape.
class TestDisposition : public QObject {
    Q_OBJECT

    static QList<QSize> Zones() { return {{1280, 900}, {800, 600}, {481, 321}, {300, 200}, {1000, 330}}; }

private slots:
    // The first window at the corner, each next one a step down and right, all of them inside the area when it is
    // large enough, and back to the corner before leaving it.
    void cascade()
    {
        for (const QSize zone : Zones()) {
            const QRect premiere = PlaceEnCascade(zone, 0);
            QCOMPARE(premiere.topLeft(), QPoint(0, 0));
            for (int rang = 1; rang < 60; ++rang) {
                const QRect place = PlaceEnCascade(zone, rang);
                const QRect avant = PlaceEnCascade(zone, rang - 1);
                QCOMPARE(place.size(), premiere.size());
                QVERIFY2(place.topLeft() == avant.topLeft() + QPoint(24, 24) || place.topLeft() == QPoint(0, 0),
                         qPrintable(QStringLiteral("%1x%2, rang %3").arg(zone.width()).arg(zone.height()).arg(rang)));
                if (zone.width() >= 480 && zone.height() >= 320)
                    QVERIFY(QRect(QPoint(0, 0), zone).contains(place));
            }
        }
        QCOMPARE(PlaceEnCascade({1280, 900}, 1), QRect(24, 24, 853, 600));
    }

    // The windows cover the area exactly, one below another, whatever their number.
    void mosaique()
    {
        for (const QSize zone : Zones())
            for (int nombre = 1; nombre <= 9; ++nombre) {
                const QList<QRect> places = PlacesEnMosaique(zone, nombre);
                QCOMPARE(places.size(), nombre);
                int y = 0;
                for (const QRect &place : places) {
                    QCOMPARE(place.left(), 0);
                    QCOMPARE(place.width(), zone.width());
                    QCOMPARE(place.top(), y);
                    QVERIFY(place.height() >= zone.height() / nombre);
                    y += place.height();
                }
                QCOMPARE(y, zone.height());
            }
        QVERIFY(PlacesEnMosaique({800, 600}, 0).isEmpty());
    }

    // The icons line up from the bottom left corner, a new row above when the next would cross the right edge.
    void icones()
    {
        const QList<QSize> tailles{{160, 30}, {160, 30}, {160, 30}, {200, 30}};
        QCOMPARE(PlacesDesIcones({500, 400}, tailles),
                 (QList<QPoint>{{0, 370}, {160, 370}, {320, 370}, {0, 340}}));
        // An icon wider than the area stays at the left of its own row.
        QCOMPARE(PlacesDesIcones({100, 400}, {{160, 30}, {160, 30}}), (QList<QPoint>{{0, 370}, {0, 340}}));
    }
};

QTEST_APPLESS_MAIN(TestDisposition)
#include "tst_disposition.moc"
