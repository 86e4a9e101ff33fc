#include "CadreDeTest.h"

#include "gui/settings/CheminsQt.h"

#include <QDir>
#include <QFontMetrics>
#include <QPrintDialog>
#include <QPrinter>

namespace {

// "ligne 0\n" to "ligne n-1\n".
QByteArray Lignes(int nombre)
{
    QByteArray texte;
    for (int ligne = 0; ligne < nombre; ++ligne)
        texte += "ligne " + QByteArray::number(ligne) + '\n';
    return texte;
}

// The caret as "ligne:colonne".
QString Curseur(TWndHTML *w)
{
    int ligne = 0;
    int colonne = 0;
    w->EditHTML->getCursorPosition(&ligne, &colonne);
    return QStringLiteral("%1:%2").arg(ligne).arg(colonne);
}

} // namespace

class TestCourantes : public CadreDeTest {
    Q_OBJECT

private slots:
    void init() { NouveauCadre(); }
    void cleanup() { FermeCadre(); }

    // Ctrl+A and the menu select the whole text, wherever the caret is: neither Scintilla nor another command takes
    // the key.
    void toutSelectionner_data()
    {
        QTest::addColumn<bool>("clavier");
        QTest::newRow("Ctrl+A dans le texte") << true;
        QTest::newRow("menu Edition") << false;
    }

    void toutSelectionner()
    {
        QFETCH(bool, clavier);
        TWndHTML *w = OuvrePage("<P>un\r\n<P>deux é\r\n");
        AuClavier(w);
        w->EditHTML->Selectionne(5, 2);
        if (clavier)
            QTest::keySequence(w->EditHTML, QKeySequence::SelectAll);
        else
            frame->Action("ToutSelectionner")->trigger();
        QCOMPARE(Selection(w), QStringLiteral("0+%1").arg(Texte(w).size()));
    }

    // The modified pages are saved from the front to the back; one without a name asks for it, and a refusal stops
    // there, says so and shows that page: those saved before it stay saved, those after it modified.
    void enregistrerTout_data()
    {
        QTest::addColumn<bool>("nomme");
        QTest::newRow("page sans nom refusée") << false;
        QTest::newRow("page sans nom nommée") << true;
    }

    void enregistrerTout()
    {
        QFETCH(bool, nomme);
        TWndHTML *derriere = OuvrePage("<P>a", QStringLiteral("derriere.htm"));
        OuvrePage("<P>i", QStringLiteral("intacte.htm"));
        frame->FileNew();
        TWndHTML *sansNom = frame->FenetreActive();
        TWndHTML *devant = OuvrePage("<P>b", QStringLiteral("devant.htm"));
        for (TWndHTML *w : {derriere, devant})
            w->InsertionTexte("X", "");
        if (nomme)
            script->fichiers << dossier.filePath("nouvelle.htm");
        script->dialogues.clear();
        frame->Action("EnregistrerTout")->trigger();

        QCOMPARE(Lit(dossier.filePath("devant.htm")), QByteArray("X<P>b"));
        QCOMPARE(Lit(dossier.filePath("intacte.htm")), QByteArray("<P>i"));
        QCOMPARE(Lit(dossier.filePath("derriere.htm")), nomme ? QByteArray("X<P>a") : QByteArray("<P>a"));
        QCOMPARE(derriere->EditHTML->isModified(), !nomme);
        QCOMPARE(sansNom->EditHTML->isModified(), !nomme);
        QCOMPARE(script->dialogues.size(), 1);
        QCOMPARE(script->erreurs.size(), nomme ? 0 : 1);
        QCOMPARE(frame->FenetreActive(), nomme ? devant : sansNom);
        if (!nomme)
            QVERIFY2(script->erreurs.first().contains(QStringLiteral("Sans Nom")), qPrintable(script->erreurs.first()));
    }

    // "Recharger" reads the file again, after asking when the page is modified, and keeps the caret and the first
    // line in view as far as the new text reaches; a file gone or one that cannot be read leaves the page as it was.
    // The page has 100 lines, the caret on the 50th (third column), the 40th first in view.
    void recharger_data()
    {
        QTest::addColumn<QByteArray>("disque");
        QTest::addColumn<bool>("modifiee");
        QTest::addColumn<bool>("oui");
        QTest::addColumn<bool>("relue");
        QTest::addColumn<QString>("curseur");
        QTest::addColumn<int>("premiere");
        QTest::addColumn<int>("questions");

        const QByteArray autre = Lignes(120).replace("ligne", "LIGNE");
        QTest::newRow("non modifiée: relue sans question") << autre << false << false << true << "49:3" << 40 << 0;
        QTest::newRow("modifiée, Oui: relue") << autre << true << true << true << "49:3" << 40 << 1;
        QTest::newRow("modifiée, Non: gardée") << autre << true << false << false << "49:3" << 40 << 1;
        QTest::newRow("fichier plus court: curseur à la fin") << QByteArray("un\ndeux trois") << false << false
                                                               << true << "1:10" << 0 << 0;
        QTest::newRow("fichier supprimé") << QByteArray() << true << true << false << "49:3" << 40 << 0;
        QTest::newRow("dossier à la place du fichier") << QByteArray("/") << true << true << false << "49:3" << 40
                                                        << 0;
    }

    void recharger()
    {
        QFETCH(QByteArray, disque);
        QFETCH(bool, modifiee);
        QFETCH(bool, oui);
        QFETCH(bool, relue);
        QFETCH(int, questions);
        TWndHTML *w = OuvrePage(Lignes(100), QStringLiteral("relue.htm"));
        AuClavier(w);
        if (modifiee)
            w->EditHTML->Remplace(0, 0, "X");
        const QByteArray avant = Texte(w);
        w->EditHTML->setCursorPosition(49, 3);
        w->EditHTML->setFirstVisibleLine(40);
        const QString chemin = dossier.filePath("relue.htm");
        QFile::remove(chemin);
        if (disque == "/")
            QVERIFY(QDir().mkdir(chemin));
        else if (!disque.isEmpty())
            Ecrit(chemin, disque);
        script->ouiNon << oui;
        frame->Action("Recharger")->trigger();

        QCOMPARE(Texte(w), relue ? disque : avant);
        QCOMPARE(w->EditHTML->isModified(), !relue && modifiee);
        QTEST(Curseur(w), "curseur");
        QTEST(w->EditHTML->firstVisibleLine(), "premiere");
        QCOMPARE(script->questions.size(), questions);
        QCOMPARE(script->erreurs.size(), relue || questions ? 0 : 1);
    }

    // A page of two and a half pages' worth of lines prints on three pages, through the print dialog into a PDF
    // file.
    void imprimerEnPdf()
    {
        const QString pdf = dossier.filePath("page.pdf");
        int lignesParPage = 0;
        script->executions << [&](QDialog &dialogue) {
            QPrinter &imprimante = *static_cast<QPrintDialog &>(dialogue).printer();
            imprimante.setOutputFileName(pdf);
            const int resolution = imprimante.resolution();
            lignesParPage = imprimante.pageLayout().paintRectPixels(resolution).height() /
                            QFontMetrics(frame->FonteDocuments(), &imprimante).height();
            return int(QDialog::Accepted);
        };
        TWndHTML *w = OuvrePage("<P>");
        frame->Action("Imprimer")->trigger();
        QVERIFY(lignesParPage > 10);
        w->EditHTML->RemplaceTout(Lignes(lignesParPage * 5 / 2).toStdString());
        script->executions << [&](QDialog &) { return int(QDialog::Accepted); };
        frame->Action("Imprimer")->trigger();

        const QByteArray octets = Lit(pdf);
        QVERIFY(octets.startsWith("%PDF-"));
        QCOMPARE(octets.count("/Type /Page\n"), 3);
        QVERIFY(script->erreurs.isEmpty());
    }
};

QTEST_MAIN(TestCourantes)
#include "tst_courantes.moc"
