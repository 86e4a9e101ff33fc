#include "tagremoval/SuppressionTags.h"

#include <QtTest>

#include <random>

// The rows write every line of a result followed by "\n" unless they say otherwise. The random checks compare the
// one-pass functions with the plain algorithms written out below, which edit each line in place, step by step.
namespace {

using Lignes_t = std::vector<std::string>;

std::string Vue(const QByteArray &octets)
{
    return std::string(octets.constData(), static_cast<std::size_t>(octets.size()));
}

std::string Joint(const Lignes_t &lignes, std::string_view fin)
{
    std::string texte;
    for (const std::string &l : lignes)
        texte.append(l).append(fin);
    return texte;
}

Lignes_t LignesSimples(std::string_view texte)
{
    Lignes_t lignes;
    std::string courante;
    for (std::size_t i = 0; i < texte.size(); ++i) {
        if (texte[i] == '\r' || texte[i] == '\n') {
            lignes.push_back(courante);
            courante.clear();
            if (texte[i] == '\r' && i + 1 < texte.size() && texte[i + 1] == '\n')
                ++i;
        } else {
            courante += texte[i];
        }
    }
    if (!texte.empty() && texte.back() != '\r' && texte.back() != '\n')
        lignes.push_back(courante);
    return lignes;
}

void ReduitSuites(std::string &s, char c)
{
    for (std::size_t p; (p = s.find(std::string(2, c))) != std::string::npos;)
        s.erase(p, 1);
}

void Rogne(std::string &s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.erase(0, 1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.pop_back();
}

// Keeps the line unless it is empty after an empty one; the state is the previous-empty flag.
void Garde(Lignes_t &sortie, const std::string &s, bool &precedentVide)
{
    if (!s.empty() || !precedentVide)
        sortie.push_back(s);
    precedentVide = s.empty();
}

// The open-tag continuation at the head of a line.
void Continue(std::string &s, bool &ouverte)
{
    if (!ouverte)
        return;
    const std::size_t q = s.find('>');
    if (q == std::string::npos) {
        s.clear();
    } else {
        s.erase(0, q + 1);
        ouverte = false;
    }
}

std::string SupprimeTagsSimple(std::string_view texte, RemplacementTag remplacement, std::string_view fin)
{
    Lignes_t sortie;
    bool ouverte = false, precedentVide = true;
    for (std::string s : LignesSimples(texte)) {
        Continue(s, ouverte);
        for (std::size_t p; (p = s.find('<')) != std::string::npos;) {
            const std::size_t q = s.find('>', p + 1);
            if (q == std::string::npos) {
                s.resize(p);
                ouverte = true;
                break;
            }
            s.erase(p, q - p + 1);
            if (remplacement != RemplacementTag::Rien)
                s.insert(p, 1, remplacement == RemplacementTag::Espace ? ' ' : '\t');
        }
        ReduitSuites(s, ' ');
        ReduitSuites(s, '\t');
        Rogne(s);
        Garde(sortie, s, precedentVide);
    }
    return Joint(sortie, fin);
}

std::size_t PosSimple(std::string_view prefixe, std::string ligne)
{
    for (char &c : ligne)
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    const std::size_t p = ligne.find(prefixe);
    return prefixe.empty() || p == std::string::npos ? 0 : p + 1;
}

Lignes_t SupprimeTagSimple(const Lignes_t &lignes, std::string_view prefixe)
{
    Lignes_t sortie;
    bool ouverte = false, precedentVide = true;
    for (std::string s : lignes) {
        Continue(s, ouverte);
        for (std::size_t pos; (pos = PosSimple(prefixe, s)) != 0;) {
            const std::size_t p = pos - 1;
            const std::size_t q = s.find('>', p + 1);
            if (q == std::string::npos) {
                s.resize(p);
                ouverte = true;
                break;
            }
            s.replace(p, q - p + 1, 1, '\t');
        }
        ReduitSuites(s, '\t');
        Rogne(s);
        Garde(sortie, s, precedentVide);
    }
    return sortie;
}

constexpr std::string_view Prefixes[] = {"<TABLE", "</TABLE", "<TD", "</TD", "<TR", "</TR", "<TH", "</TH"};

std::string HuitPasses(std::string_view texte, std::string_view fin)
{
    Lignes_t lignes = Lignes(texte);
    for (std::string_view prefixe : Prefixes)
        lignes = SupprimeTag(lignes, prefixe);
    return Joint(lignes, fin);
}

std::string Tire(std::mt19937 &hasard, const std::vector<std::string_view> &morceaux, std::size_t combien)
{
    std::string texte;
    std::uniform_int_distribution<std::size_t> choix(0, morceaux.size() - 1);
    for (std::size_t i = 0; i < combien; ++i)
        texte += morceaux[choix(hasard)];
    return texte;
}

// A page as people write them: indented blocks, tables written cell by cell or a row per line, tags and attributes
// over several lines, comments, blank lines, tabs.
std::string PageVraisemblable(std::mt19937 &hasard, int blocs)
{
    static const std::vector<std::string_view> mots = {"le", "Tableau", "des", "résultats", "été", "<b>gras</b>",
                                                       "<a href=\"x.htm\">lien</a>", "a > b", "x<y", "\t", "  "};
    auto un = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(hasard); };
    auto phrase = [&] {
        std::string s;
        for (int i = 1 + un(8); i > 0; --i)
            s.append(mots[static_cast<std::size_t>(un(int(mots.size())))]).append(un(4) ? " " : "");
        return s;
    };
    const char *fins[] = {"\n", "\r\n", "\r"};
    const std::string_view fin = fins[un(3)];
    std::string page;
    for (int b = 0; b < blocs; ++b) {
        switch (un(7)) {
        case 0:
            page.append("<p>").append(phrase()).append(fin).append("  ").append(phrase()).append("</p>").append(fin);
            break;
        case 1:
            page.append(un(2) ? "<TABLE border=1" : "<table").append(un(2) ? std::string(fin) + "   width=\"90%\">" : ">").append(fin);
            for (int r = 1 + un(3); r > 0; --r) {
                if (un(2)) {
                    page.append("  <tr><td>").append(phrase()).append("</td><td>").append(phrase()).append("</td></tr>").append(fin);
                } else {
                    page.append("\t<TR>").append(fin).append("\t\t<th\talign=left>").append(phrase()).append("</TH>").append(fin);
                    page.append("\t\t<td").append(fin).append(" class=x>").append(phrase()).append(fin).append("</td>").append(fin).append("\t</TR>").append(fin);
                }
            }
            page.append("</table>").append(fin);
            break;
        case 2:
            page.append("<!-- commentaire > avec chevron -->").append(fin);
            break;
        case 3:
            page.append(fin).append(fin).append(" \t ").append(fin);
            break;
        case 4:
            page.append("<thead><tbody><tt>").append(phrase()).append("</tt></tbody>").append(fin);
            break;
        case 5:
            page.append(phrase()).append(" <td ").append(phrase()).append(fin);
            break;
        default:
            page.append("    <div class=\"bloc\">").append(phrase()).append("</div>").append(fin);
        }
    }
    return page;
}

} // namespace

class TstSuppressionTags : public QObject {
    Q_OBJECT

private slots:
    void lignes_data()
    {
        QTest::addColumn<QByteArray>("texte");
        QTest::addColumn<QByteArrayList>("attendu");
        QTest::newRow("texte vide: aucune ligne") << QByteArray() << QByteArrayList{};
        QTest::newRow("une ligne sans fin") << QByteArray("a") << QByteArrayList{"a"};
        QTest::newRow("fin finale: pas de ligne de plus") << QByteArray("a\n") << QByteArrayList{"a"};
        QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << QByteArrayList{"a", "b"};
        QTest::newRow("CR seul") << QByteArray("a\rb") << QByteArrayList{"a", "b"};
        QTest::newRow("LF CR: deux fins") << QByteArray("a\n\rb") << QByteArrayList{"a", "", "b"};
        QTest::newRow("CR puis CR LF") << QByteArray("a\r\r\nb") << QByteArrayList{"a", "", "b"};
        QTest::newRow("une fin seule: une ligne vide") << QByteArray("\n") << QByteArrayList{""};
    }

    void lignes()
    {
        QFETCH(QByteArray, texte);
        QFETCH(QByteArrayList, attendu);
        Lignes_t voulu;
        for (const QByteArray &l : attendu)
            voulu.push_back(Vue(l));
        QCOMPARE(Lignes(Vue(texte)), voulu);
    }

    void supprimeTags_data()
    {
        QTest::addColumn<QByteArray>("texte");
        QTest::addColumn<int>("remplacement");
        QTest::addColumn<QByteArray>("attendu");
        const int rien = int(RemplacementTag::Rien), espace = int(RemplacementTag::Espace),
                  tab = int(RemplacementTag::Tabulation);
        QTest::newRow("balise sur deux lignes") << QByteArray("a<b\nc>d") << rien << QByteArray("a\nd\n");
        QTest::newRow("balise sur trois lignes") << QByteArray("avant<a\nhref=x\ntitle=y>après") << rien
                                                 << QByteArray("avant\n\naprès\n");
        QTest::newRow("balise sur plusieurs lignes: aucun remplacement") << QByteArray("a <b\nc> d") << espace
                                                                        << QByteArray("a\nd\n");
        QTest::newRow("< isolé puis balise sur la même ligne") << QByteArray("a < b <i>c</i>") << rien
                                                               << QByteArray("a c\n");
        QTest::newRow("second < dans la même balise") << QByteArray("a<b<c>d>e") << rien << QByteArray("ad>e\n");
        QTest::newRow("> hors balise: du texte") << QByteArray("a > b") << rien << QByteArray("a > b\n");
        QTest::newRow("commentaire contenant >") << QByteArray("x<!-- a > b -->y") << rien
                                                 << QByteArray("x b -->y\n");
        QTest::newRow("< sans > jusqu'à la fin du texte") << QByteArray("début<a\nb\nc\nd") << rien
                                                          << QByteArray("début\n\n");
        QTest::newRow("< sans > sur la dernière ligne") << QByteArray("texte < sans fin") << rien
                                                         << QByteArray("texte\n");
        QTest::newRow("suites d'espaces et de tabulations") << QByteArray("  a   b\t\t\tc \t d  \t ") << rien
                                                            << QByteArray("a b\tc \t d\n");
        QTest::newRow("lignes vides au début retirées") << QByteArray("\n \n\t\na\n") << rien << QByteArray("a\n");
        QTest::newRow("suite de lignes vides: une seule") << QByteArray("a\n\n\n \n\t\nb") << rien
                                                          << QByteArray("a\n\nb\n");
        QTest::newRow("une ligne vide finale gardée") << QByteArray("a\n\n\n\n") << rien << QByteArray("a\n\n");
        QTest::newRow("ligne faite d'une balise: vide") << QByteArray("a\n<br>\n<hr>\nb") << rien
                                                         << QByteArray("a\n\nb\n");
        QTest::newRow("sans remplacement: mots joints") << QByteArray("a<b>c") << rien << QByteArray("ac\n");
        QTest::newRow("espace: un espace") << QByteArray("a<b>c") << espace << QByteArray("a c\n");
        QTest::newRow("tabulation: une tabulation") << QByteArray("a<b>c") << tab << QByteArray("a\tc\n");
        QTest::newRow("deux balises voisines: un seul espace") << QByteArray("a<b><i>c") << espace
                                                               << QByteArray("a c\n");
        QTest::newRow("deux balises voisines: une seule tabulation") << QByteArray("a<b><i>c") << tab
                                                                     << QByteArray("a\tc\n");
        QTest::newRow("espaces autour de la balise remplacée par un espace") << QByteArray("a <b>  <i> c") << espace
                                                                             << QByteArray("a c\n");
        QTest::newRow("espaces entre tabulations: un espace") << QByteArray("a<b>  <i>c") << tab
                                                              << QByteArray("a\t \tc\n");
        QTest::newRow("espace et tabulation voisins gardés") << QByteArray("a <b> c") << tab
                                                             << QByteArray("a \t c\n");
        QTest::newRow("balises en début et fin de ligne: aucun blanc") << QByteArray("<p>texte</p>") << espace
                                                                       << QByteArray("texte\n");
        QTest::newRow("balises en début et fin de ligne: aucune tabulation") << QByteArray("\t<p> texte </p>\r\n")
                                                                             << tab << QByteArray("texte\n");
        QTest::newRow("balise au bout de la dernière ligne") << QByteArray("a\ntexte<br>") << espace
                                                             << QByteArray("a\ntexte\n");
        QTest::newRow("fins CR LF") << QByteArray("a\r\nb\r\n") << rien << QByteArray("a\nb\n");
        QTest::newRow("fins CR") << QByteArray("a\rb\r") << rien << QByteArray("a\nb\n");
        QTest::newRow("fins mêlées") << QByteArray("a\nb\rc\r\nd\r\r\ne") << rien << QByteArray("a\nb\nc\nd\n\ne\n");
        QTest::newRow("balise ouverte sur CR LF") << QByteArray("a<b\r\nc>d\r\n") << rien << QByteArray("a\nd\n");
        QTest::newRow("texte vide") << QByteArray() << rien << QByteArray();
    }

    void supprimeTags()
    {
        QFETCH(QByteArray, texte);
        QFETCH(int, remplacement);
        QFETCH(QByteArray, attendu);
        const auto r = RemplacementTag(remplacement);
        QCOMPARE(SupprimeTags(Vue(texte), r, "\n"), Vue(attendu));
        // The same rows long enough for the 16-byte steps: a prefix line of 40 bytes shifts every position.
        const std::string tete = "0123456789 0123456789 0123456789 01234567\n";
        QCOMPARE(SupprimeTags(tete + Vue(texte), r, "\n"), SupprimeTagsSimple(tete + Vue(texte), r, "\n"));
    }

    void finChoisie_data()
    {
        QTest::addColumn<QByteArray>("fin");
        QTest::newRow("CR LF") << QByteArray("\r\n");
        QTest::newRow("plus longue que les fins lues") << QByteArray("<br>\r\n");
        QTest::newRow("fin vide") << QByteArray("");
    }

    void finChoisie()
    {
        QFETCH(QByteArray, fin);
        // Short lines first, so that a longer `fin` makes the result outgrow the text in the middle of the last line.
        std::string texte;
        for (int i = 0; i < 5000; ++i)
            texte += i % 7 ? "a\n" : "<i>b</i>\n";
        for (int i = 0; i < 1300; ++i)
            texte += "  x  <b>y</b>\t\t<td>z ";
        const std::string f = Vue(fin);
        for (auto r : {RemplacementTag::Rien, RemplacementTag::Tabulation})
            QCOMPARE(SupprimeTags(texte, r, f), SupprimeTagsSimple(texte, r, f));
        QCOMPARE(SupprimeTableaux(texte, f), HuitPasses(texte, f));
    }

    // Random texts against the plain algorithm, lines of all lengths (short ones, and past the 16-byte steps).
    void supprimeTagsAuHasard_data()
    {
        QTest::addColumn<int>("remplacement");
        QTest::addColumn<int>("longueur");
        for (auto [nom, r] : {std::pair{"rien", RemplacementTag::Rien}, {"espace", RemplacementTag::Espace},
                              {"tabulation", RemplacementTag::Tabulation}}) {
            QTest::addRow("%s, textes courts", nom) << int(r) << 24;
            QTest::addRow("%s, textes longs", nom) << int(r) << 400;
        }
    }

    void supprimeTagsAuHasard()
    {
        QFETCH(int, remplacement);
        QFETCH(int, longueur);
        const auto r = RemplacementTag(remplacement);
        std::mt19937 hasard(1234u + unsigned(longueur) + unsigned(remplacement));
        // Line breaks rare in one alphabet, to give long lines.
        const std::vector<std::string_view> serre = {" ", "\t", "<", ">", "a", "b", "\r", "\n"};
        const std::vector<std::string_view> ample = {" ", "\t", "<", ">", "a", "b", "ab", "   ", "\t\t", "\n"};
        for (int essai = 0; essai < 3000; ++essai) {
            const std::string texte = Tire(hasard, essai % 2 ? serre : ample,
                                           std::uniform_int_distribution<std::size_t>(0, std::size_t(longueur))(hasard));
            const std::string obtenu = SupprimeTags(texte, r, "\n");
            if (obtenu != SupprimeTagsSimple(texte, r, "\n"))
                QFAIL(qPrintable("texte: " + QByteArray::fromStdString(texte).toPercentEncoding(" <>")));
        }
    }

    void posMajuscules_data()
    {
        QTest::addColumn<QByteArray>("prefixe");
        QTest::addColumn<QByteArray>("ligne");
        QTest::addColumn<int>("position");
        QTest::newRow("au début") << QByteArray("<TD") << QByteArray("<TD>") << 1;
        QTest::newRow("minuscules de la ligne") << QByteArray("<TD") << QByteArray("a<tD>") << 2;
        QTest::newRow("absent") << QByteArray("<TD") << QByteArray("<T D>") << 0;
        QTest::newRow("ligne plus courte que le préfixe") << QByteArray("<TD") << QByteArray("<T") << 0;
        QTest::newRow("ligne vide") << QByteArray("<TD") << QByteArray("") << 0;
        QTest::newRow("préfixe vide: nulle part") << QByteArray("") << QByteArray("abc") << 0;
        QTest::newRow("préfixe en minuscules: jamais") << QByteArray("<td") << QByteArray("<td>") << 0;
        QTest::newRow("accents non convertis") << QByteArray("<TÉ") << QByteArray("<té") << 0;
        QTest::newRow("accents identiques") << QByteArray("<TÉ") << QByteArray("<tÉ") << 1;
        QTest::newRow("première lettre cherchée dans les deux casses") << QByteArray("TD") << QByteArray("xtTd") << 3;
        QTest::newRow("la première de plusieurs") << QByteArray("<TR") << QByteArray("<t <tr <TR") << 4;
        QByteArray longue(300000, 'a');
        longue.append("<th");
        QTest::newRow("ligne de 300 000 octets") << QByteArray("<TH") << longue << 300001;
    }

    void posMajuscules()
    {
        QFETCH(QByteArray, prefixe);
        QFETCH(QByteArray, ligne);
        QFETCH(int, position);
        QCOMPARE(PosMajuscules(Vue(prefixe), Vue(ligne)), std::size_t(position));
    }

    void supprimeTag_data()
    {
        QTest::addColumn<QByteArray>("texte");
        QTest::addColumn<QByteArray>("prefixe");
        QTest::addColumn<QByteArray>("attendu");
        QTest::newRow("sans regard à la casse") << QByteArray("a<Td class=x>b</TD>c") << QByteArray("<TD")
                                               << QByteArray("a\tb</TD>c\n");
        QTest::newRow("nom plus long: <THEAD> retiré par <TH") << QByteArray("x<THEAD>y") << QByteArray("<TH")
                                                               << QByteArray("x\ty\n");
        QTest::newRow("attributs sur deux lignes") << QByteArray("a<table\nborder=1>b") << QByteArray("<TABLE")
                                                   << QByteArray("a\nb\n");
        QTest::newRow("attributs sur trois lignes") << QByteArray("avant<table\n  border=1\n  width=2>  après")
                                                    << QByteArray("<TABLE") << QByteArray("avant\n\naprès\n");
        QTest::newRow("texte avant la balise: une tabulation") << QByteArray("Total<td>12") << QByteArray("<TD")
                                                               << QByteArray("Total\t12\n");
        QTest::newRow("deux balises voisines: une tabulation") << QByteArray("a<td><TD>b") << QByteArray("<TD")
                                                               << QByteArray("a\tb\n");
        QTest::newRow("balises sans le préfixe intactes") << QByteArray("<p>a<td>b</p> <TT>") << QByteArray("<TD")
                                                          << QByteArray("<p>a\tb</p> <TT>\n");
        QTest::newRow("suites d'espaces gardées") << QByteArray("a   <td>   b") << QByteArray("<TD")
                                                  << QByteArray("a   \t   b\n");
        QTest::newRow("page sans tableau rognée") << QByteArray("  a\t\tb  \n\n\n c") << QByteArray("<TABLE")
                                                  << QByteArray("a\tb\n\nc\n");
        QTest::newRow("balise ouverte jusqu'à la fin") << QByteArray("a<td\nb\nc") << QByteArray("<TD")
                                                       << QByteArray("a\n\n");
        QTest::newRow("préfixe vide: lignes seulement rognées") << QByteArray("\t<td>\n\n") << QByteArray("")
                                                                << QByteArray("<td>\n\n");
    }

    void supprimeTag()
    {
        QFETCH(QByteArray, texte);
        QFETCH(QByteArray, prefixe);
        QFETCH(QByteArray, attendu);
        QCOMPARE(Joint(SupprimeTag(Lignes(Vue(texte)), Vue(prefixe)), "\n"), Vue(attendu));
    }

    // SupprimeTag against the plain algorithm, for each table prefix and for prefixes that test its edges (one
    // holding a tab, one holding ">", one of a single letter).
    void supprimeTagAuHasard_data()
    {
        QTest::addColumn<QByteArray>("prefixe");
        for (std::string_view p : Prefixes)
            QTest::newRow(std::string(p).c_str()) << QByteArray(p.data(), qsizetype(p.size()));
        QTest::newRow("préfixe avec tabulation") << QByteArray("\t<T");
        QTest::newRow("préfixe avec chevron fermant") << QByteArray("<T>");
        QTest::newRow("une seule lettre") << QByteArray("T");
    }

    void supprimeTagAuHasard()
    {
        QFETCH(QByteArray, prefixe);
        std::mt19937 hasard(99u + unsigned(prefixe.size()));
        const std::vector<std::string_view> morceaux = {"<", ">", "T", "t", "d", "r", "h", "/", " ", "\t", "a",
                                                        "<td", "</TD>", "<tr>", "</t", "<table", "\n"};
        for (int essai = 0; essai < 2000; ++essai) {
            const Lignes_t lignes = Lignes(Tire(hasard, morceaux, std::uniform_int_distribution<std::size_t>(0, 60)(hasard)));
            QCOMPARE(SupprimeTag(lignes, Vue(prefixe)), SupprimeTagSimple(lignes, Vue(prefixe)));
        }
    }

    void supprimeTableaux_data()
    {
        QTest::addColumn<QByteArray>("texte");
        QTest::addColumn<QByteArray>("attendu");
        QTest::newRow("rangée de deux cellules sur une ligne") << QByteArray("<tr><td>a</td><td>b</td></tr>")
                                                               << QByteArray("a\tb\n");
        QTest::newRow("tableau sur plusieurs lignes")
            << QByteArray("<table border=1>\n  <tr>\n    <td>Nom</td><td>Âge</td>\n  </tr>\n</table>\n")
            << QByteArray("Nom\tÂge\n\n");
        QTest::newRow("texte avant une balise: une tabulation") << QByteArray("Total <TD>12</td>")
                                                                << QByteArray("Total \t12\n");
        QTest::newRow("autres balises gardées") << QByteArray("<p><td><b>x</b></p>")
                                                << QByteArray("<p>\t<b>x</b></p>\n");
        QTest::newRow("attributs de cellule sur deux lignes") << QByteArray("a<td\nalign=left>b</td>")
                                                              << QByteArray("a\nb\n");
        QTest::newRow("page sans tableau rognée") << QByteArray("\n  a\t\t b \n\n\n\tc")
                                                  << QByteArray("a\t b\n\nc\n");
        QTest::newRow("balise prise dans une balise d'une passe précédente")
            << QByteArray("x<TD <TABLE>y>z") << QByteArray("x\tz\n");
        QTest::newRow("texte vide") << QByteArray() << QByteArray();
    }

    void supprimeTableaux()
    {
        QFETCH(QByteArray, texte);
        QFETCH(QByteArray, attendu);
        QCOMPARE(SupprimeTableaux(Vue(texte), "\n"), Vue(attendu));
        QCOMPARE(HuitPasses(Vue(texte), "\n"), Vue(attendu));
    }

    // The one-scan way against the eight passes, byte for byte.
    void supprimeTableauxAuHasard_data()
    {
        QTest::addColumn<int>("sorte");
        QTest::newRow("pages de morceaux, lignes courtes") << 0;
        QTest::newRow("pages de morceaux, lignes longues") << 1;
        QTest::newRow("pages vraisemblables") << 2;
    }

    void supprimeTableauxAuHasard()
    {
        QFETCH(int, sorte);
        std::mt19937 hasard(4321u + unsigned(sorte));
        const std::vector<std::string_view> morceaux = {"<table>", "<TD x=1>", "</tr>", "<Th", ">", "<", " ",
                                                        "\t", "\n", "\r\n", "a", "é", "<THEAD>", "<p>", "</",
                                                        "</TABLE >", "<tD", "\t\t", "\r"};
        const std::vector<std::string_view> sansFin(morceaux.begin(), morceaux.begin() + 8);
        for (int essai = 0; essai < (sorte == 2 ? 300 : 2000); ++essai) {
            std::string texte;
            if (sorte == 2) {
                texte = PageVraisemblable(hasard, 30);
            } else {
                texte = Tire(hasard, morceaux, std::uniform_int_distribution<std::size_t>(0, 80)(hasard));
                if (sorte == 1)
                    texte += Tire(hasard, sansFin, 200) + "\n" + Tire(hasard, sansFin, 300);
            }
            const std::string_view fin = essai % 3 ? "\n" : "\r\n";
            if (SupprimeTableaux(texte, fin) != HuitPasses(texte, fin))
                QFAIL(qPrintable("texte: " + QByteArray::fromStdString(texte).toPercentEncoding(" <>/=")));
        }
    }

    void remplaceExtension_data()
    {
        QTest::addColumn<QByteArray>("nom");
        QTest::addColumn<QByteArray>("attendu");
        QTest::newRow("extension remplacée") << QByteArray("/pages/index.htm") << QByteArray("/pages/index (Sans tags).txt");
        QTest::newRow("seule la dernière extension") << QByteArray("a.b.html") << QByteArray("a.b (Sans tags).txt");
        QTest::newRow("point dans un dossier seulement") << QByteArray("/Mes.Pages/lisezmoi")
                                                         << QByteArray("/Mes.Pages/lisezmoi (Sans tags).txt");
        QTest::newRow("sans extension") << QByteArray("Sans Nom") << QByteArray("Sans Nom (Sans tags).txt");
        QTest::newRow("point final") << QByteArray("page.") << QByteArray("page (Sans tags).txt");
    }

    void remplaceExtension()
    {
        QFETCH(QByteArray, nom);
        QFETCH(QByteArray, attendu);
        QCOMPARE(RemplaceExtension(Vue(nom), " (Sans tags).txt"), Vue(attendu));
    }
};

QTEST_APPLESS_MAIN(TstSuppressionTags)
#include "tst_suppressiontags.moc"
