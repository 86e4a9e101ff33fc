// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/document/Ecriture.h"

#include <QtTest>

#include <random>

namespace {

// A table of texts: its columns, then its rows, each one its name and a text per column.
void Table(std::initializer_list<const char *> colonnes,
           std::initializer_list<std::initializer_list<const char *>> lignes)
{
    for (const char *colonne : colonnes)
        QTest::addColumn<QByteArray>(colonne);
    for (const auto &ligne : lignes) {
        QTestData &donnees = QTest::newRow(*ligne.begin());
        for (auto texte = ligne.begin() + 1; texte != ligne.end(); ++texte)
            donnees << QByteArray(*texte);
    }
}

// The text without its markers, and where each of the markers (one or two) stood, in their order in `marques`.
std::pair<std::string, std::array<std::size_t, 2>> SansMarques(const QByteArray &marque, std::string_view marques)
{
    std::pair<std::string, std::array<std::size_t, 2>> page{};
    for (const char c : marque) {
        if (const std::size_t k = marques.find(c); k != std::string_view::npos)
            page.second[k] = page.first.size();
        else
            page.first += c;
    }
    return page;
}

} // namespace

class TstEcriture : public QObject {
    Q_OBJECT

private slots:
    // The elements open at the '|'; with a '^', the reading begins there, the reach before the '|', and does not
    // take the tail of what the '^' cuts for mark-up.
    void ouverts_data()
    {
        Table({"texte", "attendu"},
              {
                  {"liste imbriquée", "<ul><li>a<ul><li>b<li>c|", "ul li ul li"},
                  {"fermantes: sans ouvrante ignorée, fermant ce qui reste", "<div><ul><li>a<p>b</i></ul>|", "div"},
                  {"éléments vides et auto-fermés", "<div><br><IMG SRC=\"x\"><span/><a href=x/>|", "div a"},
                  {"commentaire, déclarations, CDATA", "<!DOCTYPE html><?x ?><!-- <p> --><![CDATA[<i>]]><b>|", "b"},
                  {"script et style sautés", "<div><script>if (a<b) x=\"<p>\";</script><style>p>a{}</STYLE>|", "div"},
                  {"dans un script", "<body><script>var x = \"<p>|", "body script"},
                  {"titre ouvert", "<head><title>Page <b>|", "head title"},
                  {"head fermé par body", "<head><title>Page</title><body>|", "body"},
                  {"noscript lu comme balisage", "<noscript><p>|", "noscript p"},
                  {"majuscules et minuscules", "<UL><Li>a</LI><li>b</Ul><P>|", "P"},
                  {"p fermé par un bloc", "<p>a<div>b<p>c<H2>|", "div H2"},
                  {"p au-delà d'un bouton resté ouvert", "<p>x<button><p>y<div>|", "p button div"},
                  {"p fermé par li", "<ul><li><p>a<li>|", "ul li"},
                  {"cellules et lignes", "<table><tr><td>a<td>b<tr><th>c<TD>|", "table tr TD"},
                  {"groupes de lignes", "<table><thead><tr><th>a<tbody><tr><td>b|", "table tbody tr td"},
                  {"tableau dans une cellule", "<table><tr><td><table><tr><td>a</table><td>|", "table tr td"},
                  {"dt et dd", "<dl><dt>a<dd>b<dt>c|", "dl dt"},
                  {"option et optgroup", "<select><optgroup><option><option><optgroup><option>|",
                   "select optgroup option"},
                  {"balise coupée par la position", "<div><span class=\"a|", "div"},
                  {"coupe dans une balise", "<div><a hr^ef=\"x\" title=\"y\">t<b>|", "a b"},
                  {"coupe dans une valeur", "<div><a title=\"x ^<b> y\" href=\"z\">t|", "a"},
                  {"coupe dans un commentaire", "<div><!-- a^aa <p> bbb --><b>|", "b"},
                  {"coupe dans un script", "<script>v^ar s = \"<p>\";</SCRIPT><b>|", "b"},
                  {"coupe dans le texte", "<div>t^exte <p>a<b>|", "p b"},
              });
    }

    void ouverts()
    {
        QFETCH(QByteArray, texte);
        const auto [page, places] = SansMarques(texte, "^|");
        const std::size_t portee = texte.contains('^') ? places[1] - places[0] : PorteeEcriture;
        QByteArrayList noms;
        for (const ElementOuvert &element : ElementsOuverts(page, places[1], portee))
            noms << QByteArray(element.nom.data(), qsizetype(element.nom.size()));
        QTEST(noms.join(' '), "attendu");
    }

    // Where the '|' stands: the place, the word being typed and the tag's element.
    void contexte_data()
    {
        Table({"texte", "lieu", "mot", "element"},
              {
                  {"texte", "<p>ab|", "Texte", "", ""},
                  {"nom d'élément", "<p><Di|", "NomElement", "Di", "Di"},
                  {"après le nom et un blanc", "<a |", "Balise", "", "a"},
                  {"nom d'attribut commencé", "<A HREF=\"x\" cl|", "Balise", "cl", "A"},
                  {"après une valeur sans guillemets", "<a href=x.htm t|", "Balise", "t", "a"},
                  {"valeur entre guillemets", "<a href=\"x.h|", "Valeur", "", "a"},
                  {"valeur sans guillemets", "<a href=x|", "Valeur", "", "a"},
                  {"juste après le signe égal", "<a href = |", "Valeur", "", "a"},
                  {"commentaire", "<!-- <a |", "Commentaire", "", ""},
                  {"balise fermante", "<p></P|", "Commentaire", "", ""},
                  {"script", "<SCRIPT>if (a <b|", "TexteBrut", "", "SCRIPT"},
                  {"référence", "caf&eac|", "Reference", "eac", ""},
                  {"esperluette seule", "a &|", "Reference", "", ""},
                  {"référence numérique", "&#23|", "Texte", "", ""},
              });
    }

    void contexte()
    {
        QFETCH(QByteArray, texte);
        const auto [page, places] = SansMarques(texte, "|");
        const Contexte contexte = ContexteEn(page, places[0]);
        const char *lieux[] = {"Texte", "NomElement", "Balise", "Valeur", "Commentaire", "TexteBrut", "Reference"};
        QTEST(QByteArray(lieux[int(contexte.lieu)]), "lieu");
        QTEST(QByteArray::fromStdString(page.substr(contexte.debut, places[0] - contexte.debut)), "mot");
        QTEST(QByteArray(contexte.element.data(), qsizetype(contexte.element.size())), "element");
    }

    // What the '>' or the '/' right before the '|' writes after it.
    void fermetures_data()
    {
        Table({"texte", "attendu"},
              {
                  {"casse du nom gardée", "<A HREF=\"x.htm\">|", "</A>"},
                  {"script", "<script>|", "</script>"},
                  {"élément vide", "<BR>|", ""},
                  {"auto-fermée", "<div/>|", ""},
                  {"barre dans une valeur sans guillemets", "<a href=x/>|", "</a>"},
                  {"fermante", "<p></p>|", ""},
                  {"doctype", "<!doctype html>|", ""},
                  {"commentaire", "<!-- <p>|", ""},
                  {"dans un script", "<script>if (a<b>|", ""},
                  {"dans une valeur", "<a title=\"<b>|", ""},
                  {"nom qui n'en est pas un", "<td<>|", ""},
                  {"fermante déjà là, en capitales, un blanc avant son chevron", "<li>|</LI >", ""},
                  {"autre fermante après", "<li>|</lien>", "</li>"},
                  {"barre dans une liste", "<ul><li>un</|", "li>"},
                  {"barre après une fermante", "<ul><li>un</li></|", "ul>"},
                  {"barre sans rien d'ouvert", "texte</|", ""},
                  {"barre dans un commentaire", "<p><!-- </|", ""},
                  {"barre dans un titre", "<title>Page</|", "title>"},
                  {"barre non précédée d'un chevron", "<p>a/|", ""},
              });
    }

    void fermetures()
    {
        QFETCH(QByteArray, texte);
        const auto [page, places] = SansMarques(texte, "|");
        const std::size_t tape = places[0] - 1;
        QTEST(QByteArray::fromStdString(page[tape] == '>' ? FermetureApresChevron(page, tape)
                                                          : FermetureApresBarre(page, tape)),
              "attendu");
    }

    // On random small pages, a '>' writes nothing or "</", the name of a start tag before it as written, and '>'.
    void fermetures_aleatoires()
    {
        const char *morceaux[] = {"<p>",  "<P class=x>", "<Li>", "</li>", "<br>",  "<img/>",    "<!-- ",
                                  " -->", "<script>",    "a",    "'",     "\"",    " title=\"", "<div",
                                  ">",    "</DIV>",      "<!x>", "<td",   "</tD>", "<td></td>"};
        std::mt19937 alea(7);
        int ecrites = 0;
        for (int page = 0; page < 500; ++page) {
            std::string texte;
            for (int k = std::uniform_int_distribution(1, 12)(alea); k > 0; --k)
                texte += morceaux[std::uniform_int_distribution<std::size_t>(0, std::size(morceaux) - 1)(alea)];
            for (std::size_t chevron = texte.find('>'); chevron != std::string::npos;
                 chevron = texte.find('>', chevron + 1)) {
                const std::string ecrit = FermetureApresChevron(texte, chevron);
                if (ecrit.empty())
                    continue;
                ++ecrites;
                const std::string nom = ecrit.substr(2, ecrit.size() - 3);
                const std::size_t ouvrante = texte.rfind('<' + nom, chevron);
                QVERIFY2(ecrit.starts_with("</") && ecrit.ends_with('>') && ouvrante != std::string::npos &&
                             std::string(" />").find(texte[ouvrante + nom.size() + 1]) != std::string::npos,
                         texte.c_str());
                QVERIFY2(!EstElementVide(nom) && !texte.substr(chevron + 1).starts_with(ecrit), texte.c_str());
            }
        }
        QVERIFY(ecrites > 100);
    }

    // The element around the range between '[' and ']': its start tag, its end tag (nothing after the '|' when it
    // has none) and its extent.
    void autour_data()
    {
        Table(
            {"texte", "balises", "etendue"},
            {
                {"curseur dans le texte", "<ul><li>u[]n</li></ul>", "<li>|</li>", "<li>un</li>"},
                {"curseur dans l'ouvrante", "<ul><l[]i id=a>un</li></ul>", "<li id=a>|</li>", "<li id=a>un</li>"},
                {"curseur sur le '<' d'une ouvrante fermant la précédente", "<ul><li>un[]<li>2</ul>", "<li>|", "<li>2"},
                {"curseur dans la fermante", "<ul><li>un</[]li></ul>", "<li>|</li>", "<li>un</li>"},
                {"curseur après la fermante", "<ul><li>un</li>[]</ul>", "<ul>|</ul>", "<ul><li>un</li></ul>"},
                {"étendue de l'élément: son parent", "<ul>[<li>un</li>]</ul>", "<ul>|</ul>", "<ul><li>un</li></ul>"},
                {"sans fermante: li fermé par li", "<ul><li>u[]n<li>deux</ul>", "<li>|", "<li>un"},
                {"sans fermante: jusqu'à la fin", "<p>un <b>d[]eux", "<b>|", "<b>deux"},
                {"élément vide", "<p><im[]g src=x></p>", "<img src=x>|", "<img src=x>"},
                {"dans un script", "<script>a<b[]</script>", "<script>|</script>", "<script>a<b</script>"},
                {"commentaire dans l'élément", "<DIV><!-- <p>[] --></div>", "<DIV>|</div>", "<DIV><!-- <p> --></div>"},
                {"plage débordant l'élément", "<div><p>u[n</p>d]</div>", "<div>|</div>", "<div><p>un</p>d</div>"},
                {"rien autour", "t[]exte <p>a</p>", "", ""},
            });
    }

    void autour()
    {
        QFETCH(QByteArray, texte);
        const auto [page, places] = SansMarques(texte, "[]");
        const std::optional<Paire> paire = ElementAutour(page, places[0], places[1]);
        const auto morceau = [&](std::size_t debut, std::size_t fin) {
            return QByteArray::fromStdString(page).mid(qsizetype(debut), qsizetype(fin - debut));
        };
        QTEST(paire ? morceau(paire->debutOuvrante, paire->finOuvrante) + '|' +
                          morceau(paire->debutFermante, paire->finFermante)
                    : QByteArray(),
              "balises");
        QTEST(paire ? morceau(paire->debutOuvrante, paire->finFermante) : QByteArray(), "etendue");
    }

    // Comments put on and taken off, and the end tag of a typed start tag.
    void textes()
    {
        using Texte = std::string (*)(std::string_view);
        const std::tuple<Texte, const char *, const char *> lignes[] = {
            {BasculeCommentaire, "<p>un</p>", "<!-- <p>un</p> -->"},
            {BasculeCommentaire, "<!-- <p>un</p> -->", "<p>un</p>"},
            {BasculeCommentaire, "<!--x-->", "x"},
            {BasculeCommentaire, "<!-- a --> b <!-- c -->", "<!-- <!-- a --> b <!-- c --> -->"},
            {FermetureDe, "<div class=\"note\">", "</div>"},
            {FermetureDe, " <SPAN>\n", "</SPAN>"},
            {FermetureDe, "<hr>", ""},
            {FermetureDe, "<p/>", ""},
            {FermetureDe, "<p", ""},
            {FermetureDe, "<b><i>", ""}};
        for (const auto &[fonction, texte, attendu] : lignes)
            QCOMPARE(fonction(texte), attendu);
    }
};

QTEST_APPLESS_MAIN(TstEcriture)
#include "tst_ecriture.moc"
