// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/session/Bureau.h"

#include <QtTest>

using Noms = std::vector<std::string>;

class TstBureau : public QObject {
    Q_OBJECT

private slots:
    void bureau()
    {
        const Noms noms = {"/home/u/Mes pages/index.htm", " espace devant.htm", "/srv/été/çà.html"};
        QCOMPARE(EcritBureau(noms), std::string("/home/u/Mes pages/index.htm\n espace devant.htm\n/srv/été/çà.html\n"));
        QCOMPARE(LitBureau(EcritBureau(noms)), noms);
        QCOMPARE(LitBureau("\na\r\n\r\nb\nc\rd"), (Noms{"a", "b", "c", "d"}));
        // Ctrl-Z ends the text.
        QCOMPARE(LitBureau("a\nbc\x1A" "d\ne\n"), (Noms{"a", "bc"}));
    }

    // The site's line comes back as the site and never as a page; a line that only looks like it is a page.
    void site_data()
    {
        QTest::addColumn<QByteArray>("contenu");
        QTest::addColumn<QByteArray>("site");
        QTest::addColumn<QStringList>("pages");
        QTest::newRow("écrit: le site d'abord") << QByteArray(EcritBureau({"/s/a.htm", "/s/b.htm"}, "/s").c_str())
                                                << QByteArray("/s") << QStringList{"/s/a.htm", "/s/b.htm"};
        QTest::newRow("site en dernier, fins CR LF") << QByteArray("/s/a.htm\r\n#site=/s é\r\n")
                                                     << QByteArray("/s é") << QStringList{"/s/a.htm"};
        QTest::newRow("chemin relatif: une page") << QByteArray("#site=s\n") << QByteArray()
                                                  << QStringList{"#site=s"};
    }

    void site()
    {
        QFETCH(QByteArray, contenu);
        QFETCH(QByteArray, site);
        QFETCH(QStringList, pages);
        QCOMPARE(QByteArray::fromStdString(SiteDuBureau(contenu.toStdString())), site);
        QStringList lues;
        for (const std::string &page : LitBureau(contenu.toStdString()))
            lues << QString::fromStdString(page);
        QCOMPARE(lues, pages);
    }
};

QTEST_APPLESS_MAIN(TstBureau)
#include "tst_bureau.moc"
