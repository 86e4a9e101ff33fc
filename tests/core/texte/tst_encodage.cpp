#include "core/texte/Encodage.h"

#include <QtTest>

#include <random>

Q_DECLARE_METATYPE(FinDeLigne)

class TstEncodage : public QObject {
    Q_OBJECT

private slots:
    void windows1252AllerRetour()
    {
        std::string octets;
        for (int i = 0; i < 256; ++i)
            octets += char(i);
        const std::string debut = "déjà ";
        std::string texte = debut;
        DecodeWindows1252(octets, texte);
        QCOMPARE(texte.size(), debut.size() + LongueurUtf8DeWindows1252(octets));
        QVERIFY(texte.starts_with(debut) && EstUtf8Valide(texte));
        QCOMPARE(EncodeWindows1252(texte.substr(debut.size())), std::optional(octets));
    }

    void windows1252Encode_data()
    {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<QByteArray>("octets");
        QTest::newRow("accents et table 0x80-0x9F") << "é€Œ™Ÿ" << QByteArray("\xE9\x80\x8C\x99\x9F");
        QTest::newRow("U+0080 n'a pas d'octet") << QString(QChar(0x80)) << QByteArray();
        QTest::newRow("U+0100 hors page") << "a\u0100" << QByteArray();
        QTest::newRow("chinois hors page") << "中" << QByteArray();
        QTest::newRow("emoji hors page") << "😀" << QByteArray();
    }

    void windows1252Encode()
    {
        QFETCH(QString, texte);
        QFETCH(QByteArray, octets);
        const std::optional<std::string> encode = EncodeWindows1252(texte.toStdString());
        QCOMPARE(encode, octets.isEmpty() ? std::nullopt : std::optional(octets.toStdString()));
    }

    // Malformed UTF-8 has no Windows-1252 bytes: decoded loosely, each of these would pass for a character.
    void windows1252Malforme_data()
    {
        QTest::addColumn<QByteArray>("octets");
        QTest::newRow("C3 65: suite invalide, pas å") << QByteArray("caf\xC3" "e");
        QTest::newRow("C2 41: suite invalide, pas l'octet 81") << QByteArray("\xC2" "A");
        QTest::newRow("E2 82 2C: troisième octet invalide, pas €") << QByteArray("\xE2\x82,");
        QTest::newRow("E2 80 D8: tronquée par un autre début, pas ‘") << QByteArray("\xE2\x80\xD8" "x");
        QTest::newRow("E0 82 A9: forme trop longue de ©") << QByteArray("\xE0\x82\xA9");
        QTest::newRow("C1 A9: forme trop longue sur deux octets") << QByteArray("\xC1\xA9");
        QTest::newRow("ED A0 80: surrogate") << QByteArray("\xED\xA0\x80");
        QTest::newRow("C3 en fin de texte, après huit octets ASCII") << QByteArray("12345678\xC3");
    }

    void windows1252Malforme()
    {
        QFETCH(QByteArray, octets);
        QVERIFY(!EncodeWindows1252(std::string_view(octets.constData(), octets.size())));
    }

    // Mostly ASCII texts, read 32 or 16 bytes at a time: what is wrong or cut off must be found wherever it falls in or
    // across a step, and the rest of the text be read after it.
    void utf8Valide_data()
    {
        QTest::addColumn<QByteArray>("octets");
        QTest::addColumn<bool>("valide");
        const QByteArray ascii(48, 'a');
        for (int i = 0; i <= 40; ++i) {
            const auto place = [&](const QByteArray &sequence) {
                return QByteArray(ascii).replace(i, sequence.size(), sequence);
            };
            QTest::addRow("suite isolée à %d", i) << place("\x80") << false;
            QTest::addRow("octet FF à %d", i) << place("\xFF") << false;
            QTest::addRow("é à %d", i) << place("\xC3\xA9") << true;
            QTest::addRow("é puis suite isolée, à %d", i) << place("\xC3\xA9\xA9") << false;
            QTest::addRow("4 octets valides à %d", i) << place("\xF0\x9F\x98\x80") << true;
            QTest::addRow("4 octets, le dernier ASCII, à %d", i) << place("\xF0\x9F\x98" "a") << false;
            QTest::addRow("surrogate à %d", i) << place("\xED\xA0\x80") << false;
            QTest::addRow("fin du texte dans une séquence, à %d", i) << ascii.left(i) + "\xE2\x82" << false;
            QTest::addRow("fin du texte après un début de deux octets, à %d", i) << ascii.left(i) + "\xC3" << false;
            QTest::addRow("texte ASCII de %d octets", i) << ascii.left(i) << true;
            QTest::addRow("forme trop longue C1 A9 à %d", i) << place("\xC1\xA9") << false;
            QTest::addRow("début de deux octets suivi d'ASCII, à %d", i) << place("\xC3" "a") << false;
            QTest::addRow("deux débuts de suite, à %d", i) << place("\xC3\xC3\xA9") << false;
            QTest::addRow("é puis €, à %d", i) << place("\xC3\xA9\xE2\x82\xAC") << true;
            QTest::addRow("%d é de suite", i) << QByteArray("\xC3\xA9").repeated(i) + "a" << true;
            QTest::addRow("%d é de suite, puis une suite isolée", i)
                << QByteArray("\xC3\xA9").repeated(i) + "\xA9" << false;
        }
        QTest::newRow("invalide après des caractères valides et 16 octets ASCII")
            << QByteArray("\xC3\xA9\xE2\x82\xAC") + QByteArray(16, 'b') + "\xC0\xAF" << false;
    }

    void utf8Valide()
    {
        QFETCH(QByteArray, octets);
        QTEST(EstUtf8Valide(std::string_view(octets.constData(), std::size_t(octets.size()))), "valide");
    }

    // Random texts of characters of every length and of broken sequences, against the reading character by
    // character: valid exactly when no byte is read outside a character.
    void utf8AuHasard()
    {
        const std::vector<std::string_view> morceaux = {"a", "<p>", "abcdefghijklmnop", "\xC3\xA9", "\xC5\x93",
                                                        "\xE2\x82\xAC", "\xF0\x9F\x98\x80", "\xC3", "\xA9", "\xE2\x82",
                                                        "\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xFF"};
        std::mt19937 hasard(2024);
        int valides = 0;
        for (int essai = 0; essai < 20000; ++essai) {
            std::string texte;
            for (std::size_t i = 0, n = hasard() % 40; i < n; ++i)
                texte += morceaux[hasard() % (essai % 2 ? 7 : morceaux.size())];
            bool attendu = true;
            for (std::size_t i = 0; i < texte.size() && attendu;)
                attendu = CaractereUtf8(texte, i) < HorsUnicode;
            valides += attendu;
            if (EstUtf8Valide(texte) != attendu)
                QFAIL(qPrintable(QByteArray::fromStdString(texte).toHex(' ')));
        }
        QVERIFY(valides > 10000 && valides < 19000);
    }

    void finsDeLigne_data()
    {
        QTest::addColumn<QByteArray>("texte");
        QTest::addColumn<FinDeLigne>("detectee");
        QTest::addColumn<QByteArray>("versLf");
        QTest::addColumn<QByteArray>("versCr");
        QTest::newRow("sans fin de ligne: LF") << QByteArray("a") << FinDeLigne::Lf << QByteArray("a") << QByteArray("a");
        QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << FinDeLigne::CrLf << QByteArray("a\nb\n") << QByteArray("a\rb\r");
        QTest::newRow("LF d'abord, LF seul gardé") << QByteArray("a\nb\r\n") << FinDeLigne::Lf << QByteArray("a\nb\n") << QByteArray("a\nb\r");
        QTest::newRow("CR d'abord, CR seul gardé") << QByteArray("a\rb\r\n\r") << FinDeLigne::Cr << QByteArray("a\rb\n\r") << QByteArray("a\rb\r\r");
        QTest::newRow("LF CR n'est pas une paire") << QByteArray("\n\r") << FinDeLigne::Lf << QByteArray("\n\r") << QByteArray("\n\r");
        QTest::newRow("texte vide: LF") << QByteArray() << FinDeLigne::Lf << QByteArray() << QByteArray();
        QTest::newRow("CR au dernier octet") << QByteArray("a\r") << FinDeLigne::Cr << QByteArray("a\r") << QByteArray("a\r");
        QTest::newRow("CR, puis LF plus loin") << QByteArray("a\rb\n") << FinDeLigne::Cr << QByteArray("a\rb\n") << QByteArray("a\rb\n");
    }

    void finsDeLigne()
    {
        QFETCH(QByteArray, texte);
        QFETCH(FinDeLigne, detectee);
        QFETCH(QByteArray, versLf);
        QFETCH(QByteArray, versCr);
        QCOMPARE(DetecteFinDeLigne(texte.toStdString()), detectee);
        QCOMPARE(AvecFinsDeLigne(texte.toStdString(), FinDeLigne::Lf), versLf.toStdString());
        QCOMPARE(AvecFinsDeLigne(texte.toStdString(), FinDeLigne::Cr), versCr.toStdString());
        QCOMPARE(AvecFinsDeLigne(texte.toStdString(), FinDeLigne::CrLf), texte.toStdString());
    }
};

QTEST_APPLESS_MAIN(TstEncodage)
#include "tst_encodage.moc"
