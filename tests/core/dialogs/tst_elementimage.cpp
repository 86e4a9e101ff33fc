#include "core/dialogs/ElementImage.h"
#include "core/dialogs/TitrePage.h"

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
        const struct {
            const char *nom, *texte;
            int attendu;
        } lignes[] = {
            {"blancs en tête acceptés", "  7", 7}, {"blanc en fin: 0", "7 ", 0}, {"tabulation en tête: 0", "\t7", 0},
            {"signe seul: 0", "-", 0}, {"hexadécimal après $", "$1f", 31}, {"signe devant $", "-$10", -16},
            {"0x non reconnu: 0", "0x10", 0}, {"plus grand entier sur 32 bits", "2147483647", INT_MAX},
            {"un de plus: 0", "2147483648", 0}, {"plus petit entier sur 32 bits", "-2147483648", INT_MIN},
            {"un de moins: 0", "-2147483649", 0},
        };
        for (const auto &l : lignes)
            QTest::newRow(l.nom) << QByteArray(l.texte) << l.attendu;
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
        ligne("fichier vide: SRC vide entre guillemets", {}, "<IMG SRC=\"\">");
        ligne("ordre SRC ALIGN BORDER HSPACE VSPACE WIDTH HEIGHT", {"i.gif", "", "left", "1", "20", "30", "2", "3"},
              "<IMG SRC=\"i.gif\" ALIGN=left BORDER=1 HSPACE=2 VSPACE=3 WIDTH=20 HEIGHT=30>");
        ligne("légende: après l'élément, <P> en fermeture", {.fichier = "a", .legende = "Le été"},
              "<IMG SRC=\"a\">Le été", "<P>");
        ligne("bordure nulle: pas de BORDER", {.fichier = "a", .bordure = "0"}, "<IMG SRC=\"a\">");
        ligne("nombres négatifs ou non numériques: rien", {"a", "", "", "2px", "", "", "-1", "x"}, "<IMG SRC=\"a\">");
        ligne("+5, blanc en tête, $10: en décimal", {.fichier = "a", .bordure = "+5", .hspace = " 4", .vspace = "$10"},
              "<IMG SRC=\"a\" BORDER=5 HSPACE=4 VSPACE=16>");
        ligne("largeur en pourcentage: telle quelle", {.fichier = "a", .largeur = "50%"}, "<IMG SRC=\"a\" WIDTH=50%>");
    }

    void elementImage()
    {
        QFETCH(ChampsImage, champs);
        const TextesImage textes = ElementImage(champs);
        QTEST(QByteArray::fromStdString(textes.ouverture), "ouverture");
        QTEST(QByteArray::fromStdString(textes.fermeture), "fermeture");
    }

    // The page is "/absent/site/index.htm", in no existing folder.
    void fichierImageChoisi_data()
    {
        QTest::addColumn<QByteArray>("image");
        QTest::addColumn<QByteArray>("attendu");
        QTest::newRow("même dossier: le nom seul") << QByteArray("/absent/site/a b.gif") << QByteArray("a b.gif");
        QTest::newRow("sous-dossier") << QByteArray("/absent/site/img/a.gif") << QByteArray("img/a.gif");
        QTest::newRow("dossier parent") << QByteArray("/absent/a.gif") << QByteArray("../a.gif");
        QTest::newRow("sous-dossier nommé « C: »") << QByteArray("/absent/site/C:/a.gif") << QByteArray("C:/a.gif");
    }

    void fichierImageChoisi()
    {
        QFETCH(QByteArray, image);
        QTEST(QByteArray::fromStdString(FichierImageChoisi(image.toStdString(), "/absent/site/index.htm")), "attendu");
    }

    // A file picked on another drive than the page's.
    void imageSurUnAutreLecteur()
    {
        QCOMPARE(QByteArray::fromStdString(ReferenceImage("D:\\i\\a.gif", "D:/i/a.gif")), "file:///D:\\i\\a.gif");
        QCOMPARE(QByteArray::fromStdString(ReferenceImage("C:\\site\\i\\a.gif", "i/a.gif")), "i/a.gif");
    }

    void chercheTitre_data()
    {
        QTest::addColumn<QByteArray>("texte");
        QTest::addColumn<QByteArray>("element");
        const auto ligne = [](const char *nom, const char *texte, const char *element) {
            QTest::newRow(nom) << QByteArray(texte) << QByteArray(element);
        };
        ligne("capitales", "<HEAD><TITLE>Accueil</TITLE></HEAD>", "<TITLE>Accueil</TITLE>");
        ligne("petites lettres", "<head><title>Accueil</title>", "<title>Accueil</title>");
        ligne("titre vide", "x<TITLE></TITLE>", "<TITLE></TITLE>");
        ligne("sans </TITLE>: pas de titre", "<TITLE>Accueil\n</BODY>", "");
        ligne("premier <TITLE> seulement", "<TITLE>a<TITLE>b</TITLE>", "<TITLE>a<TITLE>b</TITLE>");
        ligne("</TITLE> avant <TITLE>: ignoré", "</TITLE><<TITLE>é\r\n</TITLE>x", "<TITLE>é\r\n</TITLE>");
    }

    // The title's bytes, as found, with the tags around them; nothing when there is no title.
    void chercheTitre()
    {
        QFETCH(QByteArray, texte);
        const TitrePage t = ChercheTitre(texte.toStdString());
        QTEST(t.present ? texte.mid(qsizetype(t.debut) - 7, qsizetype(t.fin - t.debut) + 15) : QByteArray(), "element");
    }
};

QTEST_APPLESS_MAIN(TstElementImage)
#include "tst_elementimage.moc"
