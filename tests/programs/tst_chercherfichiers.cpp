// SPDX-License-Identifier: GPL-3.0-or-later
// balizo-outils chercher and remplacer run as a user runs them, through QProcess, in a small site: a UTF-8 page in
// CR LF, a Windows-1252 page in a sub-folder, a binary page and a text file that the filter leaves out.

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class TstChercherFichiers : public QObject {
    Q_OBJECT

    QTemporaryDir dossier;

    QByteArray Lance(const QStringList &arguments, int code)
    {
        QProcess processus;
        processus.setWorkingDirectory(dossier.filePath("site"));
        processus.start(OUTILS, arguments);
        if (!processus.waitForFinished(60000) || processus.exitCode() != code)
            return "code " + QByteArray::number(processus.exitCode()) + ": " + processus.readAllStandardError();
        return processus.readAllStandardOutput() + processus.readAllStandardError();
    }

    QByteArray Lit(const char *nom)
    {
        QFile f(dossier.filePath(nom));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<illisible>");
    }

private slots:
    void chercherPuisRemplacer()
    {
        QVERIFY(QDir(dossier.path()).mkpath("site/sous"));
        const std::pair<const char *, QByteArray> fichiers[] = {
            {"site/index.htm", "<p>Été, été</p>\r\n<p>x</p>\r\n"},
            {"site/sous/vieux.HTML", "<p>L'\xE9t\xE9 \xE0 Paris\n"},
            {"site/image.htm", QByteArray("GIF\0été", 8)},
            {"site/notes.txt", "été\n"}};
        for (const auto &[nom, octets] : fichiers) {
            QFile f(dossier.filePath(nom));
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(octets) == octets.size());
        }
        const QByteArray laisse = "balizo-outils: image.htm: laissé, fichier binaire\n";
        QCOMPARE(Lance({"chercher", "été"}, 0), "index.htm:1:4: <p>Été, été</p>\n"
                                                "index.htm:1:9: <p>Été, été</p>\n"
                                                "sous/vieux.HTML:1:6: <p>L'été à Paris\n" + laisse);
        QCOMPARE(Lance({"chercher", "--casse", "ÉTÉ", ".", "notes.txt"}, 1), "balizo-outils: ./" + laisse.mid(15));

        const QStringList remplacer{"remplacer", "--expression", "(é)t(é)", "\\2T\\1"};
        const QByteArray bilan = "3 remplacements dans 2 fichiers ; rien n'est écrit sans --ecrire.\n"
                                 "1 fichier laissé :\n  image.htm : fichier binaire\n";
        QCOMPARE(Lance(remplacer, 0), "index.htm:1:4: -<p>Été, été</p>\n"
                                      "index.htm:1:4: +<p>éTÉ, éTé</p>\n"
                                      "sous/vieux.HTML:1:6: -<p>L'été à Paris\n"
                                      "sous/vieux.HTML:1:6: +<p>L'éTé à Paris\n" + bilan);
        QCOMPARE(Lit("site/index.htm"), "<p>Été, été</p>\r\n<p>x</p>\r\n");
        QCOMPARE(Lance(QStringList(remplacer) << "--ecrire", 0),
                 "index.htm: 2 remplacements\nsous/vieux.HTML: 1 remplacement\n"
                 "2 fichiers modifiés, 3 remplacements.\n" + bilan.mid(bilan.indexOf('\n') + 1));
        QCOMPARE(Lit("site/index.htm"), "<p>éTÉ, éTé</p>\r\n<p>x</p>\r\n");
        QCOMPARE(Lit("site/sous/vieux.HTML"), "<p>L'\xE9T\xE9 \xE0 Paris\n");
    }
};

QTEST_APPLESS_MAIN(TstChercherFichiers)
#include "tst_chercherfichiers.moc"
