// SPDX-License-Identifier: GPL-3.0-or-later
// balizo-outils run as a user runs it, through QProcess, its reading of files and its work on a page in pieces. In
// the arguments of the rows, "@" stands for the test's temporary folder.

#include "core/entities/Remplacement.h"
#include "programs/balizo-outils/Lecture.h"
#include "programs/balizo-outils/Parallele.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <random>

namespace {

struct Execution {
    int code = -1;
    QByteArray sortie;
    QByteArray erreur;

    // The exit code and standard output in one text, which a failed comparison shows whole.
    QByteArray Resume() const { return QByteArray::number(code) + ": " + sortie; }
};

Execution Lance(const QStringList &arguments, const QByteArray &entree = {}, const QString &programme = OUTILS,
                const QProcessEnvironment &environnement = QProcessEnvironment::systemEnvironment())
{
    QProcess processus;
    processus.setProcessEnvironment(environnement);
    processus.start(programme, arguments);
    processus.write(entree);
    processus.closeWriteChannel();
    const bool fini = processus.waitForFinished(60000) && processus.exitStatus() == QProcess::NormalExit;
    return {fini ? processus.exitCode() : -1, processus.readAllStandardOutput(), processus.readAllStandardError()};
}

bool Ecrit(const QString &chemin, const QByteArray &octets)
{
    QFile fichier(chemin);
    return fichier.open(QIODevice::WriteOnly) && fichier.write(octets) == octets.size();
}

const QByteArray Marque = "\xEF\xBB\xBF";

std::string Joint(const std::vector<std::string> &morceaux)
{
    std::string texte;
    for (const std::string &morceau : morceaux)
        texte += morceau;
    return texte;
}

// Two stages, as the accent table's restoration: "&amp;lt;" gives "<".
const SerieRemplacements EntitesRestaurees({{"&eacute;", "\xC3\xA9"}, {"&amp;", "&"}, {"&lt;", "<"}});

} // namespace

class TstOutils : public QObject {
    Q_OBJECT

    QTemporaryDir dossier;
    QString accents;

private slots:
    void initTestCase()
    {
        QVERIFY(dossier.isValid());
        accents = "--accents=" + dossier.filePath("Accents.txt");
        // Entity, character, meaning, correction flag, saved with a byte-order mark as some editors do. The alpha has
        // no Windows-1252 byte; the ë has no row. Doubles.txt and Septante.txt make a page grow past the limit on
        // memory; the large page is done in pieces.
        const std::pair<const char *, QByteArray> fichiers[] = {
            {"Accents.txt", Marque + "&eacute;\t\xC3\xA9\te accent aigu\tO\n&agrave;\t\xC3\xA0\t\tO\r\n"
                                     "&oelig;\t\xC5\x93\t\tO\n\n&alpha;\t\xCE\xB1\talpha grec\tN\n&nbsp;\t\xC2\xA0\t\tN\n"},
            {"page.htm", "<p>page</p>\n"},
            {"Doubles.txt", QByteArray("aa\ta\t\tO\n").repeated(14)},
            {"petite.htm", QByteArray(1024, 'a')},
            {"Septante.txt", "a\t" + QByteArray(70, 'b') + "\n"},
            {"grande.htm", (QByteArray(63, 'a') + "\n").repeated(32 * 1024)},
        };
        for (const auto &[nom, contenu] : fichiers)
            QVERIFY(Ecrit(dossier.filePath(nom), contenu));
    }

    // Each row runs three times: on a file, on standard input, and on standard input named "-".
    void transformations_data()
    {
        QTest::addColumn<QStringList>("commande");
        QTest::addColumn<QByteArray>("entree");
        QTest::addColumn<QByteArray>("attendu");
        const auto ligne = [](const char *nom, const QStringList &commande, const QByteArray &entree,
                              const QByteArray &attendu) { QTest::newRow(nom) << commande << entree << attendu; };
        const QStringList tags = {"supprimer-tags", accents};
        for (const auto &[nom, fin] : {std::pair{"CR LF", "\r\n"}, {"LF", "\n"}, {"CR", "\r"}})
            QTest::addRow("supprimer-tags: la première fin de ligne, %s, décide", nom)
                << tags << "<html>" + QByteArray(fin) + "<h1>Un &eacute;t&eacute; &agrave; Lyon</h1>\n<p>Fin</p>\r"
                << "Un \xC3\xA9t\xC3\xA9 \xC3\xA0 Lyon" + QByteArray(fin) + "Fin" + fin;
        ligne("supprimer-tableaux", {"supprimer-tableaux"},
              "<table border=\"1\">\r\n<tr><td>Un</td><td>Deux</td></tr>\r\n</table><p>&eacute;</p>\r\n",
              "Un\tDeux\r\n<p>&eacute;</p>\r\n");
        ligne("supprimer-tags: une seule ligne, finie par LF", tags, "<p>Seul</p>", "Seul\n");
        for (const auto &[mode, attendu] : {std::pair{"rien", "ab\n"}, {"espace", "a b\n"}, {"tabulation", "a\tb\n"}})
            QTest::addRow("remplacement %s", mode) << QStringList{"supprimer-tags", accents, "--remplacement=" + QString(mode)}
                                                   << QByteArray("<p>a<br>b</p>\n") << QByteArray(attendu);
        // Without a table the encoding still tells whether the leading bytes are a mark, or text.
        const QStringList brut = {"supprimer-tags", "--sans-restauration"};
        ligne("sans restauration ni table: marque gardée", brut, Marque + "<p>\xC3\xA9&eacute;</p>\n",
              Marque + "\xC3\xA9&eacute;\n");
        ligne("sans restauration, Windows-1252: les octets de la marque sont du texte", brut, Marque + "<p>\xE9</p>\n",
              Marque + "\xE9\n");
        // Each 'a' restored as 70 'b': within the floor that spares small pages.
        ligne("supprimer-tags, petite page 70 fois plus longue",
              {"supprimer-tags", "--accents=" + dossier.filePath("Septante.txt")}, "<p>aa</p>\n", QByteArray(140, 'b') + "\n");
        ligne("supprimer-tags UTF-8: l'alpha restauré", tags, "<p>&alpha;&nbsp;!</p>\n", "\xCE\xB1\xC2\xA0!\n");
        ligne("supprimer-tags Windows-1252: octets gardés, l'alpha non restauré", tags,
              "<p>&eacute;t\xE9 &alpha;&nbsp;!</p>\n", "\xE9t\xE9 &alpha;\xA0!\n");

        const QStringList corriger = {"corriger-accents", accents};
        const QStringList restaurer = {"restaurer-accents", accents};
        ligne("corriger UTF-8: fins de ligne intactes", corriger,
              "<p>\xC3\xA9t\xC3\xA9 \xC3\xA0 No\xC3\xABl</p>\r\n<p>c\xC5\x93ur</p>\n\r",
              "<p>&eacute;t&eacute; &agrave; No\xC3\xABl</p>\r\n<p>c&oelig;ur</p>\n\r");
        // The ë keeps the corrected page in Windows-1252, so that restoring gives back the very bytes.
        const QByteArray windows1252 = "<p>\xE9t\xE9 \xE0 No\xEBl, c\x9Cur</p>\r\n";
        const QByteArray corrigee = "<p>&eacute;t&eacute; &agrave; No\xEBl, c&oelig;ur</p>\r\n";
        ligne("corriger Windows-1252", corriger, windows1252, corrigee);
        ligne("restaurer Windows-1252: octets d'origine", restaurer, corrigee, windows1252);
        ligne("corriger: marque gardée", corriger, Marque + "<p>\xC3\xA9</p>", Marque + "<p>&eacute;</p>");
        ligne("ancres", {"ancres"}, "<a name=\"haut\"></a>\r\n<p><A NAME=bas>ici</A></p>", "haut\nbas\n");

        // A minified page's long line is cut before every tag, all of blocks, in the page's line end; its bytes and
        // its mark are kept.
        const QByteArray minifiee = QByteArray("<div><p>Un \xE9t\xE9</p><br></div>").repeated(5000);
        const QStringList couper = {"couper-lignes"};
        ligne("couper-lignes, CR LF", couper, "<html>\r\n" + minifiee + "\r\n",
              "<html>\r\n" + QByteArray(minifiee).replace("<", "\r\n<").mid(2) + "\r\n");
        ligne("couper-lignes, marque et aucune fin de ligne", couper, Marque + minifiee,
              Marque + QByteArray(minifiee).replace("<", "\n<").mid(1));
        ligne("couper-lignes --seuil", {"couper-lignes", "--seuil=10"}, "<p>un</p><p>deux</p>\n<p>x</p>\n",
              "<p>un\n</p>\n<p>deux\n</p>\n<p>x</p>\n");
        const QByteArray sansBloc = "<p>court</p>\r\n" + QByteArray("<b>mot</b> ").repeated(10000) + "\r\n<div>x</div>";
        ligne("couper-lignes, rien à couper", couper, sansBloc, sansBloc);

        // Pages of several megabytes: standard input arrives in pieces and beyond any first guess of its size, and
        // the page is checked and transformed in pieces, on several cores when there are.
        QByteArray page, texte, texteWindows1252;
        for (int i = 0; page.size() < 3 * 1024 * 1024; ++i) {
            const QByteArray numero = QByteArray::number(i);
            page += "<p>Ligne " + numero + " &eacute;t&eacute;</p>\r\n";
            texte += "Ligne " + numero + " \xC3\xA9t\xC3\xA9\r\n";
            texteWindows1252 += "Ligne " + numero + " \xE9t\xE9\r\n";
        }
        ligne("grande page: restaurer, UTF-8", restaurer, page, QByteArray(page).replace("&eacute;", "\xC3\xA9"));
        ligne("grande page: restaurer, Windows-1252 par le dernier octet", restaurer, page + "\xE0",
              QByteArray(page).replace("&eacute;", "\xE9") + "\xE0");
        ligne("grande page: supprimer-tags, marque et UTF-8", tags, Marque + page, Marque + texte);
        // The mark's bytes are then text of the first line.
        ligne("grande page: supprimer-tags, marque puis Windows-1252 à la fin", tags, Marque + page + "\xE0",
              Marque + texteWindows1252 + "\xE0\r\n");
    }

    void transformations()
    {
        QFETCH(QStringList, commande);
        QFETCH(QByteArray, entree);
        QFETCH(QByteArray, attendu);
        const QString page = dossier.filePath("entree.htm");
        QVERIFY(Ecrit(page, entree));
        for (const Execution &execution :
             {Lance(commande + QStringList{page}), Lance(commande, entree), Lance(commande + QStringList{"-"}, entree)}) {
            QCOMPARE(execution.erreur + execution.Resume(), "0: " + attendu);
        }
    }

    // Valid UTF-8 checked in pieces is valid wherever the cuts fall, and a stray continuation byte is found: random
    // lines of characters of two to four bytes whose continuation bytes include 0x80 ("À", "’", "ꀀ"), every cut
    // tried. The accents corrected in pieces cut at line ends are those of the whole text.
    void morceaux()
    {
        std::mt19937 hasard(4);
        const std::vector<std::string_view> jetons = {"a", "\n", "\xC3\x80", "\xE2\x80\x99", "\xE2\x82\xAC",
                                                      "\xEA\x80\x80", "\xF0\x90\x80\x80"};
        const SerieRemplacements correction({{"\xC3\x80", "&Agrave;"}, {"\xE2\x82\xAC", "&euro;"}});
        for (int essai = 0; essai < 40; ++essai) {
            std::string texte;
            for (std::size_t i = 0, n = 1 + hasard() % 24; i < n; ++i)
                texte += jetons[hasard() % jetons.size()];
            std::string invalide = texte;
            invalide.insert(hasard() % (texte.size() + 1), 1, '\x80');
            for (std::size_t nombre = 2; nombre <= texte.size(); ++nombre) {
                const bool juste = ValidationUtf8(texte, nombre).Valide() && !ValidationUtf8(invalide, nombre).Valide() &&
                                   Joint(AppliqueEnMorceaux(correction, texte, nombre)) == correction.Applique(texte);
                QVERIFY2(juste, qPrintable(QString("%1 morceaux de: %2").arg(nombre).arg(
                                    QString::fromLatin1(QByteArray::fromStdString(texte).toPercentEncoding()))));
            }
        }
        // As many pieces as asked, whatever the cores.
        QCOMPARE(AppliqueEnMorceaux(correction, std::string(21, '\n'), 7).size(), std::size_t(7));
    }

    // A regular file is mapped, and the view is its bytes; cut shorter while mapped, the bytes past its new end read
    // as zeros without ending the process, and the cut is told. Pages of 4096 bytes or more: a cut before the last
    // page makes the next bytes fault, a cut within it does not.
    void projection_data()
    {
        QTest::addColumn<int>("taille");
        QTest::addColumn<int>("coupe");
        QTest::newRow("coupé avant sa dernière page") << 3 * 4096 + 100 << 4096 + 10;
        QTest::newRow("coupé dans sa dernière page") << 3 * 4096 + 100 << 3 * 4096 + 50;
        QTest::newRow("vidé") << 3 * 4096 + 100 << 0;
        QTest::newRow("fichier vide, lu") << 0 << -1;
    }

    void projection()
    {
        QFETCH(int, taille);
        QFETCH(int, coupe);
        const QByteArray contenu = QByteArray("abcdefghijklmnopqrstuvwxyz").repeated(taille / 26 + 1).left(taille);
        const QString chemin = dossier.filePath("projete.htm");
        QVERIFY(Ecrit(chemin, contenu));
        const int fd = open(QFile::encodeName(chemin).constData(), O_RDONLY);
        QVERIFY(fd >= 0);
        Octets octets;
        QCOMPARE(octets.Lit(fd, true), 0);
        close(fd);
        if (coupe >= 0)
            QVERIFY(QFile::resize(chemin, coupe));
        const std::string_view vue = octets.Vue();
        QCOMPARE(vue.size(), std::size_t(taille));
        // Every byte read, as the transformations read them.
        const QByteArray lus(vue.data(), qsizetype(vue.size()));
        QCOMPARE(octets.Tronque(), coupe >= 0);
        QCOMPARE(lus.left(coupe < 0 ? taille : coupe), contenu.left(coupe < 0 ? taille : coupe));
    }

    // Standard input is read from where it stands, past the bytes that a command before the tool took.
    void lecture()
    {
        const QString page = dossier.filePath("ancres.htm");
        QVERIFY(Ecrit(page, "<a name=\"un\"></a><a name=\"deux\"></a>"));
        QProcess processus;
        processus.setStandardInputFile(page);
        processus.start("sh", {"-c", "dd bs=5 count=1 of=/dev/null 2>/dev/null && exec \"$0\" ancres", OUTILS});
        QVERIFY(processus.waitForFinished(60000));
        QCOMPARE(processus.exitCode(), 0);
        QCOMPARE(processus.readAllStandardOutput(), QByteArray("deux\n"));
    }

    // Another program cuts the file to half its size right after the tool maps it (a library loaded into the tool
    // does it): the tool neither stops on SIGBUS nor gives the old bytes or zeros, but the file as it now is, the
    // cut found by the signal for a large file, by the file's size for a small one. When the file gets its bytes
    // back before the tool looks at its size again, the signal alone tells that zeros were read in their place.
    void fichierCoupe_data()
    {
        QTest::addColumn<int>("lignes");
        QTest::addColumn<bool>("passagere");
        QTest::newRow("grand fichier") << 20000 << false;
        QTest::newRow("dans une page") << 100 << false;
        QTest::newRow("grand fichier, rendu avant la fin") << 20000 << true;
    }

    void fichierCoupe()
    {
        QFETCH(int, lignes);
        QFETCH(bool, passagere);
        QByteArray page;
        for (int i = 0; i < lignes; ++i)
            page += "<p>Ligne " + QByteArray::number(i) + "</p>\r\n";
        const QString coupe = dossier.filePath("coupe.htm");
        const QString lue = dossier.filePath("lue.htm");
        const QByteArray restante = passagere ? page : page.left(page.size() / 2);
        QVERIFY(Ecrit(coupe, page) && Ecrit(lue, restante));
        QProcessEnvironment environnement = QProcessEnvironment::systemEnvironment();
        environnement.insert("LD_PRELOAD", TRONQUE);
        environnement.insert("FICHIER_A_COUPER", QFileInfo(coupe).canonicalFilePath());
        if (passagere)
            environnement.insert("COUPE_PASSAGERE", "1");
        const QStringList commande = {"supprimer-tags", "--sans-restauration"};
        const Execution execution = Lance(commande + QStringList{coupe}, {}, OUTILS, environnement);
        QCOMPARE(QFileInfo(coupe).size(), restante.size());
        QCOMPARE(execution.erreur + execution.Resume(), Lance(commande + QStringList{lue}).Resume());
        QVERIFY(!execution.sortie.contains('\0'));
    }

    // Tags out of a page in pieces are those out of the whole page, restored or not, whatever the cuts: random pages
    // with tags over several lines, runs of empty lines, blanks and CR LF where cuts may fall.
    void supprimeTagsEnMorceaux_data()
    {
        QTest::addColumn<QByteArray>("fin");
        QTest::addColumn<int>("remplacement");
        for (const auto &[nom, fin] : {std::pair{"CR LF", "\r\n"}, {"LF", "\n"}, {"CR", "\r"}})
            for (const auto &[mode, remplacement] : {std::pair{"rien", RemplacementTag::Rien},
                                                     {"espace", RemplacementTag::Espace},
                                                     {"tabulation", RemplacementTag::Tabulation}})
                QTest::addRow("%s, %s", nom, mode) << QByteArray(fin) << int(remplacement);
    }

    void supprimeTagsEnMorceaux()
    {
        QFETCH(QByteArray, fin);
        QFETCH(int, remplacement);
        const std::string_view finDeLigne(fin.constData(), std::size_t(fin.size()));
        const auto mode = RemplacementTag(remplacement);
        std::mt19937 hasard(77u + unsigned(fin.size() * 3 + remplacement));
        const std::vector<std::string_view> jetons = {"<", ">", "<p>", "</p>", "<a\nhref=x>", " ", "\t", "  ", "mot",
                                                      "\n", "\r\n", "\r", "\n\n\n", "\r\n \r\n", "&eacute;", "&eac",
                                                      "ute;", "&amp;lt;", "<b>\t</b>"};
        std::size_t plusieurs = 0;
        for (int essai = 0; essai < 300; ++essai) {
            std::string texte;
            for (std::size_t i = 0, n = hasard() % 600; i < n; ++i)
                texte += jetons[hasard() % jetons.size()];
            const SerieRemplacements *serie = essai % 3 ? &EntitesRestaurees : nullptr;
            std::string attendu = SupprimeTags(texte, mode, finDeLigne);
            if (serie)
                attendu = serie->Applique(attendu);
            for (const std::size_t nombre : {2, 3, 7, 40}) {
                const std::vector<std::string> morceaux =
                    SupprimeTagsEnMorceaux(texte, mode, finDeLigne, serie, nombre);
                plusieurs += morceaux.size() > 1;
                if (Joint(morceaux) != attendu)
                    QFAIL(qPrintable(QString("%1 morceaux de: %2").arg(nombre).arg(
                        QString::fromLatin1(QByteArray::fromStdString(texte).toPercentEncoding(" <>&;=")))));
            }
        }
        QVERIFY(plusieurs > 600);
    }

    // Found beside the program first, then in ../share/balizo, the two folders that the help names where they are.
    void tableParDefaut()
    {
        QVERIFY(QDir(dossier.path()).mkpath("bin") && QDir(dossier.path()).mkpath("share/balizo"));
        const QString copie = dossier.filePath("bin/balizo-outils");
        QVERIFY(QFile::copy(OUTILS, copie));
        const QString racine = QDir(dossier.path()).canonicalPath();
        const QByteArray dossiers = "\n                          " + racine.toUtf8() + "/bin\n                          " +
                                    racine.toUtf8() + "/share/balizo\n  --";
        QVERIFY(Lance({"--help"}, {}, copie).sortie.contains(dossiers));
        QVERIFY(Ecrit(dossier.filePath("bin/Accents.txt"), "&eacute;\t\xC3\xA9\t\tO\n"));
        QVERIFY(Ecrit(dossier.filePath("share/balizo/Accents.txt"), "&#233;\t\xC3\xA9\t\tO\n"));
        QCOMPARE(Lance({"corriger-accents"}, "\xC3\xA9t\xC3\xA9", copie).sortie, QByteArray("&eacute;t&eacute;"));
        QVERIFY(QFile::remove(dossier.filePath("bin/Accents.txt")));
        QCOMPARE(Lance({"corriger-accents"}, "\xC3\xA9t\xC3\xA9", copie).sortie, QByteArray("&#233;t&#233;"));
    }

    // Code 0 with its output's beginning, or code 2 with nothing on standard output and a message on standard error.
    void executions_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("debut");
        const auto ligne = [](const char *nom, const QStringList &arguments, const char *debut) {
            QTest::newRow(nom) << arguments << QString(debut);
        };
        ligne("sans argument: aide", {}, "Usage : balizo-outils COMMANDE");
        ligne("-h", {"-h"}, "Usage : balizo-outils COMMANDE");
        ligne("version", {"--version"}, "balizo-outils " BALIZO_VERSION "\n");
        ligne("aide d'une commande", {"supprimer-tags", "--remplacement=espace", "--help"}, "Usage : balizo-outils COMMANDE");
        ligne("chemin-relatif", {"chemin-relatif", "/site/img/logo.gif", "/site/pages/a.htm"}, "../img/logo.gif\n");
        ligne("fichier absent", {"supprimer-tableaux", "@/absent.htm"}, "ne peut ouvrir le fichier @/absent.htm: ");
        ligne("dossier", {"ancres", "@"}, "ne peut ouvrir le fichier @: ");
        ligne("option inconnue", {"supprimer-tableaux", "--x", "@/page.htm"}, "option inconnue: --x");
        ligne("option d'une autre commande", {"ancres", "--sans-restauration", "@/page.htm"}, "option inconnue: --sans-restauration");
        ligne("remplacement inconnu", {"supprimer-tags", "--remplacement=virgule", "@/page.htm"},
              "remplacement inconnu: virgule (rien, espace ou tabulation)");
        ligne("remplacement sans valeur", {"supprimer-tags", "--remplacement", "@/page.htm"}, "--remplacement demande une valeur");
        ligne("table des accents absente", {"corriger-accents", "--accents=@/non.txt", "@/page.htm"},
              "ne peut ouvrir la table des accents @/non.txt: ");
        ligne("seuil invalide", {"couper-lignes", "--seuil=-1", "@/page.htm"}, "--seuil demande un nombre d'octets");
        ligne("commande inconnue", {"effacer", "@/page.htm"}, "commande inconnue: effacer");
        ligne("option avant la commande", {"--x", "ancres"}, "option inconnue: --x");
        ligne("chemin-relatif sans base", {"chemin-relatif", "/a.htm"}, "chemin-relatif demande deux arguments");
        ligne("deux fichiers", {"ancres", "@/page.htm", "@/page.htm"}, "trop d'arguments");
        ligne("mémoire insuffisante, petite page aux lignes qui doublent le texte",
              {"corriger-accents", "--accents=@/Doubles.txt", "@/petite.htm"}, "mémoire insuffisante");
        ligne("mémoire insuffisante, grande page 70 fois plus longue",
              {"restaurer-accents", "--accents=@/Septante.txt", "@/grande.htm"}, "mémoire insuffisante");
        ligne("mémoire insuffisante, grande page sans tags 70 fois plus longue",
              {"supprimer-tags", "--accents=@/Septante.txt", "@/grande.htm"}, "mémoire insuffisante");
    }

    void executions()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, debut);
        const Execution execution = Lance(arguments.replaceInStrings("@", dossier.path()), "<p>entr\xC3\xA9" "e</p>\n");
        debut.replace('@', dossier.path());
        if (execution.code == 0) {
            QVERIFY2(execution.sortie.startsWith(debut.toUtf8()), execution.sortie.left(200).constData());
            QCOMPARE(execution.erreur, QByteArray());
        } else {
            QCOMPARE(execution.code, 2);
            QCOMPARE(execution.sortie, QByteArray());
            QVERIFY2(execution.erreur.startsWith("balizo-outils: ") && execution.erreur.contains(debut.toUtf8()),
                     execution.erreur.constData());
        }
    }

    // One line per problem, located in characters, for the files as named; links to other sites counted on a last
    // line, or listed with --externes, never in the exit code; "/" read from the pages' common folder or from --site,
    // out of which ".." may not climb; a Windows-1252 page decoded before its links are looked up; a page that cannot
    // be read does not stop the others.
    void verifierLiens()
    {
        const QString site = dossier.filePath("liens");
        QVERIFY(QDir().mkpath(site + "/img") && QDir().mkpath(site + "/sous"));
        QVERIFY(Ecrit(site + "/img/logo.png", {}) && Ecrit(site + "/caf\xC3\xA9.htm", "<a name=\"haut\"></a>"));
        QVERIFY(Ecrit(site + "/a.htm", "<p>\r\n\xC3\xA9t\xC3\xA9 <img src=\"img/absent.png\">\r\n"
                                       "<a href='https://exemple.fr'>x</a></p>"));
        QVERIFY(Ecrit(site + "/sous/b.htm", "<img src=\"/img/logo.png\"><a href=\"../caf\xE9.htm#haut\">"));
        QVERIFY(Ecrit(site + "/externe.htm", "<a href=\"//exemple.fr/\"><img src=http://exemple.fr/i.png>"));
        const QByteArray a = site.toUtf8() + "/a.htm", b = site.toUtf8() + "/sous/b.htm";
        const QByteArray absente = a + ":2:15: Le fichier « img/absent.png » n'existe pas.\n";
        const QByteArray externe = a + ":3:10: Lien vers un autre site, non vérifié : https://exemple.fr\n";
        const QByteArray unExterne = "1 lien vers un autre site, non vérifié (--externes pour le voir).\n";

        const auto verifie = [](const QStringList &arguments) {
            return Lance(QStringList{"verifier-liens"} + arguments);
        };
        const Execution premiere = verifie({a, b});
        QCOMPARE(premiere.erreur + premiere.Resume(), "1: " + absente + unExterne);
        QCOMPARE(verifie({"--externes", a, b}).Resume(), "1: " + absente + externe);
        QCOMPARE(verifie({site + "/externe.htm", b}).Resume(),
                 "0: 2 liens vers d'autres sites, non vérifiés (--externes pour les lister).\n");
        QCOMPARE(verifie({"--site=" + site + "/sous", b}).Resume(),
                 "1: " + b + ":1:11: Le fichier « /img/logo.png » n'existe pas dans le dossier du site.\n" + b +
                     ":1:35: Le lien sort du dossier du site (« " + site.toUtf8() +
                     "/sous ») : il ne marchera pas sur le serveur.\n");
        for (const auto &[arguments, resume, erreur] :
             {std::tuple{QStringList{site + "/absente.htm", a}, "2: " + absente + unExterne,
                         "balizo-outils: ne peut ouvrir le fichier " + site.toUtf8() + "/absente.htm: "},
              {QStringList{a, "-"}, QByteArray("2: "),
               QByteArray("balizo-outils: verifier-liens ne lit pas l'entrée standard")}}) {
            const Execution execution = verifie(arguments);
            QCOMPARE(execution.Resume(), resume);
            QVERIFY2(execution.erreur.startsWith(erreur), execution.erreur.constData());
        }
    }

    // A rename tried, then made: one line per link, a Windows-1252 page written back in its encoding; what cannot
    // be renamed changes nothing.
    void renommer()
    {
        const QString site = dossier.filePath("renommer");
        const QByteArray page = "<p>\xE9t\xE9</p>\r\n<a href=\"img/logo.png?v=2\">";
        QVERIFY(QDir().mkpath(site + "/img") && Ecrit(site + "/img/logo.png", {}) && Ecrit(site + "/a.htm", page));
        const QByteArray s = site.toUtf8();
        const QByteArray ligne = s + "/a.htm:2:10: img/logo.png?v=2 -> images/logo.png?v=2\n";
        const QStringList arguments{"renommer", "--site=" + site, site + "/img", site + "/images"};
        QCOMPARE(Lance(arguments + QStringList{"--essai"}).Resume(),
                 "0: " + ligne + "1 lien à changer dans 1 fichier ; essai : rien n'est renommé ni écrit.\n");
        QVERIFY(QFileInfo::exists(site + "/img/logo.png"));
        QCOMPARE(Lance(arguments).Resume(),
                 "0: " + ligne + s + "/img devient " + s + "/images ; 1 lien changé dans 1 fichier.\n");
        QFile lu(site + "/a.htm");
        QVERIFY(QFileInfo::exists(site + "/images/logo.png") && lu.open(QIODevice::ReadOnly));
        QCOMPARE(lu.readAll(), QByteArray(page).replace("img/", "images/"));
        for (const auto &[autres, erreur] :
             {std::pair{QStringList{"renommer", site + "/a.htm"}, QByteArray("renommer demande deux arguments")},
              {QStringList{"renommer", "--site=" + site, site + "/a.htm", site + "/images"},
               "« " + s + "/images » existe déjà."}}) {
            const Execution execution = Lance(autres);
            QCOMPARE(execution.Resume(), "2: ");
            QVERIFY2(execution.erreur.contains(erreur), execution.erreur.constData());
        }
    }

    // Standard output is a file, and the write goes past the process's limit on file sizes: the refusal is reported,
    // whatever the disposition of SIGXFSZ that the tool inherits.
    void ecritureRefusee()
    {
        constexpr rlim_t Limite = 4096;
        const QString page = dossier.filePath("longue.htm");
        const QString sortie = dossier.filePath("sortie.txt");
        QVERIFY(Ecrit(page, QByteArray("<p>Une ligne de texte assez longue.</p>\n").repeated(1000)));
        for (const bool signalIgnore : {true, false}) {
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
    }
};

QTEST_GUILESS_MAIN(TstOutils)
#include "tst_outils.moc"
