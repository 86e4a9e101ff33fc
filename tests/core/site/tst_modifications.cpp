// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/site/Modifications.h"

#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>

Q_DECLARE_METATYPE(Encodage)
Q_DECLARE_METATYPE(FinDeLigne)

// Reading a site's files for a change, and writing the change only over the file as it was read.
class TstModifications : public QObject {
    Q_OBJECT

    QTemporaryDir dossier;

    static void Ecrit(const QString &chemin, const QByteArray &octets)
    {
        QFile f(chemin);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(octets) == octets.size());
    }

private slots:
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
        lue("UTF-8 en CR LF", "été\r\nfin", "été\r\nfin", Encodage::Utf8, FinDeLigne::CrLf);
        lue("UTF-8 avec marque", "\xEF\xBB\xBFpage\n", "page\n", Encodage::Utf8Bom, FinDeLigne::Lf);
        lue("Windows-1252", "caf\xE9\r", "café\r", Encodage::Windows1252, FinDeLigne::Cr);
        lue("exactement la limite", "0123456789abcdef", "0123456789abcdef", Encodage::Utf8, FinDeLigne::Lf);
        QTest::newRow("un octet de plus que la limite")
            << QByteArray("0123456789abcdefg") << int(RaisonIgnore::TropGrand) << QString() << Encodage::Utf8
            << FinDeLigne::Lf;
        QTest::newRow("octet nul: binaire") << QByteArray("GIF89a\0\0", 8) << int(RaisonIgnore::Binaire) << QString()
                                            << Encodage::Utf8 << FinDeLigne::Lf;
    }
    void lecture()
    {
        QFETCH(QByteArray, octets);
        const QString chemin = dossier.filePath("lecture.htm");
        Ecrit(chemin, octets);
        const auto lu = LitPourModifier(chemin.toStdString(), 16);
        QTEST(lu ? -1 : int(lu.Pourquoi()), "raison");
        if (!lu)
            return;
        QTEST(QString::fromStdString(lu->texte), "texte");
        QTEST(lu->encodage, "encodage");
        QTEST(lu->fin, "fin");
        QCOMPARE(lu->etat.taille, std::uint64_t(octets.size()));
    }

    // A Windows-1252 page in CR LF is written back in both; a page that changed on disk since
    // it was read, whose encoding cannot hold the new text, or that is open in the editor, is left byte for byte.
    void ecriture_data()
    {
        QTest::addColumn<QString>("remplacement");
        QTest::addColumn<int>("changementDisque");
        QTest::addColumn<int>("raison"); // -1: written
        QTest::addColumn<QByteArray>("attendu");
        const QByteArray avant = "<p>caf\xE9</p>\r\n<p>th\xE9</p>\r\n";
        QTest::newRow("écrite dans son encodage")
            << "infusion" << 0 << -1 << QByteArray("<p>caf\xE9</p>\r\n<p>infusion</p>\r\n");
        QTest::newRow("caractère hors de Windows-1252") << "\u2192" << 0 << int(RaisonIgnore::NonEncodable) << avant;
        QTest::newRow("taille changée depuis")
            << "infusion" << 1 << int(RaisonIgnore::ModifieDepuis) << avant + "<!-- ajout -->";
        QTest::newRow("date changée depuis") << "infusion" << 2 << int(RaisonIgnore::ModifieDepuis) << avant;
        QTest::newRow("page ouverte") << "infusion" << 3 << int(RaisonIgnore::NonEcrit) << avant;
    }
    void ecriture()
    {
        QFETCH(QString, remplacement);
        QFETCH(int, changementDisque);
        const QString chemin = dossier.filePath("ecriture.htm");
        const QByteArray nom = QFile::encodeName(chemin);
        const QByteArray avant = "<p>caf\xE9</p>\r\n<p>th\xE9</p>\r\n";
        Ecrit(chemin, avant);
        auto lu = LitPourModifier(chemin.toStdString(), 1000);
        QVERIFY(lu);
        lu->changements = {{17, 21, remplacement.toStdString(), 2, 4}};
        lu->ouverte = changementDisque == 3;
        if (changementDisque == 1) {
            Ecrit(chemin, avant + "<!-- ajout -->");
        } else if (changementDisque == 2) {
            const timespec dates[2] = {{0, UTIME_OMIT}, {1'000'000'000, 0}};
            QCOMPARE(::utimensat(AT_FDCWD, nom.constData(), dates, 0), 0);
        }
        const auto ecrit = EcritModification(*lu);
        QTEST(ecrit ? -1 : int(ecrit.Pourquoi()), "raison");
        QFile fichier(chemin);
        QVERIFY(fichier.open(QIODevice::ReadOnly));
        QTEST(fichier.readAll(), "attendu");
    }
};

QTEST_APPLESS_MAIN(TstModifications)
#include "tst_modifications.moc"
