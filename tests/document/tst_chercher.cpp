#include "CadreDeTest.h"

#include "app/DlgChercher.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

class TestChercher : public CadreDeTest {
    Q_OBJECT

    TDlgChercher &Dialogue() { return frame->DlgChercher(); }

    // Types the search text and sets the two boxes, as the user does in the find dialog.
    void Remplit(const QString &texte, bool casse = false, bool motEntier = false)
    {
        Dialogue().findChild<QLineEdit *>("Texte")->setText(texte);
        Dialogue().findChild<QCheckBox *>("Casse")->setChecked(casse);
        Dialogue().findChild<QCheckBox *>("MotEntier")->setChecked(motEntier);
    }

    void CliqueSuivant() { Dialogue().findChild<QPushButton *>("Suivant")->click(); }

    static QAction *Suivant1(TWndHTML *w) { return w->EditMenu->findChild<QAction *>("Suivant1"); }

    // The selection as "debut+longueur", in bytes.
    static QString Selection(TWndHTML *w)
    {
        return QStringLiteral("%1+%2").arg(w->EditHTML->SelStart()).arg(w->EditHTML->SelLength());
    }

private slots:
    void init()
    {
        QVERIFY(dossier.isValid());
        NouveauCadre();
    }

    void cleanup() { FermeCadre(); }

    void recherche_data()
    {
        QTest::addColumn<QByteArray>("texte");
        QTest::addColumn<int>("debut");
        QTest::addColumn<int>("longueur");
        QTest::addColumn<QString>("cherche");
        QTest::addColumn<bool>("casse");
        QTest::addColumn<bool>("motEntier");
        // The selection after each search, the first from the dialog's button, the others with "&Suivant";
        // " !" when the search reported that nothing was found.
        QTest::addColumn<QStringList>("etapes");

        QTest::newRow("trois occurrences tour à tour, puis le message; la dernière reste sélectionnée")
            << QByteArray("un mot, deux mots, trois mot") << 0 << 0 << "mot" << false << false
            << QStringList{"3+3", "13+3", "25+3", "25+3 !"};
        QTest::newRow("occurrence avant le curseur: non trouvée")
            << QByteArray("mot et autre") << 4 << 0 << "mot" << false << false << QStringList{"4+0 !"};
        QTest::newRow("sélection au début d'une occurrence, d'une autre longueur: pas de saut")
            << QByteArray("motif mot") << 0 << 5 << "mot" << false << false << QStringList{"0+3", "6+3"};
        QTest::newRow("sélection plus courte au début d'une occurrence: pas de saut")
            << QByteArray("motif") << 0 << 2 << "mot" << false << false << QStringList{"0+3", "0+3 !"};
        QTest::newRow("occurrences chevauchantes: les deux premières lettres puis les deux dernières")
            << QByteArray("aaa") << 0 << 0 << "aa" << false << false << QStringList{"0+2", "1+2", "1+2 !"};
        QTest::newRow("occurrences chevauchantes de lettres accentuées, en octets")
            << QByteArray("ééé") << 0 << 0 << "éé" << false << false << QStringList{"0+4", "2+4", "2+4 !"};
        QTest::newRow("casse non respectée: des minuscules trouvent les capitales")
            << QByteArray("Le MOT") << 0 << 0 << "mot" << false << false << QStringList{"3+3"};
        QTest::newRow("casse respectée: les capitales ne sont pas trouvées")
            << QByteArray("Le MOT") << 0 << 0 << "mot" << true << false << QStringList{"0+0 !"};
        QTest::newRow("casse non respectée: lettres accentuées capitales trouvées")
            << QByteArray("ÉTÉ été") << 0 << 0 << "été" << false << false << QStringList{"0+5", "6+5", "6+5 !"};
        QTest::newRow("casse respectée: seule l'occurrence de même casse")
            << QByteArray("ÉTÉ été") << 0 << 0 << "été" << true << false << QStringList{"6+5", "6+5 !"};
        QTest::newRow("casse non respectée: chevauchement de capitales et minuscules accentuées")
            << QByteArray("ÉÉé") << 0 << 0 << "éé" << false << false << QStringList{"0+4", "2+4", "2+4 !"};
        QTest::newRow("casse non respectée, mot entier: pas dans un mot accentué plus long")
            << QByteArray("ÉTÉS été") << 0 << 0 << "été" << false << true << QStringList{"7+5", "7+5 !"};
        QTest::newRow("casse non respectée: des octets hors UTF-8 ne correspondent à rien")
            << QByteArray("a\xFF\xC3 ÉTÉ") << 0 << 0 << "été" << false << false << QStringList{"4+5"};
        QTest::newRow("casse non respectée: un caractère coupé en fin de texte")
            << QByteArray("ÉT\xC3") << 0 << 0 << "été" << false << false << QStringList{"0+0 !"};
        QTest::newRow("mot entier: pas à l'intérieur d'un mot plus long")
            << QByteArray("motif remot mot") << 0 << 0 << "mot" << false << true << QStringList{"12+3", "12+3 !"};
        QTest::newRow("mot entier non coché: trouvé dans un mot plus long")
            << QByteArray("motif") << 0 << 0 << "mot" << false << false << QStringList{"0+3"};
        QTest::newRow("mot entier: une lettre accentuée devant fait partie du mot")
            << QByteArray("émot mot") << 0 << 0 << "mot" << false << true << QStringList{"6+3"};
        QTest::newRow("mot entier: une lettre accentuée derrière fait partie du mot")
            << QByteArray("motà mot") << 0 << 0 << "mot" << false << true << QStringList{"6+3"};
        QTest::newRow("mot entier: guillemets français et espace insécable séparent les mots")
            << QByteArray("«mot»\xC2\xA0mot") << 0 << 0 << "mot" << false << true << QStringList{"2+3", "9+3"};
        QTest::newRow("mot entier: une balise sépare les mots")
            << QByteArray("<B>mot</B>") << 0 << 0 << "mot" << false << true << QStringList{"3+3"};
        QTest::newRow("texte absent: message, sélection inchangée")
            << QByteArray("abc") << 1 << 1 << "xyz" << false << false << QStringList{"1+1 !"};
        QTest::newRow("recherche d'un texte sur deux lignes de la sélection vers la fin")
            << QByteArray("a\r\nb a\r\nb") << 1 << 0 << "a" << false << false << QStringList{"5+1", "5+1 !"};
    }

    void recherche()
    {
        QFETCH(QByteArray, texte);
        QFETCH(int, debut);
        QFETCH(int, longueur);
        QFETCH(QString, cherche);
        QFETCH(bool, casse);
        QFETCH(bool, motEntier);
        QFETCH(QStringList, etapes);

        // The bytes go straight into the editor, so that some rows can hold bytes that are not UTF-8.
        TWndHTML *w = Ouvre(Fichier("page.htm", QByteArray()));
        w->EditHTML->Remplace(0, 0, std::string_view(texte.constData(), static_cast<std::size_t>(texte.size())));
        w->EditHTML->Selectionne(debut, longueur);
        w->EditionChercher();
        QVERIFY(Dialogue().isVisible());
        Remplit(cherche, casse, motEntier);

        const QString message = QStringLiteral("Recherche|Texte \"%1\" non trouvé.").arg(cherche);
        for (qsizetype i = 0; i < etapes.size(); ++i) {
            const bool dialogueOuvert = Dialogue().isVisible();
            if (i == 0) {
                CliqueSuivant();
            } else {
                w->EditMenu->aboutToShow();
                QVERIFY(Suivant1(w)->isEnabled());
                Suivant1(w)->trigger();
            }
            const bool echec = etapes[i].endsWith(QLatin1String(" !"));
            QCOMPARE(Selection(w), QString(etapes[i]).remove(QLatin1String(" !")));
            QCOMPARE(script->erreurs, echec ? QStringList{message} : QStringList{});
            // A success closes the dialog, a failure leaves it as it was.
            QCOMPARE(Dialogue().isVisible(), echec && dialogueOuvert);
            script->erreurs.clear();
        }
        QCOMPARE(Texte(w), texte);
    }

    void suivantSansTexte()
    {
        TWndHTML *w = Ouvre(Fichier("page.htm", "mot mot"));
        w->EditHTML->Selectionne(1, 0);
        Suivant1(w)->trigger();
        CliqueSuivant();
        QCOMPARE(Selection(w), QStringLiteral("1+0"));
        QVERIFY(script->erreurs.isEmpty());
    }

    void etatDeSuivant()
    {
        TWndHTML *w = Ouvre(Fichier("page.htm", "mot mot"));
        w->EditMenu->aboutToShow();
        QVERIFY(!Suivant1(w)->isEnabled());
        QVERIFY(!Dialogue().findChild<QPushButton *>("Suivant")->isEnabled());

        // Typing a search text enables "&Suivant" at once, without opening a menu, in every document.
        TWndHTML *autre = Ouvre(Fichier("autre.htm", "mot"));
        autre->EditMenu->aboutToShow();
        Remplit(QStringLiteral("mot"));
        QVERIFY(Suivant1(w)->isEnabled());
        QVERIFY(Suivant1(autre)->isEnabled());
        QVERIFY(Dialogue().findChild<QPushButton *>("Suivant")->isEnabled());

        Remplit(QString());
        QVERIFY(!Suivant1(w)->isEnabled());
        QVERIFY(!Suivant1(autre)->isEnabled());
    }

    void toucheF3()
    {
        // F3 reaches the active document's "&Suivant" through the frame's menu bar.
        TWndHTML *w = Ouvre(Fichier("page.htm", "mot mot"));
        w->EditMenu->aboutToShow();
        Remplit(QStringLiteral("mot"));
        frame->show();
        frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame.get()));
        w->EditHTML->setFocus();
        QTest::keyClick(w->EditHTML, Qt::Key_F3);
        QCOMPARE(Selection(w), QStringLiteral("0+3"));
        QTest::keyClick(w->EditHTML, Qt::Key_F3);
        QCOMPARE(Selection(w), QStringLiteral("4+3"));
        QVERIFY(script->erreurs.isEmpty());
    }

    void texteCommunAuxDocuments()
    {
        TWndHTML *premier = Ouvre(Fichier("premier.htm", "aucun"));
        premier->EditionChercher();
        Remplit(QStringLiteral("MOT"), true, true);
        CliqueSuivant();
        QCOMPARE(script->erreurs.size(), 1);

        // The text and the options typed for the first document serve in the second, with the dialog closed.
        Dialogue().close();
        TWndHTML *second = Ouvre(Fichier("second.htm", "mot MOTS MOT"));
        QCOMPARE(frame->FenetreActive(), second);
        Suivant1(second)->trigger();
        QCOMPARE(Selection(second), QStringLiteral("9+3"));
        QCOMPARE(Selection(premier), QStringLiteral("0+0"));
    }

    void sansDocument()
    {
        frame->show();
        Dialogue().show();
        Remplit(QStringLiteral("mot"));
        CliqueSuivant();
        QVERIFY(script->erreurs.isEmpty());
        QVERIFY(Dialogue().isVisible());
    }
};

QTEST_MAIN(TestChercher)
#include "tst_chercher.moc"
