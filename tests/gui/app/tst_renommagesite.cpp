// SPDX-License-Identifier: GPL-3.0-or-later
#include "CadreDeTest.h"

#include "gui/site/PanneauSite.h"

#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>

class TestRenommageSite : public CadreDeTest {
    Q_OBJECT

    // The user writes the new path, from the site's folder, in place of the old one.
    void Nomme(const QString &nouveau)
    {
        script->executions << [nouveau](QDialog &dialogue) {
            dialogue.findChild<QLineEdit *>("nouveau")->setText(nouveau);
            return int(QDialog::Accepted);
        };
    }

private slots:
    void init()
    {
        NouveauCadre();
        QVERIFY(QDir(dossier.path()).mkpath("sous"));
    }

    void cleanup() { FermeCadre(); }

    // A page moved from the site panel: an open page that links to it changes in its window, unsaved, as one undo step;
    // the moved page's window follows it and its own links change there; a page not open is written; the report
    // lists every link changed.
    void deplace()
    {
        TWndHTML *index = OuvrePage("<a href=a.htm>", "index.htm");
        index->EditHTML->insert("<p>");
        TWndHTML *page = Ouvre(Fichier("a.htm", "<a href=index.htm>"));
        Fichier("sous/b.htm", "<a href=\"../a.htm#x\">");
        Nomme("pages/a2.htm");
        QStringList liens;
        script->executions << [&](QDialog &dialogue) {
            liens = dialogue.findChild<QPlainTextEdit *>("liens")->toPlainText().split('\n', Qt::SkipEmptyParts);
            return 0;
        };
        emit frame->PanneauSite().Renommer(dossier.filePath("a.htm"));
        QCOMPARE(script->erreurs, QStringList());
        QVERIFY(QFileInfo::exists(dossier.filePath("pages/a2.htm")) && !QFileInfo::exists(dossier.filePath("a.htm")));
        QCOMPARE(page->FileName, dossier.filePath("pages/a2.htm"));
        QCOMPARE(Texte(page), "<a href=../index.htm>");
        QCOMPARE(Texte(index), "<p><a href=pages/a2.htm>");
        QCOMPARE(Lit(dossier.filePath("index.htm")), "<a href=a.htm>");
        QCOMPARE(Lit(dossier.filePath("sous/b.htm")), "<a href=\"../pages/a2.htm#x\">");
        QCOMPARE(liens.size(), 3);
        QVERIFY2(liens.contains("index.htm:1:12: a.htm -> pages/a2.htm"),
                 qPrintable(liens.join('\n')));
        index->EditionDefaire();
        QCOMPARE(Texte(index), "<p><a href=a.htm>");
    }

    // A name already taken is refused and nothing moves; a dialog cancelled does nothing.
    void refuse()
    {
        OuvrePage("<a href=a.htm>", "index.htm");
        Fichier("a.htm");
        Nomme("index.htm");
        frame->RenommeDansLeSite(dossier.filePath("a.htm"));
        script->executions << [](QDialog &) { return int(QDialog::Rejected); };
        frame->RenommeDansLeSite(dossier.filePath("a.htm"));
        QCOMPARE(script->erreurs, QStringList{"« " + dossier.filePath("index.htm") + " » existe déjà."});
        QVERIFY(QFileInfo::exists(dossier.filePath("a.htm")));
        QCOMPARE(script->dialoguesExecutes, QStringList(2, "Renommer ou déplacer"));
    }
};

QTEST_MAIN(TestRenommageSite)
#include "tst_renommagesite.moc"
