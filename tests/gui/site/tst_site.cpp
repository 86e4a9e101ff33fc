// SPDX-License-Identifier: GPL-3.0-or-later
#include "CadreDeTest.h"

#include <QDir>

class TestSite : public CadreDeTest {
    Q_OBJECT

private slots:
    void init() { NouveauCadre(); }

    void cleanup() { FermeCadre(); }

    // Without a chosen site, the site is the deepest folder holding every open page with a file; a page without a
    // file counts for nothing, and no page gives no site.
    void dossierSiteSansChoix_data()
    {
        QTest::addColumn<QStringList>("pages");
        QTest::addColumn<QString>("site");
        QTest::newRow("aucune page") << QStringList{} << QString();
        QTest::newRow("une page sans fichier") << QStringList{""} << QString();
        QTest::newRow("une page: son dossier") << QStringList{"site/a.htm"} << "site";
        QTest::newRow("une page plus bas") << QStringList{"site/b/c.htm", "site/a.htm", ""} << "site";
        QTest::newRow("préfixe trompeur: site et site2") << QStringList{"site/a.htm", "site2/b.htm"} << "";
    }

    void dossierSiteSansChoix()
    {
        QFETCH(QStringList, pages);
        QFETCH(QString, site);
        for (const QString &page : pages) {
            if (page.isEmpty()) {
                frame->FileNew();
                continue;
            }
            QVERIFY(QDir(dossier.path()).mkpath(QFileInfo(page).path()));
            Ouvre(Fichier(page));
        }
        const QString attendu = pages.isEmpty() || pages == QStringList{""} ? QString()
                                : site.isEmpty()                            ? dossier.path()
                                                                            : dossier.filePath(site);
        QCOMPARE(frame->DossierSite(), attendu);
    }
};

QTEST_MAIN(TestSite)
#include "tst_site.moc"
