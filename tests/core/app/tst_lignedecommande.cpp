#include "core/app/LigneDeCommande.h"

#include <QtTest>

class TstLigneDeCommande : public QObject {
    Q_OBJECT

private slots:
    void nomDeLigneDeCommande()
    {
        QCOMPARE(NomDeLigneDeCommande({}), std::string());
        QCOMPARE(NomDeLigneDeCommande({"/home/u/Mes", "pages/été.htm"}), std::string("/home/u/Mes pages/été.htm"));
    }

    void extension_data()
    {
        QTest::addColumn<QString>("nom");
        QTest::addColumn<QString>("extension");
        QTest::addColumn<bool>("bureau");
        QTest::newRow("bureau en majuscules") << "/home/u/travail.DSK" << ".DSK" << true;
        QTest::newRow("bureau en casse mêlée") << "travail.DsK" << ".DsK" << true;
        QTest::newRow("bureau en minuscules") << "travail.dsk" << ".dsk" << true;
        QTest::newRow("extension plus longue: pas un bureau") << "x.dskx" << ".dskx" << false;
        QTest::newRow("dernier point seulement") << "archive.dsk.htm" << ".htm" << false;
        QTest::newRow("point dans un dossier seulement") << "/a.dsk/c" << "" << false;
        QTest::newRow("sans point") << "LISEZMOI" << "" << false;
    }

    void extension()
    {
        QFETCH(QString, nom);
        QFETCH(QString, extension);
        QFETCH(bool, bureau);
        const std::string octets = nom.toStdString();
        QCOMPARE(std::string(Extension(octets)), extension.toStdString());
        QCOMPARE(EstUnBureau(octets), bureau);
    }
};

QTEST_APPLESS_MAIN(TstLigneDeCommande)
#include "tst_lignedecommande.moc"
