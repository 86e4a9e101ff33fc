// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/insertion/ElementImage.h"
#include "core/document/TextPairs.h"
#include "core/insertion/TitrePage.h"
#include "core/verification/Balisage.h"

#include <QtTest>

#include <climits>

Q_DECLARE_METATYPE(ChampsImage)

class TstElementImage : public QObject {
    Q_OBJECT

private slots:
    void litNombre_data()
    {
        QTest::addColumn<QByteArray>("texte");
        QTest::addColumn<int>("attendu");
        const std::pair<const char *, int> lignes[] = {
            {"  7", 7}, {"7 ", 0}, {"\t7", 0}, {"-", 0}, {"+5", 5}, {"$1f", 31}, {"-$10", -16}, {"0x10", 0},
            {"2147483647", INT_MAX}, {"2147483648", 0}, {"-2147483648", INT_MIN}, {"-2147483649", 0},
        };
        for (const auto &[texte, attendu] : lignes)
            QTest::addRow("«%s»", texte) << QByteArray(texte) << attendu;
    }

    void litNombre()
    {
        QFETCH(QByteArray, texte);
        QTEST(LitNombre(texte.toStdString()), "attendu");
    }

    void elementImage_data()
    {
        QTest::addColumn<ChampsImage>("champs");
        QTest::addColumn<QByteArray>("ouverture");
        QTest::addColumn<QByteArray>("fermeture");
        const auto ligne = [](const char *nom, ChampsImage champs, const char *ouverture, const char *fermeture = "") {
            QTest::newRow(nom) << champs << QByteArray(ouverture) << QByteArray(fermeture);
        };
        ligne("fichier vide: SRC et ALT vides entre guillemets", {}, "<IMG SRC=\"\" ALT=\"\">");
        ligne("ordre SRC ALT ALIGN BORDER HSPACE VSPACE WIDTH HEIGHT",
              {"i.gif", "", "left", "1", "20", "30", "2", "3", "Logo"},
              "<IMG SRC=\"i.gif\" ALT=\"Logo\" ALIGN=left BORDER=1 HSPACE=2 VSPACE=3 WIDTH=20 HEIGHT=30>");
        ligne("légende: après l'élément, <P> en fermeture", {.fichier = "a", .legende = "Le été"},
              "<IMG SRC=\"a\" ALT=\"\">Le été", "<P>");
        ligne("nombres nuls, négatifs ou non numériques: rien", {"a", "", "", "0", "", "", "-1", "x"},
              "<IMG SRC=\"a\" ALT=\"\">");
        ligne("largeur en pourcentage: telle quelle", {.fichier = "a", .largeur = "50%"},
              "<IMG SRC=\"a\" ALT=\"\" WIDTH=50%>");
        ligne("texte alternatif: guillemets et & en entités, le reste tel quel",
              {.fichier = "a", .alternatif = "Le \"chat\" & l'été <3 &amp;"},
              "<IMG SRC=\"a\" ALT=\"Le &quot;chat&quot; &amp; l'été <3 &amp;amp;\">");
    }

    void elementImage()
    {
        QFETCH(ChampsImage, champs);
        const TextesImage textes = ElementImage(champs);
        QTEST(QByteArray::fromStdString(textes.ouverture), "ouverture");
        QTEST(QByteArray::fromStdString(textes.fermeture), "fermeture");
    }

    void verificationSansFaute_data()
    {
        QTest::addColumn<ChampsImage>("champs");
        QTest::newRow("image décorative") << ChampsImage{.fichier = "a.png"};
        QTest::newRow("image décrite avec guillemets, légende, taille")
            << ChampsImage{.fichier = "i/a.png", .legende = "Été", .largeur = "50%", .hauteur = "20",
                           .alternatif = "Un \"a\" & un b"};
    }

    // What Balizo writes passes Balizo's own check of the mark-up: a new page with an image written in its body.
    void verificationSansFaute()
    {
        QFETCH(ChampsImage, champs);
        const PaireTextes &modele = TextPairs[PaireModele];
        const TextesImage image = ElementImage(champs);
        std::string page = std::string(modele.ouverture) + image.ouverture + "mot" + image.fermeture + "suite";
        page += modele.fermeture;
        QStringList problemes;
        for (const Probleme &p : VerifieBalisage(page))
            problemes << QString::fromStdString(p.message);
        QCOMPARE(problemes.join(u'\n'), QString());
    }

    // The page is "/absent/site/index.htm", in no existing folder; a file on another drive is a URL.
    void referenceImage()
    {
        QCOMPARE(FichierImageChoisi("/absent/a b.gif", "/absent/site/index.htm"), std::string("../a b.gif"));
        QCOMPARE(FichierImageChoisi("/absent/site/C:/a.gif", "/absent/site/index.htm"), std::string("C:/a.gif"));
        QCOMPARE(ReferenceImage("D:\\i\\a.gif", "D:/i/a.gif"), std::string("file:///D:\\i\\a.gif"));
        QCOMPARE(ReferenceImage("C:\\site\\i\\a.gif", "i/a.gif"), std::string("i/a.gif"));
    }

    // The title's bytes, as found, with the tags around them; nothing when there is no title.
    void chercheTitre()
    {
        const auto titre = [](const QByteArray &texte) {
            const TitrePage t = ChercheTitre(texte.toStdString());
            return t.present ? texte.mid(qsizetype(t.debut) - 7, qsizetype(t.fin - t.debut) + 15) : QByteArray("-");
        };
        QCOMPARE(titre("<head><title>Accueil</title>"), QByteArray("<title>Accueil</title>"));
        QCOMPARE(titre("<TITLE>Accueil\n</BODY>"), QByteArray("-"));
        QCOMPARE(titre("<TITLE>a<TITLE>b</TITLE>"), QByteArray("<TITLE>a<TITLE>b</TITLE>"));
        QCOMPARE(titre("</TITLE><<TITLE>é\r\n</TITLE>x"), QByteArray("<TITLE>é\r\n</TITLE>"));
    }
};

QTEST_APPLESS_MAIN(TstElementImage)
#include "tst_elementimage.moc"
