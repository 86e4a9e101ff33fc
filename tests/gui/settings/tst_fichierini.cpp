// SPDX-License-Identifier: GPL-3.0-or-later
#include "CadreDeTest.h"
#include "Limites.h"
#include "gui/settings/CheminsQt.h"
#include "gui/settings/FichierINI.h"

#include <sys/stat.h>

class TestFichierINI : public QObject {
    Q_OBJECT

    QTemporaryDir dossier;
    QString Chemin() const { return dossier.filePath("Balizo.ini"); }

private slots:
    void cleanup() { QVERIFY(QDir(dossier.path()).removeRecursively() && QDir().mkpath(dossier.path())); }

    void lecture_data()
    {
        QTest::addColumn<QByteArray>("contenu"); // null: no file
        QTest::addColumn<QString>("navigateur");
        QTest::addColumn<QString>("fonte");
        QTest::addColumn<int>("taille");
        // The size read as C reads an integer, and brought between 4 and 96.
        QTest::newRow("sans fichier") << QByteArray() << "" << "" << 11;
        QTest::newRow("virgule, hexadécimal") << QByteArray("[Balizo]\nNavigateur=/opt/x,y/firefox\nTaille=0x0C\n")
                                              << "/opt/x,y/firefox" << "" << 12;
        QTest::newRow("trop grand") << QByteArray("[Balizo]\nTaille=2147483647\n") << "" << "" << 96;
        QTest::newRow("négatif") << QByteArray("[Balizo]\nTaille=-12\n") << "" << "" << 4;
    }

    void lecture()
    {
        QFETCH(QByteArray, contenu);
        if (!contenu.isNull())
            Ecrit(Chemin(), contenu);
        TFichierINI ini(Chemin());
        QTEST(ini.LitNavigateur(), "navigateur");
        QTEST(ini.LitFonte(), "fonte");
        QTEST(ini.LitTaille(11), "taille");
        QCOMPARE(QFile::exists(Chemin()), !contenu.isNull());
    }

    // Each switch has its own default, reads its own key, and is written without touching the other lines.
    void interrupteurs()
    {
        Ecrit(Chemin(), "; à moi\n[Balizo]\nOnglets=oui\n");
        TFichierINI ini(Chemin());
        QVERIFY(ini.LitRouvrirSession() && !ini.LitOnglets() && !ini.LitFenetresMaximisees());
        QVERIFY(ini.EcritRouvrirSession(false) && ini.EcritOnglets(true) && ini.EcritFenetresMaximisees(true));
        QVERIFY(!ini.LitRouvrirSession() && ini.LitOnglets() && ini.LitFenetresMaximisees());
        QVERIFY(Lit(Chemin()).startsWith("; à moi\n"));
    }

    // What one copy writes, the other reads at once; a name that a line cannot hold is refused.
    void deuxCopies()
    {
        Ecrit(Chemin(), "; réglages\r\n[BALIZO]\r\nfonte=DejaVu Serif\r\n");
        TFichierINI premier(Chemin());
        TFichierINI second(Chemin());
        QCOMPARE(second.LitFonte(), QStringLiteral("DejaVu Serif"));
        QVERIFY(premier.EcritFonte(QStringLiteral("DejaVu Sans Mono")) && premier.EcritTaille(12) &&
                premier.EcritNavigateur(QStringLiteral("/opt/mon navigateur, le bon/firefox")));
        QCOMPARE(second.LitFonte(), QStringLiteral("DejaVu Sans Mono"));
        QCOMPARE(second.LitTaille(11), 12);
        QVERIFY(!second.EcritNavigateur(QStringLiteral("/opt/a\nb/firefox")));
        QCOMPARE(premier.LitNavigateur(), QStringLiteral("/opt/mon navigateur, le bon/firefox"));
    }

    // Names come back as written, blanks and quotes at their ends too; those that a line cannot hold are left out,
    // and only the first eight are kept. A shorter list leaves no older name behind.
    void recents()
    {
        Ecrit(Chemin(), "[Balizo]\r\nTaille=14\r\n");
        TFichierINI ini(Chemin());
        const QStringList pages{" /a b/c.htm ", "\"/x.htm\"", "/a\nb.htm", "/" + QString(1023, u'é'),
                                "/" + QString(1022, u'é'), "/1", "/2", "/3", "/4", "/5", "/6"};
        QVERIFY(ini.EcritRecents(pages));
        QCOMPARE(TFichierINI(Chemin()).LitRecents(), pages.mid(0, 2) + pages.mid(4, 6));
        QCOMPARE(ini.LitTaille(11), 14);
        QVERIFY(ini.EcritRecents({"/seule.htm"}));
        QCOMPARE(ini.LitRecents(), QStringList{"/seule.htm"});
        // A text file of settings reads Latin-1 bytes as letters: such a name would come back as another.
        TFichierINI neuf(dossier.filePath("neuf.ini"));
        QVERIFY(neuf.EcritRecents({"/a.htm", DecodeNom(QByteArray("/caf\xE9.htm")), "/b.htm"}));
        QCOMPARE(Lit(dossier.filePath("neuf.ini")), QByteArray("[Recents]\r\nFichier1=/a.htm\r\nFichier2=/b.htm\r\n"));
    }

    void ecritureRefusee_data()
    {
        QTest::addColumn<QString>("obstacle");
        QTest::newRow("son dossier est un fichier") << "fichier";
        QTest::newRow("c'est un dossier") << "dossier";
        QTest::newRow("c'est un tube nommé") << "tube";
    }

    // Nothing is read, nothing replaced; a named pipe with no writer would block a plain open.
    void ecritureRefusee()
    {
        QFETCH(QString, obstacle);
        QString chemin = Chemin();
        if (obstacle == "fichier")
            Ecrit(std::exchange(chemin, chemin + "/Balizo.ini"), "x");
        else if (obstacle == "dossier")
            QVERIFY(QDir().mkdir(chemin));
        else
            QCOMPARE(::mkfifo(QFile::encodeName(chemin).constData(), 0600), 0);
        TFichierINI ini(chemin);
        QCOMPARE(ini.LitFonte(), QString());
        QVERIFY(!ini.EcritNavigateur(QStringLiteral("/usr/bin/firefox")));
        QCOMPARE(ini.LitNavigateur(), QString());
        QVERIFY(!QFileInfo(chemin).isFile());
        QCOMPARE(QFileInfo(chemin).isDir(), obstacle == "dossier");
    }

    // The system refuses the write: the file and its folder stay as they were, and the message names the file.
    void ecritureRefuseeParLeSysteme()
    {
        const QByteArray avant = "[Balizo]\r\nFonte=Courier\r\n";
        Ecrit(Chemin(), avant);
        TFichierINI ini(Chemin());
        QVERIFY(![&] { const LimiteDeTaille limite(64); return ini.EcritFonte(QString(100, u'x')); }());
        QCOMPARE(ini.MessageEcritureImpossible(), "Ne peut écrire dans " + Chemin());
        QCOMPARE(Lit(Chemin()), avant);
        QCOMPARE(QDir(dossier.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Balizo.ini"});
    }
};

QTEST_APPLESS_MAIN(TestFichierINI)
#include "tst_fichierini.moc"
