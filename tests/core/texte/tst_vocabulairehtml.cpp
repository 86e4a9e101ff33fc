// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/texte/VocabulaireHTML.h"

#include <QtTest>

#include <algorithm>

static QString Joints(const std::vector<std::string> &noms)
{
    QStringList liste;
    for (const std::string &nom : noms)
        liste << QString::fromStdString(nom);
    return liste.join(u' ');
}

class TestVocabulaireHtml : public QObject {
    Q_OBJECT

private slots:
    void prefixes_data()
    {
        QTest::addColumn<bool>("references");
        QTest::addColumn<QString>("debut");
        QTest::addColumn<QString>("noms");
        QTest::newRow("élément: le premier de la table, en capitales")
            << false << "A" << "A ABBR ACRONYM ADDRESS APPLET AREA ARTICLE ASIDE AUDIO";
        QTest::newRow("élément: le dernier de la table") << false << "xm" << "xmp";
        QTest::newRow("élément: casse mêlée, en petites lettres") << false << "Hea" << "head header";
        QTest::newRow("élément: un chiffre, une capitale") << false << "H1" << "H1";
        QTest::newRow("référence: la première de la table") << true << "AE" << "AElig";
        QTest::newRow("référence: la dernière de la table") << true << "zwn" << "zwnj";
    }

    // What completes the beginning of a name: elements in the case it was typed in, references as they are written.
    void prefixes()
    {
        QFETCH(bool, references);
        QFETCH(QString, debut);
        std::vector<std::string> noms = ElementsCommencantPar(debut.toStdString());
        if (references) {
            noms.clear();
            for (const ReferenceNommee &r : ReferencesCommencantPar(debut.toStdString()))
                noms.emplace_back(r.nom);
        }
        QTEST(Joints(noms), "noms");
    }

    void attributs_data()
    {
        QTest::addColumn<QString>("element");
        QTest::addColumn<QString>("noms"); // with '-' before the names that it must not give
        QTest::newRow("a, premier de la table: les siens et les communs")
            << "a" << "href target rel hreflang download coords id onclick title -src -alt -HREF";
        QTest::newRow("IMG en capitales") << "IMG" << "ALT SRCSET LOADING LONGDESC CLASS -src -HREF";
        QTest::newRow("Img en casse mêlée") << "Img" << "src usemap -SRC";
        QTest::newRow("video, dernier de la table") << "video" << "poster playsinline -href";
        QTest::newRow("élément inconnu: les communs seuls") << "mon-widget" << "id class lang hidden -href -name";
    }

    // An element's attributes, sorted and each once.
    void attributs()
    {
        QFETCH(QString, element);
        QFETCH(QString, noms);
        const std::vector<std::string> attributs = AttributsDe(element.toStdString());
        QVERIFY(std::ranges::adjacent_find(attributs, std::ranges::greater_equal()) == attributs.end());
        for (const QString &nom : noms.split(u' ')) {
            const bool absent = nom.startsWith(u'-');
            QVERIFY2(Joints(attributs).split(u' ').contains(nom.sliced(absent)) != absent, qPrintable(nom));
        }
    }

    // The whole table, sorted by bytes as the search needs, and the characters of references of one to four bytes,
    // of two characters, and of HTML 4's "lang", which HTML5 made U+27E8 rather than U+2329.
    void caracteres()
    {
        const std::span<const ReferenceNommee> toutes = ReferencesNommees();
        QVERIFY(std::ranges::is_sorted(toutes, {}, &ReferenceNommee::nom));
        QCOMPARE(ReferencesCommencantPar("").size(), toutes.size());
        std::string ecrits;
        for (const char *nom : {"amp", "NewLine", "eacute", "Eacute", "fjlig", "NotEqualTilde", "Xopf", "lang"}) {
            const auto reference = std::ranges::find(toutes, std::string_view(nom), &ReferenceNommee::nom);
            QVERIFY2(reference != toutes.end(), nom);
            ecrits += reference->caracteres;
        }
        QCOMPARE(ecrits, std::string("&\néÉfj\u2242\u0338\U0001D54F\u27E8"));
    }
};

QTEST_APPLESS_MAIN(TestVocabulaireHtml)
#include "tst_vocabulairehtml.moc"
