#include "core/session/LigneDeCommande.h"

#include <QtTest>

class TstLigneDeCommande : public QObject {
    Q_OBJECT

private slots:
    void nomDeLigneDeCommande()
    {
        QCOMPARE(NomDeLigneDeCommande({}), std::string());
        QCOMPARE(NomDeLigneDeCommande({"/home/u/Mes", "pages/été.htm"}), std::string("/home/u/Mes pages/été.htm"));
    }

    // Options first decide; other arguments, those with one dash and all those after "--", form the name.
    void analyse_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("genre");
        QTest::addColumn<QString>("option");
        QTest::addColumn<QStringList>("noms");
        QTest::addColumn<bool>("nouvelleInstance");
        using Genre = DemandeLigneDeCommande::Genre;
        QTest::newRow("aide") << QStringList{"page.htm", "--help", "--x"} << int(Genre::Aide) << "--help"
                              << QStringList{"page.htm"} << false;
        QTest::newRow("-h seul") << QStringList{"-h"} << int(Genre::Aide) << "-h" << QStringList{} << false;
        QTest::newRow("version") << QStringList{"--version", "--nouvelle-instance"} << int(Genre::Version)
                                 << "--version" << QStringList{} << true;
        QTest::newRow("option inconnue") << QStringList{"--nouvelle-instance", "--x", "--help"}
                                         << int(Genre::OptionInconnue) << "--x" << QStringList{} << true;
        QTest::newRow("un tiret") << QStringList{"-x", "-h", "ma", "page.htm"} << int(Genre::Fichier) << ""
                                  << QStringList{"-x", "-h", "ma", "page.htm"} << false;
        QTest::newRow("après --") << QStringList{"a", "--", "--help", "--nouvelle-instance", "-h"}
                                  << int(Genre::Fichier) << ""
                                  << QStringList{"a", "--help", "--nouvelle-instance", "-h"} << false;
        QTest::newRow("nouvelle instance") << QStringList{"a.htm", "--nouvelle-instance", "b.htm"}
                                           << int(Genre::Fichier) << "" << QStringList{"a.htm", "b.htm"} << true;
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
        QTEST(demande.nouvelleInstance, "nouvelleInstance");
    }

    // The joined name first, then each argument that names a file, in their order.
    void fichiersNommes_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("fichiers");
        QTest::newRow("rien") << QStringList{} << QStringList{};
        QTest::newRow("nom à espaces sans guillemets") << QStringList{"ma", "page.htm"} << QStringList{"ma page.htm"};
        QTest::newRow("plusieurs pages dans l'ordre") << QStringList{"b.htm", "ma", "a.htm", "absent.htm"}
                                                      << QStringList{"b.htm", "ma", "a.htm"};
        QTest::newRow("nom joint préféré à ses morceaux") << QStringList{"ma", "page.htm", "a.htm"}
                                                          << QStringList{"ma page.htm a.htm"};
        QTest::newRow("aucun fichier") << QStringList{"absent.htm", "page.htm"} << QStringList{};
    }

    void fichiersNommes()
    {
        QFETCH(QStringList, arguments);
        const std::vector<std::string> existants = {"a.htm", "b.htm", "ma", "ma page.htm", "ma page.htm a.htm"};
        std::vector<std::string> octets;
        for (const QString &argument : arguments)
            octets.push_back(argument.toStdString());
        QStringList fichiers;
        for (const std::string &nom : FichiersNommes(octets, [&existants](const std::string &nom) {
                 return std::find(existants.begin(), existants.end(), nom) != existants.end();
             }))
            fichiers << QString::fromStdString(nom);
        QTEST(fichiers, "fichiers");
    }

    // The display that Qt will open, and what names it for the editors that share it.
    void affichage_data()
    {
        QTest::addColumn<QString>("plateformes");
        QTest::addColumn<QString>("x11");
        QTest::addColumn<QString>("wayland");
        QTest::addColumn<bool>("accessible");
        QTest::addColumn<QString>("nom");
        QTest::newRow("aucun affichage") << "" << "" << "" << false << "";
        QTest::newRow("X sans numéro d'écran") << "" << ":0.0" << "" << true << "x11=:0 wayland=";
        QTest::newRow("X distant") << "" << "hote.exemple:10" << "wayland-0" << true
                                   << "x11=hote.exemple:10 wayland=wayland-0";
        QTest::newRow("offscreen sans affichage") << "offscreen" << "" << "" << true << "";
        QTest::newRow("xcb demandé sans DISPLAY") << "xcb" << "" << "wayland-0" << false << "";
        QTest::newRow("wayland demandé sans WAYLAND_DISPLAY") << "wayland-egl" << ":1" << "" << false << "";
        QTest::newRow("liste, le premier absent") << "wayland;xcb:dpi=96" << ":1.2" << "" << true << "x11=:1";
    }

    void affichage()
    {
        QFETCH(QString, plateformes);
        QFETCH(QString, x11);
        QFETCH(QString, wayland);
        const Affichage affichage =
            AffichageDe(plateformes.toStdString(), x11.toStdString(), wayland.toStdString());
        QTEST(affichage.accessible, "accessible");
        QTEST(QString::fromStdString(affichage.nom), "nom");
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
        QCOMPARE(LitMessageDeFichiers(MessageDeFichiers({})).longueur, std::size_t(8));

        using namespace std::string_literals;
        // Names without end, past the longest message.
        std::string sansFin = "BLZ1\xFF\xFF\xFF\xFF";
        while (sansFin.size() <= TailleMessageMaximale)
            sansFin += "\0\0\0\1a"s;
        const std::pair<std::string, Etat> cas[] = {
            {"GET / HTTP/1.1\r\n", Etat::Invalide},
            {"BLZ2"s + MessageDeFichiers({"a"}).substr(4), Etat::Invalide},
            {"BLZ1\0\0\0\1\0\0\0\0"s, Etat::Invalide},
            {"BLZ1\0\0\0\1\0\0\0\3a\0b"s, Etat::Invalide},
            {"BLZ1\0\0\0\1\xFF\xFF\xFF\xFF"s, Etat::Invalide},
            {"BLZ1\xFF\xFF\xFF\xFF\0\0\0\1a"s, Etat::Incomplet},
            {sansFin, Etat::Invalide}};
        for (const auto &[octets, etat] : cas)
            QCOMPARE(LitMessageDeFichiers(octets).etat, etat);
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
