// SPDX-License-Identifier: GPL-3.0-or-later
#include "CadreDeTest.h"
#include "Limites.h"

#include "core/document/Journal.h"
#include "gui/document/Recuperation.h"

#include <QDir>
#include <QStatusBar>

#include <cstdio>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

// The journals of modified pages, and the pages that a stopped program left, offered back at the next start.
class TestRecuperation : public CadreDeTest {
    Q_OBJECT

    QString Recuperation() const { return dossier.filePath("etat/balizo/recuperation"); }

    QStringList Journaux() const
    {
        QStringList noms = QDir(Recuperation()).entryList({"*.journal"}, QDir::Files, QDir::Name);
        for (QString &nom : noms)
            nom = QDir(Recuperation()).filePath(nom);
        return noms;
    }

    // A journal left by a program that no longer runs: its mark has no lock file.
    void Orphelin(const QString &nom, const QByteArray &octets)
    {
        QDir().mkpath(Recuperation());
        Ecrit(QDir(Recuperation()).filePath(nom), octets);
    }

    static QByteArray Journal(const EnteteJournal &entete, const QByteArray &texte)
    {
        return QByteArray::fromStdString(DebutJournal(entete, std::size_t(texte.size()))) + texte +
               QByteArray(FinJournal.data(), qsizetype(FinJournal.size()));
    }

    // The header of a page: the file's name, or none for an untitled page.
    static EnteteJournal Entete(const QString &chemin = {})
    {
        EnteteJournal entete;
        entete.nom = chemin.isEmpty() ? "Sans Nom" : QFile::encodeName(chemin).toStdString();
        entete.sansFichier = chemin.isEmpty();
        return entete;
    }

    // The mark of a program that runs, held until the descriptor is closed.
    int Verrou(const QString &marque)
    {
        const int fd = ::open(QFile::encodeName(QDir(Recuperation()).filePath(marque + ".verrou")).constData(),
                              O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
        return fd >= 0 && ::flock(fd, LOCK_EX) == 0 ? fd : -1;
    }

    // The first journal of the folder, read.
    Resultat<JournalLu, ErreurJournal> PremierJournal(QByteArray &octets)
    {
        octets = Lit(Journaux().value(0));
        return LitJournal(std::string_view(octets.constData(), std::size_t(octets.size())));
    }

private slots:
    void init() { NouveauCadre(Recuperation()); }
    void cleanup()
    {
        FermeCadre();
        QDir(dossier.filePath("etat")).removeRecursively();
    }

    void journalTantQueModifie()
    {
        TWndHTML *page = OuvrePage("<P>caf\xE9</P>\r\n");
        page->EditHTML->Selectionne(0, 0);
        QTest::keyClicks(page->EditHTML, "un ");
        QTRY_COMPARE(Journaux().size(), 1);
        QByteArray octets;
        auto lu = PremierJournal(octets);
        QVERIFY(lu);
        QCOMPARE(QByteArray::fromStdString(std::string(lu->texte)), Texte(page));
        QCOMPARE(QString::fromStdString(lu->entete.nom), page->FileName);
        QVERIFY(lu->entete.encodage == Encodage::Windows1252);
        // The user's alone: neither the folder nor the journal is open to anybody else.
        constexpr QFile::Permissions Autres = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                              QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
        QCOMPARE(QFile::permissions(Journaux()[0]) & Autres, QFile::Permissions());
        QCOMPARE(QFile::permissions(Recuperation()) & Autres, QFile::Permissions());

        // Saved, the page has none; nor has an unmodified page, nor one closed with "&Non".
        QVERIFY(page->FileSave());
        QVERIFY(Journaux().isEmpty());
        frame->FileNew();
        QTRY_COMPARE(Journaux().size(), 1);
        lu = PremierJournal(octets);
        QVERIFY(lu && lu->entete.sansFichier);
        script->reponses << Utilisateur::Reponse::Non;
        frame->FenetreActive()->parentWidget()->close();
        QVERIFY(Journaux().isEmpty());
    }

    void ecritureSansPause()
    {
        TWndHTML *page = OuvrePage("<P>");
        // A change every quarter of a second, never the pause after which a journal is written.
        QTimer frappe;
        connect(&frappe, &QTimer::timeout, page, [page] { page->InsertionTexte("x", ""); });
        frappe.start(250);
        QTRY_VERIFY_WITH_TIMEOUT(!Journaux().isEmpty(), 20000);
        QVERIFY(frappe.isActive());
        QByteArray octets;
        const auto lu = PremierJournal(octets);
        QVERIFY(lu);
        const QByteArray texte = QByteArray::fromStdString(std::string(lu->texte));
        QVERIFY2(texte.startsWith('x') && texte.endsWith("<P>") && texte.count('x') == texte.size() - 3, texte);
    }

    void dossierImpossible()
    {
        FermeCadre();
        QVERIFY(QDir(Recuperation()).removeRecursively());
        Ecrit(Recuperation(), "un fichier");
        NouveauCadre(Recuperation());
        TWndHTML *page = OuvrePage("<P>");
        page->InsertionTexte("x", "");
        QTRY_COMPARE(frame->statusBar()->currentMessage(),
                     QStringLiteral("Le dossier des copies de secours %1 ne peut servir : en cas d'arrêt imprévu, les "
                                    "modifications seraient perdues.")
                         .arg(Recuperation()));
        QCOMPARE(Texte(page), QByteArray("x<P>"));
    }

    void modifieDansUnAutreProgramme()
    {
        const QString chemin = Fichier("page.htm");
        Orphelin("9-9.1.journal", Journal(Entete(chemin), "<P>modifiée ailleurs"));
        const int verrou = Verrou("9-9");
        QVERIFY(verrou >= 0);
        Ouvre(chemin);
        QCOMPARE(script->questions,
                 QStringList{QStringLiteral("Confirmation|%1 est déjà ouvert. Voulez-vous l'ouvrir une seconde fois ?")
                                 .arg(chemin)});
        QVERIFY(frame->Fenetres().isEmpty());
        // Once that program stopped, its journal is for the next start to offer.
        ::close(verrou);
        Ouvre(chemin);
        QCOMPARE(frame->Fenetres().size(), 1);
        QCOMPARE(script->questions.size(), 1);
    }

    // Programs that start together look at each other's marks while each is taking its own: none may lose its
    // mark, and no running program's journal may be taken for one left behind.
    void departsSimultanes()
    {
        const QString course = dossier.filePath("course");
        constexpr int Tours = 60;
        constexpr int Programmes = 6;
        for (int tour = 0; tour < Tours; ++tour) {
            int depart[2], prets[2], fin[2];
            QVERIFY(::pipe(depart) == 0 && ::pipe(prets) == 0 && ::pipe(fin) == 0);
            std::vector<pid_t> programmes;
            for (int i = 0; i < Programmes; ++i) {
                const pid_t pid = ::fork();
                QVERIFY(pid >= 0);
                if (pid == 0) {
                    ::close(depart[1]);
                    ::close(fin[1]);
                    // Each waits for the other end of a pipe to close.
                    char octet = 0;
                    while (::read(depart[0], &octet, 1) > 0) {
                    }
                    int code = 1;
                    {
                        TRecuperation recuperation(course, nullptr);
                        if (recuperation.Actif() && TRecuperation::Ecrit(recuperation.NouveauJournal(), {"<P>"}))
                            code = 0;
                        if (::write(prets[1], "x", 1) != 1)
                            code = 1;
                        while (::read(fin[0], &octet, 1) > 0) {
                        }
                    }
                    ::_exit(code);
                }
                programmes.push_back(pid);
            }
            ::close(depart[0]);
            ::close(prets[1]);
            ::close(fin[0]);
            // All start at once.
            ::close(depart[1]);
            char octets[Programmes];
            for (ssize_t lus = 0, n; lus < Programmes && (n = ::read(prets[0], octets, sizeof octets)) > 0; lus += n) {
            }
            const QStringList orphelins = TRecuperation(course, nullptr).Orphelins();
            ::close(fin[1]);
            ::close(prets[0]);
            int echecs = 0;
            for (const pid_t pid : programmes) {
                int etat = 0;
                ::waitpid(pid, &etat, 0);
                echecs += !WIFEXITED(etat) || WEXITSTATUS(etat) != 0;
            }
            QVERIFY2(orphelins.isEmpty(), qPrintable(QStringLiteral("tour %1 : %2").arg(tour).arg(orphelins.join(' '))));
            QCOMPARE(echecs, 0);
            for (const QString &journal : QDir(course).entryList({"*.journal"}, QDir::Files))
                QVERIFY(QFile::remove(QDir(course).filePath(journal)));
        }
        QCOMPARE(QDir(course).entryList(QDir::Files), QStringList());
    }

    void journalImpossible()
    {
        TWndHTML *page = OuvrePage("<P>");
        const LimiteDeTaille limite(16);
        page->InsertionTexte("x", "");
        QTRY_VERIFY(frame->statusBar()->currentMessage().contains(" ne peut être écrite : en cas d'arrêt imprévu"));
        QCOMPARE(Texte(page), QByteArray("x<P>"));
        QVERIFY(script->erreurs.isEmpty());
        // Said once: the next journals that fail are not told again.
        auto *recuperation = frame->findChild<TRecuperation *>();
        QSignalSpy echecs(recuperation, &TRecuperation::Echec);
        recuperation->SignaleEchec(QStringLiteral("autre.journal"));
        QCOMPARE(echecs.size(), 0);
    }

    void changementsSurLeDisque()
    {
        const QString chemin = Fichier("page.htm", "<P>un");
        TWndHTML *page = Ouvre(chemin);
        const QString question =
            QStringLiteral("Confirmation|%1 a été modifié par un autre programme. Voulez-vous le recharger ?").arg(chemin);

        // Saved, then unmodified, the page takes the file's new text without a question.
        page->InsertionTexte("x", "");
        QVERIFY(page->FileSave());
        Ecrit(chemin, "<P>deux");
        page->VerifieFichier();
        QCOMPARE(Texte(page), QByteArray("<P>deux"));
        QVERIFY(script->questions.isEmpty() && !page->EditHTML->isModified());

        // Modified: "&Non" keeps the text, and the same change is not asked of again; a new one is, "&Oui" reloads.
        page->InsertionTexte("x", "");
        Ecrit(chemin, "<P>trois");
        page->VerifieFichier();
        page->VerifieFichier();
        QCOMPARE(script->questions, QStringList{question});
        QCOMPARE(Texte(page), QByteArray("x<P>deux"));
        Ecrit(chemin, "<P>quatre");
        script->ouiNon << true;
        page->VerifieFichier();
        QCOMPARE(script->questions, (QStringList{question, question}));
        QCOMPARE(Texte(page), QByteArray("<P>quatre"));
        // Reloaded, it is saved over its file without a question.
        page->InsertionTexte("y", "");
        QVERIFY(page->FileSave());
        QCOMPARE(script->questions.size(), 2);

        // Gone: said once, and the page is to be saved.
        QVERIFY(QFile::remove(chemin));
        page->VerifieFichier();
        page->VerifieFichier();
        QCOMPARE(script->erreurs,
                 QStringList{QStringLiteral("Fichier|%1 a été supprimé ou déplacé par un autre programme.").arg(chemin)});
        QVERIFY(page->EditHTML->isModified());
    }

    // A page whose file was deleted is written again, whether saved or closed with "&Oui", with no other
    // question: nothing on the disk is lost. A file that another program put back in its place is asked about.
    void fichierSupprimeReecrit_data()
    {
        QTest::addColumn<bool>("fermeture");
        QTest::addColumn<bool>("remisEnPlace");
        QTest::newRow("enregistré") << false << false;
        QTest::newRow("fermé avec Oui") << true << false;
        QTest::newRow("enregistré, un autre fichier remis à sa place") << false << true;
    }

    void fichierSupprimeReecrit()
    {
        QFETCH(bool, fermeture);
        QFETCH(bool, remisEnPlace);
        const QString chemin = Fichier("page.htm", "<P>un");
        TWndHTML *page = Ouvre(chemin);
        page->InsertionTexte("x", "");
        QVERIFY(QFile::remove(chemin));
        page->VerifieFichier();
        QCOMPARE(script->erreurs.size(), 1);
        if (remisEnPlace)
            Ecrit(chemin, "<P>autre");
        if (fermeture) {
            script->reponses << Utilisateur::Reponse::Oui;
            QVERIFY(page->FormCloseQuery());
        } else {
            QCOMPARE(page->FileSave(), !remisEnPlace);
        }
        const QStringList ecraser{
            QStringLiteral("Confirmation|%1 a été modifié sur le disque depuis son ouverture. "
                           "Voulez-vous l'écraser ?")
                .arg(chemin)};
        QCOMPARE(script->questions.filter(QStringLiteral("écraser")), remisEnPlace ? ecraser : QStringList());
        QCOMPARE(Lit(chemin), QByteArray(remisEnPlace ? "<P>autre" : "x<P>un"));
        QCOMPARE(page->EditHTML->isModified(), remisEnPlace);
    }

    // Once saved, and once reloaded, the page still sees the changes that another program makes to its file,
    // whether written in place or replaced by another file, while the page stays in front.
    void suiviApresEnregistrement_data()
    {
        QTest::addColumn<bool>("remplace");
        QTest::newRow("écrit sur place") << false;
        QTest::newRow("remplacé par un autre fichier") << true;
    }

    void suiviApresEnregistrement()
    {
        QFETCH(bool, remplace);
        const QString chemin = Fichier("page.htm", "<P>un");
        const auto change = [&](const QByteArray &octets) {
            if (!remplace)
                return Ecrit(chemin, octets);
            Ecrit(chemin + ".nouveau", octets);
            QVERIFY(std::rename(QFile::encodeName(chemin + ".nouveau").constData(),
                                QFile::encodeName(chemin).constData()) == 0);
        };
        TWndHTML *page = Ouvre(chemin);
        AuClavier(page);
        page->InsertionTexte("x", "");
        QVERIFY(page->FileSave());
        change("<P>deux");
        QTRY_COMPARE(Texte(page), QByteArray("<P>deux"));
        change("<P>trois");
        QTRY_COMPARE(Texte(page), QByteArray("<P>trois"));
        QVERIFY(script->questions.isEmpty());
        QVERIFY(!page->EditHTML->isModified());
    }

    void recuperer()
    {
        const QString chemin = Fichier("page.htm", "ancien");
        EnteteJournal nomme = Entete(chemin);
        nomme.encodage = Encodage::Windows1252;
        nomme.fin = FinDeLigne::CrLf;
        // The file as it was loaded, before another program wrote "ancien".
        nomme.inodeFichier = 1;
        Orphelin("1-1.1.journal", Journal(nomme, "<P>\xC3\xA9t\xC3\xA9</P>\r\n"));
        const EnteteJournal sansNom = Entete();
        Orphelin("1-1.2.journal", Journal(sansNom, "<P>neuf"));
        Orphelin("2-2.1.journal", Journal(sansNom, "<P>coupé").chopped(3));
        Orphelin("3-3.1.journal", Journal(sansNom, "x").replace("JOURNAL 1", "JOURNAL 9"));
        // Offered from the oldest, whatever their names.
        const QDateTime maintenant = QDateTime::currentDateTime();
        for (const auto &[nom, age] : {std::pair{"2-2.1.journal", 4}, {"1-1.1.journal", 3}, {"1-1.2.journal", 2},
                                       {"3-3.1.journal", 1}}) {
            QFile journal(QDir(Recuperation()).filePath(nom));
            QVERIFY(journal.open(QIODevice::ReadWrite) &&
                    journal.setFileTime(maintenant.addSecs(-60 * age), QFileDevice::FileModificationTime));
        }
        // One held by a program that runs is not offered.
        Orphelin("4-4.1.journal", Journal(sansNom, "vivant"));
        const int verrou = Verrou("4-4");
        QVERIFY(verrou >= 0);

        // "Plus tard" keeps them all.
        frame->Session().ProposeRecuperation();
        QCOMPARE(script->pagesOffertes.size(), 4);
        QVERIFY(script->pagesOffertes[0].endsWith(" : copie incomplète"));
        QVERIFY(script->pagesOffertes[1].startsWith(chemin + ", modifiée le "));
        QVERIFY(script->pagesOffertes[3].endsWith(" : écrite par une version plus récente"));
        QVERIFY(frame->Fenetres().isEmpty());

        script->pagesOffertes.clear();
        script->recuperations << Utilisateur::Recuperation::Recuperer;
        frame->Session().ProposeRecuperation();
        QCOMPARE(script->pagesOffertes.size(), 4);
        const QList<TWndHTML *> pages = frame->Fenetres();
        QCOMPARE(pages.size(), 2);
        TWndHTML *page = pages[1];
        QCOMPARE(page->FileName, chemin);
        QVERIFY(!page->Untitled && page->EditHTML->isModified());
        QVERIFY(pages[0]->Untitled && pages[0]->EditHTML->isModified());
        QCOMPARE(Texte(pages[0]), QByteArray("<P>neuf"));
        // The recovered pages have journals of their own; only the newer one and the running program's remain.
        QCOMPARE(Journaux().size(), 4);
        QVERIFY(QFileInfo::exists(QDir(Recuperation()).filePath("3-3.1.journal")));
        QVERIFY(!QFileInfo::exists(QDir(Recuperation()).filePath("2-2.1.journal")));

        // Its file changed since the crash: saving asks, and "&Non" leaves it.
        QVERIFY(!page->FileSave());
        QVERIFY(script->questions.last().contains("a été modifié sur le disque depuis son ouverture"));
        QCOMPARE(Lit(chemin), QByteArray("ancien"));
        script->ouiNon << true;
        QVERIFY(page->FileSave());
        QCOMPARE(Lit(chemin), QByteArray("<P>\xE9t\xE9</P>\r\n"));
        ::close(verrou);

        // "Ignorer" deletes what is left of the stopped programs; at the next start, so do their marks go.
        script->recuperations << Utilisateur::Recuperation::Ignorer;
        frame->Session().ProposeRecuperation();
        QVERIFY(!QFileInfo::exists(QDir(Recuperation()).filePath("3-3.1.journal")));
        QVERIFY(!QFileInfo::exists(QDir(Recuperation()).filePath("4-4.1.journal")));
        Ecrit(QDir(Recuperation()).filePath("5-5.verrou"), "");
        Ecrit(QDir(Recuperation()).filePath("5-5.1.journal.nouveau"), "coupé pendant son écriture");
        FermeCadre();
        NouveauCadre(Recuperation());
        QCOMPARE(QDir(Recuperation()).entryList(QDir::Files).size(), 1);
    }

    // Only the headers are read to list the pages: a journal larger than the memory is listed, never loaded; memory
    // running out while a page is recovered is told, and its journal kept for the next start.
    void journauxEnormes()
    {
        constexpr qint64 Enorme = 2'500'000'000;
        const EnteteJournal entete = Entete();
        const QByteArray debut = QByteArray::fromStdString(DebutJournal(entete, std::size_t(Enorme)));
        for (const auto &[nom, octets, taille] : {std::tuple{"1-1.1.journal", debut, Enorme + debut.size() + 5},
                                                  std::tuple{"2-2.1.journal", QByteArray("\0"), Enorme}}) {
            Orphelin(nom, octets);
            // Sparse: nothing is written but the first bytes.
            QVERIFY(QFile::resize(QDir(Recuperation()).filePath(nom), taille));
        }
        Orphelin("3-3.1.journal", Journal(entete, "<P>petite"));
        {
            const LimiteDeMemoire limite(256 << 20);
            frame->Session().ProposeRecuperation();
        }
        QCOMPARE(script->pagesOffertes.size(), 3);
        QVERIFY2(script->pagesOffertes[0].endsWith(
                     QStringLiteral(" : %1 Mo, trop grande pour l'éditeur").arg(QLocale(QLocale::French).toString(2384))),
                 qPrintable(script->pagesOffertes[0]));
        QCOMPARE(script->pagesOffertes[1], QStringLiteral("2-2.1.journal : copie illisible"));

        // Recovered, the page too large stays for a larger program; the unreadable one goes.
        script->recuperations << Utilisateur::Recuperation::Recuperer;
        frame->Session().ProposeRecuperation();
        QCOMPARE(frame->Fenetres().size(), 1);
        QCOMPARE(Texte(frame->Fenetres()[0]), QByteArray("<P>petite"));
        QVERIFY(QFileInfo::exists(QDir(Recuperation()).filePath("1-1.1.journal")));
        QVERIFY(!QFileInfo::exists(QDir(Recuperation()).filePath("2-2.1.journal")));
        QVERIFY(script->erreurs.isEmpty());

        // Memory running out while a page is recovered is told, and its journal kept for the next start.
        script->reponses << Utilisateur::Reponse::Non;
        frame->FenetresFermerTout();
        QTRY_VERIFY(frame->Fenetres().isEmpty());
        QVERIFY(QFile::remove(QDir(Recuperation()).filePath("1-1.1.journal")));
        Orphelin("1-1.1.journal", Journal(Entete(), QByteArray(48 << 20, 'x')));
        script->pagesOffertes.clear();
        script->recuperations << Utilisateur::Recuperation::Recuperer;
        {
            const LimiteDeMemoire limite(16 << 20);
            frame->Session().ProposeRecuperation();
        }
        QCOMPARE(script->pagesOffertes.size(), 1);
        QCOMPARE(script->erreurs, QStringList{QStringLiteral("La page Sans Nom ne peut être récupérée : mémoire "
                                                             "insuffisante. Sa copie de secours est gardée pour un "
                                                             "prochain démarrage.")});
        QVERIFY(frame->Fenetres().isEmpty());
        QVERIFY(QFileInfo::exists(QDir(Recuperation()).filePath("1-1.1.journal")));
    }
};

QTEST_MAIN(TestRecuperation)
#include "tst_recuperation.moc"
