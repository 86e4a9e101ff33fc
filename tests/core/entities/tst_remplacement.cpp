// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/entities/Remplacement.h"

#include <QRandomGenerator>
#include <QtTest>

// The reference that a series must always equal: one Remplace per row, each over the result of the rows before.
static std::string LigneParLigne(const std::vector<Remplacement> &lignes, std::string_view texte)
{
    std::string resultat(texte);
    for (const Remplacement &ligne : lignes)
        resultat = Remplace(resultat, ligne.cherche, ligne.remplace, LimiteResultat(texte.size()));
    return resultat;
}

class TstRemplacement : public QObject {
    Q_OBJECT

private slots:
    // A series is written "cherche>remplace", one row per string.
    void serie_data()
    {
        QTest::addColumn<QStringList>("lignes");
        QTest::addColumn<QString>("texte");
        QTest::addColumn<QString>("attendu");
        QTest::newRow("a en aa: chaque a doublé une fois") << QStringList{"a>aa"} << "banana" << "baanaanaa";
        QTest::newRow("sans chevauchement, de gauche à droite") << QStringList{"aa>b"} << "aaaaa" << "bba";
        QTest::newRow("& en &amp; après é: l'esperluette écrite convertie aussi")
            << QStringList{"é>&eacute;", "&>&amp;"} << "é&" << "&amp;eacute;&amp;";
        QTest::newRow("& en &amp; avant é: seule celle du texte") << QStringList{"&>&amp;", "é>&eacute;"} << "é&" << "&eacute;&amp;";
        QTest::newRow("doublon: la première ligne gagne") << QStringList{"ab>1", "x>2", "ab>3"} << "abxab" << "121";
        QTest::newRow("recherches vides ignorées") << QStringList{">x", "a>b", ">"} << "aa" << "bb";
        QTest::newRow("retrait qui rapproche ab") << QStringList{"x>", "ab>1"} << "axb" << "1";
        QTest::newRow("longues recherches, même début sur 8 octets")
            << QStringList{"&abcdefgh1;>1", "&abcdefgh2;>2", "&abcdefgh;>0"}
            << "&abcdefgh2;&abcdefgh;&abcdefgh1x&abcdefgh1;&abcdefgh1" << "20&abcdefgh1x1&abcdefgh1";
    }

    void serie()
    {
        QFETCH(QStringList, lignes);
        QFETCH(QString, texte);
        std::vector<Remplacement> serie;
        for (const QString &ligne : lignes)
            serie.push_back({ligne.section(u'>', 0, 0).toStdString(), ligne.section(u'>', 1).toStdString()});
        QTEST(QString::fromStdString(LigneParLigne(serie, texte.toStdString())), "attendu");
        QTEST(QString::fromStdString(SerieRemplacements(serie).Applique(texte.toStdString())), "attendu");
    }

    // A text of `taille` letters a, each replaced by `longueur` letters b, accepted or not; with a second row, in one
    // pass. The limit is 8 MB, or 64 times the text; over the text's own bytes, a shorter limit than the text refuses
    // a replacement that shortens it too little. When each row doubles the text, the limit counts from the text
    // given, not from the result of the row before.
    void limite()
    {
        const std::vector<Remplacement> doublent(14, {"a", "aa"});
        QVERIFY_THROWS_EXCEPTION(std::bad_alloc, SerieRemplacements(doublent).Applique(std::string(1024, 'a')));
        QVERIFY_THROWS_EXCEPTION(std::bad_alloc, LigneParLigne(doublent, std::string(1024, 'a')));
        const std::tuple<int, int, bool> cas[] = {
            {1024, 8 * 1024, true}, {1, (8 << 20) + 1, false}, {256 << 10, 64, true}, {256 << 10, 65, false}, {256 << 10, 0, true}};
        for (const bool unePasse : {false, true}) {
            for (const auto &[taille, longueur, accepte] : cas) {
                std::vector<Remplacement> lignes = {{"a", std::string(longueur, 'b')}};
                if (unePasse)
                    lignes.push_back({"c", "d"});
                const SerieRemplacements serie(std::move(lignes));
                const std::string texte(taille, 'a');
                std::string surPlace = texte;
                if (accepte) {
                    serie.AppliqueSurPlace(surPlace, LimiteResultat(texte.size()));
                    QVERIFY(serie.Applique(texte).size() == std::size_t(taille) * longueur && surPlace.size() == std::size_t(taille) * longueur);
                } else {
                    QVERIFY_THROWS_EXCEPTION(std::bad_alloc, serie.Applique(texte));
                    QVERIFY_THROWS_EXCEPTION(std::bad_alloc,
                                             serie.AppliqueSurPlace(surPlace, LimiteResultat(texte.size())));
                }
            }
            const SerieRemplacements raccourcit(unePasse ? std::vector<Remplacement>{{"aa", "b"}, {"c", "d"}}
                                                         : std::vector<Remplacement>{{"aa", "b"}});
            std::string surPlace(100, 'a');
            QVERIFY_THROWS_EXCEPTION(std::bad_alloc, raccourcit.AppliqueSurPlace(surPlace, 60));
            QVERIFY_THROWS_EXCEPTION(std::bad_alloc, raccourcit.Applique(std::string(100, 'a'), 60));
            surPlace.assign(100, 'a');
            raccourcit.AppliqueSurPlace(surPlace, 99);
            QCOMPARE(surPlace, std::string(50, 'b'));
        }
    }

    // Series of small alphabets, where overlaps, duplicates, empty replacements and replacements holding search
    // texts are all common: the fast way must match the reference, whichever way it takes, over a new string or over
    // the text's own bytes.
    void differentiel_data()
    {
        QTest::addColumn<QByteArray>("alphabet");
        QTest::newRow("ASCII: premiers octets en table") << QByteArray("abc");
        QTest::newRow("esperluette et point-virgule, comme les entités") << QByteArray("&ab;");
        QTest::newRow("octets hauts: sauts de huit octets") << QByteArray("\xC3\xA9\xA8");
    }

    void differentiel()
    {
        QFETCH(QByteArray, alphabet);
        QRandomGenerator alea(1789);
        const auto mot = [&](int longueurMax, const QByteArray &lettres) {
            std::string mot(alea.bounded(longueurMax + 1), ' ');
            for (char &c : mot)
                c = lettres[alea.bounded(lettres.size())];
            return mot;
        };
        for (int essai = 0; essai < 3000; ++essai) {
            std::vector<Remplacement> lignes(alea.bounded(2, 6));
            for (Remplacement &ligne : lignes)
                ligne = {mot(3, alphabet), mot(alea.bounded(3) == 0 ? 0 : 3, alphabet)};
            const SerieRemplacements serie(lignes);
            for (int texte = 0; texte < 8; ++texte) {
                const std::string avant = mot(40, alphabet + "  ");
                const std::string attendu = LigneParLigne(lignes, avant);
                std::string surPlace = avant;
                serie.AppliqueSurPlace(surPlace, LimiteResultat(avant.size()));
                if (serie.Applique(avant) != attendu || surPlace != attendu)
                    QFAIL(qPrintable(QString("essai %1, texte %2").arg(essai).arg(avant.c_str())));
            }
        }
    }
};

QTEST_APPLESS_MAIN(TstRemplacement)
#include "tst_remplacement.moc"
