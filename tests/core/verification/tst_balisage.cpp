// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/verification/Balisage.h"

#include <QThread>
#include <QtTest>

#include <random>
#include <thread>

namespace {

// The body's lines of a correct HTML5 page start on line 8.
std::string Page(const std::string &corps)
{
    return "<!DOCTYPE html>\n<html lang=\"fr\">\n<head>\n<meta charset=\"utf-8\">\n<title>Essai</title>\n</head>\n"
           "<body>\n" +
           corps + "\n</body>\n</html>\n";
}

// The problems as the tests read them: kind, line:column, the text they cover, message.
QStringList Decrits(const std::string &texte)
{
    QStringList decrits;
    CompteurLignes compteur(texte);
    for (const Probleme &p : VerifieBalisage(texte)) {
        const LigneColonne lc = compteur.Position(p.debut);
        decrits << QString::fromStdString(std::string(NomSorte(p.sorte)) + " " + std::to_string(lc.ligne) + ":" +
                                          std::to_string(lc.colonne) + " «" + texte.substr(p.debut, p.fin - p.debut) +
                                          "» " + p.message);
    }
    return decrits;
}

} // namespace

class TestBalisage : public QObject {
    Q_OBJECT

private slots:
    // Two threads at once, the first checks of the run: each gets what it gets alone.
    void deuxFils()
    {
        const std::string pages[] = {Page("<truc>x</truc>"), Page("<div><p>a &Fils</p>")};
        std::vector<Probleme> premiers;
        std::thread fil([&] { premiers = VerifieBalisage(pages[0]); });
        const std::vector<Probleme> seconds = VerifieBalisage(pages[1]);
        fil.join();
        QVERIFY(premiers == VerifieBalisage(pages[0]) && seconds == VerifieBalisage(pages[1]));
    }

    void fautes_data()
    {
        QTest::addColumn<std::string>("texte");
        QTest::addColumn<QStringList>("attendu");
        // Rows whose text is the body of a correct page, whose eighth line is the body's first.
        const auto corps = [](const char *nom, const std::string &texte, const QStringList &attendu) {
            QTest::newRow(nom) << Page(texte) << attendu;
        };
        corps("page correcte", "<ul><li>un<li>deux</ul><table><tr><td>a<td>b<tr><td>c</table>\n"
                               "<p>Un<p>d&eacute;j&agrave; <a href=x.htm>lien</a><br><div></div>\n"
                               "<mon-widget>x</mon-widget><img src=\"a.png\" alt=\"\">", {});
        corps("élément non fermé", "<div><p>a</p>", {"Avertissement 8:1 «<div>» absence de </div>"});
        corps("fin implicite", "<b>gras<p>b</p></b>",
              {"Avertissement 8:1 «<b>» absence de </b> avant <p>", "Avertissement 8:11 «b» insertion implicite de <b>",
               "Avertissement 8:16 «</b>» inhibition de valeur inattendue </b>"});
        corps("élément inconnu", "<truc>x</truc>",
              {"Erreur 8:1 «<truc>» <truc> n'est pas reconnue!",
               "Avertissement 8:1 «<truc>» inhibition de valeur inattendue <truc>",
               "Avertissement 8:8 «</truc>» inhibition de valeur inattendue </truc>"});
        // A browser shows an element that a page defines itself inline, and keeps it out of a table.
        corps("éléments propres dans un paragraphe, avec attributs et texte imbriqué",
              "<p>Un <ma-carte titre=\"Nord\" class=\"c\">texte <b>gras <mon-el>fin</mon-el></b></ma-carte>.</p>", {});
        corps("élément propre mal placé", "<table><mon-el>x</mon-el></table>",
              {"Avertissement 8:8 «<mon-el>» <mon-el> n'est pas permis dans les éléments <table>"});
        QTest::newRow("sans DOCTYPE ni TITLE")
            << std::string("<html>\r\n<head>\r\n</head>\r\n<body>\r\n</body>\r\n</html>")
            << QStringList{"Avertissement 1:1 «<html>» déclaration <!DOCTYPE> manquante",
                           "Avertissement 2:1 «<head>» ajout d'un élément 'title' manquant"};
        // Tidy finds the attributes after the rest.
        corps("attribut inconnu", "<p truc=1>a</span></p>",
              {"Avertissement 8:1 «<p truc=1>» <p> attribut propriétaire \"truc\"",
               "Avertissement 8:12 «</span>» inhibition de valeur inattendue </span>"});
        corps("imbrication croisée", "<p><b><i>a</b></i></p>",
              {"Avertissement 8:7 «<i>» remplacement des b inattendus par </b>",
               "Avertissement 8:15 «</i>» insertion implicite de <i>"});
        corps("& hors entité", "<p>Dupont &Fils &amp Cie</p>",
              {"Avertissement 8:11 «&» symbole & non échappé ou entité inconnue « &Fils »",
               "Avertissement 8:17 «&» l'entité « &amp » ne se termine pas par « ; »"});
        // Tidy's French catalogue leaves these messages in English, garbles them, or names one of its options.
        corps("feuille de style dans le corps", "<p>a<style>p{}</style>",
              {"Avertissement 8:5 «<style>» balise <style> trouvée dans <body> : sa place est dans <head>"});
        corps("commentaire jamais fermé", "<p>a</p><!-- a",
              {"Erreur 8:9 «<!-- a\n» fin du document atteinte avant la fin du commentaire"});
        corps("adresse mal formée", "<p><a href=\"a b\">x</a></p>",
              {"Avertissement 8:4 «<a href=\"a b\">» <a> échappement de la référence d'URI mal formée",
               "Avertissement 8:4 «<a href=\"a b\">» <a> caractères interdits trouvés dans l'URI"});
        QTest::newRow("déclaration XML")
            << std::string("<?xml version=\"1.0\"?>\n<!DOCTYPE html>\n<html lang=\"fr\"><head><title>T</title></head>"
                           "<body></body></html>")
            << QStringList{"Avertissement 1:1 «<?xml version=\"1.0\"?>» Une déclaration XML a été détectée : la "
                           "page est lue comme du HTML."};
        corps("attribut is d'une balise personnalisée", "<p><mon-el is=\"x\">b</mon-el></p>",
              {"Avertissement 8:4 «<mon-el is=\"x\">» <mon-el> attribut \"is\" non permis pour une balise "
               "personnalisée autonome",
               "Avertissement 8:4 «<mon-el is=\"x\">» <mon-el> l'attribut \"is\" a une valeur non valide \"x\""});
    }

    void fautes()
    {
        QFETCH(std::string, texte);
        QTEST(Decrits(texte), "attendu");
    }

    // The same unknown element after every way of ending lines, tabs, characters of several bytes, bytes that are
    // not UTF-8 and control characters: the fault is placed on its tag.
    void positions_data()
    {
        QTest::addColumn<std::string>("avant");
        const std::string entete = "<!DOCTYPE html><html><head><title>T</title></head><body>";
        const std::pair<const char *, std::string> suites[] = {
            {"LF", "\n<p>a\n\n"}, {"CR LF", "\r\n<p>a\r\n\r\n"}, {"CR CR", "\r\r\r"}, {"CR puis tabulation", "\r\t"},
            {"tabulations", "\n \t<p>a\t\t"}, {"accents", "\n<p>été 😀 €"},
            {"UTF-8 non valide", "\n<p>a\xE2\x82\xFF\x80\xF8\x88\x80\x80\x80z"},
            {"contrôles", "\n<p>\x1b" + std::string("a\0\x01\x0c", 4)}};
        for (const auto &[nom, suite] : suites)
            QTest::newRow(nom) << entete + suite;
        QTest::newRow("BOM") << "\xEF\xBB\xBF" + entete;
    }

    void positions()
    {
        QFETCH(std::string, avant);
        const std::string texte = avant + "<truc>";
        const std::vector<Probleme> problemes = VerifieBalisage(texte);
        const auto erreur = std::ranges::find(problemes, Probleme::Sorte::Erreur, &Probleme::sorte);
        QVERIFY(erreur != problemes.end() && erreur->debut == avant.size() && erreur->fin == texte.size());
    }

    // Pages that no one writes by hand: empty, random bytes, one line of 5 MB whose faults are all found in their
    // places, elements nested deeper than the stack of the thread that asks has room for.
    void pagesDifficiles()
    {
        const auto coherents = [](std::string_view texte, const std::vector<Probleme> &problemes) {
            for (std::size_t i = 0; i < problemes.size(); ++i) {
                const Probleme &p = problemes[i];
                if (p.debut > p.fin || p.fin > texte.size() || (i > 0 && problemes[i - 1].debut > p.debut) ||
                    QString::fromStdString(p.message).toStdString() != p.message)
                    return false;
            }
            return true;
        };
        QVERIFY(coherents("", VerifieBalisage("")));
        std::mt19937 alea(7);
        for (int essai = 0; essai < 20; ++essai) {
            std::string octets(4096, '\0');
            for (char &c : octets)
                c = essai % 2 ? char(alea()) : char('!' + alea() % 64);
            QVERIFY(coherents(octets, VerifieBalisage(octets)));
        }

        std::string ligne = "<!DOCTYPE html><title>T</title>";
        std::vector<std::size_t> places;
        while (ligne.size() < 5'000'000) {
            ligne += "<p>Un paragraphe, <b>du gras</b> &amp; <a href=\"page.htm\">un lien</a> é à ç.</p>";
            if (ligne.size() / 100'000 > places.size()) {
                places.push_back(ligne.size());
                ligne += "<truc>";
            }
        }
        std::vector<std::size_t> erreurs;
        for (const Probleme &p : VerifieBalisage(ligne))
            if (p.sorte == Probleme::Sorte::Erreur)
                erreurs.push_back(p.debut);
        QCOMPARE(erreurs, places);

        // Tables nested in a cell of the one before, never closed.
        std::string profonde = "<!DOCTYPE html><title>T</title>";
        for (int i = 0; i < 8000; ++i)
            profonde += "<table><td>";
        std::vector<Probleme> problemes;
        const std::unique_ptr<QThread> fil(QThread::create([&] { problemes = VerifieBalisage(profonde); }));
        fil->setStackSize(256 << 10);
        fil->start();
        fil->wait();
        QVERIFY(!problemes.empty() && coherents(profonde, problemes));
    }
};

QTEST_APPLESS_MAIN(TestBalisage)
#include "tst_balisage.moc"
