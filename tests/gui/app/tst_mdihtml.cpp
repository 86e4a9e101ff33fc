// SPDX-License-Identifier: GPL-3.0-or-later
#include "CadreDeTest.h"
#include "Limites.h"
#include "gui/app/Disposition.h"
#include "gui/settings/CheminsQt.h"

#include <Qsci/qscilexer.h>

#include <QAccessible>
#include <QFontDatabase>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QSpinBox>
#include <QToolBar>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
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

// A named pipe with a writer that waits for each reader: a program that opens the pipe goes on, instead of waiting
// forever, and the count of readers tells that it did.
class Tuyau {
public:
    explicit Tuyau(const QString &chemin)
        : chemin(QFile::encodeName(chemin))
        , ecrivain([this] {
            for (int fd; (fd = ::open(this->chemin.constData(), O_WRONLY)) >= 0 && (::close(fd), !fin);)
                ++lecteurs;
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

class TestMDIHtml : public CadreDeTest {
    Q_OBJECT

    void Clique(const QString &bouton)
    {
        auto *action = frame->findChild<QAction *>(bouton);
        QVERIFY2(action, qPrintable(bouton));
        action->trigger();
    }

    void Active(TWndHTML *w) { frame->findChild<QMdiArea *>()->setActiveSubWindow(Cadre(w)); }

    // Saves the desktop under that name and returns what the file holds.
    QByteArray EnregistreBureau(const QString &nom)
    {
        script->fichiers << nom;
        frame->Session().EnregistreBureau();
        return Lit(nom);
    }

    QList<TWndHTML *> OuvreTrois()
    {
        return {Ouvre(Fichier("a.htm")), Ouvre(Fichier("b.htm")), Ouvre(Fichier("c.htm"))};
    }

    QStringList Menus() const
    {
        QStringList titres;
        for (QAction *action : frame->menuBar()->actions())
            titres << action->text();
        return titres;
    }

private slots:
    void init() { NouveauCadre(); }

    void cleanup() { FermeCadre(); }

    // With no document, the commands that need one do nothing; A propos still shows its dialog. A new document
    // holds the template, the caret in its body; the formatting buttons wrap the selection, which stays.
    void commandes()
    {
        QCOMPARE(Menus(), (QStringList{"&Fichier", "Fenê&tres", "&Options", "&Aide"}));
        for (const char *bouton : {"Enregistrer", "Couper", "Copier", "Coller", "Apercu", "Gras"})
            Clique(QLatin1String(bouton));
        frame->APropos();
        QVERIFY(script->dialogues.isEmpty());
        QCOMPARE(script->dialoguesExecutes, QStringList{"A propos..."});

        Clique("Nouveau");
        TWndHTML *w = frame->FenetreActive();
        QCOMPARE(Menus(), (QStringList{"&Fichier", "&Edition", "&Insertion", "Fenê&tres", "&Options", "&Aide"}));
        QCOMPARE(w->EditHTML->SelStart(), Texte(w).indexOf("<BODY>\n") + 7);

        w = OuvrePage("mot");
        w->EditHTML->Selectionne(0, 3);
        for (const char *bouton : {"Gras", "H1", "H6", "Centre", "HR", "EspaceInsecable"})
            Clique(QLatin1String(bouton));
        QCOMPARE(Texte(w), QByteArray("<B><H1><H6><P ALIGN=CENTER><HR>&nbsp;mot</P></H6></H1></B>"));
    }

    // What a screen reader says of the tool bars and of a page's text, whose name follows the page's.
    void nomsAccessibles()
    {
        const auto nom = [](QObject *objet) {
            return QAccessible::queryAccessibleInterface(objet)->text(QAccessible::Name);
        };
        QCOMPARE(nom(frame->findChild<QToolBar *>("BarrePrincipale")), QStringLiteral("Barre principale"));
        QCOMPARE(nom(frame->findChild<QToolBar *>("BarreBalises")), QStringLiteral("Barre des balises"));

        frame->FileNew();
        TWndHTML *w = frame->FenetreActive();
        QCOMPARE(nom(w->EditHTML), QStringLiteral("Sans Nom"));
        script->fichiers << dossier.filePath(QStringLiteral("Été.htm"));
        QVERIFY(w->FileSaveAs());
        QCOMPARE(nom(w->EditHTML), QStringLiteral("Été.htm"));
        QCOMPARE(nom(Ouvre(Fichier("autre.htm"))->EditHTML), QStringLiteral("autre.htm"));
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

    // Chosen with no document open, the font serves later windows and is not stored; with a document, it is stored
    // and given to every window; cancelled, the file is written again with the font the windows have.
    void fonteEnregistreeEtRetrouvee()
    {
        // Until one is chosen, the desktop's fixed-width font.
        const QFont fixe = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        QCOMPARE(frame->FonteDocuments().family(), fixe.family());
        QCOMPARE(frame->FonteDocuments().pointSize(), fixe.pointSize());
        const QString ini = dossier.filePath("Balizo.ini");
        const QString famille = QStringLiteral("DejaVu Sans Mono");
        script->fontes << QFont(famille, 13) << QFont(famille, 15);
        frame->Fonte();
        QVERIFY(!QFile::exists(ini));
        QCOMPARE(frame->FonteDocuments().pointSize(), 13);
        frame->FileNew();
        frame->Fonte();
        QCOMPARE(frame->FenetreActive()->EditHTML->lexer()->font(0).pointSize(), 15);

        NouveauCadre();
        QCOMPARE(frame->FonteDocuments().family(), famille);
        QCOMPARE(frame->FonteDocuments().pointSize(), 15);
        QFile::remove(ini);
        frame->FileNew();
        frame->Fonte();
        QCOMPARE(QSettings(ini, QSettings::IniFormat).value("Balizo/Taille").toString(), QStringLiteral("15"));

        // "Balizo.ini" that is a folder: the font chosen is still given to the windows, and the settings that cannot
        // be stored are reported once.
        FermeCadre();
        QVERIFY(QDir().mkdir(ini));
        const auto menage = qScopeGuard([&ini] { QDir().rmdir(ini); });
        NouveauCadre();
        frame->FileNew();
        script->fontes << QFont(famille, 12);
        frame->Fonte();
        QCOMPARE(script->erreurs, QStringList{"Ne peut écrire dans " + ini});
        QCOMPARE(frame->FenetreActive()->EditHTML->lexer()->font(0).pointSize(), 12);
        QVERIFY(QFileInfo(ini).isDir());
    }

    // A name cut at its blanks is put together again; a missing file or a folder opens nothing; a desktop file
    // loads whatever the case of its extension.
    void ligneDeCommande()
    {
        frame->Session().Demarrage(Fichier("ma page.htm", "contenu").split(u' '));
        QCOMPARE(Noms(frame->Fenetres()), QStringList{"ma page.htm"});
        QCOMPARE(Texte(frame->FenetreActive()), QByteArray("contenu"));

        NouveauCadre();
        for (const QStringList &rien : {QStringList{dossier.filePath("absent.htm")}, QStringList{dossier.path()}, {}})
            frame->Session().Demarrage(rien);
        QVERIFY(frame->Fenetres().isEmpty());
        frame->Session().Demarrage({Fichier("travail.DsK", (Fichier("b.htm") + "\r\n" + Fichier("a.htm") + "\r\n").toUtf8())});
        QCOMPARE(Noms(frame->Fenetres()), (QStringList{"a.htm", "b.htm"}));
    }

    // Saved from the back to the front: full names, an untitled page by its caption, a name holding a line break
    // left out with a warning. Loaded from another folder: the same order, the same page in front. With no page, the
    // desktop is an empty file; one that cannot be written is reported and left as it was; one that cannot be read
    // closes the pages all the same.
    void bureau()
    {
        const QString bureau = dossier.filePath("session.dsk");
        QCOMPARE(EnregistreBureau(bureau), QByteArray());
        QVERIFY(QFile::exists(bureau));

        const QString dossierCourant = QDir::currentPath();
        QVERIFY(QDir(dossier.path()).mkdir("site"));
        const QString page = Fichier("site/index.htm");
        const QString coupe = Fichier("deux\nlignes.htm");
        const QList<TWndHTML *> f = OuvreTrois();
        Ouvre(coupe);
        QDir::setCurrent(dossier.path());
        frame->Session().Demarrage({QStringLiteral("site/index.htm")});
        QCOMPARE(frame->FenetreActive()->FileName, page);
        frame->FileNew();
        Active(f[1]);
        const QByteArray contenu =
            QStringList{f[0]->FileName, f[2]->FileName, page, "Sans Nom", f[1]->FileName, {}}.join(u'\n').toUtf8();
        QCOMPARE(EnregistreBureau(bureau), contenu);

        script->reponses << Utilisateur::Reponse::Non;
        QDir::setCurrent(QDir::rootPath());
        frame->Session().ChargeBureau(bureau);
        QDir::setCurrent(dossierCourant);
        QTRY_COMPARE(Noms(frame->Fenetres()), (QStringList{"b.htm", "index.htm", "c.htm", "a.htm"}));
        {
            // Room for less than one name.
            const LimiteDeTaille limite(8);
            QCOMPARE(EnregistreBureau(bureau), contenu);
        }
        script->fichiers << dossier.filePath("absent.dsk");
        frame->Session().ChargeUnBureau();
        QTRY_VERIFY(frame->Fenetres().isEmpty());
        QCOMPARE(script->erreurs, (QStringList{"Bureau|Le nom de " + coupe + " contient un saut de ligne : cette page "
                                               "n'est pas inscrite dans le bureau.",
                                               "Ne peut créer le fichier " + bureau}));
    }

    // A pipe named as a desktop, or listed in one, is never opened; a page listed that no longer exists is left out.
    void tuyauxJamaisOuverts_data()
    {
        QTest::addColumn<bool>("tuyauInscrit");
        QTest::newRow("bureau qui est un tuyau, en ligne de commande") << false;
        QTest::newRow("tuyau et page disparue inscrits dans un bureau") << true;
    }

    void tuyauxJamaisOuverts()
    {
        QFETCH(bool, tuyauInscrit);
        Ouvre(Fichier("ouverte.htm"));
        const QTemporaryDir tuyaux;
        const QString chemin = tuyaux.filePath(tuyauInscrit ? "tuyau.htm" : "tuyau.dsk");
        QVERIFY(mkfifo(QFile::encodeName(chemin).constData(), 0600) == 0);
        Tuyau tuyau(chemin);
        if (tuyauInscrit) {
            const QString liste = chemin + "\n" + dossier.filePath("parti.htm") + "\n" + Fichier("a.htm") + "\n";
            script->fichiers << Fichier("liste.dsk", liste.toUtf8());
            frame->Session().ChargeUnBureau();
        } else {
            frame->Session().Demarrage({chemin});
        }
        QCOMPARE(tuyau.Arrete(), 0);
        QTRY_COMPARE(Noms(frame->Fenetres()), tuyauInscrit ? QStringList{"a.htm"} : QStringList{});
        QVERIFY(script->erreurs.isEmpty());
    }

    // A name in Latin-1 bytes, as old disks and archives hold: opened from the command line and from a desktop,
    // shown with its byte escaped in the caption, the window list and the questions, saved over the same file.
    void nomLatin1()
    {
        const QByteArray octets = QFile::encodeName(dossier.path()) + "/caf\xE9.htm";
        std::ofstream(octets.constData(), std::ios::binary) << "<P>vieux</P>";
        // Qt would not find the name to remove it with the temporary folder.
        const auto menage = qScopeGuard([&octets] { ::unlink(octets.constData()); });
        frame->Session().Demarrage({DecodeNom(octets)});
        TWndHTML *w = frame->FenetreActive();
        QVERIFY(w);
        QCOMPARE(Texte(w), QByteArray("<P>vieux</P>"));
        const QString affiche = dossier.path() + "/caf\\xE9.htm";
        QCOMPARE(w->windowTitle(), affiche + "[*]");
        QMenu *liste = frame->menuBar()->actions()[Menus().indexOf("Fenê&tres")]->menu();
        emit liste->aboutToShow();
        QCOMPARE(liste->actions().last()->text(), "&1 " + affiche);

        w->InsertionTexte("x", "");
        script->reponses << Utilisateur::Reponse::Oui;
        QVERIFY(Cadre(w)->close());
        QCOMPARE(script->questions,
                 QStringList{"Confirmation|" + affiche + " a été modifié. Voulez-vous l'enregistrer ?"});
        std::ifstream page(octets.constData(), std::ios::binary);
        QCOMPARE(std::string(std::istreambuf_iterator<char>(page), {}), std::string("x<P>vieux</P>"));
        // Saving adds no page under another spelling of the name.
        const auto pages = std::count_if(std::filesystem::directory_iterator(QFile::encodeName(dossier.path()).constData()),
                                         {}, [](const auto &page) { return page.path().filename().string().starts_with("caf"); });
        QCOMPARE(pages, 1);

        frame->Session().Demarrage({DecodeNom(octets)});
        QCOMPARE(EnregistreBureau(dossier.filePath("vieux.dsk")), octets + "\n");
        NouveauCadre();
        frame->Session().Demarrage({dossier.filePath("vieux.dsk")});
        QCOMPARE(frame->Fenetres().size(), 1);
        QCOMPARE(EncodeNom(frame->FenetreActive()->FileName), octets);
        QCOMPARE(Texte(frame->FenetreActive()), QByteArray("x<P>vieux</P>"));
        QVERIFY(script->erreurs.isEmpty());
    }

    // Cascade: from the back to the front, the active one staying in front, in the places of the cascade, which a new
    // window follows. Mosaic: the active one at the top, in the places of the mosaic.
    void cascadeEtMosaique()
    {
        frame->resize(1200, 900);
        frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame.get()));
        const QSize zone = frame->findChild<QMdiArea *>()->viewport()->size();
        const QList<TWndHTML *> f = OuvreTrois();
        Cadre(f[0])->setGeometry(300, 200, 150, 100);
        Cadre(f[2])->showMaximized();
        Active(f[1]);

        frame->FenetreCascade();
        const QList<TWndHTML *> cascade{f[0], f[2], f[1], Ouvre(Fichier("d.htm"))};
        for (int i = 0; i < cascade.size(); ++i)
            QCOMPARE(Cadre(cascade[i])->geometry(), PlaceEnCascade(zone, i));
        QCOMPARE(Noms(frame->Fenetres()), (QStringList{"d.htm", "b.htm", "c.htm", "a.htm"}));

        Cadre(f[1])->showMaximized();
        Active(f[1]);
        frame->FenetreMosaique();
        const QList<TWndHTML *> mosaique{f[1], cascade[3], f[2], f[0]};
        for (int i = 0; i < mosaique.size(); ++i)
            QCOMPARE(Cadre(mosaique[i])->geometry(), PlacesEnMosaique(zone, 4)[i]);
    }

    // The bar takes the icons of the desktop's theme that it finds, and keeps its own drawings for the others.
    void iconesDuTheme()
    {
        QTemporaryDir themes;
        QVERIFY(QDir().mkpath(themes.filePath("essai/16x16/actions")));
        Ecrit(themes.filePath("essai/index.theme"),
              "[Icon Theme]\nName=essai\nDirectories=16x16/actions\n\n[16x16/actions]\nSize=16\nType=Fixed\n");
        QImage image(16, 16, QImage::Format_ARGB32);
        image.fill(Qt::red);
        QVERIFY(image.save(themes.filePath("essai/16x16/actions/document-new.png")));
        const QStringList chemins = QIcon::themeSearchPaths();
        const QString nom = QIcon::themeName();
        QIcon::setThemeSearchPaths({themes.path()});
        QIcon::setThemeName(QStringLiteral("essai"));
        NouveauCadre();
        const QString nouveau = frame->findChild<QAction *>("Nouveau")->icon().name();
        const QIcon ouvrir = frame->findChild<QAction *>("Ouvrir")->icon();
        const bool dessin = ouvrir.name().isEmpty() && !ouvrir.isNull();
        QIcon::setThemeSearchPaths(chemins);
        QIcon::setThemeName(nom);
        QCOMPARE(nouveau, QStringLiteral("document-new"));
        QVERIFY(dessin);
    }

    // Pages opened or saved, newest first, once each, numbered, "&" doubled; a page gone is taken out with a
    // message when chosen, a page still there opens.
    void fichiersRecents()
    {
        const QString a = Fichier("a&b.htm");
        const QString b = Fichier("b.htm");
        const QString c = dossier.filePath("c.htm");
        TWndHTML *pageA = Ouvre(a);
        Ouvre(b);
        frame->FileNew();
        script->fichiers << c;
        frame->FileSave();
        pageA->FileSave();
        const auto recents = [this] {
            emit frame->Menu("FichierDocument")->aboutToShow();
            QStringList textes;
            for (QAction *action : frame->Menu("Recents")->actions())
                textes << action->text();
            return textes;
        };
        const QString a2 = QString(a).replace(u'&', QStringLiteral("&&"));
        QCOMPARE(recents(), QStringList({"&1 " + a2, "&2 " + c, "&3 " + b}));

        QVERIFY(QFile::remove(c));
        frame->Menu("Recents")->actions()[1]->trigger();
        QCOMPARE(script->erreurs, QStringList{c + " n'existe plus : la page est retirée des fichiers récents."});
        QCOMPARE(recents(), QStringList({"&1 " + a2, "&2 " + b}));

        frame->FenetresFermerTout();
        emit frame->Menu("Fichier")->aboutToShow();
        frame->Menu("Recents")->actions()[1]->trigger();
        QCOMPARE(Noms(frame->Fenetres()), QStringList{"b.htm"});
    }

    // "Aller à la ligne" proposes the caret's line among the page's, and puts the caret at the start of the one
    // chosen.
    void allerALigne()
    {
        TWndHTML *w = OuvrePage("un\ndeux\ntrois\nquatre\ncinq");
        w->EditHTML->setCursorPosition(1, 2);
        script->executions << [](QDialog &dialogue) {
            auto *numero = dialogue.findChild<QSpinBox *>();
            if (numero->value() != 2 || numero->maximum() != 5)
                return int(QDialog::Rejected);
            numero->setValue(4);
            return int(QDialog::Accepted);
        };
        Clique("AllerALigne");
        int ligne = 0;
        int colonne = 0;
        w->EditHTML->getCursorPosition(&ligne, &colonne);
        QCOMPARE(QPoint(ligne, colonne), QPoint(3, 0));
    }

    // In the order of opening, whichever is in front, "&" doubled, the first nine with their digit, a modified one
    // marked; the one in front checked, and it alone.
    void listeDesFenetres()
    {
        QStringList attendus;
        QList<TWndHTML *> fenetres;
        for (int i = 1; i <= 10; ++i) {
            fenetres << Ouvre(Fichier(QStringLiteral("p&%1.htm").arg(i)));
            const QString nom = QString(fenetres.last()->FileName).replace(u'&', QStringLiteral("&&"));
            attendus << (i <= 9 ? QStringLiteral("&%1 %2").arg(i).arg(nom) : nom);
        }
        fenetres[4]->InsertionTexte("x", "");
        attendus[4] += u'*';
        Active(fenetres[2]);

        QMenu *menu = frame->menuBar()->actions()[3]->menu();
        emit menu->aboutToShow();
        const QList<QAction *> actions = menu->actions().mid(menu->actions().size() - attendus.size());
        for (int i = 0; i < attendus.size(); ++i) {
            QCOMPARE(actions[i]->text(), attendus[i]);
            QCOMPARE(actions[i]->isChecked(), i == 2);
        }
        actions[9]->trigger();
        QCOMPARE(frame->FenetreActive(), fenetres[9]);
    }
};

QTEST_MAIN(TestMDIHtml)
#include "tst_mdihtml.moc"
