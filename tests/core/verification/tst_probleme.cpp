#include "core/verification/Probleme.h"

#include <QtTest>

class TestProbleme : public QObject {
    Q_OBJECT

private slots:
    // Every line end the pages use, characters of several bytes, offsets read in order, then one before them.
    void positions()
    {
        const std::string texte = "ab\r\nçé\n\nx\ry\r\n\tz";
        const std::vector<std::pair<std::size_t, LigneColonne>> attendu = {
            {0, {1, 1}},  {2, {1, 3}},  {4, {2, 1}},  {6, {2, 2}},  {8, {2, 3}},  {9, {3, 1}},
            {10, {4, 1}}, {11, {4, 2}}, {12, {5, 1}}, {13, {5, 2}}, {15, {6, 1}}, {16, {6, 2}},
        };
        CompteurLignes compteur(texte);
        for (const auto &[decalage, position] : attendu)
            QCOMPARE(compteur.Position(decalage), position);
        // An offset before the last one read starts the reading again.
        QCOMPARE(compteur.Position(16), (LigneColonne{6, 2}));
        QCOMPARE(compteur.Position(4), (LigneColonne{2, 1}));
        QCOMPARE(compteur.Position(999), (LigneColonne{6, 3}));
    }
};

QTEST_APPLESS_MAIN(TestProbleme)
#include "tst_probleme.moc"
