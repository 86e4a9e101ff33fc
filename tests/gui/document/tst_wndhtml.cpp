#include "CadreDeTest.h"
#include "Limites.h"

#include "gui/verification/Verification.h"

#include <Qsci/qscilexerhtml.h>

#include <QClipboard>
#include <QLabel>
#include <QStatusBar>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>

#include <ctime>

#include <sys/fsuid.h>
#include <sys/stat.h>
#include <unistd.h>

class TestWndHTML : public CadreDeTest {
    Q_OBJECT

    TWndHTML *Ouvre(const QByteArray &octets) { return CadreDeTest::Ouvre(Fichier("page.htm", octets)); }

private slots:
    void init()
    {
        QVERIFY(dossier.isValid());
        NouveauCadre();
    }

    void cleanup() { FermeCadre(); }

    void insertion_data()
    {
        QTest::addColumn<QByteArray>("texte");
        QTest::addColumn<int>("debut");
        QTest::addColumn<int>("longueur");
        QTest::addColumn<QByteArray>("ouverture");
        QTest::addColumn<QByteArray>("fermeture");
        QTest::addColumn<QByteArray>("attendu");
        QTest::addColumn<int>("debutAttendu");
        QTest::addColumn<int>("longueurAttendue");

        QTest::newRow("mot sélectionné après des lettres accentuées: il reste sélectionné, positions en octets")
            << QByteArray("été mot") << 6 << 3 << QByteArray("<I>") << QByteArray("</I>")
            << QByteArray("été <I>mot</I>") << 9 << 3;
        QTest::newRow("rien de sélectionné: le curseur entre les deux balises")
            << QByteArray("abc") << 1 << 0 << QByteArray("<H2>") << QByteArray("</H2>")
            << QByteArray("a<H2></H2>bc") << 5 << 0;
        QTest::newRow("fermeture vide: curseur après le texte inséré")
            << QByteArray("abc") << 3 << 0 << QByteArray("&nbsp;") << QByteArray() << QByteArray("abc&nbsp;") << 9
            << 0;
        QTest::newRow("HR devant une sélection qui reste sélectionnée")
            << QByteArray("un mot") << 3 << 3 << QByteArray("<HR>") << QByteArray() << QByteArray("un <HR>mot") << 7
            << 3;
        QTest::newRow("sélection sur plusieurs lignes CR LF, aucun saut ajouté")
            << QByteArray("a\r\nb\r\nc") << 0 << 6 << QByteArray("<P ALIGN=CENTER>") << QByteArray("</P>")
            << QByteArray("<P ALIGN=CENTER>a\r\nb\r\n</P>c") << 16 << 6;
    }

    void insertion()
    {
        QFETCH(QByteArray, texte);
        QFETCH(int, debut);
        QFETCH(int, longueur);
        QFETCH(QByteArray, ouverture);
        QFETCH(QByteArray, fermeture);
        QFETCH(QByteArray, attendu);
        QFETCH(int, debutAttendu);
        QFETCH(int, longueurAttendue);

        TWndHTML *w = Ouvre(texte);
        w->EditHTML->Selectionne(debut, longueur);
        w->InsertionTexte(ouverture.toStdString(), fermeture.toStdString());
        QCOMPARE(Texte(w), attendu);
        QCOMPARE(w->EditHTML->SelStart(), debutAttendu);
        QCOMPARE(w->EditHTML->SelLength(), longueurAttendue);
        QVERIFY(w->EditHTML->isModified());

        // One undo step takes the whole insertion back.
        w->EditionDefaire();
        QCOMPARE(Texte(w), texte);
        QVERIFY(!w->EditHTML->isModified());
    }

    // The codec's own rows compare its decoding and encoding; here, the window keeps the file's encoding from the load
    // to the save, and hands Scintilla every byte, NUL included, and the text again when a file read as UTF-8 turns
    // out to be Windows-1252 past its first block of 4 Mo.
    void allerRetourOctetPourOctet_data()
    {
        QTest::addColumn<QByteArray>("octets");
        QTest::addColumn<int>("encodage");
        QTest::newRow("UTF-8 avec marque, NUL, fins de ligne mêlées")
            << QByteArray("\xEF\xBB\xBF<P>été\0</P>\r\nb\nc\r", 22) << int(Encodage::Utf8Bom);
        QTest::newRow("Windows-1252 passé le premier bloc, NUL et octets non attribués")
            << QByteArray(4 << 20, 'a') + QByteArray("\0\xE9 \x80\x81\x8D\x8F\x90\x9D\r\n", 11)
            << int(Encodage::Windows1252);
    }

    void allerRetourOctetPourOctet()
    {
        QFETCH(QByteArray, octets);
        QFETCH(int, encodage);
        TWndHTML *w = Ouvre(octets);
        QCOMPARE(int(w->EncodageFichier()), encodage);
        QVERIFY(!w->EditHTML->isModified());
        QVERIFY(!w->Untitled);
        QVERIFY(w->FileSave());
        QCOMPARE(Lit(w->FileName), octets);
        QVERIFY(script->questions.isEmpty());
    }

    void entreeSuitLesFinsDeLigneDuFichier_data()
    {
        QTest::addColumn<QByteArray>("octets");
        QTest::addColumn<QByteArray>("attendu");
        QTest::newRow("CR LF") << QByteArray("a\r\nb") << QByteArray("\r\na\r\nb");
        QTest::newRow("LF") << QByteArray("a\nb") << QByteArray("\na\nb");
        QTest::newRow("CR") << QByteArray("a\rb") << QByteArray("\ra\rb");
    }

    void entreeSuitLesFinsDeLigneDuFichier()
    {
        QFETCH(QByteArray, octets);
        QFETCH(QByteArray, attendu);
        TWndHTML *w = Ouvre(octets);
        QTest::keyClick(w->EditHTML, Qt::Key_Return);
        QCOMPARE(Texte(w), attendu);
    }

    void caractereHorsWindows1252()
    {
        const QByteArray origine("caf\xE9\r\n");
        TWndHTML *w = Ouvre(origine);
        w->EditHTML->Selectionne(0, 0);
        w->InsertionTexte("中", "");

        // "&Non": nothing is written and the document stays modified.
        QVERIFY(!w->FileSave());
        QCOMPARE(script->questions.size(), 1);
        QVERIFY2(script->questions[0].contains("(« 中 »)"), qPrintable(script->questions[0]));
        QCOMPARE(Lit(w->FileName), origine);
        QVERIFY(w->EditHTML->isModified());

        // "&Oui": the file is written in UTF-8, and stays so.
        script->ouiNon << true;
        QVERIFY(w->FileSave());
        QCOMPARE(Lit(w->FileName), QByteArray("中café\r\n"));
        QCOMPARE(int(w->EncodageFichier()), int(Encodage::Utf8));
        QVERIFY(!w->EditHTML->isModified());
    }

    void enregistrementEchoueSansRienPerdre()
    {
        // A write that the system refuses half-way (here: beyond the size that the process may write).
        // A small page is the case to watch: its bytes stay in a buffer that only the commit would find refused.
        const QByteArray origine("original\n");
        TWndHTML *w = Ouvre(origine);
        w->InsertionTexte(std::string(8 * 1024, 'x'), "");
        bool ecrit;
        {
            const LimiteDeTaille limite(4 * 1024);
            ecrit = w->FileSave();
        }

        QVERIFY(!ecrit);
        QCOMPARE(Lit(w->FileName), origine);
        QVERIFY(w->EditHTML->isModified());
        QCOMPARE(script->erreurs, QStringList{QStringLiteral("Ne peut créer le fichier %1").arg(w->FileName)});

        // Under the close question, "&Oui" with a failed save keeps the window.
        script->reponses << Utilisateur::Reponse::Oui;
        bool ferme;
        {
            const LimiteDeTaille limite(4 * 1024);
            ferme = w->FormCloseQuery();
        }
        QVERIFY(!ferme);
        QCOMPARE(Lit(w->FileName), origine);
    }

    // A program that reads the page while it is saved (a browser showing it) reads the old page or the new one,
    // never a mix: the new page is written beside and takes the name whole.
    void lecteurPendantLEnregistrement()
    {
        const QByteArray origine("<P>ancien\n");
        TWndHTML *w = Ouvre(origine);
        QFile lecteur(w->FileName);
        QVERIFY(lecteur.open(QIODevice::ReadOnly));
        w->InsertionTexte("<P>nouveau, plus long que l'ancien\n", "");
        QVERIFY(w->FileSave());
        QCOMPARE(lecteur.readAll(), origine);
        QCOMPARE(Lit(w->FileName), QByteArray("<P>nouveau, plus long que l'ancien\n<P>ancien\n"));
    }

    void ouvertureSansBloquerNiMapper_data()
    {
        QTest::addColumn<QString>("nom");
        QTest::addColumn<bool>("parDemarrage");
        QTest::newRow("fichier absent") << "absent.htm" << false;
        QTest::newRow("tube nommé par le dialogue d'ouverture") << "tube.htm" << false;
        QTest::newRow("tube nommé sur la ligne de commande") << "tube.htm" << true;
        QTest::newRow("périphérique sans fin") << "/dev/zero" << false;
        QTest::newRow("fichier ordinaire dont la lecture échoue") << "/proc/self/mem" << false;
        QTest::newRow("dossier") << "dossier.htm" << false;
    }

    void ouvertureSansBloquerNiMapper()
    {
        QFETCH(QString, nom);
        QFETCH(bool, parDemarrage);
        QDir(dossier.path()).mkdir("dossier.htm");
        if (!QFileInfo::exists(dossier.filePath("tube.htm")))
            QCOMPARE(mkfifo(QFile::encodeName(dossier.filePath("tube.htm")).constData(), 0600), 0);
        const QString chemin = nom.startsWith(u'/') ? nom : dossier.filePath(nom);
        if (parDemarrage)
            frame->Session().Demarrage({chemin});
        else
            CadreDeTest::Ouvre(chemin);
        QCOMPARE(script->erreurs, QStringList{QStringLiteral("Ne peut ouvrir le fichier %1").arg(chemin)});
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
        CadreDeTest::Ouvre(chemin);
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
        TWndHTML *premiere = CadreDeTest::Ouvre(chemin);
        frame->FileNew();

        // Under another name, "&Non": no second window, the first comes forward.
        CadreDeTest::Ouvre(dossier.filePath("lien.htm"));
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

    void fichierTropGrandRefuseAvantLecture()
    {
        // A sparse file: its size costs nothing on disk, and it must not be read.
        QFile fichier(dossier.filePath("enorme.htm"));
        QVERIFY(fichier.open(QIODevice::WriteOnly));
        QVERIFY(fichier.resize(qint64(TEditHTML::TailleMaximale) + 1));
        fichier.close();
        TWndHTML *w = CadreDeTest::Ouvre(fichier.fileName());
        QCOMPARE(script->erreurs.size(), 1);
        const QString taille = QLocale(QLocale::French).toString(2001) + QStringLiteral(" Mo");
        QVERIFY2(script->erreurs[0].contains(taille), qPrintable(script->erreurs[0]));
        QVERIFY(script->erreurs[0].startsWith(QStringLiteral("Ne peut ouvrir le fichier %1").arg(fichier.fileName())));
        QVERIFY(w->Untitled);
        QVERIFY(Texte(w).isEmpty());
    }

    void memoireEpuiseeAuChargement()
    {
        if (SousAddressSanitizer)
            QSKIP("L'espace d'adressage ne peut être limité sous AddressSanitizer");
        // The address space is held just above what the program uses: loading a large page cannot get its room.
        QFile fichier(dossier.filePath("grand.htm"));
        QVERIFY(fichier.open(QIODevice::WriteOnly));
        QVERIFY(fichier.resize(512 << 20));
        fichier.close();
        TWndHTML *autre = Ouvre("<P>autre</P>");
        TWndHTML *w;
        {
            const LimiteDeMemoire limite(128 << 20);
            w = CadreDeTest::Ouvre(fichier.fileName());
        }
        QCOMPARE(script->erreurs,
                 QStringList{QStringLiteral("Ne peut ouvrir le fichier %1 : mémoire insuffisante.").arg(fichier.fileName())});
        QVERIFY(w->Untitled);
        QVERIFY(Texte(w).isEmpty());
        QCOMPARE(Texte(autre), QByteArray("<P>autre</P>"));
    }

    void memoireEpuiseePourUnResultat()
    {
        if (SousAddressSanitizer)
            QSKIP("L'espace d'adressage ne peut être limité sous AddressSanitizer");
        // About 20 MB of result, where only 1 MB more may be taken.
        const QByteArray page = QByteArray("<TD>une ligne</TD>\n").repeated(2 << 20);
        TWndHTML *source = Ouvre(page);
        // Too big to be coloured: its document keeps no style bytes.
        QCOMPARE(source->EditHTML->SendScintilla(QsciScintillaBase::SCI_GETDOCUMENTOPTIONS),
                 long(QsciScintillaBase::SC_DOCUMENTOPTION_STYLES_NONE));
        {
            const LimiteDeMemoire limite(1 << 20);
            frame->SupprimerLesTagsTableaux();
        }
        QCOMPARE(script->erreurs, QStringList{MemoireInsuffisante()});
        QCOMPARE(frame->Fenetres(), QList<TWndHTML *>{source});
        QCOMPARE(Texte(source), page);
    }

    void resultatDansLEncodageDeLaPage_data()
    {
        QTest::addColumn<bool>("tableaux");
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<QByteArray>("attendu");
        QTest::newRow("sans tags, entités restaurées en Windows-1252")
            << false << QByteArray("<P>caf\xE9 &eacute;t\xE9</P>") << QByteArray("caf\xE9 \xE9t\xE9");
        QTest::newRow("sans tableaux, Windows-1252 gardé")
            << true << QByteArray("<TABLE><TR><TD>caf\xE9</TD></TR></TABLE>") << QByteArray("caf\xE9");
        QTest::newRow("sans tableaux, marque UTF-8 gardée")
            << true << QByteArray("\xEF\xBB\xBF<TABLE><TR><TD>caf\xC3\xA9</TD></TR></TABLE>")
            << QByteArray("\xEF\xBB\xBF");
    }

    void resultatDansLEncodageDeLaPage()
    {
        QFETCH(bool, tableaux);
        QFETCH(QByteArray, page);
        QFETCH(QByteArray, attendu);
        TWndHTML *source = Ouvre(page);
        if (tableaux)
            frame->SupprimerLesTagsTableaux();
        else
            frame->SupprimerLesTagsHTML();
        TWndHTML *resultat = frame->FenetreActive();
        QVERIFY(resultat != source);
        QCOMPARE(int(resultat->EncodageFichier()), int(source->EncodageFichier()));
        const QString chemin = dossier.filePath("resultat.htm");
        script->fichiers << chemin;
        QVERIFY(resultat->FileSave());
        const QByteArray ecrit = Lit(chemin);
        QVERIFY2(ecrit.contains(attendu), ecrit.constData());
        QVERIFY(script->questions.isEmpty());
    }

    // A new page and a command's result start from their text: nothing to undo, and still to be saved.
    void resultatSansRienADefaire_data()
    {
        QTest::addColumn<bool>("resultat");
        QTest::newRow("nouvelle page") << false;
        QTest::newRow("page sans ses tableaux") << true;
    }

    void resultatSansRienADefaire()
    {
        QFETCH(bool, resultat);
        frame->FileNew();
        if (resultat)
            frame->SupprimerLesTagsTableaux();
        TWndHTML *w = frame->FenetreActive();
        const QByteArray rempli = Texte(w);
        QVERIFY(!rempli.isEmpty());
        QVERIFY(w->Untitled);
        QVERIFY(w->EditHTML->isModified());
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

    void enregistrementSurPlaceDansUnDossierFerme()
    {
        // A folder where no file can be made, holding a page that may be written: the page is written in place.
        // Root passes every permission: its file-system identity is lent to nobody for the save.
        QDir(dossier.path()).mkdir("partage");
        const QString chemin = dossier.filePath("partage/page.htm");
        Ecrit(chemin, "ancien\n");
        QFile::setPermissions(chemin, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther |
                                          QFileDevice::WriteOther | QFileDevice::ReadGroup | QFileDevice::WriteGroup);
        TWndHTML *w = CadreDeTest::Ouvre(chemin);
        w->InsertionTexte("nouveau ", "");
        QFile::setPermissions(dossier.filePath("partage"), QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                                               QFileDevice::ReadGroup | QFileDevice::ExeGroup |
                                                               QFileDevice::ReadOther | QFileDevice::ExeOther);
        const bool root = geteuid() == 0;
        QFile::setPermissions(dossier.path(), QFile::permissions(dossier.path()) | QFileDevice::ExeGroup |
                                                   QFileDevice::ExeOther);
        if (root)
            setfsuid(65534);
        const bool ecrit = w->FileSave();
        if (root)
            setfsuid(0);
        QFile::setPermissions(dossier.filePath("partage"), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                               QFileDevice::ExeOwner);
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

        // "&Oui" then a name: the file is written and the window may close.
        const QString chemin = dossier.filePath("nouvelle.htm");
        script->reponses << Utilisateur::Reponse::Oui;
        script->fichiers << chemin;
        QVERIFY(w->FormCloseQuery());
        QCOMPARE(w->FileName, chemin);
        QCOMPARE(w->windowTitle(), chemin + "[*]");
        QCOMPARE(Lit(chemin), QByteArray("<!DOCTYPE html>\n<HTML>\n<HEAD>\n<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=utf-8\">\n<TITLE>Sans Titre</TITLE>\n</HEAD>\n<BODY>\n"
                                         "\n</BODY>\n</HTML>\n"));

        // An unchanged opened file closes without a question.
        script->questions.clear();
        TWndHTML *propre = Ouvre("<P>");
        QVERIFY(propre->FormCloseQuery());
        QVERIFY(script->questions.isEmpty());
    }

    void enregistrerSousDonneLeNomSurLeDisque()
    {
        QDir(dossier.path()).mkdir("Pages");
        frame->FileNew();
        TWndHTML *w = frame->FenetreActive();
        script->fichiers << dossier.path() + "/Pages/../Pages/./index.htm";
        QVERIFY(w->FileSave());
        const QString attendu = QDir(dossier.path()).canonicalPath() + "/Pages/index.htm";
        QCOMPARE(w->FileName, attendu);
        QCOMPARE(w->windowTitle(), attendu + "[*]");
        QVERIFY(!w->Untitled);
        QVERIFY(!w->EditHTML->isModified());

        // A named document is written again without a dialog.
        w->InsertionTexte("x", "");
        QVERIFY(w->FileSave());
        QCOMPARE(script->dialogues.size(), 1);
    }

    // A page with a line too long to be edited at ease asks first. "&Couper" cuts it before its blocks, as one undo
    // step that gives back the file's bytes; "&Garder tel quel" keeps it; a page with short lines asks nothing.
    void ligneTropLongue()
    {
        const QByteArray a(60'000, 'a');
        const QByteArray page = "<div>" + a + "</div><div>" + a + "</div>";
        script->couper << true << false;
        TWndHTML *w = Ouvre(page);
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

        QCOMPARE(Texte(CadreDeTest::Ouvre(Fichier("garde.htm", page))), page);
        CadreDeTest::Ouvre(Fichier("courte.htm", "<p>x</p>"));
        QCOMPARE(script->lignesLongues.size(), 2);
        // Nowhere to cut: said, and the page stays as it is.
        script->couper << true;
        QCOMPARE(Texte(CadreDeTest::Ouvre(Fichier("texte.htm", a + a))), a + a);
        QCOMPARE(script->erreurs.size(), 1);
    }

    // The caret keeps still on a line too long to be laid out at each blink, from the load on.
    void curseurImmobileSurLigneLongue()
    {
        const QByteArray longue(100'001, 'a');
        // Scintilla tells of a caret move when it paints.
        frame->show();
        TWndHTML *w = Ouvre(longue + "\ncourt\n" + longue);
        const auto periode = [&w] {
            QTest::qWait(50);
            return w->EditHTML->SendScintilla(QsciScintillaBase::SCI_GETCARETPERIOD);
        };
        QCOMPARE(periode(), 0L);
        w->EditHTML->setCursorPosition(1, 0);
        QVERIFY(periode() > 0);
        w->EditHTML->setCursorPosition(2, 0);
        QCOMPARE(periode(), 0L);
        w = CadreDeTest::Ouvre(Fichier("limite.htm", QByteArray(100'000, 'a')));
        QVERIFY(periode() > 0);
    }

    // A page kept with a line too long to lay out costs no more processor time at rest than an ordinary page,
    // whether its spelling is checked or not: nothing keeps working on that line. The measure is generous, for a
    // busy machine.
    void ligneLongueAuRepos_data()
    {
        QTest::addColumn<bool>("orthographe");
        QTest::newRow("orthographe vérifiée") << true;
        QTest::newRow("orthographe non vérifiée") << false;
    }

    void ligneLongueAuRepos()
    {
        QFETCH(bool, orthographe);
        frame->Verification().ActiveOrthographe(orthographe);
        if (frame->Verification().OrthographeActive() != orthographe)
            QSKIP("Aucun dictionnaire Hunspell n'est installé.");
        frame->show();
        const auto processeur = [] { return double(std::clock()) / CLOCKS_PER_SEC; };
        const auto auRepos = [&](const QByteArray &page) {
            script->couper << false;
            TWndHTML *w = Ouvre(page);
            // Once its first work is done (shown, laid out, checked), however long a busy machine takes; a page that
            // never rests is measured all the same after a while.
            for (int fois = 0; fois < 40; ++fois) {
                const double avant = processeur();
                QTest::qWait(250);
                if (processeur() - avant < 0.02)
                    break;
            }
            const double debut = processeur();
            QTest::qWait(3000);
            const double secondes = processeur() - debut;
            w->parentWidget()->close();
            return secondes;
        };
        const double ordinaire = auRepos("<p>" + QByteArray(1000, 'a') + "</p>\n");
        const QByteArray longue = "<p>" + QByteArray(150'000, 'a') + "</p>\n";
        const double surLigneLongue = auRepos(longue + longue);
        QCOMPARE(script->lignesLongues.size(), 1);
        QVERIFY2(surLigneLongue < 2 * ordinaire + 0.3,
                 qPrintable(QStringLiteral("%1 s au repos, %2 s pour une page ordinaire")
                                .arg(surLigneLongue)
                                .arg(ordinaire)));
    }

    // The elements and attributes of HTML as pages are written now, in either case, are coloured as known mark-up;
    // a made-up name is not.
    void couleursDuBalisage_data()
    {
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("style");
        for (const char *element : {"nav", "main", "section", "article", "header", "footer", "figure", "time", "mark",
                                    "video", "picture", "template", "SEARCH", "P"})
            QTest::addRow("élément %s", element) << "<" + QByteArray(element) + ">" << 1 << int(QsciLexerHTML::Tag);
        QTest::newRow("élément inconnu") << QByteArray("<navire>") << 1 << int(QsciLexerHTML::UnknownTag);
        for (const char *attribut : {"DATETIME", "srcset", "loading", "aria-label", "onclick", "bgcolor"})
            QTest::addRow("attribut %s", attribut) << "<p " + QByteArray(attribut) + "=\"\">" << 3
                                                 << int(QsciLexerHTML::Attribute);
        QTest::newRow("attribut inconnu") << QByteArray("<p couleur=\"\">") << 3
                                          << int(QsciLexerHTML::UnknownAttribute);
    }

    void couleursDuBalisage()
    {
        QFETCH(QByteArray, page);
        QFETCH(int, position);
        TWndHTML *w = Ouvre(page + "texte");
        w->EditHTML->SendScintilla(QsciScintillaBase::SCI_COLOURISE, 0UL, -1L);
        QTEST(int(w->EditHTML->SendScintilla(QsciScintillaBase::SCI_GETSTYLEAT, static_cast<unsigned long>(position))),
              "style");
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
        TWndHTML *w = Ouvre(octets);
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

        TWndHTML *w = Ouvre("un mot");
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
