// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/texte/Encodage.h"
#include "gui/document/EditHTML.h"

#include <QWidget>

#include <cstdint>
#include <functional>
#include <future>
#include <optional>
#include <string_view>

class QFileSystemWatcher;
class QFont;
class QTimer;
class TRecuperation;
class Utilisateur;
struct JournalLu;

// A document window: one file's text in `EditHTML`, its name, loading and saving, and the question asked before a
// modified document closes. The frame above it carries the menus and the commands, which act on the active
// document window through these functions.
class TWndHTML : public QWidget {
    Q_OBJECT

public:
    // The user answers the window's questions; the text takes the font. While the document is modified, its
    // journal is kept in the recovery folder, when there is one.
    TWndHTML(Utilisateur &utilisateur, const QFont &fonte, TRecuperation *recuperation = nullptr);
    // Removes the journal: the document is saved or given up.
    ~TWndHTML() override;

    // Sets `FileName`, the caption, and the file's name as what a screen reader says of the text.
    void ChangeNom(const QString &nom);

    // The file name ("Sans Nom" until the document has one) and whether the document has no file of its own yet.
    QString FileName;
    bool Untitled = true;

    TEditHTML *EditHTML;

    void OpenFile(const QString &nom);
    // The page's file was renamed or moved to that path: the window takes its name and watches it there.
    void SuitFichier(const QString &nom);
    // Reads the page again from its file, after asking when it is modified, the caret and the first line in view
    // kept as far as the new text reaches; a file gone or unreadable is told and the page stays as it is.
    void Recharge();
    // Takes the page of a journal that a stopped program left: its name, encoding, line ends and text, modified, so
    // that saving writes it where it belongs (and asks first if its file changed meanwhile). Its own journal is
    // written before this returns.
    void Recupere(const JournalLu &journal);
    // Fills this new window with a generated text, saved in the encoding; the caret goes to its end or its start.
    void Remplit(std::string_view texte, FinDeLigne fin, Encodage encodage, bool curseurALaFin);
    // Puts the opening text before the selection and the closing text after it, keeping the selection; with
    // nothing selected the caret lands after the opening text. One undo step.
    void InsertionTexte(std::string_view ouverture, std::string_view fermeture);
    // True when the document was written.
    bool FileSave();
    bool FileSaveAs();
    // True when the window may close: unchanged, saved, or its changes given up.
    bool FormCloseQuery();
    // Tells the user when the file on disk is no longer the one loaded or saved, once for each change: a file
    // changed by another program is reloaded (after asking, when the document is modified); a file gone leaves the
    // document modified, so that closing it asks to save it.
    void VerifieFichier();
    // Selects the next occurrence of the text from the selection start forwards, searched off the interface thread;
    // false when there is none, nothing when the user cancelled the search.
    std::optional<bool> SelectionneSuivant(const QString &texte, bool casse, bool motEntier);

    void EditionDefaire();
    void EditionCouper();
    void EditionCopier();
    void EditionColler();

    Encodage EncodageFichier() const { return encodage; }

signals:
    // The page was loaded from its file, or written to it.
    void FichierUtilise(const QString &nom);
    // The window closes: its page is saved or given up.
    void Fermeture();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    // The journal is written two seconds after the last change, and at most five seconds after the first change
    // that it does not hold while changes keep coming, from a copy of the text, off the interface thread; a
    // document that is not modified has none.
    void EcritJournal();
    // Waits for a journal being written, then removes the journal.
    void SupprimeJournal();
    // Offers to cut the lines of a page just loaded that are too long to be edited at ease.
    void ProposeCoupure();
    // Remembers the file as it is on disk now, as loaded or saved.
    void NoteFichier();
    // Whether another file stands on disk under the name, in place of the one loaded or saved.
    bool FichierChange() const;
    // The file's modification time in nanoseconds, size and inode; no inode when there is no such file.
    struct Identite {
        std::int64_t date = 0;
        std::int64_t taille = 0;
        std::uint64_t inode = 0;
        bool operator==(const Identite &) const = default;
    };
    Identite IdentiteSurDisque() const;

    Utilisateur &utilisateur;
    Encodage encodage = Encodage::Utf8;
    TRecuperation *recuperation;
    QTimer *minuterieJournal;
    QTimer *delaiMaximalJournal;
    QString journal;
    std::future<bool> ecritureJournal;
    qint64 derniereModification = 0;
    // The file as loaded or last saved; no inode when unknown.
    Identite fichier;
    // The file as it was when the user last chose to keep the document rather than the file.
    std::optional<Identite> ecarte;
    bool verification = false;
    QFileSystemWatcher *surveillance;
};

// How a tool window finds the document that it writes into: the active document window, or none.
using DocumentActif = std::function<TWndHTML *()>;
