#include "core/dialogs/Historique.h"

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

} // namespace

class TstHistorique : public QObject {
    Q_OBJECT

private slots:
    // Each row adds its text to a list that holds small letters of every alphabet folded, and a byte invalid on its
    // own.
    void ajouteHistorique_data()
    {
        QTest::addColumn<QByteArray>("texte");
        QTest::addColumn<bool>("ajoute");
        const struct {
            const char *nom, *texte;
            bool ajoute;
        } lignes[] = {
            {"texte vide: rien", "", false},
            {"texte nouveau: ajouté à la fin", "Index.htm", true},
            {"autre casse ASCII et latine: É é, À à", "éTÉ À PARIS", false},
            {"début commun seulement", "Été à Paris 2", true},
            {"accent différent", "Ete à Paris", true},
            {"Œ et œ, Ÿ et ÿ", "ŒUVRE D'Ÿ", false},
            {"latin étendu: Ł Ó Ź Č Ő", "ŁÓDŹ ČŐ", false},
            {"grec, avec accents", "ΑΘΉΝΑ Ώ", false},
            {"cyrillique, avec Ё", "ЁЛКА В МОСКВЕ", false},
            {"octet invalide identique", "\xC9", false},
            {"octet invalide contre É valide", "É", true},
            {"octets invalides non convertis", "\xE9", true},
            {"séquence tronquée avant une capitale", "\xE2\x82É", false},
            {"arménien", "ԱՐԱՄ", false},
            {"signe kelvin, plus long que son k", "\u212AELVIN", false},
        };
        for (const auto &l : lignes)
            QTest::newRow(l.nom) << QByteArray(l.texte) << l.ajoute;
    }

    void ajouteHistorique()
    {
        QFETCH(QByteArray, texte);
        QFETCH(bool, ajoute);
        std::vector<std::string> liste = {"Été à Paris", "\xC9", "œuvre d'ÿ", "łódź čő", "αθήνα ώ", "ёлка в москве",
                                          "\xE2\x82é", "արամ", "kelvin"};
        std::vector<std::string> attendu = liste;
        if (ajoute)
            attendu.push_back(texte.toStdString());
        AjouteHistorique(liste, texte.toStdString());
        QCOMPARE(liste, attendu);
    }

    void listeAncres_data()
    {
        QTest::addColumn<QByteArray>("texte");
        QTest::addColumn<QByteArrayList>("attendu");
        const auto ligne = [](const char *nom, const char *texte, QByteArrayList attendu) {
            QTest::newRow(nom) << QByteArray(texte) << attendu;
        };
        ligne("minuscules et capitales", "<a name=\"haut\">x</a> <A NAME=\"bas\"> <A Name=mi>", {"haut", "bas", "mi"});
        ligne("blancs retirés, tabulation et fin de ligne gardées", "<a name=\" mon  an\tc\nre \">", {"monan\tc\nre"});
        ligne("apostrophes gardées", "<a name='x'>", {"'x'"});
        ligne("HREF après le nom collé", "<A NAME=\"x\" HREF=\"y\">", {"xHREF=y"});
        ligne("« NAME = » non reconnu", "<A NAME =\"x\"> <A  NAME=\"y\">", {});
        ligne("casse différente: une entrée, comme la première", "<a name=Été><A NAME=ÉTÉ><a name=été>", {"Été"});
        ligne("nom vide: rien", "<a name=\"\"><a name=>", {});
        ligne("sans >: rien", "<a name=\"x\"> <a name=\"fin", {"x"});
        ligne("recherche reprise après « NAME= »", "<a name=<a name=x>", {"<aname=x", "x"});
        ligne("liste gardée: déjà là, sans regard à la casse", "<a name=n><a name=AVANT>", {"n"});
    }

    void listeAncres()
    {
        QFETCH(QByteArray, texte);
        QFETCH(QByteArrayList, attendu);
        std::vector<std::string> liste = {"avant"};
        ListeAncres(texte.toStdString(), liste);
        QCOMPARE(liste, Liste(QByteArrayList{"avant"} + attendu));
    }

    // ListeAncres keeps a set of folded names instead of comparing each name with every entry: the list must be the
    // one that AjouteHistorique gives, name after name, whatever the mix of cases and of invalid bytes.
    void listeAncresCommeAjouteHistorique()
    {
        std::mt19937 hasard(7);
        const std::vector<std::string> lettres = {"a", "A", "é", "É", "\xC9", "\xE9", "ÿ", "Ÿ", "σ", "Σ",
                                                  "ж", "Ж", "\xC3", "\x89", "\xA9", "Ő", "ő", "İ", "i"};
        for (int essai = 0; essai < 200; ++essai) {
            std::string page;
            std::vector<std::string> attendu = {"É"}, obtenu = attendu;
            for (int k = 0; k < 40; ++k) {
                std::string nom;
                for (unsigned i = 1 + hasard() % 3; i > 0; --i)
                    nom += lettres[hasard() % lettres.size()];
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
