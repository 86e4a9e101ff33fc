// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/verification/Orthographe.h"

#include <QTemporaryDir>
#include <QtTest>

#include <filesystem>
#include <fstream>

#include <sys/stat.h>

namespace {

// The words as "texte@debut-fin:langue", which a failed comparison shows readably.
QStringList Decrits(const std::vector<Mot> &mots)
{
    QStringList decrits;
    for (const Mot &mot : mots)
        decrits << QStringLiteral("%1@%2-%3:%4")
                       .arg(QString::fromStdString(mot.texte), QString::number(mot.debut), QString::number(mot.fin),
                            QString::fromStdString(std::string(mot.langue)));
    return decrits;
}

// The words of the page, in order, each found where it is written: "ecrit" or, when the references in it read
// otherwise, "ecrit=lu"; then ":langue" when its language is not `langue`.
QStringList Places(const std::string &page, const QStringList &mots, const QString &langue = {})
{
    QStringList decrits;
    std::size_t depuis = 0;
    for (const QString &mot : mots) {
        const QString lu = mot.section(':', 0, 0);
        const std::string ecrit = lu.section('=', 0, 0).toStdString();
        const std::size_t debut = page.find(ecrit, depuis);
        depuis = debut + ecrit.size();
        decrits << QStringLiteral("%1@%2-%3:%4")
                       .arg(lu.section('=', -1), QString::number(debut), QString::number(depuis),
                            mot.contains(':') ? mot.section(':', 1) : langue);
    }
    return decrits;
}

// The small dictionary of that name with the personal words given, or none when it cannot be opened.
std::unique_ptr<Dictionnaire> Ouvre(const char *nom, std::string_view mots = "", const std::string &personnel = "")
{
    const std::string base = std::string(DICTIONNAIRES "/") + nom;
    auto ouvert = Dictionnaire::Ouvre({nom, base + ".aff", base + ".dic"}, mots, personnel);
    return ouvert ? std::move(*ouvert) : nullptr;
}

std::string Contenu(const QString &chemin)
{
    QFile fichier(chemin);
    return fichier.open(QIODevice::ReadOnly) ? fichier.readAll().toStdString() : "absent";
}

// Dictionaries of those names, as installed.
std::vector<DictionnaireInstalle> Installes(std::initializer_list<std::string> noms)
{
    std::vector<DictionnaireInstalle> installes;
    for (const std::string &nom : noms)
        installes.push_back({nom, nom + ".aff", nom + ".dic"});
    return installes;
}

} // namespace

class TstOrthographe : public QObject {
    Q_OBJECT

private slots:
    // Whole pages: each row's words are found in the page in order, written as they are, in their language, the
    // page's own given as "fr"; and the code read when asked.
    void motsVisibles_data()
    {
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<bool>("code");
        QTest::addColumn<QStringList>("mots");
        const auto ligne = [](const char *nom, const char *page, QStringList mots, bool code = false) {
            QTest::newRow(nom) << QByteArray(page) << code << mots;
        };
        ligne("ALT et TITLE lus, les autres valeurs et les noms non",
              "<img src=\"chat.png\" alt=\"Un chat\" title='gris clair'><a href=noir TITLE=bleu>x</a></a title=non>",
              {"Un", "chat", "gris", "clair", "bleu", "x"});
        ligne("commentaires, déclarations, CDATA",
              "<!DOCTYPE html><!-- caché -->un<!-->deux<![CDATA[non]]><?xml non?>trois</ non>",
              {"un", "deux", "trois"});
        ligne("script et style, noms en capitales, échappement dans un script",
              "<SCRIPT>var x = \"<p>non</p>\";</SCRIPT >oui<style>p { color: red }</style>vu"
              "<script><!-- document.write(\"<script>a()</script> non\") --></script>lu",
              {"oui", "vu", "lu"});
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
        ligne("chiffres, soulignés, adresses seules, pas les mots qui les touchent",
              "MP3 2e mot_clé x2 ou www.balizo.fr, index.html (voir:https://ici.fr/a.b) écrire:moi@ici.fr,merci "
              "mailto:toi@la.be Lien:balizo.fr/aide.htm?x=1,suite exemple.COM /etc/apt/sources.list "
              "WWW.Exemple.museum/x fin.",
              {"ou", "voir", "écrire", "merci", "Lien", "exemple", "COM", "fin"});
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
        ligne("texte sans espaces entre les mots, < seul, octet invalide", "日本語 là a < b \xE9t\xE9 c<3",
              {"là", "a", "b", "t", "c"});
        ligne("l'élément le plus proche, xml:lang avant lang, html compris, lang vide: aucune",
              "<html lang=\"de\"><p>eins <span lang=\" en-GB \">two <b>three</b></span> vier</p>"
              "<p lang=\"en\" xml:lang=\"es\">seis</p><P LANG=it>sette</P><p lang=\"\">rien</p></html> après",
              {"eins:de", "two:en-GB", "three:en-GB", "vier:de", "seis:es", "sette:it", "rien:", "après:fr"});
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
        ligne("attributs dans la langue de leur élément, title et textarea d'une autre langue",
              "<img lang=\"en\" alt=\"cat\"><p lang=\"en\" title=\"tip\">x <input lang=de type=submit value=Senden></p>"
              "<title lang=\"en\">Title</title><textarea lang=\"de\">Feld</textarea>",
              {"cat:en", "tip:en", "x:en", "Senden:de", "Title:en", "Feld:de"});
        ligne("code lu sur demande, dans sa langue",
              "<pre lang=\"en\">make <b>it</b></pre><p>puis <code>ls</code></p>",
              {"make:en", "it:en", "puis:fr", "ls:fr"}, true);
    }

    void motsVisibles()
    {
        QFETCH(QByteArray, page);
        QFETCH(bool, code);
        QFETCH(QStringList, mots);
        const std::string texte = page.toStdString();
        QCOMPARE(Decrits(MotsVisibles(texte, 0, texte.size(), {"fr", code})), Places(texte, mots, "fr"));
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
        QTEST(QString::fromStdString(LangueDePage(page.toStdString())), "langue");
    }

    // The dictionary of a language among en_AU, en_GB, en_US, fr, fr_CA, fr_FR, pt_BR, sr_Latn_RS.
    void dictionnairePour_data()
    {
        QTest::addColumn<QString>("langue");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("choisi");
        QTest::addColumn<QString>("dictionnaire");
        QTest::newRow("sans langue: le choisi") << " " << "en" << "fr_FR" << "fr_FR";
        QTest::newRow("langue de la page, celle du choisi") << "fr-CA" << "fr-ca" << "fr_FR" << "fr_FR";
        QTest::newRow("région exacte avant le choisi") << "fr-CA" << "fr" << "fr_FR" << "fr_CA";
        QTest::newRow("région en minuscules, trait bas") << "EN_gb" << "fr" << "fr_FR" << "en_GB";
        QTest::newRow("région absente: le choisi de la langue") << "fr-BE" << "en" << "fr_CA" << "fr_CA";
        QTest::newRow("langue seule: le dictionnaire de son nom") << "fr" << "en" << "en_US" << "fr";
        QTest::newRow("région absente: sa région usuelle") << "en-NZ" << "fr" << "fr_FR" << "en_US";
        QTest::newRow("ni nom ni région usuelle: le premier") << "pt" << "fr" << "fr_FR" << "pt_BR";
        QTest::newRow("écriture passée") << "sr-Latn-RS" << "fr" << "fr_FR" << "sr_Latn_RS";
        QTest::newRow("page de la langue, choisi d'une autre") << "en" << "en" << "fr_FR" << "en_US";
        QTest::newRow("non installée: rien") << "de-DE" << "de" << "fr_FR" << "";
        QTest::newRow("étiquette illisible: rien") << "-" << "fr" << "fr_FR" << "";
    }

    void dictionnairePour()
    {
        QFETCH(QString, langue);
        QFETCH(QString, page);
        QFETCH(QString, choisi);
        QFETCH(QString, dictionnaire);
        const auto installes = Installes({"en_AU", "en_GB", "en_US", "fr", "fr_CA", "fr_FR", "pt_BR", "sr_Latn_RS"});
        QCOMPARE(DictionnairePour(langue.toStdString(), page.toStdString(), choisi.toStdString(), installes),
                 dictionnaire.toStdString());
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
                                              "sept", "huit", "neuf", "ten:en", "onze"}));
        for (std::size_t debut = 0; debut <= page.size(); ++debut) {
            for (std::size_t fin = debut; fin <= page.size(); fin += 7) {
                std::vector<Mot> attendu;
                std::ranges::copy_if(tous, std::back_inserter(attendu),
                                     [&](const Mot &mot) { return mot.fin >= debut && mot.debut <= fin; });
                if (MotsVisibles(page, debut, fin) != attendu)
                    QFAIL(qPrintable(QStringLiteral("plage %1-%2").arg(debut).arg(fin)));
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

    // The folders searched; in them, two folders that hold the same name, a link, a .aff alone, a folder that is
    // missing; the default among those installed.
    void installes()
    {
        const auto avec = [](std::vector<std::string> dossiers) {
            for (const char *systeme : {"/usr/share/hunspell", "/usr/share/myspell/dicts", "/usr/share/myspell"})
                dossiers.push_back(systeme);
            return dossiers;
        };
        QCOMPARE(DossiersDictionnaires("", "", "/home/u"), avec({"/home/u/.local/share/hunspell"}));
        QCOMPARE(DossiersDictionnaires("/a::/b:", "/xdg", "/home/u"), avec({"/a", "/b", "/xdg/hunspell"}));
        QCOMPARE(DossiersDictionnaires("/a", "relatif", ""), avec({"/a"}));
        QTemporaryDir temporaire;
        const std::filesystem::path racine = temporaire.path().toStdString();
        for (const char *fichier : {"un/fr_CA.aff", "un/fr_CA.dic", "un/seul.aff", "deux/fr_CA.aff", "deux/fr_CA.dic",
                                    "deux/en_US.aff", "deux/en_US.dic", "deux/lisez-moi.txt", "deux/casse.aff"}) {
            std::filesystem::create_directories((racine / fichier).parent_path());
            std::ofstream(racine / fichier) << "x";
        }
        std::filesystem::create_symlink(racine / "deux/fr_CA.aff", racine / "deux/fr.aff");
        std::filesystem::create_symlink(racine / "deux/fr_CA.dic", racine / "deux/fr.dic");
        std::filesystem::create_symlink(racine / "absent.dic", racine / "deux/casse.dic");
        const std::string un = racine / "un", deux = racine / "deux";
        QCOMPARE(DictionnairesInstalles({(racine / "absent").string(), un, deux}),
                 (std::vector<DictionnaireInstalle>{{"en_US", deux + "/en_US.aff", deux + "/en_US.dic"},
                                                    {"fr", deux + "/fr.aff", deux + "/fr.dic"},
                                                    {"fr_CA", un + "/fr_CA.aff", un + "/fr_CA.dic"}}));

        QCOMPARE(DictionnaireParDefaut(Installes({"de_DE", "en_US", "fr_BE", "fr_FR"})), "fr_FR");
        QCOMPARE(DictionnaireParDefaut(Installes({"en_US", "fr_BE", "fr_CA"})), "fr_BE");
        QCOMPARE(DictionnaireParDefaut(Installes({"en_US", "fra", "frisian"})), "");
    }

    // The small dictionaries: affixes, the typographic apostrophe, suggestions; one in UTF-8, one in ISO-8859-1.
    void dictionnaire()
    {
        for (const char *nom : {"test", "latin1"}) {
            const std::unique_ptr<Dictionnaire> dictionnaire = Ouvre(nom);
            QVERIFY2(dictionnaire, nom);
            for (const char *mot : {"été", "Été", "aujourd'hui", "aujourd’hui"})
                QVERIFY2(dictionnaire->Correct(mot), mot);
            for (const char *mot : {"ete", "\xE9t\xE9", "", "éte\nété"})
                QVERIFY2(!dictionnaire->Correct(mot), mot);
            QCOMPARE(dictionnaire->Correct("maisons"), std::string_view(nom) == "test");
            QVERIFY2(std::ranges::count(dictionnaire->Suggestions("ete"), "été") == 1, nom);
        }
        // A word that the dictionary's encoding cannot hold: neither known nor suggested, yet accepted once added.
        const std::unique_ptr<Dictionnaire> latin1 = Ouvre("latin1");
        QVERIFY(latin1->Suggestions("œuvre").empty() && !latin1->Correct("œuvre"));
        QVERIFY(!latin1->Ajoute("œuvre") && latin1->Correct("œuvre"));

        QVERIFY(!Dictionnaire::Ouvre({"absent", "absent.aff", "absent.dic"}, "", ""));
        QVERIFY(!Dictionnaire::Ouvre({"dossier", DICTIONNAIRES, DICTIONNAIRES "/test.dic"}, "", ""));
    }

    // Added, written, read again; a file without its last line end, with a byte-order mark and CR LF; a folder that
    // cannot be made, a named pipe.
    void personnel()
    {
        QTemporaryDir temporaire;
        const QString chemin = temporaire.filePath("sous/dossier/mots.txt");
        const std::unique_ptr<Dictionnaire> nouveau = Ouvre("test", "", chemin.toStdString());
        QVERIFY(!nouveau->Correct("balizo") && nouveau->Ajoute("balizo") && nouveau->Ajoute("balizo"));
        QVERIFY(nouveau->Correct("balizo") && !nouveau->Ajoute("deux\nmots"));
        QCOMPARE(Contenu(chemin), "balizo\n");
        std::ofstream(chemin.toStdString(), std::ios::binary) << "\xEF\xBB\xBFxyzzy\r\n  \xE9\r\n plugh \r\nfrobnitz";
        const std::unique_ptr<Dictionnaire> lu = Ouvre("test", Contenu(chemin), chemin.toStdString());
        for (const char *mot : {"xyzzy", "plugh", "frobnitz"})
            QVERIFY2(lu->Correct(mot), mot);
        QVERIFY(lu->Ajoute("Grue"));
        QCOMPARE(Contenu(chemin), "\xEF\xBB\xBFxyzzy\r\n  \xE9\r\n plugh \r\nfrobnitz\nGrue\n");
        QVERIFY(Ouvre("test", Contenu(chemin), chemin.toStdString())->Correct("Grue"));

        // Where nothing can be written, or a named pipe would wait for a reader: the word is known for the session.
        std::ofstream(temporaire.filePath("fichier").toStdString()) << "x";
        const QString tuyau = temporaire.filePath("tuyau");
        QCOMPARE(::mkfifo(QFile::encodeName(tuyau).constData(), 0600), 0);
        for (const QString &personnel : {temporaire.filePath("fichier/mots.txt"), tuyau}) {
            const std::unique_ptr<Dictionnaire> bloque = Ouvre("test", "", personnel.toStdString());
            QVERIFY2(!bloque->Ajoute("balizo") && bloque->Correct("balizo"), qPrintable(personnel));
        }
    }
};

QTEST_APPLESS_MAIN(TstOrthographe)

#include "tst_orthographe.moc"
