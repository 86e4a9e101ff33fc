// SPDX-License-Identifier: GPL-3.0-or-later
#include "CadreDeTest.h"
#include "gui/site/PanneauSite.h"
#include "gui/verification/PanneauProblemes.h"

#include <QDir>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenu>
#include <QTreeView>

namespace {

// The names that the tree shows under the index, in order.
QStringList Noms(QTreeView *arbre, const QModelIndex &parent)
{
    QStringList noms;
    for (int ligne = 0; ligne < arbre->model()->rowCount(parent); ++ligne)
        noms << arbre->model()->index(ligne, 0, parent).data().toString();
    return noms;
}

} // namespace

class TestSite : public CadreDeTest {
    Q_OBJECT

    // The site folder "site" in the temporary folder, chosen as the user chooses it.
    QString ChoisitSite(const QString &nom = QStringLiteral("site"))
    {
        const QString site = dossier.filePath(nom);
        QDir().mkpath(site);
        script->fichiers << site;
        frame->Action("OuvrirSite")->trigger();
        return site;
    }

    // Opens the tree's context menu over the row and chooses the entry.
    void Menu(const QModelIndex &index, const QString &entree)
    {
        QTreeView *arbre = frame->PanneauSite().Arbre;
        QTimer::singleShot(0, this, [entree] {
            for (QAction *action : qobject_cast<QMenu *>(QApplication::activePopupWidget())->actions())
                if (action->text() == entree)
                    action->trigger();
            QApplication::activePopupWidget()->close();
        });
        emit arbre->customContextMenuRequested(arbre->visualRect(index).center());
    }

private slots:
    // The desktop's trash in the temporary folder.
    void initTestCase()
    {
        QVERIFY(QDir().mkpath(dossier.filePath("donnees")));
        qputenv("XDG_DATA_HOME", QFile::encodeName(dossier.filePath("donnees")));
    }

    void init() { NouveauCadre(); }

    void cleanup() { FermeCadre(); }

    // Without a chosen site, the site is the deepest folder holding every open page with a file; a page without a
    // file counts for nothing, and no page gives no site.
    void dossierSiteSansChoix_data()
    {
        QTest::addColumn<QStringList>("pages");
        QTest::addColumn<QString>("site");
        QTest::newRow("aucune page") << QStringList{} << QString();
        QTest::newRow("une page sans fichier") << QStringList{""} << QString();
        QTest::newRow("une page: son dossier") << QStringList{"site/a.htm"} << "site";
        QTest::newRow("une page plus bas") << QStringList{"site/b/c.htm", "site/a.htm", ""} << "site";
        QTest::newRow("préfixe trompeur: site et site2") << QStringList{"site/a.htm", "site2/b.htm"} << "";
    }

    void dossierSiteSansChoix()
    {
        QFETCH(QStringList, pages);
        QFETCH(QString, site);
        for (const QString &page : pages) {
            if (page.isEmpty()) {
                frame->FileNew();
                continue;
            }
            QVERIFY(QDir(dossier.path()).mkpath(QFileInfo(page).path()));
            Ouvre(Fichier(page));
        }
        const QString attendu = pages.isEmpty() || pages == QStringList{""} ? QString()
                                : site.isEmpty()                            ? dossier.path()
                                                                            : dossier.filePath(site);
        QCOMPARE(frame->DossierSite(), attendu);
    }

    // The chosen site wins over the open pages; it lasts from one start to the next, heads the recent sites, and
    // comes back with a desktop saved with it, which older programs read as a list of pages.
    void siteGarde()
    {
        Ouvre(Fichier("a.htm"));
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

    // A link from the site's root leads from the chosen site, else from the folder of the open pages.
    void liensDepuisLeSite_data()
    {
        QTest::addColumn<bool>("choisi");
        QTest::addColumn<int>("problemes");
        QTest::newRow("sans site choisi: la racine est le dossier de la page") << false << 2;
        QTest::newRow("site choisi: la racine est le site") << true << 1;
    }

    void liensDepuisLeSite()
    {
        QFETCH(bool, choisi);
        QFETCH(int, problemes);
        QVERIFY(QDir(dossier.path()).mkpath("site/sous"));
        Fichier("site/cible.htm");
        if (choisi)
            ChoisitSite();
        TWndHTML *w = Ouvre(Fichier("site/sous/p.htm", "<p><a href=\"/cible.htm\">c</a><a href=\"/absent.htm\">a</a>"));
        frame->VerifierLesLiens();
        QTRY_VERIFY_WITH_TIMEOUT(!frame->Problemes().Problemes(w).empty(), 20000);
        QCOMPARE(frame->Problemes().Problemes(w).size(), std::size_t(problemes));
    }

    // The panel lists the site: folders, then pages, then the other files. Typing filters the names, folders stay.
    // Return opens a page as "&Ouvrir..." does: among the recent files, and a second time only when the user says so.
    void panneau()
    {
        const QString site = ChoisitSite(QStringLiteral("panneau"));
        QVERIFY(QDir(site).mkpath("images"));
        for (const char *nom : {"b.png", "c.htm", "a.css", "Z.html"})
            Fichier(QStringLiteral("panneau/") + nom);
        frame->show();
        QTreeView *arbre = frame->PanneauSite().Arbre;
        QTRY_COMPARE(Noms(arbre, arbre->rootIndex()), (QStringList{"images", "c.htm", "Z.html", "a.css", "b.png"}));
        QTest::keyClicks(arbre, "htm");
        QCOMPARE(frame->PanneauSite().Filtre->text(), QStringLiteral("htm"));
        QTRY_COMPARE(Noms(arbre, arbre->rootIndex()), (QStringList{"images", "c.htm", "Z.html"}));
        arbre->setCurrentIndex(arbre->model()->index(1, 0, arbre->rootIndex()));
        for (int fois = 0; fois < 2; ++fois)
            QTest::keyClick(arbre, Qt::Key_Return);
        QCOMPARE(frame->Fenetres().size(), 1);
        QCOMPARE(frame->FenetreActive()->FileName, site + "/c.htm");
        QCOMPARE(script->questions.size(), 1);
        QCOMPARE(frame->FichierParametres().LitRecents(), QStringList{site + "/c.htm"});
    }

    // The context menu makes a page from the template and opens it; deletes to the trash once the user says so;
    // asks for a rename, which it leaves to whoever listens.
    void menuContextuel()
    {
        const QString site = ChoisitSite(QStringLiteral("menu"));
        Fichier("menu/a.htm");
        frame->show();
        QTreeView *arbre = frame->PanneauSite().Arbre;
        QTRY_COMPARE(Noms(arbre, arbre->rootIndex()), QStringList{"a.htm"});
        const auto a = [arbre] { return arbre->model()->index(0, 0, arbre->rootIndex()); };
        QSignalSpy renommer(&frame->PanneauSite(), &TPanneauSite::Renommer);
        // The frame that listens asks for the new name: the user cancels.
        script->executions << [](QDialog &) { return int(QDialog::Rejected); };
        Menu(a(), "&Renommer...");
        QCOMPARE(renommer.value(0).value(0).toString(), site + "/a.htm");
        script->executions << [](QDialog &dialogue) {
            qobject_cast<QInputDialog *>(&dialogue)->setTextValue("neuve");
            return int(QDialog::Accepted);
        };
        Menu(a(), "&Nouvelle page...");
        QCOMPARE(frame->FenetreActive()->FileName, site + "/neuve.htm");
        QVERIFY(Lit(site + "/neuve.htm").startsWith("<!DOCTYPE html>\n"));
        script->ouiNon << false << true;
        Menu(a(), "&Supprimer");
        QVERIFY(QFile::exists(site + "/a.htm"));
        Menu(a(), "&Supprimer");
        QVERIFY(!QFile::exists(site + "/a.htm"));
        QVERIFY(QFile::exists(dossier.filePath("donnees/Trash/files/a.htm")));
        QCOMPARE(script->questions.size(), 2);
        QCOMPARE(script->erreurs, QStringList());
    }
};

QTEST_MAIN(TestSite)
#include "tst_site.moc"
