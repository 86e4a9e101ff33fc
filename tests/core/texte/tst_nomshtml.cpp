#include "core/insertion/FichierTags.h"
#include "core/texte/NomsHTML.h"

#include <QDir>
#include <QRegularExpression>
#include <QtTest>

#include <algorithm>

class TestNomsHtml : public QObject {
    Q_OBJECT

    static bool Connu(std::span<const std::string_view> noms, const QString &nom)
    {
        return std::ranges::binary_search(noms, nom.toLower().toStdString());
    }

private slots:
    // The elements and attributes of pages written now, and those of older pages, are known; a name of no HTML is
    // not.
    void nomsConnus_data()
    {
        QTest::addColumn<QString>("nom");
        QTest::addColumn<bool>("element");
        QTest::addColumn<bool>("connu");
        for (const char *nom : {"nav", "main", "section", "article", "header", "footer", "figure", "time", "mark",
                                "video", "picture", "template", "dialog", "search", "P", "font", "center"})
            QTest::addRow("élément %s", nom) << nom << true << true;
        for (const char *nom : {"datetime", "srcset", "loading", "aria-label", "onclick", "HREF", "bgcolor"})
            QTest::addRow("attribut %s", nom) << nom << false << true;
        QTest::newRow("élément inventé") << "paragraphe" << true << false;
        QTest::newRow("attribut inventé") << "couleur" << false << false;
        QTest::newRow("attribut pris pour un élément") << "href" << true << false;
    }

    void nomsConnus()
    {
        QFETCH(QString, nom);
        QFETCH(bool, element);
        QFETCH(bool, connu);
        QCOMPARE(Connu(element ? ElementsHtml() : AttributsHtml(), nom), connu);
    }

    // Every element and attribute that the palette's files write reads as known mark-up.
    void nomsDeLaPalette()
    {
        const QRegularExpression balise(QStringLiteral("<([A-Za-z][A-Za-z0-9]*)([^>]*)"));
        const QRegularExpression attribut(QStringLiteral("(?:^|\\s)([A-Za-z][A-Za-z-]*)"));
        const QStringList fichiers = QDir(QStringLiteral(TAGS)).entryList({"*.txt"}, QDir::Files);
        QVERIFY(fichiers.contains("HTML5.txt"));
        int vus = 0;
        for (const QString &nom : fichiers) {
            QFile fichier(QDir(QStringLiteral(TAGS)).filePath(nom));
            QVERIFY(fichier.open(QIODevice::ReadOnly));
            const QByteArray octets = fichier.readAll();
            for (const BaliseTags &entree : LitFichierTags({octets.constData(), std::size_t(octets.size())})) {
                const QRegularExpressionMatch element = balise.match(QString::fromStdString(entree.balise.Texte));
                if (!element.hasMatch())
                    continue;
                QVERIFY2(Connu(ElementsHtml(), element.captured(1)), qPrintable(element.captured(1)));
                QStringList attributs;
                // Quoted values hold no names.
                const QString dansLaBalise =
                    element.captured(2).remove(QRegularExpression(QStringLiteral("\"[^\"]*\"")));
                for (const QRegularExpressionMatch &a : attribut.globalMatch(dansLaBalise))
                    attributs << a.captured(1);
                for (const TTag &a : entree.attributs)
                    attributs << attribut.match(QString::fromStdString(a.Texte)).captured(1);
                for (const QString &a : std::as_const(attributs))
                    QVERIFY2(Connu(AttributsHtml(), a), qPrintable(element.captured(1) + u' ' + a));
                vus += 1 + int(attributs.size());
            }
        }
        QVERIFY(vus > 100);
    }

    // Each list is in small letters, without a name twice, as a binary search needs; the colouring's word list
    // holds every name once between single spaces.
    void listes()
    {
        for (const auto noms : {ElementsHtml(), AttributsHtml()}) {
            QVERIFY(std::ranges::adjacent_find(noms, std::ranges::greater_equal()) == noms.end());
            for (const std::string_view nom : noms)
                QVERIFY2(std::ranges::none_of(nom, [](char c) { return c >= 'A' && c <= 'Z'; }), nom.data());
        }
        const QStringList mots = QString::fromStdString(MotsClesHtml()).split(u' ');
        QCOMPARE(mots.size(), qsizetype(ElementsHtml().size() + AttributsHtml().size()));
        QVERIFY(mots.contains("nav") && mots.contains("aria-label") && !mots.contains(QString()));
    }
};

QTEST_APPLESS_MAIN(TestNomsHtml)
#include "tst_nomshtml.moc"
