// SPDX-License-Identifier: GPL-3.0-or-later
#include "CadreDeTest.h"
#include "Limites.h"

#include "gui/verification/Marques.h"
#include "gui/verification/Verification.h"

#include <Qsci/qscilexerhtml.h>

#include <QClipboard>
#include <QLabel>
#include <QStatusBar>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>

#include <sys/fsuid.h>
#include <sys/stat.h>
#include <unistd.h>

class TestWndHTML : public CadreDeTest {
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY(dossier.isValid());
        NouveauCadre();
    }

    void cleanup() { FermeCadre(); }

    // The selection, given and expected, as "debut+longueur" in bytes.
    void insertion_data()
    {
        QTest::addColumn<QByteArray>("texte");
        QTest::addColumn<QString>("selection");
        QTest::addColumn<QByteArray>("ouverture");
        QTest::addColumn<QByteArray>("fermeture");
        QTest::addColumn<QByteArray>("attendu");
        QTest::addColumn<QString>("apres");
        QTest::newRow("mot sélectionné après des lettres accentuées: il reste sélectionné")
            << QByteArray("été mot") << "6+3" << QByteArray("<I>") << QByteArray("</I>") << QByteArray("été <I>mot</I>")
            << "9+3";
        QTest::newRow("rien de sélectionné: le curseur entre les deux balises")
            << QByteArray("abc") << "1+0" << QByteArray("<H2>") << QByteArray("</H2>") << QByteArray("a<H2></H2>bc")
            << "5+0";
        QTest::newRow("HR devant une sélection qui reste sélectionnée")
            << QByteArray("un mot") << "3+3" << QByteArray("<HR>") << QByteArray() << QByteArray("un <HR>mot") << "7+3";
    }

    void insertion()
    {
        QFETCH(QByteArray, texte);
        QFETCH(QByteArray, ouverture);
        QFETCH(QByteArray, fermeture);
        TWndHTML *w = OuvrePage(texte);
        QFETCH(QString, selection);
        Selectionne(w, selection);
        w->InsertionTexte(ouverture.toStdString(), fermeture.toStdString());
        QTEST(Texte(w), "attendu");
        QTEST(Selection(w), "apres");
        QVERIFY(w->EditHTML->isModified());

        // One undo step takes the whole insertion back.
        w->EditionDefaire();
        QCOMPARE(Texte(w), texte);
        QVERIFY(!w->EditHTML->isModified());
        // Replaced by an empty view, which may hold no data.
        w->EditHTML->Remplace(0, texte.size(), {});
        QCOMPARE(Texte(w), QByteArray());
    }

    // The codec's own rows compare its decoding and encoding; here, the window keeps the file's encoding from the load
    // to the save, and hands Scintilla every byte, NUL included, and the text again when a file read as UTF-8 turns
    // out to be Windows-1252 past its first block of 4 Mo.
    void allerRetourOctetPourOctet()
    {
        const QByteArray octets = QByteArray(4 << 20, 'a') + QByteArray("\0\xE9 \x80\x81\x8D\x8F\x90\x9D\r\n", 11);
        TWndHTML *w = OuvrePage(octets);
        QCOMPARE(int(w->EncodageFichier()), int(Encodage::Windows1252));
        QVERIFY(!w->EditHTML->isModified() && !w->Untitled);
        QVERIFY(w->FileSave());
        QCOMPARE(Lit(w->FileName), octets);
        QVERIFY(script->questions.isEmpty());
    }

    void entreeSuitLesFinsDeLigneDuFichier()
    {
        for (const QByteArray fin : {"\r\n", "\n", "\r"}) {
            TWndHTML *w = OuvrePage("a" + fin + "b", "fin" + fin.toHex() + ".htm");
            QTest::keyClick(w->EditHTML, Qt::Key_Return);
            QCOMPARE(Texte(w), fin + "a" + fin + "b");
        }
    }

    void caractereHorsWindows1252()
    {
        const QByteArray origine("caf\xE9\r\n");
        TWndHTML *w = OuvrePage(origine);
        w->EditHTML->Selectionne(0, 0);
        w->InsertionTexte("中", "");

        // "&Non": nothing is written and the document stays modified.
        QVERIFY(!w->FileSave());
        QCOMPARE(script->questions.size(), 1);
        QVERIFY2(script->questions[0].contains("(« 中 »)"), qPrintable(script->questions[0]));
        QCOMPARE(Lit(w->FileName), origine);
        QVERIFY(w->EditHTML->isModified());

        // "&Oui": the file is written in UTF-8, and stays so. A program that reads the page meanwhile (a browser
        // showing it) reads the old page or the new one, never a mix: the new page takes the name whole.
        QFile lecteur(w->FileName);
        QVERIFY(lecteur.open(QIODevice::ReadOnly));
        script->ouiNon << true;
        QVERIFY(w->FileSave());
        QCOMPARE(lecteur.readAll(), origine);
        QCOMPARE(Lit(w->FileName), QByteArray("中café\r\n"));
        QCOMPARE(int(w->EncodageFichier()), int(Encodage::Utf8));
        QVERIFY(!w->EditHTML->isModified());
    }

    void enregistrementEchoueSansRienPerdre()
    {
        // A write that the system refuses half-way (here: beyond the size that the process may write).
        // A small page is the case to watch: its bytes stay in a buffer that only the commit would find refused.
        const QByteArray origine("original\n");
        TWndHTML *w = OuvrePage(origine);
        w->InsertionTexte(std::string(8 * 1024, 'x'), "");
        const auto limite = [](const std::function<bool()> &action) {
            const LimiteDeTaille limite(4 * 1024);
            return action();
        };
        QVERIFY(!limite([w] { return w->FileSave(); }));
        QCOMPARE(Lit(w->FileName), origine);
        QVERIFY(w->EditHTML->isModified());
        QCOMPARE(script->erreurs, QStringList{QStringLiteral("Ne peut créer le fichier %1").arg(w->FileName)});

        // Under the close question, "&Oui" with a failed save keeps the window.
        script->reponses << Utilisateur::Reponse::Oui;
        QVERIFY(!limite([w] { return w->FormCloseQuery(); }));
        QCOMPARE(Lit(w->FileName), origine);
    }

    // A file too large is refused before it is read: its size costs nothing on disk.
    void ouvertureSansBloquerNiMapper_data()
    {
        QTest::addColumn<QString>("nom");
        QTest::addColumn<bool>("parDemarrage");
        QTest::addColumn<QString>("cause");
        const QLocale francais(QLocale::French);
        QTest::newRow("fichier absent") << "absent.htm" << false << "";
        QTest::newRow("tube nommé par le dialogue d'ouverture") << "tube.htm" << false << "";
        QTest::newRow("tube nommé sur la ligne de commande") << "tube.htm" << true << "";
        QTest::newRow("périphérique sans fin") << "/dev/zero" << false << "";
        QTest::newRow("fichier ordinaire dont la lecture échoue") << "/proc/self/mem" << false << "";
        QTest::newRow("dossier") << "dossier.htm" << false << "";
        QTest::newRow("fichier trop grand") << "enorme.htm" << false
                                            << QStringLiteral(" : il fait %1 Mo, et l'éditeur ne peut tenir plus de %2 Mo.")
                                                   .arg(francais.toString(2001), francais.toString(2000));
    }

    void ouvertureSansBloquerNiMapper()
    {
        QFETCH(QString, nom);
        QFETCH(bool, parDemarrage);
        QFETCH(QString, cause);
        QDir(dossier.path()).mkdir("dossier.htm");
        if (!QFileInfo::exists(dossier.filePath("tube.htm")))
            QCOMPARE(mkfifo(QFile::encodeName(dossier.filePath("tube.htm")).constData(), 0600), 0);
        QVERIFY(QFile::resize(Fichier("enorme.htm"), qint64(TEditHTML::TailleMaximale) + 1));
        const QString chemin = nom.startsWith(u'/') ? nom : dossier.filePath(nom);
        if (parDemarrage)
            frame->Session().Demarrage({chemin});
        else
            Ouvre(chemin);
        QCOMPARE(script->erreurs, QStringList{QStringLiteral("Ne peut ouvrir le fichier %1").arg(chemin) + cause});
        // The window stays, named after the file and without one of its own.
        TWndHTML *w = frame->FenetreActive();
        QVERIFY(Texte(w).isEmpty());
        QCOMPARE(w->windowTitle(), chemin + "[*]");
        QVERIFY(w->Untitled);
    }

    // The open dialog starts in the active page's folder; beside an untitled page, where the last page was chosen.
    void dialogueDOuvertureDansLeDossierDeLaPage()
    {
        QDir(dossier.path()).mkdir("sous");
        const QString chemin = Fichier("sous/page.htm");
        Ouvre(chemin);
        frame->FileOpen();
        QCOMPARE(script->dialogues.last().nomPropose, dossier.filePath("sous"));
        frame->FileNew();
        frame->FileOpen();
        QCOMPARE(script->dialogues.last().nomPropose, chemin);
    }

    void dejaOuvert()
    {
        const QString chemin = Fichier("page.htm");
        QVERIFY(QFile::link(chemin, dossier.filePath("lien.htm")));
        TWndHTML *premiere = Ouvre(chemin);
        frame->FileNew();

        // Under another name, "&Non": no second window, the first comes forward.
        Ouvre(dossier.filePath("lien.htm"));
        QCOMPARE(script->questions,
                 QStringList{QStringLiteral("Confirmation|%1 est déjà ouvert. Voulez-vous l'ouvrir une seconde fois ?")
                                 .arg(chemin)});
        QCOMPARE(frame->Fenetres().size(), 2);
        QCOMPARE(frame->FenetreActive(), premiere);

        // Dropped on the frame, "&Oui": a second window.
        script->ouiNon << true;
        QMimeData donnees;
        donnees.setUrls({QUrl::fromLocalFile(chemin)});
        QDropEvent depot(QPointF(10, 10), Qt::CopyAction, &donnees, Qt::LeftButton, Qt::NoModifier);
        // Straight to the frame: outside a real drag, the application hands a drop to no one.
        static_cast<QObject *>(frame.get())->event(&depot);
        QCOMPARE(frame->Fenetres().size(), 3);
        QVERIFY(frame->FenetreActive() != premiere);
        QCOMPARE(frame->FenetreActive()->FileName, chemin);

        // A dropped desktop loads in place of the open pages.
        const QString autre = Fichier("autre.htm");
        donnees.setUrls({QUrl::fromLocalFile(Fichier("site.DSK", QFile::encodeName(autre) + "\n"))});
        for (TWndHTML *w : frame->Fenetres())
            w->EditHTML->setModified(false);
        static_cast<QObject *>(frame.get())->event(&depot);
        QCOMPARE(frame->Fenetres().size(), 1);
        QCOMPARE(frame->FenetreActive()->FileName, autre);
    }

    void memoireEpuisee()
    {
        if (SousAddressSanitizer)
            QSKIP("L'espace d'adressage ne peut être limité sous AddressSanitizer");
        // The address space is held just above what the program uses: loading a large page cannot get its room.
        const QString grand = Fichier("grand.htm");
        QVERIFY(QFile::resize(grand, 512 << 20));
        TWndHTML *autre = OuvrePage("<P>autre</P>");
        TWndHTML *w;
        {
            const LimiteDeMemoire limite(128 << 20);
            w = Ouvre(grand);
        }
        QCOMPARE(script->erreurs, QStringList{"Ne peut ouvrir le fichier " + grand + " : mémoire insuffisante."});
        QVERIFY(w->Untitled);
        QVERIFY(Texte(w).isEmpty());
        QCOMPARE(Texte(autre), QByteArray("<P>autre</P>"));

        // About 20 MB of result, where only 1 MB more may be taken: the page is left as it was.
        const QByteArray page = QByteArray("<TD>une ligne</TD>\n").repeated(2 << 20);
        script->erreurs.clear();
        TWndHTML *source = OuvrePage(page, "resultat.htm");
        const QList<TWndHTML *> pages = frame->Fenetres();
        // Too big to be coloured: its document keeps no style bytes.
        QCOMPARE(source->EditHTML->SendScintilla(QsciScintillaBase::SCI_GETDOCUMENTOPTIONS),
                 long(QsciScintillaBase::SC_DOCUMENTOPTION_STYLES_NONE));
        {
            const LimiteDeMemoire limite(1 << 20);
            frame->SupprimerLesTagsTableaux();
        }
        QCOMPARE(script->erreurs, QStringList{MemoireInsuffisante()});
        QCOMPARE(frame->Fenetres(), pages);
        QCOMPARE(Texte(source), page);
    }

    void resultatDansLEncodageDeLaPage_data()
    {
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<QByteArray>("attendu");
        QTest::newRow("sans tableaux, Windows-1252 gardé")
            << QByteArray("<TABLE><TR><TD>caf\xE9</TD></TR></TABLE>") << QByteArray("caf\xE9");
        QTest::newRow("sans tableaux, marque UTF-8 gardée")
            << QByteArray("\xEF\xBB\xBF<TABLE><TR><TD>caf\xC3\xA9</TD></TR></TABLE>")
            << QByteArray("\xEF\xBB\xBF");
    }

    void resultatDansLEncodageDeLaPage()
    {
        QFETCH(QByteArray, page);
        QFETCH(QByteArray, attendu);
        TWndHTML *source = OuvrePage(page);
        frame->SupprimerLesTagsTableaux();
        TWndHTML *resultat = frame->FenetreActive();
        QVERIFY(resultat != source && resultat->Untitled && resultat->EditHTML->isModified());
        // It starts from its text: nothing to undo.
        const QByteArray rempli = Texte(resultat);
        resultat->EditionDefaire();
        QCOMPARE(Texte(resultat), rempli);
        QCOMPARE(int(resultat->EncodageFichier()), int(source->EncodageFichier()));
        const QString chemin = dossier.filePath("resultat.htm");
        script->fichiers << chemin;
        QVERIFY(resultat->FileSave());
        const QByteArray ecrit = Lit(chemin);
        QVERIFY2(ecrit.contains(attendu), ecrit.constData());
        QVERIFY(script->questions.isEmpty());
    }

    // A new page starts from its template: nothing to undo, and still to be saved.
    void nouvellePageSansRienADefaire()
    {
        frame->FileNew();
        TWndHTML *w = frame->FenetreActive();
        const QByteArray rempli = Texte(w);
        QVERIFY(!rempli.isEmpty() && w->Untitled && w->EditHTML->isModified());
        frame->MajActions();
        QVERIFY(!frame->Menu("Edition")->actions().first()->isEnabled());
        w->EditionDefaire();
        QCOMPARE(Texte(w), rempli);
        QVERIFY(w->EditHTML->isModified());

        // An edit then its undo come back to the filled text, still to be saved.
        w->InsertionTexte("x", "");
        w->EditionDefaire();
        QCOMPARE(Texte(w), rempli);
        QVERIFY(w->EditHTML->isModified());
        script->fichiers << dossier.filePath("sans.htm");
        QVERIFY(w->FileSave());
        QVERIFY(!w->EditHTML->isModified());
    }

    // A folder where no file can be made, holding a page that anybody may write: the page is written in place.
    // Root passes every permission: its file-system identity is lent to nobody for the save.
    void enregistrementSurPlaceDansUnDossierFerme()
    {
        constexpr auto Lire = QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
        constexpr auto Ecrire = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
        constexpr auto Traverser = QFileDevice::ExeOwner | QFileDevice::ExeGroup | QFileDevice::ExeOther;
        QDir(dossier.path()).mkdir("partage");
        const QString chemin = Fichier("partage/page.htm", "ancien\n");
        QFile::setPermissions(chemin, Lire | Ecrire);
        TWndHTML *w = Ouvre(chemin);
        w->InsertionTexte("nouveau ", "");
        QFile::setPermissions(dossier.filePath("partage"), Lire | Traverser);
        QFile::setPermissions(dossier.path(), QFile::permissions(dossier.path()) | Traverser);
        setfsuid(65534);
        const bool ecrit = w->FileSave();
        setfsuid(geteuid());
        QFile::setPermissions(dossier.filePath("partage"), Lire | Ecrire | Traverser);
        QVERIFY(ecrit);
        QCOMPARE(Lit(chemin), QByteArray("nouveau ancien\n"));
        QVERIFY(script->erreurs.isEmpty());
    }

    void questionDeFermeture()
    {
        // A new document counts as changed: the question names "Sans Nom"; "&Oui" asks for a name, proposing
        // "Sans Nom" with the extension "htm"; cancelling that keeps the window.
        frame->FileNew();
        TWndHTML *w = frame->FenetreActive();
        script->reponses << Utilisateur::Reponse::Oui;
        QVERIFY(!w->FormCloseQuery());
        QCOMPARE(script->questions,
                 QStringList{QStringLiteral("Confirmation|Sans Nom a été modifié. Voulez-vous l'enregistrer ?")});
        QCOMPARE(script->dialogues.size(), 1);
        QCOMPARE(script->dialogues[0].titre, QStringLiteral("Enregistrer sous..."));
        QCOMPARE(script->dialogues[0].nomPropose, QStringLiteral("Sans Nom"));
        QCOMPARE(script->dialogues[0].extensionParDefaut, QStringLiteral("htm"));
        QVERIFY(w->Untitled);

        // "Annuler" keeps it; "&Non" lets it close.
        script->reponses << Utilisateur::Reponse::Annuler << Utilisateur::Reponse::Non;
        QVERIFY(!w->FormCloseQuery());
        QVERIFY(w->FormCloseQuery());

        // "&Oui" then a name: the file is written under its name on the disk, and the window may close.
        QDir(dossier.path()).mkdir("Pages");
        script->reponses << Utilisateur::Reponse::Oui;
        script->fichiers << dossier.path() + "/Pages/../Pages/./index.htm";
        QVERIFY(w->FormCloseQuery());
        const QString chemin = QDir(dossier.path()).canonicalPath() + "/Pages/index.htm";
        QCOMPARE(w->FileName, chemin);
        QCOMPARE(w->windowTitle(), chemin + "[*]");
        QVERIFY(Texte(w).startsWith("<!DOCTYPE html>\n<HTML>\n"));
        QCOMPARE(Lit(chemin), Texte(w));
        QVERIFY(!w->Untitled && !w->EditHTML->isModified());

        // A named document is written again without a dialog.
        w->InsertionTexte("x", "");
        QVERIFY(w->FileSave());
        QCOMPARE(script->dialogues.size(), 2);

        // An unchanged opened file closes without a question.
        script->questions.clear();
        QVERIFY(OuvrePage("<P>")->FormCloseQuery());
        QVERIFY(script->questions.isEmpty());
    }

    // A page with a line too long to be edited at ease asks first. "&Couper" cuts it before its blocks, as one undo
    // step that gives back the file's bytes; "&Garder tel quel" keeps it; a page with short lines asks nothing.
    void ligneTropLongue()
    {
        const QByteArray a(60'000, 'a');
        const QByteArray page = "<div>" + a + "</div><div>" + a + "</div>";
        script->couper << true << false;
        TWndHTML *w = OuvrePage(page);
        QCOMPARE(script->lignesLongues.size(), 1);
        QVERIFY(script->lignesLongues[0].startsWith(w->FileName + " a une ligne de "));
        QCOMPARE(Texte(w), "<div>" + a + "\n</div>\n<div>" + a + "\n</div>");
        QVERIFY(w->EditHTML->isModified());
        // Its lines now short, the page is coloured, in a document with style bytes.
        QVERIFY(w->EditHTML->lexer());
        QCOMPARE(w->EditHTML->SendScintilla(QsciScintillaBase::SCI_GETDOCUMENTOPTIONS), 0L);
        w->EditionDefaire();
        QCOMPARE(Texte(w), page);
        QVERIFY(!w->EditHTML->isModified());

        QCOMPARE(Texte(Ouvre(Fichier("garde.htm", page))), page);
        Ouvre(Fichier("courte.htm", "<p>x</p>"));
        QCOMPARE(script->lignesLongues.size(), 2);
        // Nowhere to cut: said, and the page stays as it is.
        script->couper << true;
        QCOMPARE(Texte(Ouvre(Fichier("texte.htm", a + a))), a + a);
        QCOMPARE(script->erreurs.size(), 1);
    }

    // The caret keeps still on a line too long to be laid out at each blink, from the load on.
    void curseurImmobileSurLigneLongue()
    {
        const QByteArray longue(100'001, 'a');
        // Scintilla tells of a caret move when it paints.
        frame->show();
        TWndHTML *w = OuvrePage(longue + "\ncourt\n" + longue);
        const auto periode = [&w] {
            QTest::qWait(50);
            return w->EditHTML->SendScintilla(QsciScintillaBase::SCI_GETCARETPERIOD);
        };
        QCOMPARE(periode(), 0L);
        w->EditHTML->setCursorPosition(1, 0);
        QVERIFY(periode() > 0);
        w->EditHTML->setCursorPosition(2, 0);
        QCOMPARE(periode(), 0L);
        w = Ouvre(Fichier("limite.htm", QByteArray(100'000, 'a')));
        QVERIFY(periode() > 0);
    }

    // Nothing works on a page at rest: a page kept uncoloured asks for no styling as it idles, and the marks of a view
    // checked again, when already right, are left alone (marks changed paint the view, which is then checked again).
    void aucunTravailAuRepos()
    {
        frame->show();
        script->couper << false;
        const QByteArray longue = "<p>" + QByteArray(150'000, 'a') + "</p>\n";
        TWndHTML *w = OuvrePage(longue + longue);
        QVERIFY(QTest::qWaitForWindowExposed(w));
        const auto styles = [w] {
            QSignalSpy demandes(w->EditHTML, &QsciScintillaBase::SCN_STYLENEEDED);
            for (int tour = 0; tour < 50; ++tour)
                QCoreApplication::processEvents();
            return demandes.size();
        };
        styles();
        QCOMPARE(styles(), 0);
        const std::vector<std::pair<std::size_t, std::size_t>> fautes{{3, 150'003}};
        MarqueFautes(*w->EditHTML, 0, 200'000, fautes);
        w->EditHTML->SendScintilla(QsciScintillaBase::SCI_SETMODEVENTMASK, QsciScintillaBase::SC_MOD_CHANGEINDICATOR);
        QSignalSpy changements(w->EditHTML, &QsciScintillaBase::SCN_MODIFIED);
        MarqueFautes(*w->EditHTML, 0, 200'000, fautes);
        QCOMPARE(changements.size(), 0);
    }

    // The names of HTML as pages are written now, and the old ones, in either case, are coloured as known mark-up; a
    // made-up name is not (the list of the names has its own test).
    void couleursDuBalisage()
    {
        const QByteArray page = "<P couleur=\"\"><NAV bgcolor=\"\" datetime=\"\"><navire>texte";
        TWndHTML *w = OuvrePage(page);
        w->EditHTML->SendScintilla(QsciScintillaBase::SCI_COLOURISE, 0UL, -1L);
        const auto style = [&](const char *nom) {
            return int(w->EditHTML->SendScintilla(QsciScintillaBase::SCI_GETSTYLEAT, (unsigned long)page.indexOf(nom)));
        };
        for (const char *nom : {"P", "NAV", "navire"})
            QCOMPARE(style(nom), int(nom[0] == 'n' ? QsciLexerHTML::UnknownTag : QsciLexerHTML::Tag));
        for (const char *nom : {"bgcolor", "datetime", "couleur"})
            QCOMPARE(style(nom), int(nom[0] == 'c' ? QsciLexerHTML::UnknownAttribute : QsciLexerHTML::Attribute));
    }

    void barreDEtat_data()
    {
        QTest::addColumn<QByteArray>("octets");
        QTest::addColumn<QString>("attendu");
        QTest::newRow("UTF-8, LF") << QByteArray("un\nété\n") << "Ligne 2, colonne 4|UTF-8|LF|";
        QTest::newRow("UTF-8 avec BOM, CR LF") << QByteArray("\xEF\xBB\xBFun\r\nété\r\n")
                                               << "Ligne 2, colonne 4|UTF-8 avec BOM|CR LF|";
        QTest::newRow("Windows-1252, CR") << QByteArray("un\r\xE9t\xE9\r") << "Ligne 2, colonne 4|Windows-1252|CR|";
    }

    void barreDEtat()
    {
        QFETCH(QByteArray, octets);
        QFETCH(QString, attendu);
        const auto etat = [this] {
            QCoreApplication::processEvents();
            QStringList textes;
            for (QLabel *texte : frame->statusBar()->findChildren<QLabel *>())
                if (texte->isVisibleTo(frame.get()))
                    textes << texte->text();
            return textes.join(u'|');
        };
        QCOMPARE(etat(), QString());
        TWndHTML *w = OuvrePage(octets);
        w->EditHTML->setCursorPosition(1, 3);
        QCOMPARE(etat(), attendu);
        // A selection counts characters.
        w->EditHTML->setSelection(1, 0, 1, 3);
        QVERIFY(etat().startsWith("Ligne 2, colonne 4, 3 sélectionnés|"));
        // Typing moves the caret. A change shows, in the bar and in the caption, until it is undone.
        w->EditHTML->setFocus();
        w->EditHTML->setCursorPosition(1, 3);
        QTest::keyClicks(w->EditHTML, "ab");
        QVERIFY(etat().startsWith("Ligne 2, colonne 6|") && etat().endsWith("|Modifié") && w->isWindowModified());
        w->EditionDefaire();
        QVERIFY(etat().endsWith("|") && !w->isWindowModified());
        // So does a filled result.
        frame->SupprimerLesTagsTableaux();
        QVERIFY(etat().endsWith("|Modifié") && frame->FenetreActive()->isWindowModified());
    }

    void etatDesCommandes()
    {
        // One action a command, wherever it is offered, enabled as the active document allows.
        const auto action = [this](const char *nom) { return frame->findChild<QAction *>(nom); };
        QAction *defaire = action("Defaire");
        QAction *couper = action("Couper");
        QAction *copier = action("Copier");
        QAction *coller = action("Coller");
        for (QAction *commande : {couper, copier, coller})
            QVERIFY(frame->Menu("Edition")->actions().contains(commande) && frame->Menu("Contextuel")->actions().contains(commande));
        QGuiApplication::clipboard()->setText(QStringLiteral("x"));
        QVERIFY(!coller->isEnabled());

        TWndHTML *w = OuvrePage("un mot");
        QVERIFY(coller->isEnabled());
        // Bytes that are not text cannot be pasted.
        auto *octets = new QMimeData;
        octets->setData(QStringLiteral("application/octet-stream"), "x");
        QGuiApplication::clipboard()->setMimeData(octets);
        QVERIFY(!defaire->isEnabled() && !couper->isEnabled() && !copier->isEnabled() && !coller->isEnabled());

        // A selection made with the keyboard enables cutting at once; undoing, as the menu opens.
        QTest::keyClick(w->EditHTML, Qt::Key_End, Qt::ShiftModifier);
        QVERIFY(couper->isEnabled() && copier->isEnabled());
        couper->trigger();
        QCOMPARE(Texte(w), QByteArray());
        emit frame->Menu("Edition")->aboutToShow();
        QVERIFY(defaire->isEnabled() && coller->isEnabled() && !couper->isEnabled());
        coller->trigger();
        QCOMPARE(Texte(w), QByteArray("un mot"));

        // Without a document, nothing is enabled.
        w->EditHTML->setModified(false);
        frame->FenetresFermerTout();
        QTRY_VERIFY(!coller->isEnabled() && !defaire->isEnabled());
    }
};

QTEST_MAIN(TestWndHTML)
#include "tst_wndhtml.moc"
