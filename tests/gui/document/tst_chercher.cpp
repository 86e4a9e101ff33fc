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
    QAction *Suivant1(TWndHTML *) { return frame->findChild<QAction *>("Suivant1"); }

    // Fills in the find dialog as the user does.
    void Remplit(const QString &texte, bool casse = false, bool motEntier = false)
    {
        Dialogue().findChild<QLineEdit *>("Texte")->setText(texte);
        Dialogue().findChild<QCheckBox *>("Casse")->setChecked(casse);
        Dialogue().findChild<QCheckBox *>("MotEntier")->setChecked(motEntier);
    }

    // The selection as "debut+longueur", in bytes.
    static QString Selection(TWndHTML *w)
    {
        return QStringLiteral("%1+%2").arg(w->EditHTML->SelStart()).arg(w->EditHTML->SelLength());
    }

private slots:
    void init() { NouveauCadre(); }
    void cleanup() { FermeCadre(); }

    void recherche_data()
    {
        QTest::addColumn<QByteArray>("texte");
        QTest::addColumn<QString>("depart"); // the selection before the first search
        QTest::addColumn<QString>("cherche");
        QTest::addColumn<bool>("casse");
        QTest::addColumn<bool>("motEntier");
        // The selection after the dialog's button, then after each "&Suivant"; " !" marks a failed search.
        QTest::addColumn<QStringList>("etapes");

        QTest::newRow("trois occurrences tour à tour, puis le message; la dernière reste sélectionnée")
            << QByteArray("un mot, deux mots, trois mot") << "0+0" << "mot" << false << false
            << QStringList{"3+3", "13+3", "25+3", "25+3 !"};
        QTest::newRow("occurrence avant le curseur: non trouvée")
            << QByteArray("mot et autre") << "4+0" << "mot" << false << false << QStringList{"4+0 !"};
        QTest::newRow("sélection au début d'une occurrence, d'une autre longueur: pas de saut")
            << QByteArray("motif mot") << "0+5" << "mot" << false << false << QStringList{"0+3", "6+3"};
        QTest::newRow("occurrences chevauchantes")
            << QByteArray("aaa") << "0+0" << "aa" << false << false << QStringList{"0+2", "1+2", "1+2 !"};
        QTest::newRow("casse respectée, lettres accentuées: seule l'occurrence de même casse")
            << QByteArray("ÉTÉ été") << "0+0" << "été" << true << false << QStringList{"6+5", "6+5 !"};
        QTest::newRow("casse non respectée: « été » trouve « ÉTÉ »")
            << QByteArray("ÉTÉ été") << "0+0" << "été" << false << false << QStringList{"0+5", "6+5", "6+5 !"};
        QTest::newRow("mot entier: pas dans un mot plus long, même d'une lettre accentuée devant ou derrière")
            << QByteArray("motif émot motà mot") << "0+0" << "mot" << false << true << QStringList{"18+3", "18+3 !"};
        QTest::newRow("mot entier, casse non respectée: pas dans un mot accentué plus long")
            << QByteArray("ÉTÉS été") << "0+0" << "été" << false << true << QStringList{"7+5", "7+5 !"};
    }

    void recherche()
    {
        QFETCH(QByteArray, texte);
        QFETCH(QString, depart);
        QFETCH(QString, cherche);
        QFETCH(bool, casse);
        QFETCH(bool, motEntier);
        QFETCH(QStringList, etapes);

        TWndHTML *w = Ouvre(Fichier("page.htm", texte));
        w->EditHTML->Selectionne(depart.section(u'+', 0, 0).toInt(), depart.section(u'+', 1).toInt());
        frame->EditionChercher();
        QVERIFY(Dialogue().isVisible());
        Remplit(cherche, casse, motEntier);

        for (qsizetype i = 0; i < etapes.size(); ++i) {
            const bool ouvert = Dialogue().isVisible();
            if (i == 0)
                Bouton()->click();
            else
                Suivant1(w)->trigger();
            const bool echec = etapes[i].endsWith(u'!');
            QCOMPARE(Selection(w), etapes[i].section(u' ', 0, 0));
            QCOMPARE(script->erreurs.join(u'\n'), echec ? "Recherche|Texte \"" + cherche + "\" non trouvé." : "");
            // A success closes the dialog, a failure leaves it as it was.
            QCOMPARE(Dialogue().isVisible(), echec && ouvert);
            script->erreurs.clear();
        }
    }

    void suivantEtF3()
    {
        TWndHTML *autre = Ouvre(Fichier("autre.htm", "MOT mots mot"));
        TWndHTML *w = Ouvre(Fichier("page.htm", "mot mot"));
        frame->show();
        frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame.get()));
        w->EditHTML->setFocus();

        // Without a search text, F3 does nothing and "&Suivant" is disabled.
        QTest::keyClick(w->EditHTML, Qt::Key_F3);
        QCOMPARE(Selection(w), QStringLiteral("0+0"));
        frame->EditMenu->aboutToShow();
        QVERIFY(!Suivant1(w)->isEnabled() && !Suivant1(autre)->isEnabled() && !Bouton()->isEnabled());

        // Typing a search text enables "&Suivant" at once, in every document.
        Remplit(QStringLiteral("mot"), true, true);
        QVERIFY(Suivant1(w)->isEnabled() && Suivant1(autre)->isEnabled() && Bouton()->isEnabled());
        QTest::keyClick(w->EditHTML, Qt::Key_F3);
        QCOMPARE(Selection(w), QStringLiteral("0+3"));
        QTest::keyClick(w->EditHTML, Qt::Key_F3);
        QCOMPARE(Selection(w), QStringLiteral("4+3"));

        // The text and its options serve in the other document too, once it is active.
        auto *cadre = qobject_cast<QMdiSubWindow *>(autre->parentWidget());
        cadre->mdiArea()->setActiveSubWindow(cadre);
        Suivant1(autre)->trigger();
        QCOMPARE(Selection(autre), QStringLiteral("9+3"));
        QVERIFY(script->erreurs.isEmpty());
    }

    void rouvertSurLeTexte_data()
    {
        QTest::addColumn<QString>("controle"); // the control used last before the dialog closed
        QTest::newRow("case à cocher") << "Casse";
        QTest::newRow("autre case à cocher") << "MotEntier";
        QTest::newRow("bouton Suivant") << "Suivant";
        QTest::newRow("texte, curseur au milieu") << "Texte";
    }

    // Typing a new search text replaces the old one, whatever was used last.
    void rouvertSurLeTexte()
    {
        QFETCH(QString, controle);
        Ouvre(Fichier("page.htm", "un mot"));
        auto *texte = Dialogue().findChild<QLineEdit *>("Texte");
        for (int fois = 0; fois < 2; ++fois) {
            frame->EditionChercher();
            QCOMPARE(Dialogue().focusWidget(), texte);
            QCOMPARE(texte->selectedText(), texte->text());
            Remplit(QStringLiteral("ancien texte"));
            texte->setCursorPosition(3);
            Dialogue().findChild<QWidget *>(controle)->setFocus();
            Dialogue().reject();
        }
    }

    void sansDocument()
    {
        Dialogue().show();
        Remplit(QStringLiteral("mot"));
        Bouton()->click();
        QVERIFY(script->erreurs.isEmpty());
        QVERIFY(Dialogue().isVisible());
    }
};

QTEST_MAIN(TestChercher)
#include "tst_chercher.moc"