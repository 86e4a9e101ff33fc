// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/apercu/CopieApercu.h"

#include <QtTest>

#include <string>

// In the rows, "|" stands for the caret in the page, and for the comment's place in what is expected.
class TestCopieApercu : public QObject {
    Q_OBJECT

private slots:
    void placeDuCurseur_data()
    {
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<QByteArray>("attendu");
        QTest::newRow("dans le texte") << QByteArray("<p>Bon|jour</p>") << QByteArray("<p>Bon|jour</p>");
        QTest::newRow("juste avant une balise") << QByteArray("<p>a|<b>") << QByteArray("<p>a|<b>");
        QTest::newRow("dans une balise ouvrante") << QByteArray("<p cl|ass=\"x\">a") << QByteArray("<p class=\"x\">|a");
        QTest::newRow("chevron dans une valeur") << QByteArray("<a ti|tle=\"a>b\">x") << QByteArray("<a title=\"a>b\">|x");
        QTest::newRow("dans une balise fermante") << QByteArray("a</|p>b") << QByteArray("a</p>|b");
        QTest::newRow("dans un commentaire") << QByteArray("<!-- a|b -->c") << QByteArray("<!-- ab -->|c");
        QTest::newRow("dans le doctype") << QByteArray("<!DOC|TYPE html><p>") << QByteArray("<!DOCTYPE html>|<p>");
        QTest::newRow("dans un script") << QByteArray("<script>if (a |< b) x();</script><p>")
                                         << QByteArray("<script>if (a < b) x();</script>|<p>");
        QTest::newRow("juste après <style>") << QByteArray("<STYLE>|p{}</style >x")
                                              << QByteArray("<STYLE>p{}</style >|x");
        QTest::newRow("dans le titre") << QByteArray("<title>Ti|tre</title>") << QByteArray("<title>Titre</title>|");
        QTest::newRow("texte avant un script") << QByteArray("a|b<script>c</script>")
                                                << QByteArray("a|b<script>c</script>");
        QTest::newRow("balise jamais fermée") << QByteArray("<p class=|\"x") << QByteArray("<p class=\"x|");
        QTest::newRow("chevron de texte") << QByteArray("1 < 2 |et") << QByteArray("1 < 2 |et");
    }

    void placeDuCurseur()
    {
        QFETCH(QByteArray, page);
        QFETCH(QByteArray, attendu);
        const auto curseur = std::size_t(page.indexOf('|'));
        page.remove(qsizetype(curseur), 1);
        const std::string copie = CopiePourApercu({page.constData(), std::size_t(page.size())}, curseur);
        QCOMPARE(QByteArray::fromStdString(copie), attendu.replace("|", MarqueCurseur.data()));
    }

    // The element at the caret: its name, rank and the number of elements of its name, "-" for none.
    void elementDuCurseur_data()
    {
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<QString>("attendu");
        const QByteArray liste = "<ul>\n<li>un\n<LI>deux</li>\n<li class=\"x>y\">trois</li>\n</ul>\n<p>fin";
        QTest::newRow("dans le texte d'un élément") << QByteArray(liste).insert(liste.indexOf("eux"), '|') << "li 1/3";
        QTest::newRow("sur le chevron de la balise") << QByteArray(liste).insert(liste.indexOf("<li c"), '|') << "li 2/3";
        QTest::newRow("sur le chevron d'un autre élément") << QByteArray("<p>a</p>\n|<h2>b") << "h2 0/1";
        QTest::newRow("dans une balise, chevron dans une valeur")
            << QByteArray(liste).insert(liste.indexOf("y\">"), '|') << "li 2/3";
        QTest::newRow("après les fermantes: le dernier ouvert") << QByteArray(liste).insert(liste.indexOf("\n<p>"), '|')
                                                               << "li 2/3";
        QTest::newRow("dernier") << QByteArray(liste).append('|') << "p 0/1";
        QTest::newRow("balises d'un script et d'un commentaire non comptées")
            << QByteArray("<p>a<script>'<p>'</script><!-- <p> --><p>b|") << "p 1/2";
        QTest::newRow("dans un script") << QByteArray("<p>a<script>x|()</script>") << "script 0/1";
        QTest::newRow("avant toute balise") << QByteArray("<!DOCTYPE html>|\n<html>") << "-";
        QTest::newRow("page vide") << QByteArray("|") << "-";
    }

    void elementDuCurseur()
    {
        QFETCH(QByteArray, page);
        const auto curseur = std::size_t(page.indexOf('|'));
        page.remove(qsizetype(curseur), 1);
        const auto element = ElementDuCurseur({page.constData(), std::size_t(page.size())}, curseur);
        QTEST(element ? QStringLiteral("%1 %2/%3").arg(QString::fromStdString(element->nom)).arg(element->rang).arg(element->total)
                      : QStringLiteral("-"),
              "attendu");
    }

    void base_data()
    {
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<QByteArray>("attendu");
        QTest::newRow("après head") << QByteArray("<!DOCTYPE html>\n<html lang=fr>\n<HEAD>\n<title>")
                                     << QByteArray("<!DOCTYPE html>\n<html lang=fr>\n<HEAD>\n|<title>");
        QTest::newRow("commentaire en tête") << QByteArray("<!-- a -->\n<p>x") << QByteArray("<!-- a -->\n|<p>x");
        QTest::newRow("texte seul") << QByteArray("  Bonjour") << QByteArray("  |Bonjour");
        QTest::newRow("page vide") << QByteArray("") << QByteArray("|");
    }

    void base()
    {
        QFETCH(QByteArray, page);
        QFETCH(QByteArray, attendu);
        const std::string copie = CopiePourApercu({page.constData(), std::size_t(page.size())}, {},
                                                  "file:///site/A&B/%22x%22/");
        QCOMPARE(QByteArray::fromStdString(copie),
                 attendu.replace("|", "<base href=\"file:///site/A&amp;B/%22x%22/\">"));
    }

    // The base comes before the caret's mark when both go at the start of the body.
    void baseEtCurseur()
    {
        const std::string copie = CopiePourApercu("<head><p>", 2, "file:///d/");
        QCOMPARE(copie, std::string("<head><base href=\"file:///d/\"><!--balizo-curseur--><p>"));
    }

    void acces_data()
    {
        QTest::addColumn<QString>("schema");
        QTest::addColumn<QString>("chemin");
        QTest::addColumn<int>("acces");
        QTest::newRow("image du dossier") << "file" << "/site/img/a.png" << int(Acces::Permis);
        QTest::newRow("le dossier lui-même") << "file" << "/site" << int(Acces::Permis);
        QTest::newRow("fichier temporaire") << "file" << "/tmp/ap/copie.htm" << int(Acces::Permis);
        QTest::newRow("préfixe trompeur: site et site2") << "file" << "/site2/a.png" << int(Acces::Bloque);
        QTest::newRow("remontée par ..") << "file" << "/site/img/../../etc/passwd" << int(Acces::Bloque);
        QTest::newRow("dossier parent") << "file" << "/a.png" << int(Acces::Bloque);
        QTest::newRow("chemin relatif") << "file" << "site/a.png" << int(Acces::Bloque);
        QTest::newRow("http") << "http" << "" << int(Acces::Reseau);
        QTest::newRow("https") << "https" << "" << int(Acces::Reseau);
        QTest::newRow("websocket") << "wss" << "" << int(Acces::Reseau);
        QTest::newRow("données") << "data" << "" << int(Acces::Permis);
        QTest::newRow("schéma inconnu") << "gopher" << "" << int(Acces::Bloque);
    }

    void acces()
    {
        QFETCH(QString, schema);
        QFETCH(QString, chemin);
        QFETCH(int, acces);
        QCOMPARE(int(AccesRequete(schema.toStdString(), chemin.toStdString(), {"/site", "/tmp/ap"})), acces);
    }
};

QTEST_APPLESS_MAIN(TestCopieApercu)
#include "tst_copieapercu.moc"
