#include "settings/FichierINI.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestFichierINI : public QObject {
    Q_OBJECT

    static void Ecrit(const QString &chemin, const QByteArray &contenu)
    {
        QFile f(chemin);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(contenu);
    }

private slots:
    void valeursParDefautSansFichier()
    {
        QTemporaryDir dossier;
        TFichierINI ini(dossier.filePath("Balizo.ini"));
        QCOMPARE(ini.LitNavigateur(), QString());
        QCOMPARE(ini.LitFonte(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(ini.LitTaille(), 8);
        QVERIFY(!QFile::exists(dossier.filePath("Balizo.ini")));
    }

    void tailleHexadecimale()
    {
        QTemporaryDir dossier;
        Ecrit(dossier.filePath("Balizo.ini"), "[Balizo]\r\nFonte=Courier\r\nTaille=0x0C\r\n");
        TFichierINI ini(dossier.filePath("Balizo.ini"));
        QCOMPARE(ini.LitTaille(), 12);
        QCOMPARE(ini.LitFonte(), QStringLiteral("Courier"));
    }

    void deuxCopiesSeVoient()
    {
        QTemporaryDir dossier;
        const QString chemin = dossier.filePath("Balizo.ini");
        Ecrit(chemin, "[Autre]\nCle=valeur\n");
        TFichierINI premier(chemin);
        TFichierINI second(chemin);
        QCOMPARE(second.LitFonte(), QStringLiteral("MS Sans Serif"));
        QVERIFY(premier.EcritFonte(QStringLiteral("DejaVu Sans Mono")));
        QVERIFY(premier.EcritTaille(14));
        QVERIFY(premier.EcritNavigateur(QStringLiteral("/usr/bin/mon navigateur, le bon")));
        QCOMPARE(second.LitFonte(), QStringLiteral("DejaVu Sans Mono"));
        QCOMPARE(second.LitTaille(), 14);
        QCOMPARE(second.LitNavigateur(), QStringLiteral("/usr/bin/mon navigateur, le bon"));
        QSettings brut(chemin, QSettings::IniFormat);
        QCOMPARE(brut.value("Autre/Cle").toString(), QStringLiteral("valeur"));
        QCOMPARE(brut.value("Balizo/Taille").toString(), QStringLiteral("14"));
    }

    void ecritureRefusee()
    {
        // A settings file whose folder is a plain file cannot be written, even by root.
        QTemporaryDir dossier;
        Ecrit(dossier.filePath("fichier"), "x");
        const QString chemin = dossier.filePath("fichier/Balizo.ini");
        TFichierINI ini(chemin);
        QVERIFY(!ini.EcritFonte(QStringLiteral("Courier")));
        QCOMPARE(ini.MessageEcritureImpossible(), QStringLiteral("Ne peut écrire dans %1").arg(chemin));
        QCOMPARE(ini.LitFonte(), QStringLiteral("MS Sans Serif"));
    }
};

QTEST_APPLESS_MAIN(TestFichierINI)
#include "tst_fichierini.moc"
