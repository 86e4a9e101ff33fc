// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/document/GrandDocument.h"

#include <QtTest>

class TestGrandDocument : public QObject {
    Q_OBJECT

private slots:
    void plusLongueLigne()
    {
        const auto longueur = [](const QByteArray &t) { return int(LongueurPlusLongueLigne({t.constData(), std::size_t(t.size())})); };
        QCOMPARE(longueur(""), 0);
        QCOMPARE(longueur("a\rabcde\rabcdef"), 6);
        QCOMPARE(longueur("abc\r\n\n\rabcd\rx"), 4);
        // Lines ended by CR alone must not make the search for LF start again from each line.
        QCOMPARE(longueur(QByteArray("abcdefghi\r").repeated(200'000)), 9);
    }

    // Each bound exactly, then one byte above it.
    void affichage_data()
    {
        QTest::addColumn<qulonglong>("taille");
        QTest::addColumn<qulonglong>("plusLongueLigne");
        QTest::addColumn<bool>("retourALaLigne");
        QTest::addColumn<bool>("coloration");
        constexpr qulonglong Mo = 1024 * 1024;
        const std::tuple<qulonglong, qulonglong, bool, bool> lignes[] = {
            {2 * Mo, 80, true, true},      {2 * Mo + 1, 80, false, true},          {16 * Mo, 80, false, true},
            {16 * Mo + 1, 80, false, false}, {200'000, 100'000, true, true}, {200'000, 100'001, false, false}};
        for (const auto &[taille, ligne, retour, couleurs] : lignes)
            QTest::addRow("%llu octets, ligne de %llu", taille, ligne) << taille << ligne << retour << couleurs;
    }

    void affichage()
    {
        QFETCH(qulonglong, taille);
        QFETCH(qulonglong, plusLongueLigne);
        const Affichage affichage = AffichagePour(taille, plusLongueLigne);
        QTEST(affichage.retourALaLigne, "retourALaLigne");
        QTEST(affichage.coloration, "coloration");
    }
};

QTEST_APPLESS_MAIN(TestGrandDocument)
#include "tst_granddocument.moc"
