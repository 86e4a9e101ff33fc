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
        // Backtracking too deep for JIT's stack goes on in the interpreter.
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
        QFETCH(QByteArray, attendu);
        QFETCH(int, nombre);
        auto motif = Motif::Compile(Vue(cherche),
                                    {options.contains(u'C'), options.contains(u'M'), options.contains(u'E')});
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
};

QTEST_APPLESS_MAIN(TestMotif)
#include "tst_motif.moc"
