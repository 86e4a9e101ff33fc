#include "core/document/GrandDocument.h"

#include <QtTest>

#include <string>

class TestGrandDocument : public QObject {
    Q_OBJECT

private slots:
    void plusLongueLigne_data()
    {
        QTest::addColumn<QByteArray>("texte");
        QTest::addColumn<int>("longueur");
        QTest::newRow("texte vide") << QByteArray() << 0;
        QTest::newRow("une ligne sans fin") << QByteArray("abcd") << 4;
        QTest::newRow("CR LF ne compte pas") << QByteArray("ab\r\nabc\r\n") << 3;
        QTest::newRow("fins CR seules") << QByteArray("a\rabcde\rab") << 5;
        QTest::newRow("la dernière est la plus longue") << QByteArray("a\nab\nabcdef") << 6;
        QTest::newRow("fins mêlées") << QByteArray("abc\r\n\n\rabcd\rx") << 4;
    }

    void plusLongueLigne()
    {
        QFETCH(QByteArray, texte);
        QFETCH(int, longueur);
        QCOMPARE(LongueurPlusLongueLigne(std::string_view(texte.constData(), texte.size())), std::size_t(longueur));
    }

    // Each bound exactly, then one byte above it.
    void affichage_data()
    {
        QTest::addColumn<qulonglong>("taille");
        QTest::addColumn<qulonglong>("plusLongueLigne");
        QTest::addColumn<bool>("retourALaLigne");
        QTest::addColumn<bool>("coloration");
        constexpr qulonglong Mo = 1024 * 1024;
        QTest::newRow("2 Mo tout juste: retour à la ligne") << 2 * Mo << 80ull << true << true;
        QTest::newRow("2 Mo et un octet: sans retour, coloré") << 2 * Mo + 1 << 80ull << false << true;
        QTest::newRow("16 Mo tout juste: coloré") << 16 * Mo << 80ull << false << true;
        QTest::newRow("16 Mo et un octet: ni retour ni couleurs") << 16 * Mo + 1 << 80ull << false << false;
        QTest::newRow("ligne de 100 000 octets: retour et couleurs") << 200'000ull << 100'000ull << true << true;
        QTest::newRow("ligne de 100 001 octets: ni retour ni couleurs") << 200'000ull << 100'001ull << false << false;
    }

    void affichage()
    {
        QFETCH(qulonglong, taille);
        QFETCH(qulonglong, plusLongueLigne);
        QFETCH(bool, retourALaLigne);
        QFETCH(bool, coloration);
        const Affichage affichage = AffichagePour(taille, plusLongueLigne);
        QCOMPARE(affichage.retourALaLigne, retourALaLigne);
        QCOMPARE(affichage.coloration, coloration);
    }

    void finsCrSeulesEnUnePasse()
    {
        // Lines ended by CR alone must not make the search for LF start again from each line.
        std::string texte;
        for (int i = 0; i < 200'000; ++i)
            texte += "abcdefghi\r";
        QCOMPARE(LongueurPlusLongueLigne(texte), std::size_t(9));
    }
};

QTEST_APPLESS_MAIN(TestGrandDocument)
#include "tst_granddocument.moc"
