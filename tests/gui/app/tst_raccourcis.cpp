// SPDX-License-Identifier: GPL-3.0-or-later
#include "CadreDeTest.h"

#include "gui/app/ListeCommandes.h"
#include "gui/dialogs/DlgChercher.h"
#include "gui/dialogs/DlgAllerALigne.h"
#include "gui/dialogs/DlgPreferences.h"
#include "gui/tagremoval/SupprimerForm.h"

#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QTabWidget>


class TestRaccourcis : public CadreDeTest {
    Q_OBJECT

private slots:
    void init() { NouveauCadre(); }
    void cleanup() { FermeCadre(); }

    void accelerateursDistinctsEtTousEssayes_data()
    {
        QTest::addColumn<QString>("fenetre");
        QTest::addColumn<int>("page");
        for (int page = 0; page < 3; ++page) {
            QTest::addRow("lien, page %d", page) << "TDlgInsertionHyperlien" << page;
            QTest::addRow("image, page %d", page) << "TDlgInsertionImage" << page;
        }
        for (const char *fenetre : {"TDlgInsertionAncreLocale", "TDlgInsertionTitre", "TDlgChercher", "TDlgRemplacer",
                                    "TSupprimerForm", "TDlgAllerALigne", "TWndCaracteresSpeciaux", "TDlgPreferences",
                                    "TDlgRechercheFichiers"})
            QTest::newRow(fenetre) << fenetre << 0;
    }

    // On every page of every window, the controls in view have access letters no two the same, each label's letter
    // leading to a control that takes the keyboard.
    void accelerateursDistinctsEtTousEssayes()
    {
        QFETCH(QString, fenetre);
        QFETCH(int, page);
        TSupprimerForm supprimer(frame.get());
        TDlgAllerALigne allerALigne(frame.get(), 1, 10);
        TDlgPreferences preferences(frame.get(), *script, {}, {QStringLiteral("fr_FR")});
        QWidget *d = nullptr;
        for (QWidget *w : frame->findChildren<QWidget *>())
            if (fenetre == QLatin1String(w->metaObject()->className()))
                d = w;
        QVERIFY(d);
        // The find and replace buttons have nothing to do, and stay disabled, without a search text.
        if (auto *texte = d->findChild<QLineEdit *>("Texte"))
            texte->setText(QStringLiteral("mot"));
        if (auto *pages = d->findChild<QTabWidget *>())
            pages->setCurrentIndex(page);
        d->show();
        d->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(d));

        QSet<QChar> lettres;
        const auto releve = [&](QWidget *porteur, const QString &texte, QWidget *controle) {
            const QKeySequence touche = QKeySequence::mnemonic(texte);
            if (touche.isEmpty() || !porteur->isVisible())
                return;
            QVERIFY2(controle && controle->isVisible() && controle->focusPolicy() != Qt::NoFocus, qPrintable(texte));
            const QChar lettre(touche[0].key());
            QVERIFY2(!lettres.contains(lettre), qPrintable(lettre));
            lettres.insert(lettre);
        };
        for (QLabel *etiquette : d->findChildren<QLabel *>())
            releve(etiquette, etiquette->text(), etiquette->buddy());
        for (QAbstractButton *bouton : d->findChildren<QAbstractButton *>())
            releve(bouton, bouton->text(), bouton);
    }

    // Every key of the commands, and Scintilla's keys that would cut, delete, swap or change the case of text, which
    // reach no command and leave the text as it was.
    void chaqueTouche_data()
    {
        QTest::addColumn<QKeySequence>("touche");
        QTest::addColumn<QString>("action");
        for (const Commande &commande : Commandes())
            for (const QKeySequence &touche : commande.touches)
                QTest::newRow(qPrintable(touche.toString())) << touche << QString::fromLatin1(commande.nom);
        for (const QKeySequence touche : {Qt::CTRL | Qt::Key_L, Qt::CTRL | Qt::SHIFT | Qt::Key_L, Qt::CTRL | Qt::Key_T,
                                          Qt::CTRL | Qt::SHIFT | Qt::Key_U})
            QTest::newRow(qPrintable(touche.toString())) << touche << QString();
    }

    // Every key reaches its command, and it alone, from the page, with every command of the page enabled.
    void chaqueTouche()
    {
        QFETCH(QKeySequence, touche);
        QFETCH(QString, action);
        TWndHTML *w = OuvrePage("un\nmot\n");
        AuClavier(w);
        w->InsertionTexte("a", "");
        w->InsertionTexte("b", "");
        w->EditionDefaire();
        w->EditHTML->Selectionne(3, 3);
        const QByteArray avant = Texte(w);
        QGuiApplication::clipboard()->setText(QStringLiteral("x"));
        // A dialog that a key opens is cancelled: nothing is printed.
        script->executions << [](QDialog &) { return int(QDialog::Rejected); };
        frame->DlgChercher().findChild<QLineEdit *>("Texte")->setText(QStringLiteral("mot"));
        QStringList declenchees;
        for (QAction *commande : frame->findChildren<QAction *>())
            connect(commande, &QAction::triggered, this, [&declenchees, commande] {
                declenchees << commande->objectName();
            });
        QTest::keySequence(w->EditHTML, touche);
        QCOMPARE(declenchees, action.isEmpty() ? QStringList() : QStringList{action});
        if (action.isEmpty())
            QCOMPARE(Texte(w), avant);
    }

    // In the menu bar and in each menu, every item has its own access letter.
    void lettresDesMenus()
    {
        Ouvre(Fichier("page.htm"));
        QList<QList<QAction *>> listes{frame->menuBar()->actions()};
        for (const Rangee &menu : Menus())
            listes << frame->Menu(menu.nom)->actions();
        for (const QList<QAction *> &actions : std::as_const(listes)) {
            QStringList lettres;
            for (QAction *action : actions)
                if (!action->isSeparator())
                    lettres << QKeySequence::mnemonic(action->text()).toString().toLower();
            const QSet<QString> distinctes(lettres.begin(), lettres.end());
            QVERIFY2(!lettres.contains(QString()) && distinctes.size() == lettres.size(), qPrintable(lettres.join(u' ')));
        }
    }

    // The keys of undoing and redoing right after typing, as the page was opened, saved or taken back. Each step is
    // a key ("Ctrl+Z", "Home"...), a text typed, or "~": the events of the keystrokes are done, as between keys that
    // a user types.
    void defaireApresLaFrappe_data()
    {
        QTest::addColumn<QString>("etapes");
        QTest::addColumn<QByteArray>("attendu");
        QTest::newRow("Ctrl+Z sur une page à peine ouverte") << "X Ctrl+Z" << QByteArray("un\n");
        QTest::newRow("Ctrl+Y après Ctrl+Z") << "X Ctrl+Z Ctrl+Y Y" << QByteArray("XYun\n");
        QTest::newRow("Ctrl+Maj+Z après Ctrl+Z") << "X Ctrl+Z Ctrl+Shift+Z Y" << QByteArray("XYun\n");
        QTest::newRow("frappe après être revenu avant l'enregistrement")
            << "X Ctrl+S Ctrl+Z Y ~ Ctrl+Z" << QByteArray("un\n");
        QTest::newRow("Ctrl+Y après Ctrl+Z, loin de l'enregistrement")
            << "X Ctrl+S Y Home Z ~ Ctrl+Z Ctrl+Y" << QByteArray("ZXYun\n");
    }

    void defaireApresLaFrappe()
    {
        QFETCH(QString, etapes);
        TWndHTML *w = OuvrePage("un\n");
        AuClavier(w);
        for (const QString &etape : etapes.split(u' ')) {
            if (etape.size() > 1)
                QTest::keySequence(w->EditHTML, QKeySequence(etape));
            else if (etape == u'~')
                QCoreApplication::processEvents();
            else
                QTest::keyClicks(w->EditHTML, etape);
        }
        QTEST(Texte(w), "attendu");
    }

    // The zoom keys zoom the page, and Ctrl+0 brings it back to its size.
    void zoom()
    {
        TWndHTML *w = OuvrePage("un\n");
        AuClavier(w);
        QTest::keyClick(w->EditHTML, Qt::Key_Equal, Qt::ControlModifier);
        QCOMPARE(w->EditHTML->SendScintilla(QsciScintillaBase::SCI_GETZOOM), 1L);
        QTest::keyClick(w->EditHTML, Qt::Key_0, Qt::ControlModifier);
        QCOMPARE(w->EditHTML->SendScintilla(QsciScintillaBase::SCI_GETZOOM), 0L);
    }
};

QTEST_MAIN(TestRaccourcis)
#include "tst_raccourcis.moc"
