// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/site/Renommage.h"

#include "core/verification/Liens.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <map>

// The files of a row: a name in the site, then its content, in turn.
using Fichiers = QStringList;

class TstRenommage : public QObject {
    Q_OBJECT

    // The problems of links of each page and sheet of the site, by its path.
    static std::map<std::string, std::size_t> Problemes(const std::string &site, const Renommage *renommage)
    {
        std::map<std::string, std::size_t> problemes;
        for (const std::string &chemin : FichiersDuSite(site))
            problemes[renommage ? CheminApres(chemin, *renommage) : chemin] =
                VerifieLiens(LitPourModifier(chemin, 1 << 20)->texte, chemin, site, {}).size();
        return problemes;
    }

private slots:
    // The links that follow the rename, and the site's link check that finds nothing it did not find before.
    void renomme_data()
    {
        QTest::addColumn<Fichiers>("fichiers");
        QTest::addColumn<QString>("ancien");
        QTest::addColumn<QString>("nouveau");
        QTest::addColumn<Fichiers>("attendus");
        QTest::addColumn<int>("liens");
        QTest::newRow("relatif, de la racine, requête et ancre gardées, autres sites et ancres seules laissés")
            << Fichiers{"index.htm", "<a href=\"a.htm\">1</a> <a href=\"/a.htm?x=1&amp;y=2#haut\">2</a>\n"
                                     "<a href=\"#a.htm\">3</a> <a href=\"http://ailleurs.fr/a.htm\">4</a>",
                        "a.htm", "<p id=haut>", "sous/p.htm", "<img src='../a.htm'><a href=../index.htm>"}
            << "a.htm" << "b.htm"
            << Fichiers{"index.htm", "<a href=\"b.htm\">1</a> <a href=\"/b.htm?x=1&amp;y=2#haut\">2</a>\n"
                                     "<a href=\"#a.htm\">3</a> <a href=\"http://ailleurs.fr/a.htm\">4</a>",
                        "sous/p.htm", "<img src='../b.htm'><a href=../index.htm>"}
            << 3;
        QTest::newRow("pourcents et entités du reste gardés, nouveau nom écrit comme un lien l'écrit")
            << Fichiers{"index.htm", "<a href=\"mon%20dossier/&eacute;t&#233;.htm\">", "mon dossier/été.htm", ""}
            << "mon dossier/été.htm" << "mon dossier/l'été 2.htm"
            << Fichiers{"index.htm", "<a href=\"mon%20dossier/l%27été%202.htm\">"} << 1;
        QTest::newRow("casse autre que sur le disque, image dans une feuille et dans un style")
            << Fichiers{"index.htm", "<img src=IMG/Photo.PNG><p style=\"background: url(img/photo.png)\">",
                        "css/s.css", "body { background: url(\"../img/photo.png\") }", "img/photo.png", ""}
            << "img/photo.png" << "img/vue.png"
            << Fichiers{"index.htm", "<img src=IMG/vue.png><p style=\"background: url(img/vue.png)\">",
                        "css/s.css", "body { background: url(\"../img/vue.png\") }"}
            << 3;
        QTest::newRow("dossier déplacé: liens vers lui, liens en lui qui en sortent, ceux qui y restent")
            << Fichiers{"index.htm", "<a href=docs/a.htm>1</a><a href=\"docs/\">2</a><a href=/docs/sous/b.htm>3</a>",
                        "docs/index.htm", "", "docs/a.htm", "<a href=../index.htm>1</a><a href=sous/b.htm>2</a>",
                        "docs/sous/b.htm", "<a href=../../docs/a.htm#x>1</a><a href=\"/index.htm\">2</a>"}
            << "docs" << "archives/vieux"
            << Fichiers{"index.htm",
                        "<a href=archives/vieux/a.htm>1</a><a href=\"archives/vieux/\">2</a>"
                        "<a href=/archives/vieux/sous/b.htm>3</a>",
                        "archives/vieux/a.htm", "<a href=../../index.htm>1</a><a href=sous/b.htm>2</a>",
                        "archives/vieux/sous/b.htm", "<a href=../a.htm#x>1</a><a href=\"/index.htm\">2</a>"}
            << 5;
        QTest::newRow("page déplacée: ses propres liens suivent, le lien à elle-même reste")
            << Fichiers{"a.htm",
                        "<img src=&eacute;t&eacute;/x.png><a href=\"a.htm#b\"><a href=/été/x.png><a href=sous/>",
                        "été/x.png", "", "sous/index.html", "<a href=\"../a.htm\">"}
            << "a.htm" << "sous/a.htm"
            << Fichiers{"sous/a.htm",
                        "<img src=../&eacute;t&eacute;/x.png><a href=\"a.htm#b\"><a href=/été/x.png><a href=./>",
                        "sous/index.html", "<a href=\"a.htm\">"}
            << 3;
        QTest::newRow("page d'index renommée: les liens au dossier la nomment")
            << Fichiers{"index.htm", "<a href=docs/>1</a><a href=docs>2</a>", "docs/index.htm", ""}
            << "docs/index.htm" << "docs/accueil.htm"
            << Fichiers{"index.htm", "<a href=docs/accueil.htm>1</a><a href=docs/accueil.htm>2</a>"} << 2;
        QTest::newRow("casse seule changée, liens écrits dans l'une ou l'autre")
            << Fichiers{"index.htm", "<a href=Page.htm>1</a><a href=PAGE.HTM>2</a>", "Page.htm", ""}
            << "Page.htm" << "page.htm" << Fichiers{"index.htm", "<a href=page.htm>1</a><a href=page.htm>2</a>"} << 2;
        QTest::newRow("lien cassé et page à base laissés")
            << Fichiers{"index.htm", "<a href=absent/a.htm><a href=a.htm>", "a.htm", "",
                        "b.htm", "<base href=\"http://ailleurs.fr/\"><a href=a.htm>"}
            << "a.htm" << "c.htm" << Fichiers{"index.htm", "<a href=absent/a.htm><a href=c.htm>"} << 1;
    }

    void renomme()
    {
        QFETCH(Fichiers, fichiers);
        QFETCH(QString, ancien);
        QFETCH(QString, nouveau);
        QFETCH(Fichiers, attendus);
        QFETCH(int, liens);
        QTemporaryDir temporaire;
        const QString site = QDir(temporaire.path()).canonicalPath();
        for (qsizetype k = 0; k + 1 < fichiers.size(); k += 2) {
            QFile fichier(site + '/' + fichiers[k]);
            QVERIFY(QDir().mkpath(QFileInfo(fichier).path()) && fichier.open(QIODevice::WriteOnly));
            fichier.write(fichiers[k + 1].toUtf8());
        }
        const auto demande = PrepareRenommage(site.toStdString(), (site + '/' + ancien).toStdString(),
                                              (site + '/' + nouveau).toStdString());
        QVERIFY2(demande, demande ? "" : demande.Pourquoi().c_str());
        const std::map<std::string, std::size_t> avant = Problemes(demande->site, &*demande);

        const std::optional<PlanRenommage> plan =
            PlanifieRenommage(*demande, FichiersDuSite(demande->site), {}, 1 << 20);
        QVERIFY(plan && plan->ignores.empty());
        QCOMPARE(plan->liens.size(), std::size_t(liens));
        QVERIFY(Deplace(*demande));
        for (const ModificationFichier &modification : plan->modifications)
            QVERIFY(EcritModification(modification));
        for (qsizetype k = 0; k + 1 < attendus.size(); k += 2) {
            QFile fichier(site + '/' + attendus[k]);
            QVERIFY(fichier.open(QIODevice::ReadOnly));
            QCOMPARE(QString::fromUtf8(fichier.readAll()), attendus[k + 1]);
        }
        for (const auto &[chemin, nombre] : Problemes(demande->site, nullptr))
            QVERIFY2(nombre <= avant.at(chemin), chemin.c_str());
    }

    // A page open in the editor is planned on its window's text, and the plan stops when asked to.
    void ouverte()
    {
        QTemporaryDir temporaire;
        const std::string site = QDir(temporaire.path()).canonicalPath().toStdString();
        for (const std::string nom : {"/a.htm", "/b.htm"})
            QVERIFY(QFile(QString::fromStdString(site + nom)).open(QIODevice::WriteOnly));
        const std::string texte = "<p>changé</p>\n  <a href=\"a.htm#x\">";
        const TexteOuvert ouvert = [&](const std::string &chemin) {
            return chemin == site + "/b.htm" ? std::optional(texte) : std::nullopt;
        };
        const auto demande = PrepareRenommage(site, site + "/a.htm", site + "/c.htm");
        QVERIFY(demande);
        const std::optional<PlanRenommage> plan = PlanifieRenommage(*demande, FichiersDuSite(site), ouvert, 1 << 20);
        QVERIFY(plan && plan->modifications.size() == 1 && plan->modifications[0].ouverte);
        QCOMPARE(Applique(texte, plan->modifications[0].changements), "<p>changé</p>\n  <a href=\"c.htm#x\">");
        QCOMPARE(plan->liens, (std::vector<LienRenomme>{{site + "/b.htm", 2, 12, "a.htm#x", "c.htm#x"}}));
        std::size_t lus = 0;
        QVERIFY(!PlanifieRenommage(*demande, FichiersDuSite(site), ouvert, 1 << 20,
                                   [&](std::size_t fait, std::size_t) { return (lus = fait) < 1; }));
        QCOMPARE(lus, std::size_t(1));
    }

    // What cannot be renamed says why.
    void refuse_data()
    {
        QTest::addColumn<QString>("ancien");
        QTest::addColumn<QString>("nouveau");
        QTest::addColumn<QString>("message");
        QTest::newRow("absent") << "x.htm" << "y.htm" << "« @/x.htm » n'existe pas.";
        QTest::newRow("hors du site")
            << "a.htm" << "../a.htm" << "« ^/a.htm » n'est pas dans le dossier du site « @ ».";
        QTest::newRow("le site lui-même") << "." << "b" << "« @ » n'est pas dans le dossier du site « @ ».";
        QTest::newRow("nom pris") << "a.htm" << "d/b.htm" << "« @/d/b.htm » existe déjà.";
        QTest::newRow("dossier en lui-même") << "d" << "d/e" << "« @/d » ne peut aller dans lui-même : « @/d/e ».";
        QTest::newRow("même nom") << "d/" << "./d" << "« @/d » porte déjà ce nom.";
    }

    void refuse()
    {
        QFETCH(QString, ancien);
        QFETCH(QString, nouveau);
        QFETCH(QString, message);
        QTemporaryDir temporaire;
        const QString site = QDir(temporaire.path()).canonicalPath() + "/site";
        QVERIFY(QDir().mkpath(site + "/d") && QFile(site + "/a.htm").open(QIODevice::WriteOnly) &&
                QFile(site + "/d/b.htm").open(QIODevice::WriteOnly));
        const auto demande = PrepareRenommage(site.toStdString(), (site + '/' + ancien).toStdString(),
                                              (site + '/' + nouveau).toStdString());
        QCOMPARE(demande ? QString() : QString::fromStdString(demande.Pourquoi()),
                 QString(message).replace('@', site).replace('^', QFileInfo(site).path()));
    }
};

QTEST_APPLESS_MAIN(TstRenommage)
#include "tst_renommage.moc"
