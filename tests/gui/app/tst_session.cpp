#include "CadreDeTest.h"

#include <QMdiArea>
#include <QMdiSubWindow>

class TestSession : public CadreDeTest {
    Q_OBJECT

    QMdiArea *Zone() const { return frame->findChild<QMdiArea *>(); }

    // The pages as the tabs show them, each as "name caret/first line", the active one marked.
    QStringList Pages() const
    {
        QStringList pages;
        for (QMdiSubWindow *cadre : Zone()->subWindowList(QMdiArea::CreationOrder)) {
            auto *w = qobject_cast<TWndHTML *>(cadre->widget());
            pages << QStringLiteral("%1 %2/%3%4")
                         .arg(QFileInfo(w->FileName).fileName())
                         .arg(w->EditHTML->SendScintilla(QsciScintilla::SCI_GETCURRENTPOS))
                         .arg(w->EditHTML->firstVisibleLine())
                         .arg(w == frame->FenetreActive() ? QStringLiteral(" *") : QString());
        }
        return pages;
    }

    // A page of two hundred lines of ten bytes.
    QString Page(const QString &nom)
    {
        QByteArray texte;
        for (int ligne = 0; ligne < 200; ++ligne)
            texte += QByteArray::number(1000000 + ligne).append("<P>\n");
        return Fichier(nom, texte.replace("1", "0"));
    }

    // Starts again on the same settings, with no file named.
    void Redemarre()
    {
        frame.reset();
        NouveauCadre();
        frame->Session().Demarrage({});
        frame->Session().ProposeRecuperation();
    }

private slots:
    void init() { NouveauCadre(); }

    void cleanup() { FermeCadre(); }

    // Quit with four pages and an untitled one, the second in front; the next start opens the three pages whose
    // files are still there, in their order, the same one in front, each where it was left. The positions kept
    // come back at a later opening too, within a file that has shrunk.
    void derniereSession()
    {
        frame->show();
        const QStringList noms{Page("a.htm"), Page("b.htm"), Page("c.htm"), Page("d.htm")};
        for (int rang = 0; rang < noms.size(); ++rang) {
            TWndHTML *w = Ouvre(noms[rang]);
            w->EditHTML->Selectionne(100 * rang + 22, 0);
            w->EditHTML->setFirstVisibleLine(10 * rang);
        }
        frame->FileNew();
        frame->FenetreActive()->EditHTML->setModified(false);
        frame->Active(frame->Fenetres()[3]);
        QVERIFY(frame->close());
        QVERIFY(QFile::remove(noms[2]));
        Redemarre();
        QCOMPARE(Pages(), (QStringList{"a.htm 22/0", "b.htm 122/10 *", "d.htm 322/30"}));

        frame.reset();
        Ecrit(noms[3], "<P>\n<P>");
        NouveauCadre();
        frame->Session().Ouvre(noms[3]);
        QCOMPARE(Pages(), QStringList{"d.htm 7/1 *"});
    }

    // Nothing comes back when the setting says so.
    void sansSession()
    {
        Ouvre(Page("a.htm"));
        QVERIFY(frame->close());
        QVERIFY(frame->FichierParametres().EcritRouvrirSession(false));
        Redemarre();
        QCOMPARE(Pages(), QStringList());
    }

    // "&Onglets" shows the pages as tabs until it is unchecked, and the next start remembers it; new windows open
    // maximised when the settings say so.
    void onglets()
    {
        QAction *onglets = frame->findChild<QAction *>("Onglets");
        onglets->trigger();
        QCOMPARE(Zone()->viewMode(), QMdiArea::TabbedView);
        QVERIFY(!frame->Action("Cascade")->isEnabled());
        frame.reset();
        NouveauCadre();
        QCOMPARE(Zone()->viewMode(), QMdiArea::TabbedView);
        frame->findChild<QAction *>("Onglets")->trigger();
        QCOMPARE(Zone()->viewMode(), QMdiArea::SubWindowView);
        QVERIFY(frame->Action("Cascade")->isEnabled());
        frame->FileNew();
        QVERIFY(!Zone()->currentSubWindow()->isMaximized());
        QVERIFY(frame->FichierParametres().EcritFenetresMaximisees(true));
        frame->FileNew();
        QVERIFY(Zone()->currentSubWindow()->isMaximized());
        for (TWndHTML *w : frame->Fenetres())
            w->EditHTML->setModified(false);
    }
};

QTEST_MAIN(TestSession)
#include "tst_session.moc"
