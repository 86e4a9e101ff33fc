// SPDX-License-Identifier: GPL-3.0-or-later
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

    // The page, the selection as "debut+longueur", and what the command makes of them; a second press on it gives the
    // page back, and so does one undo.
    void commentaire_data()
    {
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<QString>("selection");
        QTest::addColumn<QByteArray>("attendu");
        QTest::addColumn<QString>("selectionApres");
        QTest::newRow("sélection mise en commentaire, et gardée sélectionnée")
            << QByteArray("<p>un mot</p>\n") << "3+6" << QByteArray("<p><!-- un mot --></p>\n") << "3+15";
        QTest::newRow("commentaire sélectionné retiré")
            << QByteArray("a <!-- b --> c") << "2+10" << QByteArray("a b c") << "2+1";
        QTest::newRow("ligne du curseur, curseur à sa fin")
            << QByteArray("a\nb c\nd") << "3+0" << QByteArray("a\n<!-- b c -->\nd") << "14+0";
        QTest::newRow("ligne en CR LF, sans sa fin de ligne")
            << QByteArray("a\r\nb\r\n") << "0+0" << QByteArray("<!-- a -->\r\nb\r\n") << "10+0";
    }

    void commentaire()
    {
        QFETCH(QByteArray, page);
        QFETCH(QString, selection);
        TWndHTML *w = Ouvre(Fichier("page.htm", page));
        Selectionne(w, selection);
        frame->Action("Commentaire")->trigger();
        QTEST(Texte(w), "attendu");
        QTEST(Selection(w), "selectionApres");
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
        auto *balise = frame->DlgEntourer().findChild<QComboBox *>("Balise");
        auto *ok = frame->DlgEntourer().findChild<QPushButton *>("OK");
        const QStringList refusees{"span", "<br>", "</span>", "<span", ""};
        QStringList acceptees;
        Repond([&] {
            for (const QString &texte : refusees) {
                QTest::keyClick(balise, Qt::Key_A, Qt::ControlModifier);
                QTest::keyClicks(balise, texte);
                if (ok->isEnabled())
                    acceptees << texte;
            }
            QTest::keyClicks(balise, QStringLiteral("<span class=\"x\">"));
        }, ok);
        frame->Action("Entourer")->trigger();
        QCOMPARE(acceptees, QStringList());
        QCOMPARE(Texte(w), QByteArray("un <span class=\"x\">mot</span> ici"));
        QCOMPARE(std::pair(w->EditHTML->SelStart(), w->EditHTML->SelLength()), std::pair(qsizetype(19), qsizetype(3)));
        QCOMPARE(balise->itemText(0), QStringLiteral("<span class=\"x\">"));
        w->EditHTML->undo();
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
        QVERIFY(!ouverte->EditHTML->FermeBalises() && !frame->NouvelleFenetre()->EditHTML->FermeBalises());
        frame.reset();
        NouveauCadre();
        QVERIFY(!frame->findChild<QAction *>("FermerBalises")->isChecked());
    }

    // The commands from the caret on "x" in <div>, <p>, x: whether the lines of <div> and <p> are unfolded, and the
    // caret's line. An uncoloured page has no folding: its commands are disabled.
    void pliage_data()
    {
        QTest::addColumn<QString>("commandes");
        QTest::addColumn<QString>("deplies");
        QTest::addColumn<int>("ligne");
        QTest::newRow("l'élément autour du curseur, le curseur sur sa ligne") << "Replier" << "10" << 1;
        QTest::newRow("une seconde fois, son parent") << "Replier Replier" << "00" << 0;
        QTest::newRow("déplier la ligne du curseur") << "Replier Replier Deplier" << "10" << 0;
        QTest::newRow("tout replier, à tous les niveaux") << "ToutReplier" << "00" << 0;
        QTest::newRow("tout déplier") << "Replier Replier ToutDeplier" << "11" << 0;
    }

    void pliage()
    {
        QFETCH(QString, commandes);
        TEditHTML &edit = *Ouvre(Fichier("page.htm", "<div>\n<p>\nx\n</p>\n</div>\n"))->EditHTML;
        edit.recolor();
        edit.setCursorPosition(2, 0);
        for (const QString &commande : commandes.split(u' '))
            frame->Action(commande.toStdString())->trigger();
        const auto deplie = [&](unsigned long ligne) {
            return edit.SendScintilla(QsciScintillaBase::SCI_GETFOLDEXPANDED, ligne) ? QChar(u'1') : QChar(u'0');
        };
        QTEST(QString(deplie(0)) + deplie(1), "deplies");
        const auto caret = static_cast<unsigned long>(edit.SelStart());
        QTEST(int(edit.SendScintilla(QsciScintillaBase::SCI_LINEFROMPOSITION, caret)), "ligne");

        Ouvre(Fichier("longue.htm", QByteArray(100001, 'a')));
        emit frame->Menu("Pliage")->aboutToShow();
        QVERIFY(!frame->Action("Replier")->isEnabled() && !frame->Action("ToutDeplier")->isEnabled());
    }
};

QTEST_MAIN(TestCommandesEcriture)
#include "tst_commandesecriture.moc"
