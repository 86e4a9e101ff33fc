#include "CadreDeTest.h"
#include "gui/entities/WndCaracteres.h"
#include "gui/tagremoval/DlgSupprimer.h"

#include <QCheckBox>
#include <QProcess>
#include <QRadioButton>
#include <QTableWidget>

// The special characters window and the two tag removals, driven as a user drives them.
class TestWndCaracteres : public CadreDeTest {
    Q_OBJECT

    TWndHTML *Ouvre(const QByteArray &octets) { return CadreDeTest::Ouvre(Fichier("page.htm", octets)); }

    // A frame whose accent table is that file.
    void CadreAvecTable(const QString &table)
    {
        FermeCadre();
        auto utilisateur = std::make_unique<UtilisateurScripte>();
        script = utilisateur.get();
        frame = std::make_unique<TMDIHtml>(dossier.filePath("Balizo.ini"), std::move(utilisateur), table);
    }

    // Runs the tag removal with these options, as if the user had set them in the dialog.
    void Options(bool restaurer, QRadioButton *TSupprimerForm::*choix, int reponse = QDialog::Accepted)
    {
        script->executions << [=](QDialog &dialogue) {
            auto &options = static_cast<TSupprimerForm &>(dialogue);
            // A fresh dialog each time, with its defaults.
            if (!options.CbRestaurer->isChecked() || !options.RbRien->isChecked())
                return int(QDialog::Rejected);
            options.CbRestaurer->setChecked(restaurer);
            (options.*choix)->setChecked(true);
            return reponse;
        };
    }

private slots:
    void init()
    {
        QVERIFY(dossier.isValid());
        NouveauCadre();
    }

    void cleanup() { FermeCadre(); }

    void grille()
    {
        QTableWidget *grille = frame->CaracteresSpeciaux().CaracteresGrid;
        QCOMPARE(grille->rowCount(), 5);
        QCOMPARE(grille->horizontalHeaderItem(3)->text(), QStringLiteral("Co."));
        QCOMPARE(grille->item(0, 0)->text() + grille->item(0, 1)->text() + grille->item(0, 2)->text(),
                 QStringLiteral("ée accent aigu&eacute;"));
        QCOMPARE(grille->item(3, 3)->text(), QString());
        QVERIFY(script->erreurs.isEmpty());
    }

    void tableIllisibleOuVide()
    {
        CadreAvecTable(dossier.filePath("absent.txt"));
        QCOMPARE(script->erreurs,
                 QStringList{QStringLiteral("Ne peut ouvrir le fichier %1").arg(dossier.filePath("absent.txt"))});
        // Correction then changes nothing, and the document stays unmodified.
        TWndHTML *w = Ouvre("été");
        frame->CorrectionAccents();
        QCOMPARE(Texte(w), QByteArray("été"));
        QVERIFY(!w->EditHTML->isModified());

        CadreAvecTable(Fichier("vide.txt", ""));
        QCOMPARE(script->erreurs,
                 QStringList{QStringLiteral("Le nombre de lignes fixes doit être inférieur au nombre de lignes")});
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
        const QByteArray tableUtf8 = "&alpha;\t\xCE\xB1\n&eacute;\t\xC3\xA9\t\tO\n&agrave;\t\xC3\xA0\t\tO\n";
        const QByteArray tableWindows1252 = "&eacute;\t\xE9\te aigu\tO\r\n&agrave;\t\xE0\t\tO\r\n&nbsp;\t\xA0\r\n";
        QTest::newRow("marque d'ordre: la première ligne restaure aussi")
            << "\xEF\xBB\xBF&nbsp;\t\xC2\xA0\n" + tableUtf8 << QByteArray("a&nbsp;b &eacute;\n") << true
            << QByteArray("a\xC2\xA0" "b \xC3\xA9\n");
        QTest::newRow("table Windows-1252, page UTF-8: caractères en UTF-8")
            << tableWindows1252 << QByteArray("caf&eacute;&nbsp;!\n") << true << QByteArray("caf\xC3\xA9\xC2\xA0!\n");
        QTest::newRow("table Windows-1252, page Windows-1252: correction")
            << tableWindows1252 << QByteArray("caf\xE9 \xE0 No\xEBl") << false
            << QByteArray("caf&eacute; &agrave; No\xEBl");
        QTest::newRow("table Windows-1252, page Windows-1252: restauration")
            << tableWindows1252 << QByteArray("&eacute;t&eacute;&nbsp;\xEB\n") << true << QByteArray("\xE9t\xE9\xA0\xEB\n");
        QTest::newRow("table UTF-8, page Windows-1252: &alpha; reste une entité")
            << tableUtf8 << QByteArray("&alpha; &eacute; \xEB\n") << true << QByteArray("&alpha; \xE9 \xEB\n");
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

        TWndHTML *w = CadreDeTest::Ouvre(chemin);
        const QString sortie = restaurer ? dossier.filePath("resultat.txt") : chemin;
        if (restaurer) {
            Options(true, &TSupprimerForm::RbRien);
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
        const QByteArray page(1024, 'a');
        TWndHTML *w = Ouvre(page);
        w->EditHTML->Selectionne(5, 2);
        frame->CorrectionAccents();
        QCOMPARE(script->erreurs, QStringList{MemoireInsuffisante()});
        QCOMPARE(Texte(w), page);
        QVERIFY(!w->EditHTML->isModified());
        QCOMPARE(w->EditHTML->SelStart(), 5);
        QCOMPARE(w->EditHTML->SelLength(), 2);
    }

    void doubleClicAvecSelection()
    {
        TWndHTML *w = Ouvre("un mot");
        w->EditHTML->Selectionne(3, 3);
        QTableWidget *grille = frame->CaracteresSpeciaux().CaracteresGrid;
        // The meaning column of the row: its entity is inserted, not its meaning.
        grille->setCurrentCell(1, 1);
        frame->CaracteresSpeciaux().CaracteresGridDblClick();
        QCOMPARE(Texte(w), QByteArray("un &egrave;mot"));
        QCOMPARE(w->EditHTML->SelStart(), 11);
        QCOMPARE(w->EditHTML->SelLength(), 3);
    }

    void correction()
    {
        TWndHTML *w = Ouvre("Été été è & <P>");
        w->EditHTML->Selectionne(4, 2);
        frame->CorrectionAccents();
        // Flags "O" and "o" count; the capital letter's row has no flag; & and < are not flagged.
        QCOMPARE(Texte(w), QByteArray("Ét&eacute; &eacute;t&eacute; &egrave; & <P>"));
        QCOMPARE(w->EditHTML->SelStart(), 0);
        QCOMPARE(w->EditHTML->SelLength(), 0);
        // One undo step takes the whole correction back.
        w->EditionDefaire();
        QCOMPARE(Texte(w), QByteArray("Été été è & <P>"));
    }

    void suppressionDesTags_data()
    {
        QTest::addColumn<bool>("restaurer");
        QTest::addColumn<int>("choix");
        QTest::newRow("rien, restauration") << true << 0;
        QTest::newRow("espaces, sans restauration") << false << 1;
        QTest::newRow("tabulations, restauration") << true << 2;
    }

    void suppressionDesTags()
    {
        const QByteArray source("  <P>Un<B>été</B>&lt;x</P>\r\n\r\n\r\n<I>fin\r\n");
        TWndHTML *w = Ouvre(source);
        w->EditHTML->Selectionne(2, 3);

        QFETCH(bool, restaurer);
        QFETCH(int, choix);
        Options(restaurer, choix == 0 ? &TSupprimerForm::RbRien
                           : choix == 1 ? &TSupprimerForm::RbEspace
                                        : &TSupprimerForm::RbTab);
        frame->SupprimerLesTagsHTML();

        TWndHTML *resultat = frame->FenetreActive();
        QVERIFY(resultat != w);
        QCOMPARE(resultat->FileName, dossier.filePath("page (Sans tags).txt"));
        QCOMPARE(resultat->windowTitle(), resultat->FileName);
        QVERIFY(resultat->Untitled);
        QVERIFY(resultat->EditHTML->isModified());
        const QByteArray separateur = choix == 0 ? "" : choix == 1 ? " " : "\t";
        const QByteArray lt = restaurer ? "<" : "&lt;";
        QCOMPARE(Texte(resultat), "Un" + separateur + "été" + separateur + lt + "x\r\n\r\nfin\r\n");
        QCOMPARE(resultat->EditHTML->SelStart(), restaurer ? 0 : Texte(resultat).size());

        // The source is left as it was: text, modified state, selection.
        QCOMPARE(Texte(w), source);
        QVERIFY(!w->EditHTML->isModified());
        QCOMPARE(w->EditHTML->SelStart(), 2);
        QCOMPARE(w->EditHTML->SelLength(), 3);
    }

    void suppressionAnnulee()
    {
        TWndHTML *w = Ouvre("<P>a</P>");
        Options(true, &TSupprimerForm::RbRien, QDialog::Rejected);
        frame->SupprimerLesTagsHTML();
        QCOMPARE(frame->Fenetres().size(), 1);
    }

    void suppressionDesTableaux()
    {
        frame->FileNew();
        TWndHTML *w = frame->FenetreActive();
        w->InsertionTexte("<TABLE><tr><TD>a</td><td>b</TD></TR></table>", "");
        const QByteArray source = Texte(w);
        frame->SupprimerLesTagsTableaux();

        TWndHTML *resultat = frame->FenetreActive();
        QCOMPARE(resultat->FileName, QStringLiteral("Sans Nom (Sans tableaux).htm"));
        QVERIFY(resultat->Untitled);
        QVERIFY(resultat->EditHTML->isModified());
        QCOMPARE(Texte(resultat), QByteArray("<HTML>\n<HEAD>\n<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=utf-8\">\n<TITLE>Sans Titre</TITLE>\n</HEAD>\n<BODY>\n"
                                             "a\tb\n</BODY>\n</HTML>\n"));
        QCOMPARE(resultat->EditHTML->SelStart(), Texte(resultat).size());
        QCOMPARE(Texte(w), source);
        QVERIFY(w->EditHTML->isModified());
    }
};

QTEST_MAIN(TestWndCaracteres)
#include "tst_wndcaracteres.moc"
