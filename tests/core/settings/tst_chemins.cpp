// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/Chemins.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// In the rows, "@" stands for the temporary folder.
class TstChemins : public QObject {
    Q_OBJECT

    QTemporaryDir temporaire;
    QString racine;

    std::string Reel(QString chemin) const { return chemin.replace(u'@', racine).toStdString(); }

    bool Cree(const QString &chemin) const
    {
        const QString complet = QString::fromStdString(Reel(chemin));
        QFile fichier(complet);
        return QDir().mkpath(QFileInfo(complet).path()) && fichier.open(QIODevice::WriteOnly);
    }

private slots:
    void initTestCase()
    {
        // The current folder comes back without symbolic links: compare against that form.
        racine = QDir(temporaire.path()).canonicalPath();
        QVERIFY(Cree("@/site/index.htm") && Cree("@/site/img/Logo.GIF"));
        QVERIFY(QFile::link(racine + "/site/img", racine + "/lien"));
        QVERIFY(QFile::link(racine + "/nulle-part", racine + "/pendant"));
    }

    void nomLong()
    {
        QCOMPARE(NomLong(Reel("@/site/img/Logo.GIF")), std::string("Logo.GIF"));
        QCOMPARE(NomLong(Reel("@/site/img/logo.gif")), std::string());
        QCOMPARE(NomLong(Reel("@/pendant")), std::string("pendant"));
        QCOMPARE(NomLong("/"), std::string("/"));
    }

    // Any name comes back byte for byte; a UTF-8 name reads as Qt reads it, and a byte outside UTF-8 is shown as
    // its code.
    void nomsDeFichiers_data()
    {
        QTest::addColumn<QByteArray>("octets");
        QTest::addColumn<QString>("lisible");
        QTest::newRow("UTF-8") << QByteArray("caf\xC3\xA9.htm") << QStringLiteral("café.htm");
        QTest::newRow("Latin-1 d'un vieux disque") << QByteArray("caf\xE9.htm") << QStringLiteral("caf\\xE9.htm");
        QTest::newRow("hors du plan de base") << QByteArray("\xF0\x9F\x98\x80.htm") << QStringLiteral("😀.htm");
        QTest::newRow("Windows-1252 entre deux lettres UTF-8")
            << QByteArray("\x93\xC3\xA9\x94") << QStringLiteral("\\x93é\\x94");
        QTest::newRow("séquence coupée à la fin") << QByteArray("a\xC3") << QStringLiteral("a\\xC3");
        QTest::newRow("moitié de paire en UTF-8") << QByteArray("\xED\xA0\x80") << QStringLiteral("\\xED\\xA0\\x80");
        QTest::newRow("forme trop longue") << QByteArray("\xC0\xAF") << QStringLiteral("\\xC0\\xAF");
    }

    void nomsDeFichiers()
    {
        QFETCH(QByteArray, octets);
        QFETCH(QString, lisible);
        const std::u16string nom = NomEnUtf16(octets.toStdString());
        QCOMPARE(QByteArray::fromStdString(NomEnOctets(nom)), octets);
        QCOMPARE(QString::fromStdU16String(NomLisible(nom)), lisible);
        QVERIFY(lisible.contains(u'\\') || QString::fromStdU16String(nom) == QString::fromUtf8(octets));
    }

    void cheminLong_data()
    {
        QTest::addColumn<QString>("chemin");
        QTest::addColumn<QString>("attendu");
        QTest::newRow("deux derniers composants absents") << "@/site/neuf/page.htm" << "@/site/neuf/page.htm";
        QTest::newRow("point et point-point") << "@/site/./neuf/../img/./Logo.GIF" << "@/site/img/Logo.GIF";
        QTest::newRow("barres répétées, barre finale gardée") << "@//site///img/" << "@/site/img/";
        QTest::newRow("lien symbolique gardé") << "@/lien/Logo.GIF" << "@/lien/Logo.GIF";
        QTest::newRow("point-point à la racine") << "/../..@/site" << "@/site";
        QTest::newRow("relatif au dossier courant") << "../site/img/Logo.GIF" << "@/site/img/Logo.GIF";
        QTest::newRow("vide: dossier courant") << "" << "@/site";
    }

    void cheminLong()
    {
        QFETCH(QString, chemin);
        const QString precedent = QDir::currentPath();
        QVERIFY(QDir::setCurrent(racine + "/site"));
        const std::string obtenu = CheminLong(Reel(chemin));
        QVERIFY(QDir::setCurrent(precedent));
        QTEST(QString::fromStdString(obtenu).replace(racine, "@"), "attendu");
    }

    void cheminRelatif_data()
    {
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("cible");
        QTest::addColumn<QString>("attendu");
        for (const QString r : {"@/existe", "@/absent"}) {
            const QByteArray etat = r.mid(2).toUtf8();
            QTest::addRow("sous-dossier (%s)", etat.data()) << r + "/site/index.htm" << r + "/site/img/logo.gif" << "img/logo.gif";
            QTest::addRow("dossier voisin (%s)", etat.data()) << r + "/site/pages/a.htm" << r + "/site/img/logo.gif" << "../img/logo.gif";
            QTest::addRow("préfixe trompeur: site et site2 (%s)", etat.data()) << r + "/web/site/a.htm" << r + "/web/site2/b.htm" << "../site2/b.htm";
        }
        QTest::newRow("hors de l'arbre") << "/home/u-absent/a.htm" << "/tmp/x-absent.gif" << "../../tmp/x-absent.gif";
    }

    void cheminRelatif()
    {
        QFETCH(QString, base);
        QFETCH(QString, cible);
        if (base.startsWith("@/existe"))
            QVERIFY(Cree(base) && Cree(cible));
        QTEST(QString::fromStdString(CheminRelatif(Reel(cible), Reel(base))), "attendu");
    }

    // Settings beside the program when a file is there, otherwise in the user's configuration, folder to create; the
    // configuration folder as Qt finds it; the recovery folder under the state folder when it is absolute; data
    // beside the program, then installed.
    void emplacements()
    {
        const EmplacementParametres aCote = ChoixEmplacementParametres("/opt/balizo", true, "/home/u/.config");
        QVERIFY(aCote.fichier == "/opt/balizo/Balizo.ini" && aCote.dossierACreer.empty());
        const EmplacementParametres ailleurs = ChoixEmplacementParametres("/opt/balizo", false, "/home/u/.config");
        QCOMPARE(ailleurs.fichier, std::string("/home/u/.config/balizo/Balizo.ini"));
        QCOMPARE(ailleurs.dossierACreer, std::string("/home/u/.config/balizo"));
        QCOMPARE(DossierConfiguration("", "/home/u"), std::string("/home/u/.config"));
        QCOMPARE(DossierConfiguration("conf", "/home/u"), std::string("conf"));
        QCOMPARE(DossierRecuperation("/var/etat", "/home/u"), std::string("/var/etat/balizo/recuperation"));
        for (const char *etat : {"", "relatif"})
            QCOMPARE(DossierRecuperation(etat, "/home/u"), std::string("/home/u/.local/state/balizo/recuperation"));
        using Liste = std::vector<std::string>;
        QCOMPARE(CandidatsDonnees("/opt/b/bin", "/usr/share/balizo", "Aide/depart.htm"),
                 (Liste{"/opt/b/bin/Aide/depart.htm", "/opt/b/bin/../share/balizo/Aide/depart.htm",
                        "/usr/share/balizo/Aide/depart.htm"}));
        QCOMPARE(CandidatsDonnees("", "/usr/share/balizo", "Accents.txt"), Liste{"/usr/share/balizo/Accents.txt"});
    }
};

QTEST_APPLESS_MAIN(TstChemins)
#include "tst_chemins.moc"
