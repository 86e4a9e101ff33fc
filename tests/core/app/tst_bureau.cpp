#include "core/app/Bureau.h"

#include <QtTest>

using Noms = std::vector<std::string>;
Q_DECLARE_METATYPE(Noms)

class TstBureau : public QObject {
    Q_OBJECT

private slots:
    void allerRetour()
    {
        const Noms noms = {"/home/u/Mes pages/index.htm", " espace devant.htm", "/srv/été/çà.html"};
        const std::string contenu = EcritBureau(noms);
        QCOMPARE(contenu, std::string("/home/u/Mes pages/index.htm\n espace devant.htm\n/srv/été/çà.html\n"));
        QCOMPARE(LitBureau(contenu), noms);
        QCOMPARE(EcritBureau({}), std::string());
    }

    void litBureau_data()
    {
        QTest::addColumn<QByteArray>("contenu");
        QTest::addColumn<Noms>("noms");
        QTest::newRow("vide") << QByteArray() << Noms{};
        QTest::newRow("fins CR LF") << QByteArray("a.htm\r\nb.htm\r\n") << Noms{"a.htm", "b.htm"};
        QTest::newRow("fins CR") << QByteArray("a.htm\rb.htm\r") << Noms{"a.htm", "b.htm"};
        QTest::newRow("fins mêlées, dernière sans fin") << QByteArray("a\r\nb\nc\rd") << Noms{"a", "b", "c", "d"};
        QTest::newRow("ligne vide entre deux noms") << QByteArray("a\r\n\r\nb\n\n") << Noms{"a", "b"};
        QTest::newRow("Ctrl-Z au milieu d'un nom") << QByteArray("a\nbc\x1A" "d\ne\n") << Noms{"a", "bc"};
    }

    void litBureau()
    {
        QFETCH(QByteArray, contenu);
        QFETCH(Noms, noms);
        QCOMPARE(LitBureau(contenu.toStdString()), noms);
    }
};

QTEST_APPLESS_MAIN(TstBureau)
#include "tst_bureau.moc"
