// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/verification/Liens.h"

#include "core/texte/Encodage.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>

// The messages that the rows expect most often, their blanks filled by arg().
static const QString Absent = "Lien: Le fichier « %1 » n'existe pas.";
static const QString AbsentDuSite = "Lien: Le fichier « %1 » n'existe pas dans le dossier du site.";
static const QString SansAncre = "Lien: L'ancre « %1 » n'existe pas dans cette page.";
static const QString SansAncreDans = "Lien: L'ancre « %1 » n'existe pas dans « %2 ».";
static const QString Casse = "Lien: « %1 » n'existe qu'avec une autre casse sur le disque : « %2 » ; le lien échouera "
                             "sur le serveur.";
static const QString SansIndex = "Lien: Le dossier « %1 » n'a pas de page index.html ni index.htm : un serveur web "
                                 "répondra par une erreur (403) ou par la liste de ses fichiers.";
static const QString SansCarte = "Lien: La carte « %1 » n'existe pas dans cette page : aucun élément MAP n'a ce NAME "
                                 "ni cet ID.";
static const QString DepuisBase = " Lien « %1 » lu depuis la base « %2 ».";
static const QString AbsentDeFeuille =
    "Lien: Feuille de style « %1 », ligne %2, « %3 » : Le fichier « %3 » n'existe pas%4";
static const QString Sortie = "Lien: Le lien sort du dossier du site (« @ ») : il ne marchera pas sur le serveur.";
static const QString Absolu = "Lien: Chemin absolu vers un fichier local : le lien ne marchera pas sur le serveur.";
static const QString Externe = "Non vérifié (autre site): Lien vers un autre site, non vérifié : ";

// A row of the page's check: its text, its problems, and where the page stands in the site.
static void Ligne(const char *nom, const QString &page, const QStringList &attendu = {},
                  const char *chemin = "index.htm")
{
    QTest::newRow(nom) << page << attendu << QString(chemin);
}

// The page that the rows of the base read from, beside autre.htm; img/ has no index page.
static const char *const Base = "pages/base.htm";

// In the rows, "@" stands for the site's folder, "^" for the climb from it to the root of the disk.
class TstLiens : public QObject {
    Q_OBJECT

    QTemporaryDir temporaire;
    QString site;
    // What the rows read of the site, kept from one row to the next as a check of many pages keeps it.
    LecturesDuSite lues;

    bool Cree(const QString &nom, const QByteArray &contenu = {}) const
    {
        const QString chemin = site + '/' + nom;
        QFile fichier(chemin);
        return QDir().mkpath(QFileInfo(chemin).path()) && fichier.open(QIODevice::WriteOnly) &&
               fichier.write(contenu) == contenu.size();
    }

private slots:
    void initTestCase()
    {
        site = QDir(temporaire.path()).canonicalPath() + "/site";
        QVERIFY(Cree("index.htm") && Cree("img/logo.png") && Cree("img/Photo.JPG") && Cree("pages/mon fichier.htm") &&
                Cree("\xC3\xA9t\xC3\xA9.htm") && Cree("pages/base.htm"));
        // Folders: with an index.html, with an index.htm only, with an index that a server does not take for one.
        QVERIFY(Cree("docs/index.html", "<h2 id=partie></h2>") && Cree("archives/index.htm", "<a name=bas></a>") &&
                Cree("vrac/Index.html") && Cree("vrac/liste.htm"));
        // A name that is not UTF-8, as a page saved by an old system names its file.
        QVERIFY(std::ofstream((site + "/latin").toStdString() + "\xE9.htm").good());
        // The anchor after another attribute is one that a plain search for "<A NAME=" misses.
        QVERIFY(Cree("pages/autre.htm", "<a name=\"haut\"></a><h2 id=\"Suite\">x</h2><a id=\"y\" name=\"bas\"></a>"));
        QVERIFY(Cree("ouverte.htm", "<p>as saved</p>"));
        // Style sheets that import each other, their addresses read from their own folder.
        QVERIFY(Cree("css/style.css", "@import \"autre.css\";\nbody { background: url(../img/logo.png) }\n"
                                      ".x { background: url( \"../img/absente.png\" ) }\n.y { filter: url(#f) }"));
        QVERIFY(Cree("css/autre.css", "p { background: url(/img/manque.gif) }\n@import url(style.css);"));
        QVERIFY(Cree("ouverte.css") && Cree("../hors-site.css", "p { background: url(x.png) }"));
        // Beside the site, and what no page should lead to: a named pipe, a device, symbolic links that lead
        // nowhere or out of the site.
        QVERIFY(Cree("../hors-site.htm", "<a name=x></a>") && Cree("../site2/page.htm", "<a name=x></a>"));
        QCOMPARE(mkfifo(QFile::encodeName(site + "/tube.htm").constData(), 0600), 0);
        QVERIFY(QFile::link("boucle.htm", site + "/boucle.htm") && QFile::link("absente.htm", site + "/perdu.htm") &&
                QFile::link("/dev/zero", site + "/zero.htm") && QFile::link("../hors-site.htm", site + "/ailleurs.htm") &&
                QFile::link("../hors-site.css", site + "/ailleurs.css") && QFile::link("../site2/page.htm", site + "/voisin.htm"));
        // A page of gigabytes, all but its ends a hole in the file, with an anchor at each end.
        QFile grande(site + "/grande.htm");
        const qint64 taille = qint64(TailleMaximaleCible) * 40;
        QVERIFY(grande.open(QIODevice::WriteOnly) && grande.write("<a name=debut></a>") > 0 && grande.seek(taille - 20) &&
                grande.write("<a name=fin></a>") > 0);
        QFile feuille(site + "/grande.css");
        QVERIFY(feuille.open(QIODevice::WriteOnly) && feuille.write("p { background: url(debut.png) }\n") > 0 &&
                feuille.seek(qint64(TailleMaximaleCible) - 30) &&
                feuille.write("\np { background: url(coupee-par-la-limite.png) }") > 0);
    }

    // A name that is not UTF-8 is one that QTemporaryDir cannot remove.
    void cleanupTestCase() { QVERIFY(std::filesystem::remove((site + "/latin").toStdString() + "\xE9.htm")); }

    // Each value as written, between its offsets, then as read.
    void liste_data()
    {
        QTest::addColumn<bool>("feuille");
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<QByteArrayList>("attendu");
        const auto ligne = [](const char *nom, const char *page, const QByteArrayList &attendu) {
            QTest::newRow(nom) << QByteArray(nom).startsWith("feuille:") << QByteArray(page) << attendu;
        };
        ligne("guillemets, apostrophes, sans rien, toute casse",
              "<A HREF=\"a.htm\"><img SRC='b c.png' alt=x><Link Href=d.css>",
              {"a.htm|a.htm", "b c.png|b c.png", "d.css|d.css"});
        ligne("entités lues, inconnues gardées",
              "<a href=\"?a=1&amp;b=&eacute;&#233;&#xE9;&#38&amp\"><a href=\"&alpha;&x;\">",
              {"?a=1&amp;b=&eacute;&#233;&#xE9;&#38&amp|?a=1&b=\xC3\xA9\xC3\xA9\xC3\xA9&&amp", "&alpha;&x;|&alpha;&x;"});
        ligne("espaces autour du égal, '>' entre guillemets, attribut voisin",
              "<a data-href=x title=\"a>b\" href = \"c.htm\">", {"c.htm|c.htm"});
        ligne("commentaires, scripts, styles, textarea, fin de balise",
              "<!-- <a href=a> --><!--><a href=b><script src=c.js>var s = '<img src=d>';</script >"
              "<STYLE>/* <a href=i> */</style><a href=e></a href=f><textarea><a href=g></textarea><?x <a href=h>?>",
              {"b|b", "c.js|c.js", "e|e"});
        ligne("liens de noscript suivis, pas ceux de noembed ni de noframes",
              "<noscript><a href=a></noscript><noembed><a href=b></noembed><noframes><a href=c></noframes>", {"a|a"});
        ligne("guillemet jamais fermé", "<a href=x><a href=\"y>", {"x|x"});
        ligne("commentaire fini par --!>, section CDATA, script dans l'échappement d'un script",
              "<!-- --!><a href=a><![CDATA[ > <a href=b> ]]><script><!--<script></script><a href=c>-->"
              "</script><a href=d>", {"a|a", "d|d"});
        ligne("srcset: chaque adresse, sans ses descripteurs ni les virgules qui la finissent",
              "<img srcset=\"a.png 1x, b,c.png 2x,d.png,, e.png (x, y) 480w,f.png\">",
              {"a.png|a.png", "b,c.png|b,c.png", "d.png|d.png", "e.png|e.png", "f.png|f.png"});
        ligne("srcset: entités lues, SOURCE, ailleurs rien",
              "<SOURCE SRCSET='a&amp;b.png&#32;1x,&#32;&eacute;.png'><div srcset=x.png>",
              {"a&amp;b.png|a&b.png", "&eacute;.png|\xC3\xA9.png"});
        ligne("background de tout élément, data d'OBJECT, poster de VIDEO, image de formulaire",
              "<body background=a.gif><td BACKGROUND='b.gif'><object data=c.swf><video poster=d.jpg>"
              "<input type=image src=e.png><div data=x poster=y>",
              {"a.gif|a.gif", "b.gif|b.gif", "c.swf|c.swf", "d.jpg|d.jpg", "e.png|e.png"});
        ligne("carte d'image, feuilles de style: REL en toute casse, après HREF, parmi d'autres mots",
              "<img usemap=\"#c\"><link href=a.css rel=\"Alternate StyleSheet\"><link rel=icon href=b.ico>"
              "<link rel=stylesheet href=c.css>",
              {"#c|#c|Carte", "a.css|a.css|Feuille", "b.ico|b.ico", "c.css|c.css|Feuille"});
        ligne("url() d'un attribut style: entités et échappements CSS lus, à leur place",
              "<p style=\"background:url(&quot;a b.png&quot;); list-style: url( c\\29 d.png )\">",
              {"a b.png|a b.png", "c\\29 d.png|c)d.png"});
        ligne("élément style: url() et @import, pas ses commentaires",
              "<style>@import \"a.css\"; /* url(x.png) */ p { background: url('c.png') }</style>",
              {"a.css|a.css|Feuille", "c.png|c.png"});
        ligne("feuille: url() sans guillemets, blancs autour, toute casse", "a { b: URL(  x.png  ) }", {"x.png|x.png"});
        ligne("feuille: échappements: hexadécimal et son blanc, caractère, fin de ligne dans une chaîne",
              "a { b: url(a\\20 b\\).png); c: url(\"d\\\ne.png\") }", {"a\\20 b\\).png|a b).png", "d\\\ne.png|de.png"});
        ligne("feuille: url() que le navigateur rejette: blanc, guillemet ou parenthèse dedans",
              "a { b: url(a b); c: url(a\"b); d: url(a(b); e: url(ok.png) }", {"ok.png|ok.png"});
        ligne("feuille: pas des url(): autre fonction, chaîne, commentaire",
              "a { b: myurl(x.png); c: \"url(y.png)\" } /* url(z.png) */", {});
        ligne("feuille: @import par une chaîne ou par url(), toute casse",
              "@IMPORT 'a.css' screen;\n@import url(\"b.css\");", {"a.css|a.css|Feuille", "b.css|b.css|Feuille"});
        ligne("feuille: url() d'une ancre seule, avec ou sans guillemets, et d'une page et son ancre",
              "a { filter: url(#f); clip-path: url( '#c' ); b: url(p.htm#x) }",
              {"#f|#f|Ancre", "#c|#c|Ancre", "p.htm#x|p.htm#x"});
    }

    // The addresses as written, between their offsets, then as read, then their kind when not a plain address.
    static QByteArrayList Ecrits(std::string_view texte, const std::vector<Lien> &liens)
    {
        const char *const sortes[] = {"", "|Feuille", "|Carte", "|Ancre"};
        QByteArrayList ecrits;
        for (const Lien &lien : liens)
            ecrits << QByteArray::fromStdString(std::string(texte.substr(lien.debut, lien.fin - lien.debut)) + '|' +
                                                lien.cible + sortes[int(lien.sorte)]);
        return ecrits;
    }

    // The links of a page, or the addresses of a style sheet.
    void liste()
    {
        QFETCH(bool, feuille);
        QFETCH(QByteArray, page);
        QFETCH(QByteArrayList, attendu);
        const std::string texte = page.toStdString();
        QCOMPARE(Ecrits(texte, feuille ? ListeUrlsCss(texte) : ListeLiens(texte)), attendu);
    }

    // The page is @/index.htm unless the row says otherwise; "ouverte.htm" is open with text of its own.
    void verification_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QStringList>("attendu");
        QTest::addColumn<QString>("chemin");
        Ligne("présents: dossiers, point-point, racine du site, requête, fragment vide, %20 et entités; absents",
              "<img src=img/logo.png><a href=docs/><a href=docs><a href=pages/../img/logo.png><a href=./pages/../docs>"
              "<a href=/img/logo.png><a href='pages\\autre.htm'><a href=\"pages/mon%20fichier.htm?x=1&amp;y=2#\">"
              "<a href=\"&eacute;t&#xE9;.htm\"><a href=\"%C3%A9t%C3%A9.htm\"><a href=\"img/absent.png?x\">"
              "<img src=\"/img/absent.png\">",
              {Absent.arg("img/absent.png"), AbsentDuSite.arg("/img/absent.png")});
        Ligne("ancres de cette page et d'une autre: name, id, top, name après id; absente, dans une autre casse; autre "
              "casse d'un chemin",
              "<a name=ici></a><h1 id=Titre><a href=#ici><a href=#Titre><a href=#top><a href=\"#la\"><a href=#titre>"
              "<img src=\"IMG/photo.jpg\"><a href=pages/autre.htm#haut><a href=pages/autre.htm#Suite>"
              "<a href=pages/autre.htm#bas><a href=pages/Autre.htm#absente><a href=index.htm#la>",
              {SansAncre.arg("la"),
               "Lien: L'ancre « titre » n'existe qu'avec une autre casse dans cette page : « Titre » ; les navigateurs "
               "distinguent majuscules et minuscules.",
               Casse.arg("IMG/photo.jpg", "img/Photo.JPG"), Casse.arg("pages/Autre.htm", "pages/autre.htm"),
               SansAncreDans.arg("absente", "pages/autre.htm"), SansAncre.arg("la")});
        Ligne("rien à vérifier: page ouverte, fichier qui n'est pas une page, adresses sans fichier",
              "<a href=ouverte.htm#nouvelle><a href=img/logo.png#x><a href=\"\"><a href=#><a href=mailto:a@b.fr>"
              "<a href=\"javascript:void(0)\"><a href=tel:0102><img src=\"data:image/png;base64,AAAA\">");
        const QString nonFichier = " » n'est ni un fichier ni un dossier : un serveur web ne l'enverra pas.";
        const QString perdu = " » n'existe pas : ce lien symbolique ne mène à aucun fichier.";
        Ligne("tube nommé, avec ou sans ancre, périphérique derrière un lien symbolique, lien perdu, boucle de liens",
              "<a href=tube.htm#x><a href=tube.htm><img src=zero.htm><a href=zero.htm#x><a href=perdu.htm>"
              "<img src=boucle.htm#x>",
              QStringList(2, "Lien: « tube.htm" + nonFichier) + QStringList(2, "Lien: « zero.htm" + nonFichier) +
                  QStringList{"Lien: Le fichier « perdu.htm" + perdu, "Lien: Le fichier « boucle.htm" + perdu});
        Ligne("sorties du site: page présente, fichier du système, %2e%2e, racine, sous-dossier; qui y reviennent",
              "<a href=../hors-site.htm#x><a href=^etc/hosts><a href=%2e%2E/hors-site.htm><a href=/../hors-site.htm>"
              "<a href=pages/../../hors-site.htm><a href=../site/docs/>"
              "<a href=\"pages/../../site/pages/mon%20fichier.htm?a#b\">",
              QStringList(5, Sortie) << Sortie + " Écrivez plutôt « docs/ »."
                                     << Sortie + " Écrivez plutôt « pages/mon fichier.htm?a#b ».");
        Ligne("page hors du site par un lien symbolique; page de plusieurs gigaoctets, lue jusqu'à la limite",
              "<a href=ailleurs.htm><a href=ailleurs.htm#x><a href=grande.htm#debut><a href=grande.htm#fin>",
              {"Non vérifié: « ailleurs.htm » mène hors du dossier du site par un lien symbolique : l'ancre « x » n'y "
               "est pas cherchée.",
               "Non vérifié: L'ancre « fin » n'est pas dans les 64 premiers Mo de « grande.htm », les seuls lus."});
        Ligne("chemins absolus: dans le site, file:, file://localhost, hors du site, Windows, autre hôte; autres sites",
              "<img src=\"@/img/logo.png\"><a href=\"file://@/pages/mon%20fichier.htm#x\"><a href=file:///etc/hosts>"
              "<a href=\"C:\\Site\\a.htm\"><a href=\"\\\\serveur\\a.htm\"><a href=\"file://LocalHost@/img/logo.png\">"
              "<a href=\"file://serveur@/img/logo.png\"><a href=\" HTTPS://exemple.fr/a \">"
              "<script src=//cdn.exemple.fr/x.js>",
              {Absolu + " Écrivez plutôt « img/logo.png ».", Absolu + " Écrivez plutôt « pages/mon fichier.htm#x ».",
               Absolu, Absolu, Absolu, Absolu + " Écrivez plutôt « img/logo.png ».", Absolu,
               Externe + "HTTPS://exemple.fr/a", Externe + "//cdn.exemple.fr/x.js"});
        Ligne("dossiers: index.html, à défaut index.htm, l'ancre cherchée dans la page index; sans page index, "
              "Index.html ne comptant pas",
              "<a href=docs/#partie><a href=archives#bas><a href=/><a href=./#x><a href=docs/#absente><a href=vrac/>"
              "<a href=img#x><a href=vrac/liste.htm>",
              {SansAncre.arg("x"), SansAncreDans.arg("absente", "docs/index.html"), SansIndex.arg("vrac/"),
               SansIndex.arg("img")});
        Ligne("%XX qui ne donne pas de l'UTF-8: le lien tel qu'il est écrit; nom sur le disque qui n'en est pas",
              "<a href=\"caf%E9.htm\"><a href=\"#caf%e9\"><a href=\"caf%C3%A9%20x.htm\"><a href=\"latin%E9.htm\">"
              "<a href=\"LATIN%E9.htm\"><a href=\"file://@/latin%E9.htm\">",
              {Absent.arg("caf%E9.htm"), SansAncre.arg("caf%e9"), Absent.arg("café x.htm"),
               Casse.arg("LATIN%E9.htm", "latin%E9.htm"), Absolu + " Écrivez plutôt « latin%E9.htm »."});
        Ligne("cartes: par name ou id, absente, sans #",
              "<img usemap=#a><img usemap=\"#b\"><map name=a></map><map id=b></map><h2 id=c></h2><img usemap=#c>"
              "<img usemap=a>",
              {SansCarte.arg("c"),
               "Lien: USEMAP « a » sans « # » : le navigateur n'y cherche aucune carte. Écrivez plutôt « #a »."});
        Ligne("feuilles liées et importées: chaque adresse brisée une fois, sur le premier lien, depuis sa feuille; "
              "feuilles qui ne sont pas lues: absente, tube nommé, hors du site, autre site; ouverte, lue dans sa "
              "fenêtre; de plus de 64 Mo, lue jusqu'à la limite",
              "<link rel=stylesheet href=css/style.css><link href=\"css/style.css?v=2\" rel=stylesheet>"
              "<style>@import 'css/autre.css';</style><link rel=stylesheet href=css/absente.css>"
              "<link rel=stylesheet href=tube.htm><link rel=stylesheet href=ailleurs.css>"
              "<link rel=stylesheet href=http://exemple.fr/a.css><link rel=stylesheet href=ouverte.css>"
              "<link rel=stylesheet href=grande.css>",
              {AbsentDeFeuille.arg("css/autre.css", "1", "/img/manque.gif", " dans le dossier du site."),
               AbsentDeFeuille.arg("css/style.css", "3", "../img/absente.png", "."), Absent.arg("css/absente.css"),
               "Lien: « tube.htm" + nonFichier,
               "Non vérifié: La feuille de style « ailleurs.css » est hors du dossier du site : ses adresses ne sont "
               "pas vérifiées.",
               Externe + "http://exemple.fr/a.css", AbsentDeFeuille.arg("ouverte.css", "1", "img/absente.png", "."),
               "Non vérifié: La feuille de style « grande.css » passe 64 Mo : ses adresses au-delà ne sont pas "
               "vérifiées.",
               AbsentDeFeuille.arg("grande.css", "1", "debut.png", ".")});
        const QString img = DepuisBase.arg("absent.png", "../img/");
        Ligne("dossier voisin: les liens justes passent, les faux sont signalés",
              "<base href=\"../img/\"><img src=logo.png><img src=Photo.JPG><img src=\"../docs/#partie\">"
              "<a href=../docs/#la><img src=photo.jpg><img src=absent.png><a href=autre.htm><link href=../css/a.css>",
              {SansAncreDans.arg("la", "../docs/index.html") + DepuisBase.arg("../docs/#la", "../img/"),
               Casse.arg("../img/photo.jpg", "../img/Photo.JPG") + DepuisBase.arg("photo.jpg", "../img/"),
               Absent.arg("../img/absent.png") + img,
               Absent.arg("../img/autre.htm") + DepuisBase.arg("autre.htm", "../img/"),
               Absent.arg("../css/a.css") + DepuisBase.arg("../css/a.css", "../img/")},
              Base);
        Ligne("base placée après les liens, entités, blancs; seule la première qui a un href compte",
              "<img src=logo.png><base target=_blank><BASE Target=_top HREF=\" ../im&#x67;/ \"><base href=../docs/>",
              {}, Base);
        Ligne("base du site: lue depuis le dossier du site, sans en sortir",
              "<base href=\"/img/\"><img src=logo.png><a href=\"/pages/autre.htm#bas\"><a href=../docs/>"
              "<a href=../../x.htm>",
              {Sortie + DepuisBase.arg("../../x.htm", "/img/")}, Base);
        Ligne("base d'un autre site: les liens relatifs y mènent",
              "<base href=\"https://exemple.fr/doc/page.htm?v=1#h\"><img src=logo.png><a href=/a.htm><a href=#x>"
              "<a href=?q=2><a href=mailto:a@b.fr><a href=http://autre.fr/>",
              {Externe + "https://exemple.fr/doc/page.htm?v=1#h", Externe + "https://exemple.fr/doc/logo.png",
               Externe + "https://exemple.fr/a.htm", Externe + "https://exemple.fr/doc/page.htm?v=1#x",
               Externe + "https://exemple.fr/doc/page.htm?q=2", Externe + "http://autre.fr/"}, Base);
        Ligne("base d'un hôte sans chemin", "<base href=//cdn.exemple.fr><script src=x.js></script>",
              {Externe + "//cdn.exemple.fr", Externe + "//cdn.exemple.fr/x.js"}, Base);
        const auto aussi = [](const char *ancre, const char *base) {
            return QStringLiteral(" Les navigateurs lisent aussi « #%1 » depuis la base « %2 ».").arg(ancre, base);
        };
        Ligne("ancre seule: lue depuis la base, comme le font les navigateurs",
              "<a name=ici></a><base href=autre.htm><a href=#haut><a href=#ici><a href=?x#Suite>",
              {SansAncreDans.arg("ici", "autre.htm") + aussi("ici", "autre.htm")}, Base);
        Ligne("ancre seule: base d'un dossier sans page index", "<a name=ici></a><base href=../img/><a href=#ici>",
              {SansIndex.arg("../img/") + aussi("ici", "../img/")}, Base);
        Ligne("base qui nomme la page elle-même", "<base href=base.htm><a name=ici></a><a href=#ici><a href=#la>",
              {SansAncre.arg("la") + aussi("la", "base.htm")}, Base);
        Ligne("base d'une ancre: sans effet sur les chemins",
              "<base href=\"#haut\"><img src=../img/logo.png><a href=#x>", {SansAncre.arg("x")}, Base);
        Ligne("base d'un dossier sans « / » final", "<base href=../img><img src=logo.png>",
              {"Lien: La base « ../img » est un dossier : écrivez « ../img/ », sans quoi les liens sont lus depuis le "
               "dossier qui le contient.",
               Absent.arg("../logo.png") + DepuisBase.arg("logo.png", "../img")}, Base);
        Ligne("base d'un dossier absent, d'un fichier absent d'un dossier présent",
              "<base href=../images/><img src=logo.png>",
              {Absent.arg("../images/"), Absent.arg("../images/logo.png") + DepuisBase.arg("logo.png", "../images/")},
              Base);
        Ligne("base d'un fichier qui n'existe pas, dans un dossier présent",
              "<base href=../img/rien.htm><img src=logo.png><a href=#x>",
              {Absent.arg("../img/rien.htm") + aussi("x", "../img/rien.htm")}, Base);
        Ligne("base sans chemin: mailto:", "<base href=mailto:a@b.fr><img src=logo.png><a href=#x>",
              {"Lien: L'adresse « logo.png » ne mène nulle part : la base « mailto:a@b.fr » n'a pas de chemin d'où la "
               "lire."}, Base);
        Ligne("feuille liée sous une base: trouvée par la base, ses url() lues depuis son dossier",
              "<base href=\"../\"><link rel=stylesheet href=css/style.css><link rel=stylesheet href=../css/style.css>"
              "<style>p { background: url(img/logo.png) }</style>",
              {AbsentDeFeuille.arg("../css/autre.css", "1", "/img/manque.gif", " dans le dossier du site."),
               AbsentDeFeuille.arg("../css/style.css", "3", "../img/absente.png", "."),
               Sortie + DepuisBase.arg("../css/style.css", "../")}, Base);
        Ligne("srcset lu depuis la base, carte cherchée dans la page quelle que soit la base",
              "<base href=\"../img/\"><map name=carte></map><img src=logo.png srcset=\"logo.png 1x, absent.png 2x\" "
              "usemap=#carte><img usemap=#autre>",
              {Absent.arg("../img/absent.png") + img, SansCarte.arg("autre")}, Base);
        Ligne("url(#nom) d'un style: un élément de la page elle-même, quelle que soit la base",
              "<base href=autre.htm><svg><filter id=ombre></filter></svg><p style=\"filter: url(#ombre)\">"
              "<style>.x { clip-path: url('#absente') }</style>",
              {SansAncre.arg("absente")}, Base);
        Ligne("base file: sur ce disque", "<base href=\"file://@/img/\"><img src=logo.png>",
              {Absolu + " Écrivez plutôt « ../img/ ».", Absolu + DepuisBase.arg("logo.png", "file://@/img/")}, Base);
        // The site's folder is a whole folder: site2 beside it lies out of it, reached by a link or by a symbolic
        // link, and a page of site2 climbs out of no site.
        Ligne("préfixe trompeur: site2 hors du site, par un lien ou par un lien symbolique",
              "<a href=../site2/page.htm><a href=voisin.htm#x>",
              {Sortie, "Non vérifié: « voisin.htm » mène hors du dossier du site par un lien symbolique : l'ancre « x » "
                       "n'y est pas cherchée."});
        Ligne("préfixe trompeur: une page de site2 ne sort d'aucun site",
              "<a href=../site/index.htm><a href=../site/docs/#partie>", {}, "../site2/page.htm");
    }

    void verification()
    {
        QFETCH(QString, page);
        QFETCH(QStringList, attendu);
        QFETCH(QString, chemin);
        Compare(page, chemin, attendu, nullptr);
        // The same with what the rows before read: a page's own text and the open pages' still come first.
        Compare(page, chemin, attendu, &lues);
    }

    // The problems of the page at @/chemin, "@" standing for the site's folder, "^" for the climb to the root; each
    // problem in text order, its message UTF-8; each other page read once.
    void Compare(const QString &page, const QString &chemin, QStringList attendu, LecturesDuSite *partagees)
    {
        const QString racine = QString("../").repeated(site.count('/'));
        const std::string texte = QString(page).replace('@', site).replace('^', racine).toStdString();
        std::map<std::string, int> lectures;
        const LecteurPage lecture = [&](const std::string &chemin) -> std::optional<std::string> {
            ++lectures[chemin];
            if (chemin == (site + "/ouverte.htm").toStdString())
                return "<a name=nouvelle></a>";
            if (chemin == (site + "/ouverte.css").toStdString())
                return "p { background: url(img/absente.png) }";
            return std::nullopt;
        };
        const std::vector<Probleme> problemes =
            VerifieLiens(texte, (site + '/' + chemin).toStdString(), site.toStdString() + '/', lecture, partagees);
        QStringList obtenu;
        std::size_t precedent = 0;
        for (const Probleme &probleme : problemes) {
            QVERIFY(probleme.debut >= precedent && probleme.fin > probleme.debut);
            QVERIFY2(EstUtf8Valide(probleme.message), probleme.message.c_str());
            precedent = probleme.debut;
            obtenu << QString::fromStdString(std::string(NomSorte(probleme.sorte)) +
                                             (probleme.autreSite ? " (autre site)" : "") + ": " + probleme.message);
        }
        QCOMPARE(obtenu, attendu.replaceInStrings("@", site));
        for (const auto &[chemin, fois] : lectures)
            QVERIFY2(fois == 1, chemin.c_str());
    }

    // What other pages' checks read of a page's file never hides the page's own text, nor an open page's window.
    void lecturesPartagees()
    {
        LecturesDuSite partagees;
        const auto messages = [&](const std::string &texte, const QString &chemin, const LecteurPage &lecture) {
            QStringList liste;
            for (const Probleme &p : VerifieLiens(texte, (site + '/' + chemin).toStdString(), site.toStdString(),
                                                  lecture, &partagees))
                liste << QString::fromStdString(p.message);
            return liste;
        };
        const QString absente = QStringLiteral("L'ancre « neuve » n'existe pas dans « %1 ».");
        QCOMPARE(messages("<a href=pages/autre.htm#neuve><a href=ouverte.htm#neuve>", "index.htm", {}),
                 (QStringList{absente.arg("pages/autre.htm"), absente.arg("ouverte.htm")}));
        QCOMPARE(messages("<a name=neuve></a><a href=#neuve><a href=autre.htm#neuve>", "pages/autre.htm", {}),
                 QStringList());
        const LecteurPage ouverte = [this](const std::string &chemin) -> std::optional<std::string> {
            if (chemin == (site + "/ouverte.htm").toStdString())
                return "<a name=neuve></a>";
            return std::nullopt;
        };
        QCOMPARE(messages("<a href=ouverte.htm#neuve>", "index.htm", ouverte), QStringList());
    }

    // A folder that may be crossed but not listed, in either mode: its names are checked as written, by a user who
    // has no other right on it, since root lists any folder.
    void dossierFerme()
    {
        const QByteArray ferme = QFile::encodeName(site + "/ferme");
        QVERIFY(Cree("ferme/page.htm", "<a name=haut></a>") && Cree("ferme/sous/image.png"));
        QCOMPARE(chmod(QFile::encodeName(temporaire.path()).constData(), 0711), 0);
        const std::string texte = "<a href=ferme/page.htm#haut><img src=ferme/sous/image.png><a href=ferme/absente.htm>";
        for (const mode_t mode : {0311, 0111}) {
            int tube[2];
            QVERIFY(chmod(ferme.constData(), mode) == 0 && pipe(tube) == 0);
            const pid_t fils = fork();
            if (fils == 0) {
                if (geteuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0))
                    _exit(77);
                std::string messages;
                for (const Probleme &p : VerifieLiens(texte, (site + "/index.htm").toStdString(), site.toStdString(), {}))
                    messages += p.message + '\n';
                _exit(write(tube[1], messages.data(), messages.size()) == ssize_t(messages.size()) ? 0 : 1);
            }
            close(tube[1]);
            QFile lecture;
            QVERIFY(fils > 0 && lecture.open(tube[0], QIODevice::ReadOnly, QFile::AutoCloseHandle));
            const QByteArray messages = lecture.readAll();
            int etat = 0;
            QVERIFY(waitpid(fils, &etat, 0) == fils && chmod(ferme.constData(), 0755) == 0);
            if (WIFEXITED(etat) && WEXITSTATUS(etat) == 77)
                QSKIP("Ce test demande de pouvoir prendre l'identité de nobody.");
            QCOMPARE(etat, 0);
            QCOMPARE(messages, QByteArray("Le fichier « ferme/absente.htm » n'existe pas.\n"));
        }
    }

    // The site's folder by default: whole folder names in common, never part of one.
    void dossierCommun()
    {
        QCOMPARE(DossierCommun({"/a/site/pages/p.htm", "/a/site/q.htm", "/a/site/pages/r.htm"}), std::string("/a/site"));
        QCOMPARE(DossierCommun({"/a/site/p.htm", "/a/sites/q.htm"}), std::string("/a"));
        QCOMPARE(DossierCommun({"/a/p.htm", "/b/q.htm"}), std::string("/"));
        QCOMPARE(DossierCommun({}), std::string());
    }
};

QTEST_APPLESS_MAIN(TstLiens)
#include "tst_liens.moc"
