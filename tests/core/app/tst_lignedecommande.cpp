#include "core/app/LigneDeCommande.h"

#include <QtTest>

class TstLigneDeCommande : public QObject {
    Q_OBJECT

private slots:
    void nomDeLigneDeCommande()
    {
        QCOMPARE(NomDeLigneDeCommande({}), std::string());
        QCOMPARE(NomDeLigneDeCommande({"/home/u/Mes", "pages/été.htm"}), std::string("/home/u/Mes pages/été.htm"));
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
