#include "core/verification/Balisage.h"

#include <QtTest>

#include <thread>

Q_DECLARE_METATYPE(Probleme::Sorte)

class TestBalisage : public QObject {
    Q_OBJECT

private slots:
    // The faults that a hand writes, each where it is: its kind, the text it covers, and Tidy's French words; every
    // line end and a tab before the fault put it at the same place.
    void fautes_data()
    {
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<Probleme::Sorte>("sorte");
        QTest::addColumn<QByteArray>("couvert");
        QTest::addColumn<QString>("mot");
        const QByteArray debut = "<!DOCTYPE html>\n<html><head><title>t</title></head><body>\n";
        const QByteArray fin = "\n</body></html>\n";
        QTest::newRow("élément inconnu") << debut + "<p>\t<foo>x</foo></p>" + fin << Probleme::Sorte::Erreur
                                         << QByteArray("<foo>") << "n'est pas reconnu";
        QTest::newRow("fin inattendue") << debut + "<p>été\tx</span></p>" + fin << Probleme::Sorte::Avertissement
                                        << QByteArray("</span>") << "inattendue";
        QTest::newRow("imbrication") << debut + "<p><b><i>x</b></i></p>" + fin << Probleme::Sorte::Avertissement
                                     << QByteArray("<i>") << "remplacement";
        QTest::newRow("image sans alt") << debut + "<p><img src=\"a.png\"></p>" + fin
                                        << Probleme::Sorte::Avertissement << QByteArray("<img src=\"a.png\">")
                                        << "alt";
        QTest::newRow("sans doctype") << QByteArray("<html><head><title>t</title></head><body><p>x</p></body></html>")
                                      << Probleme::Sorte::Avertissement << QByteArray("<html>") << "DOCTYPE";
    }
    void fautes()
    {
        QFETCH(QByteArray, page);
        QFETCH(Probleme::Sorte, sorte);
        QFETCH(QByteArray, couvert);
        QFETCH(QString, mot);
        for (const QByteArray &finDeLigne : {QByteArray("\n"), QByteArray("\r\n"), QByteArray("\r")}) {
            QByteArray texte = page;
            texte.replace("\n", finDeLigne);
            const std::vector<Probleme> problemes = VerifieBalisage({texte.constData(), std::size_t(texte.size())});
            const auto trouve = std::find_if(problemes.begin(), problemes.end(), [&](const Probleme &p) {
                return p.sorte == sorte && QString::fromStdString(p.message).contains(mot);
            });
            QVERIFY2(trouve != problemes.end(), texte.constData());
            QCOMPARE(texte.mid(qsizetype(trouve->debut), qsizetype(trouve->fin - trouve->debut)), couvert);
            QVERIFY(std::is_sorted(problemes.begin(), problemes.end(),
                                   [](const Probleme &a, const Probleme &b) { return a.debut < b.debut; }));
        }
    }

    // A correct page says nothing; an empty page, bytes that are no page and NUL bytes never stop the check; two
    // threads check at once.
    void pagesLimites()
    {
        const std::string correcte = "<!DOCTYPE html>\n<html lang=\"fr\"><head><meta charset=\"utf-8\">"
                                     "<title>t</title></head>\n<body><p>Un <a href=\"b.htm\">lien</a>.</p></body>"
                                     "</html>\n";
        QVERIFY(VerifieBalisage(correcte).empty());
        VerifieBalisage("");
        const std::string binaire("\0\x01\xff<p>\0x</b>", 11);
        for (const Probleme &probleme : VerifieBalisage(binaire))
            QVERIFY(probleme.debut <= probleme.fin && probleme.fin <= binaire.size());
        std::vector<Probleme> resultats[2];
        std::thread autre([&] { resultats[0] = VerifieBalisage(correcte + "<foo>"); });
        resultats[1] = VerifieBalisage(correcte + "<foo>");
        autre.join();
        QVERIFY(!resultats[1].empty());
        QCOMPARE(resultats[0], resultats[1]);
    }
};

QTEST_APPLESS_MAIN(TestBalisage)
#include "tst_balisage.moc"
