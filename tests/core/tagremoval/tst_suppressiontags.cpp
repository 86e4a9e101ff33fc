#include "core/tagremoval/SuppressionTags.h"

#include <QtTest>

#include <random>

// The rows write every line of a result followed by "\n". The random checks compare the one-pass functions with the
// plain algorithm written out below, which edits each line in place, step by step.
namespace {

using Lignes_t = std::vector<std::string>;
constexpr std::size_t Aucune = std::string::npos;
constexpr std::string_view Prefixes[] = {"<TABLE", "</TABLE", "<TD", "</TD", "<TR", "</TR", "<TH", "</TH"};

std::string Vue(const QByteArray &o)
{
    return std::string(o.constData(), static_cast<std::size_t>(o.size()));
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
    Lignes_t lignes(1);
    for (std::size_t i = 0; i < texte.size(); ++i) {
        if (texte[i] != '\r' && texte[i] != '\n')
            lignes.back() += texte[i];
        else if (lignes.emplace_back(); texte[i] == '\r' && i + 1 < texte.size() && texte[i + 1] == '\n')
            ++i;
    }
    if (texte.empty() || texte.back() == '\r' || texte.back() == '\n')
        lignes.pop_back();
    return lignes;
}

// One pass over the lines: `debut` tells where the first tag of a line begins, `mis` takes its place.
template <class Debut> Lignes_t Passe(Lignes_t lignes, Debut debut, const std::string &mis, bool espaces)
{
    Lignes_t sortie;
    bool ouverte = false, precedentVide = true;
    for (std::string &s : lignes) {
        if (ouverte) {
            const std::size_t q = s.find('>');
            ouverte = q == Aucune;
            s.erase(0, ouverte ? Aucune : q + 1);
        }
        for (std::size_t p; !ouverte && (p = debut(s)) != Aucune;) {
            if (const std::size_t q = s.find('>', p + 1); q != Aucune) {
                s.replace(p, q - p + 1, mis);
            } else {
                s.resize(p);
                ouverte = true;
            }
        }
        for (const char c : std::string_view(espaces ? " \t" : "\t"))
            for (std::size_t p; (p = s.find(std::string(2, c))) != Aucune;)
                s.erase(p, 1);
        s.erase(0, s.find_first_not_of(" \t"));
        s.erase(s.find_last_not_of(" \t") + 1);
        if (!s.empty() || !precedentVide)
            sortie.push_back(s);
        precedentVide = s.empty();
    }
    return sortie;
}

std::string SupprimeTagsSimple(std::string_view texte, RemplacementTag r, std::string_view fin)
{
    const std::string mis = r == RemplacementTag::Rien ? "" : r == RemplacementTag::Espace ? " " : "\t";
    return Joint(Passe(LignesSimples(texte), [](const std::string &s) { return s.find('<'); }, mis, true), fin);
}

Lignes_t SupprimeTagSimple(const Lignes_t &lignes, std::string_view prefixe)
{
    const auto debut = [&](std::string s) {
        for (char &c : s)
            c = c >= 'a' && c <= 'z' ? char(c - 32) : c;
        return prefixe.empty() ? Aucune : s.find(prefixe);
    };
    return Passe(lignes, debut, "\t", false);
}

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
    for (std::size_t i = 0; i < combien; ++i)
        texte += morceaux[hasard() % morceaux.size()];
    return texte;
}

// A page as people write them: indented blocks, tables cell by cell or a row per line, tags and attributes over
// several lines, comments, blank lines.
std::string PageVraisemblable(std::mt19937 &hasard, const std::string &f)
{
    const std::vector<std::string_view> mots = {"le ", "Tableau", " des ", "été", "<b>gras</b>", " a > b ", "x<y",
                                                "\t"};
    const auto bout = [&] { return Tire(hasard, mots, 1 + hasard() % 6); };
    const auto bloc = [&](unsigned sorte) {
        switch (sorte) {
        case 0:
            return "<p>" + bout() + f + "  " + bout() + "</p>" + f + "<!-- fin > ici -->" + f + f + " \t " + f;
        case 1:
            return "<TABLE border=1" + f + "  width=2>" + f + "  <tr><td>" + bout() + "</td><td>" + bout() + "</td>" +
                   f;
        case 2:
            return "\t<TR>" + f + "\t\t<th\talign=left>" + bout() + "</TH>" + f + "\t\t<td" + f + " class=x>" + bout() +
                   f + "</td>" + f + "\t</TR>" + f + "</table>" + f;
        case 3:
            return "<thead><tbody><tt>" + bout() + "</tt></tbody>" + f + bout() + " <td " + bout() + f;
        }
        return "    <div class=\"bloc\">" + bout() + "</div>" + f;
    };
    std::string page;
    for (int b = 0; b < 40; ++b)
        page += bloc(hasard() % 5);
    return page;
}

} // namespace

class TstSuppressionTags : public QObject {
    Q_OBJECT

private slots:
    void supprimeTags_data()
    {
        QTest::addColumn<QByteArray>("texte");
        QTest::addColumn<int>("remplacement");
        QTest::addColumn<QByteArray>("attendu");
        enum { R = int(RemplacementTag::Rien), E = int(RemplacementTag::Espace), T = int(RemplacementTag::Tabulation) };
        const struct {
            const char *nom, *texte;
            int r;
            const char *attendu;
        } lignes[] = {
            {"balise sur trois lignes", "avant<a\nhref=x\ntitle=y>après", R, "avant\n\naprès\n"},
            {"balise sur deux lignes: aucun remplacement", "a <b\nc> d", E, "a\nd\n"},
            {"< isolé puis balise sur la même ligne", "a < b <i>c</i>", R, "a c\n"},
            {"second < dans la même balise, > hors balise", "a<b<c>d>e > f", R, "ad>e > f\n"},
            {"commentaire contenant >", "x<!-- a > b -->y", R, "x b -->y\n"},
            {"< sans > jusqu'à la fin du texte", "début<a\nb\nc\nd", R, "début\n\n"},
            {"< sans > sur la dernière ligne", "texte < sans fin", R, "texte\n"},
            {"suites d'espaces et de tabulations", "  a   b\t\t\tc \t d  \t ", R, "a b\tc \t d\n"},
            {"lignes vides au début retirées", "\n \n\t\na\n", R, "a\n"},
            {"suite de lignes vides: une seule", "a\n\n\n \n<br>\nb", R, "a\n\nb\n"},
            {"une ligne vide finale gardée", "a\n\n\n\n", R, "a\n\n"},
            {"sans remplacement: mots joints", "a<b>c", R, "ac\n"},
            {"espace: un espace", "a<b>c", E, "a c\n"},
            {"tabulation: une tabulation", "a<b>c", T, "a\tc\n"},
            {"deux balises voisines: un seul espace", "a <b>  <i> c", E, "a c\n"},
            {"deux balises voisines: une seule tabulation", "a<b><i>c", T, "a\tc\n"},
            {"espaces entre tabulations: un espace", "a<b>  <i>c", T, "a\t \tc\n"},
            {"espace et tabulation voisins gardés", "a <b> c", T, "a \t c\n"},
            {"balises en début et fin de ligne: aucun blanc", "\t<p> texte </p>\r\n", T, "texte\n"},
            {"balise au bout de la dernière ligne", "a\ntexte<br>", E, "a\ntexte\n"},
            {"fins CR LF, CR et mêlées", "a\r\nb\rc\r\r\nd<i\r\n>e\n", R, "a\nb\nc\n\nd\ne\n"},
            {"texte vide", "", R, ""},
        };
        for (const auto &l : lignes)
            QTest::newRow(l.nom) << QByteArray(l.texte) << l.r << QByteArray(l.attendu);
    }

    void supprimeTags()
    {
        QFETCH(QByteArray, texte);
        QFETCH(int, remplacement);
        QFETCH(QByteArray, attendu);
        QCOMPARE(SupprimeTags(Vue(texte), RemplacementTag(remplacement), "\n"), Vue(attendu));
    }

    // Short lines first, so that a longer `fin` makes the result outgrow the text in the middle of the last line.
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
        std::string texte;
        for (int i = 0; i < 5000; ++i)
            texte += i % 7 ? "a\n" : "<i>b</i>\n";
        for (int i = 0; i < 1300; ++i)
            texte += "  x  <b>y</b>\t\t<td>z ";
        QCOMPARE(SupprimeTags(texte, RemplacementTag::Tabulation, Vue(fin)),
                 SupprimeTagsSimple(texte, RemplacementTag::Tabulation, Vue(fin)));
        QCOMPARE(SupprimeTableaux(texte, Vue(fin)), HuitPasses(texte, Vue(fin)));
    }

    // Short texts are read byte by byte; long ones by blocks of 64 bytes, with tags, runs and CR LF across their edges.
    void supprimeTagsAuHasard_data()
    {
        QTest::addColumn<int>("remplacement");
        QTest::addColumn<int>("longueur");
        for (auto [nom, r] : {std::pair{"rien", RemplacementTag::Rien}, {"espace", RemplacementTag::Espace},
                              {"tabulation", RemplacementTag::Tabulation}}) {
            QTest::addRow("%s, textes courts", nom) << int(r) << 24;
            QTest::addRow("%s, textes de plusieurs blocs", nom) << int(r) << 1500;
        }
    }

    void supprimeTagsAuHasard()
    {
        QFETCH(int, remplacement);
        QFETCH(int, longueur);
        std::mt19937 hasard(1234u + unsigned(longueur + remplacement));
        // Line breaks rare in one alphabet, to give long lines.
        const std::vector<std::string_view> serre = {" ", "\t", "<", ">", "a", "b", "\r", "\n"};
        const std::vector<std::string_view> ample = {" ", "\t", "<", ">", "a", "b", "ab", "   ", "\t\t", "\n"};
        for (int essai = 0; essai < 1500; ++essai) {
            const std::string texte = Tire(hasard, essai % 2 ? serre : ample, hasard() % std::size_t(longueur));
            const auto r = RemplacementTag(remplacement);
            if (SupprimeTags(texte, r, "\n") != SupprimeTagsSimple(texte, r, "\n"))
                QFAIL(qPrintable("texte: " + QByteArray::fromStdString(texte).toPercentEncoding(" <>")));
        }
    }

    void posMajuscules_data()
    {
        QTest::addColumn<QByteArray>("prefixe");
        QTest::addColumn<QByteArray>("ligne");
        QTest::addColumn<int>("position");
        QTest::newRow("au début") << QByteArray("<TD") << QByteArray("<TD>") << 1;
        QTest::newRow("minuscules de la ligne, première de plusieurs") << QByteArray("<TR") << QByteArray("<t <tR <TR")
                                                                       << 4;
        QTest::newRow("absent, ou ligne trop courte") << QByteArray("<TD") << QByteArray("<T D <T") << 0;
        QTest::newRow("préfixe vide: nulle part") << QByteArray("") << QByteArray("abc") << 0;
        QTest::newRow("préfixe en minuscules: jamais") << QByteArray("<td") << QByteArray("<td>") << 0;
        QTest::newRow("accents non convertis") << QByteArray("<TÉ") << QByteArray("<té <tÉ") << 6;
        QTest::newRow("ligne de 300 000 octets") << QByteArray("<TH") << QByteArray(300000, 'a') + "<th" << 300001;
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
        const struct {
            const char *nom, *texte, *prefixe, *attendu;
        } lignes[] = {
            {"sans regard à la casse", "a<Td class=x>b</TD>c", "<TD", "a\tb</TD>c\n"},
            {"nom plus long: <THEAD> retiré par <TH", "x<THEAD>y", "<TH", "x\ty\n"},
            {"attributs sur trois lignes", "avant<table\n  border=1\n  width=2>  après", "<TABLE", "avant\n\naprès\n"},
            {"texte avant la balise: une tabulation", "Total<td>12", "<TD", "Total\t12\n"},
            {"balises sans le préfixe intactes", "<p>a<td>b</p> <TT>", "<TD", "<p>a\tb</p> <TT>\n"},
            {"suites d'espaces gardées", "a   <td><td>   b", "<TD", "a   \t   b\n"},
            {"page sans tableau rognée", "  a\t\tb  \n\n\n c", "<TABLE", "a\tb\n\nc\n"},
            {"balise ouverte jusqu'à la fin", "a<td\nb\nc", "<TD", "a\n\n"},
        };
        for (const auto &l : lignes)
            QTest::newRow(l.nom) << QByteArray(l.texte) << QByteArray(l.prefixe) << QByteArray(l.attendu);
    }

    void supprimeTag()
    {
        QFETCH(QByteArray, texte);
        QFETCH(QByteArray, prefixe);
        QFETCH(QByteArray, attendu);
        QCOMPARE(Joint(SupprimeTag(Lignes(Vue(texte)), Vue(prefixe)), "\n"), Vue(attendu));
    }

    // Against the plain algorithm, for each table prefix and for prefixes at the edges: one holding a tab, which can
    // match across the tab put in place of a tag, one holding ">", one of a single letter, an empty one.
    void supprimeTagAuHasard_data()
    {
        QTest::addColumn<QByteArray>("prefixe");
        for (std::string_view p : Prefixes)
            QTest::newRow(std::string(p).c_str()) << QByteArray(p.data(), qsizetype(p.size()));
        QTest::newRow("préfixe avec tabulation") << QByteArray("\t<T");
        QTest::newRow("préfixe avec chevron fermant") << QByteArray("<T>");
        QTest::newRow("une seule lettre") << QByteArray("T");
        QTest::newRow("préfixe vide") << QByteArray("");
    }

    void supprimeTagAuHasard()
    {
        QFETCH(QByteArray, prefixe);
        std::mt19937 hasard(99u + unsigned(prefixe.size()));
        const std::vector<std::string_view> morceaux = {"<", ">", "T", "t", "d", "r", "h", "/", " ", "\t", "a",
                                                        "<td", "</TD>", "<tr>", "</t", "<table", "\n"};
        for (int essai = 0; essai < 2000; ++essai) {
            const Lignes_t lignes = Lignes(Tire(hasard, morceaux, hasard() % 60));
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
        QTest::newRow("texte avant une balise, autres balises gardées") << QByteArray("<p>Total <TD>12</td></p>")
                                                                        << QByteArray("<p>Total \t12\t</p>\n");
        QTest::newRow("balise prise dans celle d'une passe précédente") << QByteArray("x<TD <TABLE>y>z")
                                                                        << QByteArray("x\tz\n");
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
            std::string texte = sorte == 2 ? PageVraisemblable(hasard, essai % 2 ? "\n" : "\r\n")
                                           : Tire(hasard, morceaux, hasard() % 80);
            if (sorte == 1)
                texte += Tire(hasard, sansFin, 200) + "\n" + Tire(hasard, sansFin, 300);
            const std::string_view fin = essai % 3 ? "\n" : "\r\n";
            if (SupprimeTableaux(texte, fin) != HuitPasses(texte, fin))
                QFAIL(qPrintable("texte: " + QByteArray::fromStdString(texte).toPercentEncoding(" <>/=")));
        }
    }

    void remplaceExtension_data()
    {
        QTest::addColumn<QByteArray>("nom");
        QTest::addColumn<QByteArray>("attendu");
        for (auto [ligne, nom, attendu] : {std::tuple{"extension remplacée", "/pages/index.htm", "/pages/index"},
                                          {"seule la dernière extension", "a.b.html", "a.b"},
                                          {"point dans un dossier", "/Mes.Pages/lisezmoi", "/Mes.Pages/lisezmoi"},
                                          {"sans extension", "Sans Nom", "Sans Nom"}})
            QTest::newRow(ligne) << QByteArray(nom) << QByteArray(attendu) + " (Sans tags).txt";
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
