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
