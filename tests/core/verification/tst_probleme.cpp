// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/verification/Probleme.h"

#include <QtTest>

#include <random>

class TestProbleme : public QObject {
    Q_OBJECT

    // The position of the offset as one reads it by hand: a line ends after the last byte of its line end, so an
    // offset between CR and LF stays on the line they end, the CR counted as one of its characters.
    static LigneColonne Reference(std::string_view texte, std::size_t decalage)
    {
        LigneColonne position;
        for (std::size_t i = 0; i < std::min(decalage, texte.size()); ++i) {
            const bool finDeLigne =
                texte[i] == '\n' || (texte[i] == '\r' && (i + 1 == texte.size() || texte[i + 1] != '\n'));
            if (finDeLigne)
                position = {position.ligne + 1, 1};
            else if ((static_cast<unsigned char>(texte[i]) & 0xC0) != 0x80)
                ++position.colonne;
        }
        return position;
    }

private slots:
    // Random pages of CR LF, lone CR, lone LF, tabs and characters of several bytes; every offset read in order, then
    // a random increasing run of them, then one before the last read, which starts the reading again.
    void positions()
    {
        std::mt19937 hasard(8);
        const std::vector<std::string_view> jetons = {"a", "\t", "\xC3\xA9", "\xE2\x82\xAC", "\r\n", "\r", "\n"};
        for (int essai = 0; essai < 500; ++essai) {
            std::string texte;
            for (std::size_t i = 0, n = hasard() % 30; i < n; ++i)
                texte += jetons[hasard() % jetons.size()];
            QString echec;
            const auto verifie = [&](CompteurLignes &compteur, std::size_t decalage) {
                if (echec.isEmpty() && compteur.Position(decalage) != Reference(texte, decalage))
                    echec = QString("décalage %1 de %2").arg(decalage).arg(
                        QString::fromLatin1(QByteArray::fromStdString(texte).toPercentEncoding()));
            };
            CompteurLignes compteur(texte);
            for (std::size_t decalage = 0; decalage <= texte.size() + 1; ++decalage)
                verifie(compteur, decalage);
            CompteurLignes sauts(texte);
            for (std::size_t decalage = 0; decalage <= texte.size(); decalage += hasard() % 4)
                verifie(sauts, decalage);
            verifie(sauts, hasard() % (texte.size() + 1));
            QVERIFY2(echec.isEmpty(), qPrintable(echec));
        }
    }
};

QTEST_APPLESS_MAIN(TestProbleme)
#include "tst_probleme.moc"
