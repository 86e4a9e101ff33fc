// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/document/CoupeLignes.h"

#include <QtTest>

#include <array>
#include <random>
#include <set>

namespace {

const std::string Marqueur = "\x01\x02";

// The places in the text before which `Marqueur` was inserted, and whether deleting it gives back the text.
std::vector<std::size_t> Places(std::string_view texte, std::size_t seuil, bool &rendu)
{
    const std::string coupee = CoupeLignes(texte, Marqueur, seuil).value_or(std::string(texte));
    std::vector<std::size_t> places;
    std::string sans;
    std::size_t i = 0;
    for (std::size_t j; (j = coupee.find(Marqueur, i)) != std::string::npos; i = j + Marqueur.size()) {
        sans += coupee.substr(i, j - i);
        places.push_back(sans.size());
    }
    sans += coupee.substr(i);
    rendu = sans == texte;
    return places;
}

bool EstFin(char c)
{
    return c == '\n' || c == '\r';
}

// A random page from a small grammar, with the places before the tags where a break may go as far as the mark-up
// goes; the line rules are left to the test.
class Generateur {
public:
    explicit Generateur(unsigned graine) : alea(graine) {}

    std::string texte;
    std::vector<std::size_t> places;

    void Page()
    {
        Mets(Un({"", "<!DOCTYPE html>", "<!-- debut -->"}));
        if (Tire(2))
            Balise("html", false, true);
        Mets(Fin());
        const int entete = Tire(2) ? Tire(5) + 1 : 0;
        for (int i = 0; i < entete; ++i) {
            Balise(i ? Un({"meta", "link", "title", "style", "script", "noscript"}) : "head", false, true);
            Mets(Un({"", " ", Fin(), "<!-- <p> -->"}));
        }
        if (entete)
            Balise("head", true, true);
        Balise("body", false, true);
        Flux(0);
        if (Tire(6) == 0)
            return Mets("<plaintext><p>" + Fin() + "</plaintext><div>");
        Balise("body", true, true);
        Balise("html", true, true);
    }

private:
    int Tire(int n) { return std::uniform_int_distribution<int>(0, n - 1)(alea); }
    std::string Un(std::initializer_list<std::string> choix) { return choix.begin()[Tire(int(choix.size()))]; }
    std::string Fin() { return Un({"\n", "\r\n", "\r"}); }
    void Mets(const std::string &octets) { texte += octets; }

    // The name in a random case; attributes whose values hold '>', quotes and line ends; then the content of an
    // element that is not mark-up, and its end tag.
    void Balise(const std::string &nom, bool fermante, bool place)
    {
        if (place)
            places.push_back(texte.size());
        std::string casse = nom;
        for (char &c : casse)
            c = Tire(3) || c < 'a' ? c : char(c - 'a' + 'A');
        Mets((fermante ? "</" : "<") + casse);
        for (int i = fermante ? 0 : Tire(3); i > 0; --i)
            Mets(Un({" ", Fin(), "\t"}) + Un({"class=\"a>b\"", "title='x\">" + Fin() + "<div>'", "data-x=a\"b",
                                               "'a\"b", "hidden", "id = 'p>q'", "=x", "href=x/y"}));
        Mets(Un({">", ">", "/>", " >", Fin() + ">"}));
        if (fermante || !std::set<std::string>{"script", "style", "textarea", "title", "xmp", "iframe", "noembed",
                                               "noframes", "noscript"}.contains(nom))
            return;
        for (int i = Tire(4); i > 0; --i) {
            if (nom == "script")
                Mets(Un({"a = b < c;", "s = '<div>';", "s = '</scr' + 'ipt>';", "<!-- <p> -->", "<!-->", "a-->b",
                         "<!--<script>s = '</script>';-->", "</scripty>", "x = '</pre>';", Fin()}));
            else
                Mets(Un({"a > b", "<p>", "</" + nom + "x>", "</pre>", "&lt;", Fin()}));
        }
        Mets("</" + nom + Un({">", " >", "\n>"}));
    }

    void Flux(int profondeur)
    {
        // Blocks first, then inline elements and names that are not those of blocks.
        static const char *const Elements[] = {
            "div", "p", "li", "ul", "td", "tr", "table", "h3", "section", "blockquote", "dd", "option", "form",
            "header", "br", "hr", "span", "a", "b", "img", "select", "divx", "d", "tdx", "lis"};
        for (int i = Tire(profondeur == 0 ? 40 : profondeur < 3 ? 6 : 3); i > 0; --i) {
            switch (Tire(8)) {
            case 0:
                Mets(Un({"texte", "a < b", "x<3", "&lt;p&gt;", "</ <div>", "<? <p> ?>", "<![CDATA[ <div> ]]>",
                         "</>", " ", "a-->b", Fin()}));
                break;
            case 1:
                Mets(Un({"<!-- <div> - -- x", "<!--!> <p>", "<!-- <br>"}) + Fin() + Un({"-->", "--!>", "--->"}));
                Mets(Un({"", "<!-->", "<!--->", "<!---->"}));
                break;
            case 2: {
                const std::string nom = Un({"pre", "listing"});
                Balise(nom, false, true);
                for (int j = Tire(5); j > 0; --j)
                    Mets(Un({"texte", Fin(), "<b>x</b>", "<div>y</div>", "<!-- </" + nom + "> -->",
                             "<" + nom + ">z</" + nom + ">", "<script>a='</" + nom + ">'</script>",
                             "<textarea></" + nom + "></textarea>"}));
                Balise(nom, true, false);
                break;
            }
            case 3:
                Balise(Un({"script", "style", "textarea", "title", "xmp", "iframe", "noembed", "noframes", "noscript"}),
                       false, false);
                break;
            default: {
                const int k = Tire(int(std::size(Elements)));
                Balise(Elements[k], false, k < 16);
                Flux(profondeur + 1);
                Balise(Elements[k], true, k < 16);
            }
            }
        }
    }

    std::mt19937 alea;
};

} // namespace

class TstCoupeLignes : public QObject {
    Q_OBJECT

private slots:
    // '|' stands for the line end in the result.
    void regles_data()
    {
        QTest::addColumn<QByteArray>("entree");
        QTest::addColumn<int>("seuil");
        QTest::addColumn<QByteArray>("attendu");
        const std::tuple<const char *, const char *, int, const char *> lignes[] = {
            {"seuil égal", "a<p>b\r\nxx<p>yyyyyy\r<p>x", 5, "a<p>b\r\nxx|<p>yyyyyy\r<p>x"},
            {"seuil dépassé", "a<p>b\r\nxx<p>yyyyyy\r<p>x", 4, "a|<p>b\r\nxx|<p>yyyyyy\r<p>x"},
            {"script et ses échappements",
             "<p>a<script><!-- x='</script>'--></script><p><script><!--<script>'</script><p>'--></script><p>"
             "<script><!--><script></script><p>", 0,
             "<p>a<script><!-- x='</script>'--></script>|<p><script><!--<script>'</script><p>'--></script>|<p>"
             "<script><!--><script></script>|<p>"},
            {"guillemet non fermé", "a<p title='x>b<div>", 0, "a|<p title='x>b<div>"},
            {"</pre> de trop", "a</pre><p>b<div>", 0, "a|</pre>|<p>b|<div>"},
            {"en-tête", "<html><head>\n <meta> <title><p></title><style>p>a{}</style><script>s</script></head><link>"
             "<body><meta><p>x<script>s</script>", 0,
             "<html>|<head>\n |<meta> |<title><p></title>|<style>p>a{}</style>|<script>s</script>|</head>|<link>"
             "|<body><meta>|<p>x<script>s</script>"},
            {"en-tête fini par du texte", "<head><meta>x<meta>", 0, "<head>|<meta>x<meta>"},
            {"en-tête fini par une balise", "<head><meta><b><meta>", 0, "<head>|<meta><b><meta>"},
            {"en-tête fini par </html>", "<head><meta></html><meta>", 0, "<head>|<meta>|</html><meta>"},
        };
        for (const auto &[nom, entree, seuil, attendu] : lignes)
            QTest::newRow(nom) << QByteArray(entree) << seuil << QByteArray(attendu);
    }

    void regles()
    {
        QFETCH(QByteArray, entree);
        QFETCH(int, seuil);
        QFETCH(QByteArray, attendu);
        const std::optional<std::string> coupee = CoupeLignes(entree.toStdString(), "|", std::size_t(seuil));
        QCOMPARE(QByteArray::fromStdString(coupee.value_or(entree.toStdString())), attendu);
        QCOMPARE(coupee.has_value(), attendu != entree);
    }

    // Random pages: the breaks are exactly the places allowed, in long lines, without a line end before them.
    void aleatoire()
    {
        std::size_t coupures = 0;
        for (unsigned graine = 0; graine < 3000; ++graine) {
            Generateur generateur(graine);
            generateur.Page();
            const std::string &texte = generateur.texte;
            const std::size_t seuil = std::array{0, 20, 60, 120}[graine % 4];
            std::vector<std::size_t> attendues;
            for (const std::size_t place : generateur.places) {
                std::size_t debut = place, fin = place;
                while (debut > 0 && !EstFin(texte[debut - 1]))
                    --debut;
                while (fin < texte.size() && !EstFin(texte[fin]))
                    ++fin;
                if (place != debut && fin - debut > seuil)
                    attendues.push_back(place);
            }
            bool rendu = false;
            const std::vector<std::size_t> places = Places(texte, seuil, rendu);
            QVERIFY2(rendu && places == attendues, qPrintable(QString("graine %1, seuil %2").arg(graine).arg(seuil)));
            coupures += places.size();
        }
        QVERIFY(coupures > 50'000);
    }
};

QTEST_APPLESS_MAIN(TstCoupeLignes)
#include "tst_coupelignes.moc"
