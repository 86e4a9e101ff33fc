#include "core/session/Positions.h"

#include <QtTest>

class TstPositions : public QObject {
    Q_OBJECT

private slots:
    void lecture_data()
    {
        QTest::addColumn<QByteArray>("valeur");
        QTest::addColumn<QByteArray>("fichier"); // empty: malformed
        QTest::addColumn<qulonglong>("curseur");
        QTest::addColumn<qulonglong>("ligne");
        QTest::newRow("virgules dans le nom") << QByteArray("120,7,/a,b/c d.htm") << QByteArray("/a,b/c d.htm")
                                              << 120ULL << 7ULL;
        QTest::newRow("zéros") << QByteArray("0,0,/x") << QByteArray("/x") << 0ULL << 0ULL;
        for (const char *malforme : {"1,2,", "1,/x", ",2,/x", "1,,/x", "-1,2,/x", "1 ,2,/x", "0x1,2,/x",
                                     "99999999999999999999999,2,/x", ""})
            QTest::addRow("malformée: «%s»", malforme) << QByteArray(malforme) << QByteArray() << 0ULL << 0ULL;
    }

    // A value read gives back the position it was written from; a malformed one gives nothing.
    void lecture()
    {
        QFETCH(QByteArray, valeur);
        QFETCH(QByteArray, fichier);
        const std::optional<PositionPage> lue = LitPosition(valeur.toStdString());
        QCOMPARE(lue.has_value(), !fichier.isEmpty());
        if (!lue)
            return;
        QCOMPARE(QByteArray::fromStdString(lue->fichier), fichier);
        QTEST(qulonglong(lue->curseur), "curseur");
        QTEST(qulonglong(lue->premiereLigne), "ligne");
        QCOMPARE(QByteArray::fromStdString(EcritPosition(*lue)), valeur);
    }

    // The newest first, one per file, the hundred newest kept.
    void liste()
    {
        std::vector<PositionPage> positions;
        for (int n = 0; n <= 100; ++n)
            NotePosition(positions, {"/" + std::to_string(n), std::size_t(n), 0});
        QCOMPARE(positions.size(), NombrePositions);
        QCOMPARE(positions.front().fichier, std::string("/100"));
        QCOMPARE(positions.back().fichier, std::string("/1"));
        NotePosition(positions, {"/50", 7, 3});
        QCOMPARE(positions.size(), NombrePositions);
        QCOMPARE(positions.front(), (PositionPage{"/50", 7, 3}));
        QCOMPARE(std::ranges::count(positions, std::string("/50"), &PositionPage::fichier), 1);
        QCOMPARE(positions[1].fichier, std::string("/100"));
    }

    void dansLeTexte_data()
    {
        QTest::addColumn<QByteArray>("texte");
        QTest::addColumn<qulonglong>("lignes");
        QTest::addColumn<qulonglong>("curseur");
        QTest::addColumn<qulonglong>("ligne");
        QTest::addColumn<qulonglong>("curseurAttendu");
        QTest::addColumn<qulonglong>("ligneAttendue");
        QTest::newRow("dans le texte") << QByteArray("a\nb\nc") << 3ULL << 2ULL << 1ULL << 2ULL << 1ULL;
        QTest::newRow("fichier raccourci") << QByteArray("a\nb") << 2ULL << 40ULL << 9ULL << 3ULL << 1ULL;
        QTest::newRow("fichier vide") << QByteArray() << 1ULL << 5ULL << 2ULL << 0ULL << 0ULL;
        QTest::newRow("au milieu d'un é") << QByteArray("t\xC3\xA9t") << 1ULL << 2ULL << 0ULL << 1ULL << 0ULL;
        QTest::newRow("entre CR et LF") << QByteArray("a\r\nb") << 2ULL << 2ULL << 0ULL << 1ULL << 0ULL;
    }

    void dansLeTexte()
    {
        QFETCH(QByteArray, texte);
        QFETCH(qulonglong, lignes);
        QFETCH(qulonglong, curseur);
        QFETCH(qulonglong, ligne);
        const PositionPage bornee = DansLeTexte({"/x", curseur, ligne}, texte.toStdString(), lignes);
        QTEST(qulonglong(bornee.curseur), "curseurAttendu");
        QTEST(qulonglong(bornee.premiereLigne), "ligneAttendue");
    }
};

QTEST_APPLESS_MAIN(TstPositions)
#include "tst_positions.moc"
