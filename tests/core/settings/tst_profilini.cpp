#include "core/settings/ProfilINI.h"

#include <QtTest>

// Every row reads or writes a key of section "Balizo".
class TstProfilINI : public QObject {
    Q_OBJECT

    static std::string_view Vue(const QByteArray &octets)
    {
        return {octets.constData(), static_cast<std::size_t>(octets.size())};
    }

private slots:
    void litProfil_data()
    {
        QTest::addColumn<QByteArray>("contenu");
        QTest::addColumn<QByteArray>("cle");
        QTest::addColumn<QByteArray>("attendu"); // null: the key is absent
        QTest::newRow("noms en d'autres casses") << QByteArray("[BALIZO]\r\nfonte=DejaVu Serif\r\nTAILLE=14\r\n")
                                                 << QByteArray("Fonte") << QByteArray("DejaVu Serif");
        QTest::newRow("blancs autour des noms et de la valeur")
            << QByteArray("[ Balizo ]\n \tFonte = Courier New \t\n") << QByteArray("Fonte") << QByteArray("Courier New");
        QTest::newRow("guillemets ôtés, blancs dedans gardés")
            << QByteArray("[Balizo]\nFonte=\" Courier \"\n") << QByteArray("Fonte") << QByteArray(" Courier ");
        QTest::newRow("virgule et point-virgule gardés") << QByteArray("[Balizo]\nNavigateur=/opt/x,y/firefox ; le bon\n")
                                                          << QByteArray("Navigateur")
                                                          << QByteArray("/opt/x,y/firefox ; le bon");
        QTest::newRow("commentaire ignoré") << QByteArray("[Balizo]\n  ;Fonte=Arial\nFonte=Courier")
                                            << QByteArray("Fonte") << QByteArray("Courier");
        QTest::newRow("clé hors de toute section: absente")
            << QByteArray("Fonte=Arial\n[Balizo]\n") << QByteArray("Fonte") << QByteArray();
        QTest::newRow("seule la première section compte")
            << QByteArray("[Balizo]\nTaille=9\n[balizo]\nFonte=Arial\n") << QByteArray("Fonte") << QByteArray();
        QTest::newRow("la première clé gagne")
            << QByteArray("[Balizo]\nFonte=A\nFONTE=B\n") << QByteArray("Fonte") << QByteArray("A");
        QTest::newRow("Windows-1252 décodé") << QByteArray("[Balizo]\r\nFonte=Caf\xE9\r\n") << QByteArray("Fonte")
                                             << QByteArray("Café");
        QTest::newRow("coupée à 1023 caractères, non à 1023 octets")
            << "[Balizo]\nFonte=" + QString(1100, u'é').toUtf8() << QByteArray("Fonte") << QString(1023, u'é').toUtf8();
    }

    void litProfil()
    {
        QFETCH(QByteArray, contenu);
        QFETCH(QByteArray, cle);
        QFETCH(QByteArray, attendu);
        const std::optional<std::string> valeur = LitProfil(Vue(contenu), "Balizo", Vue(cle));
        QCOMPARE(valeur.has_value(), !attendu.isNull());
        if (valeur)
            QCOMPARE(QByteArray::fromStdString(*valeur), attendu);
    }

    void ecritProfil_data()
    {
        QTest::addColumn<QByteArray>("contenu");
        QTest::addColumn<QByteArray>("valeur"); // of the key "Fonte"
        QTest::addColumn<QByteArray>("attendu"); // null: the write is refused
        QTest::newRow("fichier neuf en CR LF") << QByteArray("") << QByteArray("Courier")
                                               << QByteArray("[Balizo]\r\nFonte=Courier\r\n");
        QTest::newRow("seule la ligne de la clé change")
            << QByteArray("; réglages\r\n[BALIZO]\r\n  fonte = DejaVu Serif  \r\nTAILLE=14\n\r\n[Autre]\rCle=valeur ; x\r\n")
            << QByteArray("Courier")
            << QByteArray("; réglages\r\n[BALIZO]\r\n  fonte = Courier  \r\nTAILLE=14\n\r\n[Autre]\rCle=valeur ; x\r\n");
        QTest::newRow("ajoutée après la dernière clé de sa section")
            << QByteArray("[Balizo]\nTaille=10\n\n; la suite\n[Autre]\nA=1\n") << QByteArray("Courier")
            << QByteArray("[Balizo]\nTaille=10\nFonte=Courier\n\n; la suite\n[Autre]\nA=1\n");
        QTest::newRow("ajoutée à la première section du nom")
            << QByteArray("[balizo]\r\n[Balizo]\r\nFonte=A\r\n") << QByteArray("Courier")
            << QByteArray("[balizo]\r\nFonte=Courier\r\n[Balizo]\r\nFonte=A\r\n");
        QTest::newRow("section ajoutée à la fin, première fin de ligne du fichier")
            << QByteArray("Fonte=A\n[Autre]\r\nB=2\r\n") << QByteArray("Courier")
            << QByteArray("Fonte=A\n[Autre]\r\nB=2\r\n[Balizo]\nFonte=Courier\n");
        QTest::newRow("dernière ligne complétée avant l'ajout")
            << QByteArray("[Autre]\rB=2") << QByteArray("Courier") << QByteArray("[Autre]\rB=2\r[Balizo]\rFonte=Courier\r");
        QTest::newRow("fichier d'une ligne sans fin: CR LF")
            << QByteArray("[Balizo]") << QByteArray("Courier") << QByteArray("[Balizo]\r\nFonte=Courier\r\n");
        QTest::newRow("valeur vide remplacée") << QByteArray("[Balizo]\nFonte=\nTaille=9\n") << QByteArray("Courier")
                                               << QByteArray("[Balizo]\nFonte=Courier\nTaille=9\n");
        QTest::newRow("valeur à blancs autour mise entre guillemets")
            << QByteArray("[Balizo]\nFonte=A\n") << QByteArray(" Courier") << QByteArray("[Balizo]\nFonte=\" Courier\"\n");
        QTest::newRow("valeur entre guillemets gardée telle quelle")
            << QByteArray("") << QByteArray("\"Courier\"") << QByteArray("[Balizo]\r\nFonte=\"\"Courier\"\"\r\n");
        QTest::newRow("saut de ligne refusé") << QByteArray("[Balizo]\nFonte=A\n") << QByteArray("Cou\nrier")
                                              << QByteArray();
        QTest::newRow("marque d'ordre UTF-8 gardée") << QByteArray("\xEF\xBB\xBF[Balizo]\r\nFonte=A\r\n")
                                                     << QByteArray("Æther") << QByteArray("\xEF\xBB\xBF[Balizo]\r\nFonte=Æther\r\n");
        QTest::newRow("Windows-1252 gardé pour une valeur qu'il peut écrire")
            << QByteArray("[Autre]\nA=\xE9\n[Balizo]\nFonte=A\n") << QByteArray("Crème")
            << QByteArray("[Autre]\nA=\xE9\n[Balizo]\nFonte=Cr\xE8" "me\n");
        QTest::newRow("Windows-1252 passé en UTF-8 pour un caractère qu'il n'a pas")
            << QByteArray("[Autre]\nA=\xE9\n[Balizo]\nFonte=A\n") << QByteArray("Łódź")
            << QByteArray("[Autre]\nA=é\n[Balizo]\nFonte=Łódź\n");
        QTest::newRow("Windows-1252 passé en UTF-8 quand il se lirait en UTF-8")
            << QByteArray("[Balizo]\nFonte=\xE9\n[Autre]\nA=\xC3\xA9\n") << QByteArray("Courier")
            << QByteArray("[Balizo]\nFonte=Courier\n[Autre]\nA=Ã©\n");
    }

    void ecritProfil()
    {
        QFETCH(QByteArray, contenu);
        QFETCH(QByteArray, valeur);
        QFETCH(QByteArray, attendu);
        const std::optional<std::string> ecrit = EcritProfil(Vue(contenu), "Balizo", "Fonte", Vue(valeur));
        QCOMPARE(ecrit.has_value(), !attendu.isNull());
        if (!ecrit)
            return;
        QCOMPARE(QByteArray::fromStdString(*ecrit), attendu);
        QCOMPARE(LitProfil(*ecrit, "Balizo", "Fonte"), std::optional<std::string>(valeur.toStdString()));
    }
};

QTEST_APPLESS_MAIN(TstProfilINI)
#include "tst_profilini.moc"
