// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/site/Bilan.h"

#include <QtTest>

Q_DECLARE_METATYPE(Bilan)
Q_DECLARE_METATYPE(BilanRecherche)

class TstBilan : public QObject {
    Q_OBJECT

private slots:
    // "{binaire}" and "{modifié}" in the expected text stand for the words of those reasons.
    void rapport_data()
    {
        QTest::addColumn<Bilan>("bilan");
        QTest::addColumn<int>("nombreNomme");
        QTest::addColumn<QString>("attendu");
        const auto laisse = [](const char *chemin, RaisonIgnore raison) { return FichierIgnore{chemin, raison}; };
        QTest::newRow("rien de modifié") << Bilan{} << 10 << "Aucun fichier modifié.";
        QTest::newRow("singuliers") << Bilan{1, 1, 0, {}, 0} << 10 << "1 fichier modifié, 1 remplacement.";
        QTest::newRow("pluriels") << Bilan{3, 12, 0, {}, 0} << 10 << "3 fichiers modifiés, 12 remplacements.";
        QTest::newRow("une page ouverte")
            << Bilan{2, 2, 1, {}, 0} << 10
            << "2 fichiers modifiés, 2 remplacements.\n"
               "1 page ouverte a été modifiée dans sa fenêtre, sans être enregistrée.";
        QTest::newRow("fichiers laissés, nommés depuis le dossier seulement dedans")
            << Bilan{0, 0, 0, {laisse("/site/a/b.htm", RaisonIgnore::Binaire),
                               laisse("/site2/c.htm", RaisonIgnore::ModifieDepuis)}, 0}
            << 10
            << "Aucun fichier modifié.\n2 fichiers laissés :\n  a/b.htm : {binaire}\n  /site2/c.htm : {modifié}";
        QTest::newRow("au-delà du nombre nommé, seulement compté")
            << Bilan{1, 4, 0, {laisse("/site/a.htm", RaisonIgnore::Binaire), laisse("/site/b.htm", RaisonIgnore::Binaire),
                               laisse("/site/c.htm", RaisonIgnore::Binaire)}, 0}
            << 1 << "1 fichier modifié, 4 remplacements.\n3 fichiers laissés :\n  a.htm : {binaire}\n  et 2 autres.";
        QTest::newRow("arrêté avant la fin")
            << Bilan{2, 5, 2, {}, 3} << 10
            << "2 fichiers modifiés, 5 remplacements.\n"
               "2 pages ouvertes ont été modifiées dans leurs fenêtres, sans être enregistrées.\n"
               "Arrêté avant la fin : 3 fichiers non traités.";
    }
    void rapport()
    {
        QFETCH(Bilan, bilan);
        QFETCH(int, nombreNomme);
        QFETCH(QString, attendu);
        attendu.replace("{binaire}", QString::fromUtf8(Message(RaisonIgnore::Binaire)))
            .replace("{modifié}", QString::fromUtf8(Message(RaisonIgnore::ModifieDepuis)));
        QCOMPARE(QString::fromStdString(Rapport(bilan, "/site", static_cast<std::size_t>(nombreNomme))), attendu);
    }

    // "{binaire}" and "{grand}" stand for the words of those reasons.
    void resume_data()
    {
        QTest::addColumn<BilanRecherche>("bilan");
        QTest::addColumn<QString>("attendu");
        const auto bilan = [](std::size_t fichiers, std::size_t trouves, std::size_t occurrences,
                              std::vector<RaisonIgnore> raisons = {}, bool annulee = false) {
            BilanRecherche b;
            b.fichiers = fichiers;
            b.fichiersTrouves = trouves;
            b.occurrences = occurrences;
            for (const RaisonIgnore raison : raisons)
                b.ignores.push_back({"/site/x.htm", raison});
            b.annulee = annulee;
            return b;
        };
        QTest::newRow("rien trouvé") << bilan(1, 0, 0) << "Aucune occurrence, sur 1 fichier lu.";
        QTest::newRow("pluriels") << bilan(40, 2, 3) << "3 occurrences dans 2 fichiers, sur 40 fichiers lus.";
        QTest::newRow("laissés, comptés par raison dans un ordre fixe")
            << bilan(5, 1, 1, {RaisonIgnore::TropGrand, RaisonIgnore::Binaire, RaisonIgnore::Binaire})
            << "1 occurrence dans 1 fichier, sur 5 fichiers lus. 3 fichiers laissés ({binaire} : 2, {grand} : 1).";
        QTest::newRow("annulée") << bilan(7, 0, 0, {}, true) << "Recherche annulée : aucune occurrence, sur 7 fichiers lus.";
    }
    void resume()
    {
        QFETCH(BilanRecherche, bilan);
        QFETCH(QString, attendu);
        attendu.replace("{binaire}", QString::fromUtf8(Message(RaisonIgnore::Binaire)))
            .replace("{grand}", QString::fromUtf8(Message(RaisonIgnore::TropGrand)));
        QCOMPARE(QString::fromStdString(Resume(bilan)), attendu);
    }
};

QTEST_APPLESS_MAIN(TstBilan)
#include "tst_bilan.moc"
