// SPDX-License-Identifier: GPL-3.0-or-later
#include "CadreDeTest.h"
#include "gui/site/PanneauSite.h"
#include "gui/verification/PanneauProblemes.h"

#include <QContextMenuEvent>
#include <QDir>
#include <QInputDialog>
#include <QMenu>
#include <QTreeView>

class TestSite : public CadreDeTest {
    Q_OBJECT

    // The names that the panel's tree shows under its root, in order.
    QStringList Noms()
    {
        QTreeView *arbre = frame->PanneauSite().Arbre;
        QStringList noms;
        for (int ligne = 0; ligne < arbre->model()->rowCount(arbre->rootIndex()); ++ligne)
            noms << arbre->model()->index(ligne, 0, arbre->rootIndex()).data().toString();
        return noms;
    }

    // The site folder "site" in the temporary folder, chosen as the user chooses it.
    QString ChoisitSite(const QString &nom = QStringLiteral("site"))
    {
        const QString site = dossier.filePath(nom);
        QDir().mkpath(site);
        script->fichiers << site;
        frame->Action("OuvrirSite")->trigger();
        return site;
    }

    // Chooses the entry of the context menu that opens next.
    void Choisit(const QString &entree)
    {
        QTimer::singleShot(0, this, [entree] {
            for (QAction *action : qobject_cast<QMenu *>(QApplication::activePopupWidget())->actions())
                if (action->text() == entree)
                    action->trigger();
            QApplication::activePopupWidget()->close();
        });
    }

    // Opens the tree's context menu over the row and chooses the entry.
    void Menu(const QModelIndex &index, const QString &entree)
    {
        QTreeView *arbre = frame->PanneauSite().Arbre;
        Choisit(entree);
        emit arbre->customContextMenuRequested(arbre->visualRect(index).center());
    }

private slots:
    // The desktop's trash in the temporary folder, whose data folder is not made yet.
    void initTestCase()
    {
        qputenv("XDG_DATA_HOME", QFile::encodeName(dossier.filePath("donnees")));
    }

    void init() { NouveauCadre(); }

    void cleanup() { FermeCadre(); }

    // Without a chosen site, the site is the folder of the open pages that have a file. The chosen site wins over
    // them; it lasts from one start to the next, heads the recent sites, and comes back with a desktop saved with it.
    void siteGarde()
    {
        frame->FileNew();
        QCOMPARE(frame->DossierSite(), QString());
        Ouvre(Fichier("a.htm"));
        QCOMPARE(frame->DossierSite(), dossier.path());
        ChoisitSite(QStringLiteral("autre"));
        const QString site = ChoisitSite();
        QCOMPARE(frame->DossierSite(), site);
        frame.reset();
        NouveauCadre();
        QCOMPARE(frame->DossierSite(), site);
        QVERIFY(!frame->PanneauSite().isHidden());
        QCOMPARE(frame->FichierParametres().LitSitesRecents(), (QStringList{site, dossier.filePath("autre")}));
        Ouvre(dossier.filePath("a.htm"));
        script->fichiers << dossier.filePath("b.dsk");
        frame->Session().EnregistreBureau();
        QCOMPARE(Lit(dossier.filePath("b.dsk")), ("#site=" + site + "\n" + dossier.filePath("a.htm") + "\n").toUtf8());
        FermeCadre();
        NouveauCadre();
        QCOMPARE(frame->DossierSite(), QString());
        frame->Session().ChargeBureau(dossier.filePath("b.dsk"));
        QCOMPARE(frame->Fenetres().size(), 1);
        QCOMPARE(frame->DossierSite(), site);
    }

    // A link from the site's root leads from the folder of the open pages, then from the chosen site.
    void liensDepuisLeSite()
    {
        QVERIFY(QDir(dossier.path()).mkpath("site/sous"));
        Fichier("site/cible.htm");
        TWndHTML *w = Ouvre(Fichier("site/sous/p.htm", "<p><a href=\"/cible.htm\">c</a><a href=\"/absent.htm\">a</a>"));
        frame->VerifierLesLiens();
        QTRY_COMPARE_WITH_TIMEOUT(frame->Problemes().Problemes(w).size(), std::size_t(2), 20000);
        ChoisitSite();
        frame->VerifierLesLiens();
        QTRY_COMPARE_WITH_TIMEOUT(frame->Problemes().Problemes(w).size(), std::size_t(1), 20000);
    }

    // The panel lists the site: folders, then pages, then the other files. Its context menu asks for a rename, which
    // it leaves to whoever listens; makes a page from the template and opens it; deletes to the trash once the user
    // says so. Typing filters the names, folders stay. Return opens a page as "&Ouvrir..." does: among the recent
    // files, and a second time only when the user says so.
    void panneau()
    {
        const QString site = ChoisitSite(QStringLiteral("panneau"));
        QVERIFY(QDir(site).mkpath("images"));
        for (const char *nom : {"b.png", "c.htm", "a.css", "Z.html"})
            Fichier(QStringLiteral("panneau/") + nom);
        frame->show();
        QTreeView *arbre = frame->PanneauSite().Arbre;
        QTRY_COMPARE(Noms(), (QStringList{"images", "c.htm", "Z.html", "a.css", "b.png"}));
        const auto ligne = [arbre](int rang) { return arbre->model()->index(rang, 0, arbre->rootIndex()); };
        QSignalSpy renommer(&frame->PanneauSite(), &TPanneauSite::Renommer);
        // The frame that listens asks for the new name: the user cancels.
        script->executions << [](QDialog &) { return int(QDialog::Rejected); };
        Menu(ligne(1), "&Renommer...\tF2");
        QCOMPARE(renommer.value(0).value(0).toString(), site + "/c.htm");
        // From the keyboard, on the current row: F2 renames, the Menu key opens the menu, Delete asks first.
        arbre->setCurrentIndex(ligne(4));
        script->executions << [](QDialog &) { return int(QDialog::Rejected); };
        QTest::keyClick(arbre, Qt::Key_F2);
        QCOMPARE(renommer.value(1).value(0).toString(), site + "/b.png");
        script->executions << [](QDialog &) { return int(QDialog::Rejected); };
        Choisit("&Renommer...\tF2");
        QContextMenuEvent touche(QContextMenuEvent::Keyboard, QPoint(), arbre->mapToGlobal(QPoint()));
        QApplication::sendEvent(arbre, &touche);
        QCOMPARE(renommer.value(2).value(0).toString(), site + "/b.png");
        script->ouiNon << false;
        QTest::keyClick(arbre, Qt::Key_Delete);
        QCOMPARE(script->questions.size(), 1);
        QVERIFY(QFile::exists(site + "/b.png"));
        script->executions << [](QDialog &dialogue) {
            qobject_cast<QInputDialog *>(&dialogue)->setTextValue("neuve");
            return int(QDialog::Accepted);
        };
        Menu(ligne(1), "&Nouvelle page...");
        QCOMPARE(frame->FenetreActive()->FileName, site + "/neuve.htm");
        QVERIFY(Lit(site + "/neuve.htm").startsWith("<!DOCTYPE html>\n"));
        script->ouiNon << false << true;
        Menu(ligne(4), "&Supprimer\tSuppr");
        QVERIFY(QFile::exists(site + "/b.png"));
        Menu(ligne(4), "&Supprimer\tSuppr");
        QVERIFY(QFile::exists(dossier.filePath("donnees/Trash/files/b.png")) && !QFile::exists(site + "/b.png"));
        QTest::keyClicks(arbre, "htm");
        QTRY_COMPARE(Noms(), (QStringList{"images", "c.htm", "neuve.htm", "Z.html"}));
        arbre->setCurrentIndex(ligne(1));
        for (int fois = 0; fois < 2; ++fois)
            QTest::keyClick(arbre, Qt::Key_Return);
        QCOMPARE(frame->Fenetres().size(), 2);
        QCOMPARE(frame->FenetreActive()->FileName, site + "/c.htm");
        QCOMPARE(script->questions.size(), 4);
        QCOMPARE(frame->FichierParametres().LitRecents(), (QStringList{site + "/c.htm", site + "/neuve.htm"}));
    }
};

QTEST_MAIN(TestSite)
#include "tst_site.moc"
