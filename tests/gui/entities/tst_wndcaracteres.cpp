// SPDX-License-Identifier: GPL-3.0-or-later
#include "CadreDeTest.h"
#include "gui/entities/WndCaracteres.h"
#include "gui/tagremoval/SupprimerForm.h"

#include <QCheckBox>
#include <QProcess>
#include <QRadioButton>
#include <QTableWidget>

// The special characters window and the two tag removals, driven as a user drives them.
class TestWndCaracteres : public CadreDeTest {
    Q_OBJECT

    // A frame whose accent table is that file.
    void CadreAvecTable(const QString &table)
    {
        FermeCadre();
        NouveauCadre({}, table);
    }

    // The next tag removal runs with these options, as if the user had set them in the dialog: `choix` names the
    // button of what replaces a tag ("Rien", "Espaces", "Tabulations").
    void Options(bool restaurer, const QString &choix, int reponse = QDialog::Accepted)
    {
        script->executions << [=](QDialog &options) {
            auto *restauration = options.findChild<QCheckBox *>("Restaurer");
            // A fresh dialog each time, with its defaults.
            if (!restauration->isChecked() || !options.findChild<QRadioButton *>("Rien")->isChecked())
                return int(QDialog::Rejected);
            restauration->setChecked(restaurer);
            options.findChild<QRadioButton *>(choix)->setChecked(true);
            return reponse;
        };
    }

    QTableWidget *Grille() const { return frame->CaracteresSpeciaux().findChild<QTableWidget *>(); }

private slots:
    void init() { NouveauCadre(); }
    void cleanup() { FermeCadre(); }

    void tableIllisibleOuVide()
    {
        CadreAvecTable(dossier.filePath("absent.txt"));
        QCOMPARE(script->erreurs, QStringList{"Ne peut ouvrir le fichier " + dossier.filePath("absent.txt")});
        // Correction then changes nothing, and the document stays unmodified.
        TWndHTML *w = OuvrePage("été");
        frame->CorrectionAccents();
        QCOMPARE(Texte(w), QByteArray("été"));
        QVERIFY(!w->EditHTML->isModified());

        CadreAvecTable(Fichier("vide.txt", ""));
        QCOMPARE(script->erreurs, QStringList{"Le nombre de lignes fixes doit être inférieur au nombre de lignes"});
    }

    // The editor, once it has saved the page in its own encoding, and balizo-outils on the page's file give the same
    // bytes, whatever the table's encoding. `restaurer` chooses between the correction and the tag removal that
    // restores, whose result is saved beside the page.
    void memesOctetsQueLOutil_data()
    {
        QTest::addColumn<QByteArray>("table");
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<bool>("restaurer");
        QTest::addColumn<QByteArray>("attendu");
        const QByteArray utf8 = "&alpha;\t\xCE\xB1\n&eacute;\t\xC3\xA9\t\tO\n&agrave;\t\xC3\xA0\t\tO\n";
        const QByteArray windows1252 = "&eacute;\t\xE9\te aigu\tO\r\n&agrave;\t\xE0\t\tO\r\n&nbsp;\t\xA0\r\n";
        QTest::newRow("table Windows-1252, page UTF-8: caractères en UTF-8")
            << windows1252 << QByteArray("caf&eacute;&nbsp;!\n") << true << QByteArray("caf\xC3\xA9\xC2\xA0!\n");
        QTest::newRow("table Windows-1252, page Windows-1252: correction")
            << windows1252 << QByteArray("caf\xE9 \xE0 No\xEBl") << false << QByteArray("caf&eacute; &agrave; No\xEBl");
        QTest::newRow("table Windows-1252, page Windows-1252: restauration")
            << windows1252 << QByteArray("&eacute;t&eacute;&nbsp;\xEB\n") << true << QByteArray("\xE9t\xE9\xA0\xEB\n");
        QTest::newRow("table UTF-8, page Windows-1252: &alpha; reste une entité")
            << utf8 << QByteArray("&alpha; &eacute; \xEB\n") << true << QByteArray("&alpha; \xE9 \xEB\n");
    }

    void memesOctetsQueLOutil()
    {
        QFETCH(QByteArray, table);
        QFETCH(QByteArray, page);
        QFETCH(bool, restaurer);
        QFETCH(QByteArray, attendu);
        CadreAvecTable(Fichier("Table.txt", table));
        const QString chemin = Fichier("page.htm", page);

        QProcess outil;
        outil.start(OUTILS, {restaurer ? "restaurer-accents" : "corriger-accents",
                             "--accents=" + dossier.filePath("Table.txt"), chemin});
        QVERIFY(outil.waitForFinished(60000));
        QCOMPARE(outil.readAllStandardError(), QByteArray());
        QCOMPARE(outil.readAllStandardOutput(), attendu);

        TWndHTML *w = Ouvre(chemin);
        const QString sortie = restaurer ? dossier.filePath("resultat.txt") : chemin;
        if (restaurer) {
            Options(true, "Rien");
            frame->SupprimerLesTagsHTML();
            w = frame->FenetreActive();
            script->fichiers << sortie;
        } else {
            frame->CorrectionAccents();
        }
        QVERIFY(w->FileSave());
        QCOMPARE(Lit(sortie), attendu);
        QVERIFY(script->erreurs.isEmpty() && script->questions.isEmpty());
    }

    // A table whose rows each double the text: the correction is given up, the user told, the document left alone.
    void memoireInsuffisante()
    {
        CadreAvecTable(Fichier("Table.txt", QByteArray("aa\ta\t\tO\n").repeated(14)));
        TWndHTML *w = OuvrePage(QByteArray(1024, 'a'));
        w->EditHTML->Selectionne(5, 2);
        frame->CorrectionAccents();
        QCOMPARE(script->erreurs, QStringList{MemoireInsuffisante()});
        QCOMPARE(Texte(w), QByteArray(1024, 'a'));
        QVERIFY(!w->EditHTML->isModified());
        QCOMPARE(Selection(w), "5+2");
    }

    // The grid's columns: the character, its meaning, its entity and its flag. Opened, the window has the keyboard
    // on its grid: Down then Return writes the entity of the second row and
    // gives the keyboard back to the page, the window staying open. A double click on the meaning of a row writes
    // its entity, not its meaning.
    void clavier()
    {
        QCOMPARE(Grille()->rowCount(), 5);
        const QStringList premiere{"é", "e accent aigu", "&eacute;", "O"};
        for (int colonne = 0; colonne < 4; ++colonne)
            QCOMPARE(Grille()->item(0, colonne)->text(), premiere[colonne]);
        TWndHTML *w = OuvrePage("un mot");
        w->EditHTML->Selectionne(3, 3);
        frame->show();
        TWndCaracteresSpeciaux &fenetre = frame->CaracteresSpeciaux();
        frame->AfficheCaracteresSpeciaux();
        QVERIFY(QTest::qWaitForWindowActive(&fenetre));
        QTRY_COMPARE(QApplication::focusWidget(), Grille());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(Texte(w), QByteArray("un &egrave;mot"));
        QCOMPARE(Selection(w), "11+3");
        QTRY_COMPARE(QApplication::focusWidget(), w->EditHTML);
        QVERIFY(fenetre.isVisible());
        Grille()->setCurrentCell(2, 1);
        emit Grille()->cellDoubleClicked(2, 1);
        QCOMPARE(Texte(w), QByteArray("un &egrave;&Eacute;mot"));
        QCOMPARE(Selection(w), "19+3");
    }

    // Flags "O" and "o" count; the capital letter's row has no flag; & and < are not flagged. One undo step takes the
    // whole correction back.
    void correction()
    {
        TWndHTML *w = OuvrePage("Été été è & <P>");
        w->EditHTML->Selectionne(4, 2);
        frame->CorrectionAccents();
        QCOMPARE(Texte(w), QByteArray("Ét&eacute; &eacute;t&eacute; &egrave; & <P>"));
        QCOMPARE(Selection(w), "0+0");
        w->EditionDefaire();
        QCOMPARE(Texte(w), QByteArray("Été été è & <P>"));
    }

    // The result of the removal of tags, with its options, or of table tags goes to a new window; the source is left
    // as it was: text, modified state, selection.
    void suppressions_data()
    {
        QTest::addColumn<bool>("restaurer");
        QTest::addColumn<QString>("choix"); // "Tableaux": the removal of table tags
        QTest::addColumn<QByteArray>("attendu"); // null: the dialog is given up, no new window
        QTest::newRow("rien, restauration") << true << "Rien" << QByteArray("Unété<x\r\nab\r\n\r\nfin\r\n");
        QTest::newRow("espaces, sans restauration")
            << false << "Espaces" << QByteArray("Un été &lt;x\r\na b\r\n\r\nfin\r\n");
        QTest::newRow("tabulations, restauration")
            << true << "Tabulations" << QByteArray("Un\tété\t<x\r\na\tb\r\n\r\nfin\r\n");
        QTest::newRow("Annuler") << true << "Espaces" << QByteArray();
        QTest::newRow("tableaux") << false << "Tableaux"
                                  << QByteArray("<P>Un<B>été</B>&lt;x</P>\r\na\tb\r\n\r\n<I>fin\r\n");
    }

    void suppressions()
    {
        QFETCH(bool, restaurer);
        QFETCH(QString, choix);
        QFETCH(QByteArray, attendu);
        const QByteArray source("  <P>Un<B>été</B>&lt;x</P>\r\n<TABLE><tr><TD>a</td><td>b</TD></TR></table>\r\n"
                                "\r\n<I>fin\r\n");
        TWndHTML *w = OuvrePage(source);
        w->EditHTML->Selectionne(2, 3);
        if (choix == "Tableaux") {
            frame->SupprimerLesTagsTableaux();
        } else {
            Options(restaurer, choix, attendu.isNull() ? QDialog::Rejected : QDialog::Accepted);
            frame->SupprimerLesTagsHTML();
        }
        QCOMPARE(frame->Fenetres().size(), attendu.isNull() ? 1 : 2);
        if (attendu.isNull())
            return;
        TWndHTML *resultat = frame->FenetreActive();
        const char *suffixe = choix == "Tableaux" ? "page (Sans tableaux).htm" : "page (Sans tags).txt";
        QCOMPARE(resultat->windowTitle(), dossier.filePath(suffixe) + "[*]");
        QVERIFY(resultat->Untitled && resultat->EditHTML->isModified());
        QCOMPARE(Texte(resultat), attendu);
        QCOMPARE(Selection(resultat), QStringLiteral("%1+0").arg(restaurer ? 0 : attendu.size()));
        QCOMPARE(Texte(w), source);
        QVERIFY(!w->EditHTML->isModified());
        QCOMPARE(Selection(w), "2+3");
    }
};

QTEST_MAIN(TestWndCaracteres)
#include "tst_wndcaracteres.moc"
