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

// In the rows, "@" stands for the site's folder, "^" for the climb from it to the root of the disk.
class TstLiens : public QObject {
    Q_OBJECT

    QTemporaryDir temporaire;
    QString site;

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
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<QByteArrayList>("attendu");
        QTest::newRow("guillemets, apostrophes, sans rien, toute casse")
            << QByteArray("<A HREF=\"a.htm\"><img SRC='b c.png' alt=x><Link Href=d.css>")
            << QByteArrayList{"a.htm|a.htm", "b c.png|b c.png", "d.css|d.css"};
        QTest::newRow("entités lues, inconnues gardées")
            << QByteArray("<a href=\"?a=1&amp;b=&eacute;&#233;&#xE9;&#38&amp\"><a href=\"&alpha;&x;\">")
            << QByteArrayList{"?a=1&amp;b=&eacute;&#233;&#xE9;&#38&amp|?a=1&b=\xC3\xA9\xC3\xA9\xC3\xA9&&amp",
                              "&alpha;&x;|&alpha;&x;"};
        QTest::newRow("espaces autour du égal, '>' entre guillemets, attribut voisin")
            << QByteArray("<a data-href=x title=\"a>b\" href = \"c.htm\">") << QByteArrayList{"c.htm|c.htm"};
        QTest::newRow("commentaires, scripts, styles, textarea, fin de balise")
            << QByteArray("<!-- <a href=a> --><!--><a href=b><script src=c.js>var s = '<img src=d>';</script >"
                          "<STYLE>/* <a href=i> */</style><a href=e></a href=f><textarea><a href=g></textarea><?x <a href=h>?>")
            << QByteArrayList{"b|b", "c.js|c.js", "e|e"};
        QTest::newRow("liens de noscript suivis, pas ceux de noembed ni de noframes")
            << QByteArray("<noscript><a href=a></noscript><noembed><a href=b></noembed><noframes><a href=c></noframes>")
            << QByteArrayList{"a|a"};
        QTest::newRow("guillemet jamais fermé") << QByteArray("<a href=x><a href=\"y>") << QByteArrayList{"x|x"};
        QTest::newRow("commentaire fini par --!>, section CDATA, script dans l'échappement d'un script")
            << QByteArray("<!-- --!><a href=a><![CDATA[ > <a href=b> ]]><script><!--<script></script><a href=c>-->"
                          "</script><a href=d>")
            << QByteArrayList{"a|a", "d|d"};
        QTest::newRow("srcset: chaque adresse, sans ses descripteurs ni les virgules qui la finissent")
            << QByteArray("<img srcset=\"a.png 1x, b,c.png 2x,d.png,, e.png (x, y) 480w,f.png\">")
            << QByteArrayList{"a.png|a.png", "b,c.png|b,c.png", "d.png|d.png", "e.png|e.png", "f.png|f.png"};
        QTest::newRow("srcset: entités lues, SOURCE, ailleurs rien")
            << QByteArray("<SOURCE SRCSET='a&amp;b.png&#32;1x,&#32;&eacute;.png'><div srcset=x.png>")
            << QByteArrayList{"a&amp;b.png|a&b.png", "&eacute;.png|\xC3\xA9.png"};
        QTest::newRow("background de tout élément, data d'OBJECT, poster de VIDEO, image de formulaire")
            << QByteArray("<body background=a.gif><td BACKGROUND='b.gif'><object data=c.swf><video poster=d.jpg>"
                          "<input type=image src=e.png><div data=x poster=y>")
            << QByteArrayList{"a.gif|a.gif", "b.gif|b.gif", "c.swf|c.swf", "d.jpg|d.jpg", "e.png|e.png"};
        QTest::newRow("carte d'image, feuilles de style: REL en toute casse, après HREF, parmi d'autres mots")
            << QByteArray("<img usemap=\"#c\"><link href=a.css rel=\"Alternate StyleSheet\"><link rel=icon href=b.ico>"
                          "<link rel=stylesheet href=c.css>")
            << QByteArrayList{"#c|#c|Carte", "a.css|a.css|Feuille", "b.ico|b.ico", "c.css|c.css|Feuille"};
        QTest::newRow("url() d'un attribut style: entités et échappements CSS lus, à leur place")
            << QByteArray("<p style=\"background:url(&quot;a b.png&quot;); list-style: url( c\\29 d.png )\">")
            << QByteArrayList{"a b.png|a b.png", "c\\29 d.png|c)d.png"};
        QTest::newRow("élément style: url() et @import, pas ses commentaires")
            << QByteArray("<style>@import \"a.css\"; /* url(x.png) */ p { background: url('c.png') }</style>")
            << QByteArrayList{"a.css|a.css|Feuille", "c.png|c.png"};
    }

    // The addresses as written, between their offsets, then as read, then their kind when not a plain address.
    static QByteArrayList Ecrits(std::string_view texte, const std::vector<Lien> &liens)
    {
        QByteArrayList ecrits;
        for (const Lien &lien : liens)
            ecrits << QByteArray::fromStdString(std::string(texte.substr(lien.debut, lien.fin - lien.debut)) + '|' +
                                                lien.cible +
                                                (lien.sorte == Lien::Sorte::Feuille ? "|Feuille"
                                                 : lien.sorte == Lien::Sorte::Carte ? "|Carte"
                                                 : lien.sorte == Lien::Sorte::Ancre ? "|Ancre"
                                                                                    : ""));
        return ecrits;
    }

    void liste()
    {
        QFETCH(QByteArray, page);
        QFETCH(QByteArrayList, attendu);
        const std::string texte = page.toStdString();
        QCOMPARE(Ecrits(texte, ListeLiens(texte)), attendu);
    }

    void css_data()
    {
        QTest::addColumn<QByteArray>("feuille");
        QTest::addColumn<QByteArrayList>("attendu");
        QTest::newRow("url() sans guillemets, blancs autour, toute casse")
            << QByteArray("a { b: URL(  x.png  ) }") << QByteArrayList{"x.png|x.png"};
        QTest::newRow("échappements: hexadécimal et son blanc, caractère, fin de ligne dans une chaîne")
            << QByteArray("a { b: url(a\\20 b\\).png); c: url(\"d\\\ne.png\") }")
            << QByteArrayList{"a\\20 b\\).png|a b).png", "d\\\ne.png|de.png"};
        QTest::newRow("url() que le navigateur rejette: blanc, guillemet ou parenthèse dedans")
            << QByteArray("a { b: url(a b); c: url(a\"b); d: url(a(b); e: url(ok.png) }") << QByteArrayList{"ok.png|ok.png"};
        QTest::newRow("pas des url(): autre fonction, chaîne, commentaire")
            << QByteArray("a { b: myurl(x.png); c: \"url(y.png)\" } /* url(z.png) */") << QByteArrayList{};
        QTest::newRow("@import par une chaîne ou par url(), toute casse")
            << QByteArray("@IMPORT 'a.css' screen;\n@import url(\"b.css\");")
            << QByteArrayList{"a.css|a.css|Feuille", "b.css|b.css|Feuille"};
        QTest::newRow("url() d'une ancre seule, avec ou sans guillemets, et d'une page et son ancre")
            << QByteArray("a { filter: url(#f); clip-path: url( '#c' ); b: url(p.htm#x) }")
            << QByteArrayList{"#f|#f|Ancre", "#c|#c|Ancre", "p.htm#x|p.htm#x"};
    }

    void css()
    {
        QFETCH(QByteArray, feuille);
        QFETCH(QByteArrayList, attendu);
        const std::string texte = feuille.toStdString();
        QCOMPARE(Ecrits(texte, ListeUrlsCss(texte)), attendu);
    }

    // The page is @/index.htm; "ouverte.htm" is open with text of its own.
    void verification_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QStringList>("attendu");
        const auto ligne = [](const char *nom, const QString &page, const QStringList &attendu = {}) {
            QTest::newRow(nom) << page << attendu;
        };
        ligne("présents: dossiers, point-point, racine du site, requête, fragment vide, %20 et entités; absents",
              "<img src=img/logo.png><a href=docs/><a href=docs><a href=pages/../img/logo.png><a href=./pages/../docs>"
              "<a href=/img/logo.png><a href='pages\\autre.htm'><a href=\"pages/mon%20fichier.htm?x=1&amp;y=2#\">"
              "<a href=\"&eacute;t&#xE9;.htm\"><a href=\"%C3%A9t%C3%A9.htm\"><a href=\"img/absent.png?x\">"
              "<img src=\"/img/absent.png\">",
              {"Lien: Le fichier « img/absent.png » n'existe pas.",
               "Lien: Le fichier « /img/absent.png » n'existe pas dans le dossier du site."});
        ligne("autre casse: le chemin tel qu'il faut l'écrire", "<img src=\"IMG/photo.jpg\">",
              {"Lien: « IMG/photo.jpg » n'existe qu'avec une autre casse sur le disque : « img/Photo.JPG » ; le lien "
               "échouera sur le serveur."});
        ligne("ancres de la page: name, id, top; absente, dans une autre casse",
              "<a name=ici></a><h1 id=Titre><a href=#ici><a href=#Titre><a href=#top><a href=\"#la\"><a href=#titre>",
              {"Lien: L'ancre « la » n'existe pas dans cette page.",
               "Lien: L'ancre « titre » n'existe qu'avec une autre casse dans cette page : « Titre » ; les navigateurs "
               "distinguent majuscules et minuscules."});
        ligne("ancres d'une autre page: name, id, name après id",
              "<a href=pages/autre.htm#haut><a href=pages/autre.htm#Suite><a href=pages/autre.htm#bas>"
              "<a href=pages/Autre.htm#absente><a href=index.htm#la>",
              {"Lien: « pages/Autre.htm » n'existe qu'avec une autre casse sur le disque : « pages/autre.htm » ; le "
               "lien échouera sur le serveur.",
               "Lien: L'ancre « absente » n'existe pas dans « pages/autre.htm ».",
               "Lien: L'ancre « la » n'existe pas dans cette page."});
        ligne("page ouverte, fichier qui n'est pas une page", "<a href=ouverte.htm#nouvelle><a href=img/logo.png#x>");
        ligne("tube nommé, avec ou sans ancre, et périphérique derrière un lien symbolique",
              "<a href=tube.htm#x><a href=tube.htm><img src=zero.htm><a href=zero.htm#x>",
              QStringList(2, "Lien: « tube.htm » n'est ni un fichier ni un dossier : un serveur web ne l'enverra pas.") +
                  QStringList(2, "Lien: « zero.htm » n'est ni un fichier ni un dossier : un serveur web ne "
                                 "l'enverra pas."));
        ligne("lien symbolique perdu, boucle de liens", "<a href=perdu.htm><img src=boucle.htm#x>",
              {"Lien: Le fichier « perdu.htm » n'existe pas : ce lien symbolique ne mène à aucun fichier.",
               "Lien: Le fichier « boucle.htm » n'existe pas : ce lien symbolique ne mène à aucun fichier."});
        const QString sortie = "Lien: Le lien sort du dossier du site (« @ ») : il ne marchera pas sur le serveur.";
        ligne("sorties du site: page présente, fichier du système, %2e%2e, racine, sous-dossier",
              "<a href=../hors-site.htm#x><a href=^etc/hosts><a href=%2e%2E/hors-site.htm><a href=/../hors-site.htm>"
              "<a href=pages/../../hors-site.htm>",
              QStringList(5, sortie));
        ligne("sorties du site qui y reviennent",
              "<a href=../site/docs/><a href=\"pages/../../site/pages/mon%20fichier.htm?a#b\">",
              {sortie + " Écrivez plutôt « docs/ ».", sortie + " Écrivez plutôt « pages/mon fichier.htm?a#b »."});
        ligne("page hors du site par un lien symbolique", "<a href=ailleurs.htm><a href=ailleurs.htm#x>",
              {"Non vérifié: « ailleurs.htm » mène hors du dossier du site par un lien symbolique : l'ancre « x » n'y "
               "est pas cherchée."});
        ligne("page de plusieurs gigaoctets: ancre lue au début, pas au-delà de la limite",
              "<a href=grande.htm#debut><a href=grande.htm#fin>",
              {"Non vérifié: L'ancre « fin » n'est pas dans les 64 premiers Mo de « grande.htm », les seuls lus."});
        const QString absolu = "Lien: Chemin absolu vers un fichier local : le lien ne marchera pas sur le serveur.";
        ligne("chemins absolus: dans le site, file:, file://localhost, hors du site, Windows, autre hôte",
              "<img src=\"@/img/logo.png\"><a href=\"file://@/pages/mon%20fichier.htm#x\"><a href=file:///etc/hosts>"
              "<a href=\"C:\\Site\\a.htm\"><a href=\"\\\\serveur\\a.htm\"><a href=\"file://LocalHost@/img/logo.png\">"
              "<a href=\"file://serveur@/img/logo.png\">",
              {absolu + " Écrivez plutôt « img/logo.png ».", absolu + " Écrivez plutôt « pages/mon fichier.htm#x ».",
               absolu, absolu, absolu, absolu + " Écrivez plutôt « img/logo.png ».", absolu});
        ligne("autres sites, non vérifiés", "<a href=\" HTTPS://exemple.fr/a \"><script src=//cdn.exemple.fr/x.js>",
              {"Non vérifié (autre site): Lien vers un autre site, non vérifié : HTTPS://exemple.fr/a",
               "Non vérifié (autre site): Lien vers un autre site, non vérifié : //cdn.exemple.fr/x.js"});
        const QString sansIndex = " » n'a pas de page index.html ni index.htm : un serveur web répondra par une erreur "
                                  "(403) ou par la liste de ses fichiers.";
        ligne("dossiers: index.html, à défaut index.htm, l'ancre cherchée dans la page index",
              "<a href=docs/#partie><a href=archives#bas><a href=/><a href=./#x><a href=docs/#absente>",
              {"Lien: L'ancre « x » n'existe pas dans cette page.",
               "Lien: L'ancre « absente » n'existe pas dans « docs/index.html »."});
        ligne("dossiers sans page index, Index.html ne comptant pas",
              "<a href=vrac/><a href=img#x><a href=vrac/liste.htm>",
              {"Lien: Le dossier « vrac/" + sansIndex, "Lien: Le dossier « img" + sansIndex});
        ligne("%XX qui ne donne pas de l'UTF-8: le lien tel qu'il est écrit",
              "<a href=\"caf%E9.htm\"><a href=\"#caf%e9\"><a href=\"caf%C3%A9%20x.htm\"><a href=\"latin%E9.htm\">",
              {"Lien: Le fichier « caf%E9.htm » n'existe pas.",
               "Lien: L'ancre « caf%e9 » n'existe pas dans cette page.",
               "Lien: Le fichier « café x.htm » n'existe pas."});
        ligne("nom de fichier sur le disque qui n'est pas de l'UTF-8",
              "<a href=\"LATIN%E9.htm\"><a href=\"file://@/latin%E9.htm\">",
              {"Lien: « LATIN%E9.htm » n'existe qu'avec une autre casse sur le disque : « latin%E9.htm » ; le lien "
               "échouera sur le serveur.",
               absolu + " Écrivez plutôt « latin%E9.htm »."});
        ligne("rien à vérifier",
              "<a href=\"\"><a href=#><a href=mailto:a@b.fr><a href=\"javascript:void(0)\"><a href=tel:0102>"
              "<img src=\"data:image/png;base64,AAAA\">");
        ligne("cartes: par name ou id, absente, sans #",
              "<img usemap=#a><img usemap=\"#b\"><map name=a></map><map id=b></map><h2 id=c></h2><img usemap=#c>"
              "<img usemap=a>",
              {"Lien: La carte « c » n'existe pas dans cette page : aucun élément MAP n'a ce NAME ni cet ID.",
               "Lien: USEMAP « a » sans « # » : le navigateur n'y cherche aucune carte. Écrivez plutôt « #a »."});
        const QString style = "Lien: Feuille de style « css/style.css », ligne 3, « ../img/absente.png » : Le fichier "
                              "« ../img/absente.png » n'existe pas.";
        const QString autre = "Lien: Feuille de style « css/autre.css », ligne 1, « /img/manque.gif » : Le fichier "
                              "« /img/manque.gif » n'existe pas dans le dossier du site.";
        ligne("feuilles liées et importées: chaque adresse brisée une fois, sur le premier lien, depuis sa feuille",
              "<link rel=stylesheet href=css/style.css><link href=\"css/style.css?v=2\" rel=stylesheet>"
              "<style>@import 'css/autre.css';</style>",
              {autre, style});
        ligne("feuilles qui ne sont pas lues: absente, tube nommé, hors du site, autre site",
              "<link rel=stylesheet href=css/absente.css><link rel=stylesheet href=tube.htm>"
              "<link rel=stylesheet href=ailleurs.css><link rel=stylesheet href=http://exemple.fr/a.css>",
              {"Lien: Le fichier « css/absente.css » n'existe pas.",
               "Lien: « tube.htm » n'est ni un fichier ni un dossier : un serveur web ne l'enverra pas.",
               "Non vérifié: La feuille de style « ailleurs.css » est hors du dossier du site : ses adresses ne sont "
               "pas vérifiées.",
               "Non vérifié (autre site): Lien vers un autre site, non vérifié : http://exemple.fr/a.css"});
        ligne("feuille ouverte lue dans sa fenêtre", "<link rel=stylesheet href=ouverte.css>",
              {"Lien: Feuille de style « ouverte.css », ligne 1, « img/absente.png » : Le fichier « img/absente.png » "
               "n'existe pas."});
        ligne("feuille de plus de 64 Mo: lue jusqu'à la limite", "<link rel=stylesheet href=grande.css>",
              {"Non vérifié: La feuille de style « grande.css » passe 64 Mo : ses adresses au-delà ne sont pas "
               "vérifiées.",
               "Lien: Feuille de style « grande.css », ligne 1, « debut.png » : Le fichier « debut.png » n'existe pas."});
    }

    void verification()
    {
        QFETCH(QString, page);
        QFETCH(QStringList, attendu);
        Compare(page, "index.htm", attendu);
    }

    // The problems of the page at @/chemin, "@" standing for the site's folder, "^" for the climb to the root; each
    // problem in text order, its message UTF-8; each other page read once.
    void Compare(const QString &page, const QString &chemin, QStringList attendu)
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
            VerifieLiens(texte, (site + '/' + chemin).toStdString(), site.toStdString() + '/', lecture);
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

    // The page is @/pages/base.htm, beside autre.htm; img/ has no index page.
    void base_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QStringList>("attendu");
        const auto ligne = [](const char *nom, const QString &page, const QStringList &attendu = {}) {
            QTest::newRow(nom) << page << attendu;
        };
        ligne("dossier voisin: les liens justes passent, les faux sont signalés",
              "<base href=\"../img/\"><img src=logo.png><img src=Photo.JPG><img src=\"../docs/#partie\">"
              "<a href=../docs/#la><img src=photo.jpg><img src=absent.png><a href=autre.htm><link href=../css/a.css>",
              {"Lien: L'ancre « la » n'existe pas dans « ../docs/index.html ». Lien « ../docs/#la » lu depuis la base "
               "« ../img/ ».",
               "Lien: « ../img/photo.jpg » n'existe qu'avec une autre casse sur le disque : « ../img/Photo.JPG » ; le "
               "lien échouera sur le serveur. Lien « photo.jpg » lu depuis la base « ../img/ ».",
               "Lien: Le fichier « ../img/absent.png » n'existe pas. Lien « absent.png » lu depuis la base "
               "« ../img/ ».",
               "Lien: Le fichier « ../img/autre.htm » n'existe pas. Lien « autre.htm » lu depuis la base "
               "« ../img/ ».",
               "Lien: Le fichier « ../css/a.css » n'existe pas. Lien « ../css/a.css » lu depuis la base "
               "« ../img/ »."});
        ligne("base placée après les liens, entités, blancs; seule la première qui a un href compte",
              "<img src=logo.png><base target=_blank><BASE Target=_top HREF=\" ../im&#x67;/ \"><base href=../docs/>");
        ligne("base du site: lue depuis le dossier du site, sans en sortir",
              "<base href=\"/img/\"><img src=logo.png><a href=\"/pages/autre.htm#bas\"><a href=../docs/>"
              "<a href=../../x.htm>",
              {"Lien: Le lien sort du dossier du site (« @ ») : il ne marchera pas sur le serveur. Lien "
               "« ../../x.htm » lu depuis la base « /img/ »."});
        const QString externe = "Non vérifié (autre site): Lien vers un autre site, non vérifié : ";
        ligne("base d'un autre site: les liens relatifs y mènent",
              "<base href=\"https://exemple.fr/doc/page.htm?v=1#h\"><img src=logo.png><a href=/a.htm><a href=#x>"
              "<a href=?q=2><a href=mailto:a@b.fr><a href=http://autre.fr/>",
              {externe + "https://exemple.fr/doc/page.htm?v=1#h", externe + "https://exemple.fr/doc/logo.png",
               externe + "https://exemple.fr/a.htm", externe + "https://exemple.fr/doc/page.htm?v=1#x",
               externe + "https://exemple.fr/doc/page.htm?q=2", externe + "http://autre.fr/"});
        ligne("base d'un hôte sans chemin", "<base href=//cdn.exemple.fr><script src=x.js></script>",
              {externe + "//cdn.exemple.fr", externe + "//cdn.exemple.fr/x.js"});
        ligne("ancre seule: lue depuis la base, comme le font les navigateurs",
              "<a name=ici></a><base href=autre.htm><a href=#haut><a href=#ici><a href=?x#Suite>",
              {"Lien: L'ancre « ici » n'existe pas dans « autre.htm ». Les navigateurs lisent aussi « #ici » depuis la "
               "base « autre.htm »."});
        ligne("ancre seule: base d'un dossier sans page index", "<a name=ici></a><base href=../img/><a href=#ici>",
              {"Lien: Le dossier « ../img/ » n'a pas de page index.html ni index.htm : un serveur web répondra par une "
               "erreur (403) ou par la liste de ses fichiers. Les navigateurs lisent aussi « #ici » depuis la base « "
               "../img/ »."});
        ligne("base qui nomme la page elle-même", "<base href=base.htm><a name=ici></a><a href=#ici><a href=#la>",
              {"Lien: L'ancre « la » n'existe pas dans cette page. Les navigateurs lisent aussi « #la » depuis la "
               "base « base.htm »."});
        ligne("base d'une ancre: sans effet sur les chemins",
              "<base href=\"#haut\"><img src=../img/logo.png><a href=#x>",
              {"Lien: L'ancre « x » n'existe pas dans cette page."});
        ligne("base d'un dossier sans « / » final",
              "<base href=../img><img src=logo.png>",
              {"Lien: La base « ../img » est un dossier : écrivez « ../img/ », sans quoi les liens sont lus depuis le "
               "dossier qui le contient.",
               "Lien: Le fichier « ../logo.png » n'existe pas. Lien « logo.png » lu depuis la base « ../img »."});
        ligne("base d'un dossier absent, d'un fichier absent d'un dossier présent",
              "<base href=../images/><img src=logo.png>",
              {"Lien: Le fichier « ../images/ » n'existe pas.",
               "Lien: Le fichier « ../images/logo.png » n'existe pas. Lien « logo.png » lu depuis la base « "
               "../images/ »."});
        ligne("base d'un fichier qui n'existe pas, dans un dossier présent",
              "<base href=../img/rien.htm><img src=logo.png><a href=#x>",
              {"Lien: Le fichier « ../img/rien.htm » n'existe pas. Les navigateurs lisent aussi « #x » depuis la "
               "base « ../img/rien.htm »."});
        ligne("base sans chemin: mailto:", "<base href=mailto:a@b.fr><img src=logo.png><a href=#x>",
              {"Lien: L'adresse « logo.png » ne mène nulle part : la base « mailto:a@b.fr » n'a pas de chemin d'où la "
               "lire."});
        ligne("feuille liée sous une base: trouvée par la base, ses url() lues depuis son dossier",
              "<base href=\"../\"><link rel=stylesheet href=css/style.css><link rel=stylesheet href=../css/style.css>"
              "<style>p { background: url(img/logo.png) }</style>",
              {"Lien: Feuille de style « ../css/autre.css », ligne 1, « /img/manque.gif » : Le fichier « /img/manque.gif "
               "» n'existe pas dans le dossier du site.",
               "Lien: Feuille de style « ../css/style.css », ligne 3, « ../img/absente.png » : Le fichier "
               "« ../img/absente.png » n'existe pas.",
               "Lien: Le lien sort du dossier du site (« @ ») : il ne marchera pas sur le serveur. Lien "
               "« ../css/style.css » lu depuis la base « ../ »."});
        ligne("srcset lu depuis la base, carte cherchée dans la page quelle que soit la base",
              "<base href=\"../img/\"><map name=carte></map><img src=logo.png srcset=\"logo.png 1x, absent.png 2x\" "
              "usemap=#carte><img usemap=#autre>",
              {"Lien: Le fichier « ../img/absent.png » n'existe pas. Lien « absent.png » lu depuis la base « ../img/ ».",
               "Lien: La carte « autre » n'existe pas dans cette page : aucun élément MAP n'a ce NAME ni cet ID."});
        ligne("url(#nom) d'un style: un élément de la page elle-même, quelle que soit la base",
              "<base href=autre.htm><svg><filter id=ombre></filter></svg><p style=\"filter: url(#ombre)\">"
              "<style>.x { clip-path: url('#absente') }</style>",
              {"Lien: L'ancre « absente » n'existe pas dans cette page."});
        const QString absolu = "Lien: Chemin absolu vers un fichier local : le lien ne marchera pas sur le serveur.";
        ligne("base file: sur ce disque", "<base href=\"file://@/img/\"><img src=logo.png>",
              {absolu + " Écrivez plutôt « ../img/ ».",
               absolu + " Lien « logo.png » lu depuis la base « file://@/img/ »."});
    }

    void base()
    {
        QFETCH(QString, page);
        QFETCH(QStringList, attendu);
        Compare(page, "pages/base.htm", attendu);
    }

    // The site's folder is a whole folder: site2 beside it lies out of it, reached by a link or by a symbolic link, and
    // a page of site2 climbs out of no site.
    void prefixeTrompeur()
    {
        Compare("<a href=../site2/page.htm><a href=voisin.htm#x>", "index.htm",
                {"Lien: Le lien sort du dossier du site (« @ ») : il ne marchera pas sur le serveur.",
                 "Non vérifié: « voisin.htm » mène hors du dossier du site par un lien symbolique : l'ancre « x » n'y "
                 "est pas cherchée."});
        Compare("<a href=../site/index.htm><a href=../site/docs/#partie>", "../site2/page.htm", {});
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
        QCOMPARE(DossierCommun({"/a/site/p.htm"}), std::string("/a/site"));
        QCOMPARE(DossierCommun({"/a/site/pages/p.htm", "/a/site/q.htm", "/a/site/pages/r.htm"}), std::string("/a/site"));
        QCOMPARE(DossierCommun({"/a/site/p.htm", "/a/sites/q.htm"}), std::string("/a"));
        QCOMPARE(DossierCommun({"/a/p.htm", "/b/q.htm"}), std::string("/"));
        QCOMPARE(DossierCommun({}), std::string());
    }
};

QTEST_APPLESS_MAIN(TstLiens)
#include "tst_liens.moc"
