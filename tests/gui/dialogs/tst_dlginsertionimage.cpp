// SPDX-License-Identifier: GPL-3.0-or-later
#include "CadreDeTest.h"
#include "gui/dialogs/ComboHistorique.h"
#include "gui/dialogs/DlgInsertionImage.h"
#include "gui/dialogs/DlgInsertionTitre.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QLineEdit>
#include <QPushButton>

// The image dialog and the page title dialog, driven as a user drives them.
class TestDlgImage : public CadreDeTest {
    Q_OBJECT

    static QByteArray Selection(TWndHTML *w) { return Texte(w).mid(w->EditHTML->SelStart(), w->EditHTML->SelLength()); }

    // The edit line of the named field of the dialog.
    static QLineEdit *Ligne(const QObject &d, const char *nom)
    {
        auto *champ = d.findChild<QWidget *>(nom);
        auto *ligne = qobject_cast<QLineEdit *>(champ);
        return ligne ? ligne : champ->findChild<QLineEdit *>();
    }
    static auto Historique(const QObject &d, const char *n) { return d.findChild<TComboHistorique *>(n)->Entrees(); }
    static QPushButton *Bouton(const QObject &d, const char *nom) { return d.findChild<QPushButton *>(nom); }

private slots:
    void init() { NouveauCadre(); }
    void cleanup() { FermeCadre(); }

    // OK writes the caption before the selected word and "<P>" after it, the word still selected, and a new
    // alignment and alternative text join their lists at the end; Annuler then writes nothing and leaves the
    // histories.
    void okPuisAnnuler()
    {
        const QByteArray insere =
            "Les <IMG SRC=\"a.gif\" ALT=\"&quot;Ça&quot;\" ALIGN=center BORDER=2 HSPACE=3 VSPACE=4 WIDTH=1 HEIGHT=2>"
            "Étémot<P> ici";
        const QStringList alignements{"bottom", "left", "middle", "right", "top", "center"};
        TWndHTML *w = Ouvre(Fichier("page.htm", "Les mot ici"));
        w->EditHTML->Selectionne(4, 3);
        TDlgInsertionImage &dlg = frame->DlgImage();
        for (const bool ok : {true, false}) {
            Repond([&] {
                Ligne(dlg, "FichierImage")->setText(ok ? "a.gif" : "b.gif");
                Ligne(dlg, "Alternatif")->setText(ok ? QStringLiteral("\"Ça\"") : QStringLiteral("Autre"));
                Ligne(dlg, "Legende")->setText(QStringLiteral("Été"));
                Ligne(dlg, "Alignement")->setText(ok ? "center" : "haut");
                Ligne(dlg, "Bordure")->setText("2");
                int i = 0;
                for (const char *nombre : {"Largeur", "Hauteur", "EcartHorizontal", "EcartVertical"})
                    Ligne(dlg, nombre)->setText(QString::number(++i));
            }, Bouton(dlg, ok ? "OK" : "Annuler"));
            frame->InsertionImage();
            QCOMPARE(Texte(w), insere);
            QCOMPARE(Selection(w), QByteArray("mot"));
            QCOMPARE(Historique(dlg, "FichierImage"), QStringList{"a.gif"});
            QCOMPARE(Historique(dlg, "Alternatif"), QStringList{QStringLiteral("\"Ça\"")});
            QCOMPARE(Historique(dlg, "Alignement"), alignements);
        }
    }

    void choixDUneImage_data()
    {
        const auto image = [](int largeur, int hauteur, const char *format) {
            QBuffer octets;
            octets.open(QIODevice::WriteOnly);
            QImage(largeur, hauteur, QImage::Format_RGB32).save(&octets, format);
            return octets.data();
        };
        const bool svg = QImageReader::supportedImageFormats().contains("svg");
        QTest::addColumn<QString>("nom");
        QTest::addColumn<QByteArray>("contenu");
        QTest::addColumn<QString>("largeur");
        QTest::addColumn<QString>("hauteur");
        // The fields hold 50% and 9 before the picture is picked.
        QTest::newRow("JPEG nommé .gif: lu sur son contenu") << "b.gif" << image(1, 1000, "JPG") << "1" << "1000";
        QTest::newRow("SVG") << "c.svg"
                             << QByteArray("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"40\" height=\"30\"/>")
                             << (svg ? "40" : "50%") << (svg ? "30" : "9");
        QTest::newRow("PNG tronqué: rien") << "d.png" << image(300, 20, "PNG").left(12) << "50%" << "9";
        QTest::newRow("absent: rien") << "" << QByteArray() << "50%" << "9";
    }

    // A picture picked, then the file dialog given up: the field and its history keep the picture, relative to the
    // page; its width and height are proposed, unless its file tells no size, which changes nothing and says
    // nothing. The file dialog opens first in the page's folder, then where the picture was picked, and offers
    // first every picture a browser shows.
    void choixDUneImage()
    {
        QFETCH(QString, nom);
        QFETCH(QByteArray, contenu);
        Ouvre(Fichier("index.htm", "x"));
        const QString image = nom.isEmpty() ? dossier.filePath("absente.png") : Fichier(nom, contenu);
        TDlgInsertionImage &dlg = frame->DlgImage();
        Ligne(dlg, "Largeur")->setText("50%");
        Ligne(dlg, "Hauteur")->setText("9");
        script->fichiers << image;
        Repond([&] {
            Bouton(dlg, "Ouvrir")->click();
            Bouton(dlg, "Ouvrir")->click();
        }, Bouton(dlg, "Annuler"));
        frame->InsertionImage();
        QTEST(Ligne(dlg, "Largeur")->text(), "largeur");
        QTEST(Ligne(dlg, "Hauteur")->text(), "hauteur");
        QCOMPARE(script->erreurs, QStringList());
        QCOMPARE(Ligne(dlg, "FichierImage")->text(), QFileInfo(image).fileName());
        QCOMPARE(Historique(dlg, "FichierImage"), QStringList{QFileInfo(image).fileName()});
        QCOMPARE(script->dialogues.size(), 3);
        QCOMPARE(script->dialogues[1].nomPropose, QFileInfo(dossier.path()).absoluteFilePath());
        QCOMPARE(script->dialogues[2].nomPropose, image);
        QCOMPARE(script->dialogues[2].filtre.section(u'|', 1, 1).split(u';'),
                 (QStringList{"*.gif", "*.jpg", "*.jpeg", "*.png", "*.webp", "*.svg"}));
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
        TWndHTML *w = texte.isEmpty() ? (frame->FileNew(), frame->FenetreActive()) : Ouvre(Fichier("page.htm", texte));
        texte = Texte(w);
        w->EditHTML->Selectionne(texte.size() - 1, 0);
        TDlgInsertionTitre &dlg = frame->DlgTitre();
        QString propose;
        Repond([&] {
            propose = Ligne(dlg, "Titre")->text();
            Ligne(dlg, "Titre")->setText(QStringLiteral("Été"));
        }, Bouton(dlg, ok ? "OK" : "Annuler"));
        frame->InsertionTitre();
        QTEST(propose, "montre");
        QFETCH(QByteArray, avant);
        QFETCH(QByteArray, apres);
        const QByteArray attendu = texte.replace(avant, apres);
        QCOMPARE(Texte(w), attendu);
        const QByteArray choisi = ok ? QByteArray() : propose.toUtf8();
        QCOMPARE(Selection(w), choisi);
        QCOMPARE(w->EditHTML->SelStart(), ok ? attendu.indexOf("</TITLE>") : attendu.indexOf(choisi));
    }
};

QTEST_MAIN(TestDlgImage)
#include "tst_dlginsertionimage.moc"
