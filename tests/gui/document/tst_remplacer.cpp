// SPDX-License-Identifier: GPL-3.0-or-later
#include "CadreDeTest.h"

#include "gui/dialogs/DlgRemplacer.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>

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
        for (const auto &[nom, lettre] : {std::pair{"Casse", u'C'}, {"MotEntier", u'M'}, {"Expression", u'E'}})
            Dialogue().findChild<QCheckBox *>(nom)->setChecked(options.contains(lettre));
    }

    // The page opened with that text and the selection "debut+longueur", the dialog open.
    TWndHTML *Ouvert(const QByteArray &texte, const QString &selection = QStringLiteral("0+0"))
    {
        TWndHTML *w = OuvrePage(texte);
        Selectionne(w, selection);
        frame->EditionRemplacer();
        return w;
    }

private slots:
    void init() { NouveauCadre(); }
    void cleanup() { FermeCadre(); }

    void boutons_data()
    {
        QTest::addColumn<QByteArray>("texte");
        QTest::addColumn<QString>("depart");
        QTest::addColumn<QString>("cherche");
        QTest::addColumn<QString>("remplacement");
        QTest::addColumn<QString>("options");
        // Each step: the button ("S" for "&Suivant", "R" for "Re&mplacer", "T" for "Remplacer &tout", or "D" for
        // "&Défaire"), the selection after it and what the user was told; "!" for the text not found.
        QTest::addColumn<QStringList>("etapes");
        QTest::addColumn<QByteArray>("resultat");
        // The search goes on after the replacement: what it wrote is not found again.
        QTest::newRow("tour à tour") << QByteArray("un mot, deux mots, mot") << "0+0" << "mot" << "MOT" << ""
                                     << QStringList{"S 3+3", "R 13+3", "S 19+3", "R 22+0 !"}
                                     << QByteArray("un MOT, deux mots, MOT");
        // A selection that is not an occurrence is only searched from, even by "Re&mplacer".
        QTest::newRow("sélection plus longue") << QByteArray("motif mot") << "0+5" << "mot" << "X" << ""
                                               << QStringList{"R 0+3", "S 6+3", "S 6+3 !"} << QByteArray("motif mot");
        QTest::newRow("groupes") << QByteArray("Jean Dupont et Marie Curie") << "4+0" << "(\\w+) (\\w+)" << "\\2, \\1"
                                 << "E" << QStringList{"R 5+9", "R 16+11", "R 28+0 !"}
                                 << QByteArray("Jean et, Dupont Curie, Marie");
        // The caret at a line's start is an empty occurrence of "^": replaced at once.
        QTest::newRow("vides") << QByteArray("a\r\nb\nc") << "0+0" << "^" << "> " << "E"
                               << QStringList{"R 5+0", "S 7+0", "R 9+0 !", "S 9+0 !"} << QByteArray("> a\r\nb\n> c");
        // Every occurrence at once, from the first one's start; one "&Défaire" gives the page back byte for byte.
        QTest::newRow("tout") << Page << "0+0" << "été" << "hiver" << "CM"
                              << QStringList{"T 10+0 Remplacer|1 remplacement."}
                              << QByteArray("<P>Été\r\nhiver, ÉTÉ;\r\nétés</P>");
        QTest::newRow("tout, défaire") << Page << "0+0" << "été" << "hiver" << ""
                                       << QStringList{"T 3+0 Remplacer|4 remplacements.", "D 30+0"} << Page;
        // Every line whole, then the empty occurrence at its end: one step all the same.
        QTest::newRow("lignes entières, défaire")
            << QByteArray("un\r\ndeux\r\n") << "0+0" << ".*" << "[\\0]" << "E"
            << QStringList{"T 0+0 Remplacer|5 remplacements.", "D 10+0"} << QByteArray("un\r\ndeux\r\n");
        QTest::newRow("aucun") << Page << "0+0" << "automne" << "hiver" << ""
                               << QStringList{"T 0+0 Remplacer|Aucun remplacement."} << Page;
        // A wrong expression, or one that PCRE2 gives up, leaves the page and its selection as they were.
        QTest::newRow("incorrecte") << Page << "3+3" << "a(" << "x" << "E"
                                    << QStringList{"R 3+3 Expression régulière incorrecte : missing closing "
                                                   "parenthesis (position 2)."}
                                    << Page;
        QTest::newRow("retour sans fin") << QByteArray(40, 'a') + "b" << "0+0" << "(a+)+$" << "x" << "E"
                                         << QStringList{"T 0+0 Recherche abandonnée : match limit exceeded."}
                                         << QByteArray(40, 'a') + "b";
    }

    // The dialog stays open all along.
    void boutons()
    {
        QFETCH(QByteArray, texte);
        QFETCH(QString, depart);
        QFETCH(QString, cherche);
        QFETCH(QString, remplacement);
        QFETCH(QString, options);
        QFETCH(QStringList, etapes);
        TWndHTML *w = Ouvert(texte, depart);
        Remplit(cherche, remplacement, options);
        for (const QString &etape : etapes) {
            const QChar bouton = etape[0];
            if (bouton == u'D')
                frame->EditionDefaire();
            else
                Bouton(bouton == u'S' ? "Suivant" : bouton == u'R' ? "Remplacer" : "RemplacerTout")->click();
            QCOMPARE(Selection(w), etape.section(u' ', 1, 1));
            const QString message = etape.section(u' ', 2);
            QCOMPARE(script->erreurs.join(u'\n'),
                     message == u'!' ? "Recherche|Texte \"" + cherche + "\" non trouvé." : message);
            script->erreurs.clear();
        }
        QTEST(Texte(w), "resultat");
        QVERIFY(Dialogue().isVisible());
    }

    void annuler_data()
    {
        QTest::addColumn<QString>("bouton");
        QTest::newRow("remplacer tout") << "RemplacerTout";
        QTest::newRow("suivant") << "Suivant";
    }

    // A long search shows its progress and "Annuler"; the page cannot be changed meanwhile, and once cancelled it is
    // as it was, its selection too, with nothing to undo and nothing told.
    void annuler()
    {
        QFETCH(QString, bouton);
        // Every way of cutting the words is tried at each place, and nothing is found: short words keep each place
        // below the limit of backtracking, and the page takes minutes.
        const QByteArray texte = QByteArray("<p>Le château est très beau, nous y allons après l'été.</p>\r\n")
                                     .repeated(20'000);
        TWndHTML *w = Ouvert(texte, QStringLiteral("3+0"));
        Remplit(QStringLiteral("(\\w+\\s?)*#"), QStringLiteral("x"), QStringLiteral("E"));
        bool lectureSeule = false;
        QTimer annule;
        connect(&annule, &QTimer::timeout, this, [&] {
            auto *progression = qobject_cast<QProgressDialog *>(QApplication::activeModalWidget());
            if (!progression)
                return;
            lectureSeule = w->EditHTML->isReadOnly();
            annule.stop();
            progression->findChild<QPushButton *>()->click();
        });
        annule.start(20);
        Bouton(qPrintable(bouton))->click();
        QVERIFY(!annule.isActive());
        QVERIFY(lectureSeule);
        QVERIFY(!w->EditHTML->isReadOnly());
        QVERIFY(Texte(w) == texte);
        QCOMPARE(Selection(w), QStringLiteral("3+0"));
        QVERIFY(!w->EditHTML->isUndoAvailable());
        QVERIFY(script->erreurs.isEmpty());
    }

    // The first line of the selection is offered as the text to find (the find dialog's test goes through its
    // cases), the replacement left as it was; the dialog's buttons wait for a search text; reopened, it takes what is
    // typed in the search text, in place of the old one.
    void ouverture()
    {
        Remplit(QStringLiteral("ancien"), QStringLiteral("nouveau"));
        TWndHTML *w = Ouvert(Page, QStringLiteral("6+6"));
        QCOMPARE(Dialogue().Texte(), QStringLiteral("é"));
        QCOMPARE(Dialogue().Remplacement(), QStringLiteral("nouveau"));
        Remplit(QString(), QString());
        w->EditHTML->Selectionne(0, 0);
        Bouton("Fermer")->click();
        auto *texte = Dialogue().findChild<QLineEdit *>("Texte");
        for (int fois = 0; fois < 2; ++fois) {
            frame->EditionRemplacer();
            QCOMPARE(Dialogue().focusWidget(), texte);
            QCOMPARE(texte->selectedText(), texte->text());
            for (const char *nom : {"Suivant", "Remplacer", "RemplacerTout"})
                QCOMPARE(Bouton(nom)->isEnabled(), fois == 1);
            Remplit(QStringLiteral("mot"), QString());
            texte->setCursorPosition(1);
            Dialogue().findChild<QWidget *>("Expression")->setFocus();
            Bouton("Fermer")->click();
        }
    }
};

QTEST_MAIN(TestRemplacer)
#include "tst_remplacer.moc"
