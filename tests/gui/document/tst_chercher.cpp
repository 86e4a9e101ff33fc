// SPDX-License-Identifier: GPL-3.0-or-later
#include "CadreDeTest.h"

#include "gui/dialogs/DlgChercher.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>

class TestChercher : public CadreDeTest {
    Q_OBJECT

    TDlgChercher &Dialogue() { return frame->DlgChercher(); }
    QPushButton *Bouton() { return Dialogue().findChild<QPushButton *>("Suivant"); }
    QAction *Suivant1() { return frame->findChild<QAction *>("Suivant"); }

    // Fills in the find dialog as the user does; the options are "C" for the case, "M" for whole words.
    void Remplit(const QString &texte, const QString &options = {})
    {
        Dialogue().findChild<QLineEdit *>("Texte")->setText(texte);
        Dialogue().findChild<QCheckBox *>("Casse")->setChecked(options.contains(u'C'));
        Dialogue().findChild<QCheckBox *>("MotEntier")->setChecked(options.contains(u'M'));
    }

private slots:
    void init() { NouveauCadre(); }
    void cleanup() { FermeCadre(); }

    void recherche_data()
    {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<QString>("depart"); // the selection before the first search
        QTest::addColumn<QString>("cherche");
        QTest::addColumn<QString>("options");
        // The selection after the dialog's button, then after each "&Suivant"; " !" marks a failed search.
        QTest::addColumn<QString>("etapes");
        // The first search goes from the cursor; then the occurrence selected is skipped, even when they overlap, but
        // not a longer selection at its start; the last one found stays selected after the message.
        QTest::newRow("tour à tour") << "un mot, deux mots, trois mot" << "0+0" << "mot" << ""
                                     << "3+3,13+3,25+3,25+3 !";
        QTest::newRow("avant le curseur") << "mot et autre" << "4+0" << "mot" << "" << "4+0 !";
        QTest::newRow("sélection plus longue") << "motif mot" << "0+5" << "mot" << "" << "0+3,6+3";
        QTest::newRow("chevauchantes") << "aaa" << "0+0" << "aa" << "" << "0+2,1+2,1+2 !";
        // Case and whole words, with accented letters: a letter is never a word's edge.
        QTest::newRow("casse") << "ÉTÉ été" << "0+0" << "été" << "C" << "6+5,6+5 !";
        QTest::newRow("sans casse") << "ÉTÉ été" << "0+0" << "été" << "" << "0+5,6+5,6+5 !";
        QTest::newRow("mot entier") << "motif émot motà mot" << "0+0" << "mot" << "M" << "18+3,18+3 !";
    }

    // A success closes the dialog, a failure leaves it as it was.
    void recherche()
    {
        QFETCH(QString, depart);
        QFETCH(QString, cherche);
        QFETCH(QString, options);
        QFETCH(QString, texte);
        QFETCH(QString, etapes);
        TWndHTML *w = OuvrePage(texte.toUtf8());
        Selectionne(w, depart);
        frame->EditionChercher();
        QVERIFY(Dialogue().isVisible());
        Remplit(cherche, options);
        const QStringList pas = etapes.split(u',');
        for (qsizetype i = 0; i < pas.size(); ++i) {
            const bool ouvert = Dialogue().isVisible();
            i == 0 ? Bouton()->click() : Suivant1()->trigger();
            const bool echec = pas[i].endsWith(u'!');
            QCOMPARE(Selection(w), pas[i].section(u' ', 0, 0));
            QCOMPARE(script->erreurs.join(u'\n'), echec ? "Recherche|Texte \"" + cherche + "\" non trouvé." : "");
            QCOMPARE(Dialogue().isVisible(), echec && ouvert);
            script->erreurs.clear();
        }
    }

    // Without a search text, F3 does nothing and "&Suivant" is disabled; typing one enables it at once, and the text
    // and its options serve in every document. With no document, the button does nothing.
    void suivantEtF3()
    {
        Dialogue().show();
        Remplit(QStringLiteral("mot"));
        Bouton()->click();
        QVERIFY(Dialogue().isVisible() && script->erreurs.isEmpty());
        Remplit(QString());
        TWndHTML *autre = OuvrePage("MOT mots mot", "autre.htm");
        TWndHTML *w = OuvrePage("mot mot");
        AuClavier(w);
        QTest::keyClick(w->EditHTML, Qt::Key_F3);
        QCOMPARE(Selection(w), QStringLiteral("0+0"));
        emit frame->Menu("Edition")->aboutToShow();
        QVERIFY(!Suivant1()->isEnabled() && !Bouton()->isEnabled());

        Remplit(QStringLiteral("mot"), "CM");
        QVERIFY(Suivant1()->isEnabled() && Bouton()->isEnabled());
        QTest::keyClick(w->EditHTML, Qt::Key_F3);
        QCOMPARE(Selection(w), QStringLiteral("0+3"));
        QTest::keyClick(w->EditHTML, Qt::Key_F3);
        QCOMPARE(Selection(w), QStringLiteral("4+3"));
        auto *cadre = qobject_cast<QMdiSubWindow *>(autre->parentWidget());
        cadre->mdiArea()->setActiveSubWindow(cadre);
        Suivant1()->trigger();
        QCOMPARE(Selection(autre), QStringLiteral("9+3"));
        QVERIFY(script->erreurs.isEmpty());
    }

    // The first line of the selection is offered as the text to find, selected; with none, the last text stays.
    // Typing a new search text then replaces it, whatever control was used last.
    void texteSelectionne_data()
    {
        QTest::addColumn<QString>("depart"); // the selection when the dialog opens
        QTest::addColumn<QString>("propose");
        QTest::addColumn<QString>("controle"); // the control used last before the dialog closed
        QTest::newRow("sélection sur une ligne") << "3+5" << "autre" << "Casse";
        QTest::newRow("sélection sur deux lignes") << "9+8" << "mot" << "Texte";
        QTest::newRow("sélection d'une fin de ligne") << "12+3" << "ancien" << "Texte";
        QTest::newRow("sans sélection") << "3+0" << "ancien" << "Casse";
    }

    void texteSelectionne()
    {
        QFETCH(QString, depart);
        QFETCH(QString, controle);
        Selectionne(OuvrePage("un autre mot\r\nici"), depart);
        Remplit(QStringLiteral("ancien"));
        auto *texte = Dialogue().findChild<QLineEdit *>("Texte");
        frame->EditionChercher();
        QTEST(texte->text(), "propose");
        for (int fois = 0; fois < 2; ++fois) {
            QCOMPARE(Dialogue().focusWidget(), texte);
            QCOMPARE(texte->selectedText(), texte->text());
            Remplit(QStringLiteral("ancien texte"));
            texte->setCursorPosition(3);
            Dialogue().findChild<QWidget *>(controle)->setFocus();
            Dialogue().reject();
            frame->EditionChercher();
        }
    }
};

QTEST_MAIN(TestChercher)
#include "tst_chercher.moc"
