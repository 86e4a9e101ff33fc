// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/texte/Lignes.h"

#include <QtTest>

#include <random>
#include <vector>

class TstLignes : public QObject {
    Q_OBJECT

    // The lines from `debut`, read byte by byte.
    static std::vector<Ligne> LignesLues(std::string_view texte, std::size_t debut)
    {
        std::vector<Ligne> lignes;
        while (debut < texte.size()) {
            std::size_t fin = debut;
            while (fin < texte.size() && texte[fin] != '\n' && texte[fin] != '\r')
                ++fin;
            const std::size_t apres = texte.substr(fin, 2) == "\r\n" ? fin + 2 : std::min(fin + 1, texte.size());
            lignes.push_back({debut, fin, apres});
            debut = apres;
        }
        return lignes;
    }

private slots:
    // Texts of every mix of line ends, of lines from none to thousands of bytes, which the cursors' windows pass
    // one after the other; read from the start and from anywhere.
    void commeOctetParOctet_data()
    {
        QTest::addColumn<int>("graine");
        QTest::addColumn<int>("longueurMax");
        QTest::newRow("lignes courtes") << 1 << 8;
        QTest::newRow("lignes autour des fenêtres") << 2 << 700;
        QTest::newRow("lignes longues") << 3 << 5000;
    }

    void commeOctetParOctet()
    {
        QFETCH(int, graine);
        QFETCH(int, longueurMax);
        std::mt19937 hasard(graine);
        const std::string_view fins[] = {"\n", "\r", "\r\n", "\n\r", "\r\r\n", ""};
        for (int essai = 0; essai < 200; ++essai) {
            std::string texte;
            for (int n = hasard() % 12; n > 0; --n)
                texte.append(hasard() % (longueurMax + 1), 'a').append(fins[hasard() % std::size(fins)]);
            for (int k = 0; k < 8; ++k) {
                const std::size_t debut = k == 0 ? 0 : hasard() % (texte.size() + 1);
                std::vector<Ligne> lues;
                Lignes lignes(texte, debut);
                while (const std::optional<Ligne> ligne = lignes.Suivante())
                    lues.push_back(*ligne);
                if (lues != LignesLues(texte, debut))
                    QFAIL(qPrintable(QStringLiteral("essai %1, depuis %2").arg(essai).arg(debut)));
            }
        }
    }
};

QTEST_APPLESS_MAIN(TstLignes)
#include "tst_lignes.moc"
