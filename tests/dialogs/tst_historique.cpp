#include "dialogs/Historique.h"

#include <QtTest>

#include <random>

namespace {

std::vector<std::string> Liste(const QByteArrayList &octets)
{
    std::vector<std::string> liste;
    for (const QByteArray &o : octets)
        liste.emplace_back(o.constData(), static_cast<std::size_t>(o.size()));
    return liste;
}

std::string Vue(const QByteArray &octets)
{
    return std::string(octets.constData(), static_cast<std::size_t>(octets.size()));
}

} // namespace

class TstHistorique : public QObject {
    Q_OBJECT

private slots:
    void ajouteHistorique_data()
    {
        QTest::addColumn<QByteArrayList>("liste");
        QTest::addColumn<QByteArray>("texte");
        QTest::addColumn<QByteArrayList>("attendu");
        QTest::newRow("texte vide: rien") << QByteArrayList{"a"} << QByteArray() << QByteArrayList{"a"};
        QTest::newRow("texte nouveau: ajouté à la fin") << QByteArrayList{"a", "b"} << QByteArray("c")
                                                        << QByteArrayList{"a", "b", "c"};
        QTest::newRow("liste vide") << QByteArrayList{} << QByteArray("x") << QByteArrayList{"x"};
        QTest::newRow("même texte") << QByteArrayList{"a", "b"} << QByteArray("a") << QByteArrayList{"a", "b"};
        QTest::newRow("autre casse ASCII") << QByteArrayList{"Index.htm"} << QByteArray("iNDEX.HTM")
                                           << QByteArrayList{"Index.htm"};
        QTest::newRow("début commun seulement") << QByteArrayList{"index"} << QByteArray("INDEX2")
                                                << QByteArrayList{"index", "INDEX2"};
        QTest::newRow("É et é, À et à") << QByteArrayList{"Été à Paris"} << QByteArray("éTÉ À PARIS")
                                        << QByteArrayList{"Été à Paris"};
        QTest::newRow("Œ et œ, Ÿ et ÿ") << QByteArrayList{"Œuvre d'Ÿ"} << QByteArray("œUVRE D'ÿ")
                                        << QByteArrayList{"Œuvre d'Ÿ"};
        QTest::newRow("latin étendu: Ł Ó Ź Č Ő") << QByteArrayList{"łódź čő"} << QByteArray("ŁÓDŹ ČŐ")
                                                << QByteArrayList{"łódź čő"};
        QTest::newRow("grec, avec accents") << QByteArrayList{"Αθήνα"} << QByteArray("ΑΘΉΝΑ")
                                            << QByteArrayList{"Αθήνα"};
        QTest::newRow("cyrillique, avec Ё") << QByteArrayList{"Ёлка в Москве"} << QByteArray("ёЛКА В МОСКВЕ")
                                            << QByteArrayList{"Ёлка в Москве"};
        QTest::newRow("accent différent: deux entrées") << QByteArrayList{"été"} << QByteArray("ete")
                                                        << QByteArrayList{"été", "ete"};
        QTest::newRow("É et È: deux entrées") << QByteArrayList{"É"} << QByteArray("è") << QByteArrayList{"É", "è"};
        QTest::newRow("octet invalide identique") << QByteArrayList{"a\xC9z"} << QByteArray("A\xC9Z")
                                                  << QByteArrayList{"a\xC9z"};
        QTest::newRow("octets invalides non convertis") << QByteArrayList{"\xC9"} << QByteArray("\xE9")
                                                        << QByteArrayList{"\xC9", "\xE9"};
        QTest::newRow("octet invalide contre É valide") << QByteArrayList{"\xC9"} << QByteArray("É")
                                                        << QByteArrayList{"\xC9", "É"};
        QTest::newRow("séquence tronquée avant une capitale")
            << QByteArrayList{"\xE2\x82\xC3\x89"} << QByteArray("\xE2\x82\xC3\xA9")
            << QByteArrayList{"\xE2\x82\xC3\x89"};
    }

    void ajouteHistorique()
    {
        QFETCH(QByteArrayList, liste);
        QFETCH(QByteArray, texte);
        QFETCH(QByteArrayList, attendu);
        std::vector<std::string> l = Liste(liste);
        AjouteHistorique(l, Vue(texte));
        QCOMPARE(l, Liste(attendu));
    }

    void listeAncres_data()
    {
        QTest::addColumn<QByteArray>("texte");
        QTest::addColumn<QByteArrayList>("liste");
        QTest::addColumn<QByteArrayList>("attendu");
        QTest::newRow("minuscules et capitales") << QByteArray("<a name=\"haut\">x</a> <A NAME=\"bas\"> <A Name=mi>")
                                                 << QByteArrayList{} << QByteArrayList{"haut", "bas", "mi"};
        QTest::newRow("blancs retirés") << QByteArray("<a name=\" mon  ancre \">") << QByteArrayList{}
                                        << QByteArrayList{"monancre"};
        QTest::newRow("tabulation et fin de ligne gardées") << QByteArray("<a name=\"a\tb\nc\">") << QByteArrayList{}
                                                            << QByteArrayList{"a\tb\nc"};
        QTest::newRow("apostrophes gardées") << QByteArray("<a name='x'>") << QByteArrayList{}
                                             << QByteArrayList{"'x'"};
        QTest::newRow("HREF après le nom collé") << QByteArray("<A NAME=\"x\" HREF=\"y\">") << QByteArrayList{}
                                                 << QByteArrayList{"xHREF=y"};
        QTest::newRow("« NAME = » non reconnu") << QByteArray("<A NAME =\"x\"> <A  NAME=\"y\">") << QByteArrayList{}
                                                 << QByteArrayList{};
        QTest::newRow("casse différente: une entrée, comme la première")
            << QByteArray("<a name=\"Haut\"><a name=\"HAUT\"><a name=\"haut\">") << QByteArrayList{}
            << QByteArrayList{"Haut"};
        QTest::newRow("noms accentués de casse différente") << QByteArray("<a name=Été><A NAME=ÉTÉ>")
                                                            << QByteArrayList{} << QByteArrayList{"Été"};
        QTest::newRow("nom vide: rien") << QByteArray("<a name=\"\"><a name=>< a name=z>") << QByteArrayList{}
                                        << QByteArrayList{};
        QTest::newRow("sans >: rien") << QByteArray("<a name=\"x\"> <a name=\"fin") << QByteArrayList{}
                                      << QByteArrayList{"x"};
        QTest::newRow("recherche reprise après « NAME= »") << QByteArray("<a name=<a name=x>") << QByteArrayList{}
                                                           << QByteArrayList{"<aname=x", "x"};
        QTest::newRow("liste gardée, nouveaux noms au bout") << QByteArray("<a name=n><a name=Avant>")
                                                             << QByteArrayList{"avant"}
                                                             << QByteArrayList{"avant", "n"};
        QTest::newRow("page sans ancre") << QByteArray("<p>a < b</p>") << QByteArrayList{"x"}
                                         << QByteArrayList{"x"};
    }

    void listeAncres()
    {
        QFETCH(QByteArray, texte);
        QFETCH(QByteArrayList, liste);
        QFETCH(QByteArrayList, attendu);
        std::vector<std::string> l = Liste(liste);
        ListeAncres(Vue(texte), l);
        QCOMPARE(l, Liste(attendu));
    }

    // ListeAncres keeps a set of folded names instead of comparing each name with every entry: the list must be the
    // one that AjouteHistorique gives, name after name, whatever the mix of cases and of invalid bytes.
    void listeAncresCommeAjouteHistorique()
    {
        std::mt19937 hasard(7);
        const std::vector<std::string> lettres = {"a", "A", "é", "É", "\xC9", "\xE9", "ÿ", "Ÿ", "σ", "Σ",
                                                  "ж", "Ж", "\xC3", "\x89", "\xA9", "Ő", "ő", "İ", "i"};
        std::uniform_int_distribution<std::size_t> lettre(0, lettres.size() - 1);
        for (int essai = 0; essai < 200; ++essai) {
            std::string page;
            std::vector<std::string> attendu = {"É"}, obtenu = attendu;
            for (int k = 0; k < 40; ++k) {
                std::string nom;
                for (int i = std::uniform_int_distribution<int>(1, 3)(hasard); i > 0; --i)
                    nom += lettres[lettre(hasard)];
                page += "<a name=\"" + nom + "\">";
                AjouteHistorique(attendu, nom);
            }
            ListeAncres(page, obtenu);
            QCOMPARE(obtenu, attendu);
        }
    }
};

QTEST_APPLESS_MAIN(TstHistorique)
#include "tst_historique.moc"
