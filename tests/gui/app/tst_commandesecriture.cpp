#include "CadreDeTest.h"

#include "gui/dialogs/DlgEntourer.h"

#include <QComboBox>
#include <QMenu>
#include <QPushButton>

class TestCommandesEcriture : public CadreDeTest {
    Q_OBJECT

private slots:
    void init() { NouveauCadre(); }
    void cleanup() { FermeCadre(); }

    // The page, the selection as [debut, debut + longueur) (the caret alone when empty), and what the command makes
    // of them: the text, then the selection; a second press on it gives the page back, and so does one undo.
    void commentaire_data()
    {
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<int>("debut");
        QTest::addColumn<int>("longueur");
        QTest::addColumn<QByteArray>("attendu");
        QTest::addColumn<int>("debutApres");
        QTest::addColumn<int>("longueurApres");
        QTest::newRow("sélection mise en commentaire, et gardée sélectionnée")
            << QByteArray("<p>un mot</p>\n") << 3 << 6 << QByteArray("<p><!-- un mot --></p>\n") << 3 << 15;
        QTest::newRow("commentaire sélectionné retiré")
            << QByteArray("a <!-- b --> c") << 2 << 10 << QByteArray("a b c") << 2 << 1;
        QTest::newRow("ligne du curseur, curseur à sa fin")
            << QByteArray("a\nb c\nd") << 3 << 0 << QByteArray("a\n<!-- b c -->\nd") << 14 << 0;
        QTest::newRow("ligne en CR LF, sans sa fin de ligne")
            << QByteArray("a\r\nb\r\n") << 0 << 0 << QByteArray("<!-- a -->\r\nb\r\n") << 10 << 0;
        QTest::newRow("dernière ligne, sans fin de ligne")
            << QByteArray("a\nbc") << 4 << 0 << QByteArray("a\n<!-- bc -->") << 13 << 0;
    }

    void commentaire()
    {
        QFETCH(QByteArray, page);
        QFETCH(int, debut);
        QFETCH(int, longueur);
        TWndHTML *w = Ouvre(Fichier("page.htm", page));
        w->EditHTML->Selectionne(debut, longueur);
        frame->Action("Commentaire")->trigger();
        QTEST(Texte(w), "attendu");
        QTEST(int(w->EditHTML->SelStart()), "debutApres");
        QTEST(int(w->EditHTML->SelLength()), "longueurApres");
        frame->Action("Commentaire")->trigger();
        QCOMPARE(Texte(w), page);
        w->EditHTML->undo();
        QTEST(Texte(w), "attendu");
        w->EditHTML->undo();
        QCOMPARE(Texte(w), page);
    }

    // "OK" is enabled only for a start tag that has an end tag; the selection goes into the tag typed, stays
    // selected, and one undo takes both tags away; the tag stays in the list for the next time.
    void entourer()
    {
        TWndHTML *w = Ouvre(Fichier("page.htm", "un mot ici"));
        w->EditHTML->Selectionne(3, 3);
        TDlgEntourer &dialogue = frame->DlgEntourer();
        auto *balise = dialogue.findChild<QComboBox *>("Balise");
        auto *ok = dialogue.findChild<QPushButton *>("OK");
        QStringList refusees;
        Repond(
            [&] {
                for (const char *texte : {"span", "<br>", "</span>", "<span", ""}) {
                    QTest::keyClick(balise, Qt::Key_A, Qt::ControlModifier);
                    QTest::keyClicks(balise, QLatin1String(texte));
                    if (!ok->isEnabled())
                        refusees << QLatin1String(texte);
                }
                QTest::keyClicks(balise, QStringLiteral("<span class=\"x\">"));
            },
            ok);
        frame->Action("Entourer")->trigger();
        QCOMPARE(refusees, QStringList({"span", "<br>", "</span>", "<span", ""}));
        QCOMPARE(Texte(w), QByteArray("un <span class=\"x\">mot</span> ici"));
        QCOMPARE(w->EditHTML->SelStart(), 19);
        QCOMPARE(w->EditHTML->SelLength(), 3);
        w->EditHTML->undo();
        QCOMPARE(Texte(w), QByteArray("un mot ici"));

        QStringList liste;
        Repond(
            [&] {
                for (int rang = 0; rang < balise->count(); ++rang)
                    liste << balise->itemText(rang);
            },
            dialogue.findChild<QPushButton *>("Annuler"));
        frame->Action("Entourer")->trigger();
        QCOMPARE(liste, QStringList({"<span class=\"x\">"}));
        QCOMPARE(Texte(w), QByteArray("un mot ici"));
    }

    // The closing of the tags is on at first; turned off, it is off in the open documents, in the new ones, and in
    // the next run.
    void fermetureDesBalises()
    {
        TWndHTML *ouverte = Ouvre(Fichier("page.htm"));
        QAction *option = frame->findChild<QAction *>("FermerBalises");
        QVERIFY(option->isChecked() && ouverte->EditHTML->FermeBalises());
        option->trigger();
        QVERIFY(!ouverte->EditHTML->FermeBalises());
        frame->FileNew();
        QVERIFY(!frame->FenetreActive()->EditHTML->FermeBalises());
        for (TWndHTML *w : frame->Fenetres())
            w->EditHTML->setModified(false);
        frame.reset();
        NouveauCadre();
        Ouvre(Fichier("page.htm"));
        QVERIFY(!frame->findChild<QAction *>("FermerBalises")->isChecked());
        QVERIFY(!frame->FenetreActive()->EditHTML->FermeBalises());
    }

    // Each "&Replier" folds the element that starts on the caret's line, or the one around it, one level further
    // out each time, and the caret goes to the line in view; "&Déplier" unfolds the caret's line; "&Tout replier"
    // folds every level. An uncoloured page has no folding: its commands are disabled.
    void pliage()
    {
        TWndHTML *w = Ouvre(Fichier("page.htm", "<div>\n<p>\nx\n</p>\n</div>\n"));
        TEditHTML &edit = *w->EditHTML;
        edit.recolor();
        const auto deplies = [&] {
            QList<bool> lignes;
            for (unsigned long ligne = 0; ligne < 2; ++ligne)
                lignes << (edit.SendScintilla(QsciScintillaBase::SCI_GETFOLDEXPANDED, ligne) != 0);
            return lignes;
        };
        const auto ligneDuCurseur = [&] {
            int ligne = 0;
            int colonne = 0;
            edit.getCursorPosition(&ligne, &colonne);
            return ligne;
        };
        edit.setCursorPosition(2, 0);
        frame->Action("Replier")->trigger();
        QCOMPARE(deplies(), QList<bool>({true, false}));
        QCOMPARE(ligneDuCurseur(), 1);
        frame->Action("Replier")->trigger();
        QCOMPARE(deplies(), QList<bool>({false, false}));
        QCOMPARE(ligneDuCurseur(), 0);
        frame->Action("Deplier")->trigger();
        QCOMPARE(deplies(), QList<bool>({true, false}));
        frame->Action("ToutDeplier")->trigger();
        QCOMPARE(deplies(), QList<bool>({true, true}));
        edit.setCursorPosition(2, 0);
        frame->Action("ToutReplier")->trigger();
        QCOMPARE(deplies(), QList<bool>({false, false}));
        QCOMPARE(ligneDuCurseur(), 0);

        Ouvre(Fichier("longue.htm", QByteArray(100001, 'a')));
        emit frame->Menu("Pliage")->aboutToShow();
        QVERIFY(!frame->Action("Replier")->isEnabled() && !frame->Action("ToutDeplier")->isEnabled());
    }
};

QTEST_MAIN(TestCommandesEcriture)
#include "tst_commandesecriture.moc"
