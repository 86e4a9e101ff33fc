#include "gui/verification/PanneauProblemes.h"

#include <QHeaderView>
#include <QTreeView>
#include <QtTest>

#include <memory>

using Sorte = Probleme::Sorte;

// The list of problems on its own, its pages plain objects.
class TestPanneauProblemes : public QObject {
    Q_OBJECT

    enum { ColonnePage, ColonneLigne, ColonneColonne, ColonneSorte, ColonneMessage };

    std::unique_ptr<QObject> pageA, pageB;
    std::unique_ptr<TPanneauProblemes> panneau;

    // One column of every row, in the order shown.
    QStringList Cellules(int colonne) const
    {
        QStringList cellules;
        const QAbstractItemModel *modele = panneau->Liste->model();
        for (int ligne = 0; ligne < modele->rowCount(); ++ligne)
            cellules << modele->index(ligne, colonne).data().toString();
        return cellules;
    }

    // Every row, "page ligne:colonne sorte message".
    QStringList Lignes() const
    {
        const QStringList pages = Cellules(ColonnePage), lignes = Cellules(ColonneLigne),
                          colonnes = Cellules(ColonneColonne), sortes = Cellules(ColonneSorte),
                          messages = Cellules(ColonneMessage);
        QStringList sortie;
        for (qsizetype i = 0; i < pages.size(); ++i)
            sortie << QStringLiteral("%1 %2:%3 %4 %5").arg(pages[i], lignes[i], colonnes[i], sortes[i], messages[i]);
        return sortie;
    }

    // The message of the current row, which must be the selected one; empty when there is none.
    QString Courante() const
    {
        const QModelIndex courant = panneau->Liste->currentIndex();
        const QModelIndexList choisies = panneau->Liste->selectionModel()->selectedRows();
        if (!courant.isValid() && choisies.isEmpty())
            return {};
        if (choisies.size() != 1 || choisies.constFirst().row() != courant.row())
            return QStringLiteral("<sélection %1 ligne %2>").arg(choisies.size()).arg(courant.row());
        return courant.siblingAtColumn(ColonneMessage).data().toString();
    }

    void RendCourante(const QString &message)
    {
        const int ligne = int(Cellules(ColonneMessage).indexOf(message));
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
    void init()
    {
        pageA = std::make_unique<QObject>();
        pageB = std::make_unique<QObject>();
        panneau = std::make_unique<TPanneauProblemes>();
    }

    void cleanup()
    {
        panneau.reset();
        pageA.reset();
        pageB.reset();
    }

    // Lines and columns counted in characters across CR LF and LF, rows by page name then position whatever the
    // order given, and the other columns sorting the whole list and keeping the current row.
    void lignes()
    {
        const std::string texte = "<p>\r\nçé <b>x\n\tfin";
        panneau->Remplace(pageA.get(), "page.htm", texte,
                          {{16, 19, Sorte::Orthographe, "« fin » inconnu"},
                           {10, 13, Sorte::Erreur, "<b> non fermé"},
                           {0, 3, Sorte::Avertissement, "<p> vide"},
                           {5, 5, Sorte::NonVerifie, "lien externe"}});
        panneau->Remplace(pageB.get(), "autre.htm", "x", {{0, 1, Sorte::Lien, "lien mort"}});
        QCOMPARE(Lignes(), (QStringList{"autre.htm 1:1 Lien lien mort", "page.htm 1:1 Avertissement <p> vide",
                                        "page.htm 2:1 Non vérifié lien externe", "page.htm 2:4 Erreur <b> non fermé",
                                        "page.htm 3:2 Orthographe « fin » inconnu"}));
        QCOMPARE(panneau->windowTitle(), "Problèmes (5)");
        const std::vector<Probleme> parDebut = panneau->Problemes(pageA.get());
        QCOMPARE(parDebut.size(), std::size_t(4));
        QVERIFY(std::is_sorted(parDebut.begin(), parDebut.end(),
                               [](const Probleme &a, const Probleme &b) { return a.debut < b.debut; }));
        QVERIFY(!panneau->Liste->model()->index(0, ColonneSorte).data(Qt::DecorationRole).value<QIcon>().isNull());

        RendCourante("lien externe");
        panneau->Liste->sortByColumn(ColonneSorte, Qt::AscendingOrder);
        QCOMPARE(Cellules(ColonneSorte),
                 (QStringList{"Erreur", "Avertissement", "Orthographe", "Lien", "Non vérifié"}));
        QCOMPARE(Courante(), "lien externe");
        panneau->Liste->sortByColumn(ColonneLigne, Qt::DescendingOrder);
        QCOMPARE(Cellules(ColonneMessage),
                 (QStringList{"« fin » inconnu", "<b> non fermé", "lien externe", "<p> vide", "lien mort"}));
        QCOMPARE(Courante(), "lien externe");
    }

    // Replacing, renaming or emptying one page leaves the other's rows, and the current row when its problem is
    // still there, in any sort order.
    void remplacement()
    {
        panneau->Remplace(pageA.get(), "a.htm", "abcdef", Aux({4, 0, 2}));
        panneau->Remplace(pageB.get(), "b.htm", "abcdef", Aux({3, 1}, "b"));
        QCOMPARE(Cellules(ColonneMessage), (QStringList{"p0", "p2", "p4", "p1b", "p3b"}));

        RendCourante("p3b");
        panneau->Remplace(pageA.get(), "a.htm", "abcdef", Aux({1, 4}));
        QCOMPARE(Cellules(ColonneMessage), (QStringList{"p1", "p4", "p1b", "p3b"}));
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
        QCOMPARE(Cellules(ColonneMessage), (QStringList{"p0", "p1b", "p2", "p3b", "p4"}));
        QCOMPARE(Courante(), "p1b");

        panneau->Liste->sortByColumn(ColonnePage, Qt::AscendingOrder);
        panneau->Renomme(pageA.get(), "c.htm");
        QCOMPARE(Cellules(ColonnePage), (QStringList{"b.htm", "b.htm", "c.htm", "c.htm", "c.htm"}));
        QCOMPARE(Courante(), "p1b");
        QObject inconnue;
        panneau->Renomme(&inconnue, "d.htm");
        panneau->Retire(&inconnue);
        QCOMPARE(Cellules(ColonneMessage), (QStringList{"p1b", "p3b", "p0", "p2", "p4"}));

        panneau->Remplace(pageB.get(), "b.htm", "abcdef", {});
        QCOMPARE(Cellules(ColonneMessage), (QStringList{"p0", "p2", "p4"}));
        QCOMPARE(Courante(), QString());
        QCOMPARE(panneau->windowTitle(), "Problèmes (3)");
        panneau->Retire(pageA.get());
        QCOMPARE(Lignes(), QStringList());
        QCOMPARE(panneau->windowTitle(), "Problèmes");
        QVERIFY(panneau->Problemes(pageA.get()).empty());

        // A destroyed page takes its rows along.
        panneau->Remplace(pageA.get(), "a.htm", "abcdef", Aux({0}));
        panneau->Remplace(pageA.get(), "a.htm", "abcdef", Aux({1}));
        panneau->Remplace(pageB.get(), "b.htm", "abcdef", Aux({2}));
        pageA.reset();
        QCOMPARE(Cellules(ColonneMessage), (QStringList{"p2"}));
    }

    void suivant_data()
    {
        QTest::addColumn<qulonglong>("position");
        QTest::addColumn<bool>("precedent");
        QTest::addColumn<QString>("message");
        // Problems at 2, 5, 5 and 9; going round past either end.
        QTest::newRow("avant le premier") << 0ULL << false << "p2";
        QTest::newRow("sur un problème") << 2ULL << false << "p5";
        QTest::newRow("deux au même endroit") << 5ULL << false << "p9";
        QTest::newRow("après le dernier") << 9ULL << false << "p2";
        QTest::newRow("hors du texte") << 100ULL << false << "p2";
        QTest::newRow("précédent") << 9ULL << true << "p5bis";
        QTest::newRow("précédent entre deux") << 7ULL << true << "p5bis";
        QTest::newRow("précédent du premier") << 2ULL << true << "p9";
        QTest::newRow("précédent au début") << 0ULL << true << "p9";
    }

    void suivant()
    {
        QFETCH(qulonglong, position);
        QFETCH(bool, precedent);
        QFETCH(QString, message);
        std::vector<Probleme> problemes = Aux({9, 5, 2});
        problemes.push_back({5, 6, Sorte::Avertissement, "p5bis"});
        panneau->Remplace(pageA.get(), "b.htm", "0123456789", problemes);
        panneau->Remplace(pageB.get(), "a.htm", "0123456789", Aux({0, 1}, "a"));
        QVERIFY(!panneau->Suivant(this, 0, precedent));
        const Probleme *probleme = panneau->Suivant(pageA.get(), position, precedent);
        QVERIFY(probleme);
        QCOMPARE(QString::fromStdString(probleme->message), message);
        QCOMPARE(Courante(), message);
    }

    // A double click, Return or Enter on a row gives its page and range; nothing without a current row.
    void aller()
    {
        panneau->Remplace(pageA.get(), "a.htm", "abcdef", {{2, 5, Sorte::Erreur, "a"}});
        panneau->Remplace(pageB.get(), "b.htm", "abcdef", {{1, 3, Sorte::Erreur, "b"}, {4, 4, Sorte::Lien, "c"}});
        panneau->resize(600, 300);
        panneau->show();
        QVERIFY(QTest::qWaitForWindowExposed(panneau.get()));
        QStringList appels;
        connect(panneau.get(), &TPanneauProblemes::Aller, this, [&](QObject *page, std::size_t debut, std::size_t fin) {
            appels << QStringLiteral("%1 %2-%3")
                          .arg(page == pageA.get()   ? "A"
                               : page == pageB.get() ? "B"
                                                     : "?")
                          .arg(debut)
                          .arg(fin);
        });
        QTreeView *liste = panneau->Liste;

        liste->setCurrentIndex({});
        QTest::keyClick(liste, Qt::Key_Return);
        QCOMPARE(appels, QStringList());

        const QModelIndex index = liste->model()->index(1, ColonneMessage);
        // The first click of a double click comes alone, as the user makes it.
        const QPoint point = liste->visualRect(index).center();
        QTest::mouseClick(liste->viewport(), Qt::LeftButton, {}, point);
        QTest::mouseDClick(liste->viewport(), Qt::LeftButton, {}, point);
        liste->setCurrentIndex(liste->model()->index(2, ColonnePage));
        QTest::keyClick(liste, Qt::Key_Return);
        liste->setCurrentIndex(liste->model()->index(0, ColonnePage));
        QTest::keyClick(liste, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(appels, (QStringList{"B 1-3", "B 4-4", "A 2-5"}));
    }

    // A page checked again leaves the list scrolled where it was: at the same problem, or at the same row once that
    // problem is gone.
    void defilement()
    {
        std::vector<Probleme> problemes;
        for (std::size_t debut = 0; debut < 500; ++debut)
            problemes.push_back({debut, debut, Sorte::Erreur, "p" + std::to_string(debut)});
        panneau->Remplace(pageA.get(), "b.htm", std::string(500, 'x'), problemes);
        panneau->resize(600, 300);
        panneau->show();
        QVERIFY(QTest::qWaitForWindowExposed(panneau.get()));
        QTreeView *liste = panneau->Liste;
        const auto haut = [liste] { return liste->indexAt({0, 0}).siblingAtColumn(ColonneMessage).data().toString(); };
        liste->setCurrentIndex(liste->model()->index(0, 0));
        liste->scrollTo(liste->model()->index(200, 0), QAbstractItemView::PositionAtTop);
        QCOMPARE(haut(), "p200");
        panneau->Remplace(pageB.get(), "a.htm", "xx", Aux({0, 1}));
        QCOMPARE(haut(), "p200");
        problemes.erase(problemes.begin() + 200);
        panneau->Remplace(pageA.get(), "b.htm", std::string(500, 'x'), problemes);
        QCOMPARE(haut(), "p201");
    }
};

QTEST_MAIN(TestPanneauProblemes)
#include "tst_panneauproblemes.moc"
