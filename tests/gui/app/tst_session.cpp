// SPDX-License-Identifier: GPL-3.0-or-later
#include "CadreDeTest.h"

#include <QMdiArea>
#include <QMdiSubWindow>

class TestSession : public CadreDeTest {
    Q_OBJECT

    QMdiArea *Zone() const { return frame->findChild<QMdiArea *>(); }

    // The pages in the order of the tabs, as "name caret/first line", the active one marked.
    QStringList Pages() const
    {
        QStringList pages;
        for (QMdiSubWindow *cadre : Zone()->subWindowList(QMdiArea::CreationOrder)) {
            auto *w = qobject_cast<TWndHTML *>(cadre->widget());
            pages << QStringLiteral("%1 %2/%3").arg(QFileInfo(w->FileName).fileName()).arg(w->EditHTML->SelStart())
                             .arg(w->EditHTML->firstVisibleLine()) + (w == frame->FenetreActive() ? " *" : "");
        }
        return pages;
    }

    // Starts again on the same settings, with no file named.
    void Redemarre()
    {
        frame.reset();
        NouveauCadre();
        frame->Session().Demarrage({});
    }

private slots:
    void init() { NouveauCadre(); }

    void cleanup() { FermeCadre(); }

    // Quit with four pages and an untitled one, the second in front; the next start opens the three pages whose
    // files are still there, in their order, the same one in front, each where it was left; nothing comes back
    // when the settings say so.
    void derniereSession()
    {
        QStringList noms;
        for (int rang = 0; rang < 4; ++rang) {
            noms << Fichier(QStringLiteral("%1.htm").arg(rang), QByteArray("<P>\n").repeated(200));
            TWndHTML *w = Ouvre(noms.last());
            w->EditHTML->Selectionne(100 * rang + 20, 0);
            w->EditHTML->setFirstVisibleLine(10 * rang);
        }
        frame->FileNew();
        frame->FenetreActive()->EditHTML->setModified(false);
        frame->Active(frame->Fenetres()[3]);
        QVERIFY(frame->close());
        QVERIFY(QFile::remove(noms[2]));
        Redemarre();
        QCOMPARE(Pages(), (QStringList{"0.htm 20/0", "1.htm 120/10 *", "3.htm 320/30"}));

        QVERIFY(frame->FichierParametres().EcritRouvrirSession(false));
        Redemarre();
        QCOMPARE(Pages(), QStringList());
    }

    // "&Onglets" shows the pages as tabs until it is unchecked, and the next start remembers it; new windows open
    // maximised when the settings say so.
    void onglets()
    {
        frame->findChild<QAction *>("Onglets")->trigger();
        frame.reset();
        NouveauCadre();
        QVERIFY(Zone()->viewMode() == QMdiArea::TabbedView && !frame->Action("Cascade")->isEnabled());
        frame->findChild<QAction *>("Onglets")->trigger();
        QCOMPARE(Zone()->viewMode(), QMdiArea::SubWindowView);
        QVERIFY(frame->FichierParametres().EcritFenetresMaximisees(true));
        frame->FileNew();
        QVERIFY(Zone()->currentSubWindow()->isMaximized());
    }
};

QTEST_MAIN(TestSession)
#include "tst_session.moc"
