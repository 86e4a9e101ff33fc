#pragma once

#include "core/document/Encodage.h"
#include "gui/document/EditHTML.h"

#include <QWidget>

#include <functional>
#include <string_view>

class QFont;
class Utilisateur;

// A document window: one file's text in `EditHTML`, its name, loading and saving, and the question asked before a
// modified document closes. The frame above it carries the menus and the commands, which act on the active
// document window through these functions.
class TWndHTML : public QWidget {
    Q_OBJECT

public:
    // The user answers the window's questions; the text takes the font.
    TWndHTML(Utilisateur &utilisateur, const QFont &fonte);

    // Sets `FileName` and the caption.
    void ChangeNom(const QString &nom);

    // The file name ("Sans Nom" until the document has one) and whether the document has no file of its own yet.
    QString FileName;
    bool Untitled = true;

    TEditHTML *EditHTML;

    void OpenFile(const QString &nom);
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
    // Selects the next occurrence of the text from the selection start forwards; false when there is none.
    bool SelectionneSuivant(const QString &texte, bool casse, bool motEntier);

    void EditionDefaire();
    void EditionCouper();
    void EditionCopier();
    void EditionColler();

    Encodage EncodageFichier() const { return encodage; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    Utilisateur &utilisateur;
    Encodage encodage = Encodage::Utf8;
};

// How a tool window finds the document that it writes into: the active document window, or none.
using DocumentActif = std::function<TWndHTML *()>;
