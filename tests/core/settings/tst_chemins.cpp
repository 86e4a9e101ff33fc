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

    void nomLong_data()
    {
        QTest::addColumn<QString>("chemin");
        QTest::addColumn<QString>("attendu");
        QTest::newRow("casse exacte: Logo.GIF") << "@/site/img/Logo.GIF" << "Logo.GIF";
        QTest::newRow("autre casse sur volume sensible: rien") << "@/site/img/logo.gif" << "";
        QTest::newRow("lien pendant: il existe") << "@/pendant" << "pendant";
        QTest::newRow("racine") << "/" << "/";
    }

    void nomLong()
    {
        QFETCH(QString, chemin);
        QFETCH(QString, attendu);
        QCOMPARE(QString::fromStdString(NomLong(Reel(chemin))), attendu);
    }

    void cheminLong_data()
    {
        QTest::addColumn<QString>("chemin");
        QTest::addColumn<QString>("attendu");
        QTest::newRow("existant inchangé") << "@/site/img/Logo.GIF" << "@/site/img/Logo.GIF";
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
        QFETCH(QString, attendu);
        const QString precedent = QDir::currentPath();
        QVERIFY(QDir::setCurrent(racine + "/site"));
        const std::string obtenu = CheminLong(Reel(chemin));
        QVERIFY(QDir::setCurrent(precedent));
        QCOMPARE(obtenu, Reel(attendu));
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
            QTest::addRow("même dossier (%s)", etat.data()) << r + "/site/a.htm" << r + "/site/b.htm" << "b.htm";
            QTest::addRow("préfixe trompeur: site et site2 (%s)", etat.data()) << r + "/web/site/a.htm" << r + "/web/site2/b.htm" << "../site2/b.htm";
        }
        QTest::newRow("hors de l'arbre") << "/home/u-absent/a.htm" << "/tmp/x-absent.gif" << "../../tmp/x-absent.gif";
    }

    void cheminRelatif()
    {
        QFETCH(QString, base);
        QFETCH(QString, cible);
        QFETCH(QString, attendu);
        if (base.startsWith("@/existe"))
            QVERIFY(Cree(base) && Cree(cible));
        QCOMPARE(QString::fromStdString(CheminRelatif(Reel(cible), Reel(base))), attendu);
    }

    void emplacementParametres_data()
    {
        QTest::addColumn<bool>("programmeInscriptible");
        QTest::addColumn<QString>("fichier");
        QTest::addColumn<QString>("dossierACreer");
        QTest::newRow("dossier du programme inscriptible: à côté du programme, rien à créer")
            << true << "/opt/balizo/Balizo.ini" << "";
        QTest::newRow("dossier du programme en lecture seule: dans la configuration, balizo à créer")
            << false << "/home/u/.config/balizo/Balizo.ini" << "/home/u/.config/balizo";
    }

    void emplacementParametres()
    {
        QFETCH(bool, programmeInscriptible);
        QFETCH(QString, fichier);
        QFETCH(QString, dossierACreer);
        const EmplacementParametres emplacement =
            ChoixEmplacementParametres("/opt/balizo", programmeInscriptible, "/home/u/.config");
        QCOMPARE(QString::fromStdString(emplacement.fichier), fichier);
        QCOMPARE(QString::fromStdString(emplacement.dossierACreer), dossierACreer);
    }

    void candidatsDonnees()
    {
        const auto liste = [](const std::vector<std::string> &candidats) {
            QStringList noms;
            for (const std::string &c : candidats)
                noms << QString::fromStdString(c);
            return noms;
        };
        QCOMPARE(liste(CandidatsDonnees("/opt/b/bin", "/usr/share/balizo", "Aide/depart.htm")),
                 (QStringList{"/opt/b/bin/Aide/depart.htm", "/opt/b/bin/../share/balizo/Aide/depart.htm",
                              "/usr/share/balizo/Aide/depart.htm"}));
        QCOMPARE(liste(CandidatsDonnees("", "/usr/share/balizo", "Accents.txt")),
                 QStringList{"/usr/share/balizo/Accents.txt"});
    }
};

QTEST_APPLESS_MAIN(TstChemins)
#include "tst_chemins.moc"
