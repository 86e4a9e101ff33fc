#include "core/document/GrandDocument.h"
#include "gui/document/EditHTML.h"

#include <QtTest>

#include <string>

// The aids while typing in the text control, driven by keys as a user types them.
class TestSaisie : public QObject {
    Q_OBJECT

private slots:
    void pliage_data()
    {
        QTest::addColumn<QByteArray>("texte");
        QTest::addColumn<bool>("pliable");

        QTest::newRow("page colorée: ses éléments se replient") << QByteArray("<div>\n<p>un</p>\n</div>\n") << true;
        QTest::newRow("ligne trop longue pour la coloration: pas de marge de pliage")
            << QByteArray("<div>\n") + QByteArray(LongueurMaximaleDeLigne + 1, 'x') + "\n</div>\n" << false;
    }

    void pliage()
    {
        QFETCH(QByteArray, texte);
        QFETCH(bool, pliable);
        TEditHTML edit;
        edit.Remplit(texte.toStdString(), FinDeLigne::Lf);
        const std::uint64_t generation = edit.Generation();
        edit.SendScintilla(QsciScintillaBase::SCI_COLOURISE, 0UL, -1L);
        QCOMPARE(edit.Pliable(), pliable);
        QCOMPARE(edit.SendScintilla(QsciScintillaBase::SCI_GETMARGINWIDTHN, 2UL) > 0, pliable);
        QCOMPARE((edit.SendScintilla(QsciScintillaBase::SCI_GETFOLDLEVEL, 0UL) & QsciScintillaBase::SC_FOLDLEVELHEADERFLAG) != 0,
                 pliable);
        // The fold levels that the colouring sets are no change of the text.
        QCOMPARE(edit.Generation(), generation);
    }
};

QTEST_MAIN(TestSaisie)
#include "tst_saisie.moc"
