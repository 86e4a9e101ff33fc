// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/ProfilINI.h"

#include <QtTest>

// Every row reads or writes a key of section "Balizo".
static const QByteArray Absente = "(absente ou refusée)";

class TstProfilINI : public QObject {
    Q_OBJECT

    static std::string_view Vue(const QByteArray &octets)
    {
        return {octets.constData(), static_cast<std::size_t>(octets.size())};
    }

    // A value read, or a file written.
    template <typename Texte>
    static QByteArray Octets(const Texte &texte)
    {
        return texte ? QByteArray::fromStdString(*texte) : Absente;
    }

    static void Colonnes(const char *entree)
    {
        QTest::addColumn<QByteArray>("contenu");
        QTest::addColumn<QByteArray>(entree);
        QTest::addColumn<QByteArray>("attendu");
    }

private slots:
    void litProfil_data()
    {
        Colonnes("cle");
        const auto ligne = [](const char *nom, QByteArray contenu, QByteArray cle, QByteArray attendu) {
            QTest::newRow(nom) << contenu << cle << attendu;
        };
        ligne("noms en d'autres casses", "[BALIZO]\r\nfonte=DejaVu Serif\r\nTAILLE=14\r\n", "Fonte", "DejaVu Serif");
        ligne("blancs autour des noms et de la valeur", "[ Balizo ]\n \tFonte = Courier New \t\n", "Fonte", "Courier New");
        ligne("guillemets ôtés, blancs dedans gardés", "[Balizo]\nFonte=\" Courier \"\n", "Fonte", " Courier ");
        ligne("virgule et point-virgule gardés", "[Balizo]\nNavigateur=/opt/x,y/firefox ; le bon\n", "Navigateur",
              "/opt/x,y/firefox ; le bon");
        ligne("commentaire ignoré", "[Balizo]\n  ;Fonte=Arial\nFonte=Courier", "Fonte", "Courier");
        ligne("clé hors de toute section: absente", "Fonte=Arial\n[Balizo]\n", "Fonte", Absente);
        ligne("seule la première section compte", "[Balizo]\nTaille=9\n[balizo]\nFonte=Arial\n", "Fonte", Absente);
        ligne("la première clé gagne", "[Balizo]\nFonte=A\nFONTE=B\n", "Fonte", "A");
        ligne("Windows-1252 décodé", "[Balizo]\r\nFonte=Caf\xE9\r\n", "Fonte", "Café");
        ligne("coupée à 1023 caractères, non à 1023 octets", "[Balizo]\nFonte=" + QString(1100, u'é').toUtf8(), "Fonte",
              QString(1023, u'é').toUtf8());
    }

    void litProfil()
    {
        QFETCH(QByteArray, contenu);
        QFETCH(QByteArray, cle);
        QTEST(Octets(LitProfil(Vue(contenu), "Balizo", Vue(cle))), "attendu");
    }

    // The value of the key "Fonte"; once written, it reads back whole.
    void ecritProfil_data()
    {
        Colonnes("valeur");
        const auto ligne = [](const char *nom, QByteArray contenu, QByteArray valeur, QByteArray attendu) {
            QTest::newRow(nom) << contenu << valeur << attendu;
        };
        ligne("fichier neuf en CR LF", "", "Courier", "[Balizo]\r\nFonte=Courier\r\n");
        ligne("seule la ligne de la clé change",
              "; réglages\r\n[BALIZO]\r\n  fonte = DejaVu Serif  \r\nTAILLE=14\n\r\n[Autre]\rCle=valeur ; x\r\n", "Courier",
              "; réglages\r\n[BALIZO]\r\n  fonte = Courier  \r\nTAILLE=14\n\r\n[Autre]\rCle=valeur ; x\r\n");
        ligne("ajoutée après la dernière clé de sa section", "[Balizo]\nTaille=10\n\n; la suite\n[Autre]\nA=1\n",
              "Courier", "[Balizo]\nTaille=10\nFonte=Courier\n\n; la suite\n[Autre]\nA=1\n");
        ligne("ajoutée à la première section du nom", "[balizo]\r\n[Balizo]\r\nFonte=A\r\n", "Courier",
              "[balizo]\r\nFonte=Courier\r\n[Balizo]\r\nFonte=A\r\n");
        ligne("section ajoutée à la fin, première fin de ligne du fichier", "Fonte=A\n[Autre]\r\nB=2\r\n", "Courier",
              "Fonte=A\n[Autre]\r\nB=2\r\n[Balizo]\nFonte=Courier\n");
        ligne("dernière ligne complétée avant l'ajout", "[Autre]\rB=2", "Courier", "[Autre]\rB=2\r[Balizo]\rFonte=Courier\r");
        ligne("fichier d'une ligne sans fin: CR LF", "[Balizo]", "Courier", "[Balizo]\r\nFonte=Courier\r\n");
        ligne("valeur vide remplacée", "[Balizo]\nFonte=\nTaille=9\n", "Courier", "[Balizo]\nFonte=Courier\nTaille=9\n");
        ligne("valeur à blancs autour mise entre guillemets", "[Balizo]\nFonte=A\n", " Courier",
              "[Balizo]\nFonte=\" Courier\"\n");
        ligne("valeur entre guillemets gardée telle quelle", "", "\"Courier\"", "[Balizo]\r\nFonte=\"\"Courier\"\"\r\n");
        ligne("saut de ligne refusé", "[Balizo]\nFonte=A\n", "Cou\nrier", Absente);
        ligne("marque d'ordre UTF-8 gardée", "\xEF\xBB\xBF[Balizo]\r\nFonte=A\r\n", "Æther",
              "\xEF\xBB\xBF[Balizo]\r\nFonte=Æther\r\n");
        ligne("Windows-1252 gardé pour une valeur qu'il peut écrire", "[Autre]\nA=\xE9\n[Balizo]\nFonte=A\n", "Crème",
              "[Autre]\nA=\xE9\n[Balizo]\nFonte=Cr\xE8" "me\n");
        ligne("Windows-1252 passé en UTF-8 pour un caractère qu'il n'a pas", "[Autre]\nA=\xE9\n[Balizo]\nFonte=A\n",
              "Łódź", "[Autre]\nA=é\n[Balizo]\nFonte=Łódź\n");
        ligne("Windows-1252 passé en UTF-8 quand il se lirait en UTF-8", "[Balizo]\nFonte=\xE9\n[Autre]\nA=\xC3\xA9\n",
              "Courier", "[Balizo]\nFonte=Courier\n[Autre]\nA=Ã©\n");
    }

    void ecritProfil()
    {
        QFETCH(QByteArray, contenu);
        QFETCH(QByteArray, valeur);
        QFETCH(QByteArray, attendu);
        const QByteArray ecrit = Octets(EcritProfil(Vue(contenu), "Balizo", "Fonte", Vue(valeur)));
        QCOMPARE(ecrit, attendu);
        if (ecrit != Absente)
            QCOMPARE(Octets(LitProfil(Vue(ecrit), "Balizo", "Fonte")), valeur);
    }
};

QTEST_APPLESS_MAIN(TstProfilINI)
#include "tst_profilini.moc"
