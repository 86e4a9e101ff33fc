// SPDX-License-Identifier: GPL-3.0-or-later
#include "CadreDeTest.h"

#include "core/document/Couleurs.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>
#include <Qsci/qscilexer.h>

namespace {

// Changes the field as the user would: a box is ticked or unticked, a list takes the entry of that rank, a text or a
// number is typed.
void Change(QWidget *champ, const QString &valeur)
{
    if (auto *boite = qobject_cast<QCheckBox *>(champ))
        boite->click();
    else if (auto *liste = qobject_cast<QComboBox *>(champ))
        liste->setCurrentIndex(valeur.toInt());
    else if (auto *texte = qobject_cast<QLineEdit *>(champ))
        texte->setText(valeur);
    else
        qobject_cast<QSpinBox *>(champ)->setValue(valeur.toInt());
}

// Whether every style that the page's colouring has is readable on its background, and the page is dark.
bool Sombre(TWndHTML *w)
{
    const QsciLexer *coloration = w->EditHTML->lexer();
    for (int style = 0; style < 128; ++style)
        if (!coloration->description(style).isEmpty() &&
            Contraste(coloration->color(style).rgb() & 0xffffff, coloration->paper(style).rgb() & 0xffffff) < 4.5)
            return false;
    return coloration->paper(0).lightness() < 128;
}

} // namespace

class TestDlgPreferences : public CadreDeTest {
    Q_OBJECT

private slots:
    void init() { NouveauCadre(); }
    void cleanup()
    {
        frame->AppliqueSchema(Schema::Clair);
        FermeCadre();
    }

    void okEcritCeQuiChange_data()
    {
        QTest::addColumn<QString>("champ");
        QTest::addColumn<QString>("valeur");
        QTest::addColumn<QString>("ecrit"); // empty: the file is not written
        QTest::newRow("taille de la fonte") << "Taille" << "13" << "Fonte=%1\r\nTaille=13";
        QTest::newRow("navigateur") << "Navigateur" << "%2" << "Navigateur=%2";
        QTest::newRow("navigateur qui n'est pas un programme") << "Navigateur" << "/etc/passwd" << "";
        QTest::newRow("sans orthographe") << "Orthographe" << "" << "Orthographe=0";
        QTest::newRow("balises laissées ouvertes") << "FermerBalises" << "" << "FermerBalises=0";
        QTest::newRow("onglets") << "Onglets" << "" << "Onglets=1";
        QTest::newRow("sans la dernière session") << "RouvrirSession" << "" << "RouvrirSession=0";
        QTest::newRow("fenêtres maximisées") << "FenetresMaximisees" << "" << "FenetresMaximisees=1";
        QTest::newRow("sombre") << "Schema" << "1" << "Schema=Sombre";
        QTest::newRow("comme le bureau") << "Schema" << "2" << "Schema=Bureau";
    }

    // "OK" writes the setting changed, and it alone; the dialog then shows it. "Annuler" writes nothing.
    void okEcritCeQuiChange()
    {
        QFETCH(QString, champ);
        QFETCH(QString, valeur);
        QFETCH(QString, ecrit);
        const QString programme = QCoreApplication::applicationFilePath();
        valeur.replace(QLatin1String("%2"), programme);
        ecrit.replace(QLatin1String("%1"), frame->FonteDocuments().family()).replace(QLatin1String("%2"), programme);
        QString montre;
        const auto valeurDe = [&](QDialog &d) {
            QWidget *w = d.findChild<QWidget *>(champ);
            if (auto *boite = qobject_cast<QCheckBox *>(w))
                return QString::number(boite->isChecked());
            if (auto *liste = qobject_cast<QComboBox *>(w))
                return QString::number(liste->currentIndex());
            if (auto *texte = qobject_cast<QLineEdit *>(w))
                return texte->text();
            return QString::number(qobject_cast<QSpinBox *>(w)->value());
        };
        QString avant;
        script->executions << [&](QDialog &d) {
            avant = valeurDe(d);
            Change(d.findChild<QWidget *>(champ), valeur);
            d.findChild<QAbstractButton *>("OK")->click();
            return d.result();
        };
        script->executions << [&](QDialog &d) {
            montre = valeurDe(d);
            Change(d.findChild<QWidget *>(champ), valeur);
            d.findChild<QAbstractButton *>("Annuler")->click();
            return d.result();
        };
        frame->Preferences();
        frame->Preferences();
        const QByteArray attendu = ecrit.isEmpty() ? QByteArray("<illisible>") : "[Balizo]\r\n" + ecrit.toUtf8() + "\r\n";
        QCOMPARE(Lit(dossier.filePath("Balizo.ini")), attendu);
        QCOMPARE(script->erreurs.size(), ecrit.isEmpty() ? 1 : 0);
        QCOMPARE(montre != avant, !ecrit.isEmpty());
    }

    // The scheme colours the open pages and those opened later; "Comme le bureau" follows the desktop's palette as
    // it changes.
    void schemaColoreLesPages()
    {
        TWndHTML *premiere = OuvrePage("<p class=\"a\">&eacute;<!-- c --><script>var x = 1;</script>");
        QVERIFY(!Sombre(premiere));
        frame->AppliqueSchema(Schema::Sombre);
        QVERIFY(Sombre(premiere));
        QVERIFY(Sombre(OuvrePage("<p>", "seconde.htm")));
        frame->AppliqueSchema(Schema::Bureau);
        QVERIFY(!Sombre(premiere));
        QPalette bureauSombre;
        bureauSombre.setColor(QPalette::Window, Qt::black);
        QApplication::setPalette(bureauSombre);
        QTRY_VERIFY(Sombre(premiere));
        QApplication::setPalette(QPalette());
        QTRY_VERIFY(!Sombre(premiere));
    }
};

QTEST_MAIN(TestDlgPreferences)
#include "tst_dlgpreferences.moc"
