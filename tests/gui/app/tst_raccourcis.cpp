#include "CadreDeTest.h"

#include "core/document/TextPairs.h"
#include "gui/dialogs/DlgInsertionAncreLocale.h"
#include "gui/dialogs/DlgChercher.h"
#include "gui/dialogs/DlgInsertionHyperlien.h"
#include "gui/dialogs/DlgInsertionImage.h"
#include "gui/dialogs/DlgRemplacer.h"
#include "gui/dialogs/DlgInsertionTitre.h"
#include "gui/tagremoval/SupprimerForm.h"

#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>

#include <optional>

class TestRaccourcis : public CadreDeTest {
    Q_OBJECT

    std::unique_ptr<TSupprimerForm> supprimer;

    QDialog *Dialogue(const QString &classe)
    {
        const std::pair<const char *, QDialog *> dialogues[] = {
            {"TDlgInsertionHyperlien", &frame->DlgHyperlien()}, {"TDlgInsertionAncreLocale", &frame->DlgAncreLocale()},
            {"TDlgInsertionImage", &frame->DlgImage()},         {"TDlgInsertionTitre", &frame->DlgTitre()},
            {"TDlgChercher", &frame->DlgChercher()},            {"TSupprimerForm", supprimer.get()},
            {"TDlgRemplacer", &frame->DlgRemplacer()},
        };
        for (const auto &[nom, dialogue] : dialogues)
            if (classe == QLatin1String(nom))
                return dialogue;
        return nullptr;
    }

    // Presses Alt and the letter, the focus elsewhere: a check box or a radio button is clicked and takes the focus,
    // a push button is clicked where the focus is, any other control takes the focus.
    static void Essaie(QDialog *d, QChar lettre, QWidget *controle)
    {
        QWidget *focus = controle;
        while (focus->focusProxy())
            focus = focus->focusProxy();
        for (QPushButton *bouton : d->findChildren<QPushButton *>())
            if (bouton != controle && bouton->isVisible()) {
                bouton->setFocus();
                break;
            }
        QVERIFY(QApplication::focusWidget() != focus);
        auto *bouton = qobject_cast<QAbstractButton *>(controle);
        const bool coche = bouton && bouton->isChecked();
        std::optional<QSignalSpy> clics;
        if (bouton)
            clics.emplace(bouton, &QAbstractButton::clicked);
        QTest::keyClick(d, Qt::Key(lettre.toUpper().unicode()), Qt::AltModifier);
        if (bouton) {
            QTRY_COMPARE(clics->size(), 1);
            QCOMPARE(bouton->isChecked(), bouton->isCheckable() && !coche);
        }
        if (!bouton || bouton->isCheckable())
            QCOMPARE(QApplication::focusWidget(), focus);
    }

private slots:
    void init()
    {
        NouveauCadre();
        supprimer = std::make_unique<TSupprimerForm>(frame.get());
    }

    void cleanup()
    {
        supprimer.reset();
        FermeCadre();
    }

    void accelerateursDistinctsEtTousEssayes_data()
    {
        QTest::addColumn<QString>("dialogue");
        QTest::addColumn<int>("page");
        for (int page = 0; page < 3; ++page) {
            QTest::addRow("lien, page %d", page) << "TDlgInsertionHyperlien" << page;
            QTest::addRow("image, page %d", page) << "TDlgInsertionImage" << page;
        }
        for (const char *dialogue : {"TDlgInsertionAncreLocale", "TDlgInsertionTitre", "TDlgChercher", "TDlgRemplacer",
                                     "TSupprimerForm"})
            QTest::newRow(dialogue) << dialogue << 0;
    }

    // On every page of every dialog, the controls in view have access letters no two the same, and each letter
    // reaches its control: the one that its label names, or the button.
    void accelerateursDistinctsEtTousEssayes()
    {
        QFETCH(QString, dialogue);
        QFETCH(int, page);
        QDialog *d = Dialogue(dialogue);
        // The find and replace buttons have nothing to do, and stay disabled, without a search text.
        if (auto *texte = d->findChild<QLineEdit *>("Texte"))
            texte->setText(QStringLiteral("mot"));
        if (auto *pages = d->findChild<QTabWidget *>())
            pages->setCurrentIndex(page);
        d->show();
        d->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(d));

        QList<std::pair<QChar, QWidget *>> acces;
        const auto releve = [&](QWidget *porteur, const QString &texte, QWidget *controle) {
            const QKeySequence touche = QKeySequence::mnemonic(texte);
            if (touche.isEmpty() || !porteur->isVisible())
                return;
            QVERIFY2(controle, qPrintable(texte));
            acces.append({QChar(touche[0].key()), controle});
        };
        for (QLabel *etiquette : d->findChildren<QLabel *>())
            releve(etiquette, etiquette->text(), etiquette->buddy());
        for (QAbstractButton *bouton : d->findChildren<QAbstractButton *>())
            releve(bouton, bouton->text(), bouton);
        QSet<QChar> lettres;
        for (const auto &[lettre, controle] : std::as_const(acces)) {
            QVERIFY2(!lettres.contains(lettre), qPrintable(lettre));
            lettres.insert(lettre);
        }
        for (const auto &[lettre, controle] : std::as_const(acces))
            Essaie(d, lettre, controle);
    }

    // The keys of the formatting commands wrap the selection; Scintilla's keys that would cut, delete, swap,
    // duplicate or change the case of text do nothing.
    void touchesDuTexte_data()
    {
        QTest::addColumn<QKeyCombination>("touche");
        QTest::addColumn<int>("paire");
        QTest::newRow("Ctrl+B") << (Qt::CTRL | Qt::Key_B) << int(PaireGras);
        QTest::newRow("Ctrl+I") << (Qt::CTRL | Qt::Key_I) << int(PaireItalique);
        QTest::newRow("Ctrl+U") << (Qt::CTRL | Qt::Key_U) << int(PaireSouligne);
        QTest::newRow("Ctrl+Entrée") << (Qt::CTRL | Qt::Key_Return) << int(PaireP);
        QTest::newRow("Maj+Entrée") << (Qt::SHIFT | Qt::Key_Return) << int(PaireBR);
        QTest::newRow("Ctrl+Maj+Espace") << (Qt::CTRL | Qt::SHIFT | Qt::Key_Space) << int(PaireNbsp);
        for (const QKeyCombination touche : {Qt::CTRL | Qt::Key_L, Qt::CTRL | Qt::SHIFT | Qt::Key_L, Qt::CTRL | Qt::Key_T,
                                             Qt::CTRL | Qt::Key_D, Qt::CTRL | Qt::SHIFT | Qt::Key_U})
            QTest::newRow(qPrintable(QKeySequence(touche).toString())) << touche << -1;
    }

    void touchesDuTexte()
    {
        QFETCH(QKeyCombination, touche);
        QFETCH(int, paire);
        TWndHTML *w = Ouvre(Fichier("page.htm", "un\nmot\n"));
        frame->show();
        frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame.get()));
        w->EditHTML->setFocus();
        w->EditHTML->Selectionne(3, 3);
        QTest::keyClick(w->EditHTML, touche.key(), touche.keyboardModifiers());
        const QByteArray attendu =
            paire < 0 ? QByteArray("un\nmot\n")
                      : "un\n" + QByteArray(TextPairs[paire].ouverture.data()) + "mot" +
                            QByteArray(TextPairs[paire].fermeture.data()) + "\n";
        QCOMPARE(Texte(w), attendu);
    }

    void chaqueTouche_data()
    {
        QTest::addColumn<QKeySequence>("touche");
        QTest::addColumn<QString>("action");
        const std::pair<QKeySequence, const char *> touches[] = {
            {Qt::CTRL | Qt::Key_N, "Nouveau"},
            {Qt::CTRL | Qt::Key_O, "Ouvrir"},
            {Qt::CTRL | Qt::Key_S, "Enregistrer"},
            {Qt::CTRL | Qt::SHIFT | Qt::Key_S, "EnregistrerSous"},
            {Qt::CTRL | Qt::Key_W, "Fermer"},
            {Qt::CTRL | Qt::Key_F4, "Fermer"},
            {Qt::Key_F5, "Apercu"},
            {Qt::CTRL | Qt::Key_Q, "Quitter"},
            {Qt::CTRL | Qt::Key_Z, "Defaire"},
            {Qt::CTRL | Qt::SHIFT | Qt::Key_Z, "Retablir"},
            {Qt::CTRL | Qt::Key_Y, "Retablir"},
            {Qt::CTRL | Qt::Key_X, "Couper"},
            {Qt::CTRL | Qt::Key_C, "Copier"},
            {Qt::CTRL | Qt::Key_V, "Coller"},
            {Qt::CTRL | Qt::Key_F, "Chercher"},
            {Qt::Key_F3, "Suivant"},
            {Qt::CTRL | Qt::Key_H, "Remplacer"},
            {Qt::CTRL | Qt::Key_G, "AllerALigne"},
            {Qt::Key_F7, "VerifierPage"},
            {Qt::Key_F8, "ProblemeSuivant"},
            {Qt::SHIFT | Qt::Key_F8, "ProblemePrecedent"},
            {Qt::CTRL | Qt::Key_B, "Gras"},
            {Qt::CTRL | Qt::Key_I, "Italique"},
            {Qt::CTRL | Qt::Key_U, "Souligne"},
            {Qt::CTRL | Qt::Key_Return, "Paragraphe"},
            {Qt::SHIFT | Qt::Key_Return, "BR"},
            {Qt::CTRL | Qt::SHIFT | Qt::Key_Space, "EspaceInsecable"},
            {Qt::CTRL | Qt::Key_Plus, "ZoomAvant"},
            {Qt::CTRL | Qt::Key_Equal, "ZoomAvant"},
            {Qt::CTRL | Qt::Key_Minus, "ZoomArriere"},
            {Qt::CTRL | Qt::Key_0, "ZoomNormal"},
        };
        for (const auto &[touche, action] : touches)
            QTest::newRow(qPrintable(touche.toString())) << touche << QString::fromLatin1(action);
    }

    // Every key reaches its command, and it alone, from the page, with every command of the page enabled.
    void chaqueTouche()
    {
        QFETCH(QKeySequence, touche);
        QFETCH(QString, action);
        TWndHTML *w = Ouvre(Fichier("page.htm", "un\nmot\n"));
        w->InsertionTexte("a", "");
        w->InsertionTexte("b", "");
        w->EditionDefaire();
        w->EditHTML->Selectionne(3, 3);
        QGuiApplication::clipboard()->setText(QStringLiteral("x"));
        frame->DlgChercher().findChild<QLineEdit *>("Texte")->setText(QStringLiteral("mot"));
        QStringList declenchees;
        for (QAction *commande : frame->findChildren<QAction *>())
            connect(commande, &QAction::triggered, this, [&declenchees, commande] {
                declenchees << commande->objectName();
            });
        frame->show();
        frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame.get()));
        w->EditHTML->setFocus();
        QTest::keySequence(w->EditHTML, touche);
        QCOMPARE(declenchees, QStringList{action});
    }

    // In the menu bar and in each menu, every item has its own access letter.
    void lettresDesMenus()
    {
        Ouvre(Fichier("page.htm"));
        const auto lettres = [](const QList<QAction *> &actions) {
            QStringList vues;
            for (QAction *action : actions)
                if (!action->isSeparator())
                    vues << QKeySequence::mnemonic(action->text()).toString().toLower();
            return vues;
        };
        QList<QList<QAction *>> listes{frame->menuBar()->actions()};
        for (QMenu *menu : {frame->Menu("Fichier"), frame->Menu("FichierDocument"), frame->Menu("Edition"), frame->Menu("Insertion"),
                            frame->Menu("Fenetres"), frame->Menu("Options"), frame->Menu("Aide"), frame->Menu("Contextuel")})
            listes << menu->actions();
        for (const QList<QAction *> &actions : std::as_const(listes)) {
            const QStringList vues = lettres(actions);
            QVERIFY2(!vues.contains(QString()) && QSet<QString>(vues.begin(), vues.end()).size() == vues.size(),
                     qPrintable(vues.join(u' ')));
        }
    }

    // The keys of undoing and redoing right after typing, as the page was opened, saved or taken back. Each step is
    // a key ("^Z" Ctrl+Z, "^Y" Ctrl+Y, "^MZ" Ctrl+Maj+Z, "^S" Ctrl+S, "[Début]" Début), a text typed, or "~": the
    // events of the keystrokes are done, as between keys that a user types.
    void defaireApresLaFrappe_data()
    {
        QTest::addColumn<QString>("etapes");
        QTest::addColumn<QByteArray>("attendu");
        QTest::newRow("Ctrl+Z sur une page à peine ouverte") << "X ^Z" << QByteArray("un\n");
        QTest::newRow("Ctrl+Y après Ctrl+Z") << "X ^Z ^Y Y" << QByteArray("XYun\n");
        QTest::newRow("Ctrl+Maj+Z après Ctrl+Z") << "X ^Z ^MZ Y" << QByteArray("XYun\n");
        QTest::newRow("frappe après être revenu avant l'enregistrement") << "X ^S ^Z Y ~ ^Z" << QByteArray("un\n");
        QTest::newRow("Ctrl+Y après Ctrl+Z, loin de l'enregistrement")
            << "X ^S Y [Début] Z ~ ^Z ^Y" << QByteArray("ZXYun\n");
    }

    void defaireApresLaFrappe()
    {
        QFETCH(QString, etapes);
        TWndHTML *w = Ouvre(Fichier("page.htm", "un\n"));
        frame->show();
        frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame.get()));
        w->EditHTML->setFocus();
        const std::pair<const char *, QKeyCombination> touches[] = {{"^Z", Qt::CTRL | Qt::Key_Z},
                                                                    {"^Y", Qt::CTRL | Qt::Key_Y},
                                                                    {"^MZ", Qt::CTRL | Qt::SHIFT | Qt::Key_Z},
                                                                    {"^S", Qt::CTRL | Qt::Key_S},
                                                                    {"[Début]", Qt::Key_Home}};
        for (const QString &etape : etapes.split(u' ')) {
            const auto touche = std::ranges::find_if(touches, [&](const auto &t) { return etape == t.first; });
            if (touche != std::end(touches))
                QTest::keyClick(w->EditHTML, touche->second.key(), touche->second.keyboardModifiers());
            else if (etape == u'~')
                QCoreApplication::processEvents();
            else
                QTest::keyClicks(w->EditHTML, etape);
        }
        QTEST(Texte(w), "attendu");
    }

    // What the keys of zooming and closing do.
    void touchesDesCommandes()
    {
        frame->show();
        frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame.get()));
        QTest::keyClick(frame.get(), Qt::Key_N, Qt::ControlModifier);
        TWndHTML *w = frame->FenetreActive();
        w->EditHTML->setFocus();
        QTest::keyClick(w->EditHTML, Qt::Key_Equal, Qt::ControlModifier);
        QCOMPARE(w->EditHTML->SendScintilla(QsciScintillaBase::SCI_GETZOOM), 1L);
        QTest::keyClick(w->EditHTML, Qt::Key_0, Qt::ControlModifier);
        QCOMPARE(w->EditHTML->SendScintilla(QsciScintillaBase::SCI_GETZOOM), 0L);
        // Ctrl+W closes the page through its question.
        script->reponses << Utilisateur::Reponse::Non;
        QTest::keyClick(w->EditHTML, Qt::Key_W, Qt::ControlModifier);
        QCOMPARE(script->questions.size(), 1);
        QTRY_VERIFY(frame->Fenetres().isEmpty());
    }
};

QTEST_MAIN(TestRaccourcis)
#include "tst_raccourcis.moc"
