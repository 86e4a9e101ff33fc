// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/document/LectureHTML.h"

#include <QtTest>

// The readers of pages have their own tests; these are the edge cases that none of them shows whole.
class TstLectureHTML : public QObject {
    Q_OBJECT

private slots:
    // The text after a tag's name; each attribute with a value as "nom=valeur", "+" after an open quote's; then the
    // text that follows the tag.
    void attributs_data()
    {
        QTest::addColumn<QByteArray>("texte");
        QTest::addColumn<QByteArrayList>("attendu");
        QTest::addColumn<QByteArray>("suite");
        QTest::newRow("valeurs, '=' seul ou suivi de '>'")
            << QByteArray(" a=1 b='x>y' c = \"z\" d e=>suite") << QByteArrayList{"a=1", "b=x>y", "c=z"}
            << QByteArray("suite");
        QTest::newRow("noms commençant par '=' ou un guillemet, '/' dans une valeur")
            << QByteArray(" =x=\"y\" 'a\"b=c/d=e/>suite") << QByteArrayList{"=x=y", "'a\"b=c/d=e/"}
            << QByteArray("suite");
        QTest::newRow("guillemet jamais fermé")
            << QByteArray(" a=b c='d>e") << QByteArrayList{"a=b", "c=d>e+"} << QByteArray();
        QTest::newRow("'=' à la fin") << QByteArray(" a=") << QByteArrayList{} << QByteArray();
    }

    void attributs()
    {
        QFETCH(QByteArray, texte);
        const std::string_view vue(texte.constData(), std::size_t(texte.size()));
        QByteArrayList obtenu;
        const std::size_t fin = LitAttributs(vue, 0, [&](const Attribut &attribut) {
            obtenu << QByteArray::fromStdString(std::string(attribut.nom) + '=' +
                                                std::string(vue.substr(attribut.debut, attribut.fin - attribut.debut)) +
                                                (attribut.ouvert ? "+" : ""));
        });
        QTEST(obtenu, "attendu");
        QTEST(QByteArray::fromStdString(std::string(vue.substr(fin))), "suite");
    }

    // What a '<' at the start of the text opens, and where a construct that is not a tag ends.
    void ouvertures()
    {
        const std::tuple<const char *, Ouverture, std::size_t> lignes[] = {
            {"<", Ouverture::Texte, 0},
            {"<3", Ouverture::Texte, 0},
            {"</", Ouverture::Texte, 0},
            {"<a", Ouverture::Ouvrante, 0},
            {"</A", Ouverture::Fermante, 0},
            {"</>x", Ouverture::Autre, 3},
            {"</1 <a>x", Ouverture::Autre, 7},
            {"<?x>y", Ouverture::Autre, 4},
            {"<!", Ouverture::Autre, 2},
            {"<!-->x", Ouverture::Autre, 5},
            {"<!--!>-->", Ouverture::Autre, 9},
            {"<![CDATA[>]]>x", Ouverture::Autre, 13},
            {"<![cdata[>]]>", Ouverture::Autre, 10},
        };
        for (const auto &[texte, ouverture, fin] : lignes) {
            QVERIFY2(OuvertureDe(texte, 0) == ouverture, texte);
            if (ouverture == Ouverture::Autre)
                QVERIFY2(FinAutre(texte, 0) == fin, texte);
        }
    }

    // The references at the ends of what the table and the numbers allow.
    void references()
    {
        const std::tuple<const char *, char32_t, std::size_t> lignes[] = {
            {"&thetasym;", U'\u03D1', 10},    {"&#X41;", U'A', 6},   {"&#65", U'A', 4}, {"&#150x", U'\u2013', 5},
            {"&#4294967361;", U'\uFFFD', 13}, {"&thetasymx;", 0, 0}, {"&#x;", 0, 0},    {"&", 0, 0},
        };
        for (const auto &[texte, caractere, fin] : lignes) {
            const std::optional<Reference> reference = LitReference(texte, 0);
            QVERIFY2(reference.has_value() == (caractere != 0), texte);
            if (reference)
                QVERIFY2(reference->caractere == caractere && reference->fin == fin, texte);
        }
    }
};

QTEST_APPLESS_MAIN(TstLectureHTML)
#include "tst_lecturehtml.moc"
