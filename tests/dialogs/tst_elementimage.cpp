#include "dialogs/ElementImage.h"
#include "dialogs/TitrePage.h"

#include <QTemporaryDir>
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
            {"vide: 0", "", 0},
            {"blancs en tête acceptés", "  7", 7},
            {"blanc en fin: 0", "7 ", 0},
            {"tabulation en tête: 0", "\t7", 0},
            {"signe seul: 0", "-", 0},
            {"hexadécimal après $, petites lettres", "$1f", 31},
            {"$ seul: 0", "$", 0},
            {"signe devant $", "-$10", -16},
            {"0x non reconnu: 0", "0x10", 0},
            {"plus grand entier sur 32 bits", "2147483647", INT_MAX},
            {"un de plus: 0", "2147483648", 0},
            {"plus petit entier sur 32 bits", "-2147483648", INT_MIN},
            {"$80000000 hors limites: 0", "$80000000", 0},
            {"vingt chiffres: 0", "99999999999999999999", 0},
        };
        for (const auto &l : lignes)
            QTest::newRow(l.nom) << QByteArray(l.texte) << l.attendu;
    }

    void litNombre()
    {
        QFETCH(QByteArray, texte);
        QFETCH(int, attendu);
        QCOMPARE(LitNombre(texte.toStdString()), attendu);
    }

    void elementImage_data()
    {
        QTest::addColumn<ChampsImage>("champs");
        QTest::addColumn<QByteArray>("ouverture");
        QTest::addColumn<QByteArray>("fermeture");
        const auto ligne = [](const char *nom, ChampsImage champs, const char *ouverture, const char *fermeture = "") {
            QTest::newRow(nom) << champs << QByteArray(ouverture) << QByteArray(fermeture);
        };
        ligne("fichier seul: SRC seul", {.fichier = "a.gif"}, "<IMG SRC=\"a.gif\">");
        ligne("fichier vide: SRC vide entre guillemets", {}, "<IMG SRC=\"\">");
        ligne("ordre SRC ALIGN BORDER HSPACE VSPACE WIDTH HEIGHT", {"i.gif", "", "left", "1", "20", "30", "2", "3"},
              "<IMG SRC=\"i.gif\" ALIGN=left BORDER=1 HSPACE=2 VSPACE=3 WIDTH=20 HEIGHT=30>");
        ligne("légende: après l'élément, <P> en fermeture", {.fichier = "a", .legende = "Le été"},
              "<IMG SRC=\"a\">Le été", "<P>");
        ligne("bordure nulle: pas de BORDER", {.fichier = "a", .bordure = "0"}, "<IMG SRC=\"a\">");
        ligne("bordure négative: pas de BORDER", {.fichier = "a", .bordure = "-3"}, "<IMG SRC=\"a\">");
        ligne("bordure non numérique, écarts aussi: rien", {"a", "", "", "2px", "", "", "x", "-1"}, "<IMG SRC=\"a\">");
        ligne("bordure précédée d'un blanc: acceptée", {.fichier = "a", .bordure = " 2"}, "<IMG SRC=\"a\" BORDER=2>");
        ligne("+5 et $10: écrits en décimal sans signe", {.fichier = "a", .bordure = "+5", .vspace = "$10"},
              "<IMG SRC=\"a\" BORDER=5 VSPACE=16>");
        ligne("largeur en pourcentage: telle quelle, sans guillemets", {.fichier = "a", .largeur = "50%"},
              "<IMG SRC=\"a\" WIDTH=50%>");
    }

    void elementImage()
    {
        QFETCH(ChampsImage, champs);
        QFETCH(QByteArray, ouverture);
        QFETCH(QByteArray, fermeture);
        const TextesImage textes = ElementImage(champs);
        QCOMPARE(QByteArray::fromStdString(textes.ouverture), ouverture);
        QCOMPARE(QByteArray::fromStdString(textes.fermeture), fermeture);
    }

    void referenceImage_data()
    {
        QTest::addColumn<QByteArray>("choisi");
        QTest::addColumn<QByteArray>("relatif");
        QTest::addColumn<QByteArray>("attendu");
        QTest::newRow("autre lecteur: file:/// et le nom choisi, barres inverses comprises")
            << QByteArray("D:\\img\\a.gif") << QByteArray("D:/img/a.gif") << QByteArray("file:///D:\\img\\a.gif");
        QTest::newRow("même lecteur: chemin relatif")
            << QByteArray("C:\\site\\img\\a.gif") << QByteArray("img/a.gif") << QByteArray("img/a.gif");
        QTest::newRow("dossier nommé « C: » à côté de la page: chemin relatif gardé")
            << QByteArray("/site/C:/a.gif") << QByteArray("C:/a.gif") << QByteArray("C:/a.gif");
    }

    void referenceImage()
    {
        QFETCH(QByteArray, choisi);
        QFETCH(QByteArray, relatif);
        QFETCH(QByteArray, attendu);
        QCOMPARE(QByteArray::fromStdString(ReferenceImage(choisi.toStdString(), relatif.toStdString())), attendu);
    }

    // The picked file and the page "site/index.htm", in a temporary folder.
    void fichierImageChoisi_data()
    {
        QTest::addColumn<QString>("image");
        QTest::addColumn<QByteArray>("attendu");
        QTest::newRow("même dossier: le nom seul") << "site/a b.gif" << QByteArray("a b.gif");
        QTest::newRow("sous-dossier: dossier, barre et nom") << "site/img/a.gif" << QByteArray("img/a.gif");
        QTest::newRow("dossier parent: .., barre et nom") << "a.gif" << QByteArray("../a.gif");
        QTest::newRow("sous-dossier nommé « C: »: relatif") << "site/C:/a.gif" << QByteArray("C:/a.gif");
    }

    void fichierImageChoisi()
    {
        QFETCH(QString, image);
        QFETCH(QByteArray, attendu);
        QTemporaryDir dossier;
        QVERIFY(QDir(dossier.path()).mkpath("site/img"));
        const auto octets = [&](const QString &nom) { return QFile::encodeName(dossier.filePath(nom)).toStdString(); };
        QCOMPARE(QByteArray::fromStdString(FichierImageChoisi(octets(image), octets("site/index.htm"))), attendu);
    }

    // The title's text is given by its first byte and its bytes.
    void chercheTitre_data()
    {
        QTest::addColumn<QByteArray>("texte");
        QTest::addColumn<bool>("present");
        QTest::addColumn<int>("debut");
        QTest::addColumn<QByteArray>("titre");
        const auto ligne = [](const char *nom, const char *texte, bool present, int debut = 0, const char *titre = "") {
            QTest::newRow(nom) << QByteArray(texte) << present << debut << QByteArray(titre);
        };
        ligne("capitales", "<HEAD><TITLE>Accueil</TITLE>", true, 13, "Accueil");
        ligne("petites lettres", "<head><title>Accueil</title>", true, 13, "Accueil");
        ligne("titre vide", "<TITLE></TITLE>", true, 7, "");
        ligne("sans </TITLE>: pas de titre", "<TITLE>Accueil\n</BODY>", false);
        ligne("titre dans un commentaire: compté", "<!-- <TITLE>a</TITLE> --><TITLE>b</TITLE>", true, 12, "a");
        ligne("premier <TITLE> seulement", "<TITLE>a<TITLE>b</TITLE>", true, 7, "a<TITLE>b");
        ligne("</TITLE> avant <TITLE>: ignoré", "</TITLE><<TITLE>x</TITLE>", true, 16, "x");
        ligne("<TITLE> avec attribut ou blanc: pas de titre", "<TITLE lang=fr>x</TITLE><TITLE >y</TITLE>", false);
        ligne("positions en octets: accents et CR LF", "é\r\n<TITLE>è\r\n</TITLE>", true, 11, "è\r\n");
    }

    void chercheTitre()
    {
        QFETCH(QByteArray, texte);
        QFETCH(bool, present);
        QFETCH(int, debut);
        QFETCH(QByteArray, titre);
        const TitrePage trouve = ChercheTitre(texte.toStdString());
        QCOMPARE(trouve.present, present);
        QCOMPARE(int(trouve.debut), debut);
        QCOMPARE(texte.mid(qsizetype(trouve.debut), qsizetype(trouve.fin - trouve.debut)), titre);
    }
};

QTEST_APPLESS_MAIN(TstElementImage)
#include "tst_elementimage.moc"
