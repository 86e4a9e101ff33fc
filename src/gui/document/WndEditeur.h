#pragma once

#include "gui/document/EditHTML.h"
#include "core/document/Encodage.h"

#include <QWidget>

#include <functional>
#include <string>
#include <string_view>
#include <utility>

class QAction;
class QMenu;
class TMDIHtml;

// A document window: one file's text in `EditHTML`, its name, loading and saving, the question asked before a
// modified document closes, and the document's own menus.
class TWndHTML : public QWidget {
    Q_OBJECT

public:
    explicit TWndHTML(TMDIHtml &frame);

    // Sets `FileName` and the caption.
    void ChangeNom(const QString &nom);

    // The file name ("Sans Nom" until the document has one) and whether the document has no file of its own yet.
    QString FileName;
    bool Untitled = true;

    TEditHTML *EditHTML;
    QMenu *FichierMenu;
    QMenu *EditMenu;
    QMenu *InsertionMenu;
    QMenu *Contextuel;

    void OpenFile(const QString &nom);
    // Puts the opening text before the selection and the closing text after it, keeping the selection; with
    // nothing selected the caret lands after the opening text. One undo step.
    void InsertionTexte(std::string_view ouverture, std::string_view fermeture);
    // True when the document was written.
    bool FileSave();
    bool FileSaveAs();
    // True when the window may close: unchanged, saved, or its changes given up.
    bool FormCloseQuery();
    void EditMenuClick();

    // Saves the document if it must be, then shows it in the browser.
    void FichierApercu();

    void InsertionLien();
    void InsertionAncreLocale();
    void InsertionImage();
    // Replaces the text of the page's title in place, or writes a title element at the caret.
    void InsertionTitre();
    void TagsClick();

    void EditionChercher();
    // The next occurrence of the find dialog's text, from the selection start forwards.
    void EditionSuivant();

    void AfficheCaracteresSpeciaux();
    void CorrectionAccents();
    // The page without its tags, or without its table mark-up, in a new untitled window; this one is left as it is.
    void SupprimerLesTagsHTML();
    void SupprimerLesTagsTableaux();

    void EditionDefaire();
    void EditionCouper();
    void EditionCopier();
    void EditionColler();

    Encodage EncodageFichier() const { return encodage; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    // A whole-page result and whether the caret goes to its end (otherwise to its start), from the page's text and
    // line end.
    using Transformation = std::function<std::pair<std::string, bool>(std::string_view, FinDeLigne)>;
    // The result of the transformation of this page in a new untitled window, named after this page with the
    // suffix, in this page's encoding; memory running out is reported and leaves every page as it was.
    void AfficheResultat(std::string_view suffixe, const Transformation &transformation);
    void CreeMenus();
    // "&Suivant" is enabled while the find dialog holds a search text.
    void MajSuivant();

    TMDIHtml &frame;
    Encodage encodage = Encodage::Utf8;
    QAction *EditUndoItem;
    QAction *EditCutItem;
    QAction *EditCopyItem;
    QAction *EditPasteItem;
    QAction *Couper1;
    QAction *Copier1;
    QAction *Coller1;
    QAction *Suivant1;
};
