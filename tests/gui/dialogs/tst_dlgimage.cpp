#include "CadreDeTest.h"
#include "gui/dialogs/ComboHistorique.h"
#include "gui/dialogs/DlgImage.h"
#include "gui/dialogs/WndTitre.h"

#include <QLineEdit>
#include <QPushButton>

// The image dialog and the page title dialog, driven as a user drives them.
class TestDlgImage : public CadreDeTest {
    Q_OBJECT

    static QByteArray Selection(TWndHTML *w) { return Texte(w).mid(w->EditHTML->SelStart(), w->EditHTML->SelLength()); }

private slots:
    void init() { NouveauCadre(); }
    void cleanup() { FermeCadre(); }

    // OK writes the caption before the selected word and "<P>" after it, the word still selected, and a new
    // alignment joins the list at its end; Annuler then writes nothing and leaves the histories.
    void okPuisAnnuler()
    {
        const QByteArray insere = "Les <IMG SRC=\"a.gif\" ALIGN=center BORDER=2>Étémot<P> ici";
        const QStringList alignements{"bottom", "left", "middle", "right", "top", "center"};
        TWndHTML *w = Ouvre(Fichier("page.htm", "Les mot ici"));
        w->EditHTML->Selectionne(4, 3);
        TDlgInsertionImage &dlg = frame->DlgImage();
        for (const bool ok : {true, false}) {
            Repond([&] {
                dlg.FichierImage->setEditText(ok ? "a.gif" : "b.gif");
                dlg.Legende->setText(QStringLiteral("Été"));
                dlg.Alignement->setEditText(ok ? "center" : "haut");
                dlg.Bordure->setText("2");
            }, ok ? dlg.OkBtn : dlg.CancelBtn);
            frame->InsertionImage();
            QCOMPARE(Texte(w), insere);
            QCOMPARE(Selection(w), QByteArray("mot"));
            QCOMPARE(dlg.FichierImage->Entrees(), QStringList{"a.gif"});
            QCOMPARE(dlg.Alignement->Entrees(), alignements);
        }
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
        QCOMPARE(script->dialogues[2].titre, QStringLiteral("Insertion d'une image GIF ou JPEG..."));
        QCOMPARE(dlg.FichierImage->currentText(), QStringLiteral("images/a.gif"));
        QCOMPARE(dlg.FichierImage->Entrees(), QStringList{"images/a.gif"});
        QCOMPARE(Texte(w), QByteArray("x"));
    }

    void titre_data()
    {
        QTest::addColumn<QByteArray>("texte"); // empty: a new document from the template
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("montre");
        QTest::addColumn<QByteArray>("avant");
        QTest::addColumn<QByteArray>("apres");
        // The title offered is the page's, or "Sans titre": replaced where it stands, or written at the caret.
        QTest::newRow("modèle") << QByteArray() << true << "Sans Titre" << QByteArray("Sans Titre")
                                << QByteArray("Été");
        QTest::newRow("Annuler") << QByteArray() << false << "Sans Titre" << QByteArray() << QByteArray();
        QTest::newRow("pas de titre") << QByteArray("<BODY>x") << true << "Sans titre" << QByteArray("<BODY>")
                                      << QByteArray("<BODY><TITLE>Été</TITLE>");
    }

    // The caret stands before the last character; "Été" is typed. After OK, the caret follows the new title; after
    // Annuler, the old title stays selected.
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
        const QByteArray choisi = ok ? QByteArray() : propose.toUtf8();
        QCOMPARE(Selection(w), choisi);
        QCOMPARE(w->EditHTML->SelStart(), ok ? attendu.indexOf("</TITLE>") : attendu.indexOf(choisi));
    }
};

QTEST_MAIN(TestDlgImage)
#include "tst_dlgimage.moc"
