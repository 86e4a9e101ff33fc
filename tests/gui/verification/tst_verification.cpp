// SPDX-License-Identifier: GPL-3.0-or-later
#include "CadreDeTest.h"

#include "gui/verification/PanneauProblemes.h"
#include "gui/verification/Verification.h"

#include <QDir>
#include <QMdiSubWindow>
#include <QMenu>
#include <QStatusBar>
#include <QToolTip>
#include <QTreeView>

#include <algorithm>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// One problem of each kind: an element never closed, an unknown word, a missing page, a missing anchor, another
// site.
const QByteArray Page = "<!DOCTYPE html>\n"
                        "<html><head><title>Essai</title></head>\n"
                        "<body>\n"
                        "<p>Une maison et une mainson.\n"
                        "<p><a href=\"absente.htm\">absente</a> <a href=\"#nulle\">ancre</a>\n"
                        "<a href=\"https://example.org/\">ailleurs</a>\n"
                        "<div><span>ouvert</div>\n"
                        "</body></html>\n";

bool Marque(TWndHTML *w, Probleme::Sorte sorte, qsizetype position)
{
    return w->EditHTML->SendScintilla(QsciScintillaBase::SCI_INDICATORVALUEAT,
                                      static_cast<unsigned long>(QsciScintillaBase::INDIC_CONTAINER +
                                                                 static_cast<int>(sorte)),
                                      static_cast<long>(position)) != 0;
}

} // namespace

class TestVerification : public CadreDeTest {
    Q_OBJECT

    std::vector<Probleme> Problemes(TWndHTML *w) { return frame->Problemes().Problemes(w); }

    // The problem of that kind whose place holds the text.
    std::optional<Probleme> Trouve(TWndHTML *w, Probleme::Sorte sorte, const QByteArray &texte)
    {
        const qsizetype place = Texte(w).indexOf(texte);
        for (const Probleme &probleme : Problemes(w))
            if (probleme.sorte == sorte && static_cast<qsizetype>(probleme.debut) <= place &&
                place < static_cast<qsizetype>(std::max(probleme.fin, probleme.debut + 1)))
                return probleme;
        return std::nullopt;
    }

    // Whether a problem of the page says that.
    bool Dit(TWndHTML *w, const std::string &texte)
    {
        const std::vector<Probleme> problemes = Problemes(w);
        return std::any_of(problemes.begin(), problemes.end(),
                           [&](const Probleme &p) { return p.message.find(texte) != std::string::npos; });
    }

    // The link to "absente.htm" is listed where the text now has it.
    bool LienALaPlace(TWndHTML *w)
    {
        const auto lien = Trouve(w, Probleme::Sorte::Lien, "absente.htm");
        return lien && static_cast<qsizetype>(lien->debut) == Texte(w).indexOf("absente.htm");
    }

    // The first row of the list whose column holds the text.
    int Ligne(int colonne, const QString &texte)
    {
        const QAbstractItemModel *modele = frame->Problemes().Liste->model();
        int ligne = 0;
        while (ligne < modele->rowCount() && !modele->index(ligne, colonne).data().toString().contains(texte))
            ++ligne;
        return ligne;
    }

    TWndHTML *Affiche(const QString &chemin)
    {
        frame->show();
        TWndHTML *w = Ouvre(chemin);
        [&] { QVERIFY(QTest::qWaitForWindowExposed(frame.get())); }();
        return w;
    }

    // The page's problems that are the word.
    int Fautes(TWndHTML *w, const std::string &mot)
    {
        const std::vector<Probleme> problemes = Problemes(w);
        return static_cast<int>(std::count_if(problemes.begin(), problemes.end(), [&](const Probleme &p) {
            return p.sorte == Probleme::Sorte::Orthographe && p.mot == mot;
        }));
    }

    // The context menu over the text at that place.
    std::unique_ptr<QMenu> MenuSur(TWndHTML *w, qsizetype position)
    {
        const long x = w->EditHTML->SendScintilla(QsciScintillaBase::SCI_POINTXFROMPOSITION, 0UL,
                                                  static_cast<long>(position + 1));
        const long y = w->EditHTML->SendScintilla(QsciScintillaBase::SCI_POINTYFROMPOSITION, 0UL,
                                                  static_cast<long>(position + 1));
        auto menu = std::make_unique<QMenu>();
        frame->Verification().RemplitMenu(
            *menu, w, w->EditHTML->viewport()->mapToGlobal(QPoint(static_cast<int>(x), static_cast<int>(y) + 2)));
        return menu;
    }

    static void Declenche(QMenu &menu, const QString &texte)
    {
        const QList<QAction *> actions = menu.actions();
        const auto action =
            std::find_if(actions.begin(), actions.end(), [&](QAction *a) { return a->text() == texte; });
        QVERIFY2(action != actions.end(), qPrintable(texte));
        (*action)->trigger();
    }

    QString Personnel() const { return dossier.filePath("dictionnaire-personnel.txt"); }

    // Pages checked, and the wait for their problems.
    void Verifie(TWndHTML *w)
    {
        frame->VerifierLaPage();
        QTRY_VERIFY_WITH_TIMEOUT(!Problemes(w).empty(), 20000);
    }

    // Small dictionaries, "nom" and its words one a line, in the test folder's "dictionnaires", stand for the
    // installed ones, with an empty personal list, in a frame made again to find them; the guard puts the system's
    // back.
    [[nodiscard]] auto DictionnairesDuTest(std::initializer_list<std::pair<QString, QByteArray>> dictionnaires)
    {
        [&] { QVERIFY(QDir(dossier.path()).mkpath("dictionnaires")); }();
        for (const auto &[nom, mots] : dictionnaires) {
            Fichier("dictionnaires/" + nom + ".aff", "SET UTF-8\nTRY esaitnrulodcpmhq\n");
            Fichier("dictionnaires/" + nom + ".dic", QByteArray::number(mots.count('\n') + 1) + '\n' + mots + '\n');
        }
        const bool defini = qEnvironmentVariableIsSet("DICPATH");
        const QByteArray avant = qgetenv("DICPATH");
        const QString personnel = Personnel();
        QFile::remove(personnel);
        qputenv("DICPATH", QFile::encodeName(dossier.filePath("dictionnaires")));
        FermeCadre();
        NouveauCadre();
        return qScopeGuard([defini, avant, personnel] {
            defini ? qputenv("DICPATH", avant) : qunsetenv("DICPATH");
            QFile::remove(personnel);
        });
    }

    // The command of the list's context menu, opened with a right click on that row.
    void DeclencheDansLaListe(int ligne, const QString &commande)
    {
        QTreeView *lignes = frame->Problemes().Liste;
        const QPoint point = lignes->visualRect(lignes->model()->index(ligne, 4)).center();
        QContextMenuEvent clic(QContextMenuEvent::Mouse, point, lignes->viewport()->mapToGlobal(point));
        QApplication::sendEvent(lignes->viewport(), &clic);
        auto *menu = frame->Problemes().findChild<QMenu *>("MenuProbleme");
        QTRY_VERIFY(menu->isVisible());
        Declenche(*menu, commande);
        menu->hide();
    }

private slots:
    void init() { NouveauCadre(); }
    void cleanup() { FermeCadre(); }

    // Each kind found, listed and marked in the text and the margin; F8 and Shift+F8 go round the page's problems;
    // a row of the list brings its page forward with the problem selected.
    void pageVerifiee()
    {
        TWndHTML *w = Affiche(Fichier("page.htm", Page));
        Verifie(w);
        QVERIFY(frame->Problemes().isVisible());
        // "Fenêtres" shows or hides the list, under its own name whatever the list's title counts.
        frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame.get()));
        auto *liste = frame->findChild<QAction *>("ListeProblemes");
        QCOMPARE(liste->text(), QStringLiteral("Liste des &problèmes"));
        QVERIFY(liste->isChecked());
        liste->trigger();
        QVERIFY(!frame->Problemes().isVisible() && !liste->isChecked());
        liste->trigger();
        QVERIFY(frame->Problemes().isVisible());
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(frame->Problemes().Liste));

        for (const auto &[sorte, texte] : {std::pair{Probleme::Sorte::Lien, "absente.htm"}, {Probleme::Sorte::Lien, "#nulle"},
                                           {Probleme::Sorte::NonVerifie, "https://example.org/"}})
            QVERIFY2(Trouve(w, sorte, texte), texte);
        QVERIFY(!Trouve(w, Probleme::Sorte::Orthographe, "maison"));
        if (frame->Verification().Dictionnaire().startsWith(u"fr"))
            QVERIFY(Trouve(w, Probleme::Sorte::Orthographe, "mainson"));
        const std::vector<Probleme> tous = Problemes(w);
        QVERIFY(std::any_of(tous.begin(), tous.end(), [](const Probleme &p) {
            return p.sorte == Probleme::Sorte::Erreur || p.sorte == Probleme::Sorte::Avertissement;
        }));

        const Probleme lien = *Trouve(w, Probleme::Sorte::Lien, "absente.htm");
        QVERIFY(Marque(w, Probleme::Sorte::Lien, Texte(w).indexOf("absente.htm")));
        QVERIFY(!Marque(w, Probleme::Sorte::Lien, Texte(w).indexOf("<a href")));
        // The line of every problem but the links not checked carries a mark in the margin.
        for (const Probleme &probleme : tous) {
            const long ligne = w->EditHTML->SendScintilla(QsciScintillaBase::SCI_LINEFROMPOSITION,
                                                          static_cast<unsigned long>(probleme.debut));
            QVERIFY(probleme.sorte == Probleme::Sorte::NonVerifie ||
                    w->EditHTML->markersAtLine(static_cast<int>(ligne)) != 0);
        }
        QVERIFY(w->EditHTML->markersAtLine(0) == 0);
        // The mouse resting on it tells what it is.
        emit w->EditHTML->SCN_DWELLSTART(static_cast<int>(lien.debut) + 2, 10, 10);
        QVERIFY2(QToolTip::text().contains(u"absente.htm"), qPrintable(QToolTip::text()));
        emit w->EditHTML->SCN_DWELLEND(static_cast<int>(lien.debut) + 2, 10, 10);
        emit w->EditHTML->SCN_DWELLSTART(static_cast<int>(Texte(w).indexOf("Une maison")), 10, 10);
        QTRY_VERIFY(QToolTip::text().isEmpty());

        // From the caret at the start, F8 selects the first problem after it, Shift+F8 goes round to the last.
        w->EditHTML->Selectionne(0, 0);
        frame->ProblemeSuivant();
        const Probleme &premier = tous.front().debut > 0 ? tous.front() : tous.at(1);
        QCOMPARE(Selection(w), QStringLiteral("%1+%2").arg(premier.debut).arg(premier.fin - premier.debut));
        w->EditHTML->Selectionne(0, 0);
        frame->ProblemePrecedent();
        QCOMPARE(w->EditHTML->SelStart(), static_cast<qsizetype>(tous.back().debut));

        TWndHTML *autre = Ouvre(Fichier("autre.htm", "<p>rien</p>"));
        QCOMPARE(frame->FenetreActive(), autre);
        // Enter on its row, as a double click, tells its message in the status bar in place of the last one.
        QTreeView *lignes = frame->Problemes().Liste;
        lignes->setCurrentIndex(lignes->model()->index(Ligne(4, QString::fromStdString(lien.message)), 0));
        QTest::keyClick(lignes, Qt::Key_Return);
        QCOMPARE(frame->FenetreActive(), w);
        QCOMPARE(w->EditHTML->SelStart(), static_cast<qsizetype>(lien.debut));
        QCOMPARE(frame->statusBar()->currentMessage(), QString::fromStdString(lien.message));

        // A page without a file yet: its links cannot be followed, and the list says so.
        frame->FileNew();
        TWndHTML *nouvelle = frame->FenetreActive();
        frame->VerifierLaPage();
        QTRY_VERIFY_WITH_TIMEOUT(Dit(nouvelle, "La page n'a pas encore de fichier"), 20000);
        // Once saved, its links are checked and that row goes.
        script->fichiers << dossier.filePath("nouvelle.htm");
        nouvelle->FileSave();
        QTRY_VERIFY_WITH_TIMEOUT(!Dit(nouvelle, "pas encore de fichier"), 20000);
    }

    // A page changed while it is checked gets the result of its new text, not the one of the text that was
    // checked; so does a page changed after its check, once the typing stops.
    void resultatAJour()
    {
        TWndHTML *w = Affiche(Fichier("page.htm", Page));
        frame->VerifierLaPage();
        w->EditHTML->Remplace(0, 0, "<!-- ajout -->\n");
        // The first result shown is already the new text's.
        QTRY_VERIFY_WITH_TIMEOUT(!Problemes(w).empty(), 20000);
        QVERIFY(LienALaPlace(w));
        const qsizetype fin = Texte(w).size();
        w->EditHTML->Remplace(fin, fin, "<img src=\"perdue.png\" alt=\"\">\n");
        QTRY_VERIFY_WITH_TIMEOUT(Trouve(w, Probleme::Sorte::Lien, "perdue.png"), 20000);
        QVERIFY(LienALaPlace(w));
    }

    // The links of every open page: an anchor that only the window of another page holds, not yet saved, counts;
    // a link from the site's top is read from the deepest folder of the open pages.
    void liensDesPagesOuvertes()
    {
        QVERIFY(QDir(dossier.path()).mkpath("site/pages"));
        Fichier("site/img.png", "");
        TWndHTML *a = Affiche(Fichier("site/pages/a.htm", "<p><a href=\"../b.htm#neuve\">b</a> <img src=\"/img.png\" "
                                                          "alt=\"\"> <a href=\"../b.htm#vieille\">c</a></p>"));
        TWndHTML *b = Ouvre(Fichier("site/b.htm", "<p>rien</p>"));
        b->EditHTML->Remplace(0, 0, "<a name=\"neuve\"></a>");
        TWndHTML *c = Ouvre(Fichier("site/pages/c.htm", "<p><a href=\"d.htm\">d</a></p>"));
        frame->VerifierLesLiens();
        QTRY_VERIFY_WITH_TIMEOUT(!Problemes(c).empty(), 20000);
        QTRY_VERIFY_WITH_TIMEOUT(!Problemes(a).empty(), 20000);
        const std::vector<Probleme> problemes = Problemes(a);
        QCOMPARE(problemes.size(), std::size_t(1));
        QCOMPARE(Texte(a).mid(qsizetype(problemes[0].debut), qsizetype(problemes[0].fin - problemes[0].debut)),
                 QByteArray("../b.htm#vieille"));
        QVERIFY(Problemes(b).empty());
    }

    // A big page: its spelling read a megabyte at a time finds a word across two of them, or at their border,
    // once; past ten thousand unknown words, one line says the others are not listed; past 16 MB, its mark-up is not
    // checked, and the list says so.
    void grandePage()
    {
        if (!frame->Verification().Dictionnaire().startsWith(u"fr"))
            QSKIP("Aucun dictionnaire français");
        const int megaoctet = 1 << 20;
        QByteArray page = "<!DOCTYPE html><html><head><title>t</title></head><body><!--";
        page += QByteArray(megaoctet - 3 - 6 - page.size(), 'x') + "--><p>mainson <!--";
        page += QByteArray(2 * megaoctet - 3 - page.size(), 'x') + "-->";
        page += QByteArray("mainson ").repeated(10005) + "</p><!--";
        page += QByteArray(17 * megaoctet, 'x') + "--></body></html>";
        TWndHTML *w = Affiche(Fichier("grande.htm", page));
        frame->VerifierLaPage();
        QTRY_VERIFY_WITH_TIMEOUT(!Problemes(w).empty(), 180000);
        QCOMPARE(Fautes(w, "mainson"), 10000);
        QCOMPARE(Problemes(w).size(), std::size_t(10002));
        QVERIFY(Dit(w, "son balisage n'est pas vérifié") && Dit(w, "Plus de 10000 mots inconnus"));
        QCOMPARE(Problemes(w).at(1).debut, std::size_t(megaoctet - 3));
        QCOMPARE(Problemes(w).at(2).debut, std::size_t(2 * megaoctet));
        QCOMPARE(Problemes(w).at(3).debut, std::size_t(2 * megaoctet + 8));
    }

    // A personal list that is a named pipe is never opened (it would wait for a writer): the page is checked all
    // the same, and the user is told once that the list cannot be read.
    void personnelIllisible()
    {
        if (frame->Verification().Dictionnaires().empty())
            QSKIP("Aucun dictionnaire installé");
        const QByteArray tuyau = QFile::encodeName(Personnel());
        QCOMPARE(::mkfifo(tuyau.constData(), 0600), 0);
        // A reader left waiting on the pipe is let go at the end, so that a failure never hangs the tests; the
        // pipe goes, for the tests that follow.
        const auto libere = qScopeGuard([&] {
            if (const int fd = ::open(tuyau.constData(), O_WRONLY | O_NONBLOCK); fd >= 0)
                ::close(fd);
            ::unlink(tuyau.constData());
        });
        // The frame opens its dictionary as it starts: it is made again to find the pipe.
        FermeCadre();
        NouveauCadre();
        Verifie(Affiche(Fichier("page.htm", Page)));
        TWndHTML *w = frame->FenetreActive();
        QTRY_COMPARE(script->erreurs.size(), 1);
        QVERIFY2(script->erreurs.front().contains(u"dictionnaire personnel") &&
                     script->erreurs.front().contains(QFile::decodeName(tuyau)),
                 qPrintable(script->erreurs.front()));
        // Checked again, the page tells nothing more.
        w->EditHTML->Remplace(0, 0, "<!-- ajout -->\n");
        frame->VerifierLaPage();
        QTRY_VERIFY_WITH_TIMEOUT(LienALaPlace(w), 20000);
        QCOMPARE(script->erreurs.size(), 1);
    }

    // The dictionary in use is opened in the background before any page is checked or any word right-clicked: at
    // start, when spelling is turned on again, when another is chosen.
    void dictionnaireOuvertEnAvance()
    {
        const auto remet = DictionnairesDuTest({{"fr_FR", "une\nmaison"}, {"en_US", "a\nhouse"}});
        QVERIFY(frame->Fenetres().isEmpty());
        QTRY_VERIFY(frame->Verification().DictionnaireOuvert());
        frame->Verification().ActiveOrthographe(false);
        QVERIFY(!frame->Verification().DictionnaireOuvert());
        frame->Verification().ActiveOrthographe(true);
        QTRY_VERIFY(frame->Verification().DictionnaireOuvert());
        frame->Verification().ChoisitDictionnaire("en_US");
        QCOMPARE(frame->Verification().Dictionnaire(), QStringLiteral("en_US"));
        QTRY_VERIFY(frame->Verification().DictionnaireOuvert());
    }

    // Two small dictionaries of the test's own, found before those installed: a paragraph in English is checked with
    // the English one, one in a language without a dictionary is not, nor is code until the option asks for it; by
    // "Vérifier la page", in the words in view and in the context menu, which offers the dictionary's words for an
    // unknown word only. Once spelling is off, a choice the settings keep, the words in view are no longer marked.
    void langues()
    {
        const auto remet = DictionnairesDuTest({{"fr_FR", "une\nmaison\ncode"}, {"en_US", "a\nand\nhouse"}});
        QCOMPARE(frame->Verification().Dictionnaire(), QStringLiteral("fr_FR"));

        TWndHTML *w = Affiche(Fichier("langues.htm", "<!DOCTYPE html>\n<html lang=\"fr\"><head><title>Une maison"
                                                     "</title></head><body>\n<p>Une maisonn.</p>\n"
                                                     "<p lang=\"en-US\">A housse and a house.</p>\n"
                                                     "<p lang=\"xx\">Nimporte quoi</p>\n<pre>code codee</pre>\n"
                                                     "</body></html>\n"));
        const auto marque = [&](const QByteArray &mot) {
            return Marque(w, Probleme::Sorte::Orthographe, Texte(w).indexOf(mot));
        };
        QTRY_VERIFY_WITH_TIMEOUT(marque("housse"), 20000);
        for (const QByteArray mot : {"maisonn", "housse"})
            QVERIFY2(marque(mot), mot.constData());
        for (const QByteArray mot : {"A housse", "and", "house.", "Nimporte", "quoi", "codee"})
            QVERIFY2(!marque(mot), mot.constData());

        const auto fautes = [&] {
            QStringList mots;
            for (const Probleme &probleme : Problemes(w))
                if (probleme.sorte == Probleme::Sorte::Orthographe)
                    mots << QString::fromUtf8(Texte(w).mid(qsizetype(probleme.debut),
                                                           qsizetype(probleme.fin - probleme.debut)));
            return mots;
        };
        Verifie(w);
        QCOMPARE(fautes(), (QStringList{"maisonn", "housse"}));

        // The English word gets the English dictionary's suggestions.
        const auto menu = MenuSur(w, Texte(w).indexOf("housse"));
        QVERIFY(!menu->actions().isEmpty());
        QCOMPARE(menu->actions().first()->text(), QStringLiteral("house"));

        // Code checked on demand: the choice is kept, and the page checked again.
        auto *code = frame->findChild<QAction *>("VerifierCode");
        QCOMPARE(code->text(), QStringLiteral("Vérifier le &code (code, pre, kbd…)"));
        code->trigger();
        QVERIFY(Lit(dossier.filePath("Balizo.ini")).contains("VerifierCode=1"));
        QTRY_COMPARE_WITH_TIMEOUT(fautes(), (QStringList{"maisonn", "housse", "codee"}), 20000);
        QTRY_VERIFY_WITH_TIMEOUT(marque("codee"), 20000);
        QVERIFY(!marque("code "));

        auto suggestions = MenuSur(w, Texte(w).indexOf("maisonn"));
        QCOMPARE(suggestions->actions().last()->text(), QStringLiteral("Ajouter au &dictionnaire"));
        Declenche(*suggestions, QStringLiteral("maison"));
        QVERIFY(Texte(w).contains("<p>Une maison.</p>"));
        QVERIFY(MenuSur(w, Texte(w).indexOf("maison.</p>"))->isEmpty());
        frame->Verification().ActiveOrthographe(false);
        QVERIFY(!marque("housse"));
        QVERIFY(Lit(dossier.filePath("Balizo.ini")).contains("Orthographe=0"));
    }

    // "Ignorer" and "Ajouter au dictionnaire", from the list or the text, take every occurrence of the word from
    // the list and the marks of every open page, and from the checks that follow; the list's title and the status
    // bar's count stay true as the pages change and close. The dictionary is a small one made here.
    void ignorer_data()
    {
        QTest::addColumn<bool>("liste");
        QTest::addColumn<QString>("commande");
        QTest::newRow("ignorer depuis la liste") << true << "I&gnorer";
        QTest::newRow("ajouter depuis le texte") << false << "Ajouter au &dictionnaire";
    }

    void ignorer()
    {
        QFETCH(bool, liste);
        QFETCH(QString, commande);
        const bool ajoute = commande.startsWith(u"Ajouter");
        const auto remet = DictionnairesDuTest({{"fr_FR", "essai\naide\nmarche\naussi\nencore\nrien"}});
        QCOMPARE(frame->Verification().Dictionnaire(), "fr_FR");

        const QByteArray texte = "<!DOCTYPE html>\n<html><head><title>Essai</title></head>\n<body>\n"
                                 "<p>Balizo aide, Balizo marche ; Zorglub aussi.\n<p>Balizo encore.\n"
                                 "<p><a href=\"absente.htm\">rien</a>\n</body></html>\n";
        TWndHTML *p = Affiche(Fichier("p.htm", texte));
        frame->VerifierLaPage();
        TWndHTML *autre = Ouvre(Fichier("autre.htm", QByteArray(texte).replace("Zorglub", "rien")));
        frame->VerifierLaPage();
        QTRY_COMPARE_WITH_TIMEOUT(Fautes(p, "Balizo"), 3, 20000);
        QTRY_COMPARE_WITH_TIMEOUT(Fautes(autre, "Balizo"), 3, 20000);
        const auto titre = [&] {
            return QStringLiteral("Problèmes : %1 dans 2 pages").arg(Problemes(p).size() + Problemes(autre).size());
        };
        const auto compte = [](TWndHTML *w, std::size_t nombre) {
            return QStringLiteral("%1 : %2 problème%3.").arg(w->FileName).arg(nombre).arg(nombre > 1 ? "s" : "");
        };
        QCOMPARE(frame->Problemes().windowTitle(), titre());
        QTRY_COMPARE(frame->statusBar()->currentMessage(), compte(autre, Problemes(autre).size()));
        const std::size_t autres = Problemes(autre).size() - 3;

        const qsizetype balizo = Texte(p).indexOf("Balizo marche");
        if (liste) {
            DeclencheDansLaListe(Ligne(4, "Balizo"), commande);
        } else {
            QTRY_VERIFY_WITH_TIMEOUT(Marque(p, Probleme::Sorte::Orthographe, balizo), 20000);
            Declenche(*MenuSur(p, balizo), commande);
        }
        QCOMPARE(Fautes(p, "Balizo"), 0);
        QCOMPARE(Fautes(autre, "Balizo"), 0);
        QCOMPARE(Fautes(p, "Zorglub"), 1);
        QCOMPARE(frame->Problemes().windowTitle(), titre());
        QTRY_COMPARE(frame->statusBar()->currentMessage(), compte(autre, autres));
        for (TWndHTML *w : {p, autre}) {
            const QByteArray ecrit = Texte(w);
            for (qsizetype place = ecrit.indexOf("Balizo"); place >= 0; place = ecrit.indexOf("Balizo", place + 1))
                QTRY_VERIFY_WITH_TIMEOUT(!Marque(w, Probleme::Sorte::Orthographe, place), 20000);
        }
        QTRY_VERIFY_WITH_TIMEOUT(Marque(p, Probleme::Sorte::Orthographe, Texte(p).indexOf("Zorglub")), 20000);
        QCOMPARE(Lit(Personnel()).split('\n').contains("Balizo"), ajoute);

        // The page whose count the status bar tells closes: that line goes, and the title counts one page.
        QVERIFY(qobject_cast<QMdiSubWindow *>(autre->parentWidget())->close());
        QTRY_COMPARE(frame->statusBar()->currentMessage(), QString());
        QTRY_COMPARE(frame->Problemes().windowTitle(), QStringLiteral("Problèmes : %1").arg(Problemes(p).size()));

        // The word stays away from a page checked again, or opened since, even once the dictionary is opened again.
        frame->Verification().ChoisitDictionnaire("fr_FR");
        p->EditHTML->Remplace(0, 0, "<!-- Balizo -->");
        const qsizetype fin = Texte(p).lastIndexOf("</body>");
        p->EditHTML->Remplace(fin, fin, "<p>Balizo Zorglub\n");
        frame->VerifierLaPage();
        QTRY_COMPARE_WITH_TIMEOUT(Fautes(p, "Zorglub"), 2, 20000);
        QCOMPARE(Fautes(p, "Balizo"), 0);
        QTRY_COMPARE(frame->statusBar()->currentMessage(), compte(p, Problemes(p).size()));
        TWndHTML *nouvelle = Ouvre(Fichier("nouvelle.htm", "<p>Balizo Zorglub</p>"));
        frame->VerifierLaPage();
        QTRY_COMPARE_WITH_TIMEOUT(Fautes(nouvelle, "Zorglub"), 1, 20000);
        QCOMPARE(Fautes(nouvelle, "Balizo"), 0);
    }

    // An English word ignored leaves every language, even a dictionary opened later; added, it leaves the English
    // text only, the French dictionary not knowing it in this run (the personal list, one for all, teaches it to the
    // other dictionaries as they open). Each command comes the other way than in `ignorer`, so that both ways
    // serve both.
    void motAnglais_data()
    {
        QTest::addColumn<bool>("liste");
        QTest::addColumn<QString>("commande");
        QTest::addColumn<int>("francais");
        QTest::newRow("ajouter depuis la liste") << true << "Ajouter au &dictionnaire" << 1;
        QTest::newRow("ignorer depuis le texte") << false << "I&gnorer" << 0;
    }

    void motAnglais()
    {
        QFETCH(bool, liste);
        QFETCH(QString, commande);
        QFETCH(int, francais);
        const auto remet =
            DictionnairesDuTest({{"fr_FR", "une\nmaison"}, {"en_US", "a\nand\nhouse"}, {"en_GB", "a\nand\nhouse"}});
        QCOMPARE(frame->Verification().Dictionnaire(), "fr_FR");

        TWndHTML *p = Affiche(Fichier("p.htm", "<!DOCTYPE html>\n<html lang=\"fr\"><head><title>Une maison</title>"
                                               "</head><body>\n<p>Zorglub une maison.</p>\n"
                                               "<p lang=\"en\">Zorglub and a house.</p>\n</body></html>\n"));
        frame->VerifierLaPage();
        QTRY_COMPARE_WITH_TIMEOUT(Fautes(p, "Zorglub"), 2, 20000);
        const qsizetype anglais = Texte(p).indexOf("Zorglub and");
        if (liste) {
            // The English word is on the fourth line.
            const int ligne = Ligne(1, "4");
            QVERIFY(frame->Problemes().Liste->model()->index(ligne, 4).data().toString().contains(u"Zorglub"));
            DeclencheDansLaListe(ligne, commande);
        } else {
            QTRY_VERIFY_WITH_TIMEOUT(Marque(p, Probleme::Sorte::Orthographe, anglais), 20000);
            Declenche(*MenuSur(p, anglais), commande);
        }
        QVERIFY(!Trouve(p, Probleme::Sorte::Orthographe, "Zorglub and"));
        QCOMPARE(Fautes(p, "Zorglub"), francais);
        QCOMPARE(Trouve(p, Probleme::Sorte::Orthographe, "Zorglub une").has_value(), francais == 1);
        QTRY_VERIFY_WITH_TIMEOUT(!Marque(p, Probleme::Sorte::Orthographe, anglais), 20000);
        QTRY_COMPARE_WITH_TIMEOUT(Marque(p, Probleme::Sorte::Orthographe, Texte(p).indexOf("Zorglub une")),
                                  francais == 1, 20000);
        QCOMPARE(Lit(Personnel()).split('\n').contains("Zorglub"), commande.startsWith(u"Ajouter"));

        // A dictionary first opened now knows the word too.
        TWndHTML *nouvelle = Ouvre(Fichier("nouvelle.htm", "<html lang=\"en-GB\"><p>Zorglub and a hous</p>"));
        frame->VerifierLaPage();
        QTRY_COMPARE_WITH_TIMEOUT(Fautes(nouvelle, "hous"), 1, 20000);
        QCOMPARE(Fautes(nouvelle, "Zorglub"), 0);
    }
};

QTEST_MAIN(TestVerification)
#include "tst_verification.moc"
