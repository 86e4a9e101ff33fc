#include "entities/Remplacement.h"

#include <QRandomGenerator>
#include <QtTest>

// In the rows, a series is written "cherche>remplace", one row per string.
class TstRemplacement : public QObject {
    Q_OBJECT

    static SerieRemplacements Serie(const QStringList &ecrite)
    {
        std::vector<Remplacement> lignes;
        for (const QString &ligne : ecrite)
            lignes.push_back({ligne.section(u'>', 0, 0).toStdString(), ligne.section(u'>', 1).toStdString()});
        return SerieRemplacements(std::move(lignes));
    }

private slots:
    void remplace_data()
    {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<QString>("cherche");
        QTest::addColumn<QString>("remplace");
        QTest::addColumn<QString>("attendu");
        QTest::newRow("recherche vide: inchangé") << "abc" << "" << "x" << "abc";
        QTest::newRow("a en aa: chaque a doublé, une fois") << "banana" << "a" << "aa" << "baanaanaa";
        QTest::newRow("sans chevauchement, de gauche à droite") << "aaaaa" << "aa" << "b" << "bba";
        QTest::newRow("casse distinguée: é n'est pas É") << "Été été" << "é" << "&eacute;" << "Ét&eacute; &eacute;t&eacute;";
    }

    void remplace()
    {
        QFETCH(QString, texte);
        QFETCH(QString, cherche);
        QFETCH(QString, remplace);
        QFETCH(QString, attendu);
        QCOMPARE(Remplace(texte.toStdString(), cherche.toStdString(), remplace.toStdString()), attendu.toStdString());
    }

    void serie_data()
    {
        QTest::addColumn<QStringList>("lignes");
        QTest::addColumn<QString>("texte");
        QTest::addColumn<QString>("attendu");
        QTest::addColumn<bool>("unePasse");
        QTest::newRow("& en &amp; après é: l'esperluette écrite convertie aussi")
            << QStringList{"é>&eacute;", "&>&amp;"} << "é&" << "&amp;eacute;&amp;" << false;
        QTest::newRow("& en &amp; avant é: seule celle du texte")
            << QStringList{"&>&amp;", "é>&eacute;"} << "é&" << "&eacute;&amp;" << true;
        QTest::newRow("doublon: la première ligne gagne") << QStringList{"ab>1", "x>2", "ab>3"} << "abxab" << "121" << true;
        QTest::newRow("doublon après un remplacement qui le recrée")
            << QStringList{"a>aa", "a>b"} << "a" << "bb" << false;
        QTest::newRow("recherches vides ignorées") << QStringList{">x", "a>b", ">"} << "aa" << "bb" << true;
        QTest::newRow("chevauchement: ab puis bc") << QStringList{"ab>1", "bc>2"} << "abc bc" << "1c 2" << false;
        QTest::newRow("retrait puis recherche d'un octet") << QStringList{"x>", "a>b"} << "axa" << "bb" << true;
        QTest::newRow("retrait qui rapproche ab") << QStringList{"x>", "ab>1"} << "axb" << "1" << false;
        QTest::newRow("longues recherches, même début sur 8 octets")
            << QStringList{"&abcdefgh1;>1", "&abcdefgh2;>2", "&abcdefgh;>0"}
            << "&abcdefgh2;&abcdefgh;&abcdefgh1x&abcdefgh1;&abcdefgh1" << "20&abcdefgh1x1&abcdefgh1" << true;
    }

    void serie()
    {
        QFETCH(QStringList, lignes);
        QFETCH(QString, texte);
        QFETCH(QString, attendu);
        QFETCH(bool, unePasse);
        const SerieRemplacements serie = Serie(lignes);
        QCOMPARE(serie.AppliqueLigneParLigne(texte.toStdString()), attendu.toStdString());
        QCOMPARE(serie.Applique(texte.toStdString()), attendu.toStdString());
        QCOMPARE(serie.UnePasse(), unePasse);
    }

    // Series of small alphabets, where overlaps, duplicates, empty replacements and replacements holding search
    // texts are all common: the fast way must match the reference, whichever way it takes.
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
        const QByteArray avecEspaces = alphabet + "  ";
        const auto mot = [&](int longueurMax, const QByteArray &lettres) {
            std::string mot(alea.bounded(longueurMax + 1), ' ');
            for (char &c : mot)
                c = lettres[alea.bounded(lettres.size())];
            return mot;
        };
        int series[2] = {0, 0};
        for (int essai = 0; essai < 3000; ++essai) {
            std::vector<Remplacement> lignes(alea.bounded(2, 6));
            for (Remplacement &ligne : lignes)
                ligne = {mot(3, alphabet), mot(alea.bounded(3) == 0 ? 0 : 3, alphabet)};
            const SerieRemplacements serie(lignes);
            ++series[serie.UnePasse()];
            for (int texte = 0; texte < 8; ++texte) {
                const std::string avant = mot(40, avecEspaces);
                if (serie.Applique(avant) != serie.AppliqueLigneParLigne(avant)) {
                    std::string ecrite;
                    for (const Remplacement &ligne : lignes)
                        ecrite += ligne.cherche + ">" + ligne.remplace + " ";
                    QFAIL(qPrintable(QString("série %1, texte %2").arg(ecrite.c_str(), avant.c_str())));
                }
            }
        }
        QVERIFY2(series[true] > 300 && series[false] > 300, qPrintable(QString("%1 %2").arg(series[0]).arg(series[1])));
    }
};

QTEST_APPLESS_MAIN(TstRemplacement)
#include "tst_remplacement.moc"
