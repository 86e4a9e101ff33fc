#include "CadreDeTest.h"

#include "settings/Emplacements.h"

#include <QDir>

namespace {

QByteArray Guillemets(const QString &chemin)
{
    // Within single quotes the shell takes everything as it is, except a single quote.
    return "'" + QFile::encodeName(chemin).replace("'", "'\\''") + "'";
}

} // namespace

class TestNavigateur : public CadreDeTest {
    Q_OBJECT

    QTemporaryDir programmes;

    QString Journal() const { return programmes.filePath("journal.txt"); }

    // A stand-in for the browser: writes how many arguments it got, then each one on its own line.
    QString Navigateur()
    {
        const QString chemin = programmes.filePath("mon navigateur");
        if (!QFileInfo::exists(chemin)) {
            Ecrit(chemin, "#!/bin/sh\nprintf '%s\\n' \"$#\" \"$@\" >> " + Guillemets(Journal()) + "\n");
            QFile::setPermissions(chemin, QFile::permissions(chemin) | QFile::ExeOwner);
        }
        return chemin;
    }

    // The runs of the stand-in, each the list of its arguments.
    QList<QStringList> Appels() const
    {
        QList<QStringList> appels;
        QFile journal(Journal());
        if (!journal.open(QIODevice::ReadOnly))
            return appels;
        const QStringList lignes = QString::fromUtf8(journal.readAll()).split(u'\n');
        for (qsizetype i = 0; i < lignes.size() && !lignes[i].isEmpty();) {
            const qsizetype nombre = lignes[i].toInt();
            appels << lignes.mid(i + 1, nombre);
            i += nombre + 1;
        }
        return appels;
    }

    // Nothing was started: a last run started on purpose is the only one in the journal.
    void RienNaEteLance()
    {
        QVERIFY(frame->FichierParametres().EcritNavigateur(Navigateur()));
        const QString temoin = dossier.filePath("témoin.htm");
        frame->LanceNavigateur(temoin);
        QTRY_COMPARE(Appels(), (QList<QStringList>{{temoin}}));
    }

    // A chosen file named in a table row: the stand-in, a file that is no program, a folder, a program that
    // cannot start, or a path as it is.
    QString Fichier(const QString &nom)
    {
        if (nom == u"navigateur")
            return Navigateur();
        if (nom == u"texte")
            return CadreDeTest::Fichier("lisezmoi.txt", "pas un programme");
        if (nom == u"dossier")
            return programmes.path();
        if (nom == u"sans interpréteur") {
            const QString chemin = programmes.filePath("cassé");
            Ecrit(chemin, "#!/nulle/part/sh\n");
            QFile::setPermissions(chemin, QFile::permissions(chemin) | QFile::ExeOwner);
            return chemin;
        }
        return nom;
    }

private slots:
    void init()
    {
        QVERIFY(dossier.isValid());
        QVERIFY(programmes.isValid());
        QFile::remove(Journal());
        NouveauCadre();
    }

    void cleanup() { FermeCadre(); }

    void choixEtLancement_data()
    {
        QTest::addColumn<QString>("enregistre");
        QTest::addColumn<QStringList>("choix");
        QTest::addColumn<int>("dialogues");
        QTest::addColumn<QStringList>("erreurs");
        QTest::addColumn<QString>("attendu");
        QTest::addColumn<bool>("lance");

        QTest::newRow("aucun navigateur: le dialogue, le choix enregistré puis lancé")
            << "" << QStringList{"navigateur"} << 1 << QStringList{} << "navigateur" << true;
        QTest::newRow("aucun navigateur, dialogue annulé: rien n'est lancé")
            << "" << QStringList{} << 1 << QStringList{} << "" << false;
        QTest::newRow("navigateur enregistré qui démarre: aucun dialogue")
            << "navigateur" << QStringList{} << 0 << QStringList{} << "navigateur" << true;
        QTest::newRow("navigateur enregistré qui n'existe plus: le dialogue revient")
            << "/nulle/part/navigateur" << QStringList{"navigateur"} << 1 << QStringList{} << "navigateur" << true;
        QTest::newRow("navigateur qui n'existe plus, dialogue annulé: la commande s'arrête")
            << "/nulle/part/navigateur" << QStringList{} << 1 << QStringList{} << "/nulle/part/navigateur" << false;
        QTest::newRow("fichier qui n'est pas un programme: refusé, le dialogue revient")
            << "" << QStringList{"texte", "navigateur"} << 2
            << QStringList{"texte|%1 n'est pas un programme exécutable."} << "navigateur" << true;
        QTest::newRow("dossier choisi: refusé")
            << "" << QStringList{"dossier"} << 2 << QStringList{"dossier|%1 n'est pas un programme exécutable."}
            << "" << false;
        QTest::newRow("programme choisi qui ne démarre pas: le dialogue revient")
            << "" << QStringList{"sans interpréteur", "navigateur"} << 2 << QStringList{} << "navigateur" << true;
    }

    void choixEtLancement()
    {
        QFETCH(QString, enregistre);
        QFETCH(QStringList, choix);
        QFETCH(int, dialogues);
        QFETCH(QStringList, erreurs);
        QFETCH(QString, attendu);
        QFETCH(bool, lance);

        if (!enregistre.isEmpty())
            QVERIFY(frame->FichierParametres().EcritNavigateur(Fichier(enregistre)));
        for (const QString &nom : choix)
            script->fichiers << Fichier(nom);
        QStringList messages;
        for (const QString &erreur : erreurs)
            messages << erreur.section(u'|', 1).arg(Fichier(erreur.section(u'|', 0, 0)));

        frame->Aide1Click();

        QCOMPARE(script->dialogues.size(), dialogues);
        for (qsizetype i = 0; i < script->dialogues.size(); ++i) {
            const DialogueFichier &d = script->dialogues[i];
            QCOMPARE(d.titre, QStringLiteral("Choix du navigateur..."));
            QCOMPARE(d.filtre, QStringLiteral("Fichiers éxécutables|*"));
            QVERIFY(d.fichierDoitExister);
            // The dialog proposes the file chosen the time before.
            QCOMPARE(d.nomPropose, i == 0 ? QString() : Fichier(choix[i - 1]));
        }
        QCOMPARE(script->erreurs, messages);
        QCOMPARE(frame->FichierParametres().LitNavigateur(), attendu.isEmpty() ? QString() : Fichier(attendu));
        if (lance) {
            const QString aide = QFileInfo(CheminDonnees(QStringLiteral("Aide/depart.htm"))).absoluteFilePath();
            QTRY_COMPARE(Appels(), (QList<QStringList>{{aide}}));
        } else {
            RienNaEteLance();
        }
    }

    void apercu_data()
    {
        QTest::addColumn<QString>("nom");
        QTest::addColumn<bool>("modifie");
        QTest::addColumn<QString>("nomChoisi");
        QTest::addColumn<QStringList>("dialogues");
        QTest::addColumn<QByteArray>("surLeDisque");
        QTest::addColumn<bool>("lance");

        QTest::newRow("document sans nom: Enregistrer sous..., puis l'aperçu du fichier nommé")
            << "" << true << "nouvelle.htm" << QStringList{"Enregistrer sous..."} << QByteArray("<P>ajout") << true;
        QTest::newRow("document sans nom, nom refusé: l'aperçu s'arrête")
            << "" << true << "" << QStringList{"Enregistrer sous..."} << QByteArray() << false;
        QTest::newRow("document nommé modifié: enregistré sans question, puis montré")
            << "page.htm" << true << "" << QStringList{} << QByteArray("<P>ajout") << true;
        QTest::newRow("document nommé inchangé: montré sans dialogue")
            << "page.htm" << false << "" << QStringList{} << QByteArray("<P>") << true;
        QTest::newRow("chemin avec espaces, guillemets et apostrophe: un seul argument intact")
            << "mon dossier/page \"citée\" d'essai -x.htm" << true << "" << QStringList{} << QByteArray("<P>ajout")
            << true;
    }

    void apercu()
    {
        QFETCH(QString, nom);
        QFETCH(bool, modifie);
        QFETCH(QString, nomChoisi);
        QFETCH(QStringList, dialogues);
        QFETCH(QByteArray, surLeDisque);
        QFETCH(bool, lance);

        QVERIFY(frame->FichierParametres().EcritNavigateur(Navigateur()));
        TWndHTML *w = nullptr;
        QString page;
        if (nom.isEmpty()) {
            frame->FileNew();
            w = frame->FenetreActive();
            w->EditHTML->RemplaceTout("<P>");
            if (!nomChoisi.isEmpty()) {
                page = dossier.filePath(nomChoisi);
                script->fichiers << page;
            }
        } else {
            QDir(dossier.path()).mkpath(QFileInfo(dossier.filePath(nom)).path());
            page = CadreDeTest::Fichier(nom, "<P>");
            w = Ouvre(page);
            script->dialogues.clear();
        }
        if (modifie)
            w->EditHTML->Remplace(3, 3, "ajout");

        frame->findChild<QAction *>("sbApercu")->trigger();

        QStringList titres;
        for (const DialogueFichier &d : std::as_const(script->dialogues))
            titres << d.titre;
        QCOMPARE(titres, dialogues);
        QVERIFY(script->questions.isEmpty());
        QVERIFY(script->erreurs.isEmpty());
        if (!page.isEmpty())
            QCOMPARE(Lit(page), surLeDisque);
        QCOMPARE(w->EditHTML->isModified(), !lance);
        if (lance)
            QTRY_COMPARE(Appels(), (QList<QStringList>{{page}}));
        else
            RienNaEteLance();
    }

    void apercuApresUnEchecDEnregistrement()
    {
        QVERIFY(frame->FichierParametres().EcritNavigateur(Navigateur()));
        QDir(dossier.path()).mkdir("parti");
        TWndHTML *w = Ouvre(CadreDeTest::Fichier("parti/page.htm", "<P>"));
        w->EditHTML->Remplace(3, 3, "ajout");
        QVERIFY(QDir(dossier.filePath("parti")).removeRecursively());

        w->FichierApercu();
        QCOMPARE(script->erreurs, QStringList{"Ne peut créer le fichier " + dossier.filePath("parti/page.htm")});
        QVERIFY(w->EditHTML->isModified());
        script->erreurs.clear();
        RienNaEteLance();
    }

    void pageRelativeEnCheminAbsolu()
    {
        // A page named from the current folder reaches the browser as a full path: a name starting with "-" is
        // never taken for one of the browser's options.
        QVERIFY(frame->FichierParametres().EcritNavigateur(Navigateur()));
        const QString avant = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dossier.path()));
        frame->LanceNavigateur(QStringLiteral("-page.htm"));
        QDir::setCurrent(avant);
        QTRY_COMPARE(Appels(), (QList<QStringList>{{dossier.filePath("-page.htm")}}));
    }

    void boutonApercuSansDocument()
    {
        frame->findChild<QAction *>("sbApercu")->trigger();
        QVERIFY(script->dialogues.isEmpty());
        RienNaEteLance();
    }

    void apercuPuisApercuDirect()
    {
        // The first preview asks for the browser and stores it in the settings file; the next one starts it at once.
        TWndHTML *w = Ouvre(CadreDeTest::Fichier("page.htm"));
        script->dialogues.clear();
        script->fichiers << Navigateur();
        w->FichierApercu();
        QCOMPARE(script->dialogues.size(), 1);
        QVERIFY(Lit(dossier.filePath("Balizo.ini")).contains("mon navigateur"));
        QTRY_COMPARE(Appels().size(), 1);
        w->FichierApercu();
        QCOMPARE(script->dialogues.size(), 1);
        QTRY_COMPARE(Appels(), (QList<QStringList>{{w->FileName}, {w->FileName}}));

        // The menu item proposes the browser chosen before; a cancel keeps it.
        frame->findChild<QAction *>("Choixdunavigateur1")->trigger();
        QCOMPARE(script->dialogues.size(), 2);
        QCOMPARE(script->dialogues.last().nomPropose, Navigateur());
        QCOMPARE(frame->FichierParametres().LitNavigateur(), Navigateur());
    }

    void parametresNonEcrits()
    {
        // A settings file whose folder is a plain file cannot be written, even by root: the choice is reported
        // as not stored, once, and the command stops.
        FermeCadre();
        CadreDeTest::Fichier("fichier", "x");
        auto utilisateur = std::make_unique<UtilisateurScripte>();
        script = utilisateur.get();
        frame = std::make_unique<TMDIHtml>(dossier.filePath("fichier/Balizo.ini"), std::move(utilisateur),
                                           dossier.filePath("Accents.txt"));
        script->fichiers << Navigateur() << Navigateur();
        frame->Aide1Click();
        QCOMPARE(script->dialogues.size(), 1);
        QCOMPARE(script->erreurs,
                 QStringList{QStringLiteral("Ne peut écrire dans %1").arg(dossier.filePath("fichier/Balizo.ini"))});
        QCOMPARE(frame->FichierParametres().LitNavigateur(), QString());
    }
};

QTEST_MAIN(TestNavigateur)
#include "tst_navigateur.moc"
