#include "core/texte/CodecFichier.h"

#include <QtTest>

Q_DECLARE_METATYPE(Encodage)
Q_DECLARE_METATYPE(FinDeLigne)

namespace {

struct Lu {
    std::string texte;
    Encodage encodage;
    FinDeLigne fin;
};

// The file read as the editor reads it, in blocks of the given size, started again when it turns out to be
// Windows-1252.
Lu LuParBlocs(std::string_view octets, std::size_t taille)
{
    DecodeurFichier decodeur;
    std::string texte;
    const auto passe = [&] {
        texte.clear();
        for (std::size_t i = 0; i < octets.size(); i += taille) {
            const std::optional<std::string_view> bloc = decodeur.Suivant(octets.substr(i, taille));
            if (!bloc)
                return false;
            texte += *bloc;
        }
        return decodeur.Termine();
    };
    if (!passe() && !passe())
        return {"deux passes n'ont pas suffi", Encodage::Utf8, FinDeLigne::Lf};
    return {texte, decodeur.EncodageFichier(), decodeur.FinFichier()};
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
            const Lu lu = LuParBlocs(vue, taille);
            QCOMPARE(lu.texte, attendu);
            QCOMPARE(lu.encodage, encodage);
            QCOMPARE(lu.fin, fin);
        }

        std::string encode;
        const auto ecrit = EncodeFichier(attendu, encodage, encode);
        QVERIFY(std::holds_alternative<OctetsFichier>(ecrit));
        const OctetsFichier morceaux = std::get<OctetsFichier>(ecrit);
        QCOMPARE(std::string(morceaux.marque) + std::string(morceaux.corps), std::string(vue));
    }

    void caracteresHorsWindows1252()
    {
        std::string tampon;
        const auto ecrit = EncodeFichier("é♥a→♥€😀\xC3", Encodage::Windows1252, tampon);
        QCOMPARE(std::get<std::u32string>(ecrit), std::u32string(U"♥→😀\uFFFD"));
        const auto utf8 = EncodeFichier("♥", Encodage::Utf8, tampon);
        QCOMPARE(std::get<OctetsFichier>(utf8).corps, std::string_view("♥"));
    }
};

QTEST_APPLESS_MAIN(TstCodecFichier)
#include "tst_codecfichier.moc"
