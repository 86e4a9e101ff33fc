// balizo-outils run as a user runs it, through QProcess, and its work on a page in pieces. In the arguments of the
// rows, "@" stands for the test's temporary folder.

#include "core/entities/Remplacement.h"
#include "programs/balizo-outils/Parallele.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/resource.h>

#include <csignal>

namespace {

struct Execution {
    int code = -1;
    QByteArray sortie;
    QByteArray erreur;
};

Execution Lance(const QStringList &arguments, const QByteArray &entree = {}, const QString &programme = OUTILS)
{
    QProcess processus;
    processus.start(programme, arguments);
    Execution execution;
    if (!processus.waitForStarted())
        return execution;
    processus.write(entree);
    processus.closeWriteChannel();
    if (processus.waitForFinished(60000) && processus.exitStatus() == QProcess::NormalExit)
        execution.code = processus.exitCode();
    execution.sortie = processus.readAllStandardOutput();
    execution.erreur = processus.readAllStandardError();
    return execution;
}

bool Ecrit(const QString &chemin, const QByteArray &octets)
{
    QFile fichier(chemin);
    return fichier.open(QIODevice::WriteOnly) && fichier.write(octets) == octets.size();
}

// Entity, character, meaning, correction flag, saved with a byte-order mark as some editors do. The alpha has no
// Windows-1252 byte; the ë has no row.
const QByteArray Table = "\xEF\xBB\xBF&eacute;\t\xC3\xA9\te accent aigu\tO\n"
                         "&agrave;\t\xC3\xA0\ta accent grave\tO\r\n"
                         "&oelig;\t\xC5\x93\te dans l'o\tO\n"
                         "\n"
                         "&alpha;\t\xCE\xB1\talpha grec\tN\n"
                         "&nbsp;\t\xC2\xA0\tespace ins\xC3\xA9" "cable\tN\n";

const QByteArray Marque = "\xEF\xBB\xBF";

} // namespace

class TstOutils : public QObject {
    Q_OBJECT

    QTemporaryDir dossier;
    QString accents;

    QStringList Arguments(QStringList arguments) const
    {
        arguments.replaceInStrings(QStringLiteral("@"), dossier.path());
        return arguments;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(dossier.isValid());
        accents = "--accents=" + dossier.filePath("Accents.txt");
        QVERIFY(Ecrit(dossier.filePath("Accents.txt"), Table));
        QVERIFY(Ecrit(dossier.filePath("page.htm"), "<p>page</p>\n"));
        // Tables that make a page grow past the limit on memory; the large page is done in pieces.
        QVERIFY(Ecrit(dossier.filePath("Doubles.txt"), QByteArray("aa\ta\t\tO\n").repeated(14)));
        QVERIFY(Ecrit(dossier.filePath("petite.htm"), QByteArray(1024, 'a')));
        QVERIFY(Ecrit(dossier.filePath("Septante.txt"), "a\t" + QByteArray(70, 'b') + "\n"));
        QVERIFY(Ecrit(dossier.filePath("grande.htm"), (QByteArray(63, 'a') + "\n").repeated(32 * 1024)));
    }

    // Each row runs three times: on a file, on standard input, and on standard input named "-".
    void transformations_data()
    {
        QTest::addColumn<QStringList>("commande");
        QTest::addColumn<QByteArray>("entree");
        QTest::addColumn<QByteArray>("attendu");
        const QStringList tags = {"supprimer-tags", accents};

        const std::pair<const char *, QByteArray> fins[] = {{"CR LF", "\r\n"}, {"LF", "\n"}, {"CR", "\r"}};
        for (const auto &[nom, fin] : fins) {
            QTest::addRow("supprimer-tags, fins %s", nom)
                << tags << "<html>" + fin + "<body>" + fin + "<h1>Un &eacute;t&eacute; &agrave; Lyon</h1>" + fin +
                               "<p>Fin</p></body></html>" + fin
                << "Un \xC3\xA9t\xC3\xA9 \xC3\xA0 Lyon" + fin + "Fin" + fin;
            QTest::addRow("supprimer-tableaux, fins %s", nom)
                << QStringList{"supprimer-tableaux"}
                << "<table border=\"1\">" + fin + "<tr><td>Un</td><td>Deux</td></tr>" + fin +
                       "</table><p>&eacute;t&eacute;</p>" + fin
                << "Un\tDeux" + fin + "<p>&eacute;t&eacute;</p>" + fin;
        }
        QTest::newRow("supprimer-tags: la première fin de ligne décide")
            << tags << QByteArray("<p>Un</p>\n<p>Deux</p>\r\n<p>Trois</p>\r") << QByteArray("Un\nDeux\nTrois\n");
        QTest::newRow("supprimer-tags: une seule ligne, finie par LF")
            << tags << QByteArray("<p>Seul</p>") << QByteArray("Seul\n");
        for (const auto &[mode, attendu] : {std::pair{"rien", "ab\n"}, {"espace", "a b\n"}, {"tabulation", "a\tb\n"}})
            QTest::addRow("remplacement %s", mode)
                << QStringList{"supprimer-tags", accents, "--remplacement=" + QString(mode)}
                << QByteArray("<p>a<br>b</p>\n") << QByteArray(attendu);
        QTest::newRow("sans restauration, sans table")
            << QStringList{"supprimer-tags", "--sans-restauration"} << QByteArray("<p>&eacute;t&eacute;</p>\n")
            << QByteArray("&eacute;t&eacute;\n");
        QTest::newRow("supprimer-tags UTF-8: l'alpha restauré")
            << tags << QByteArray("<p>&alpha;&nbsp;!</p>\n") << QByteArray("\xCE\xB1\xC2\xA0!\n");
        QTest::newRow("supprimer-tags Windows-1252: octets gardés, l'alpha non restauré")
            << tags << QByteArray("<p>&eacute;t\xE9 &alpha;&nbsp;!</p>\n") << QByteArray("\xE9t\xE9 &alpha;\xA0!\n");

        const QStringList corriger = {"corriger-accents", accents};
        const QStringList restaurer = {"restaurer-accents", accents};
        QTest::newRow("corriger UTF-8: fins de ligne intactes")
            << corriger << QByteArray("<p>\xC3\xA9t\xC3\xA9 \xC3\xA0 No\xC3\xABl</p>\r\n<p>c\xC5\x93ur</p>\n\r")
            << QByteArray("<p>&eacute;t&eacute; &agrave; No\xC3\xABl</p>\r\n<p>c&oelig;ur</p>\n\r");
        // The ë keeps the corrected page in Windows-1252, so that restoring gives back the very bytes.
        const QByteArray windows1252 = "<p>\xE9t\xE9 \xE0 No\xEBl, c\x9Cur</p>\r\n";
        const QByteArray corrigee = "<p>&eacute;t&eacute; &agrave; No\xEBl, c&oelig;ur</p>\r\n";
        QTest::newRow("corriger Windows-1252") << corriger << windows1252 << corrigee;
        QTest::newRow("restaurer Windows-1252: octets d'origine") << restaurer << corrigee << windows1252;
        QTest::newRow("corriger: marque gardée")
            << corriger << Marque + "<p>\xC3\xA9t\xC3\xA9</p>" << Marque + "<p>&eacute;t&eacute;</p>";

        QTest::newRow("ancres") << QStringList{"ancres"}
                                << QByteArray("<a name=\"haut\"></a>\r\n<p>Texte <A NAME=bas>ici</A></p>\r\n")
                                << QByteArray("haut\nbas\n");
        QTest::newRow("ancres: aucune") << QStringList{"ancres"} << QByteArray("<p>rien</p>\n") << QByteArray();

        // Pages of several megabytes: standard input arrives in pieces and beyond any first guess of its size, and
        // the page is checked and transformed in pieces, on several cores when there are.
        QByteArray page, texte, texteWindows1252;
        for (int i = 0; page.size() < 3 * 1024 * 1024; ++i) {
            const QByteArray numero = QByteArray::number(i);
            page += "<p>Ligne " + numero + " &eacute;t&eacute;</p>\r\n";
            texte += "Ligne " + numero + " \xC3\xA9t\xC3\xA9\r\n";
            texteWindows1252 += "Ligne " + numero + " \xE9t\xE9\r\n";
        }
        QByteArray restauree = page;
        restauree.replace("&eacute;", "\xC3\xA9");
        QTest::newRow("grande page: restaurer, UTF-8") << restaurer << page << restauree;
        restauree = page;
        restauree.replace("&eacute;", "\xE9");
        QTest::newRow("grande page: restaurer, Windows-1252 par le dernier octet")
            << restaurer << page + "\xE0" << restauree + "\xE0";
        QTest::newRow("grande page: supprimer-tags, marque et UTF-8") << tags << Marque + page << Marque + texte;
        // The mark's bytes are then text of the first line.
        QTest::newRow("grande page: supprimer-tags, marque puis Windows-1252 à la fin")
            << tags << Marque + page + "\xE0" << Marque + texteWindows1252 + "\xE0\r\n";
    }

    void transformations()
    {
        QFETCH(QStringList, commande);
        QFETCH(QByteArray, entree);
        QFETCH(QByteArray, attendu);
        const QString page = dossier.filePath("entree.htm");
        QVERIFY(Ecrit(page, entree));
        const Execution executions[] = {Lance(commande + QStringList{page}), Lance(commande, entree),
                                        Lance(commande + QStringList{"-"}, entree)};
        for (const Execution &execution : executions) {
            QCOMPARE(execution.erreur, QByteArray());
            QCOMPARE(execution.code, 0);
            QCOMPARE(execution.sortie, attendu);
        }
    }

    // As many pieces as asked, whatever the cores. Every cut would fall on the first byte of a character of three
    // bytes, and must move on to the end of its line.
    void morceaux_data()
    {
        QTest::addColumn<int>("nombre");
        QTest::newRow("deux morceaux") << 2;
        QTest::newRow("sept morceaux") << 7;
    }

    void morceaux()
    {
        QFETCH(int, nombre);
        // Lines of 101 bytes, three a piece.
        const QByteArray page = (QByteArray("€é").repeated(20) + "\n").repeated(3 * nombre);
        const QByteArray attendu = (QByteArray("&euro;&eacute;").repeated(20) + "\n").repeated(3 * nombre);
        const std::string_view texte(page.constData(), page.size());
        QVERIFY(ValidationUtf8(texte, nombre).Valide());
        const SerieRemplacements correction({{"€", "&euro;"}, {"é", "&eacute;"}});
        const std::vector<std::string> morceaux = AppliqueEnMorceaux(correction, texte, nombre);
        QCOMPARE(morceaux.size(), std::size_t(nombre));
        std::string corrigee;
        for (const std::string &morceau : morceaux)
            corrigee += morceau;
        QVERIFY(QByteArray::fromStdString(corrigee) == attendu);
    }

    void cheminRelatif()
    {
        const Execution execution = Lance({"chemin-relatif", "/site/img/logo.gif", "/site/pages/a.htm"});
        QCOMPARE(execution.code, 0);
        QCOMPARE(execution.sortie, QByteArray("../img/logo.gif\n"));
    }

    // Found beside the program first, then in ../share/balizo.
    void tableParDefaut()
    {
        QVERIFY(QDir(dossier.path()).mkpath("bin") && QDir(dossier.path()).mkpath("share/balizo"));
        const QString copie = dossier.filePath("bin/balizo-outils");
        QVERIFY(QFile::copy(OUTILS, copie));
        QVERIFY(QFile::setPermissions(copie, QFile::permissions(OUTILS)));
        QVERIFY(Ecrit(dossier.filePath("bin/Accents.txt"), "&eacute;\t\xC3\xA9\t\tO\n"));
        QVERIFY(Ecrit(dossier.filePath("share/balizo/Accents.txt"), "&#233;\t\xC3\xA9\t\tO\n"));
        QCOMPARE(Lance({"corriger-accents"}, "\xC3\xA9t\xC3\xA9", copie).sortie, QByteArray("&eacute;t&eacute;"));
        QVERIFY(QFile::remove(dossier.filePath("bin/Accents.txt")));
        QCOMPARE(Lance({"corriger-accents"}, "\xC3\xA9t\xC3\xA9", copie).sortie, QByteArray("&#233;t&#233;"));
    }

    void erreurs_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");
        QTest::newRow("fichier absent") << QStringList{"supprimer-tableaux", "@/absent.htm"}
                                        << "ne peut ouvrir le fichier @/absent.htm: ";
        QTest::newRow("dossier") << QStringList{"ancres", "@"} << "ne peut ouvrir le fichier @: ";
        QTest::newRow("option inconnue") << QStringList{"supprimer-tableaux", "--x", "@/page.htm"}
                                         << "option inconnue: --x";
        QTest::newRow("option d'une autre commande") << QStringList{"ancres", "--sans-restauration", "@/page.htm"}
                                                     << "option inconnue: --sans-restauration";
        QTest::newRow("remplacement inconnu") << QStringList{"supprimer-tags", "--remplacement=virgule", "@/page.htm"}
                                              << "remplacement inconnu: virgule (rien, espace ou tabulation)";
        QTest::newRow("remplacement sans valeur") << QStringList{"supprimer-tags", "--remplacement", "@/page.htm"}
                                                  << "--remplacement demande une valeur";
        QTest::newRow("table des accents absente") << QStringList{"corriger-accents", "--accents=@/non.txt", "@/page.htm"}
                                                   << "ne peut ouvrir la table des accents @/non.txt: ";
        QTest::newRow("commande inconnue") << QStringList{"effacer", "@/page.htm"} << "commande inconnue: effacer";
        QTest::newRow("option avant la commande") << QStringList{"--x", "ancres"} << "option inconnue: --x";
        QTest::newRow("chemin-relatif sans base") << QStringList{"chemin-relatif", "/a.htm"}
                                                  << "chemin-relatif demande deux arguments";
        QTest::newRow("chemin-relatif à trois arguments") << QStringList{"chemin-relatif", "/a", "/b", "/c"}
                                                          << "chemin-relatif demande deux arguments";
        QTest::newRow("deux fichiers") << QStringList{"ancres", "@/page.htm", "@/page.htm"} << "trop d'arguments";
        QTest::newRow("mémoire insuffisante, petite page aux lignes qui doublent le texte")
            << QStringList{"corriger-accents", "--accents=@/Doubles.txt", "@/petite.htm"} << "mémoire insuffisante";
        QTest::newRow("mémoire insuffisante, grande page 70 fois plus longue")
            << QStringList{"restaurer-accents", "--accents=@/Septante.txt", "@/grande.htm"} << "mémoire insuffisante";
    }

    void erreurs()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        const Execution execution = Lance(Arguments(arguments), "<p>entr\xC3\xA9" "e</p>\n");
        QCOMPARE(execution.code, 2);
        QCOMPARE(execution.sortie, QByteArray());
        const QString erreur = QString::fromUtf8(execution.erreur);
        QVERIFY2(erreur.startsWith("balizo-outils: ") && erreur.contains(message.replace('@', dossier.path())),
                 qPrintable(erreur));
    }

    // Standard output is a file, and the write goes past the process's limit on file sizes: the refusal is reported,
    // whatever the disposition of SIGXFSZ that the tool inherits.
    void ecritureRefusee_data()
    {
        QTest::addColumn<bool>("signalIgnore");
        QTest::newRow("SIGXFSZ ignoré") << true;
        QTest::newRow("SIGXFSZ par défaut") << false;
    }

    void ecritureRefusee()
    {
        QFETCH(bool, signalIgnore);
        constexpr rlim_t Limite = 4096;
        const QString page = dossier.filePath("longue.htm");
        const QString sortie = dossier.filePath("sortie.txt");
        QVERIFY(Ecrit(page, QByteArray("<p>Une ligne de texte assez longue.</p>\n").repeated(1000)));
        QProcess processus;
        processus.setChildProcessModifier([signalIgnore] {
            const rlimit limite{Limite, Limite};
            setrlimit(RLIMIT_FSIZE, &limite);
            signal(SIGXFSZ, signalIgnore ? SIG_IGN : SIG_DFL);
        });
        processus.setStandardOutputFile(sortie);
        processus.start(OUTILS, {"supprimer-tableaux", page});
        QVERIFY(processus.waitForFinished(60000));
        QCOMPARE(processus.exitStatus(), QProcess::NormalExit);
        QCOMPARE(processus.exitCode(), 1);
        QVERIFY(processus.readAllStandardError().startsWith("balizo-outils: ne peut écrire sur la sortie standard: "));
        QVERIFY(QFileInfo(sortie).size() <= qint64(Limite));
    }

    void aide_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("sans argument") << QStringList();
        QTest::newRow("--help") << QStringList{"--help"};
        QTest::newRow("-h") << QStringList{"-h"};
        QTest::newRow("aide d'une commande") << QStringList{"supprimer-tags", "--remplacement=espace", "--help"};
    }

    void aide()
    {
        QFETCH(QStringList, arguments);
        const Execution execution = Lance(arguments);
        QCOMPARE(execution.code, 0);
        QCOMPARE(execution.erreur, QByteArray());
        QVERIFY(execution.sortie.startsWith("Usage : balizo-outils COMMANDE"));
    }
};

QTEST_GUILESS_MAIN(TstOutils)
#include "tst_outils.moc"
