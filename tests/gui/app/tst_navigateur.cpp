#include "CadreDeTest.h"

#include "gui/settings/Emplacements.h"

class TestNavigateur : public CadreDeTest {
    Q_OBJECT

    QTemporaryDir programmes;

    QString Journal() const { return programmes.filePath("journal.txt"); }
    // A stand-in for the browser: one line in the journal per run, its number of arguments then each argument.
    QString Navigateur() const { return programmes.filePath("mon navigateur"); }
    QString Appels() const { return QString::fromUtf8(Lit(Journal())); }
    static QString Appel(const QString &page) { return "1|" + page + "|\n"; }

    // Nothing was started: a run started on purpose is the only one in the journal.
    void RienNaEteLance()
    {
        QVERIFY(frame->FichierParametres().EcritNavigateur(Navigateur()));
        frame->LanceNavigateur(dossier.filePath("témoin.htm"));
        QTRY_COMPARE(Appels(), Appel(dossier.filePath("témoin.htm")));
    }

private slots:
    void initTestCase()
    {
        Ecrit(Navigateur(), "#!/bin/sh\n{ printf '%s|' \"$#\" \"$@\"; echo; } >> '" + Journal().toUtf8() + "'\n");
        QVERIFY(QFile::setPermissions(Navigateur(), QFile::permissions(Navigateur()) | QFile::ExeOwner));
    }

    void init()
    {
        Ecrit(Journal(), {});
        NouveauCadre();
    }

    void cleanup() { FermeCadre(); }

    void aide_data()
    {
        QTest::addColumn<QString>("enregistre"); // the browser in the settings before the command
        QTest::addColumn<QStringList>("choix");  // the files chosen in turn in the browser dialog, then a cancel
        QTest::addColumn<bool>("lance");

        const QString disparu = QStringLiteral("/introuvable/navigateur");
        QTest::newRow("aucun navigateur: le dialogue, le choix enregistré puis lancé")
            << "" << QStringList{Navigateur()} << true;
        QTest::newRow("aucun navigateur, choix annulé: rien n'est lancé") << "" << QStringList{} << false;
        QTest::newRow("navigateur enregistré: lancé sans dialogue") << Navigateur() << QStringList{} << true;
        QTest::newRow("navigateur enregistré qui n'existe plus: le dialogue revient")
            << disparu << QStringList{Navigateur()} << true;
        QTest::newRow("navigateur qui n'existe plus, choix annulé: la commande s'arrête")
            << disparu << QStringList{} << false;
        QTest::newRow("fichier qui n'est pas un programme: refusé avec un message, le dialogue revient")
            << "" << QStringList{dossier.filePath("Accents.txt"), Navigateur()} << true;
    }

    void aide()
    {
        QFETCH(QString, enregistre);
        QFETCH(QStringList, choix);
        QFETCH(bool, lance);

        if (!enregistre.isEmpty())
            QVERIFY(frame->FichierParametres().EcritNavigateur(enregistre));
        script->fichiers = choix;

        frame->AfficheAide();

        QCOMPARE(script->dialogues.size(), choix.size() + (lance ? 0 : 1));
        QStringList refus; // every file chosen before the last one
        for (const QString &nom : choix.mid(0, choix.size() - 1))
            refus << nom + " n'est pas un programme exécutable.";
        QCOMPARE(script->erreurs, refus);
        QCOMPARE(frame->FichierParametres().LitNavigateur(), lance ? Navigateur() : enregistre);
        if (lance)
            QTRY_COMPARE(Appels(), Appel(QFileInfo(CheminDonnees("Aide/depart.htm")).absoluteFilePath()));
        else
            RienNaEteLance();
    }

    void apercu_data()
    {
        QTest::addColumn<bool>("sansNom");
        QTest::addColumn<QString>("nom"); // the page's file; for an untitled document, the name given, if any
        QTest::addColumn<QStringList>("dialogues");

        const QString choix = QStringLiteral("Choix du navigateur...");
        QTest::newRow("document sans nom: nom demandé, enregistré, puis le navigateur choisi lance la page")
            << true << "nouvelle.htm" << QStringList{"Enregistrer sous...", choix};
        QTest::newRow("document sans nom, nom refusé: l'aperçu s'arrête")
            << true << "" << QStringList{"Enregistrer sous..."};
        QTest::newRow("document nommé modifié: enregistré sans question; chemin avec espaces et guillemets intact")
            << false << "ma page \"citée\" d'essai -x.htm" << QStringList{choix};
    }

    void apercu()
    {
        QFETCH(bool, sansNom);
        QFETCH(QString, nom);
        QFETCH(QStringList, dialogues);

        const QString page = nom.isEmpty() ? QString() : dossier.filePath(nom);
        if (sansNom) {
            frame->FileNew();
            script->fichiers << page; // an empty name cancels
        } else {
            Ouvre(Fichier(nom));
            script->dialogues.clear();
        }
        script->fichiers << Navigateur();
        TWndHTML *w = frame->FenetreActive();
        w->EditHTML->Remplace(0, 0, "ajout");

        frame->findChild<QAction *>("sbApercu")->trigger();

        QStringList titres;
        for (const DialogueFichier &d : std::as_const(script->dialogues))
            titres << d.titre;
        QCOMPARE(titres, dialogues);
        QVERIFY(script->questions.isEmpty() && script->erreurs.isEmpty());
        QCOMPARE(w->EditHTML->isModified(), page.isEmpty());
        if (page.isEmpty()) {
            RienNaEteLance();
            return;
        }
        QCOMPARE(Lit(page), Texte(w));
        QVERIFY(Lit(dossier.filePath("Balizo.ini")).contains("mon navigateur"));
        QTRY_COMPARE(Appels(), Appel(page));
    }

    void apercuSansDocument()
    {
        frame->findChild<QAction *>("sbApercu")->trigger();
        QVERIFY(script->dialogues.isEmpty());
        RienNaEteLance();
    }
};

QTEST_MAIN(TestNavigateur)
#include "tst_navigateur.moc"