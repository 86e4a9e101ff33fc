// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/site/Recherche.h"

#include <QtTest>

#include <mutex>

namespace {

void Ecrit(const QString &chemin, const QByteArray &octets)
{
    QFile f(chemin);
    QVERIFY(QDir().mkpath(QFileInfo(chemin).path()));
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write(octets) == octets.size());
}


// An occurrence as the tests write it: "fichier:ligne:colonne:[occurrence]" with the folder left out.
QString Ligne(const QString &dossier, const Trouvaille &t)
{
    QByteArray marquee = QByteArray::fromStdString(t.texteLigne);
    marquee.insert(qsizetype(t.fin), ']').insert(qsizetype(t.debut), '[');
    return QString::fromStdString(t.chemin).mid(dossier.size() + 1) +
           QStringLiteral(":%1:%2:").arg(t.ligne).arg(t.colonne) + QString::fromUtf8(marquee);
}

const std::optional<std::string> TexteAbsent;

} // namespace

// Finding a text in a small site, and planning its replacement, on several threads.
class TstRecherche : public QObject {
    Q_OBJECT

    QTemporaryDir dossier;

    Resultat<BilanRecherche, std::string> Cherche(DemandeRecherche demande, QStringList *lignes = nullptr,
                                                  SuiviRecherche *suivi = nullptr)
    {
        if (demande.dossier.empty() && demande.fichiers.empty()) {
            demande.dossier = dossier.path().toStdString();
            demande.limite = 200;
        }
        demande.fils = 3;
        SuiviRecherche local;
        std::mutex verrou;
        const auto ouverts = [](const std::string &chemin) -> std::optional<std::string> {
            return chemin.ends_with("/ouverte.htm") ? "<p>été modifié\n dans sa fenêtre</p>" : TexteAbsent;
        };
        auto bilan = ChercheDansFichiers(
            demande,
            [&](const Trouvaille &t) {
                // Never two calls at once: a second would find the lock taken.
                QVERIFY(verrou.try_lock());
                if (lignes)
                    lignes->append(Ligne(dossier.path(), t));
                verrou.unlock();
            },
            suivi ? *suivi : local, ouverts);
        // Files come in no set order, the occurrences of each in text order.
        if (lignes)
            std::ranges::stable_sort(*lignes, {}, [](const QString &ligne) { return ligne.section(u':', 0, 0); });
        return bilan;
    }

private slots:
    // The site: pages in UTF-8 and in Windows-1252, in CR LF, in a sub-folder, and files that the search leaves,
    // hidden ones among them.
    void initTestCase()
    {
        Ecrit(dossier.filePath("index.htm"), "<title>Accueil</title>\r\n<p>Été, été, ÉTÉ.</p>\r\n");
        Ecrit(dossier.filePath("ancienne.HTM"), "<p>L'\xE9t\xE9 dernier</p>\n");
        Ecrit(dossier.filePath("sous/dossier/page.html"), "<p>rien</p>\n<p>un été\n<p>sans fin</p>");
        Ecrit(dossier.filePath("image.htm"), QByteArray("\x89PNG\0\0été", 11));
        Ecrit(dossier.filePath("grande.htm"), QByteArray(300, 'x') + "été");
        Ecrit(dossier.filePath("notes.txt"), "été\n");
        Ecrit(dossier.filePath("ouverte.htm"), "<p>sur le disque</p>\n");
        Ecrit(dossier.filePath(".git/info/page.htm"), "été\n");
        Ecrit(dossier.filePath(".brouillon.htm"), "été\n");
    }

    void filtre_data()
    {
        QTest::addColumn<QString>("nom");
        QTest::addColumn<QString>("filtre");
        QTest::addColumn<bool>("pris");
        QTest::newRow("capitales") << "INDEX.HTML" << QString(FiltreParDefaut.data()) << true;
        QTest::newRow("copie de sauvegarde") << "page.htm~" << QString(FiltreParDefaut.data()) << false;
        QTest::newRow("blancs autour des motifs") << "style.css" << " *.js ; *.css " << true;
        QTest::newRow("filtre vide: tout") << "notes.txt" << "  " << true;
    }
    void filtre()
    {
        QFETCH(QString, nom);
        QFETCH(QString, filtre);
        QTEST(DansLeFiltre(nom.toStdString(), filtre.toStdString()), "pris");
    }

    // Each page in its encoding, an open page in its window's text, the others left and said.
    void recherche()
    {
        DemandeRecherche demande;
        demande.cherche = "été";
        QStringList lignes;
        SuiviRecherche suivi;
        const auto bilan = Cherche(demande, &lignes, &suivi);
        QVERIFY(bilan);
        QCOMPARE(lignes, (QStringList{"ancienne.HTM:1:6:<p>L'[été] dernier</p>",
                                      "index.htm:2:4:<p>[Été], été, ÉTÉ.</p>",
                                      "index.htm:2:9:<p>Été, [été], ÉTÉ.</p>",
                                      "index.htm:2:14:<p>Été, été, [ÉTÉ].</p>",
                                      "ouverte.htm:1:4:<p>[été] modifié",
                                      "sous/dossier/page.html:2:7:<p>un [été]"}));
        QCOMPARE(bilan->occurrences, std::size_t(lignes.size()));
        QCOMPARE(bilan->fichiers, std::size_t(4));
        QCOMPARE(bilan->ignores, (std::vector<FichierIgnore>{
                                     {dossier.filePath("grande.htm").toStdString(), RaisonIgnore::TropGrand},
                                     {dossier.filePath("image.htm").toStdString(), RaisonIgnore::Binaire}}));
        QCOMPARE(suivi.faits.load(), std::size_t(6));
        QCOMPARE(suivi.total.load(), std::size_t(6));
    }

    // An occurrence over two lines is marked to its line's end; on a long line, its line is cut around it.
    void extraits()
    {
        const QString longue = dossier.filePath("longue/page.htm");
        Ecrit(longue, "début\n" + QByteArray(5000, 'a') + "é<b>cible</b>" + QByteArray(5000, 'z') + "\n");
        DemandeRecherche demande;
        demande.fichiers = {longue.toStdString()};
        demande.cherche = "cible";
        QStringList lignes;
        QVERIFY(Cherche(demande, &lignes));
        QCOMPARE(lignes.size(), 1);
        QVERIFY(lignes[0].startsWith("longue/page.htm:2:5005:"));
        QVERIFY(lignes[0].contains("aé<b>[cible]</b>zz"));
        QVERIFY(lignes[0].size() <= int(LongueurExtrait) + 40);

        // Occurrences that touch each other are all found.
        Ecrit(dossier.filePath("longue/suite.htm"), "éééé");
        demande.fichiers = {dossier.filePath("longue/suite.htm").toStdString()};
        demande.cherche = "éé";
        lignes.clear();
        QVERIFY(Cherche(demande, &lignes));
        QCOMPARE(lignes, (QStringList{"longue/suite.htm:1:1:[éé]éé", "longue/suite.htm:1:3:éé[éé]"}));

        demande.fichiers = {dossier.filePath("sous/dossier/page.html").toStdString()};
        demande.cherche = "un été\\n<p>";
        demande.options.expression = true;
        lignes.clear();
        QVERIFY(Cherche(demande, &lignes));
        QCOMPARE(lignes, QStringList{"sous/dossier/page.html:2:4:<p>[un été]"});
    }

    // A replacement planned with an expression's groups; an open page's on its window's text, to be changed there.
    void remplacement()
    {
        DemandeRecherche demande;
        demande.cherche = "(é)t(é)";
        demande.options.expression = true;
        demande.remplacement = "\\2T\\1";
        const auto bilan = Cherche(demande);
        QVERIFY(bilan);
        QCOMPARE(bilan->modifications.size(), std::size_t(4));
        QCOMPARE(bilan->modifications[0].changements, (std::vector<Changement>{{5, 10, "éTé", 1, 6}}));
        const ModificationFichier &ouverte = bilan->modifications[2];
        QVERIFY(ouverte.ouverte && ouverte.chemin.ends_with("/ouverte.htm"));
        QCOMPARE(QString::fromStdString(Applique(ouverte.texte, ouverte.changements)),
                 QString("<p>éTé modifié\n dans sa fenêtre</p>"));
    }

    void echecsEtAnnulation()
    {
        DemandeRecherche demande;
        QVERIFY(!Cherche(demande));
        demande.cherche = "(été";
        demande.options.expression = true;
        QVERIFY(!Cherche(demande));
        demande.options.expression = false;
        SuiviRecherche suivi;
        suivi.suivi.annule = true;
        const auto annulee = Cherche(demande, nullptr, &suivi);
        QVERIFY(annulee && annulee->annulee);
        QCOMPARE(annulee->fichiers, std::size_t(0));
    }
};

QTEST_APPLESS_MAIN(TstRecherche)
#include "tst_recherche.moc"
