// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/document/Ancres.h"
#include "core/insertion/Historique.h"

#include <QtTest>

#include <random>

class TstHistorique : public QObject {
    Q_OBJECT

private slots:
    // Each row adds its text to a list that holds small letters of several alphabets folded, and a byte invalid on
    // its own.
    void ajouteHistorique_data()
    {
        QTest::addColumn<QByteArray>("texte");
        QTest::addColumn<bool>("ajoute");
        const std::tuple<const char *, const char *, bool> lignes[] = {
            {"texte vide: rien", "", false},
            {"texte nouveau: ajouté à la fin", "Index.htm", true},
            {"autre casse ASCII et latine: É é, À à", "éTÉ À PARIS", false},
            {"début commun seulement", "Été à Paris 2", true},
            {"Œ et œ, Ÿ et ÿ, Ł et ł", "ŒUVRE D'Ÿ Ł", false},
            {"grec, avec accents", "ΑΘΉΝΑ Ώ", false},
            {"octet invalide identique", "\xC9", false},
            {"octet invalide contre É valide", "É", true},
            {"octets invalides non convertis pour la casse", "\xE9", true},
            {"séquence tronquée avant une capitale", "\xE2\x82É", false},
            {"signe kelvin, plus long que son k", "\u212AELVIN", false},
        };
        for (const auto &[nom, texte, ajoute] : lignes)
            QTest::newRow(nom) << QByteArray(texte) << ajoute;
    }

    void ajouteHistorique()
    {
        QFETCH(QByteArray, texte);
        std::vector<std::string> liste = {"Été à Paris", "\xC9", "œuvre d'ÿ ł", "αθήνα ώ", "\xE2\x82é", "kelvin"};
        AjouteHistorique(liste, texte.toStdString());
        QTEST(liste.size() == 7 && liste.back() == texte.toStdString(), "ajoute");
    }

    // Added to a list that holds "avant".
    void listeAncres_data()
    {
        QTest::addColumn<QByteArray>("texte");
        QTest::addColumn<QByteArrayList>("attendu");
        const auto ligne = [](const char *nom, const char *texte, QByteArrayList attendu) {
            QTest::newRow(nom) << QByteArray(texte) << attendu;
        };
        ligne("minuscules et capitales", "<a name=\"haut\">x</a> <A NAME=\"bas\"> <A Name=mi>", {"haut", "bas", "mi"});
        ligne("blancs retirés, tabulation et fin de ligne gardées", "<a name=\" mon  an\tc\nre \">", {"monan\tc\nre"});
        ligne("apostrophes gardées, HREF après le nom collé", "<A NAME='x' HREF=\"y\">", {"'x'HREF=y"});
        ligne("« NAME = » non reconnu", "<A NAME =\"x\"> <A  NAME=\"y\">", {});
        ligne("nom vide ou sans >: rien", "<a name=\"\"><a name=\"x\"> <a name=\"fin", {"x"});
        ligne("recherche reprise après « NAME= »", "<a name=<a name=x>", {"<aname=x", "x"});
    }

    void listeAncres()
    {
        QFETCH(QByteArray, texte);
        QFETCH(QByteArrayList, attendu);
        std::vector<std::string> liste = {"avant"};
        ListeAncres(texte.toStdString(), liste);
        std::vector<std::string> noms = {"avant"};
        for (const QByteArray &nom : attendu)
            noms.push_back(nom.toStdString());
        QCOMPARE(liste, noms);
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
