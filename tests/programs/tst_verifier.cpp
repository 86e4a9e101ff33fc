// SPDX-License-Identifier: GPL-3.0-or-later
// balizo-outils verifier run as a user runs it, on a small site: a dictionary of the test named fr_FR stands for the
// installed ones, and the user's configuration folder, which holds the personal word list, is the test's. In the
// arguments and messages of the rows, "@" stands for the test's temporary folder.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

bool Ecrit(const QString &chemin, const QByteArray &octets)
{
    QFile fichier(chemin);
    return fichier.open(QIODevice::WriteOnly) && fichier.write(octets) == octets.size();
}

const QByteArray Tete = "<!DOCTYPE html>\n<html lang=\"fr\"><head><title>maison</title></head>";

} // namespace

class TstVerifier : public QObject {
    Q_OBJECT

    QTemporaryDir dossier;

private slots:
    void initTestCase()
    {
        QVERIFY(dossier.isValid());
        for (const char *sous : {"dictionnaires", "config/balizo", "vide", "site", "portable"})
            QVERIFY(QDir(dossier.path()).mkpath(sous));
        const std::pair<const char *, QByteArray> fichiers[] = {
            {"dictionnaires/fr_FR.aff", "SET UTF-8\nTRY esaitnrulodcpmhq\n"},
            {"dictionnaires/fr_FR.dic", "4\nmaison\n\xC3\xA9t\xC3\xA9\nun\nune\n"},
            {"config/balizo/dictionnaire-personnel.txt", "Balizo\n"},
            // A mark-up error and warnings, a link that leads nowhere, a word of the personal list and an unknown
            // one, the warning and the word at the same place.
            {"site/a.htm", Tete + "\n<body><p>une maison <b>\xC3\xA9t\xC3\xA9</p>\n"
                                  "<p>Balizo <a href=\"absent.htm#haut\">un</a> mason <zzz></p></body></html>\n"},
            // Windows-1252, its columns counted in characters, a tab as one.
            {"site/b.htm", Tete + "<body><p>\tun \xE9t\xE9 f\xF4te</p></body></html>\n"},
            {"site/propre.htm", Tete + "<body><p>une maison</p></body></html>\n"},
            {"site/image.png", QByteArray("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16)},
            // A portable copy keeps its personal list beside its settings.
            {"portable/Balizo.ini", "[Options]\n"},
            {"portable/dictionnaire-personnel.txt", "mason\n"},
        };
        for (const auto &[nom, contenu] : fichiers)
            QVERIFY(Ecrit(dossier.filePath(nom), contenu));
        QVERIFY(QFile::copy(OUTILS, dossier.filePath("portable/balizo-outils")));
    }

    // What the tool writes and its exit code, standard error's first line said in part.
    void verifier_data()
    {
        QTest::addColumn<QString>("programme");
        QTest::addColumn<QString>("configuration");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("sortie");
        QTest::addColumn<QString>("erreur");

        const QString a = "@/site/a.htm:", b = "@/site/b.htm:";
        const QString erreurA = a + "4:50: erreur: <zzz> n'est pas reconnue!\n" + a +
                                "4:50: avertissement: inhibition de valeur inattendue <zzz>\n";
        const QString lienA = a + "4:20: lien: Le fichier « absent.htm » n'existe pas.\n";
        const QString debutA = a + "3:21: avertissement: absence de </b> avant </p>\n" + a +
                               "4:4: avertissement: insertion implicite de <b>\n";
        const QString masonA = a + "4:44: orthographe: « mason » n'est pas dans le dictionnaire.\n";
        const QString baliseA = a + "4:4: orthographe: « Balizo » n'est pas dans le dictionnaire.\n";
        const QString fauteB = b + "2:68: orthographe: « fôte » n'est pas dans le dictionnaire.\n";
        const QStringList tout{"@/site/propre.htm", "@/site/b.htm", "@/site/a.htm"};

        QTest::newRow("une de chaque sorte, triées par fichier et par position, le mot personnel connu")
            << "" << "config" << QStringList{"verifier"} + tout << 1 << debutA + lienA + masonA + erreurA + fauteB
            << "";
        QTest::newRow("le mot personnel inconnu d'un autre utilisateur")
            << "" << "vide" << QStringList{"verifier", "@/site/a.htm"} << 1
            << debutA + baliseA + lienA + masonA + erreurA << "";
        QTest::newRow("liste personnelle d'une copie portable")
            << "@/portable/balizo-outils" << "config" << QStringList{"verifier", "@/site/a.htm"} << 1
            << debutA + baliseA + lienA + erreurA << "";
        QTest::newRow("page sans problème") << "" << "config" << QStringList{"verifier", "@/site/propre.htm"} << 0
                                            << "" << "";
        QTest::newRow("ni balisage ni orthographe")
            << "" << "config" << QStringList{"verifier", "--balisage=non", "--orthographe=non"} + tout << 1 << lienA
            << "";
        QTest::newRow("fichier binaire, les autres vérifiés")
            << "" << "config" << QStringList{"verifier", "@/site/image.png", "@/site/b.htm"} << 2 << fauteB
            << "balizo-outils: @/site/image.png est un fichier binaire, pas une page HTML";
        QTest::newRow("fichier absent") << "" << "config" << QStringList{"verifier", "@/site/non.htm"} << 2 << ""
                                        << "balizo-outils: ne peut lire le fichier @/site/non.htm: ";
        QTest::newRow("dossier") << "" << "config" << QStringList{"verifier", "@/site"} << 2 << ""
                                 << "balizo-outils: @/site n'est pas un fichier ordinaire";
        QTest::newRow("dictionnaire absent")
            << "" << "config" << QStringList{"verifier", "--orthographe=de_DE", "@/site/a.htm"} << 2 << ""
            << "balizo-outils: le dictionnaire de_DE n'est pas installé (installés : ";
        QTest::newRow("entrée standard") << "" << "config" << QStringList{"verifier", "-"} << 2 << ""
                                         << "balizo-outils: verifier ne lit pas l'entrée standard";
        QTest::newRow("balisage ni oui ni non")
            << "" << "config" << QStringList{"verifier", "--balisage", "@/site/a.htm"} << 2 << ""
            << "balizo-outils: l'option --balisage demande oui ou non";
    }

    void verifier()
    {
        QFETCH(QString, programme);
        QFETCH(QString, configuration);
        QFETCH(QStringList, arguments);
        QFETCH(int, code);
        QFETCH(QString, sortie);
        QFETCH(QString, erreur);
        QProcessEnvironment environnement = QProcessEnvironment::systemEnvironment();
        environnement.insert("DICPATH", dossier.filePath("dictionnaires"));
        environnement.insert("XDG_CONFIG_HOME", dossier.filePath(configuration));
        QProcess processus;
        processus.setProcessEnvironment(environnement);
        processus.start(programme.isEmpty() ? OUTILS : programme.replace('@', dossier.path()),
                        arguments.replaceInStrings("@", dossier.path()));
        QVERIFY(processus.waitForFinished(60000));
        QCOMPARE(processus.exitStatus(), QProcess::NormalExit);
        const QString lu = QString::fromUtf8(processus.readAllStandardError());
        QCOMPARE(QString::fromUtf8(processus.readAllStandardOutput()), sortie.replace('@', dossier.path()));
        QVERIFY2(erreur.isEmpty() ? lu.isEmpty() : lu.startsWith(erreur.replace('@', dossier.path())), qPrintable(lu));
        QCOMPARE(processus.exitCode(), code);
    }
};

QTEST_GUILESS_MAIN(TstVerifier)
#include "tst_verifier.moc"
