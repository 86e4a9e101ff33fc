#include "../CadreDeTest.h"
#include "dialogs/ComboHistorique.h"
#include "dialogs/DlgImage.h"
#include "dialogs/WndTitre.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

// The image dialog and the page title dialog, driven as a user drives them.
class TestDlgImage : public CadreDeTest {
    Q_OBJECT

    const QStringList alignements{"bottom", "left", "middle", "right", "top"};

    static QByteArray Selection(TWndHTML *w) { return Texte(w).mid(w->EditHTML->SelStart(), w->EditHTML->SelLength()); }

    // The next showing of the dialog runs `saisie`, then clicks the button.
    template <class Dialogue>
    void Repond(Dialogue &dlg, std::function<void()> saisie, QPushButton *Dialogue::*bouton)
    {
        script->executions << [&dlg, saisie, bouton](QDialog &) {
            saisie();
            (dlg.*bouton)->click();
            return dlg.result();
        };
    }

private slots:
    void init()
    {
        QVERIFY(dossier.isValid());
        NouveauCadre();
    }

    void cleanup() { FermeCadre(); }

    void okInsere_data()
    {
        QTest::addColumn<int>("longueur");
        QTest::addColumn<QString>("legende");
        QTest::addColumn<QByteArray>("attendu");
        QTest::newRow("mot sélectionné et légende: légende devant le mot, <P> après, mot resté sélectionné")
            << 3 << QStringLiteral("Été")
            << QByteArray("Les <IMG SRC=\"img/a.gif\" ALIGN=center BORDER=2>Étémot<P> ici");
        QTest::newRow("sans légende ni sélection: l'élément au curseur")
            << 0 << QString() << QByteArray("Les <IMG SRC=\"img/a.gif\" ALIGN=center BORDER=2>mot ici");
    }

    void okInsere()
    {
        QFETCH(int, longueur);
        QFETCH(QString, legende);
        QFETCH(QByteArray, attendu);
        TWndHTML *w = Ouvre(Fichier("page.htm", "Les mot ici"));
        w->EditHTML->Selectionne(4, longueur);
        TDlgInsertionImage &dlg = frame->DlgImage();
        QCOMPARE(dlg.PageControl->currentWidget(), dlg.Image);
        Repond(dlg, [&] {
            dlg.FichierImage->setEditText("img/a.gif");
            dlg.Legende->setText(legende);
            dlg.Alignement->setEditText("center");
            dlg.Bordure->setText("2");
        }, &TDlgInsertionImage::OkBtn);
        w->InsertionImage();

        QCOMPARE(Texte(w), attendu);
        QCOMPARE(Selection(w), QByteArray("mot").left(longueur));
        QCOMPARE(w->EditHTML->SelStart(), attendu.indexOf("mot"));
        // An alignment typed outside the list joins it at its end.
        QCOMPARE(dlg.FichierImage->Entrees(), QStringList{"img/a.gif"});
        QCOMPARE(dlg.Alignement->Entrees(), alignements + QStringList{"center"});
    }

    void ouvrirImage_data()
    {
        QTest::addColumn<bool>("enregistre");
        QTest::addColumn<QString>("attendu");
        QTest::newRow("page enregistrée, image dans un sous-dossier") << true << "images/a.gif";
        QTest::newRow("document jamais enregistré: relatif au dossier courant") << false << "a.gif";
    }

    void ouvrirImage()
    {
        QFETCH(bool, enregistre);
        QFETCH(QString, attendu);
        if (enregistre)
            Ouvre(Fichier("index.htm", "x"));
        else
            frame->FileNew();
        TWndHTML *w = frame->FenetreActive();
        const QByteArray avant = Texte(w);
        TDlgInsertionImage &dlg = frame->DlgImage();
        // Picked once, then the file dialog is given up: the field and the history keep the first choice.
        script->fichiers << (enregistre ? dossier.path() : QDir::currentPath()) + u'/' + attendu;
        Repond(dlg, [&] {
            dlg.Ouvrir->click();
            dlg.Ouvrir->click();
        }, &TDlgInsertionImage::CancelBtn);
        w->InsertionImage();

        QCOMPARE(script->dialogues.last().titre, QStringLiteral("Insertion d'une image GIF ou JPEG..."));
        QCOMPARE(dlg.FichierImage->currentText(), attendu);
        QCOMPARE(dlg.FichierImage->Entrees(), QStringList{attendu});
        QCOMPARE(Texte(w), avant);
    }

    void annulerPuisReprendre()
    {
        TWndHTML *w = Ouvre(Fichier("page.htm", "texte"));
        TDlgInsertionImage &dlg = frame->DlgImage();
        Repond(dlg, [&] {
            dlg.FichierImage->setEditText("b.gif");
            dlg.Alignement->setEditText("haut");
            dlg.Ancrage->setChecked(true);
            dlg.PageControl->setCurrentWidget(dlg.Taille);
            dlg.Largeur->setText("50%");
        }, &TDlgInsertionImage::CancelBtn);
        w->InsertionImage();
        QCOMPARE(Texte(w), QByteArray("texte"));
        QVERIFY(dlg.FichierImage->Entrees().isEmpty());
        QCOMPARE(dlg.Alignement->Entrees(), alignements);

        // The next use finds the fields, the check box and the page as they were left.
        Repond(dlg, [] {}, &TDlgInsertionImage::OkBtn);
        w->InsertionImage();
        QCOMPARE(dlg.PageControl->currentWidget(), dlg.Taille);
        QVERIFY(dlg.Ancrage->isChecked());
        QCOMPARE(Texte(w), QByteArray("<IMG SRC=\"b.gif\" ALIGN=haut WIDTH=50%>texte"));
    }

    void titre_data()
    {
        QTest::addColumn<QByteArray>("texte");
        QTest::addColumn<QString>("montre");
        QTest::addColumn<QString>("tape");
        QTest::addColumn<QByteArray>("attendu");
        QTest::newRow("titre en petites lettres: remplacé sur place")
            << QByteArray("<title>Vieux</title>x") << "Vieux" << "Été" << QByteArray("<title>Été</title>x");
        QTest::newRow("pas de titre: « Sans titre » proposé, élément écrit au curseur")
            << QByteArray("<BODY>x") << "Sans titre" << "Accueil" << QByteArray("<BODY><TITLE>Accueil</TITLE>x");
        QTest::newRow("<TITLE> sans fermeture: second élément au curseur")
            << QByteArray("<TITLE>a\nx") << "Sans titre" << "t" << QByteArray("<TITLE>a\n<TITLE>t</TITLE>x");
        QTest::newRow("titre vide: champ vide, texte tapé entre les balises")
            << QByteArray("<TITLE></TITLE>x") << "" << "Neuf" << QByteArray("<TITLE>Neuf</TITLE>x");
        QTest::newRow("champ vidé: élément de titre vide")
            << QByteArray("<TITLE>Vieux</TITLE>x") << "Vieux" << "" << QByteArray("<TITLE></TITLE>x");
        QTest::newRow("titre sur deux lignes: proposé et remplacé entier")
            << QByteArray("<TITLE>a\r\nb</TITLE>x") << "a\r\nb" << "c" << QByteArray("<TITLE>c</TITLE>x");
    }

    // The caret stands before the last "x"; after OK it stands after the title's text.
    void titre()
    {
        QFETCH(QByteArray, texte);
        QFETCH(QString, montre);
        QFETCH(QString, tape);
        QFETCH(QByteArray, attendu);
        TWndHTML *w = Ouvre(Fichier("page.htm", texte));
        w->EditHTML->Selectionne(texte.size() - 1, 0);
        TDlgInsertionTitre &dlg = frame->DlgTitre();
        QString propose;
        QByteArray selection;
        Repond(dlg, [&] {
            propose = dlg.Titre->text();
            selection = Selection(w);
            dlg.Titre->setText(tape);
        }, &TDlgInsertionTitre::OKBtn);
        w->InsertionTitre();

        QCOMPARE(propose, montre);
        // A title found is selected while the dialog shows.
        QCOMPARE(selection, montre == QStringLiteral("Sans titre") ? QByteArray() : montre.toUtf8());
        QCOMPARE(Texte(w), attendu);
        QCOMPARE(w->EditHTML->SelStart(), attendu.toUpper().lastIndexOf("</TITLE>"));
        QCOMPARE(w->EditHTML->SelLength(), 0);
        w->EditionDefaire();
        QCOMPARE(Texte(w), texte);
    }

    void titreDuModeleEtAnnuler()
    {
        frame->FileNew();
        TWndHTML *w = frame->FenetreActive();
        const QByteArray modele = Texte(w);
        TDlgInsertionTitre &dlg = frame->DlgTitre();
        QString propose;
        Repond(dlg, [&] {
            propose = dlg.Titre->text();
            dlg.Titre->setText("Neuf");
        }, &TDlgInsertionTitre::CancelBtn);
        w->InsertionTitre();
        QCOMPARE(propose, QStringLiteral("Sans Titre"));
        QCOMPARE(Texte(w), modele);
        QCOMPARE(Selection(w), QByteArray("Sans Titre"));

        Repond(dlg, [&] { dlg.Titre->setText(QStringLiteral("Mon été")); }, &TDlgInsertionTitre::OKBtn);
        w->InsertionTitre();
        QCOMPARE(Texte(w), QByteArray(modele).replace("Sans Titre", "Mon été"));
    }

    // Shown, the dialog has its field focused and the proposed text selected, so that typing replaces it.
    void titreAffiche()
    {
        TDlgInsertionTitre &dlg = frame->DlgTitre();
        dlg.Titre->setText("Sans titre");
        dlg.show();
        QCOMPARE(dlg.focusWidget(), dlg.Titre);
        QCOMPARE(dlg.Titre->selectedText(), QStringLiteral("Sans titre"));
        dlg.hide();
    }
};

QTEST_MAIN(TestDlgImage)
#include "tst_dlgimage.moc"
