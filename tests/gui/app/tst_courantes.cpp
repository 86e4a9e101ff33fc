// SPDX-License-Identifier: GPL-3.0-or-later
#include "CadreDeTest.h"

#include "gui/document/Impression.h"

class TestCourantes : public CadreDeTest {
    Q_OBJECT

private slots:
    void init() { NouveauCadre(); }
    void cleanup() { FermeCadre(); }

    // Ctrl+A selects the whole page: neither Scintilla nor another command takes it from "Tout sélectionner".
    void toutSelectionnerAuClavier()
    {
        TWndHTML *w = OuvrePage("<P>un\r\n<P>deux é\r\n");
        AuClavier(w);
        QTest::keySequence(w->EditHTML, QKeySequence::SelectAll);
        QCOMPARE(Selection(w), QStringLiteral("0+%1").arg(Texte(w).size()));
    }

    // A page whose name is refused stops the saving, says so and shows it: the pages in front of it stay saved.
    void enregistrerToutArreteSurUnRefus()
    {
        TWndHTML *derriere = OuvrePage("a", QStringLiteral("derriere.htm"));
        frame->FileNew();
        TWndHTML *sansNom = frame->FenetreActive();
        TWndHTML *devant = OuvrePage("b", QStringLiteral("devant.htm"));
        for (TWndHTML *w : {derriere, devant})
            w->InsertionTexte("X", "");
        frame->Action("EnregistrerTout")->trigger();
        QCOMPARE(Lit(dossier.filePath("devant.htm")) + Lit(dossier.filePath("derriere.htm")), QByteArray("Xba"));
        QVERIFY(sansNom->EditHTML->isModified() && derriere->EditHTML->isModified());
        QCOMPARE(frame->FenetreActive(), sansNom);
        QCOMPARE(script->erreurs.size(), 1);
    }

    // A page of 100 lines, the caret on the 50th (fourth column), the 41st first in view, modified when answering.
    void recharger_data()
    {
        QTest::addColumn<QByteArray>("disque"); // the file at the reload, none when empty
        QTest::addColumn<QString>("reponse");
        QTest::addColumn<bool>("relue");
        QTest::addColumn<int>("position"); // of the caret after it
        const QByteArray autre = QByteArray("LIGNE\n").repeated(120);
        QTest::newRow("modifiée, Oui: relue") << autre << "Oui" << true << 49 * 6 + 3;
        QTest::newRow("modifiée, Non: gardée") << autre << "Non" << false << 49 * 6 + 4;
        QTest::newRow("plus courte: curseur à la fin") << QByteArray("un\ndeux") << QString() << true << 7;
        QTest::newRow("fichier supprimé: gardée, sans question") << QByteArray() << "Oui" << false << 49 * 6 + 4;
    }

    void recharger()
    {
        QFETCH(QByteArray, disque);
        QFETCH(QString, reponse);
        QFETCH(bool, relue);
        TWndHTML *w = OuvrePage(QByteArray("ligne\n").repeated(100));
        AuClavier(w);
        if (!reponse.isEmpty())
            w->EditHTML->Remplace(0, 0, "X");
        const QByteArray avant = Texte(w);
        w->EditHTML->setCursorPosition(49, 3);
        w->EditHTML->setFirstVisibleLine(40);
        disque.isEmpty() ? void(QFile::remove(w->FileName)) : Ecrit(w->FileName, disque);
        script->ouiNon << (reponse == "Oui");
        frame->Action("Recharger")->trigger();
        QCOMPARE(Texte(w), relue ? disque : avant);
        QCOMPARE(w->EditHTML->isModified(), !relue);
        QTEST(int(w->EditHTML->SelStart()), "position");
        QCOMPARE(w->EditHTML->firstVisibleLine(), disque.size() > 100 || !relue ? 40 : 0);
        QCOMPARE(script->questions.size(), reponse.isEmpty() || disque.isEmpty() ? 0 : 1);
        QCOMPARE(script->erreurs.size(), disque.isEmpty() ? 1 : 0);
    }

    // Two and a half pages' worth of lines print into a PDF file of three pages.
    void imprimerEnPdf()
    {
        QsciPrinter imprimante(QPrinter::HighResolution);
        imprimante.setOutputFileName(dossier.filePath("page.pdf"));
        const int lignesParPage = imprimante.pageLayout().paintRectPixels(imprimante.resolution()).height() /
                                  QFontMetrics(frame->FonteDocuments(), &imprimante).height();
        TWndHTML *w = OuvrePage(QByteArray("ligne\n").repeated(lignesParPage * 5 / 2));
        QVERIFY(ImprimeTexte(*w->EditHTML, imprimante));
        const QByteArray pdf = Lit(dossier.filePath("page.pdf"));
        QCOMPARE(pdf.left(5) + QByteArray::number(pdf.count("/Type /Page\n")), QByteArray("%PDF-3"));
    }
};

QTEST_MAIN(TestCourantes)
#include "tst_courantes.moc"
