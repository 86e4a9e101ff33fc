// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/site/Modifications.h"

#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>

Q_DECLARE_METATYPE(Encodage)
Q_DECLARE_METATYPE(FinDeLigne)
Q_DECLARE_METATYPE(RaisonIgnore)
Q_DECLARE_METATYPE(std::vector<Changement>)

namespace {

void Ecrit(const QString &chemin, const QByteArray &octets)
{
    QFile f(chemin);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(octets), octets.size());
}

QByteArray Lit(const QString &chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<illisible>");
}

} // namespace

// Reading a site's files for a change, and writing the change only over the file as it was read.
class TstModifications : public QObject {
    Q_OBJECT

    QTemporaryDir dossier;

private slots:
    void application_data()
    {
        QTest::addColumn<std::vector<Changement>>("changements");
        QTest::addColumn<QByteArray>("attendu");
        QTest::newRow("aucun changement") << std::vector<Changement>{} << QByteArray("<p>un deux trois</p>");
        QTest::newRow("au début, au milieu et à la fin")
            << std::vector<Changement>{{0, 3, "<P>"}, {6, 10, "1"}, {16, 20, "</P>!"}}
            << QByteArray("<P>un 1 trois</P>!");
        QTest::newRow("insertion et effacement") << std::vector<Changement>{{3, 3, "[["}, {6, 11, ""}}
                                                 << QByteArray("<p>[[un trois</p>");
    }
    void application()
    {
        QFETCH(std::vector<Changement>, changements);
        QTEST(QByteArray::fromStdString(Applique("<p>un deux trois</p>", changements)), "attendu");
    }

    void lecture_data()
    {
        QTest::addColumn<QByteArray>("octets");
        QTest::addColumn<int>("raison"); // -1: read
        QTest::addColumn<QString>("texte");
        QTest::addColumn<Encodage>("encodage");
        QTest::addColumn<FinDeLigne>("fin");
        const auto lue = [](const char *nom, const QByteArray &octets, const QString &texte, Encodage e, FinDeLigne f) {
            QTest::newRow(nom) << octets << -1 << texte << e << f;
        };
        const auto laissee = [](const char *nom, const QByteArray &octets, RaisonIgnore raison) {
            QTest::newRow(nom) << octets << int(raison) << QString() << Encodage::Utf8 << FinDeLigne::Lf;
        };
        lue("UTF-8 en CR LF", "été\r\nfin", "été\r\nfin", Encodage::Utf8, FinDeLigne::CrLf);
        lue("UTF-8 avec marque", "\xEF\xBB\xBFpage\n", "page\n", Encodage::Utf8Bom, FinDeLigne::Lf);
        lue("Windows-1252", "caf\xE9\r", "café\r", Encodage::Windows1252, FinDeLigne::Cr);
        lue("exactement la limite", "0123456789abcdef", "0123456789abcdef", Encodage::Utf8, FinDeLigne::Lf);
        laissee("un octet de plus que la limite", "0123456789abcdefg", RaisonIgnore::TropGrand);
        laissee("octet nul: binaire", QByteArray("GIF89a\0\0", 8), RaisonIgnore::Binaire);
    }
    void lecture()
    {
        QFETCH(QByteArray, octets);
        QFETCH(int, raison);
        const QString chemin = dossier.filePath("lecture.htm");
        Ecrit(chemin, octets);
        const auto lu = LitPourModifier(chemin.toStdString(), 16);
        QCOMPARE(lu ? -1 : int(lu.Pourquoi()), raison);
        if (!lu)
            return;
        QTEST(QString::fromStdString(lu->texte), "texte");
        QTEST(lu->encodage, "encodage");
        QTEST(lu->fin, "fin");
        QCOMPARE(lu->etat.taille, std::uint64_t(octets.size()));
    }

    // A Windows-1252 page in CR LF is written back in both, its permissions kept; a page that changed on disk since
    // it was read, or whose encoding cannot hold the new text, is left byte for byte.
    void ecriture_data()
    {
        QTest::addColumn<QString>("remplacement");
        QTest::addColumn<int>("changementDisque");
        QTest::addColumn<int>("raison"); // -1: written
        QTest::addColumn<QByteArray>("attendu");
        const QByteArray avant = "<p>caf\xE9</p>\r\n<p>th\xE9</p>\r\n";
        QTest::newRow("écrite dans son encodage") << "infusion" << 0 << -1
                                                  << QByteArray("<p>caf\xE9</p>\r\n<p>infusion</p>\r\n");
        QTest::newRow("caractère hors de Windows-1252") << "\u20ACuro\u2192" << 0 << int(RaisonIgnore::NonEncodable)
                                                         << avant;
        QTest::newRow("taille changée depuis") << "infusion" << 1 << int(RaisonIgnore::ModifieDepuis)
                                             << avant + "<!-- ajout -->";
        QTest::newRow("date changée depuis") << "infusion" << 2 << int(RaisonIgnore::ModifieDepuis) << avant;
        QTest::newRow("remplacée par un autre fichier") << "infusion" << 3 << int(RaisonIgnore::ModifieDepuis)
                                                        << avant;
    }
    void ecriture()
    {
        QFETCH(QString, remplacement);
        QFETCH(int, changementDisque);
        QFETCH(int, raison);
        const QString chemin = dossier.filePath("ecriture.htm");
        const QByteArray avant = "<p>caf\xE9</p>\r\n<p>th\xE9</p>\r\n";
        Ecrit(chemin, avant);
        QVERIFY(QFile::setPermissions(chemin, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
        auto lu = LitPourModifier(chemin.toStdString(), 1000);
        QVERIFY(lu);
        lu->changements = {{17, 21, remplacement.toStdString(), 2, 4}};
        if (changementDisque == 1) {
            Ecrit(chemin, avant + "<!-- ajout -->");
        } else if (changementDisque == 2) {
            const timespec dates[2] = {{0, UTIME_OMIT}, {1'000'000'000, 0}};
            QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(chemin).constData(), dates, 0), 0);
        } else if (changementDisque == 3) {
            Ecrit(dossier.filePath("autre.htm"), avant);
            QVERIFY(::rename(QFile::encodeName(dossier.filePath("autre.htm")).constData(),
                             QFile::encodeName(chemin).constData()) == 0);
        }
        const auto ecrit = EcritModification(*lu);
        QCOMPARE(ecrit ? -1 : int(ecrit.Pourquoi()), raison);
        QTEST(Lit(chemin), "attendu");
        struct stat etat {};
        QCOMPARE(::stat(QFile::encodeName(chemin).constData(), &etat), 0);
        if (ecrit)
            QCOMPARE(etat.st_mode & 07777, mode_t(0640));
    }

    void illisibles()
    {
        QCOMPARE(LitPourModifier(dossier.filePath("absent.htm").toStdString(), 16).Pourquoi(), RaisonIgnore::Illisible);
        QCOMPARE(LitPourModifier(dossier.path().toStdString(), 16).Pourquoi(), RaisonIgnore::Illisible);
    }

    void pageOuverteJamaisEcrite()
    {
        const QString chemin = dossier.filePath("ouverte.htm");
        Ecrit(chemin, "<p>avant</p>");
        auto lu = LitPourModifier(chemin.toStdString(), 1000);
        QVERIFY(lu);
        lu->ouverte = true;
        lu->changements = {{3, 8, "après", 1, 4}};
        QCOMPARE(EcritModification(*lu).Pourquoi(), RaisonIgnore::NonEcrit);
        QCOMPARE(Lit(chemin), QByteArray("<p>avant</p>"));
    }
};

QTEST_APPLESS_MAIN(TstModifications)
#include "tst_modifications.moc"
