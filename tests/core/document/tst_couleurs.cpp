// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/document/Couleurs.h"

#include <QtTest>

class TestCouleurs : public QObject {
    Q_OBJECT

private slots:
    void contraste_data()
    {
        QTest::addColumn<uint>("une");
        QTest::addColumn<uint>("autre");
        QTest::addColumn<double>("rapport");
        QTest::newRow("noir sur blanc") << 0x000000u << 0xffffffu << 21.0;
        QTest::newRow("même couleur") << 0x336699u << 0x336699u << 1.0;
        QTest::newRow("gris le plus clair lisible sur blanc") << 0x767676u << 0xffffffu << 4.54;
        QTest::newRow("dans l'autre ordre") << 0xffffffu << 0x767676u << 4.54;
        QTest::newRow("le vert compte plus que le bleu") << 0x00ff00u << 0x0000ffu << 6.26;
    }

    void contraste()
    {
        QFETCH(uint, une);
        QFETCH(uint, autre);
        QFETCH(double, rapport);
        QCOMPARE(std::round(Contraste(une, autre) * 100) / 100, rapport);
    }

    void lisible_data()
    {
        QTest::addColumn<bool>("sombre");
        QTest::newRow("clair") << false;
        QTest::newRow("sombre") << true;
    }

    // Every style's text, the line numbers, the selected text and the caret stand out from what is behind them by
    // the ratio that the WCAG ask of ordinary text; a style is given once, and the dark scheme's page is dark.
    void lisible()
    {
        QFETCH(bool, sombre);
        const std::span<const CouleursStyle> styles = CouleursHtml(sombre);
        QCOMPARE(styles.front().style, 0);
        int precedent = -1;
        for (const CouleursStyle &style : styles) {
            QVERIFY2(style.style > precedent, qPrintable(QString::number(style.style)));
            precedent = style.style;
            QVERIFY2(Contraste(style.encre, style.fond) >= 4.5, qPrintable(QString::number(style.style)));
        }
        const Rgb page = styles.front().fond;
        QCOMPARE(Contraste(page, 0x000000) < Contraste(page, 0xffffff), sombre);
        const CouleursAutour &autour = CouleursAutourDuTexte(sombre);
        QVERIFY(Contraste(autour.numeros, autour.marge) >= 4.5);
        QVERIFY(Contraste(autour.texteSelection, autour.selection) >= 4.5);
        QVERIFY(Contraste(autour.curseur, page) >= 4.5);
    }
};

QTEST_APPLESS_MAIN(TestCouleurs)
#include "tst_couleurs.moc"
