#include "dialogs/Hyperlien.h"

#include <QtTest>

class TstHyperlien : public QObject {
    Q_OBJECT

private slots:
    // What the document receives around a selection S: the opening text, S, the closing text.
    void lien_data()
    {
        QTest::addColumn<QByteArray>("url");
        QTest::addColumn<QByteArray>("description");
        QTest::addColumn<bool>("italique");
        QTest::addColumn<QByteArray>("ecrit");
        const auto ligne = [](const char *nom, const char *url, const char *description, bool italique,
                              const char *ecrit) {
            QTest::newRow(nom) << QByteArray(url) << QByteArray(description) << italique << QByteArray(ecrit);
        };
        ligne("sans italique ni description: S dans le lien", "a.htm", "", false, "<A HREF=\"a.htm\">S</A>");
        ligne("sans italique, description: description puis S", "a.htm", "Voir", false,
              "<A HREF=\"a.htm\">VoirS</A>");
        ligne("italique sans description: S dans le lien dans ADDRESS", "a.htm", "", true,
              "<ADDRESS><A HREF=\"a.htm\">S</A></ADDRESS>");
        ligne("italique et description: lien fermé, S après", "a.htm", "Voir", true,
              "<ADDRESS><A HREF=\"a.htm\">Voir</A></ADDRESS>S");
        ligne("URL vide: HREF vide", "", "", false, "<A HREF=\"\">S</A>");
        ligne("champs tels que tapés: guillemet, blancs, accents", " x\"y ", " été ", false,
              "<A HREF=\" x\"y \"> été S</A>");
    }

    void lien()
    {
        QFETCH(QByteArray, url);
        QFETCH(QByteArray, description);
        QFETCH(bool, italique);
        QFETCH(QByteArray, ecrit);
        const std::string d = description.toStdString();
        QCOMPARE(QByteArray::fromStdString(OuvertureLien(url.toStdString(), d, italique) + "S" +
                                           FermetureLien(d, italique)),
                 ecrit);
    }

    // The addresses that the pages build, and the local anchor element.
    void textes_data()
    {
        QTest::addColumn<QByteArray>("obtenu");
        QTest::addColumn<QByteArray>("attendu");
        const auto ligne = [](const char *nom, const std::string &obtenu, const char *attendu) {
            QTest::newRow(nom) << QByteArray::fromStdString(obtenu) << QByteArray(attendu);
        };
        ligne("mailto: directement suivi de l'adresse", UrlAbsolue("mailto:", "moi@ici.fr"), "mailto:moi@ici.fr");
        ligne("protocole vide: adresse seule", UrlAbsolue("", "www.ici.fr"), "www.ici.fr");
        ligne("ancre locale: # et nom", UrlLocale("haut"), "#haut");
        ligne("ancre locale vide: # seul", UrlLocale(""), "#");
        ligne("fichier sans ancre: chemin seul", UrlRelative("../doc/a.htm", ""), "../doc/a.htm");
        ligne("fichier et ancre: chemin, # et ancre", UrlRelative("../doc/a.htm", "fin"), "../doc/a.htm#fin");
        ligne("ancre sans fichier: # et ancre", UrlRelative("", "fin"), "#fin");
        ligne("ancre nommée: blancs retirés partout", ElementAncreLocale(" mon  ancre "),
              "<A NAME=\"monancre\"></A>");
        ligne("ancre nommée vide: NAME vide", ElementAncreLocale(""), "<A NAME=\"\"></A>");
        ligne("ancre nommée: guillemet gardé dans la valeur", ElementAncreLocale("a\"b"), "<A NAME=\"a\"b\"></A>");
        ligne("ancre nommée: casse, tabulation, apostrophe, accents gardés", ElementAncreLocale("Été\t'x'"),
              "<A NAME=\"Été\t'x'\"></A>");
    }

    void textes()
    {
        QFETCH(QByteArray, obtenu);
        QFETCH(QByteArray, attendu);
        QCOMPARE(obtenu, attendu);
    }
};

QTEST_APPLESS_MAIN(TstHyperlien)
#include "tst_hyperlien.moc"
