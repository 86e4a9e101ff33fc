// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/verification/PanneauProblemes.h"

#include <QMenu>
#include <QTreeView>
#include <QtTest>

#include <memory>
#include <tuple>

using Sorte = Probleme::Sorte;

// The list of problems on its own, its pages plain objects.
class TestPanneauProblemes : public QObject {
    Q_OBJECT

    enum { ColonnePage, ColonneLigne, ColonneColonne, ColonneSorte, ColonneMessage };

    std::unique_ptr<QObject> pageA, pageB;
    std::unique_ptr<TPanneauProblemes> panneau;

    // Every row, its columns joined by spaces, or only one column.
    QStringList Lignes(int seule = -1) const
    {
        QStringList lignes;
        const QAbstractItemModel *modele = panneau->Liste->model();
        for (int ligne = 0; ligne < modele->rowCount(); ++ligne) {
            QStringList cellules;
            for (int colonne = 0; colonne < modele->columnCount(); ++colonne)
                if (seule < 0 || colonne == seule)
                    cellules << modele->index(ligne, colonne).data().toString();
            lignes << cellules.join(u' ');
        }
        return lignes;
    }

    // The message of the current row when it is selected.
    QString Courante() const
    {
        const QModelIndex courant = panneau->Liste->currentIndex();
        return panneau->Liste->selectionModel()->isRowSelected(courant.row())
                   ? courant.siblingAtColumn(ColonneMessage).data().toString()
                   : QString();
    }

    void RendCourante(const QString &message)
    {
        const int ligne = int(Lignes(ColonneMessage).indexOf(message));
        QVERIFY(ligne >= 0);
        panneau->Liste->setCurrentIndex(panneau->Liste->model()->index(ligne, 0));
    }

    // Problems of one byte, "p" and their start as message.
    static std::vector<Probleme> Aux(std::initializer_list<std::size_t> debuts, const std::string &suffixe = {})
    {
        std::vector<Probleme> problemes;
        for (std::size_t debut : debuts)
            problemes.push_back({debut, debut + 1, Sorte::Erreur, "p" + std::to_string(debut) + suffixe});
        return problemes;
    }

private slots:
    // The list is made again before its pages, and goes before them.
    void init()
    {
        panneau.reset();
        pageA = std::make_unique<QObject>();
        pageB = std::make_unique<QObject>();
        pageA->setObjectName("A");
        pageB->setObjectName("B");
        panneau = std::make_unique<TPanneauProblemes>();
    }

    // Lines and columns counted in characters across CR LF and LF, rows by page name (its file's, the whole path in
    // the tooltip) then position whatever the order given, and the other columns sorting the whole list and keeping
    // the current row.
    void lignes()
    {
        const std::string texte = "<p>\r\nçé <b>x\n\tfin";
        panneau->Remplace(pageA.get(), "/a/page.htm", texte,
                          {{16, 19, Sorte::Orthographe, "« fin » inconnu"},
                           {10, 13, Sorte::Erreur, "<b> non fermé"},
                           {0, 3, Sorte::Avertissement, "<p> vide"},
                           {5, 5, Sorte::NonVerifie, "lien externe"}});
        panneau->Remplace(pageB.get(), "/z/autre.htm", "x", {{0, 1, Sorte::Lien, "lien mort"}});
        QCOMPARE(Lignes(), (QStringList{"autre.htm 1 1 Lien lien mort", "page.htm 1 1 Avertissement <p> vide",
                                        "page.htm 2 1 Non vérifié lien externe", "page.htm 2 4 Erreur <b> non fermé",
                                        "page.htm 3 2 Orthographe « fin » inconnu"}));
        // The status bar tells the count of one page: the title says how many pages it counts.
        QCOMPARE(panneau->Liste->model()->index(1, ColonnePage).data(Qt::ToolTipRole).toString(), "/a/page.htm");
        QCOMPARE(panneau->windowTitle(), "Problèmes : 5 dans 2 pages");
        QCOMPARE(panneau->Problemes(pageA.get()).front().message, "<p> vide");
        QVERIFY(!panneau->Liste->model()->index(0, ColonneSorte).data(Qt::DecorationRole).value<QIcon>().isNull());

        RendCourante("lien externe");
        panneau->Liste->sortByColumn(ColonneSorte, Qt::AscendingOrder);
        QCOMPARE(Lignes(ColonneSorte), (QStringList{"Erreur", "Avertissement", "Orthographe", "Lien", "Non vérifié"}));
        QCOMPARE(Courante(), "lien externe");
        panneau->Liste->sortByColumn(ColonneLigne, Qt::DescendingOrder);
        QCOMPARE(Lignes(ColonneMessage),
                 (QStringList{"« fin » inconnu", "<b> non fermé", "lien externe", "<p> vide", "lien mort"}));
        QCOMPARE(Courante(), "lien externe");
    }

    // Replacing, renaming or emptying one page leaves the other's rows, and the current row when its problem is
    // still there, in any sort order.
    void remplacement()
    {
        panneau->Remplace(pageA.get(), "a.htm", "abcdef", Aux({4, 0, 2}));
        panneau->Remplace(pageB.get(), "b.htm", "abcdef", Aux({3, 1}, "b"));
        RendCourante("p3b");
        panneau->Remplace(pageA.get(), "a.htm", "abcdef", Aux({1, 4}));
        QCOMPARE(Lignes(ColonneMessage), (QStringList{"p1", "p4", "p1b", "p3b"}));
        QCOMPARE(Courante(), "p3b");

        // Another problem at the same place stays current; none at that place leaves no row current.
        RendCourante("p4");
        panneau->Remplace(pageA.get(), "a.htm", "abcdef", {{4, 6, Sorte::Lien, "autre"}, {5, 6, Sorte::Lien, "p5"}});
        QCOMPARE(Courante(), "autre");
        panneau->Remplace(pageA.get(), "a.htm", "abcdef", Aux({5}));
        QCOMPARE(Courante(), QString());

        // Sorted by message, the new rows fall in among the others.
        panneau->Liste->sortByColumn(ColonneMessage, Qt::AscendingOrder);
        RendCourante("p1b");
        panneau->Remplace(pageA.get(), "a.htm", "abcdef", Aux({0, 2, 4}));
        QCOMPARE(Lignes(ColonneMessage), (QStringList{"p0", "p1b", "p2", "p3b", "p4"}));
        QCOMPARE(Courante(), "p1b");

        panneau->Liste->sortByColumn(ColonnePage, Qt::AscendingOrder);
        panneau->Renomme(pageA.get(), "c.htm");
        QCOMPARE(Lignes(ColonnePage), (QStringList{"b.htm", "b.htm", "c.htm", "c.htm", "c.htm"}));
        QCOMPARE(Courante(), "p1b");
        QCOMPARE(Lignes(ColonneMessage), (QStringList{"p1b", "p3b", "p0", "p2", "p4"}));

        panneau->Remplace(pageB.get(), "b.htm", "abcdef", {});
        QCOMPARE(Lignes(ColonneMessage), (QStringList{"p0", "p2", "p4"}));
        QCOMPARE(Courante(), QString());
        QCOMPARE(panneau->windowTitle(), "Problèmes : 3");
        panneau->Retire(pageA.get());
        QCOMPARE(Lignes(), QStringList());
        QCOMPARE(panneau->windowTitle(), "Problèmes");

        // A destroyed page takes its rows along.
        panneau->Remplace(pageA.get(), "a.htm", "abcdef", Aux({1}));
        panneau->Remplace(pageB.get(), "b.htm", "abcdef", Aux({2}));
        QCOMPARE(panneau->windowTitle(), "Problèmes : 2 dans 2 pages");
        pageA.reset();
        QCOMPARE(Lignes(ColonneMessage), (QStringList{"p2"}));
        QCOMPARE(panneau->windowTitle(), "Problèmes : 1");
    }

    // Problems at 2, 5, 5 and 9, past either end going round; the row found becomes the current one.
    void suivant()
    {
        std::vector<Probleme> problemes = Aux({9, 5, 2});
        problemes.push_back({5, 6, Sorte::Avertissement, "p5bis"});
        panneau->Remplace(pageA.get(), "b.htm", "0123456789", problemes);
        panneau->Remplace(pageB.get(), "a.htm", "0123456789", Aux({0, 1}, "a"));
        QVERIFY(!panneau->Suivant(this, 0, false));
        const std::vector<std::tuple<std::size_t, bool, QString>> cas = {
            {0, false, "p2"}, {5, false, "p9"}, {9, false, "p2"}, {7, true, "p5bis"}, {2, true, "p9"}};
        for (const auto &[position, precedent, message] : cas) {
            const Probleme *probleme = panneau->Suivant(pageA.get(), position, precedent);
            QVERIFY(probleme);
            QCOMPARE(QString::fromStdString(probleme->message), message);
            QCOMPARE(Courante(), message);
        }
    }

    // A double click, Return or Enter on a row gives its page and range, nothing without a current row. A page
    // checked again leaves the list scrolled where it was: at the same problem, or at the same row once it is gone.
    void vue()
    {
        std::vector<Probleme> problemes;
        for (std::size_t debut = 0; debut < 500; ++debut)
            problemes.push_back({debut, debut + 1, Sorte::Erreur, "p" + std::to_string(debut)});
        panneau->Remplace(pageA.get(), "b.htm", std::string(500, 'x'), problemes);
        panneau->Remplace(pageB.get(), "a.htm", "abcdef", {{4, 6, Sorte::Lien, "lien"}});
        panneau->resize(600, 300);
        panneau->show();
        QVERIFY(QTest::qWaitForWindowExposed(panneau.get()));
        QStringList appels;
        connect(panneau.get(), &TPanneauProblemes::Aller, this,
                [&](QObject *page, std::size_t debut, std::size_t fin, const QString &message) {
                    appels << QStringLiteral("%1 %2-%3 %4").arg(page->objectName()).arg(debut).arg(fin).arg(message);
                });
        QTreeView *liste = panneau->Liste;
        liste->setCurrentIndex({});
        QTest::keyClick(liste, Qt::Key_Return);
        // The first click of a double click comes alone, as the user makes it.
        const QPoint point = liste->visualRect(liste->model()->index(1, ColonneMessage)).center();
        QTest::mouseClick(liste->viewport(), Qt::LeftButton, {}, point);
        QTest::mouseDClick(liste->viewport(), Qt::LeftButton, {}, point);
        liste->setCurrentIndex(liste->model()->index(0, ColonnePage));
        QTest::keyClick(liste, Qt::Key_Return);
        liste->setCurrentIndex(liste->model()->index(2, ColonnePage));
        QTest::keyClick(liste, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(appels, (QStringList{"A 0-1 p0", "B 4-6 lien", "A 1-2 p1"}));

        const auto haut = [liste] { return liste->indexAt({0, 0}).siblingAtColumn(ColonneMessage).data().toString(); };
        liste->scrollTo(liste->model()->index(201, 0), QAbstractItemView::PositionAtTop);
        QCOMPARE(haut(), "p200");
        panneau->Renomme(pageB.get(), "c.htm");
        QCOMPARE(haut(), "p200");
        problemes.erase(problemes.begin() + 200);
        panneau->Remplace(pageA.get(), "b.htm", std::string(500, 'x'), problemes);
        QCOMPARE(haut(), "p201");
    }

    // The context menu, asked for with the mouse or the keyboard, offers to ignore or add the word of a spelling
    // row, and nothing over another row.
    void menuContextuel_data()
    {
        QTest::addColumn<QString>("demande");
        QTest::newRow("clic droit") << "souris";
        QTest::newRow("touche Menu") << "menu";
        QTest::newRow("Maj+F10") << "F10";
    }

    void menuContextuel()
    {
        QFETCH(QString, demande);
        panneau->Remplace(pageA.get(), "a.htm", "Balizo et Zorglub x",
                          {{0, 6, Sorte::Orthographe, "« Balizo » inconnu", false, "Balizo", "en_US"},
                           {10, 17, Sorte::Orthographe, "« Zorglub » inconnu", false, "Zorglub"},
                           {18, 19, Sorte::Lien, "lien mort"}});
        panneau->resize(600, 300);
        panneau->show();
        QVERIFY(QTest::qWaitForWindowExposed(panneau.get()));
        QStringList demandes;
        connect(panneau.get(), &TPanneauProblemes::Ignorer, this, [&](const QString &mot) { demandes << "I " + mot; });
        connect(panneau.get(), &TPanneauProblemes::Ajouter, this,
                [&](const QString &mot, const QString &dictionnaire) { demandes << "A " + mot + " " + dictionnaire; });
        auto *menu = panneau->findChild<QMenu *>("MenuProbleme");
        QVERIFY(menu);
        QTreeView *liste = panneau->Liste;
        const auto ouvre = [&](int ligne) {
            menu->hide();
            const QModelIndex index = liste->model()->index(ligne, ColonneMessage);
            if (demande == "souris") {
                // What the window system sends for a right click, on another row than the current one.
                liste->setCurrentIndex(liste->model()->index(ligne == 0 ? 2 : 0, 0));
                const QPoint point = liste->visualRect(index).center();
                QContextMenuEvent clic(QContextMenuEvent::Mouse, point, liste->viewport()->mapToGlobal(point));
                QApplication::sendEvent(liste->viewport(), &clic);
                return;
            }
            liste->setCurrentIndex(index);
            if (demande == "F10") {
                QTest::keyClick(liste, Qt::Key_F10, Qt::ShiftModifier);
                return;
            }
            // What the window system sends for the Menu key.
            QContextMenuEvent clavier(QContextMenuEvent::Keyboard, {}, {});
            QApplication::sendEvent(liste, &clavier);
        };

        ouvre(2);
        QVERIFY(!menu->isVisible());
        ouvre(1);
        QTRY_VERIFY(menu->isVisible());
        QCOMPARE(Courante(), "« Zorglub » inconnu");
        QStringList textes;
        for (QAction *action : menu->actions())
            textes << action->text();
        QCOMPARE(textes, (QStringList{"I&gnorer", "Ajouter au &dictionnaire"}));
        menu->actions().at(0)->trigger();
        ouvre(0);
        QTRY_VERIFY(menu->isVisible());
        menu->actions().at(1)->trigger();
        QCOMPARE(demandes, (QStringList{"I Zorglub", "A Balizo en_US"}));
    }
};

QTEST_MAIN(TestPanneauProblemes)
#include "tst_panneauproblemes.moc"
