#include "CadreDeTest.h"

#include "gui/dialogs/DlgRemplacer.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

class TestRemplacer : public CadreDeTest {
    Q_OBJECT

    // A page with accents and CR LF line ends.
    static inline const QByteArray Page = "<P>Été\r\nété, ÉTÉ;\r\nétés</P>";

    TDlgRemplacer &Dialogue() { return frame->DlgRemplacer(); }
    QPushButton *Bouton(const char *nom) { return Dialogue().findChild<QPushButton *>(nom); }

    // Fills in the dialog as the user does; the options are "C" for the case, "M" for whole words, "E" for an
    // expression.
    void Remplit(const QString &cherche, const QString &remplacement, const QString &options = {})
    {
        Dialogue().findChild<QLineEdit *>("Texte")->setText(cherche);
        Dialogue().findChild<QLineEdit *>("Remplacement")->setText(remplacement);
        Dialogue().findChild<QCheckBox *>("Casse")->setChecked(options.contains(u'C'));
        Dialogue().findChild<QCheckBox *>("MotEntier")->setChecked(options.contains(u'M'));
        Dialogue().findChild<QCheckBox *>("Expression")->setChecked(options.contains(u'E'));
    }

    // The page opened with that text and the selection "debut+longueur", the dialog open.
    TWndHTML *Ouvert(const QByteArray &texte, const QString &selection = QStringLiteral("0+0"))
    {
        TWndHTML *w = Ouvre(Fichier("page.htm", texte));
        w->EditHTML->Selectionne(selection.section(u'+', 0, 0).toInt(), selection.section(u'+', 1).toInt());
        frame->EditionRemplacer();
        return w;
    }

    static QString Selection(TWndHTML *w)
    {
        return QStringLiteral("%1+%2").arg(w->EditHTML->SelStart()).arg(w->EditHTML->SelLength());
    }

private slots:
    void init() { NouveauCadre(); }
    void cleanup() { FermeCadre(); }

    void suivantEtRemplacer_data()
    {
        QTest::addColumn<QByteArray>("texte");
        QTest::addColumn<QString>("depart");
        QTest::addColumn<QString>("cherche");
        QTest::addColumn<QString>("remplacement");
        QTest::addColumn<QString>("options");
        // The button, "S" or "R", and the selection after it; " !" marks the message that nothing more is found.
        QTest::addColumn<QString>("etapes");
        QTest::addColumn<QByteArray>("resultat");
        // The search goes on after the replacement: what it wrote is not found again.
        QTest::newRow("tour à tour") << QByteArray("un mot, deux mots, mot") << "0+0" << "mot" << "MOT" << ""
                                     << "S 3+3,R 13+3,S 19+3,R 22+0 !" << QByteArray("un MOT, deux mots, MOT");
        // A selection that is not an occurrence is only searched from, even by "Re&mplacer".
        QTest::newRow("sélection plus longue") << QByteArray("motif mot") << "0+5" << "mot" << "X" << ""
                                               << "R 0+3,S 6+3,S 6+3 !" << QByteArray("motif mot");
        QTest::newRow("groupes") << QByteArray("Jean Dupont et Marie Curie") << "4+0" << "(\\w+) (\\w+)" << "\\2, \\1"
                                 << "E" << "R 5+9,R 16+11,R 28+0 !" << QByteArray("Jean et, Dupont Curie, Marie");
        // The caret at a line's start is an empty occurrence of "^": replaced at once.
        QTest::newRow("vides") << QByteArray("a\r\nb\nc") << "0+0" << "^" << "> " << "E"
                               << "R 5+0,S 7+0,R 9+0 !,S 9+0 !" << QByteArray("> a\r\nb\n> c");
    }

    // Each step answers as the user expects, and the dialog stays open.
    void suivantEtRemplacer()
    {
        QFETCH(QString, depart);
        QFETCH(QString, cherche);
        QFETCH(QString, etapes);
        QFETCH(QByteArray, texte);
        QFETCH(QString, remplacement);
        QFETCH(QString, options);
        TWndHTML *w = Ouvert(texte, depart);
        Remplit(cherche, remplacement, options);
        for (const QString &etape : etapes.split(u',')) {
            Bouton(etape.startsWith(u'S') ? "Suivant" : "Remplacer")->click();
            QCOMPARE(Selection(w), etape.section(u' ', 1, 1));
            QCOMPARE(script->erreurs.join(u'\n'),
                     etape.endsWith(u'!') ? "Recherche|Texte \"" + cherche + "\" non trouvé." : "");
            script->erreurs.clear();
        }
        QTEST(Texte(w), "resultat");
        QVERIFY(Dialogue().isVisible());
    }

    void remplacerTout_data()
    {
        QTest::addColumn<QString>("cherche");
        QTest::addColumn<QString>("remplacement");
        QTest::addColumn<QString>("options");
        QTest::addColumn<QByteArray>("resultat");
        QTest::addColumn<QString>("message");
        QTest::newRow("plusieurs") << "été" << "hiver" << "" << QByteArray("<P>hiver\r\nhiver, hiver;\r\nhivers</P>")
                                   << "4 remplacements.";
        QTest::newRow("un") << "été" << "hiver" << "CM" << QByteArray("<P>Été\r\nhiver, ÉTÉ;\r\nétés</P>")
                            << "1 remplacement.";
        QTest::newRow("aucun") << "automne" << "hiver" << "" << Page << "Aucun remplacement.";
        QTest::newRow("fins de ligne") << "(\\w+)(;?)$" << "[\\1]\\2" << "E"
                                       << QByteArray("<P>[Été]\r\nété, [ÉTÉ];\r\nétés</P>") << "2 remplacements.";
    }

    // The page changes at once; one "&Défaire" gives it back byte for byte.
    void remplacerTout()
    {
        QFETCH(QString, cherche);
        QFETCH(QString, remplacement);
        QFETCH(QString, options);
        QFETCH(QString, message);
        TWndHTML *w = Ouvert(Page);
        Remplit(cherche, remplacement, options);
        Bouton("RemplacerTout")->click();
        QCOMPARE(script->erreurs, QStringList("Remplacer|" + message));
        QTEST(Texte(w), "resultat");
        QCOMPARE(w->EditHTML->isUndoAvailable(), Texte(w) != Page);
        frame->EditionDefaire();
        QCOMPARE(Texte(w), Page);
        QVERIFY(!w->EditHTML->isModified());
    }

    void erreurs_data()
    {
        QTest::addColumn<QString>("bouton");
        QTest::addColumn<QString>("cherche");
        QTest::addColumn<QString>("message");
        const QString incorrecte = "Expression régulière incorrecte : missing closing parenthesis (position 2).";
        for (const char *bouton : {"Suivant", "Remplacer", "RemplacerTout"})
            QTest::newRow(bouton) << bouton << "a(" << incorrecte;
        QTest::newRow("retour sans fin") << "RemplacerTout" << "(a+)+$"
                                         << "Recherche abandonnée : match limit exceeded.";
    }

    // A wrong expression, or one that PCRE2 gives up, is told and leaves the page and its selection as they were.
    void erreurs()
    {
        QFETCH(QString, bouton);
        QFETCH(QString, cherche);
        const QByteArray texte = QByteArray(40, 'a') + "b aa";
        TWndHTML *w = Ouvert(texte, QStringLiteral("41+2"));
        Remplit(cherche, QStringLiteral("x"), QStringLiteral("E"));
        Bouton(qPrintable(bouton))->click();
        QTEST(script->erreurs.join(u'\n'), "message");
        QCOMPARE(Texte(w), texte);
        QCOMPARE(Selection(w), QStringLiteral("41+2"));
    }

    // Ctrl+H opens the dialog from the page, after "&Suivant" in the menu; its buttons wait for a search text, and
    // reopened it takes what is typed in the search text, in place of the old one.
    void ouverture()
    {
        QAction *action = frame->findChild<QAction *>("Remplacer1");
        QCOMPARE(action->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_H));
        const QList<QAction *> menu = frame->EditMenu->actions();
        QCOMPARE(menu.indexOf(action), menu.indexOf(frame->findChild<QAction *>("Suivant1")) + 1);
        TWndHTML *w = Ouvre(Fichier("page.htm", "un mot"));
        frame->show();
        frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame.get()));
        auto *texte = Dialogue().findChild<QLineEdit *>("Texte");
        for (int fois = 0; fois < 2; ++fois) {
            w->EditHTML->setFocus();
            QTest::keyClick(w->EditHTML, Qt::Key_H, Qt::ControlModifier);
            QVERIFY(Dialogue().isVisible());
            QCOMPARE(Dialogue().focusWidget(), texte);
            QCOMPARE(texte->selectedText(), texte->text());
            for (const char *nom : {"Suivant", "Remplacer", "RemplacerTout"})
                QCOMPARE(Bouton(nom)->isEnabled(), fois == 1);
            Remplit(QStringLiteral("mot"), QString(), QStringLiteral("E"));
            texte->setCursorPosition(1);
            Dialogue().findChild<QWidget *>("Expression")->setFocus();
            Bouton("Fermer")->click();
            QVERIFY(!Dialogue().isVisible());
        }
        QCOMPARE(Texte(w), QByteArray("un mot"));
    }
};

QTEST_MAIN(TestRemplacer)
#include "tst_remplacer.moc"
