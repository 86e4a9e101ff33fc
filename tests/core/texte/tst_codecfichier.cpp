// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/texte/CodecFichier.h"

#include <QtTest>

Q_DECLARE_METATYPE(Encodage)
Q_DECLARE_METATYPE(FinDeLigne)

namespace {

// A file in memory, read as ChargeFichier reads a file: it may fail at the read of a given rank (counted over every
// pass), refuse to go back to its start, or never end (a file that grows while it is read).
struct Fichier {
    std::string octets;
    int echecALaLecture = -1;
    bool recommence = true;
    bool sansFin = false;
};

struct Charge {
    std::string texte;
    std::vector<std::size_t> reserves;
    std::optional<ErreurChargement> erreur;
    FichierCharge fichier{};
};

Charge ChargeParBlocs(const Fichier &fichier, std::size_t tailleBloc, std::size_t limite)
{
    Charge charge;
    std::size_t position = 0;
    int lectures = 0;
    const auto lit = [&](char *bloc, std::size_t taille) -> std::int64_t {
        if (lectures++ == fichier.echecALaLecture)
            return -1;
        if (fichier.sansFin)
            return std::fill_n(bloc, taille, 'a') - bloc;
        const std::size_t n = fichier.octets.copy(bloc, taille, position);
        position += n;
        return std::int64_t(n);
    };
    const SourceFichier source{fichier.octets.size(), lit, [&] {
                                   position = 0;
                                   return fichier.recommence;
                               }};
    const auto resultat = ChargeFichier(source,
                                        {[&](std::size_t taille) { charge.reserves.push_back(taille); },
                                         [&](std::string_view texte) { charge.texte += texte; },
                                         [&] { charge.texte.clear(); }},
                                        limite, tailleBloc);
    charge.erreur = resultat ? std::nullopt : std::optional(resultat.Pourquoi());
    charge.fichier = resultat ? *resultat : FichierCharge{};
    return charge;
}

QByteArray Fixture(const char *nom)
{
    QFile fichier(QStringLiteral(FICHIERS "/") + QLatin1String(nom));
    return fichier.open(QIODevice::ReadOnly) ? fichier.readAll() : QByteArray("fixture absente");
}

} // namespace

class TstCodecFichier : public QObject {
    Q_OBJECT

private slots:
    void decodage_data()
    {
        QTest::addColumn<QByteArray>("octets");
        QTest::addColumn<Encodage>("encodage");
        QTest::addColumn<FinDeLigne>("fin");
        QTest::addColumn<QString>("texte");
        const auto ligne = [](const char *nom, const QByteArray &octets, Encodage e, FinDeLigne f, const QString &t) {
            QTest::newRow(nom) << octets << e << f << t;
        };
        // Bytes that are not UTF-8: each one is a Windows-1252 character.
        const auto ansi = [&](const char *nom, const QByteArray &octets, const char32_t *texte) {
            ligne(nom, octets, Encodage::Windows1252, FinDeLigne::Lf, QString::fromUcs4(texte));
        };
        ligne("fichier vide", {}, Encodage::Utf8, FinDeLigne::Lf, {});
        ligne("marque seule", Fixture("marque-seule.htm"), Encodage::Utf8Bom, FinDeLigne::Lf, {});
        ligne("Windows-1252 commençant par les octets de la marque", Fixture("fausse-marque.htm"),
              Encodage::Windows1252, FinDeLigne::CrLf, QString::fromUcs4(U"\u00EF\u00BB\u00BFcaf\u00E9\r\n"));
        ligne("octets NUL", Fixture("nul.htm"), Encodage::Utf8, FinDeLigne::Lf, QString::fromUtf8("a\0b\n\0\r\n", 7));
        ligne("CR seuls", Fixture("cr-seul.htm"), Encodage::Utf8, FinDeLigne::Cr, "<p>été</p>\r<p>b</p>\r");
        ansi("81 8D 8F 90 9D non attribués", Fixture("non-attribues.htm"), U"\u0081\u008D\u008F\u0090\u009D€");
        ligne("marque puis UTF-8, CR LF", "\xEF\xBB\xBF" "à\r\n", Encodage::Utf8Bom, FinDeLigne::CrLf, "à\r\n");
        ligne("CR puis é", "a\r\xC3\xA9\n", Encodage::Utf8, FinDeLigne::Cr, "a\ré\n");
        ligne("accents UTF-8, dont un à cheval sur huit octets", "1234567é, € 😀", Encodage::Utf8, FinDeLigne::Lf,
              "1234567é, € 😀");
        ansi("forme trop longue E0 80 AF", "\xE0\x80\xAF", U"\u00E0\u20AC\u00AF");
        ansi("séquence tronquée en fin", "ab\xE2\x82", U"ab\u00E2\u201A");
        ansi("marque tronquée", "\xEF\xBB", U"\u00EF\u00BB");
        ansi("surrogate ED A0 80", "\xED\xA0\x80", U"\u00ED\u00A0\u20AC");
        ligne("forme trop longue C0 AF", "\xC0\xAF\r\n", Encodage::Windows1252, FinDeLigne::CrLf,
              QString::fromUcs4(U"\u00C0\u00AF\r\n"));
        ansi("au-delà de U+10FFFF, après huit octets ASCII", "12345678\xF4\x90\x80\x80",
             U"12345678\u00F4\u0090\u20AC\u20AC");
    }

    // Read whole or block by block, any block size, a file gives the same text, encoding and line end; written back
    // in its encoding, it gives its bytes again.
    void decodage()
    {
        QFETCH(QByteArray, octets);
        QFETCH(Encodage, encodage);
        QFETCH(FinDeLigne, fin);
        QFETCH(QString, texte);
        const std::string_view vue(octets.constData(), octets.size());
        const std::string attendu = texte.toStdString();
        std::string tampon;
        const TexteFichier fichier = DecodeFichier(vue, tampon);
        QVERIFY(fichier.texte == attendu && fichier.encodage == encodage && fichier.fin == fin);
        for (std::size_t taille = 1; taille <= std::max<std::size_t>(vue.size(), 1); ++taille) {
            const Charge charge = ChargeParBlocs({std::string(vue)}, taille, std::max(vue.size(), attendu.size()));
            QVERIFY2(!charge.erreur && charge.texte == attendu && charge.fichier.encodage == encodage &&
                         charge.fichier.fin == fin,
                     qPrintable(QString("blocs de %1 octets").arg(taille)));
        }

        std::string encode;
        const auto ecrit = EncodeFichier(attendu, encodage, encode);
        QVERIFY(ecrit);
        QCOMPARE(std::string(ecrit->marque) + std::string(ecrit->corps), std::string(vue));
    }

    // Read in blocks of four bytes, a file fails to load on a read error or past the limit, its text to be dropped;
    // the room asked for is the whole text's, once it is known. A read fails at the given rank, counted over every
    // pass: the first pass reads "abcd" then stops on "\xE9fgh", the second measures in three reads.
    void echecs_data()
    {
        QTest::addColumn<QByteArray>("octets");
        QTest::addColumn<int>("echecALaLecture");
        QTest::addColumn<int>("limite");
        QTest::addColumn<int>("erreur");
        QTest::addColumn<QList<int>>("reserves");
        const int aucune = -1, illisible = int(ErreurChargement::Illisible), tropGrand = int(ErreurChargement::TropGrand);
        const QByteArray utf8("abcdéfgh"), ansi("abcd\xE9" "fgh");
        QTest::newRow("UTF-8 juste à la limite") << utf8 << -1 << 9 << aucune << QList<int>{9};
        QTest::newRow("UTF-8 d'un octet de trop") << utf8 << -1 << 8 << tropGrand << QList<int>{8};
        QTest::newRow("Windows-1252 que son décodage fait passer la limite") << ansi << -1 << 8 << tropGrand << QList<int>{8};
        QTest::newRow("Windows-1252 décodé juste à la limite") << ansi << -1 << 9 << aucune << QList<int>{8, 9};
        QTest::newRow("erreur à la première lecture") << utf8 << 0 << 100 << illisible << QList<int>{};
        QTest::newRow("erreur au milieu du fichier") << utf8 << 1 << 100 << illisible << QList<int>{9};
        QTest::newRow("erreur en mesurant le Windows-1252") << ansi << 3 << 100 << illisible << QList<int>{8};
        QTest::newRow("erreur en relisant le Windows-1252") << ansi << 6 << 100 << illisible << QList<int>{8, 9};
    }

    void echecs()
    {
        QFETCH(QByteArray, octets);
        QFETCH(int, echecALaLecture);
        QFETCH(int, limite);
        const Charge charge = ChargeParBlocs({octets.toStdString(), echecALaLecture}, 4, std::size_t(limite));
        QTEST(charge.erreur ? int(*charge.erreur) : -1, "erreur");
        QTEST(QList<int>(charge.reserves.begin(), charge.reserves.end()), "reserves");
    }

    // A file that cannot go back to its start, or that grows while it is read, is read no further.
    void fichierQuiSeDerobe()
    {
        QCOMPARE(ChargeParBlocs({"abcd\xE9" "fgh", -1, false}, 4, 100).erreur, ErreurChargement::Illisible);
        QCOMPARE(ChargeParBlocs({"a", -1, true, true}, 4, 10).erreur, ErreurChargement::TropGrand);
    }

    void caracteresHorsWindows1252()
    {
        std::string tampon;
        const auto ecrit = EncodeFichier("é♥a→♥€😀\xC3", Encodage::Windows1252, tampon);
        QCOMPARE(ecrit.Pourquoi(), std::u32string(U"♥→😀\uFFFD"));
        const auto utf8 = EncodeFichier("♥", Encodage::Utf8, tampon);
        QCOMPARE(utf8->corps, std::string_view("♥"));
    }
};

QTEST_APPLESS_MAIN(TstCodecFichier)
#include "tst_codecfichier.moc"
