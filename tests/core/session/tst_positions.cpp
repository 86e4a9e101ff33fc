// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/session/Positions.h"

#include <QtTest>

class TstPositions : public QObject {
    Q_OBJECT

private slots:
    // A value read gives back the position it was written from; a malformed one gives nothing.
    void lecture()
    {
        QCOMPARE(EcritPosition(LitPosition("120,7,/a,b/c d.htm").value_or(PositionPage{})),
                 std::string("120,7,/a,b/c d.htm"));
        for (const char *malformee :
             {"1,2,", "1,/x", ",2,/x", "-1,2,/x", "1 ,2,/x", "0x1,2,/x", "9999999999999999999999,2,/x"})
            QVERIFY2(!LitPosition(malformee), malformee);
    }

    // The newest first, one per file, the hundred newest kept.
    void liste()
    {
        std::vector<PositionPage> positions;
        for (int n = 0; n <= 100; ++n)
            NotePosition(positions, {std::to_string(n), 0, 0});
        NotePosition(positions, {"50", 7, 3});
        QCOMPARE(positions.size(), NombrePositions);
        QCOMPARE(positions.front(), (PositionPage{"50", 7, 3}));
        QCOMPARE(std::ranges::count(positions, std::string("50"), &PositionPage::fichier), 1);
        QCOMPARE(positions[1].fichier + ' ' + positions.back().fichier, std::string("100 1"));
    }

    // The place kept, brought into the text as it is now.
    void dansLeTexte()
    {
        const struct {
            const char *cas;
            std::string_view texte;
            std::size_t lignes, curseur, ligne, curseurAttendu, ligneAttendue;
        } cas[] = {{"fichier raccourci", "a\nb", 2, 40, 9, 3, 1}, {"fichier vide", "", 1, 5, 2, 0, 0},
                   {"au milieu d'un é", "t\xC3\xA9t", 1, 2, 0, 1, 0}, {"entre CR et LF", "a\r\nb", 2, 2, 0, 1, 0}};
        for (const auto &c : cas) {
            const PositionPage p = DansLeTexte({"/x", c.curseur, c.ligne}, c.texte, c.lignes);
            QVERIFY2(p.curseur == c.curseurAttendu && p.premiereLigne == c.ligneAttendue, c.cas);
        }
    }
};

QTEST_APPLESS_MAIN(TstPositions)
#include "tst_positions.moc"
