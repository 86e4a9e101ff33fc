// SPDX-License-Identifier: GPL-3.0-or-later
// balizo-outils chercher and remplacer run as a user runs them, through QProcess, in a small site.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Execution {
    int code = -1;
    QByteArray sortie;
    QByteArray erreur;
};

Execution Lance(const QString &dossier, const QStringList &arguments)
{
    QProcess processus;
    processus.setWorkingDirectory(dossier);
    processus.start(OUTILS, arguments);
    const bool fini = processus.waitForFinished(60000) && processus.exitStatus() == QProcess::NormalExit;
    return {fini ? processus.exitCode() : -1, processus.readAllStandardOutput(), processus.readAllStandardError()};
}

QByteArray Lit(const QString &chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<illisible>");
}

const QByteArray Index = "<p>Été, été</p>\r\n<p>rien</p>\r\n";
const QByteArray Vieux = "<p>L'\xE9t\xE9 \xE0 Paris</p>\n";

} // namespace

class TstChercherFichiers : public QObject {
    Q_OBJECT

    QTemporaryDir dossier;

    // A site: a UTF-8 page in CR LF, a Windows-1252 page in a sub-folder, a binary page and a text file.
    void Site()
    {
        QVERIFY(QDir(dossier.path()).mkpath("site/sous"));
        const std::pair<const char *, QByteArray> fichiers[] = {{"site/index.htm", Index},
                                                                {"site/sous/vieux.HTML", Vieux},
                                                                {"site/image.htm", QByteArray("GIF\0été", 8)},
                                                                {"site/notes.txt", "été\n"}};
        for (const auto &[nom, octets] : fichiers) {
            QFile f(dossier.filePath(nom));
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(octets) == octets.size());
        }
    }

private slots:
    void chercher_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("code");
        QTest::addColumn<QByteArray>("sortie");
        QTest::addColumn<QByteArray>("erreur");
        const QByteArray binaire = "balizo-outils: site/image.htm: laissé, fichier binaire\n";
        QTest::newRow("dans chaque encodage, les fichiers dans l'ordre")
            << QStringList{"chercher", "été", "site"} << 0
            << QByteArray("site/index.htm:1:4: <p>Été, été</p>\n"
                          "site/index.htm:1:9: <p>Été, été</p>\n"
                          "site/sous/vieux.HTML:1:6: <p>L'été à Paris</p>\n")
            << binaire;
        QTest::newRow("casse et fichier nommé hors du filtre")
            << QStringList{"chercher", "--casse", "été", "site/index.htm", "site/notes.txt"} << 0
            << QByteArray("site/index.htm:1:9: <p>Été, été</p>\nsite/notes.txt:1:1: été\n") << QByteArray();
        QTest::newRow("filtre et mot entier")
            << QStringList{"chercher", "--filtre=*.txt", "--mot-entier", "été", "site"} << 0
            << QByteArray("site/notes.txt:1:1: été\n") << QByteArray();
        QTest::newRow("rien de trouvé") << QStringList{"chercher", "hiver", "site"} << 1 << QByteArray() << binaire;
        QTest::newRow("expression incorrecte")
            << QStringList{"chercher", "--expression", "(été", "site"} << 2 << QByteArray()
            << QByteArray("balizo-outils: Expression régulière incorrecte : missing closing parenthesis "
                          "(position 4).\n");
        QTest::newRow("remplacer sans son remplacement") << QStringList{"remplacer", "été"} << 2 << QByteArray()
                                                         << QByteArray("balizo-outils: remplacer demande un TEXTE et "
                                                                       "son REMPLACEMENT\nEssayez « balizo-outils "
                                                                       "--help ».\n");
    }
    void chercher()
    {
        QFETCH(QStringList, arguments);
        Site();
        const Execution execution = Lance(dossier.path(), arguments);
        QTEST(execution.sortie, "sortie");
        QTEST(execution.erreur, "erreur");
        QTEST(execution.code, "code");
    }

    // remplacer shows the changes and writes nothing; with --ecrire it writes each file in its encoding and line
    // ends, and says what it left.
    void remplacer()
    {
        Site();
        const QStringList arguments{"remplacer", "--expression", "(é)t(é)", "\\2T\\1"};
        const Execution essai = Lance(dossier.filePath("site"), arguments);
        QCOMPARE(essai.sortie, QByteArray("index.htm:1:4: -<p>Été, été</p>\n"
                                          "index.htm:1:4: +<p>éTÉ, éTé</p>\n"
                                          "sous/vieux.HTML:1:6: -<p>L'été à Paris</p>\n"
                                          "sous/vieux.HTML:1:6: +<p>L'éTé à Paris</p>\n"
                                          "3 remplacements dans 2 fichiers ; rien n'est écrit sans --ecrire.\n"
                                          "1 fichier laissé :\n"
                                          "  image.htm : fichier binaire\n"));
        QCOMPARE(essai.code, 0);
        QCOMPARE(Lit(dossier.filePath("site/index.htm")), Index);

        const Execution ecrit = Lance(dossier.filePath("site"), QStringList(arguments) << "--ecrire");
        QCOMPARE(ecrit.sortie, QByteArray("index.htm: 2 remplacements\n"
                                          "sous/vieux.HTML: 1 remplacement\n"
                                          "2 fichiers modifiés, 3 remplacements.\n"
                                          "1 fichier laissé :\n"
                                          "  image.htm : fichier binaire\n"));
        QCOMPARE(ecrit.code, 0);
        QCOMPARE(Lit(dossier.filePath("site/index.htm")), QByteArray("<p>éTÉ, éTé</p>\r\n<p>rien</p>\r\n"));
        QCOMPARE(Lit(dossier.filePath("site/sous/vieux.HTML")), QByteArray("<p>L'\xE9T\xE9 \xE0 Paris</p>\n"));
    }
};

QTEST_APPLESS_MAIN(TstChercherFichiers)
#include "tst_chercherfichiers.moc"
