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
        QTest::newRow("fichier vide") << QByteArray() << Encodage::Utf8 << FinDeLigne::Lf << QString();
        QTest::newRow("marque seule") << Fixture("marque-seule.htm") << Encodage::Utf8Bom << FinDeLigne::Lf << QString();
        QTest::newRow("Windows-1252 commençant par les octets de la marque")
            << Fixture("fausse-marque.htm") << Encodage::Windows1252 << FinDeLigne::CrLf
            << QString::fromUcs4(U"\u00EF\u00BB\u00BFcaf\u00E9\r\n");
        QTest::newRow("octets NUL") << Fixture("nul.htm") << Encodage::Utf8 << FinDeLigne::Lf
                                    << QString::fromUtf8("a\0b\n\0\r\n", 7);
        QTest::newRow("CR seuls") << Fixture("cr-seul.htm") << Encodage::Utf8 << FinDeLigne::Cr
                                  << QString("<p>été</p>\r<p>b</p>\r");
        QTest::newRow("81 8D 8F 90 9D non attribués")
            << Fixture("non-attribues.htm") << Encodage::Windows1252 << FinDeLigne::Lf
            << QString::fromUcs4(U"\u0081\u008D\u008F\u0090\u009D€");
        QTest::newRow("marque puis UTF-8, CR LF") << QByteArray("\xEF\xBB\xBF" "à\r\n") << Encodage::Utf8Bom
                                                  << FinDeLigne::CrLf << QString("à\r\n");
        QTest::newRow("un CR pour finir") << QByteArray("a\r") << Encodage::Utf8 << FinDeLigne::Cr << QString("a\r");
        QTest::newRow("CR puis é") << QByteArray("a\r\xC3\xA9\n") << Encodage::Utf8 << FinDeLigne::Cr
                                   << QString("a\ré\n");
        QTest::newRow("accents UTF-8, dont un à cheval sur huit octets")
            << QByteArray("1234567é, € 😀") << Encodage::Utf8 << FinDeLigne::Lf << QString("1234567é, € 😀");
        QTest::newRow("suite isolée") << QByteArray("a\x80") << Encodage::Windows1252 << FinDeLigne::Lf
                                      << QString::fromUcs4(U"a\u20AC");
        QTest::newRow("forme trop longue E0 80 AF") << QByteArray("\xE0\x80\xAF") << Encodage::Windows1252
                                                    << FinDeLigne::Lf << QString::fromUcs4(U"\u00E0\u20AC\u00AF");
        QTest::newRow("séquence tronquée en fin") << QByteArray("ab\xE2\x82") << Encodage::Windows1252
                                                  << FinDeLigne::Lf << QString::fromUcs4(U"ab\u00E2\u201A");
        QTest::newRow("marque tronquée") << QByteArray("\xEF\xBB") << Encodage::Windows1252 << FinDeLigne::Lf
                                         << QString::fromUcs4(U"\u00EF\u00BB");
        QTest::newRow("surrogate ED A0 80") << QByteArray("\xED\xA0\x80") << Encodage::Windows1252
                                            << FinDeLigne::Lf << QString::fromUcs4(U"\u00ED\u00A0\u20AC");
        QTest::newRow("forme trop longue C0 AF") << QByteArray("\xC0\xAF\r\n") << Encodage::Windows1252
                                                 << FinDeLigne::CrLf << QString::fromUcs4(U"\u00C0\u00AF\r\n");
        QTest::newRow("au-delà de U+10FFFF, après huit octets ASCII")
            << QByteArray("12345678\xF4\x90\x80\x80") << Encodage::Windows1252 << FinDeLigne::Lf
            << QString::fromUcs4(U"12345678\u00F4\u0090\u20AC\u20AC");
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
        QCOMPARE(fichier.texte, attendu);
        QCOMPARE(fichier.encodage, encodage);
        QCOMPARE(fichier.fin, fin);

        for (std::size_t taille = 1; taille <= std::max<std::size_t>(vue.size(), 1); ++taille) {
            const Charge charge = ChargeParBlocs({std::string(vue)}, taille, std::max(vue.size(), attendu.size()));
            QCOMPARE(charge.erreur, std::nullopt);
            QCOMPARE(charge.texte, attendu);
            QCOMPARE(charge.fichier.encodage, encodage);
            QCOMPARE(charge.fichier.fin, fin);
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
        QTest::newRow("Windows-1252 que son décodage fait passer la limite") << ansi << -1 << 8 << tropGrand
                                                                             << QList<int>{8};
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
        QFETCH(int, erreur);
        QFETCH(QList<int>, reserves);
        const Charge charge = ChargeParBlocs({octets.toStdString(), echecALaLecture}, 4, std::size_t(limite));
        QCOMPARE(charge.erreur ? int(*charge.erreur) : -1, erreur);
        QCOMPARE(QList<int>(charge.reserves.begin(), charge.reserves.end()), reserves);
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
