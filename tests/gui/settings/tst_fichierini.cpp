#include "CadreDeTest.h"
#include "Limites.h"
#include "gui/settings/FichierINI.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

class TestFichierINI : public QObject {
    Q_OBJECT

private slots:
    void lecture_data()
    {
        QTest::addColumn<QByteArray>("contenu"); // null: no file
        QTest::addColumn<QString>("navigateur");
        QTest::addColumn<QString>("fonte");
        QTest::addColumn<int>("taille");
        QTest::newRow("sans fichier") << QByteArray() << "" << "MS Sans Serif" << 8;
        QTest::newRow("écrit à la main") << QByteArray("; réglages\r\n[BALIZO]\r\nfonte=DejaVu Serif\r\nTAILLE=14\r\n")
                                         << "" << "DejaVu Serif" << 14;
        QTest::newRow("virgule non entre guillemets, taille hexadécimale")
            << QByteArray("[Balizo]\nNavigateur=/opt/x,y/firefox\nTaille=0x0C\n") << "/opt/x,y/firefox"
            << "MS Sans Serif" << 12;
        QTest::newRow("taille qui n'est pas un nombre") << QByteArray("[Balizo]\nTaille=abc\n") << "" << "MS Sans Serif" << 8;
        QTest::newRow("taille 1000 ramenée à 96") << QByteArray("[Balizo]\nTaille=1000\n") << "" << "MS Sans Serif" << 96;
        QTest::newRow("plus grand entier ramené à 96")
            << QByteArray("[Balizo]\nTaille=2147483647\n") << "" << "MS Sans Serif" << 96;
        QTest::newRow("taille négative ramenée à 4") << QByteArray("[Balizo]\nTaille=-12\n") << "" << "MS Sans Serif" << 4;
    }

    void lecture()
    {
        QFETCH(QByteArray, contenu);
        QFETCH(QString, navigateur);
        QFETCH(QString, fonte);
        QFETCH(int, taille);
        QTemporaryDir dossier;
        const QString chemin = dossier.filePath("Balizo.ini");
        if (!contenu.isNull())
            Ecrit(chemin, contenu);
        TFichierINI ini(chemin);
        QCOMPARE(ini.LitNavigateur(), navigateur);
        QCOMPARE(ini.LitFonte(), fonte);
        QCOMPARE(ini.LitTaille(), taille);
        QCOMPARE(QFile::exists(chemin), !contenu.isNull());
    }

    void deuxCopiesEtFichierNeuf()
    {
        QTemporaryDir dossier;
        const QString chemin = dossier.filePath("Balizo.ini");
        const QByteArray main = "; réglages\r\n[BALIZO]\r\nfonte=DejaVu Serif\r\nTAILLE=14\r\n[Autre]\r\nCle=valeur ; x\r\n";
        Ecrit(chemin, main);
        TFichierINI premier(chemin);
        TFichierINI second(chemin);
        QCOMPARE(second.LitFonte(), QStringLiteral("DejaVu Serif"));
        QVERIFY(premier.EcritFonte(QStringLiteral("DejaVu Sans Mono")));
        QVERIFY(premier.EcritTaille(12));
        QVERIFY(premier.EcritNavigateur(QStringLiteral("/opt/mon navigateur, le bon/firefox")));
        QCOMPARE(second.LitFonte(), QStringLiteral("DejaVu Sans Mono"));
        QCOMPARE(second.LitTaille(), 12);
        QCOMPARE(second.LitNavigateur(), QStringLiteral("/opt/mon navigateur, le bon/firefox"));
        const QByteArray apres = "; réglages\r\n[BALIZO]\r\nfonte=DejaVu Sans Mono\r\nTAILLE=12\r\n"
                                 "Navigateur=/opt/mon navigateur, le bon/firefox\r\n[Autre]\r\nCle=valeur ; x\r\n";
        QCOMPARE(Lit(chemin), apres);
        QVERIFY(!second.EcritNavigateur(QStringLiteral("/opt/a\nb/firefox")));
        QCOMPARE(Lit(chemin), apres);

        TFichierINI neuf(dossier.filePath("neuf.ini"));
        QVERIFY(neuf.EcritTaille(10));
        QCOMPARE(Lit(dossier.filePath("neuf.ini")), QByteArray("[Balizo]\r\nTaille=10\r\n"));
    }

    void ecritureRefusee_data()
    {
        QTest::addColumn<QString>("obstacle");
        QTest::newRow("son dossier est un fichier") << "fichier";
        QTest::newRow("c'est un dossier") << "dossier";
        QTest::newRow("c'est un tube nommé") << "tube";
    }

    void ecritureRefusee()
    {
        QFETCH(QString, obstacle);
        QTemporaryDir dossier;
        QString chemin = dossier.filePath("Balizo.ini");
        if (obstacle == "fichier") {
            Ecrit(chemin, "x");
            chemin += QStringLiteral("/Balizo.ini");
        } else if (obstacle == "dossier") {
            QVERIFY(QDir().mkdir(chemin));
        } else {
            QCOMPARE(::mkfifo(QFile::encodeName(chemin).constData(), 0600), 0);
        }
        TFichierINI ini(chemin);
        // A named pipe with no writer would block a plain open: these calls must come back at once.
        QCOMPARE(ini.LitNavigateur(), QString());
        QVERIFY(!ini.EcritNavigateur(QStringLiteral("/usr/bin/firefox")));
        QCOMPARE(ini.LitNavigateur(), QString());
        QVERIFY(!QFileInfo(chemin).isFile());
        QCOMPARE(QFileInfo(chemin).isDir(), obstacle == "dossier");
    }

    void ecritureRefuseeParLeSysteme()
    {
        QTemporaryDir dossier;
        const QString chemin = dossier.filePath("Balizo.ini");
        const QByteArray avant = "[Balizo]\r\nFonte=Courier\r\n";
        Ecrit(chemin, avant);
        TFichierINI ini(chemin);

        // Files of more than 64 bytes are refused for the time of the write: the new file would have more.
        bool ecrit;
        {
            const LimiteDeTaille limite(64);
            ecrit = ini.EcritFonte(QString(100, u'x'));
        }
        QVERIFY(!ecrit);
        QCOMPARE(ini.MessageEcritureImpossible(), QStringLiteral("Ne peut écrire dans %1").arg(chemin));
        QCOMPARE(Lit(chemin), avant);
        QCOMPARE(ini.LitFonte(), QStringLiteral("Courier"));
        QCOMPARE(QDir(dossier.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Balizo.ini"});
    }
};

QTEST_APPLESS_MAIN(TestFichierINI)
#include "tst_fichierini.moc"
