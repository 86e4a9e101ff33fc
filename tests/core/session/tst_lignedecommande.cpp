// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/session/LigneDeCommande.h"

#include <QtTest>

class TstLigneDeCommande : public QObject {
    Q_OBJECT

private slots:
    // Options first decide; other arguments, those with one dash and all those after "--", form the name.
    // "--nouvelle-instance" may come among the names; after "--", it is one.
    void analyse_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("genre");
        QTest::addColumn<QString>("option");
        QTest::addColumn<QStringList>("noms");
        using Genre = DemandeLigneDeCommande::Genre;
        QTest::newRow("aide") << QStringList{"page.htm", "--help", "--x"} << int(Genre::Aide) << "--help"
                              << QStringList{"page.htm"};
        QTest::newRow("-h seul") << QStringList{"-h"} << int(Genre::Aide) << "-h" << QStringList{};
        QTest::newRow("version") << QStringList{"--version"} << int(Genre::Version) << "--version" << QStringList{};
        QTest::newRow("option inconnue") << QStringList{"--x", "--help"} << int(Genre::OptionInconnue) << "--x"
                                         << QStringList{};
        QTest::newRow("un tiret") << QStringList{"-x", "-h", "ma", "page.htm"} << int(Genre::Fichier) << ""
                                  << QStringList{"-x", "-h", "ma", "page.htm"};
        QTest::newRow("après --") << QStringList{"a", "--", "--help", "--nouvelle-instance"} << int(Genre::Fichier)
                                  << "" << QStringList{"a", "--help", "--nouvelle-instance"};
        QTest::newRow("nouvelle instance") << QStringList{"a.htm", "--nouvelle-instance", "b.htm"}
                                           << int(Genre::Fichier) << "" << QStringList{"a.htm", "b.htm"};
    }

    void analyse()
    {
        QFETCH(QStringList, arguments);
        std::vector<std::string> octets;
        for (const QString &argument : arguments)
            octets.push_back(argument.toStdString());
        const DemandeLigneDeCommande demande = AnalyseLigneDeCommande(octets);
        QTEST(int(demande.genre), "genre");
        QTEST(QString::fromStdString(demande.option), "option");
        QStringList noms;
        for (const std::string &nom : demande.noms)
            noms << QString::fromStdString(nom);
        QTEST(noms, "noms");
        QCOMPARE(demande.nouvelleInstance, QTest::currentDataTag() == QLatin1String("nouvelle instance"));
    }

    // The joined name first (spaces typed without quotes), else each argument that names a file, in their order.
    void fichiersNommes()
    {
        using Noms = std::vector<std::string>;
        const Noms existants = {"a.htm", "b.htm", "ma", "ma page.htm", "ma page.htm a.htm"};
        const auto existe = [&existants](const std::string &nom) { return std::ranges::count(existants, nom) > 0; };
        const std::pair<Noms, Noms> cas[] = {{{"ma", "page.htm"}, {"ma page.htm"}},
                                             {{"b.htm", "ma", "a.htm", "absent.htm"}, {"b.htm", "ma", "a.htm"}},
                                             {{"ma", "page.htm", "a.htm"}, {"ma page.htm a.htm"}},
                                             {{"absent.htm", "page.htm"}, {}}};
        for (const auto &[arguments, fichiers] : cas)
            QCOMPARE(FichiersNommes(arguments, existe), fichiers);
    }

    // The display that Qt opens, and what names it for the editors that share it.
    void affichage()
    {
        const std::tuple<const char *, const char *, const char *, bool, const char *> cas[] = {
            {"", "", "", false, ""},
            {"", ":0.0", "wayland-0", true, "x11=:0 wayland=wayland-0"},
            {"offscreen", "", "", true, ""},
            {"xcb", "", "wayland-0", false, ""},
            {"wayland-egl", ":1", "", false, ""},
            {"wayland;xcb:dpi=96", ":1.2", "", true, "x11=:1"}};
        for (const auto &[plateformes, x11, wayland, accessible, nom] : cas) {
            const Affichage affichage = AffichageDe(plateformes, x11, wayland);
            QCOMPARE(affichage.accessible, accessible);
            QCOMPARE(affichage.nom, std::string(nom));
        }
    }

    // A message read whole, in pieces, followed by a word more, or made of anything else than names.
    void messageDeFichiers()
    {
        using Etat = LectureMessage::Etat;
        const std::vector<std::string> noms = {"/home/u/ma page.htm", "/srv/caf\xE9.htm"};
        const std::string message = MessageDeFichiers(noms);
        for (const std::string &entier : {message, message + "A"}) {
            const LectureMessage lecture = LitMessageDeFichiers(entier);
            QCOMPARE(lecture.etat, Etat::Complet);
            QCOMPARE(lecture.noms, noms);
            QCOMPARE(lecture.longueur, message.size());
        }
        for (std::size_t taille = 0; taille < message.size(); ++taille)
            QCOMPARE(LitMessageDeFichiers(std::string_view(message).substr(0, taille)).etat, Etat::Incomplet);

        using namespace std::string_literals;
        // Names without end, past the longest message.
        std::string sansFin = "BLZ1\xFF\xFF\xFF\xFF";
        while (sansFin.size() <= TailleMessageMaximale)
            sansFin += "\0\0\0\1a"s;
        for (const std::string &invalide : {"GET / HTTP/1.1\r\n"s, "BLZ1\0\0\0\1\0\0\0\0"s,
                                            "BLZ1\0\0\0\1\0\0\0\3a\0b"s, "BLZ1\0\0\0\1\xFF\xFF\xFF\xFF"s, sansFin})
            QCOMPARE(LitMessageDeFichiers(invalide).etat, Etat::Invalide);
    }

    // Whether the file is a desktop, by its extension.
    void extension()
    {
        const std::tuple<const char *, const char *, bool> cas[] = {
            {"/home/u/travail.DsK", ".DsK", true}, {"x.dskx", ".dskx", false},
            {"archive.dsk.htm", ".htm", false},    {"/a.dsk/c", "", false}};
        for (const auto &[nom, extension, bureau] : cas) {
            QCOMPARE(std::string(Extension(nom)), std::string(extension));
            QCOMPARE(EstUnBureau(nom), bureau);
        }
    }
};

QTEST_APPLESS_MAIN(TstLigneDeCommande)
#include "tst_lignedecommande.moc"
