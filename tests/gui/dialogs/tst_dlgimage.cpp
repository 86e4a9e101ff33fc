#include "CadreDeTest.h"
#include "gui/dialogs/ComboHistorique.h"
#include "gui/dialogs/DlgImage.h"
#include "gui/dialogs/WndTitre.h"

#include <QLineEdit>
#include <QPushButton>

// The image dialog and the page title dialog, driven as a user drives them.
class TestDlgImage : public CadreDeTest {
    Q_OBJECT

    const QStringList alignements{"bottom", "left", "middle", "right", "top"};

    static QByteArray Selection(TWndHTML *w) { return Texte(w).mid(w->EditHTML->SelStart(), w->EditHTML->SelLength()); }

private slots:
    void init() { NouveauCadre(); }

    void cleanup() { FermeCadre(); }

    // OK: the caption before the selected word, "<P>" after it, the word still selected.
    void okPuisAnnuler()
    {
        const QByteArray insere = "Les <IMG SRC=\"a.gif\" ALIGN=center BORDER=2>Étémot<P> ici";
        TWndHTML *w = Ouvre(Fichier("page.htm", "Les mot ici"));
        w->EditHTML->Selectionne(4, 3);
        TDlgInsertionImage &dlg = frame->DlgImage();
        Repond([&] {
            dlg.FichierImage->setEditText("a.gif");
            dlg.Legende->setText(QStringLiteral("Été"));
            dlg.Alignement->setEditText("center");
            dlg.Bordure->setText("2");
        }, dlg.OkBtn);
        frame->InsertionImage();
        QCOMPARE(Texte(w), insere);
        QCOMPARE(Selection(w), QByteArray("mot"));
        // A new alignment joins the list at its end.
        QCOMPARE(dlg.Alignement->Entrees(), alignements + QStringList{"center"});

        // Annuler then writes nothing and leaves the histories.
        Repond([&] {
            dlg.FichierImage->setEditText("b.gif");
            dlg.Alignement->setEditText("haut");
        }, dlg.CancelBtn);
        frame->InsertionImage();
        QCOMPARE(Texte(w), insere);
        QCOMPARE(dlg.FichierImage->Entrees(), QStringList{"a.gif"});
        QCOMPARE(dlg.Alignement->Entrees(), alignements + QStringList{"center"});
    }

    // Picked once, then the file dialog is given up: the field and the history keep the first choice, and the
    // dialog, opened first in the page's folder, comes back to the image picked.
    void ouvrirImage()
    {
        TWndHTML *w = Ouvre(Fichier("index.htm", "x"));
        TDlgInsertionImage &dlg = frame->DlgImage();
        script->fichiers << dossier.filePath("images/a.gif");
        Repond([&] {
            dlg.Ouvrir->click();
            dlg.Ouvrir->click();
        }, dlg.CancelBtn);
        frame->InsertionImage();
        QCOMPARE(script->dialogues.size(), 3);
        QCOMPARE(script->dialogues[1].nomPropose, QFileInfo(dossier.path()).absoluteFilePath());
        QCOMPARE(script->dialogues[2].nomPropose, dossier.filePath("images/a.gif"));
        QCOMPARE(script->dialogues.last().titre, QStringLiteral("Insertion d'une image GIF ou JPEG..."));
        QCOMPARE(dlg.FichierImage->currentText(), QStringLiteral("images/a.gif"));
        QCOMPARE(dlg.FichierImage->Entrees(), QStringList{"images/a.gif"});
        QCOMPARE(Texte(w), QByteArray("x"));
    }

    void titre_data()
    {
        QTest::addColumn<QByteArray>("texte");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("montre");
        QTest::addColumn<QByteArray>("avant");
        QTest::addColumn<QByteArray>("apres");
        QTest::newRow("modèle d'un nouveau document: « Sans Titre » proposé, remplacé sur place")
            << QByteArray() << true << "Sans Titre" << QByteArray("Sans Titre") << QByteArray("Été");
        QTest::newRow("Annuler: rien d'écrit, l'ancien titre reste sélectionné")
            << QByteArray() << false << "Sans Titre" << QByteArray() << QByteArray();
        QTest::newRow("pas de titre: « Sans titre » proposé, élément écrit au curseur") << QByteArray("<BODY>x") << true
            << "Sans titre" << QByteArray("<BODY>") << QByteArray("<BODY><TITLE>Été</TITLE>");
    }

    // Without text, a new document from the template; the caret stands before the last character; "Été" is typed.
    void titre()
    {
        QFETCH(QByteArray, texte);
        QFETCH(bool, ok);
        QFETCH(QByteArray, avant);
        QFETCH(QByteArray, apres);
        if (texte.isEmpty())
            frame->FileNew();
        TWndHTML *w = texte.isEmpty() ? frame->FenetreActive() : Ouvre(Fichier("page.htm", texte));
        texte = Texte(w);
        w->EditHTML->Selectionne(texte.size() - 1, 0);
        TDlgInsertionTitre &dlg = frame->DlgTitre();
        QString propose;
        Repond([&] {
            propose = dlg.Titre->text();
            dlg.Titre->setText(QStringLiteral("Été"));
        }, ok ? dlg.OKBtn : dlg.CancelBtn);
        frame->InsertionTitre();
        QTEST(propose, "montre");
        const QByteArray attendu = texte.replace(avant, apres);
        QCOMPARE(Texte(w), attendu);
        // After OK, the caret follows the new title; after Annuler, the old title stays selected.
        const QByteArray choisi = ok ? QByteArray() : propose.toUtf8();
        QCOMPARE(Selection(w), choisi);
        QCOMPARE(w->EditHTML->SelStart(), ok ? attendu.indexOf("</TITLE>") : attendu.indexOf(choisi));
    }
};

QTEST_MAIN(TestDlgImage)
#include "tst_dlgimage.moc"
