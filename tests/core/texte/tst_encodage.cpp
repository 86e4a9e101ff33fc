// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/texte/Encodage.h"
#include "core/texte/Utf8.h"

#include <QtTest>

#include <map>
#include <random>

class TstEncodage : public QObject {
    Q_OBJECT

    // Pieces of text: characters of one to four bytes, in Windows-1252 or not, and broken sequences.
    static inline const std::vector<std::string_view> Morceaux = {
        "a", "<p>", "abcdefghijklmnop", "\xC3\xA9", "\xC5\x93", "\xE2\x82\xAC", "\xC2\x81", "\xF0\x9F\x98\x80",
        "\xE4\xB8\xAD", "\xC2\x80", "\xC4\x80", "\xC3", "\xA9", "\xE2\x82", "\xE2\x80\xD8", "\xC0\xAF", "\xC1\xA9",
        "\xE0\x82\xA9", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xF0\x9F\x98", "\xFF"};

    // The texts of the pieces: each at every place of an ASCII text, which the 16 or 32 bytes read at once may cut,
    // and at its end; and random texts of them.
    static std::vector<std::string> Textes()
    {
        std::vector<std::string> textes;
        for (const std::string_view morceau : Morceaux)
            for (std::size_t i = 0; i <= 40; ++i) {
                textes.push_back(std::string(i, 'a').append(morceau).append(48 - i, 'a'));
                textes.push_back(std::string(i, 'a').append(morceau));
            }
        std::mt19937 hasard(2024);
        for (int essai = 0; essai < 20000; ++essai) {
            std::string &texte = textes.emplace_back();
            for (std::size_t i = 0, n = hasard() % 40; i < n; ++i)
                texte += Morceaux[hasard() % (essai % 2 ? 8 : Morceaux.size())];
        }
        return textes;
    }

    // In valid UTF-8, the bytes that start a character are those where the reading character by character goes,
    // each announcing the length that it reads; every cut goes back to the start of its character, counts the
    // characters before it, and leaves out as many bytes as the block's end keeps for the next one.
    static void Decoupe(const std::string &texte)
    {
        std::vector<std::size_t> debuts;
        for (std::size_t i = 0; i < texte.size(); CaractereUtf8(texte, i))
            debuts.push_back(i);
        debuts.push_back(texte.size());
        for (std::size_t i = 0; i <= texte.size(); ++i) {
            const auto k = std::size_t(std::ranges::upper_bound(debuts, i) - debuts.begin() - 1);
            const bool debut = debuts[k] == i;
            if (i < texte.size())
                QCOMPARE(EstSuiteUtf8(texte[i]), !debut);
            if (debut && i < texte.size())
                QCOMPARE(LongueurAnnonceeUtf8(texte[i]), debuts[k + 1] - i);
            QCOMPARE(DebutCaractereUtf8(texte, i), debuts[k]);
            QCOMPARE(CaracteresUtf8(std::string_view(texte).substr(0, i)), debut ? k : k + 1);
            QCOMPARE(SequenceInachevee(std::string_view(texte).substr(0, i)), i - debuts[k]);
            QCOMPARE(DebutUtf8(texte, k), std::string_view(texte).substr(0, debuts[k]));
        }
    }

private slots:
    // Valid exactly when the reading character by character reads no byte outside a character; encoded to
    // Windows-1252 exactly when each character has its byte there, which decodes back to it. Valid, it is cut well.
    void utf8EtWindows1252()
    {
        std::map<char32_t, char> octets;
        for (int i = 0; i < 256; ++i) {
            const char octet = char(i);
            std::string utf8;
            DecodeWindows1252(std::string_view(&octet, 1), utf8);
            std::size_t k = 0;
            QVERIFY(octets.emplace(CaractereUtf8(utf8, k), octet).second && k == utf8.size());
            QCOMPARE(utf8.size(), LongueurUtf8DeWindows1252(std::string_view(&octet, 1)));
        }
        for (const std::string &texte : Textes()) {
            std::optional<std::string> ansi = std::string();
            bool valide = true;
            for (std::size_t i = 0; i < texte.size();) {
                const char32_t c = CaractereUtf8(texte, i);
                valide = valide && c < HorsUnicode;
                const auto trouve = octets.find(c);
                if (trouve == octets.end())
                    ansi.reset();
                else if (ansi)
                    *ansi += trouve->second;
            }
            QVERIFY2(EstUtf8Valide(texte) == valide, qPrintable(QByteArray::fromStdString(texte).toHex(' ')));
            QVERIFY2(EncodeWindows1252(texte) == ansi, qPrintable(QByteArray::fromStdString(texte).toHex(' ')));
            std::string retour;
            QVERIFY(!ansi || (DecodeWindows1252(*ansi, retour), retour == texte));
            if (valide && (Decoupe(texte), QTest::currentTestFailed()))
                return;
        }
    }

    // Random texts of every mix of line ends: the first one is the text's, LF when it has none; CR LF pairs, and
    // only they, become the line end asked for.
    void finsDeLigne()
    {
        std::mt19937 hasard(5);
        const char *morceaux[] = {"a", "\r", "\n", "\r\n"};
        for (int essai = 0; essai < 2000; ++essai) {
            QByteArray texte;
            for (int n = hasard() % 8; n > 0; --n)
                texte += morceaux[hasard() % 4];
            const std::string t = texte.toStdString();
            const std::size_t fin = t.find_first_of("\r\n");
            QCOMPARE(DetecteFinDeLigne(t), fin == std::string::npos || t[fin] == '\n' ? FinDeLigne::Lf
                                           : t.compare(fin, 2, "\r\n") == 0        ? FinDeLigne::CrLf
                                                                                   : FinDeLigne::Cr);
            QCOMPARE(AvecFinsDeLigne(t, FinDeLigne::Lf), QByteArray(texte).replace("\r\n", "\n").toStdString());
            QCOMPARE(AvecFinsDeLigne(t, FinDeLigne::Cr), QByteArray(texte).replace("\r\n", "\r").toStdString());
            QCOMPARE(AvecFinsDeLigne(t, FinDeLigne::CrLf), t);
        }
    }
};

QTEST_APPLESS_MAIN(TstEncodage)
#include "tst_encodage.moc"
