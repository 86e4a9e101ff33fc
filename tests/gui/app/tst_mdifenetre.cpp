#include "CadreDeTest.h"
#include "Limites.h"

#include <Qsci/qscilexer.h>

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>

#include <atomic>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QStringList Noms(const QList<TWndHTML *> &fenetres)
{
    QStringList noms;
    for (TWndHTML *w : fenetres)
        noms << QFileInfo(w->FileName).fileName();
    return noms;
}

QMdiSubWindow *Cadre(TWndHTML *w)
{
    return qobject_cast<QMdiSubWindow *>(w->parentWidget());
}

// A named pipe with a writer waiting in a thread for each reader that opens it: a program that opens the pipe
// goes on, instead of waiting forever, and the count of readers tells that it did.
class Tuyau {
public:
    explicit Tuyau(const QString &chemin)
        : chemin(QFile::encodeName(chemin))
        , cree(mkfifo(this->chemin.constData(), 0600) == 0)
    {
        if (cree)
            ecrivain = std::thread([this] {
                for (;;) {
                    const int fd = ::open(this->chemin.constData(), O_WRONLY);
                    if (fd >= 0)
                        ::close(fd);
                    if (fin)
                        return;
                    ++lecteurs;
                }
            });
    }
    ~Tuyau() { Arrete(); }

    bool Cree() const { return cree; }

    // Releases the writer; the number of times a reader opened the pipe.
    int Arrete()
    {
        if (ecrivain.joinable()) {
            fin = true;
            const int fd = ::open(chemin.constData(), O_RDONLY | O_NONBLOCK);
            ecrivain.join();
            if (fd >= 0)
                ::close(fd);
        }
        return lecteurs;
    }

private:
    QByteArray chemin;
    bool cree;
    std::atomic<bool> fin{false};
    std::atomic<int> lecteurs{0};
    std::thread ecrivain;
};

} // namespace

class TestMDIFenetre : public CadreDeTest {
    Q_OBJECT

    void Clique(const char *bouton)
    {
        auto *action = frame->findChild<QAction *>(QLatin1String(bouton));
        QVERIFY2(action, bouton);
        action->trigger();
    }

    void Active(TWndHTML *w) { frame->findChild<QMdiArea *>()->setActiveSubWindow(Cadre(w)); }

    // Saves the desktop under that name and returns what the file holds.
    QByteArray EnregistreBureau(const QString &nom)
    {
        script->fichiers << nom;
        frame->EnregistrerLeBureau();
        return Lit(nom);
    }

private slots:
    void init()
    {
        QVERIFY(dossier.isValid());
        NouveauCadre();
    }

    void cleanup() { FermeCadre(); }

    void barreDeMenus()
    {
        const auto titres = [this] {
            QStringList t;
            for (QAction *action : frame->menuBar()->actions())
                t << action->text();
            return t;
        };
        QCOMPARE(titres(), (QStringList{"&Fichier", "Fenê&tres", "&Options", "&Aide"}));
        frame->FileNew();
        QCOMPARE(titres(), (QStringList{"&Fichier", "&Edition", "&Insertion", "Fenê&tres", "&Options", "&Aide"}));
        QCOMPARE(frame->menuBar()->actions().constFirst()->menu(), frame->FenetreActive()->FichierMenu);
    }

    void boutonsDeMiseEnForme_data()
    {
        QTest::addColumn<QString>("bouton");
        QTest::addColumn<QByteArray>("attendu");
        QTest::newRow("gras") << "sbGras" << QByteArray("<B>mot</B>");
        QTest::newRow("italique") << "sbItalique" << QByteArray("<I>mot</I>");
        QTest::newRow("souligné") << "sbSouligne" << QByteArray("<U>mot</U>");
        QTest::newRow("H1") << "sbH1" << QByteArray("<H1>mot</H1>");
        QTest::newRow("H6") << "sbH6" << QByteArray("<H6>mot</H6>");
        QTest::newRow("HR devant") << "sbHR" << QByteArray("<HR>mot");
        QTest::newRow("paragraphe") << "sbParagraphe" << QByteArray("<P>mot</P>");
        QTest::newRow("BR devant") << "sbBR" << QByteArray("<BR>mot");
        QTest::newRow("gauche") << "sbGauche" << QByteArray("<P ALIGN=LEFT>mot</P>");
        QTest::newRow("centre") << "sbCentre" << QByteArray("<P ALIGN=CENTER>mot</P>");
        QTest::newRow("droite") << "sbDroite" << QByteArray("<P ALIGN=RIGHT>mot</P>");
        QTest::newRow("espace insécable") << "snnbsp" << QByteArray("&nbsp;mot");
    }

    void boutonsDeMiseEnForme()
    {
        QFETCH(QString, bouton);
        QFETCH(QByteArray, attendu);

        // Without a document, nothing happens.
        Clique(bouton.toLatin1().constData());
        QVERIFY(frame->Fenetres().isEmpty());

        TWndHTML *w = Ouvre(Fichier("mot.htm", "mot"));
        w->EditHTML->Selectionne(0, 3);
        Clique(bouton.toLatin1().constData());
        QCOMPARE(Texte(w), attendu);
        QCOMPARE(w->EditHTML->SelLength(), 3);

        // A second click nests the pair, the word still selected.
        Clique(bouton.toLatin1().constData());
        QVERIFY(Texte(w).size() == 2 * attendu.size() - 3);
    }

    void commandesSansDocument()
    {
        for (const char *bouton : {"sbEnregistrer", "sbCouper", "sbCopier", "sbColler", "sbApercu"})
            Clique(bouton);
        QVERIFY(frame->Fenetres().isEmpty());
        QVERIFY(script->dialogues.isEmpty());
    }

    void nouveauDocument()
    {
        Clique("sbNouveau");
        TWndHTML *w = frame->FenetreActive();
        QVERIFY(w);
        const QByteArray ouverture("<HTML>\n<HEAD>\n<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=utf-8\">\n<TITLE>Sans Titre</TITLE>\n</HEAD>\n<BODY>\n");
        QCOMPARE(Texte(w), ouverture + "\n</BODY>\n</HTML>\n");
        QCOMPARE(w->EditHTML->SelStart(), ouverture.size());
        QCOMPARE(w->EditHTML->SelLength(), 0);
        QCOMPARE(w->FileName, QStringLiteral("Sans Nom"));
        QCOMPARE(w->windowTitle(), QStringLiteral("Sans Nom"));
        QVERIFY(w->Untitled);
        QVERIFY(w->EditHTML->isModified());
    }

    void fermerToutDuDernierAuPremier()
    {
        for (const char *nom : {"a.htm", "b.htm", "c.htm"})
            Ouvre(Fichier(nom))->InsertionTexte("x", "");
        script->reponses << Utilisateur::Reponse::Non << Utilisateur::Reponse::Annuler << Utilisateur::Reponse::Non;
        frame->FenetresFermerTout();
        // From the back to the front: the active page is asked last.
        QCOMPARE(script->questions.size(), 3);
        QVERIFY(script->questions[0].contains("a.htm"));
        QVERIFY(script->questions[1].contains("b.htm"));
        QVERIFY(script->questions[2].contains("c.htm"));
        QTRY_COMPARE(Noms(frame->Fenetres()), QStringList{"b.htm"});
    }

    void quitterSArreteAuPremierRefus()
    {
        TWndHTML *a = Ouvre(Fichier("a.htm"));
        TWndHTML *b = Ouvre(Fichier("b.htm"));
        TWndHTML *c = Ouvre(Fichier("c.htm"));
        for (TWndHTML *w : {a, b, c})
            w->InsertionTexte("x", "");
        // From the front to the back: the active page is asked first.
        script->reponses << Utilisateur::Reponse::Oui << Utilisateur::Reponse::Annuler;
        QVERIFY(!frame->close());
        QCOMPARE(script->questions.size(), 2);
        QCOMPARE(Lit(dossier.filePath("c.htm")), QByteArray("x<P>"));
        QTRY_COMPARE(Noms(frame->Fenetres()), (QStringList{"b.htm", "a.htm"}));

        script->reponses << Utilisateur::Reponse::Non << Utilisateur::Reponse::Non;
        QVERIFY(frame->close());
        QCOMPARE(Lit(dossier.filePath("a.htm")), QByteArray("<P>"));
    }

    void fonteEnregistreeEtRetrouvee()
    {
        // Chosen with no document open: used by later windows, not stored.
        QFont fonte(QStringLiteral("DejaVu Sans Mono"), 13);
        script->fontes << fonte;
        frame->Fonte();
        QVERIFY(!QFile::exists(dossier.filePath("Balizo.ini")));
        QCOMPARE(frame->FonteDocuments().family(), fonte.family());

        // With a document open: stored, and given to every window.
        frame->FileNew();
        fonte.setPointSize(15);
        script->fontes << fonte;
        frame->Fonte();
        QCOMPARE(frame->FenetreActive()->EditHTML->lexer()->font(0).pointSize(), 15);

        NouveauCadre();
        QCOMPARE(frame->FonteDocuments().family(), fonte.family());
        QCOMPARE(frame->FonteDocuments().pointSize(), 15);

        // Cancelled with a document open: the file is written again with the font the windows have.
        QFile::remove(dossier.filePath("Balizo.ini"));
        frame->FileNew();
        frame->Fonte();
        QSettings ini(dossier.filePath("Balizo.ini"), QSettings::IniFormat);
        QCOMPARE(ini.value("Balizo/Taille").toString(), QStringLiteral("15"));
    }

    void ligneDeCommande()
    {
        const QString avecEspace = Fichier("ma page.htm", "contenu");
        frame->Demarrage(avecEspace.split(u' '));
        QCOMPARE(frame->Fenetres().size(), 1);
        QCOMPARE(frame->FenetreActive()->FileName, avecEspace);
        QCOMPARE(Texte(frame->FenetreActive()), QByteArray("contenu"));

        NouveauCadre();
        frame->Demarrage({dossier.filePath("absent.htm")});
        QVERIFY(frame->Fenetres().isEmpty());
        frame->Demarrage({dossier.path()});
        QVERIFY(frame->Fenetres().isEmpty());
        frame->Demarrage({});
        QVERIFY(frame->Fenetres().isEmpty());
        QVERIFY(script->erreurs.isEmpty());

        // A desktop file, whatever the case of its extension.
        const QString a = Fichier("a.htm");
        const QString b = Fichier("b.htm");
        const QString bureau = Fichier("travail.DsK", (b + "\r\n" + a + "\r\n").toUtf8());
        frame->Demarrage({bureau});
        QCOMPARE(Noms(frame->Fenetres()), (QStringList{"a.htm", "b.htm"}));
        QCOMPARE(frame->FenetreActive()->FileName, a);
    }

    void bureauAllerRetour()
    {
        const QString a = Fichier("a.htm");
        const QString b = Fichier("b.htm");
        Ouvre(a);
        Ouvre(b);
        Ouvre(a);
        frame->FileNew();
        const QString bureau = dossier.filePath("session.dsk");
        QCOMPARE(EnregistreBureau(bureau), (a + "\n" + b + "\n" + a + "\nSans Nom\n").toUtf8());

        // Loading asks the new document's question last; "Annuler" keeps it beside the loaded ones.
        script->reponses << Utilisateur::Reponse::Annuler;
        script->fichiers << bureau;
        frame->ChargerUnBureau();
        QCOMPARE(script->questions.size(), 1);
        QTRY_COMPARE(Noms(frame->Fenetres()), (QStringList{"a.htm", "b.htm", "a.htm", "Sans Nom"}));
        QCOMPARE(frame->FenetreActive()->FileName, a);
    }

    void bureauIllisibleOuVide()
    {
        Ouvre(Fichier("a.htm"));
        script->fichiers << dossier.filePath("absent.dsk");
        frame->ChargerUnBureau();
        QTRY_VERIFY(frame->Fenetres().isEmpty());
        QVERIFY(script->erreurs.isEmpty());

        // Empty lines and files that no longer exist are left out.
        const QString a = Fichier("a.htm");
        const QString bureau = Fichier("trous.dsk", ("\n" + dossier.filePath("parti.htm") + "\n\n" + a).toUtf8());
        frame->ChargeBureau(bureau);
        QCOMPARE(Noms(frame->Fenetres()), QStringList{"a.htm"});

        // With no document open, the saved desktop is an empty file.
        frame->FenetresFermerTout();
        QTRY_VERIFY(frame->Fenetres().isEmpty());
        const QString vide = dossier.filePath("vide.dsk");
        script->fichiers << vide;
        frame->EnregistrerLeBureau();
        QVERIFY(QFile::exists(vide));
        QCOMPARE(Lit(vide), QByteArray());
    }

    void bureauGardeLOrdreEtLaPageActive()
    {
        const QString a = Fichier("a.htm");
        const QString b = Fichier("b.htm");
        const QString c = Fichier("c.htm");
        Ouvre(a);
        TWndHTML *wb = Ouvre(b);
        Ouvre(c);
        Active(wb);
        QCOMPARE(Noms(frame->Fenetres()), (QStringList{"b.htm", "c.htm", "a.htm"}));
        const QByteArray contenu = (a + "\n" + c + "\n" + b + "\n").toUtf8();
        QCOMPARE(EnregistreBureau(dossier.filePath("un.dsk")), contenu);

        // Reloaded, saved and reloaded again: the same order, the same page in front.
        for (const char *nom : {"un.dsk", "deux.dsk"}) {
            frame->ChargeBureau(dossier.filePath(nom));
            QTRY_COMPARE(Noms(frame->Fenetres()), (QStringList{"b.htm", "c.htm", "a.htm"}));
            QCOMPARE(frame->FenetreActive()->FileName, b);
            QCOMPARE(EnregistreBureau(dossier.filePath("deux.dsk")), contenu);
        }
    }

    void lignesDuBureau()
    {
        const QString dossierCourant = QDir::currentPath();
        QVERIFY(QDir(dossier.path()).mkdir("site"));
        const QString page = Fichier("site/index.htm");
        const QString coupe = Fichier("deux\nlignes.htm");
        const QString a = Fichier("a.htm");
        Ouvre(coupe);
        // Named on the command line from the page's folder's parent: the caption keeps the name as typed.
        QDir::setCurrent(dossier.path());
        frame->Demarrage({QStringLiteral("site/index.htm")});
        QCOMPARE(frame->FenetreActive()->FileName, QStringLiteral("site/index.htm"));
        Ouvre(a);
        frame->FileNew();
        script->reponses << Utilisateur::Reponse::Non;

        const QString bureau = dossier.filePath("session.dsk");
        QCOMPARE(EnregistreBureau(bureau), (page + "\n" + a + "\nSans Nom\n").toUtf8());
        QCOMPARE(script->erreurs,
                 QStringList{"Bureau|Le nom de " + coupe +
                             " contient un saut de ligne : cette page n'est pas inscrite dans le bureau."});

        // Loaded from another folder, the pages open all the same.
        QDir::setCurrent(QDir::rootPath());
        frame->ChargeBureau(bureau);
        QDir::setCurrent(dossierCourant);
        QTRY_COMPARE(Noms(frame->Fenetres()), (QStringList{"a.htm", "index.htm"}));
        QCOMPARE(script->erreurs.size(), 1);
    }

    void bureauEcritureRefusee()
    {
        for (const char *nom : {"une première page au nom assez long.htm", "une deuxième page au nom assez long.htm"})
            Ouvre(Fichier(QString::fromUtf8(nom)));
        const QByteArray ancien("ancien bureau\n");
        const QString bureau = Fichier("session.dsk", ancien);
        script->fichiers << bureau;
        {
            // Room for less than one of the two names.
            const LimiteDeTaille limite(64);
            frame->EnregistrerLeBureau();
        }
        QCOMPARE(Lit(bureau), ancien);
        QCOMPARE(script->erreurs, QStringList{"Ne peut créer le fichier " + bureau});
    }

    void tuyauxJamaisOuverts_data()
    {
        QTest::addColumn<QString>("commande");
        QTest::addColumn<bool>("tuyauInscrit"); // the pipe is listed in a desktop file, not the desktop itself
        QTest::newRow("bureau qui est un tuyau, en ligne de commande") << "Demarrage" << false;
        QTest::newRow("bureau qui est un tuyau, par « C&harger un bureau... »") << "ChargerUnBureau" << false;
        QTest::newRow("tuyau inscrit dans un bureau: passé comme une page illisible") << "ChargerUnBureau" << true;
    }

    void tuyauxJamaisOuverts()
    {
        QFETCH(QString, commande);
        QFETCH(bool, tuyauInscrit);

        Ouvre(Fichier("ouverte.htm"));
        const QString a = Fichier("a.htm");
        const QTemporaryDir tuyaux;
        const QString chemin = tuyaux.filePath(tuyauInscrit ? "tuyau.htm" : "tuyau.dsk");
        Tuyau tuyau(chemin);
        QVERIFY(tuyau.Cree());
        const QString bureau = tuyauInscrit ? Fichier("liste.dsk", (chemin + "\n" + a + "\n").toUtf8()) : chemin;
        if (commande == "Demarrage") {
            frame->Demarrage({bureau});
        } else {
            script->fichiers << bureau;
            frame->ChargerUnBureau();
        }
        QCOMPARE(tuyau.Arrete(), 0);
        QTRY_COMPARE(Noms(frame->Fenetres()), tuyauInscrit ? QStringList{"a.htm"} : QStringList{});
        QVERIFY(script->erreurs.isEmpty());
    }

    void cascade()
    {
        frame->resize(1200, 900);
        frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame.get()));
        const QSize zone = frame->findChild<QMdiArea *>()->viewport()->size();
        const QSize taille(zone.width() * 2 / 3, zone.height() * 2 / 3);
        TWndHTML *a = Ouvre(Fichier("a.htm"));
        TWndHTML *b = Ouvre(Fichier("b.htm"));
        TWndHTML *c = Ouvre(Fichier("c.htm"));
        Cadre(a)->setGeometry(300, 200, 150, 100);
        Cadre(c)->showMaximized();
        Active(b);

        // From the back to the front, each a step below and right of the one before; the active one stays in front.
        frame->FenetreCascade();
        const QPoint pas = Cadre(c)->pos() - Cadre(a)->pos();
        QVERIFY(pas.x() > 0 && pas.x() == pas.y());
        const QList<TWndHTML *> ordre{a, c, b};
        for (int i = 0; i < ordre.size(); ++i)
            QCOMPARE(Cadre(ordre[i])->geometry(), QRect(i * pas, taille));
        QCOMPARE(frame->FenetreActive(), b);
        QCOMPARE(Noms(frame->Fenetres()), (QStringList{"b.htm", "c.htm", "a.htm"}));

        // A new window takes its place in the cascade.
        TWndHTML *d = Ouvre(Fichier("d.htm"));
        QCOMPARE(Cadre(d)->geometry(), QRect(3 * pas, taille));
    }

    // One above another across the whole width, the last one taking what the division leaves over.
    void mosaique()
    {
        frame->resize(1200, 900);
        frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame.get()));
        QWidget *zone = frame->findChild<QMdiArea *>()->viewport();
        frame->resize(1200, 900 + 602 - zone->height());
        QTRY_COMPARE(zone->height(), 602);
        TWndHTML *a = Ouvre(Fichier("a.htm"));
        TWndHTML *b = Ouvre(Fichier("b.htm"));
        TWndHTML *c = Ouvre(Fichier("c.htm"));
        Cadre(b)->showMaximized();
        Active(b);

        frame->FenetreMosaique();
        const int largeur = zone->width();
        QCOMPARE(Cadre(b)->geometry(), QRect(0, 0, largeur, 200));
        QCOMPARE(Cadre(c)->geometry(), QRect(0, 200, largeur, 200));
        QCOMPARE(Cadre(a)->geometry(), QRect(0, 400, largeur, 202));
    }

    void listeDesFenetres()
    {
        QStringList attendus;
        QList<TWndHTML *> fenetres;
        for (int i = 1; i <= 10; ++i) {
            const QString chemin = Fichier(QStringLiteral("p&%1.htm").arg(i));
            fenetres << Ouvre(chemin);
            const QString nom = QString(chemin).replace(u'&', QStringLiteral("&&"));
            attendus << (i <= 9 ? QStringLiteral("&%1 %2").arg(i).arg(nom) : nom);
        }
        Active(fenetres[2]);

        QMenu *menu = frame->menuBar()->actions()[3]->menu();
        QCOMPARE(menu->title(), QStringLiteral("Fenê&tres"));
        emit menu->aboutToShow();
        QList<QAction *> actions = menu->actions();
        actions = actions.mid(actions.size() - attendus.size());
        QStringList textes;
        QList<bool> coches;
        for (QAction *action : actions) {
            textes << action->text();
            coches << action->isChecked();
        }
        // In the order of opening, whichever is in front; the one in front checked, and it alone.
        QCOMPARE(textes, attendus);
        QCOMPARE(coches.indexOf(true), 2);
        QCOMPARE(coches.lastIndexOf(true), 2);
        actions[9]->trigger();
        QCOMPARE(frame->FenetreActive()->FileName, dossier.filePath("p&10.htm"));
    }

    void aPropos()
    {
        frame->APropos();
        frame->APropos();
        QCOMPARE(script->dialoguesExecutes, (QStringList{"A propos...", "A propos..."}));
    }
};

QTEST_MAIN(TestMDIFenetre)
#include "tst_mdifenetre.moc"
