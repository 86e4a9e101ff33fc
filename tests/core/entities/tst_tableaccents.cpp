// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/entities/Remplacement.h"
#include "core/entities/TableAccents.h"

#include <QFile>
#include <QtTest>

// Rows are written one per line, their fields joined by "|", then "*" when the row takes part in the correction.
static QByteArray Ecrit(const std::vector<LigneAccent> &lignes)
{
    QByteArray texte;
    for (const LigneAccent &l : lignes)
        texte += QByteArray::fromStdString(l.entite + "|" + l.caractere + "|" + l.signification + "|" + l.correction +
                                           (ACorriger(l) ? "*\n" : "\n"));
    return texte;
}

class TstTableAccents : public QObject {
    Q_OBJECT

private slots:
    // Whatever the table file's encoding, its rows come out in UTF-8.
    void lecture_data()
    {
        QTest::addColumn<QByteArray>("contenu");
        QTest::addColumn<QByteArray>("lignes");
        QTest::newRow("texte vide: aucune ligne") << QByteArray("") << QByteArray("");
        QTest::newRow("CR LF, LF, CR seul, lignes vides gardées, dernière sans fin, champs manquants vides")
            << QByteArray("a\r\n\r\nb\n\rc\rd") << QByteArray("a|||\n|||\nb|||\n|||\nc|||\nd|||\n");
        QTest::newRow("texte après le quatrième TAB ignoré")
            << QByteArray("&e;\té\te aigu\tO\tplus\tencore") << QByteArray("&e;|é|e aigu|O*\n");
        QTest::newRow("espaces puis guillemets: \" \" donne une espace")
            << QByteArray("  &nbsp; \t  \" \"  \t\"sens\"\t o ") << QByteArray("&nbsp;| |sens|o*\n");
        QTest::newRow("espaces entre guillemets et guillemets intérieurs gardés")
            << QByteArray("\"\"  a\"b  \"\"\t\"") << QByteArray("  a\"b  |||\n");
        QTest::newRow("drapeaux Oui, 0: pas à corriger") << QByteArray("\t\t\tOui\n\t\t\t0") << QByteArray("|||Oui\n|||0\n");
        QTest::newRow("marque d'ordre ôtée: &nbsp; reste la première entité")
            << QByteArray("\xEF\xBB\xBF&nbsp;\t\xC2\xA0\n&eacute;\t\xC3\xA9")
            << QByteArray("&nbsp;|\xC2\xA0||\n&eacute;|\xC3\xA9||\n");
        QTest::newRow("marque puis Windows-1252: marque ôtée, le reste décodé")
            << QByteArray("\xEF\xBB\xBF&eacute;\t\xE9") << QByteArray("&eacute;|\xC3\xA9||\n");
        QTest::newRow("un octet invalide: tout le fichier en Windows-1252")
            << QByteArray("&Atilde;&copy;\t\xC3\xA9\n&eacute;\t\xE9\te aigu\tO\r\n&euro;\t\x80")
            << QByteArray("&Atilde;&copy;|\xC3\x83\xC2\xA9||\n&eacute;|\xC3\xA9|e aigu|O*\n&euro;|\xE2\x82\xAC||\n");
    }

    void lecture()
    {
        QFETCH(QByteArray, contenu);
        QTEST(Ecrit(ChargeTableAccents(std::string_view(contenu.constData(), contenu.size()))), "lignes");
    }

    void windows1252()
    {
        const std::vector<LigneAccent> table = LitTableAccents("&eacute;\té\te accent aigu\tO\n"
                                                               "&alpha;\tα\talpha minuscule\n"
                                                               "&euro;\t€\tsigne € (œ)\n"
                                                               "&rarr;\t->\tflèche →\n");
        QCOMPARE(Ecrit(EnWindows1252(table)), QByteArray("&eacute;|\xE9|e accent aigu|O*\n&euro;|\x80|signe \x80 (\x9C)|\n"));
        // The same rows, left in UTF-8 for the editor, whose Windows-1252 documents are held in UTF-8.
        QCOMPARE(Ecrit(LignesPourEncodage(table, Encodage::Windows1252)),
                 QByteArray("&eacute;|é|e accent aigu|O*\n&euro;|€|signe € (œ)|\n"));
        QCOMPARE(Ecrit(LignesPourEncodage(table, Encodage::Utf8Bom)), Ecrit(table));
    }

    // The table that ships with the program: a page corrected and restored comes back as it was.
    void fichierAccents()
    {
        QFile fichier(ACCENTS_TXT);
        QVERIFY(fichier.open(QIODevice::ReadOnly));
        const std::vector<LigneAccent> table = ChargeTableAccents(fichier.readAll().toStdString());
        const std::string page = "<p class=\"été\">À Noël, l'œuvre coûta 5\u00A0€ « déjà » Ÿ</p>";
        const std::string corrigee = Correction(table).Applique(page);
        QCOMPARE(corrigee, std::string("<p class=\"&eacute;t&eacute;\">&Agrave; No&euml;l, l'&oelig;uvre co&ucirc;ta "
                                       "5\u00A0€ « d&eacute;j&agrave; » &Yuml;</p>"));
        const SerieRemplacements restauration = Restauration(table);
        QCOMPARE(restauration.Applique(corrigee), page);
        // &amp; comes before &lt; in the table: the ampersand it writes starts an entity that the next rows restore.
        const std::string texte = "&amp;lt; &amp;amp; &eacute&eacute; &Eacute; &thetasym;&theta; &quot; &nbsp;";
        QCOMPARE(restauration.Applique(texte), std::string("< &amp; &eacuteé É ϑθ &quot; \u00A0"));
    }
};

QTEST_APPLESS_MAIN(TstTableAccents)
#include "tst_tableaccents.moc"
