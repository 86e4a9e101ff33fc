// SPDX-License-Identifier: GPL-3.0-or-later
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
    // The names of pages written now and of older ones are known, in either case; a name of the other list is not.
    void nomsConnus()
    {
        for (const char *nom : {"nav", "picture", "template", "dialog", "search", "P", "font", "center"})
            QVERIFY2(Connu(ElementsHtml(), nom), nom);
        for (const char *nom : {"srcset", "loading", "aria-label", "onclick", "HREF", "bgcolor"})
            QVERIFY2(Connu(AttributsHtml(), nom), nom);
        QVERIFY(!Connu(ElementsHtml(), "href"));
    }

    // Every element and attribute that the palette's files write reads as known mark-up.
    void nomsDeLaPalette()
    {
        const QRegularExpression balise(QStringLiteral("<([A-Za-z][A-Za-z0-9]*)([^>]*)"));
        const QRegularExpression attribut(QStringLiteral("(?:^|\\s)([A-Za-z][A-Za-z-]*)"));
        const QStringList fichiers = QDir(QStringLiteral(TAGS)).entryList({"*.txt"}, QDir::Files);
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
            const auto capitale = [](char c) { return c >= 'A' && c <= 'Z'; };
            QVERIFY(std::ranges::none_of(noms, [&](std::string_view nom) { return std::ranges::any_of(nom, capitale); }));
        }
        const QStringList mots = QString::fromStdString(MotsClesHtml()).split(u' ');
        QCOMPARE(mots.size(), qsizetype(ElementsHtml().size() + AttributsHtml().size()));
        QVERIFY(mots.contains("nav") && mots.contains("aria-label") && !mots.contains(QString()));
    }
};

QTEST_APPLESS_MAIN(TestNomsHtml)
#include "tst_nomshtml.moc"
