// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/document/Motif.h"

#include <QtTest>

namespace {

std::string_view Vue(const QByteArray &octets)
{
    return {octets.constData(), static_cast<std::size_t>(octets.size())};
}

// The options are "C" for the case, "M" for whole words, "E" for an expression; `attendu` is the whole text after
// the replacement, or the error's message when `nombre` is -1.
void Ligne(const char *nom, const QByteArray &texte, const QByteArray &cherche, const QString &options,
           const QByteArray &remplacement, const QByteArray &attendu, int nombre)
{
    QTest::newRow(nom) << texte << cherche << options << remplacement << attendu << nombre;
}

} // namespace

class TestMotif : public QObject {
    Q_OBJECT

private slots:
    void remplaceTout_data()
    {
        QTest::addColumn<QByteArray>("texte");
        QTest::addColumn<QByteArray>("cherche");
        QTest::addColumn<QString>("options");
        QTest::addColumn<QByteArray>("remplacement");
        QTest::addColumn<QByteArray>("attendu");
        QTest::addColumn<int>("nombre");
        Ligne("texte seul", "a.b(c)*$ abcc \\1", "a.b(c)*$", "", "\\1\\\\", "\\1\\\\ abcc \\1", 1);
        Ligne("sans casse", "ÉTÉ Été été", "été", "", "x", "x x x", 3);
        Ligne("casse", "ÉTÉ été", "été", "C", "x", "ÉTÉ x", 1);
        // Letters of any script, digits and "_" hold a word together; punctuation and bytes that are not UTF-8 do
        // not.
        Ligne("mot entier", "motif émot motà mot_ mot2 mot. \xFFmot\xC3", "mot", "M", "X",
              "motif émot motà mot_ mot2 X. \xFFX\xC3", 2);
        Ligne("mot entier, ponctuation", "<p> a<p> <p>b", "<p>", "M", "X", "X a<p> <p>b", 1);
        Ligne("mot entier, \\Q ouvert", "a.b xa.b", "\\Qa.b", "ME", "X", "X xa.b", 1);
        // A group that took no part, or that the expression does not have, gives nothing.
        Ligne("groupes", "Jean Dupont; Marie Curie", "(\\w+) (\\w+)(;)?", "E", "\\2 \\1\\3\\5",
              "Dupont Jean; Curie Marie", 2);
        Ligne("\\0, \\\\ et autres", "a1 b22", "\\d+", "E", "<\\0|\\\\|\\n|\\", "a<1|\\|\\n|\\ b<22|\\|\\n|\\", 2);
        Ligne("lignes CR, LF, CR LF", "un\r\ndeux\r\n\r\ntrois\rx\ny", "^(.*)$", "E", "[\\1]",
              "[un]\r\n[deux]\r\n[]\r\n[trois]\r[x]\n[y]", 6);
        // Empty occurrences: one at each place, one right after a longer one, none inside a character or a CR LF;
        // after an empty one, a longer one at the same place.
        Ligne("vides", "axxé\r\nb", "x*", "E", "-", "-a--é-\r\n-b-", 6);
        Ligne("vide puis non vide", "ab", "^|a", "E", "-", "--b", 2);
        Ligne("octets invalides", "a\xFF\xC3(b\x80", ".", "E", "[\\0]", "[a]\xFF\xC3[(][b]\x80", 3);
        // A lazy repeat of a group over a long span: deep backtracking, that is no reason to give up.
        Ligne("long commentaire", "<!--" + QByteArray("x\n").repeated(100'000) + "-->", "<!--(.|\\n)*?-->", "E", "",
              "", 1);
        Ligne("expression incorrecte", "", "é(ab", "E", "",
              "Expression régulière incorrecte : missing closing parenthesis (position 4).", -1);
        // Checked alone, not once wrapped in the whole-word test, whose parentheses would balance it.
        Ligne("mot entier, expression incorrecte", "", "a)(b", "ME", "",
              "Expression régulière incorrecte : unmatched closing parenthesis (position 1).", -1);
    }

    void remplaceTout()
    {
        QFETCH(QByteArray, texte);
        QFETCH(QByteArray, cherche);
        QFETCH(QString, options);
        QFETCH(QByteArray, remplacement);
        auto motif = Motif::Compile(Vue(cherche), {options.contains(u'C'), options.contains(u'M'), options.contains(u'E')});
        if (!motif) {
            QTEST(QByteArray::fromStdString(motif.Pourquoi()), "attendu");
            QTEST(-1, "nombre");
            return;
        }
        const RemplacementTout resultat = RemplaceTout(Vue(texte), *motif, Vue(remplacement));
        QTEST(texte.left(qsizetype(resultat.debut)) + QByteArray::fromStdString(resultat.texte) +
                  texte.mid(qsizetype(resultat.fin)), "attendu");
        QTEST(int(resultat.nombre), "nombre");
    }

    // A search runs one slice of start positions at a time: where a slice ends changes nothing,
    // whether in a character, in a CR LF, or between the two lines that a "^" follows.
    void tranches_data()
    {
        QTest::addColumn<QByteArray>("motif");
        QTest::addColumn<QByteArray>("ligne");
        QTest::addColumn<int>("parLigne");
        QTest::addColumn<QByteArray>("remplacement");
        QTest::addColumn<QByteArray>("attendue");
        // What the end of the text, after the last line end, becomes.
        QTest::addColumn<QByteArray>("fin");
        const auto ligne = [](const char *nom, const char *motif, const char *ligne, int parLigne, const char *par,
                              const char *attendue, const char *fin) {
            QTest::newRow(nom) << QByteArray(motif) << QByteArray(ligne) << parLigne << QByteArray(par)
                               << QByteArray(attendue) << QByteArray(fin);
        };
        ligne("début de ligne", "^", "ab\r\n", 1, ">", ">ab\r\n", "");
        ligne("fin de ligne, CR LF", "$", "é\r\n", 1, "<", "é<\r\n", "<");
        ligne("lignes entières", ".*", "été\r\n", 2, "x", "xx\r\n", "x");
        // Each character an occurrence: one start position left out is one missing.
        ligne("chaque caractère", "(?s).", "é€a\r\n", 5, "x", "xxxxx", "");
        ligne("fins de ligne", "\\r\\n", "éa\r\n", 1, "|", "éa|", "");
    }

    void tranches()
    {
        QFETCH(QByteArray, motif);
        QFETCH(QByteArray, ligne);
        QFETCH(int, parLigne);
        QFETCH(QByteArray, remplacement);
        QFETCH(QByteArray, attendue);
        QFETCH(QByteArray, fin);
        // Lines of an odd length, so that slices end at every place in a line; a little more than 3 MiB.
        const int lignes = (3 << 20) / int(ligne.size()) + 7;
        const QByteArray texte = ligne.repeated(lignes);
        Suivi suivi;
        const RemplacementTout resultat =
            RemplaceTout(Vue(texte), *Motif::Compile(Vue(motif), {false, false, true}), Vue(remplacement), &suivi);
        QCOMPARE(int(resultat.nombre), lignes * parLigne + (fin.isEmpty() ? 0 : 1));
        QVERIFY(texte.left(qsizetype(resultat.debut)) + QByteArray::fromStdString(resultat.texte) +
                    texte.mid(qsizetype(resultat.fin)) ==
                attendue.repeated(lignes) + fin);
        QVERIFY(suivi.position > std::size_t(2 << 20));
    }

    // A text with no occurrence in its first 4 KiB, the first slice of start positions, and one just around its end.
    void limiteDeTranche_data()
    {
        QTest::addColumn<int>("decalage"); // the bytes of "a" before `suite`, less 4 KiB
        QTest::addColumn<QByteArray>("suite");
        QTest::addColumn<QByteArray>("motif");
        QTest::addColumn<int>("trouve"); // where the occurrence starts, less 4 KiB
        const auto ligne = [](const char *nom, int decalage, const char *suite, const char *motif, int trouve) {
            QTest::newRow(nom) << decalage << QByteArray(suite) << QByteArray(motif) << trouve;
        };
        ligne("juste avant", -1, "X", "X", -1);
        ligne("juste à la limite", 0, "X", "X", 0);
        ligne("juste après", 1, "X", "X", 1);
        ligne("caractère à cheval", -1, "€X", "X", 2);
        ligne("CR LF à cheval", -1, "\r\nb", "^b", 1);
    }

    void limiteDeTranche()
    {
        QFETCH(int, decalage);
        QFETCH(QByteArray, suite);
        QFETCH(QByteArray, motif);
        const QByteArray texte = QByteArray(4096 + decalage, 'a') + suite + QByteArray(4096, 'a');
        const std::optional<Occurrence> occurrence = Motif::Compile(Vue(motif), {true, false, true})->Cherche(Vue(texte), 0);
        QVERIFY(occurrence);
        QTEST(int(occurrence->Debut()) - 4096, "trouve");
    }

    // An expression that backtracks without end is given up; so is one that tries millions of ways at one place,
    // which would take seconds at each of thousands of places.
    void abandon_data()
    {
        QTest::addColumn<QByteArray>("motif");
        QTest::addColumn<QByteArray>("texte");
        QTest::newRow("groupes imbriqués") << QByteArray("(a+)+$") << QByteArray(40, 'a') + "b";
        QTest::newRow("mots d'une ligne") << QByteArray("(\\w+\\s?)*$") << QByteArray("<p>Anticonstitutionnelle.</p>\r\n");
    }

    void abandon()
    {
        QFETCH(QByteArray, motif);
        QFETCH(QByteArray, texte);
        QVERIFY_THROWS_EXCEPTION(RechercheAbandonnee,
                                 RemplaceTout(Vue(texte), *Motif::Compile(Vue(motif), {false, false, true}), "x"));
    }

    // The user's "Annuler" stops the search at its next look, whether it is searching or replacing.
    void annulation()
    {
        const QByteArray texte = QByteArray("un mot\n").repeated(1 << 19);
        auto motif = Motif::Compile("absent", {});
        Suivi suivi;
        QVERIFY(!motif->Cherche(Vue(texte), 0, false, &suivi));
        suivi.annule = true;
        QVERIFY_THROWS_EXCEPTION(RechercheAnnulee, motif->Cherche(Vue(texte), 0, false, &suivi));
        QVERIFY_THROWS_EXCEPTION(RechercheAnnulee, RemplaceTout(Vue(texte), *Motif::Compile("mot", {}), "x", &suivi));
    }
};

QTEST_APPLESS_MAIN(TestMotif)
#include "tst_motif.moc"
