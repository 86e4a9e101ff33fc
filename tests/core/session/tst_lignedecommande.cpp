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
        using Genre = DemandeLigneDeCommande::Genre;
        QTest::newRow("aide") << QStringList{"page.htm", "--help", "--x"} << int(Genre::Aide) << "--help"
                              << QStringList{"page.htm"};
        QTest::newRow("version") << QStringList{"--version"} << int(Genre::Version) << "--version" << QStringList{};
        QTest::newRow("option inconnue") << QStringList{"--x", "--help"} << int(Genre::OptionInconnue) << "--x"
                                         << QStringList{};
        QTest::newRow("un tiret") << QStringList{"-x", "-h", "ma", "page.htm"} << int(Genre::Fichier) << ""
                                  << QStringList{"-x", "-h", "ma", "page.htm"};
        QTest::newRow("après --") << QStringList{"a", "--", "--help", "--"} << int(Genre::Fichier) << ""
                                  << QStringList{"a", "--help", "--"};
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
