// SPDX-License-Identifier: GPL-3.0-or-later
#include "CadreDeTest.h"

#include "core/site/Modifications.h"
#include "gui/dialogs/ComboHistorique.h"
#include "gui/dialogs/DlgRechercheFichiers.h"
#include "gui/settings/CheminsQt.h"
#include "gui/site/DlgModifications.h"
#include "gui/site/PanneauRecherche.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

namespace {

// The change of "mot" into "MOT" at each of its places in the text, as a search of the file would plan it.
ModificationFichier Majuscules(const QString &chemin, const std::string &texte, bool ouverte)
{
    auto lue = LitPourModifier(EncodeNom(chemin).toStdString(), 1 << 20);
    ModificationFichier modification = lue ? *lue : ModificationFichier{};
    modification.chemin = EncodeNom(chemin).toStdString();
    modification.texte = texte;
    modification.ouverte = ouverte;
    for (std::size_t place = texte.find("mot"); place != std::string::npos; place = texte.find("mot", place + 3))
        modification.changements.push_back({place, place + 3, "MOT", 1, place + 1});
    return modification;
}

// The rows of the list of results, "fichier:ligne:colonne: texte", the occurrence in brackets.
QStringList Lignes(const QTreeWidget &liste)
{
    QStringList lignes;
    for (int i = 0; i < liste.topLevelItemCount(); ++i) {
        const QTreeWidgetItem *element = liste.topLevelItem(i);
        QString texte = element->text(3);
        const auto marque = element->data(3, Qt::UserRole + 1).value<qsizetype>();
        const auto longueur = element->data(3, Qt::UserRole + 2).value<qsizetype>();
        texte.insert(marque + longueur, u']').insert(marque, u'[');
        lignes << QStringLiteral("%1:%2:%3: %4").arg(element->text(0), element->text(1), element->text(2), texte);
    }
    return lignes;
}

// Whether the line of the text is on the screen of the view.
bool Visible(TEditHTML &edit, long ligne)
{
    const long premiere = edit.SendScintilla(QsciScintilla::SCI_GETFIRSTVISIBLELINE);
    const long visible = edit.SendScintilla(QsciScintilla::SCI_VISIBLEFROMDOCLINE, static_cast<unsigned long>(ligne));
    return visible >= premiere && visible < premiere + edit.SendScintilla(QsciScintilla::SCI_LINESONSCREEN);
}

} // namespace

class TstRechercheFichiers : public CadreDeTest {
    Q_OBJECT

private slots:
    void init() { NouveauCadre(); }
    void cleanup()
    {
        FermeCadre();
        QVERIFY(QDir(dossier.filePath("site")).removeRecursively());
    }

    // How each file is changed, as its page is open or not, and as it changed since it was read: "disque" is the
    // file afterwards, "fenetre" the page's text ("-" without a window), "defait" the page after one undo.
    void appliqueModifications_data()
    {
        QTest::addColumn<QString>("cas");
        QTest::addColumn<QByteArray>("disque");
        QTest::addColumn<QByteArray>("fenetre");
        QTest::addColumn<QByteArray>("defait");
        QTest::addColumn<QString>("rapport");
        QTest::newRow("fermée: écrite sur le disque")
            << "fermee" << QByteArray("un MOT\r\ndeux MOTs\r\n") << QByteArray("-") << QByteArray("-")
            << "1 fichier modifié, 2 remplacements.";
        QTest::newRow("ouverte: changée dans sa fenêtre en une étape, non enregistrée")
            << "ouverte" << QByteArray("un mot\r\ndeux mots\r\n") << QByteArray("un MOT\r\ndeux MOTs\r\n")
            << QByteArray("un mot\r\ndeux mots\r\n")
            << "1 fichier modifié, 2 remplacements.\n"
               "1 page ouverte a été modifiée dans sa fenêtre, sans être enregistrée.";
        QTest::newRow("ouverte après la lecture du disque: changée dans sa fenêtre")
            << "ouverteDepuis" << QByteArray("un mot\r\ndeux mots\r\n") << QByteArray("un MOT\r\ndeux MOTs\r\n")
            << QByteArray("un mot\r\ndeux mots\r\n")
            << "1 fichier modifié, 2 remplacements.\n"
               "1 page ouverte a été modifiée dans sa fenêtre, sans être enregistrée.";
        const QString laissee = QStringLiteral("Aucun fichier modifié.\n1 fichier laissé :\n  page.htm : %1")
                                    .arg(QString::fromUtf8(Message(RaisonIgnore::ModifieDepuis)));
        QTest::newRow("ouverte, tapée depuis: laissée") << "tapee" << QByteArray("un mot\r\ndeux mots\r\n")
                                                       << QByteArray("xun mot\r\ndeux mots\r\n")
                                                       << QByteArray("un mot\r\ndeux mots\r\n") << laissee;
        QTest::newRow("fermée depuis: laissée") << "fermeeDepuis" << QByteArray("un mot\r\ndeux mots\r\n")
                                               << QByteArray("-") << QByteArray("-") << laissee;
    }
    void appliqueModifications()
    {
        QFETCH(QString, cas);
        QFETCH(QByteArray, disque);
        QFETCH(QByteArray, fenetre);
        QFETCH(QByteArray, defait);
        QFETCH(QString, rapport);
        const QString chemin = Fichier(QStringLiteral("page.htm"), "un mot\r\ndeux mots\r\n");
        TWndHTML *w = cas == "ouverte" || cas == "tapee" || cas == "fermeeDepuis" ? Ouvre(chemin) : nullptr;
        const std::optional<std::string> texte = frame->TextesOuverts()(EncodeNom(chemin).toStdString());
        QCOMPARE(texte.has_value(), w != nullptr);
        const ModificationFichier modification =
            Majuscules(chemin, texte.value_or("un mot\r\ndeux mots\r\n"), texte.has_value());
        if (cas == "ouverteDepuis")
            w = Ouvre(chemin);
        if (cas == "tapee")
            w->InsertionTexte("x", "");
        if (cas == "fermeeDepuis") {
            FermeCadre();
            NouveauCadre();
            w = nullptr;
        }

        const Bilan bilan = frame->AppliqueModifications({modification});
        QCOMPARE(QString::fromStdString(Rapport(bilan, EncodeNom(dossier.path()).toStdString())), rapport);
        QCOMPARE(Lit(chemin), disque);
        QCOMPARE(w ? Texte(w) : QByteArray("-"), fenetre);
        if (w) {
            QVERIFY(w->EditHTML->isModified());
            w->EditionDefaire();
            QCOMPARE(Texte(w), defait);
        }
    }

    // A search from the dialog fills the list with the pages' occurrences, the open page's as typed in its window,
    // the file-name filter leaving the others out; Return on a row opens its page with the occurrence selected,
    // found by its line and its column in characters.
    void rechercheEtAller()
    {
        QVERIFY(QDir(dossier.path()).mkpath(QStringLiteral("site/sous")));
        Fichier(QStringLiteral("site/notes.txt"), "mot\n");
        Fichier(QStringLiteral("site/p10.htm"), "mot\n");
        Fichier(QStringLiteral("site/P2.htm"), "mot\n");
        Fichier(QStringLiteral("site/sous/autre.htm"),
                QByteArray("<P>deux\n").repeated(199) + "\xC3\xA9t\xC3\xA9 mots</P>\n");
        frame->show();
        frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame.get()));
        TWndHTML *index = OuvrePage("<P>un</P>\n", QStringLiteral("site/index.htm"));
        index->InsertionTexte("mot ", "");
        frame->RechercherDansLesFichiers();
        TDlgRechercheFichiers &dialogue = frame->DlgRechercheFichiers();
        QVERIFY(dialogue.findChild<QAbstractButton *>("DansSite")->isChecked());
        dialogue.findChild<TComboHistorique *>("Texte")->setEditText(QStringLiteral("mot"));
        dialogue.findChild<QPushButton *>("Rechercher")->click();
        TPanneauRecherche &panneau = frame->ResultatsRecherche();
        QTRY_VERIFY(!panneau.EnCours());
        QCOMPARE(Lignes(*panneau.Liste),
                 (QStringList{"index.htm:1:1: [mot] <P>un</P>", "P2.htm:1:1: [mot]", "p10.htm:1:1: [mot]",
                              "sous/autre.htm:200:5: été [mot]s</P>"}));
        QCOMPARE(panneau.findChild<QLabel *>("Message")->text(),
                 QStringLiteral("4 occurrences dans 4 fichiers, sur 4 fichiers lus."));
        // "Fenê&tres" hides the list and brings it back with the keyboard on it.
        frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame.get()));
        QAction *resultats = frame->findChild<QAction *>("ResultatsRecherche");
        QVERIFY(resultats->isChecked());
        resultats->trigger();
        QVERIFY(panneau.isHidden());
        resultats->trigger();
        QVERIFY(!panneau.isHidden() && resultats->isChecked());
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(panneau.Liste));

        panneau.Liste->setCurrentItem(panneau.Liste->topLevelItem(3));
        QTest::keyClick(panneau.Liste, Qt::Key_Return);
        TWndHTML *autre = frame->FenetreActive();
        QVERIFY(autre != index);
        QCOMPARE(QFileInfo(autre->FileName).fileName(), QStringLiteral("autre.htm"));
        QCOMPARE(Selection(autre), QStringLiteral("1598+3"));
        // In view once the window system has given the new window its size.
        autre->parentWidget()->resize(400, 150);
        QTRY_VERIFY(Visible(*autre->EditHTML, 199));
        // Again: the page already open comes to the front, without the question of a second opening.
        frame->Active(index);
        QTest::keyClick(panneau.Liste, Qt::Key_Return);
        QCOMPARE(frame->FenetreActive(), autre);
        QCOMPARE(frame->Fenetres().size(), 2);
        QVERIFY(script->questions.isEmpty());
    }

    // "Re&mplacer..." lists the changes by file; those of the files left checked are made, the open page's in its
    // window, and the report says what was done.
    void remplacement()
    {
        QVERIFY(QDir(dossier.path()).mkpath(QStringLiteral("site/sous")));
        const QString autre = Fichier(QStringLiteral("site/sous/autre.htm"), "<P>deux mots, mot</P>\n");
        const QString trois = Fichier(QStringLiteral("site/sous/trois.html"), "<p>trois mot</p>\n");
        const QString index = Fichier(QStringLiteral("site/index.htm"), "<P>un mot</P>\n");
        TWndHTML *w = Ouvre(index);
        frame->RemplacerDansLesFichiers();
        TDlgRechercheFichiers &dialogue = frame->DlgRechercheFichiers();
        dialogue.findChild<TComboHistorique *>("Texte")->setEditText(QStringLiteral("mot"));
        dialogue.findChild<TComboHistorique *>("Remplacement")->setEditText(QStringLiteral("terme"));
        QStringList listees;
        script->executions << [&listees](QDialog &liste) {
            auto *fichiers = liste.findChild<QTreeWidget *>("Modifications");
            for (int i = 0; i < fichiers->topLevelItemCount(); ++i)
                listees << fichiers->topLevelItem(i)->text(0);
            fichiers->topLevelItem(2)->setCheckState(0, Qt::Unchecked);
            liste.findChild<QPushButton *>("Remplacer")->click();
            return liste.result();
        };
        dialogue.findChild<QPushButton *>("Remplacer")->click();
        QCOMPARE(listees, (QStringList{"index.htm (1 remplacement)", "sous/autre.htm (2 remplacements)",
                                       "sous/trois.html (1 remplacement)"}));
        QCOMPARE(script->erreurs, QStringList{"Remplacer dans les fichiers|2 fichiers modifiés, 3 remplacements.\n"
                                              "1 page ouverte a été modifiée dans sa fenêtre, sans être enregistrée."});
        QCOMPARE(Texte(w), QByteArray("<P>un terme</P>\n"));
        QCOMPARE(Lit(index), QByteArray("<P>un mot</P>\n"));
        QCOMPARE(Lit(autre), QByteArray("<P>deux termes, terme</P>\n"));
        QCOMPARE(Lit(trois), QByteArray("<p>trois mot</p>\n"));
    }

    // The texts of the open pages are copies: what is typed afterwards is not in them, and a page is found under
    // another name of its file.
    void textesOuverts()
    {
        const QString chemin = Fichier(QStringLiteral("page.htm"), "avant");
        QVERIFY(QFile::link(chemin, dossier.filePath(QStringLiteral("lien.htm"))));
        TWndHTML *w = Ouvre(chemin);
        w->InsertionTexte("tapé ", "");
        const TexteOuvert textes = frame->TextesOuverts();
        w->InsertionTexte("encore ", "");
        QCOMPARE(textes(EncodeNom(chemin).toStdString()), std::optional<std::string>("tapé avant"));
        QCOMPARE(textes(EncodeNom(dossier.filePath(QStringLiteral("lien.htm"))).toStdString()),
                 std::optional<std::string>("tapé avant"));
        QCOMPARE(textes(EncodeNom(Fichier(QStringLiteral("autre.htm"))).toStdString()), std::nullopt);
    }
};

QTEST_MAIN(TstRechercheFichiers)
#include "tst_recherchefichiers.moc"
