#include "core/verification/Orthographe.h"

#include <QTemporaryDir>
#include <QtTest>

#include <filesystem>
#include <fstream>
#include <random>

#include <sys/stat.h>

namespace {

// The words as "texte@debut-fin", which a failed comparison shows readably.
QStringList Decrits(const std::vector<Mot> &mots)
{
    QStringList decrits;
    for (const Mot &mot : mots)
        decrits << QStringLiteral("%1@%2-%3").arg(QString::fromStdString(mot.texte)).arg(mot.debut).arg(mot.fin);
    return decrits;
}

// The words of the page, in order, each found where it is written: "ecrit" or, when the references in it read
// otherwise, "ecrit=lu".
QStringList Places(const std::string &page, const QStringList &mots)
{
    QStringList decrits;
    std::size_t depuis = 0;
    for (const QString &mot : mots) {
        const std::string ecrit = mot.section('=', 0, 0).toStdString();
        const std::size_t debut = page.find(ecrit, depuis);
        depuis = debut + ecrit.size();
        decrits << QStringLiteral("%1@%2-%3").arg(mot.section('=', -1)).arg(debut).arg(depuis);
    }
    return decrits;
}

DictionnaireInstalle Fixture(const char *nom)
{
    const std::string base = std::string(DICTIONNAIRES "/") + nom;
    return {nom, base + ".aff", base + ".dic"};
}

// The dictionary, or none when it cannot be opened.
std::unique_ptr<Dictionnaire> Ouvre(const DictionnaireInstalle &installe, std::string_view mots,
                                    const std::string &personnel)
{
    auto ouvert = Dictionnaire::Ouvre(installe, mots, personnel);
    return ouvert ? std::move(*ouvert) : nullptr;
}

std::string Contenu(const QString &chemin)
{
    QFile fichier(chemin);
    return fichier.open(QIODevice::ReadOnly) ? fichier.readAll().toStdString() : "absent";
}

void Ecris(const QString &chemin, const std::string &contenu)
{
    std::ofstream(chemin.toStdString(), std::ios::binary) << contenu;
}

} // namespace

class TstOrthographe : public QObject {
    Q_OBJECT

private slots:
    // Whole pages: each row's words are found in the page in order, written as they are.
    void motsVisibles_data()
    {
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<QStringList>("mots");
        const auto ligne = [](const char *nom, const char *page, QStringList mots) {
            QTest::newRow(nom) << QByteArray(page) << mots;
        };
        ligne("balises et noms d'attributs", "<p class=\"intro\">Bonjour <b>le</b> monde</p><br/>",
              {"Bonjour", "le", "monde"});
        ligne("ALT et TITLE lus, les autres valeurs non",
              "<img src=\"chat.png\" alt=\"Un chat\" title='gris clair'><a href=noir TITLE=bleu>x</a></a title=non>",
              {"Un", "chat", "gris", "clair", "bleu", "x"});
        ligne("commentaires, déclarations, CDATA",
              "<!DOCTYPE html><!-- caché -->un<!-->deux<![CDATA[non]]><?xml non?>trois</ non>",
              {"un", "deux", "trois"});
        ligne("script et style, noms en capitales",
              "<SCRIPT>var x = \"<p>non</p>\";</SCRIPT >oui<style>p { color: red }</style>vu", {"oui", "vu"});
        ligne("échappement dans un script", "<script><!-- document.write(\"<script>a()</script> non\") --></script>vu",
              {"vu"});
        ligne("title et textarea lus, références comprises; xmp tel quel",
              "<title>Titre</title><textarea><b>caf&eacute;</b></textarea><xmp><i>&eacute;</i></xmp>",
              {"Titre", "b", "caf&eacute;=café", "b", "i", "eacute", "i"});
        ligne("références nommées et numériques",
              "&eacute;t&eacute; l&#39;&#xE9;t&#233; caf&Eacute;s&nbsp;ok l&#146;an &amp;x &inconnu; &eacute c",
              {"&eacute;t&eacute;=été", "l&#39;&#xE9;t&#233;=l'été", "caf&Eacute;s=cafÉs", "ok", "l&#146;an=l’an", "x",
               "inconnu", "eacute", "c"});
        ligne("références vides ou hors d'Unicode, trait d'union conditionnel",
              "&#0;a &#1114112;b &#xD800;c &#;d anti&shy;constitution fin\u00ADale",
              {"a", "b", "c", "d", "anti&shy;constitution=anticonstitution", "fin\u00ADale=finale"});
        ligne("apostrophes et traits d'union", "aujourd'hui peut-être l’été -tiret- 'cité' chat--chien fin'",
              {"aujourd'hui", "peut-être", "l’été", "tiret", "cité", "chat", "chien", "fin"});
        ligne("chiffres, soulignés, adresses",
              "MP3 2e mot_clé x2 voir http://exemple.fr/page et moi@ici.fr ou www.balizo.fr, index.html fin.",
              {"voir", "et", "ou", "fin"});
        ligne("l'adresse seule, pas les mots qui la touchent",
              "(voir:https://ici.fr/a.b) écrire:moi@ici.fr,merci mailto:toi@la.be Lien:balizo.fr/aide.htm?x=1,suite "
              "exemple.COM /etc/apt/sources.list WWW.Exemple.museum/x",
              {"voir", "écrire", "merci", "Lien", "exemple", "COM"});
        ligne("mots collés par un point", "Une erreurr.Les mises fin.Début p.ex. l'an.2 M.Dupont",
              {"Une", "erreurr", "Les", "mises", "fin", "Début", "p", "ex", "l'an", "M", "Dupont"});
        ligne("code, pre, kbd, samp, var, tt laissés, et ce qu'ils contiennent",
              "<p>Tapez <code>ls -la</code> puis<PRE>make <b>install</b>\n</PRE><kbd>Ctrl</kbd><samp>erreur</samp>"
              "<var>nom</var><tt>tt</tt><pre><textarea>champ</textarea></pre><code title=\"Liste\">x</code> fin",
              {"Tapez", "puis", "Liste", "fin"});
        ligne("title affiché en bulle, pas celui des éléments de l'en-tête",
              "<head><link rel=\"next\" title=\"Suivante\"><meta title=\"non\"><style title=\"non\"></style>"
              "<base title=\"non\"><script title=\"non\"></script></head><abbr title=\"bulle\">x</abbr>",
              {"bulle", "x"});
        ligne("placeholder, value des seuls boutons",
              "<input placeholder=\"Votre nom\"><input type=\"submit\" value=\"Envoyer\"><input value=\"Dupont\">"
              "<INPUT VALUE=\"Annuler\" TYPE=\" reset \"><input type=button value=Ouvrir><input type=text value=non>"
              "<button value=\"non\">Valider</button><option value=\"non\">Choix</option>",
              {"Votre", "nom", "Envoyer", "Annuler", "Ouvrir", "Valider", "Choix"});
        ligne("texte sans espaces entre les mots", "日本語 là", {"là"});
        ligne("< seul, octet invalide", "a < b \xE9t\xE9 c<3", {"a", "b", "t", "c"});
    }

    void motsVisibles()
    {
        QFETCH(QByteArray, page);
        QFETCH(QStringList, mots);
        const std::string texte = page.toStdString();
        QCOMPARE(Decrits(MotsVisibles(texte, 0, texte.size())), Places(texte, mots));
    }

    // The language of each word, "mot:langue", the page's own given as "fr"; and the code read when asked.
    void langues_data()
    {
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<bool>("code");
        QTest::addColumn<QStringList>("mots");
        const auto ligne = [](const char *nom, const char *page, QStringList mots, bool code = false) {
            QTest::newRow(nom) << QByteArray(page) << code << mots;
        };
        ligne("l'élément le plus proche, xml:lang avant lang, html compris",
              "<html lang=\"de\"><p>eins <span lang=\" en-GB \">two <b>three</b></span> vier</p>"
              "<p lang=\"en\" xml:lang=\"es\">seis</p><P LANG=it>sette</P></html> après",
              {"eins:de", "two:en-GB", "three:en-GB", "vier:de", "seis:es", "sette:it", "après:fr"});
        ligne("lang vide: aucune langue", "<div lang=\"en\"><p lang=\"\">rien</p></div>", {"rien:"});
        ligne("fins de p, li, dt, dd, td, tr, option sous-entendues",
              "<p lang=\"en\">one<p>deux<ul><li lang=\"en\">two<li>trois</ul><dl><dt lang=\"en\">three<dd>quatre</dl>"
              "<table><tr lang=\"en\"><td>four<tr><td lang=\"en\">five<td>six</table><select><option lang=\"en\">seven"
              "<option>sept</select><p lang=\"en\">eight<div>huit</div>",
              {"one:en", "deux:fr", "two:en", "trois:fr", "three:en", "quatre:fr", "four:en", "five:en", "six:fr",
               "seven:en", "sept:fr", "eight:en", "huit:fr"});
        ligne("une fin sous-entendue ne sort pas d'un bouton ni d'une liste imbriquée",
              "<p lang=\"en\"><button>one<div>two</div></button>three</p>"
              "<ul><li lang=\"en\">four<ol><li>five</ol>six<li>sept</ul>",
              {"one:en", "two:en", "three:en", "four:en", "five:en", "six:en", "sept:fr"});
        ligne("balises de fin orphelines ou croisées, éléments vides, fermés par />",
              "</p></span>un <em lang=\"en\">two<br><img alt=\"three\"><hr/><span lang=\"de\"/></b> four</em> cinq",
              {"un:fr", "two:en", "three:en", "four:en", "cinq:fr"});
        ligne("attributs dans la langue de leur élément",
              "<img lang=\"en\" alt=\"cat\"><p lang=\"en\" title=\"tip\">x "
              "<input lang=de type=submit value=Senden></p>",
              {"cat:en", "tip:en", "x:en", "Senden:de"});
        ligne("title, textarea et contenus lus d'une autre langue",
              "<title lang=\"en\">Title</title><textarea lang=\"de\">Feld</textarea>", {"Title:en", "Feld:de"});
        ligne("code lu sur demande, dans sa langue",
              "<pre lang=\"en\">make <b>it</b></pre><p>puis <code>ls</code></p>",
              {"make:en", "it:en", "puis:fr", "ls:fr"}, true);
    }

    void langues()
    {
        QFETCH(QByteArray, page);
        QFETCH(bool, code);
        QFETCH(QStringList, mots);
        QStringList lus;
        const std::string texte = page.toStdString();
        for (const Mot &mot : MotsVisibles(texte, 0, texte.size(), {"fr", code}))
            lus << QString::fromStdString(mot.texte + ":" + std::string(mot.langue));
        QCOMPARE(lus, mots);
    }

    void langueDePage_data()
    {
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<QString>("langue");
        QTest::newRow("doctype, commentaire, casse, espaces")
            << QByteArray("<!DOCTYPE html>\n<!-- <html lang=non> -->\n<HTML Lang=\" en-GB \">") << "en-GB";
        QTest::newRow("marque d'ordre, xml:lang avant lang")
            << QByteArray("\xEF\xBB\xBF<?xml version=\"1.0\"?><html xml:lang=\"de\" lang=\"fr\">") << "de";
        QTest::newRow("html sans lang") << QByteArray("<html><body lang=\"en\">") << "";
        QTest::newRow("pas de html") << QByteArray("<p lang=\"en\">texte") << "";
        QTest::newRow("texte avant html") << QByteArray("texte<html lang=\"en\">") << "";
        QTest::newRow("au-delà de 64 Kio") << QByteArray(70000, ' ') + "<html lang=\"en\">" << "";
    }

    void langueDePage()
    {
        QFETCH(QByteArray, page);
        QFETCH(QString, langue);
        QCOMPARE(QString::fromStdString(LangueDePage(page.toStdString())), langue);
    }

    // The dictionary of a language among en_AU, en_GB, en_US, fr, fr_CA, fr_FR, pt_BR, sr_Latn_RS.
    void dictionnairePour_data()
    {
        QTest::addColumn<QString>("langue");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("choisi");
        QTest::addColumn<QString>("dictionnaire");
        const auto ligne = [](const char *nom, const char *langue, const char *page, const char *choisi,
                              const char *dictionnaire) {
            QTest::newRow(nom) << langue << page << choisi << dictionnaire;
        };
        ligne("sans langue: le choisi", " ", "en", "fr_FR", "fr_FR");
        ligne("langue de la page, celle du choisi", "fr-CA", "fr-ca", "fr_FR", "fr_FR");
        ligne("région exacte avant le choisi", "fr-CA", "fr", "fr_FR", "fr_CA");
        ligne("région en minuscules, trait bas", "EN_gb", "fr", "fr_FR", "en_GB");
        ligne("région absente: le choisi de la langue", "fr-BE", "en", "fr_CA", "fr_CA");
        ligne("langue seule: le choisi de la langue", "fr", "en", "fr_CA", "fr_CA");
        ligne("langue seule: le dictionnaire de son nom", "fr", "en", "en_US", "fr");
        ligne("langue seule: sa région usuelle", "en", "fr", "fr_FR", "en_US");
        ligne("région absente: sa région usuelle", "en-NZ", "fr", "fr_FR", "en_US");
        ligne("ni nom ni région usuelle: le premier", "pt", "fr", "fr_FR", "pt_BR");
        ligne("écriture passée", "sr-Latn-RS", "fr", "fr_FR", "sr_Latn_RS");
        ligne("page d'une autre langue que le choisi", "en", "en", "fr_FR", "en_US");
        ligne("non installée: rien", "de-DE", "de", "fr_FR", "");
        ligne("pas une langue: rien", "zxx", "fr", "fr_FR", "");
        ligne("étiquette illisible: rien", "-", "fr", "fr_FR", "");
    }

    void dictionnairePour()
    {
        QFETCH(QString, langue);
        QFETCH(QString, page);
        QFETCH(QString, choisi);
        QFETCH(QString, dictionnaire);
        std::vector<DictionnaireInstalle> installes;
        for (const char *nom : {"en_AU", "en_GB", "en_US", "fr", "fr_CA", "fr_FR", "pt_BR", "sr_Latn_RS"})
            installes.push_back({nom, std::string(nom) + ".aff", std::string(nom) + ".dic"});
        QCOMPARE(QString::fromStdString(DictionnairePour(langue.toStdString(), page.toStdString(),
                                                         choisi.toStdString(), installes)),
                 dictionnaire);
    }

    // A range read alone gives the words of the whole page that touch it, wherever it starts and ends: in a tag, a
    // value, a comment, a script, a reference, a character of several bytes.
    void plages()
    {
        const std::string page = "<p>Un <img alt=\"deux &eacute;t&eacute;s\" src=\"x\">trois<!-- non <p> non --> "
                                 "quatre\n<script>if (a<b) non();</script>cinq <style>non</style>six "
                                 "<a title='sept'>huit</a> http://non.fr neuf <q lang=\"en\">ten <kbd>non</kbd></q> "
                                 "onze";
        const std::vector<Mot> tous = MotsVisibles(page, 0, page.size());
        QCOMPARE(Decrits(tous), Places(page, {"Un", "deux", "&eacute;t&eacute;s=étés", "trois", "quatre", "cinq", "six",
                                              "sept", "huit", "neuf", "ten", "onze"}));
        QCOMPARE(tous.at(tous.size() - 2).langue, "en");
        for (std::size_t debut = 0; debut <= page.size(); ++debut) {
            for (std::size_t fin = debut; fin <= page.size(); fin += 7) {
                std::vector<Mot> attendu;
                std::ranges::copy_if(tous, std::back_inserter(attendu),
                                     [&](const Mot &mot) { return mot.fin >= debut && mot.debut <= fin; });
                if (MotsVisibles(page, debut, fin) != attendu)
                    QFAIL(qPrintable(QStringLiteral("plage %1-%2: %3")
                                         .arg(debut)
                                         .arg(fin)
                                         .arg(Decrits(MotsVisibles(page, debut, fin)).join(' '))));
            }
        }
        QCOMPARE(Decrits(MotsVisibles(page, page.size() + 10, page.size() + 20)), Decrits({tous.back()}));
        // What is further back than the reading goes is taken for text; within it, a comment is still one.
        const std::string commentaire = "<!-- " + std::string(60000, 'a') + " non -->oui";
        QCOMPARE(Decrits(MotsVisibles(commentaire, commentaire.find("non"), commentaire.size())),
                 Places(commentaire, {"oui"}));
        const std::string lointain = "<!-- " + std::string(70000, 'a') + " texte -->oui";
        QCOMPARE(Decrits(MotsVisibles(lointain, lointain.find("texte"), lointain.size())),
                 Places(lointain, {"texte", "oui"}));
        // The language of an element that opens further back is the page's; within the reading, its own.
        const std::string anglais = "<div lang=\"en\">" + std::string(70000, 'a') + " word</div>";
        QCOMPARE(MotsVisibles(anglais, anglais.find("word"), anglais.size(), {"fr"}).at(0).langue, "fr");
        QCOMPARE(MotsVisibles(anglais, anglais.find("word") - 60000, anglais.size(), {"fr"}).back().langue, "en");
    }

    void dossiers()
    {
        const std::vector<std::string> systeme = {"/usr/share/hunspell", "/usr/share/myspell/dicts",
                                                  "/usr/share/myspell"};
        const auto avec = [&](std::vector<std::string> dossiers) {
            dossiers.insert(dossiers.end(), systeme.begin(), systeme.end());
            return dossiers;
        };
        QCOMPARE(DossiersDictionnaires("", "", "/home/u"), avec({"/home/u/.local/share/hunspell"}));
        QCOMPARE(DossiersDictionnaires("/a::/b:", "/xdg", "/home/u"), avec({"/a", "/b", "/xdg/hunspell"}));
        QCOMPARE(DossiersDictionnaires("/a", "relatif", ""), avec({"/a"}));
    }

    // Two folders that hold the same name, a link, a .aff alone, a folder that is missing.
    void installes()
    {
        QTemporaryDir temporaire;
        const std::filesystem::path racine = temporaire.path().toStdString();
        for (const char *fichier : {"un/fr_CA.aff", "un/fr_CA.dic", "un/seul.aff", "deux/fr_CA.aff", "deux/fr_CA.dic",
                                    "deux/en_US.aff", "deux/en_US.dic", "deux/lisez-moi.txt"}) {
            std::filesystem::create_directories((racine / fichier).parent_path());
            std::ofstream(racine / fichier) << "x";
        }
        std::filesystem::create_symlink(racine / "deux/fr_CA.aff", racine / "deux/fr.aff");
        std::filesystem::create_symlink(racine / "deux/fr_CA.dic", racine / "deux/fr.dic");
        std::filesystem::create_symlink(racine / "absent.dic", racine / "deux/casse.dic");
        std::ofstream(racine / "deux/casse.aff") << "x";
        const std::string un = racine / "un", deux = racine / "deux";
        const std::vector<DictionnaireInstalle> installes =
            DictionnairesInstalles({(racine / "absent").string(), un, deux});
        const std::vector<DictionnaireInstalle> attendu = {
            {"en_US", deux + "/en_US.aff", deux + "/en_US.dic"},
            {"fr", deux + "/fr.aff", deux + "/fr.dic"},
            {"fr_CA", un + "/fr_CA.aff", un + "/fr_CA.dic"},
        };
        QCOMPARE(installes, attendu);

        const auto defaut = [](std::vector<std::string> noms) {
            std::vector<DictionnaireInstalle> liste;
            for (const std::string &nom : noms)
                liste.push_back({nom, nom + ".aff", nom + ".dic"});
            return DictionnaireParDefaut(liste);
        };
        QCOMPARE(defaut({"de_DE", "en_US", "fr_BE", "fr_FR"}), "fr_FR");
        QCOMPARE(defaut({"en_US", "fr_BE", "fr_CA"}), "fr_BE");
        QCOMPARE(defaut({"en_US", "fra", "frisian"}), "");
    }

    // The small dictionaries: affixes, the typographic apostrophe, suggestions; one in UTF-8, one in ISO-8859-1.
    void dictionnaire()
    {
        for (const char *nom : {"test", "latin1"}) {
            const std::unique_ptr<Dictionnaire> dictionnaire = Ouvre(Fixture(nom), "", "");
            QVERIFY2(dictionnaire, nom);
            const bool utf8 = std::string_view(nom) == "test";
            for (const char *mot : {"été", "Été", "aujourd'hui", "aujourd’hui"})
                QVERIFY2(dictionnaire->Correct(mot), mot);
            for (const char *mot : {"ete", "\xE9t\xE9", "", "éte\nété"})
                QVERIFY2(!dictionnaire->Correct(mot), mot);
            QCOMPARE(dictionnaire->Correct("maisons"), utf8);
            const std::vector<std::string> suggestions = dictionnaire->Suggestions("ete");
            QVERIFY2(std::ranges::find(suggestions, "été") != suggestions.end(), nom);
        }
        const std::unique_ptr<Dictionnaire> latin1 = Ouvre(Fixture("latin1"), "", "");
        QVERIFY(latin1->Suggestions("œuvre").empty());
        QVERIFY(!latin1->Correct("œuvre"));
        QVERIFY(!latin1->Ajoute("œuvre"));
        QVERIFY(latin1->Correct("œuvre"));

        QVERIFY(!Dictionnaire::Ouvre({"absent", "absent.aff", "absent.dic"}, "", ""));
        QVERIFY(!Dictionnaire::Ouvre({"dossier", DICTIONNAIRES, Fixture("test").dic}, "", ""));
    }

    // Added, written, read again; a file without its last line end, with a byte-order mark and CR LF; a folder that
    // cannot be made, a named pipe.
    void personnel()
    {
        QTemporaryDir temporaire;
        const QString chemin = temporaire.filePath("sous/dossier/mots.txt");
        {
            const std::unique_ptr<Dictionnaire> dictionnaire =
                Ouvre(Fixture("test"), "", chemin.toStdString());
            QVERIFY(!dictionnaire->Correct("balizo"));
            QVERIFY(dictionnaire->Ajoute("balizo"));
            QVERIFY(dictionnaire->Ajoute("balizo"));
            QVERIFY(dictionnaire->Correct("balizo"));
            QVERIFY(!dictionnaire->Ajoute("deux\nmots"));
        }
        QCOMPARE(Contenu(chemin), "balizo\n");
        Ecris(chemin, "\xEF\xBB\xBFxyzzy\r\n  \xE9\r\n plugh \r\nfrobnitz");
        {
            const std::unique_ptr<Dictionnaire> dictionnaire =
                Ouvre(Fixture("test"), Contenu(chemin), chemin.toStdString());
            for (const char *mot : {"xyzzy", "plugh", "frobnitz"})
                QVERIFY2(dictionnaire->Correct(mot), mot);
            QVERIFY(dictionnaire->Ajoute("Grue"));
        }
        QCOMPARE(Contenu(chemin), "\xEF\xBB\xBFxyzzy\r\n  \xE9\r\n plugh \r\nfrobnitz\nGrue\n");
        const std::unique_ptr<Dictionnaire> relu =
            Ouvre(Fixture("test"), Contenu(chemin), chemin.toStdString());
        QVERIFY(relu->Correct("Grue"));

        Ecris(temporaire.filePath("fichier"), "x");
        const std::unique_ptr<Dictionnaire> bloque =
            Ouvre(Fixture("test"), "", temporaire.filePath("fichier/mots.txt").toStdString());
        QVERIFY(!bloque->Ajoute("balizo"));
        QVERIFY(bloque->Correct("balizo"));
        // A named pipe would wait for a reader: nothing is written there.
        const QString tuyau = temporaire.filePath("tuyau");
        QCOMPARE(::mkfifo(QFile::encodeName(tuyau).constData(), 0600), 0);
        const std::unique_ptr<Dictionnaire> tube = Ouvre(Fixture("test"), "", tuyau.toStdString());
        QVERIFY(!tube->Ajoute("balizo"));
        QVERIFY(tube->Correct("balizo"));
    }
};

QTEST_APPLESS_MAIN(TstOrthographe)

#include "tst_orthographe.moc"
