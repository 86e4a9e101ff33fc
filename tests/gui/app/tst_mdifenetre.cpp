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
    // The pipe must exist.
    explicit Tuyau(const QString &chemin)
        : chemin(QFile::encodeName(chemin))
        , ecrivain([this] {
            for (;;) {
                const int fd = ::open(this->chemin.constData(), O_WRONLY);
                if (fd >= 0)
                    ::close(fd);
                if (fin)
                    return;
                ++lecteurs;
            }
        })
    {
    }
    ~Tuyau() { Arrete(); }

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

    // Opens a.htm, b.htm and c.htm, in that order.
    QList<TWndHTML *> OuvreTrois()
    {
        return {Ouvre(Fichier("a.htm")), Ouvre(Fichier("b.htm")), Ouvre(Fichier("c.htm"))};
    }

    // Shows the frame with an area 602 pixels high; null when it could not.
    QWidget *Montre()
    {
        frame->resize(1200, 900);
        frame->show();
        if (!QTest::qWaitForWindowExposed(frame.get()))
            return nullptr;
        QWidget *zone = frame->findChild<QMdiArea *>()->viewport();
        frame->resize(1200, 900 + 602 - zone->height());
        return QTest::qWaitFor([zone] { return zone->height() == 602; }) ? zone : nullptr;
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
        QCOMPARE(frame->menuBar()->actions().constFirst()->menu(), frame->FichierDocumentMenu);
    }

    void boutonsDeMiseEnForme_data()
    {
        QTest::addColumn<QString>("bouton");
        QTest::addColumn<QByteArray>("attendu");
        QTest::newRow("gras") << "sbGras" << QByteArray("<B>mot</B>");
        QTest::newRow("H1") << "sbH1" << QByteArray("<H1>mot</H1>");
        QTest::newRow("H6") << "sbH6" << QByteArray("<H6>mot</H6>");
        QTest::newRow("HR devant") << "sbHR" << QByteArray("<HR>mot");
        QTest::newRow("centre") << "sbCentre" << QByteArray("<P ALIGN=CENTER>mot</P>");
        QTest::newRow("espace insécable") << "snnbsp" << QByteArray("&nbsp;mot");
    }

    void boutonsDeMiseEnForme()
    {
        QFETCH(QString, bouton);
        QFETCH(QByteArray, attendu);

        TWndHTML *w = Ouvre(Fichier("mot.htm", "mot"));
        w->EditHTML->Selectionne(0, 3);
        Clique(bouton.toLatin1().constData());
        QCOMPARE(Texte(w), attendu);
    }

    void commandesSansDocument()
    {
        for (const char *bouton : {"sbEnregistrer", "sbCouper", "sbCopier", "sbColler", "sbApercu", "sbGras"})
            Clique(bouton);
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
    }

    // Quitting asks from the front to the back and stops at the first refusal; closing all asks from the back to the
    // front, the active page last, and goes on past a refusal.
    void quitterPuisFermerTout()
    {
        for (TWndHTML *w : OuvreTrois())
            w->InsertionTexte("x", "");
        script->reponses << Utilisateur::Reponse::Oui << Utilisateur::Reponse::Annuler;
        QVERIFY(!frame->close());
        QCOMPARE(Lit(dossier.filePath("c.htm")), QByteArray("x<P>"));
        QTRY_COMPARE(Noms(frame->Fenetres()), (QStringList{"b.htm", "a.htm"}));

        script->reponses << Utilisateur::Reponse::Annuler << Utilisateur::Reponse::Non;
        frame->FenetresFermerTout();
        QCOMPARE(script->questions.size(), 4);
        for (int i = 0; i < 4; ++i)
            QVERIFY(script->questions[i].contains(QStringList{"c.htm", "b.htm", "a.htm", "b.htm"}[i]));
        QTRY_COMPARE(Noms(frame->Fenetres()), QStringList{"a.htm"});
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
        QCOMPARE(Noms(frame->Fenetres()), QStringList{"ma page.htm"});
        QCOMPARE(Texte(frame->FenetreActive()), QByteArray("contenu"));

        NouveauCadre();
        for (const QStringList &rien : {QStringList{dossier.filePath("absent.htm")}, QStringList{dossier.path()}, {}})
            frame->Demarrage(rien);
        QVERIFY(frame->Fenetres().isEmpty());

        // A desktop file, whatever the case of its extension.
        frame->Demarrage({Fichier("travail.DsK", (Fichier("b.htm") + "\r\n" + Fichier("a.htm") + "\r\n").toUtf8())});
        QCOMPARE(Noms(frame->Fenetres()), (QStringList{"a.htm", "b.htm"}));
    }

    void bureauVideOuIllisible()
    {
        // With no document open, the saved desktop is an empty file.
        const QString vide = dossier.filePath("vide.dsk");
        QCOMPARE(EnregistreBureau(vide), QByteArray());
        QVERIFY(QFile::exists(vide));

        Ouvre(Fichier("a.htm"));
        script->fichiers << dossier.filePath("absent.dsk");
        frame->ChargerUnBureau();
        QTRY_VERIFY(frame->Fenetres().isEmpty());
        QVERIFY(script->erreurs.isEmpty());

        // Files that no longer exist are left out.
        frame->ChargeBureau(Fichier("trous.dsk", (dossier.filePath("parti.htm") + "\n" + Fichier("a.htm")).toUtf8()));
        QCOMPARE(Noms(frame->Fenetres()), QStringList{"a.htm"});
    }

    void bureauGardeLOrdreEtLaPageActive()
    {
        Active(OuvreTrois()[1]);
        const QByteArray contenu = (dossier.filePath("a.htm") + "\n" + dossier.filePath("c.htm") + "\n" +
                                    dossier.filePath("b.htm") + "\n").toUtf8();
        QCOMPARE(EnregistreBureau(dossier.filePath("un.dsk")), contenu);

        // Reloaded and saved again: the same order, the same page in front.
        frame->ChargeBureau(dossier.filePath("un.dsk"));
        QTRY_COMPARE(Noms(frame->Fenetres()), (QStringList{"b.htm", "c.htm", "a.htm"}));
        QCOMPARE(EnregistreBureau(dossier.filePath("deux.dsk")), contenu);
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
        QTest::addColumn<bool>("tuyauInscrit"); // the pipe is listed in a desktop file, not the desktop itself
        QTest::newRow("bureau qui est un tuyau, en ligne de commande") << false;
        QTest::newRow("tuyau inscrit dans un bureau: passé comme une page illisible") << true;
    }

    void tuyauxJamaisOuverts()
    {
        QFETCH(bool, tuyauInscrit);

        Ouvre(Fichier("ouverte.htm"));
        const QString a = Fichier("a.htm");
        const QTemporaryDir tuyaux;
        const QString chemin = tuyaux.filePath(tuyauInscrit ? "tuyau.htm" : "tuyau.dsk");
        QVERIFY(mkfifo(QFile::encodeName(chemin).constData(), 0600) == 0);
        Tuyau tuyau(chemin);
        if (tuyauInscrit) {
            script->fichiers << Fichier("liste.dsk", (chemin + "\n" + a + "\n").toUtf8());
            frame->ChargerUnBureau();
        } else {
            frame->Demarrage({chemin});
        }
        QCOMPARE(tuyau.Arrete(), 0);
        QTRY_COMPARE(Noms(frame->Fenetres()), tuyauInscrit ? QStringList{"a.htm"} : QStringList{});
        QVERIFY(script->erreurs.isEmpty());
    }

    // Cascade: from the back to the front, each a step below and right of the one before, the active one staying in
    // front. Mosaic: one above another across the whole width, the last one taking what the division leaves over.
    void cascadeEtMosaique()
    {
        QWidget *zone = Montre();
        QVERIFY(zone);
        const QSize taille(zone->width() * 2 / 3, zone->height() * 2 / 3);
        const QList<TWndHTML *> f = OuvreTrois();
        Cadre(f[0])->setGeometry(300, 200, 150, 100);
        Cadre(f[2])->showMaximized();
        Active(f[1]);

        frame->FenetreCascade();
        const QPoint pas = Cadre(f[2])->pos() - Cadre(f[0])->pos();
        QVERIFY(pas.x() > 0 && pas.x() == pas.y());
        const QList<TWndHTML *> cascade{f[0], f[2], f[1]};
        for (int i = 0; i < cascade.size(); ++i)
            QCOMPARE(Cadre(cascade[i])->geometry(), QRect(i * pas, taille));
        QCOMPARE(Noms(frame->Fenetres()), (QStringList{"b.htm", "c.htm", "a.htm"}));
        // A new window takes its place in the cascade.
        TWndHTML *d = Ouvre(Fichier("d.htm"));
        QCOMPARE(Cadre(d)->geometry(), QRect(3 * pas, taille));

        Cadre(f[1])->showMaximized();
        Active(f[1]);
        frame->FenetreMosaique();
        const QList<TWndHTML *> mosaique{f[1], d, f[2], f[0]};
        for (int i = 0; i < mosaique.size(); ++i)
            QCOMPARE(Cadre(mosaique[i])->geometry(), QRect(0, 150 * i, zone->width(), i < 3 ? 150 : 152));
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
        emit menu->aboutToShow();
        const QList<QAction *> actions = menu->actions().mid(menu->actions().size() - attendus.size());
        QStringList textes;
        QList<QAction *> cochees;
        for (QAction *action : actions) {
            textes << action->text();
            if (action->isChecked())
                cochees << action;
        }
        // In the order of opening, whichever is in front; the one in front checked, and it alone.
        QCOMPARE(textes, attendus);
        QCOMPARE(cochees, QList<QAction *>{actions[2]});
        actions[9]->trigger();
        QCOMPARE(frame->FenetreActive()->FileName, dossier.filePath("p&10.htm"));
    }

    void aPropos()
    {
        frame->APropos();
        QCOMPARE(script->dialoguesExecutes, QStringList{"A propos..."});
    }
};

QTEST_MAIN(TestMDIFenetre)
#include "tst_mdifenetre.moc"
