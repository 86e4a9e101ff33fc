// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/document/Journal.h"

#include <QtTest>

namespace {

std::string Journal(const EnteteJournal &entete, std::string_view texte)
{
    return DebutJournal(entete, texte.size()) + std::string(texte) + std::string(FinJournal);
}

// Why a journal could not be read, as a number; -1 when it was read.
template <typename Lu>
int Faute(const Lu &lu)
{
    return lu ? -1 : int(lu.Pourquoi());
}

} // namespace

class TstJournal : public QObject {
    Q_OBJECT

private slots:
    void allerRetour()
    {
        const EnteteJournal entete{"/pages/deux\nlignes é.htm", false, Encodage::Windows1252, FinDeLigne::Cr,
                                   1'765'000'000'123, -5, 12, 18'446'744'073'709'551'615ULL};
        const std::string texte("<P>\0caf\xE9\r\nFIN\n", 14);
        const std::string octets = Journal(entete, texte);

        const auto lu = LitJournal(octets);
        QVERIFY(lu);
        QCOMPARE(lu->texte, texte);
        QVERIFY(lu->entete == entete);
        // The header alone tells the page.
        const auto debut = LitEnteteJournal(DebutJournal(entete, texte.size()));
        QVERIFY(debut && *debut == entete);

        // Cut anywhere, a journal is told to be cut, never read as a shorter page.
        for (std::size_t longueur = 0; longueur < octets.size(); ++longueur)
            QCOMPARE(Faute(LitJournal(std::string_view(octets).substr(0, longueur))), int(ErreurJournal::Tronque));
    }

    void illisible_data()
    {
        QTest::addColumn<QByteArray>("octets");
        QTest::addColumn<int>("erreur");
        const QByteArray bon = QByteArray::fromStdString(Journal({}, "texte"));
        const int illisible = int(ErreurJournal::Illisible);
        QTest::newRow("autre fichier") << QByteArray("<HTML>\n") << illisible;
        QTest::newRow("version suivante") << QByteArray(bon).replace("JOURNAL 1", "JOURNAL 2") << int(ErreurJournal::FormatPlusRecent);
        QTest::newRow("encodage inconnu") << QByteArray(bon).replace("utf-8", "utf-9") << illisible;
        QTest::newRow("longueur non numérique") << QByteArray(bon).replace("texte 5", "texte x") << illisible;
        QTest::newRow("octets après la fin") << bon + "x" << illisible;
        QTest::newRow("texte plus long que dit") << QByteArray(bon).replace("texte 5", "texte 4") << illisible;
    }

    void illisible()
    {
        QFETCH(QByteArray, octets);
        QTEST(Faute(LitJournal(std::string_view(octets.constData(), octets.size()))), "erreur");
    }

    void debut_data()
    {
        QTest::addColumn<QByteArray>("debut");
        QTest::addColumn<qulonglong>("taille");
        QTest::addColumn<int>("erreur");
        QTest::addColumn<qulonglong>("longueur");
        const QByteArray bon = QByteArray::fromStdString(Journal({}, "texte"));
        const QByteArray entete = QByteArray::fromStdString(DebutJournal({}, 5));
        const auto taille = qulonglong(bon.size());
        const int tronque = int(ErreurJournal::Tronque), illisible = int(ErreurJournal::Illisible);
        QTest::newRow("journal entier") << bon << taille << -1 << 5ULL;
        QTest::newRow("en-tête seul d'un journal entier") << entete << taille << -1 << 5ULL;
        QTest::newRow("fichier plus court que dit") << bon.chopped(1) << taille - 1 << tronque << 0ULL;
        QTest::newRow("fichier plus long que dit") << bon + "x" << taille + 1 << illisible << 0ULL;
        QTest::newRow("en-tête coupé") << entete.chopped(3) << qulonglong(entete.size() - 3) << tronque << 0ULL;
        const QByteArray demesure = QByteArray::fromStdString(DebutJournal({std::string(TailleMaximaleEnteteJournal, 'n')}, 5));
        QTest::newRow("en-tête plus long que permis") << demesure << qulonglong(demesure.size()) + 10 << illisible << 0ULL;
        QTest::newRow("fichier de zéros") << QByteArray(4096, '\0') << 2'500'000'000ULL << illisible << 0ULL;
        const QByteArray geant = QByteArray(entete).replace("texte 5", "texte 2500000000");
        QTest::newRow("texte plus grand que la mémoire") << geant << qulonglong(geant.size()) + 2'500'000'005ULL << -1
                                                         << 2'500'000'000ULL;
        QTest::newRow("longueur au-delà des entiers")
            << QByteArray(entete).replace("texte 5", "texte 18446744073709551610") << ~0ULL << illisible << 0ULL;
        QTest::newRow("version suivante") << QByteArray(bon).replace("JOURNAL 1", "JOURNAL 2") << taille
                                          << int(ErreurJournal::FormatPlusRecent) << 0ULL;
    }

    // Read from its header and its size alone, a journal is told whole, cut short or unreadable.
    void debut()
    {
        QFETCH(QByteArray, debut);
        QFETCH(qulonglong, taille);
        const auto lu = LitDebutJournal(std::string_view(debut.constData(), std::size_t(debut.size())), taille);
        QTEST(Faute(lu), "erreur");
        QTEST(lu ? lu->longueurTexte : 0ULL, "longueur");
    }
};

QTEST_APPLESS_MAIN(TstJournal)
#include "tst_journal.moc"
