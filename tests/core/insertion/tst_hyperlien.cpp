// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/insertion/Hyperlien.h"

#include <QtTest>

class TstHyperlien : public QObject {
    Q_OBJECT

private slots:
    // The texts written for links and anchors; S stands for the selection that a link surrounds.
    void textes_data()
    {
        QTest::addColumn<QByteArray>("obtenu");
        QTest::addColumn<QByteArray>("attendu");
        const auto ligne = [](const char *nom, const std::string &obtenu, const char *attendu) {
            QTest::newRow(nom) << QByteArray::fromStdString(obtenu) << QByteArray(attendu);
        };
        const auto lien = [](const char *url, const char *description, bool italique) {
            return OuvertureLien(url, description, italique) + "S" + FermetureLien(description, italique);
        };
        ligne("sans italique: champs tels que tapés", lien(" x\"y ", " été ", false), "<A HREF=\" x\"y \"> été S</A>");
        ligne("italique sans description: S dans le lien dans ADDRESS", lien("a.htm", "", true),
              "<ADDRESS><A HREF=\"a.htm\">S</A></ADDRESS>");
        ligne("italique et description: élément fermé, S après", lien("a.htm", "Voir", true),
              "<ADDRESS><A HREF=\"a.htm\">Voir</A></ADDRESS>S");
        ligne("protocole suivi de l'adresse", UrlAbsolue("mailto:", "moi@ici.fr"), "mailto:moi@ici.fr");
        ligne("ancre locale", UrlLocale("haut"), "#haut");
        ligne("fichier sans ancre", UrlRelative("../a.htm", ""), "../a.htm");
        ligne("fichier et ancre", UrlRelative("../a.htm", "fin"), "../a.htm#fin");
        ligne("ancre nommée: blancs retirés, le reste gardé", ElementAncreLocale(" a\"b  Été\t'x' "),
              "<A NAME=\"a\"bÉté\t'x'\"></A>");
    }

    void textes()
    {
        QFETCH(QByteArray, obtenu);
        QTEST(obtenu, "attendu");
    }
};

QTEST_APPLESS_MAIN(TstHyperlien)
#include "tst_hyperlien.moc"
