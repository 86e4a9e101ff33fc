// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/tagremoval/SuppressionTags.h"

#include <QtTest>

#include <random>

// The rows write every line of a result followed by "\n". The random checks compare the one-scan functions with the
// plain algorithm written out below, which splits the text into lines and edits each in place, step by step; the
// rows hold both to the expected result.
namespace {

using Lignes = std::vector<std::string>;
constexpr std::size_t Aucune = std::string::npos;

// The lines of the text, ended by CR LF, LF or CR; a final line break starts no further line.
Lignes LignesSimples(std::string_view texte)
{
    QByteArray lf(texte.data(), qsizetype(texte.size()));
    Lignes lignes;
    for (const QByteArray &ligne : lf.replace("\r\n", "\n").replace('\r', '\n').split('\n'))
        lignes.push_back(ligne.toStdString());
    if (lignes.back().empty())
        lignes.pop_back();
    return lignes;
}

// One pass over the lines: `debut` tells where the first tag of a line begins, `mis` takes its place.
template <class Debut> Lignes Passe(Lignes lignes, Debut debut, const std::string &mis, bool espaces)
{
    Lignes sortie;
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

std::string Joint(const Lignes &lignes, std::string_view fin)
{
    std::string texte;
    for (const std::string &l : lignes)
        texte.append(l).append(fin);
    return texte;
}

std::string SupprimeTagsSimple(std::string_view texte, RemplacementTag r, std::string_view fin)
{
    const std::string mis = r == RemplacementTag::Rien ? "" : r == RemplacementTag::Espace ? " " : "\t";
    return Joint(Passe(LignesSimples(texte), [](const std::string &s) { return s.find('<'); }, mis, true), fin);
}

// The eight passes, each finding its prefix in the line with its letters a-z taken as A-Z.
std::string HuitPasses(std::string_view texte, std::string_view fin)
{
    Lignes lignes = LignesSimples(texte);
    for (std::string_view prefixe : {"<TABLE", "</TABLE", "<TD", "</TD", "<TR", "</TR", "<TH", "</TH"}) {
        const auto debut = [&](std::string s) {
            for (char &c : s)
                c = c >= 'a' && c <= 'z' ? char(c - 32) : c;
            return s.find(prefixe);
        };
        lignes = Passe(lignes, debut, "\t", false);
    }
    return Joint(lignes, fin);
}

std::string Tire(std::mt19937 &hasard, const std::vector<std::string_view> &morceaux, std::size_t combien)
{
    std::string texte;
    for (std::size_t i = 0; i < combien; ++i)
        texte += morceaux[hasard() % morceaux.size()];
    return texte;
}

} // namespace

class TstSuppressionTags : public QObject {
    Q_OBJECT

private slots:
    // R, E, T: nothing, a space or a tab in place of a tag.
    void supprimeTags_data()
    {
        QTest::addColumn<QByteArray>("texte");
        QTest::addColumn<int>("remplacement");
        QTest::addColumn<QByteArray>("attendu");
        enum { R = int(RemplacementTag::Rien), E = int(RemplacementTag::Espace), T = int(RemplacementTag::Tabulation) };
        const std::tuple<const char *, const char *, int, const char *> lignes[] = {
            {"balise sur trois lignes: aucun remplacement", "avant<a\nhref=x\ntitle=y>après", E, "avant\n\naprès\n"},
            {"lignes vides: aucune au début, une seule ensuite", "\n \n\t\na\n\n\n \n<br>\nb\n\n\n", R, "a\n\nb\n\n"},
            {"espace et tabulation voisins gardés", "a <b> c<b>  <i>d", T, "a \t c\t \td\n"},
            {"balises en début et fin de ligne: aucun blanc", "\t<p> texte </p>\r\n", T, "texte\n"},
            {"fins CR LF, CR et mêlées", "a\r\nb\rc\r\r\nd<i\r\n>e\n", R, "a\nb\nc\n\nd\ne\n"},
        };
        for (const auto &[nom, texte, r, attendu] : lignes)
            QTest::newRow(nom) << QByteArray(texte) << r << QByteArray(attendu);
    }

    void supprimeTags()
    {
        QFETCH(QByteArray, texte);
        QFETCH(int, remplacement);
        QTEST(QByteArray::fromStdString(SupprimeTags(texte.toStdString(), RemplacementTag(remplacement), "\n")), "attendu");
    }

    void supprimeTableaux_data()
    {
        QTest::addColumn<QByteArray>("texte");
        QTest::addColumn<QByteArray>("attendu");
        const std::tuple<const char *, const char *, const char *> lignes[] = {
            {"autres balises gardées, <THEAD> retiré", "<p>Total <TD>12</td></p> <TT>x<THEAD>y", "<p>Total \t12\t</p> <TT>x\ty\n"},
            {"balise prise dans celle d'une passe précédente", "x<TD <TABLE>y>z", "x\tz\n"},
            {"</TD sans > après un <TD> plus loin: ouverte à sa passe", "a</TD x <TD>y\nb>c", "a\nc\n"},
        };
        for (const auto &[nom, texte, attendu] : lignes)
            QTest::newRow(nom) << QByteArray(texte) << QByteArray(attendu);
    }

    void supprimeTableaux()
    {
        QFETCH(QByteArray, texte);
        QTEST(QByteArray::fromStdString(SupprimeTableaux(texte.toStdString(), "\n")), "attendu");
        QTEST(QByteArray::fromStdString(HuitPasses(texte.toStdString(), "\n")), "attendu");
    }

    // Short texts are read byte by byte; long ones by blocks of 64 bytes, with tags, runs and CR LF across their edges.
    void auHasard_data()
    {
        QTest::addColumn<int>("remplacement");
        QTest::addColumn<int>("longueur");
        for (auto [nom, r] : {std::pair{"rien", RemplacementTag::Rien}, {"espace", RemplacementTag::Espace},
                              {"tabulation", RemplacementTag::Tabulation}}) {
            QTest::addRow("%s, textes courts", nom) << int(r) << 24;
            QTest::addRow("%s, textes de plusieurs blocs", nom) << int(r) << 1500;
        }
    }

    // Tags, and the eight table passes (whose replacement is always the tab), against the plain algorithm. Line ends
    // longer than those read make the result outgrow the text, in the middle of a long last line too.
    void auHasard()
    {
        QFETCH(int, remplacement);
        QFETCH(int, longueur);
        std::mt19937 hasard(1234u + unsigned(longueur + remplacement));
        // Line breaks rare in one alphabet, to give long lines.
        const std::vector<std::string_view> serre = {" ", "\t", "<", ">", "a", "b", "\r", "\n"};
        const std::vector<std::string_view> ample = {" ", "\t", "<", ">", "a", "b", "ab", "   ", "\t\t", "\n"};
        const std::vector<std::string_view> tableaux = {"<table>", "<TD x=1>", "</tr>", "<Th", ">",    "<",  " ",
                                                        "\t",      "\n",       "\r\n",  "a",   "é",    "<THEAD>", "<p>",
                                                        "</",      "</TABLE >", "<tD", "</Td", "\t\t", "\r"};
        const std::string_view fins[] = {"\n", "\r\n", "<br>\r\n", ""};
        for (int essai = 0; essai < 1500; ++essai) {
            const std::string_view fin = fins[essai % 4];
            std::string texte = Tire(hasard, essai % 2 ? serre : ample, hasard() % std::size_t(longueur));
            std::string page = Tire(hasard, tableaux, hasard() % std::size_t(longueur / 8 + 10));
            if (longueur > 100) {
                texte += Tire(hasard, {serre.begin(), serre.begin() + 6}, 300);
                page += Tire(hasard, {tableaux.begin(), tableaux.begin() + 8}, 300);
            }
            if (const auto r = RemplacementTag(remplacement); SupprimeTags(texte, r, fin) != SupprimeTagsSimple(texte, r, fin))
                QFAIL(qPrintable("texte: " + QByteArray::fromStdString(texte).toPercentEncoding(" <>")));
            if (SupprimeTableaux(page, fin) != HuitPasses(page, fin))
                QFAIL(qPrintable("page: " + QByteArray::fromStdString(page).toPercentEncoding(" <>/=")));
        }
    }

    // Only the last extension of the name goes, not a dot in a folder.
    void remplaceExtension()
    {
        QCOMPARE(RemplaceExtension("/pages/a.b.html", " (Sans tags).txt"), std::string("/pages/a.b (Sans tags).txt"));
        QCOMPARE(RemplaceExtension("/Mes.Pages/lisezmoi", ".txt"), std::string("/Mes.Pages/lisezmoi.txt"));
        QCOMPARE(RemplaceExtension("Sans Nom", ".txt"), std::string("Sans Nom.txt"));
    }
};

QTEST_APPLESS_MAIN(TstSuppressionTags)
#include "tst_suppressiontags.moc"
