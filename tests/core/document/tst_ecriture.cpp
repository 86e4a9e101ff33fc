#include "core/document/Ecriture.h"

#include <QtTest>

#include <random>

namespace {

std::string_view Vue(const std::string &texte)
{
    return texte;
}

// The text without its markers, and where each of them stood: `marques` lists the markers in the order of the
// places returned.
std::string SansMarques(const QByteArray &marque, std::string_view marques, std::vector<std::size_t> &places)
{
    std::string texte;
    places.assign(marques.size(), 0);
    for (const char c : marque) {
        if (const std::size_t k = marques.find(c); k != std::string_view::npos)
            places[k] = texte.size();
        else
            texte += c;
    }
    return texte;
}

// The names of the elements open at the '|' of the text, separated by blanks.
QByteArray Ouverts(const QByteArray &marque, std::size_t portee = PorteeEcriture)
{
    std::vector<std::size_t> places;
    const std::string texte = SansMarques(marque, "|", places);
    QByteArrayList noms;
    for (const ElementOuvert &element : ElementsOuverts(texte, places[0], portee))
        noms << QByteArray(element.nom.data(), qsizetype(element.nom.size()));
    return noms.join(' ');
}

} // namespace

class TstEcriture : public QObject {
    Q_OBJECT

private slots:
    // The elements open at the '|'.
    void ouverts_data()
    {
        QTest::addColumn<QByteArray>("texte");
        QTest::addColumn<QByteArray>("attendu");
        QTest::newRow("imbrication") << QByteArray("<html><body><ul><li>un|") << QByteArray("html body ul li");
        QTest::newRow("rien d'ouvert") << QByteArray("texte|") << QByteArray();
        QTest::newRow("li fermé par li") << QByteArray("<ul><li>un<li>deux|") << QByteArray("ul li");
        QTest::newRow("liste imbriquée") << QByteArray("<ul><li>a<ul><li>b<li>c|") << QByteArray("ul li ul li");
        QTest::newRow("fermante fermant les éléments laissés ouverts")
            << QByteArray("<div><ul><li>un<p>deux</ul>|") << QByteArray("div");
        QTest::newRow("fermante sans ouvrante ignorée") << QByteArray("<div></span></p>|") << QByteArray("div");
        QTest::newRow("éléments vides et balises auto-fermées")
            << QByteArray("<div><br><IMG SRC=\"x\"><span/><input type=text><a href=x/>|") << QByteArray("div a");
        QTest::newRow("commentaire, déclaration, CDATA")
            << QByteArray("<!DOCTYPE html><?php x ?><div><!-- <p> --><![CDATA[<i>]]><b>|") << QByteArray("div b");
        QTest::newRow("script et style sautés")
            << QByteArray("<div><script>if (a<b) x=\"<p>\";</script><style>p>a{}</STYLE>|") << QByteArray("div");
        QTest::newRow("dans un script") << QByteArray("<body><script>var x = \"<p>|") << QByteArray("body script");
        QTest::newRow("titre ouvert") << QByteArray("<head><title>Page <b>|") << QByteArray("head title");
        QTest::newRow("noscript lu comme balisage") << QByteArray("<noscript><p>|") << QByteArray("noscript p");
        QTest::newRow("majuscules et minuscules") << QByteArray("<UL><Li>a</LI><li>b</Ul><P>|") << QByteArray("P");
        QTest::newRow("p fermé par un bloc") << QByteArray("<p>a<div>b<p>c<H2>|") << QByteArray("div H2");
        QTest::newRow("p au-delà d'un bouton resté ouvert")
            << QByteArray("<p>x<button><p>y<div>|") << QByteArray("p button div");
        QTest::newRow("p fermé par li") << QByteArray("<ul><li><p>a<li>|") << QByteArray("ul li");
        QTest::newRow("cellules et lignes")
            << QByteArray("<table><tr><td>a<td>b<tr><th>c<TD>|") << QByteArray("table tr TD");
        QTest::newRow("groupes de lignes")
            << QByteArray("<table><thead><tr><th>a<tbody><tr><td>b|") << QByteArray("table tbody tr td");
        QTest::newRow("tableau dans une cellule")
            << QByteArray("<table><tr><td><table><tr><td>a</table><td>|") << QByteArray("table tr td");
        QTest::newRow("dt et dd") << QByteArray("<dl><dt>a<dd>b<dt>c|") << QByteArray("dl dt");
        QTest::newRow("option et optgroup") << QByteArray("<select><optgroup><option>a<option>b<optgroup><option>c|")
                                            << QByteArray("select optgroup option");
        QTest::newRow("balise coupée par la position") << QByteArray("<div><span class=\"a|") << QByteArray("div");
        QTest::newRow("chevron dans une valeur") << QByteArray("<div title=\"a>b\"><i>|") << QByteArray("div i");
    }

    void ouverts()
    {
        QFETCH(QByteArray, texte);
        QTEST(Ouverts(texte), "attendu");
    }

    // A reading that begins at the '^', the reach before the '|', and does not take the tail of what the '^' cuts
    // for mark-up.
    void portee_data()
    {
        QTest::addColumn<QByteArray>("texte");
        QTest::addColumn<QByteArray>("attendu");
        QTest::newRow("coupe dans une balise")
            << QByteArray("<div><a hr^ef=\"x\" title=\"y\">t<b>|") << QByteArray("b");
        QTest::newRow("coupe dans un commentaire") << QByteArray("<div><!-- a^aa <p> bbb --><b>|") << QByteArray("b");
        QTest::newRow("coupe dans un script")
            << QByteArray("<script>v^ar s = \"<p>\";</SCRIPT><b>|") << QByteArray("b");
        QTest::newRow("coupe dans le texte") << QByteArray("<div>t^exte <p>a<b>|") << QByteArray("p b");
        QTest::newRow("coupe sur le chevron") << QByteArray("<div>^<p>a|") << QByteArray("p");
    }

    void portee()
    {
        QFETCH(QByteArray, texte);
        const qsizetype coupe = texte.indexOf('^');
        const std::size_t portee = std::size_t(texte.indexOf('|') - coupe - 1);
        QTEST(Ouverts(texte.remove(coupe, 1), portee), "attendu");
    }

    // Where the '|' stands: the place, the word being typed and the tag's element.
    void contexte_data()
    {
        QTest::addColumn<QByteArray>("texte");
        QTest::addColumn<int>("lieu");
        QTest::addColumn<QByteArray>("mot");
        QTest::addColumn<QByteArray>("element");
        const auto ligne = [](const char *nom, const char *texte, Lieu lieu, const char *mot, const char *element) {
            QTest::newRow(nom) << QByteArray(texte) << int(lieu) << QByteArray(mot) << QByteArray(element);
        };
        ligne("texte", "<p>ab|", Lieu::Texte, "", "");
        ligne("nom d'élément", "<p><Di|", Lieu::NomElement, "Di", "Di");
        ligne("après le nom et un blanc", "<a |", Lieu::Balise, "", "a");
        ligne("nom d'attribut commencé", "<A HREF=\"x\" cl|", Lieu::Balise, "cl", "A");
        ligne("après une valeur sans guillemets", "<a href=x.htm t|", Lieu::Balise, "t", "a");
        ligne("valeur entre guillemets", "<a href=\"x.h|", Lieu::Valeur, "", "a");
        ligne("valeur sans guillemets", "<a href=x|", Lieu::Valeur, "", "a");
        ligne("juste après le signe égal", "<a href = |", Lieu::Valeur, "", "a");
        ligne("chevron dans une valeur", "<a title='a>b' |", Lieu::Balise, "", "a");
        ligne("commentaire", "<!-- <a |", Lieu::Commentaire, "", "");
        ligne("CDATA", "<![CDATA[ <b |", Lieu::Commentaire, "", "");
        ligne("balise fermante", "<p></P|", Lieu::Commentaire, "", "");
        ligne("script", "<SCRIPT>if (a <b|", Lieu::TexteBrut, "", "SCRIPT");
        ligne("après un style", "<style>a{}</style>x|", Lieu::Texte, "", "");
        ligne("référence", "caf&eac|", Lieu::Reference, "eac", "");
        ligne("esperluette seule", "a &|", Lieu::Reference, "", "");
        ligne("référence numérique", "&#23|", Lieu::Texte, "", "");
    }

    void contexte()
    {
        QFETCH(QByteArray, texte);
        std::vector<std::size_t> places;
        const std::string page = SansMarques(texte, "|", places);
        const Contexte contexte = ContexteEn(page, places[0]);
        QTEST(int(contexte.lieu), "lieu");
        QTEST(QByteArray::fromStdString(page.substr(contexte.debut, places[0] - contexte.debut)), "mot");
        QTEST(QByteArray(contexte.element.data(), qsizetype(contexte.element.size())), "element");
    }

    // What the '>' or the '/' right before the '|' writes after it.
    void fermetures_data()
    {
        QTest::addColumn<QByteArray>("texte");
        QTest::addColumn<QByteArray>("attendu");
        QTest::newRow("p") << QByteArray("<p>|") << QByteArray("</p>");
        QTest::newRow("casse du nom gardée") << QByteArray("<A HREF=\"x.htm\">|") << QByteArray("</A>");
        QTest::newRow("valeur sans guillemets") << QByteArray("<a href=x.htm>|") << QByteArray("</a>");
        QTest::newRow("script") << QByteArray("<script>|") << QByteArray("</script>");
        QTest::newRow("élément vide") << QByteArray("<BR>|") << QByteArray();
        QTest::newRow("élément vide de HTML 4") << QByteArray("<isindex>|") << QByteArray();
        QTest::newRow("auto-fermée") << QByteArray("<div/>|") << QByteArray();
        QTest::newRow("barre dans une valeur sans guillemets") << QByteArray("<a href=x/>|") << QByteArray("</a>");
        QTest::newRow("fermante") << QByteArray("<p></p>|") << QByteArray();
        QTest::newRow("doctype") << QByteArray("<!doctype html>|") << QByteArray();
        QTest::newRow("instruction") << QByteArray("<?xml version=\"1.0\"?>|") << QByteArray();
        QTest::newRow("commentaire") << QByteArray("<!-- <p>|") << QByteArray();
        QTest::newRow("dans un script") << QByteArray("<script>if (a<b>|") << QByteArray();
        QTest::newRow("dans un style") << QByteArray("<style>p>|") << QByteArray();
        QTest::newRow("dans une valeur") << QByteArray("<a title=\"<b>|") << QByteArray();
        QTest::newRow("dans un CDATA") << QByteArray("<![CDATA[<b>|") << QByteArray();
        QTest::newRow("fermante déjà là") << QByteArray("<li>|</LI>") << QByteArray();
        QTest::newRow("fermante déjà là, blanc avant le chevron") << QByteArray("<li>|</li >") << QByteArray();
        QTest::newRow("autre fermante après") << QByteArray("<li>|</lien>") << QByteArray("</li>");
        QTest::newRow("barre dans une liste") << QByteArray("<ul><li>un</|") << QByteArray("li>");
        QTest::newRow("barre après une fermante") << QByteArray("<ul><li>un</li></|") << QByteArray("ul>");
        QTest::newRow("barre sans rien d'ouvert") << QByteArray("texte</|") << QByteArray();
        QTest::newRow("barre dans un commentaire") << QByteArray("<p><!-- </|") << QByteArray();
        QTest::newRow("barre dans un titre") << QByteArray("<title>Page</|") << QByteArray("title>");
        QTest::newRow("barre non précédée d'un chevron") << QByteArray("<p>a/|") << QByteArray();
    }

    void fermetures()
    {
        QFETCH(QByteArray, texte);
        std::vector<std::size_t> places;
        const std::string page = SansMarques(texte, "|", places);
        const std::size_t tape = places[0] - 1;
        const std::string ecrit =
            page[tape] == '>' ? FermetureApresChevron(page, tape) : FermetureApresBarre(page, tape);
        QTEST(QByteArray::fromStdString(ecrit), "attendu");
    }

    // On random small pages, a '>' writes nothing or the end tag of its tag, its name as written.
    void fermetures_aleatoires()
    {
        const char *morceaux[] = {"<p>",  "<P class=x>", "<Li>",      "</li>", "<br>", "<img/>", "<!-- ",
                                  " -->", "<script>",    "</script>", "a",     "'",    "\"",     " title=\"",
                                  "<div", ">",           "</DIV>",    "<!x>",  "<td"};
        std::mt19937 alea(7);
        for (int page = 0; page < 500; ++page) {
            std::string texte;
            for (int k = std::uniform_int_distribution(1, 12)(alea); k > 0; --k)
                texte += morceaux[std::uniform_int_distribution<std::size_t>(0, std::size(morceaux) - 1)(alea)];
            for (std::size_t chevron = texte.find('>'); chevron != std::string::npos;
                 chevron = texte.find('>', chevron + 1)) {
                const std::string ecrit = FermetureApresChevron(texte, chevron);
                if (ecrit.empty())
                    continue;
                QVERIFY2(ecrit.starts_with("</") && ecrit.ends_with('>'), texte.c_str());
                const std::string nom = ecrit.substr(2, ecrit.size() - 3);
                const std::size_t ouvrante = texte.rfind('<' + nom, chevron);
                QVERIFY2(ouvrante != std::string::npos &&
                             std::string_view(" />").find(texte[ouvrante + ecrit.size() - 2]) != std::string_view::npos,
                         texte.c_str());
                QVERIFY2(!EstElementVide(nom), texte.c_str());
                QVERIFY2(!Vue(texte).substr(chevron + 1).starts_with(ecrit), texte.c_str());
            }
        }
    }

    // The element around the range between '[' and ']': its start tag, its end tag (nothing after the '|' when it
    // has none) and its extent.
    void autour_data()
    {
        QTest::addColumn<QByteArray>("texte");
        QTest::addColumn<QByteArray>("balises");
        QTest::addColumn<QByteArray>("etendue");
        QTest::newRow("curseur dans le texte")
            << QByteArray("<ul><li>u[]n</li></ul>") << QByteArray("<li>|</li>") << QByteArray("<li>un</li>");
        QTest::newRow("curseur dans l'ouvrante")
            << QByteArray("<ul><l[]i class=a>un</li></ul>") << QByteArray("<li class=a>|</li>")
            << QByteArray("<li class=a>un</li>");
        QTest::newRow("curseur sur le chevron de l'ouvrante")
            << QByteArray("<ul>[]<li>un</li></ul>") << QByteArray("<li>|</li>") << QByteArray("<li>un</li>");
        QTest::newRow("curseur dans la fermante")
            << QByteArray("<ul><li>un</[]li></ul>") << QByteArray("<li>|</li>") << QByteArray("<li>un</li>");
        QTest::newRow("curseur après la fermante")
            << QByteArray("<ul><li>un</li>[]</ul>") << QByteArray("<ul>|</ul>") << QByteArray("<ul><li>un</li></ul>");
        QTest::newRow("étendue de l'élément: son parent")
            << QByteArray("<ul>[<li>un</li>]</ul>") << QByteArray("<ul>|</ul>") << QByteArray("<ul><li>un</li></ul>");
        QTest::newRow("sans fermante: li fermé par li")
            << QByteArray("<ul><li>u[]n<li>deux</ul>") << QByteArray("<li>|") << QByteArray("<li>un");
        QTest::newRow("sans fermante: jusqu'à la fin")
            << QByteArray("<p>un <b>d[]eux") << QByteArray("<b>|") << QByteArray("<b>deux");
        QTest::newRow("élément vide") << QByteArray("<p><im[]g src=x></p>") << QByteArray("<img src=x>|")
                                      << QByteArray("<img src=x>");
        QTest::newRow("dans un script") << QByteArray("<script>if (a<b[]) x();</script>")
                                        << QByteArray("<script>|</script>")
                                        << QByteArray("<script>if (a<b) x();</script>");
        QTest::newRow("commentaire dans l'élément")
            << QByteArray("<DIV>a<!-- <p>[] --></div>") << QByteArray("<DIV>|</div>")
            << QByteArray("<DIV>a<!-- <p> --></div>");
        QTest::newRow("plage débordant l'élément") << QByteArray("<div><p>u[n</p>d]</div>")
                                                   << QByteArray("<div>|</div>") << QByteArray("<div><p>un</p>d</div>");
        QTest::newRow("rien autour") << QByteArray("t[]exte <p>a</p>") << QByteArray() << QByteArray();
    }

    void autour()
    {
        QFETCH(QByteArray, texte);
        std::vector<std::size_t> places;
        const std::string page = SansMarques(texte, "[]", places);
        const std::optional<Paire> paire = ElementAutour(page, places[0], places[1]);
        QByteArray balises, etendue;
        if (paire) {
            const auto morceau = [&](std::size_t debut, std::size_t fin) {
                return QByteArray::fromStdString(page.substr(debut, fin - debut));
            };
            balises = morceau(paire->debutOuvrante, paire->finOuvrante) + '|' +
                      morceau(paire->debutFermante, paire->finFermante);
            etendue = morceau(paire->debutOuvrante, paire->finFermante);
        }
        QTEST(balises, "balises");
        QTEST(etendue, "etendue");
    }

    // Comments put on and taken off, and the end tag of a typed start tag.
    void textes()
    {
        const std::pair<const char *, const char *> commentaires[] = {
            {"<p>un</p>", "<!-- <p>un</p> -->"},
            {"<!-- <p>un</p> -->", "<p>un</p>"},
            {"<!--x-->", "x"},
            {"<!-- a --> b <!-- c -->", "<!-- <!-- a --> b <!-- c --> -->"},
            {"", "<!--  -->"},
        };
        for (const auto &[selection, attendu] : commentaires)
            QCOMPARE(BasculeCommentaire(selection), attendu);
        const std::pair<const char *, const char *> fermetures[] = {
            {"<div class=\"note\">", "</div>"},
            {" <SPAN>\n", "</SPAN>"},
            {"<hr>", ""},
            {"<p/>", ""},
            {"<p", ""},
            {"div", ""},
            {"<b><i>", ""},
            {"</b>", ""},
        };
        for (const auto &[ouvrante, attendu] : fermetures)
            QCOMPARE(FermetureDe(ouvrante), attendu);
    }
};

QTEST_APPLESS_MAIN(TstEcriture)
#include "tst_ecriture.moc"
