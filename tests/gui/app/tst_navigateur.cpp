// SPDX-License-Identifier: GPL-3.0-or-later
#include "CadreDeTest.h"

#include "gui/app/Navigateur.h"
#include "gui/settings/CheminsQt.h"
#include "gui/settings/Emplacements.h"

class TestNavigateur : public CadreDeTest {
    Q_OBJECT

    QTemporaryDir programmes;

    QString Journal() const { return programmes.filePath("journal.txt"); }
    // A stand-in for the browser: one line in the journal per run, its number of arguments then each argument.
    QString Navigateur() const { return programmes.filePath("mon navigateur"); }
    static QString Appel(const QString &page) { return "1|" + page + "|\n"; }

    // Checks that the browser was started once, on that page: nothing else was started before.
    void Lance(const QString &page)
    {
        if (page.isEmpty()) {
            QVERIFY(frame->FichierParametres().EcritNavigateur(Navigateur()));
            // A page named from the current folder goes as a full path, never as an option of the browser.
            frame->Navigateur().Lance(QStringLiteral("-témoin.htm"));
        }
        const QString attendue = page.isEmpty() ? QDir::current().absoluteFilePath("-témoin.htm") : page;
        QTRY_COMPARE(QString::fromUtf8(Lit(Journal())), Appel(attendue));
    }

private slots:
    void initTestCase()
    {
        Ecrit(Navigateur(), "#!/bin/sh\n{ printf '%s|' \"$#\" \"$@\"; echo; } >> '" + Journal().toUtf8() + "'\n");
        QVERIFY(QFile::setPermissions(Navigateur(), QFile::permissions(Navigateur()) | QFile::ExeOwner));
        // The desktop's launcher, found on the path.
        Ecrit(programmes.filePath("xdg-open"), "#!/bin/sh\n");
        QVERIFY(QFile::setPermissions(programmes.filePath("xdg-open"), QFile::ExeOwner | QFile::ReadOwner));
        qputenv("PATH", QFile::encodeName(programmes.path()) + ':' + qgetenv("PATH"));
    }

    void init() { Ecrit(Journal(), {}); NouveauCadre(); }

    void cleanup() { FermeCadre(); }

    void aide_data()
    {
        QTest::addColumn<QString>("enregistre"); // the browser in the settings before the command
        QTest::addColumn<QStringList>("choix");  // the files chosen in turn in the browser dialog, then a cancel
        QTest::addColumn<bool>("lance");
        QTest::addColumn<QStringList>("proposes"); // what each browser dialog proposes
        // The browser dialog comes back until a program is chosen, or the choice is cancelled. Until a browser is
        // stored, the desktop's launcher is proposed, then the last file chosen.
        const QString disparu = QStringLiteral("/introuvable/navigateur");
        const QString lanceur = programmes.filePath("xdg-open");
        const QString accents = dossier.filePath("Accents.txt");
        QTest::newRow("navigateur enregistré, sans dialogue") << Navigateur() << QStringList{} << true << QStringList{};
        QTest::newRow("navigateur disparu") << disparu << QStringList{Navigateur()} << true << QStringList{""};
        QTest::newRow("navigateur disparu, choix annulé") << disparu << QStringList{} << false << QStringList{""};
        QTest::newRow("pas un programme") << "" << QStringList{accents, Navigateur()} << true
                                          << QStringList{lanceur, accents};
    }

    void aide()
    {
        QFETCH(QString, enregistre);
        QFETCH(QStringList, choix);
        QFETCH(bool, lance);
        QVERIFY(enregistre.isEmpty() || frame->FichierParametres().EcritNavigateur(enregistre));
        script->fichiers = choix;
        frame->AfficheAide();
        QStringList proposes;
        for (const DialogueFichier &dialogue : std::as_const(script->dialogues))
            proposes << dialogue.nomPropose;
        QTEST(proposes, "proposes");
        QStringList refus; // every file chosen before the last one
        for (const QString &nom : choix.mid(0, choix.size() - 1))
            refus << nom + " n'est pas un programme exécutable.";
        QCOMPARE(script->erreurs, refus);
        QCOMPARE(frame->FichierParametres().LitNavigateur(), lance ? Navigateur() : enregistre);
        Lance(lance ? QFileInfo(CheminDonnees("Aide/depart.htm")).absoluteFilePath() : QString());
    }

    // Qt would hand a name in Latin-1 bytes over as another name: it goes as an address that keeps its bytes.
    void nomLatin1()
    {
        QVERIFY(frame->FichierParametres().EcritNavigateur(Navigateur()));
        frame->Navigateur().Lance(DecodeNom(QFile::encodeName(dossier.path()) + "/caf\xE9 1.htm"));
        QTRY_COMPARE(QString::fromUtf8(Lit(Journal())), Appel("file://" + dossier.path() + "/caf%E9%201.htm"));
    }

    void apercu_data()
    {
        QTest::addColumn<QString>("nom"); // the page's file; "*" before it: an untitled document, saved under that name
        QTest::addColumn<QStringList>("dialogues");
        // An untitled page is saved under the name given first, a named page without a question; the path goes
        // intact, blanks, quotes and dashes included.
        const QString choix = QStringLiteral("Choix du navigateur...");
        QTest::newRow("aucun document") << "" << QStringList{};
        QTest::newRow("sans nom") << "*nouvelle.htm" << QStringList{"Enregistrer sous...", choix};
        QTest::newRow("sans nom, nom refusé") << "*" << QStringList{"Enregistrer sous..."};
        QTest::newRow("nommé") << "ma page \"citée\" d'essai -x.htm" << QStringList{choix};
    }

    void apercu()
    {
        QFETCH(QString, nom);
        const bool sansNom = nom.startsWith(u'*');
        const QString page = nom.size() > int(sansNom) ? dossier.filePath(nom.mid(sansNom)) : QString();
        if (sansNom) {
            frame->FileNew();
            script->fichiers << page; // an empty name cancels
        } else if (!page.isEmpty()) {
            Ouvre(Fichier(nom));
            script->dialogues.clear();
        }
        script->fichiers << Navigateur();
        TWndHTML *w = frame->FenetreActive();
        if (w)
            w->EditHTML->Remplace(0, 0, "ajout");
        frame->findChild<QAction *>("Apercu")->trigger();

        QStringList titres;
        for (const DialogueFichier &d : std::as_const(script->dialogues))
            titres << d.titre;
        QTEST(titres, "dialogues");
        QVERIFY(script->questions.isEmpty() && script->erreurs.isEmpty());
        if (w)
            QCOMPARE(w->EditHTML->isModified(), page.isEmpty());
        if (page.isEmpty())
            return Lance({});
        QCOMPARE(Lit(page), Texte(w));
        QVERIFY(Lit(dossier.filePath("Balizo.ini")).contains("mon navigateur"));
        Lance(page);
    }
};

QTEST_MAIN(TestNavigateur)
#include "tst_navigateur.moc"
