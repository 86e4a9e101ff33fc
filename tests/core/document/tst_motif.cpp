#include "core/document/Motif.h"

#include <QtTest>

namespace {

std::string_view Vue(const QByteArray &octets)
{
    return {octets.constData(), static_cast<std::size_t>(octets.size())};
}

// The options as letters: "C" for the case, "M" for whole words, "E" for an expression.
std::variant<Motif, std::string> Compile(const QByteArray &cherche, const QString &options)
{
    return Motif::Compile(Vue(cherche), {options.contains(u'C'), options.contains(u'M'), options.contains(u'E')});
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
        QTest::addColumn<QByteArray>("attendu"); // the whole text after the replacement, or the error's message
        QTest::addColumn<int>("nombre");         // -1 for an error
        QTest::newRow("texte") << QByteArray("un mot, deux mots") << QByteArray("mot") << "" << QByteArray("X")
                               << QByteArray("un X, deux Xs") << 2;
        QTest::newRow("texte, pas d'expression") << QByteArray("a.b(c)*$ abcc \\1") << QByteArray("a.b(c)*$") << ""
                                                 << QByteArray("\\1\\\\") << QByteArray("\\1\\\\ abcc \\1") << 1;
        QTest::newRow("sans casse") << QByteArray("Mot mot MOT") << QByteArray("mot") << "" << QByteArray("x")
                                    << QByteArray("x x x") << 3;
        QTest::newRow("casse") << QByteArray("Mot mot MOT") << QByteArray("mot") << "C" << QByteArray("x")
                               << QByteArray("Mot x MOT") << 1;
        QTest::newRow("sans casse, accents") << QByteArray("ÉTÉ Été été") << QByteArray("été") << ""
                                             << QByteArray("x") << QByteArray("x x x") << 3;
        QTest::newRow("casse, accents") << QByteArray("ÉTÉ été") << QByteArray("été") << "C" << QByteArray("x")
                                        << QByteArray("ÉTÉ x") << 1;
        // Letters of any script, digits and "_" hold a word together; punctuation and bytes that are not UTF-8
        // do not.
        QTest::newRow("mot entier") << QByteArray("motif émot motà mot_ mot2 mot. \xFFmot\xC3") << QByteArray("mot")
                                    << "M" << QByteArray("X") << QByteArray("motif émot motà mot_ mot2 X. \xFFX\xC3")
                                    << 2;
        QTest::newRow("mot entier, accents") << QByteArray("été étés ÉTÉ") << QByteArray("été") << "M"
                                             << QByteArray("x") << QByteArray("x étés x") << 2;
        QTest::newRow("mot entier, ponctuation") << QByteArray("<p> a<p> <p>b") << QByteArray("<p>") << "M"
                                                 << QByteArray("X") << QByteArray("X a<p> <p>b") << 1;
        QTest::newRow("mot entier, \\Q ouvert") << QByteArray("a.b xa.b") << QByteArray("\\Qa.b") << "ME"
                                                << QByteArray("X") << QByteArray("X xa.b") << 1;
        QTest::newRow("groupes") << QByteArray("Jean Dupont; Marie Curie") << QByteArray("(\\w+) (\\w+)") << "E"
                                 << QByteArray("\\2 \\1") << QByteArray("Dupont Jean; Curie Marie") << 2;
        QTest::newRow("\\0, \\\\ et autres") << QByteArray("a1 b22") << QByteArray("\\d+") << "E"
                                             << QByteArray("<\\0|\\\\|\\n|\\")
                                             << QByteArray("a<1|\\|\\n|\\ b<22|\\|\\n|\\") << 2;
        QTest::newRow("groupe absent") << QByteArray("ab b") << QByteArray("(a)?b") << "E" << QByteArray("[\\1\\5]")
                                       << QByteArray("[a] []") << 2;
        QTest::newRow("lignes CR, LF, CR LF") << QByteArray("un\r\ndeux\r\n\r\ntrois\rx\ny") << QByteArray("^(.*)$")
                                             << "E" << QByteArray("[\\1]")
                                             << QByteArray("[un]\r\n[deux]\r\n[]\r\n[trois]\r[x]\n[y]") << 6;
        // Empty occurrences: one at each place, one right after a longer one, none inside a character or a CR LF.
        QTest::newRow("vides") << QByteArray("axxé\r\nb") << QByteArray("x*") << "E" << QByteArray("-")
                               << QByteArray("-a--é-\r\n-b-") << 6;
        QTest::newRow("vides, début de ligne") << QByteArray("a\r\nb\nc") << QByteArray("^") << "E"
                                               << QByteArray("> ") << QByteArray("> a\r\n> b\n> c") << 3;
        QTest::newRow("octets invalides") << QByteArray("a\xFF\xC3(b\x80") << QByteArray(".") << "E"
                                          << QByteArray("[\\0]") << QByteArray("[a]\xFF\xC3[(][b]\x80") << 3;
        // Backtracking too deep for JIT's stack goes on in the interpreter.
        QTest::newRow("long commentaire") << "<!--" + QByteArray("x\n").repeated(100'000) + "-->"
                                          << QByteArray("<!--(.|\\n)*?-->") << "E" << QByteArray("") << QByteArray("")
                                          << 1;
        QTest::newRow("expression incorrecte") << QByteArray("(ab") << QByteArray("é(ab") << "E" << QByteArray()
                                               << QByteArray("Expression régulière incorrecte : missing closing "
                                                             "parenthesis (position 4).")
                                               << -1;
        // Checked alone, not once wrapped in the whole-word test, whose parentheses would balance it.
        QTest::newRow("mot entier, expression incorrecte")
            << QByteArray("a)(b") << QByteArray("a)(b") << "ME" << QByteArray()
            << QByteArray("Expression régulière incorrecte : unmatched closing parenthesis (position 1).") << -1;
    }

    void remplaceTout()
    {
        QFETCH(QByteArray, texte);
        QFETCH(QByteArray, remplacement);
        QFETCH(QByteArray, attendu);
        QFETCH(int, nombre);
        QFETCH(QByteArray, cherche);
        QFETCH(QString, options);
        auto motif = Compile(cherche, options);
        if (const auto *message = std::get_if<std::string>(&motif)) {
            QCOMPARE(QByteArray::fromStdString(*message), attendu);
            QCOMPARE(nombre, -1);
            return;
        }
        const RemplacementTout resultat = RemplaceTout(Vue(texte), std::get<Motif>(motif), Vue(remplacement));
        QCOMPARE(texte.left(qsizetype(resultat.debut)) + QByteArray::fromStdString(resultat.texte) +
                     texte.mid(qsizetype(resultat.fin)),
                 attendu);
        QCOMPARE(int(resultat.nombre), nombre);
    }

    // From a position, the text before it still counts; after an empty occurrence, a longer one at the same place
    // is taken. An expression that backtracks without end is given up, not taken for a text that is not there.
    void cherche()
    {
        auto motif = std::get<Motif>(Compile("(?<=a)b|^|c", "E"));
        const std::string_view texte = "abc";
        QCOMPARE(motif.Cherche(texte, 1)->Fin(), 2u);
        QCOMPARE(motif.Cherche(texte, 2, true)->Fin(), 3u);
        QVERIFY(!motif.Cherche(texte, 3, true));

        auto retour = std::get<Motif>(Compile("(a+)+$", "E"));
        const std::string a = std::string(40, 'a') + 'b';
        QVERIFY_THROWS_EXCEPTION(RechercheAbandonnee, retour.Cherche(a, 0));
    }
};

QTEST_APPLESS_MAIN(TestMotif)
#include "tst_motif.moc"
