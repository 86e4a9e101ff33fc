#pragma once

#include "core/document/Encodage.h"
#include "core/document/TextPairs.h"
#include "gui/commun/Utilisateur.h"
#include "gui/settings/FichierINI.h"

#include <QFont>
#include <QMainWindow>
#include <QMdiArea>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

class QAction;
class QMdiSubWindow;
class QMenu;
class QTimer;
class TDlgChercher;
class TEtatPage;
class TNavigateur;
class TDlgRemplacer;
class TRecuperation;
struct DebutJournalLu;
class TDlgInsertionAncreLocale;
class TDlgInsertionHyperlien;
class TDlgInsertionImage;
class TDlgInsertionTitre;
class TTagsForm;
class TWndCaracteresSpeciaux;
class TPanneauProblemes;
class TVerification;
class TWndHTML;

// The main frame: it owns the document windows, the commands, their menus and tool bars, the settings, and the
// dialogs and tool windows that every document shares. Each command is one action, whatever reaches it (menu, tool
// bar, context menu, shortcut), and acts on the active document window.
class TMDIHtml : public QMainWindow {
    Q_OBJECT

public:
    // The journals of modified pages go to the recovery folder; none are kept without one.
    TMDIHtml(const QString &fichierParametres, std::unique_ptr<Utilisateur> utilisateur,
             const QString &fichierAccents, const QString &dossierRecuperation = QString());
    ~TMDIHtml() override;

    Utilisateur &Dialogues() { return *utilisateur; }
    TFichierINI &FichierParametres() { return parametres; }
    // The font that every new document window takes.
    const QFont &FonteDocuments() const { return DlgFonte; }

    TWndCaracteresSpeciaux &CaracteresSpeciaux() { return *WndCaracteresSpeciaux; }
    TTagsForm &Tags() { return *TagsForm; }
    TDlgChercher &DlgChercher() { return *dlgChercher; }
    TDlgRemplacer &DlgRemplacer() { return *dlgRemplacer; }
    // The insertion dialogs, created once so that their fields and histories last the whole run.
    TDlgInsertionHyperlien &DlgHyperlien() { return *dlgHyperlien; }
    TDlgInsertionAncreLocale &DlgAncreLocale() { return *dlgAncreLocale; }
    TDlgInsertionImage &DlgImage() { return *dlgImage; }
    TDlgInsertionTitre &DlgTitre() { return *dlgTitre; }
    // The checks of the pages and the list of the problems they find.
    TVerification &Verification() { return *verification; }
    TPanneauProblemes &Problemes() { return *panneau; }
    TNavigateur &Navigateur() { return *navigateur; }

    // The active document window, or none when no document is open.
    TWndHTML *FenetreActive() const;
    // The document windows from the front to the back: the active one first. A desktop is written from the last
    // to the first, so that loading it gives back the same order and the same active page.
    QList<TWndHTML *> Fenetres() const;

    // Opens the file or loads the desktop that the command-line arguments name.
    void Demarrage(const QStringList &arguments);
    // Offers back the pages that programs which stopped without closing them left in the recovery folder.
    void ProposeRecuperation();
    // Replaces the open documents by those that the desktop file lists.
    void ChargeBureau(const QString &nom);

    // Enables each command as the active document allows: none without one; "&Défaire" and "&Rétablir" with
    // something to undo or redo, "&Couper" and "Co&pier" with a selection, "C&oller" with text on the clipboard,
    // "&Suivant" with a search text.
    void MajActions();

    // The menus: "&Fichier" without a document, then those of the active document, and the document's context
    // menu.
    QMenu *FichierMenu;
    QMenu *FichierDocumentMenu;
    // The pages last opened or saved, under both "&Fichier" menus.
    QMenu *RecentsMenu;
    QMenu *EditMenu;
    QMenu *InsertionMenu;
    QMenu *WindowMenu;
    QMenu *OptionsMenu;
    QMenu *AideMenu;
    QMenu *Contextuel;

    void FileNew();
    void FileOpen();
    void FileSave();
    void FileSaveAs();
    // Closes the active page, through its close question.
    void FileClose();
    void FileExit();
    // Saves the active document if it must be, then shows it in the browser.
    void FichierApercu();

    void EditionDefaire();
    void EditionRetablir();
    void EditCut();
    void EditCopy();
    void EditPaste();
    void EditionChercher();
    // Puts the caret at the start of a line that the user chooses.
    void EditionAllerALigne();
    // The find dialog's "Suivant" and F3: the next occurrence in the active document, from its selection start.
    void Suivant();
    // The replace dialog and its buttons, on the active document: the next occurrence after the selection (after
    // its end when the selection is one, otherwise from its start); the selected occurrence replaced, as one undo
    // step, then the next one; every occurrence of the page, as one undo step.
    void EditionRemplacer();
    void RemplacerSuivant();
    void Remplacer();
    void RemplacerTout();
    // The checks of the active page (F7), of the links of every open page, and the way from one problem to the
    // next (F8) or the previous one (Shift+F8).
    void VerifierLaPage();
    void VerifierLesLiens();
    void ProblemeSuivant();
    void ProblemePrecedent();

    // Wraps the selection of the active document in the pair's texts.
    void Formate(IndexPaire paire);
    void InsertionLien();
    void InsertionAncreLocale();
    void InsertionImage();
    // Replaces the text of the page's title in place, or writes a title element at the caret.
    void InsertionTitre();
    void TagsClick();
    void AfficheCaracteresSpeciaux();
    void CorrectionAccents();
    // The page without its tags, or without its table mark-up, in a new untitled window; the page is left as it
    // is.
    void SupprimerLesTagsHTML();
    void SupprimerLesTagsTableaux();

    void FenetreMosaique();
    void FenetreCascade();
    void FenetreIcones();
    void FenetresFermerTout();
    void EnregistrerLeBureau();
    void ChargerUnBureau();
    void Fonte();
    void APropos();
    void AfficheAide();

protected:
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    // Opens the file in a new window; a file already open asks first, and the user may have its window brought
    // forward instead. So does a file that another running program holds modified.
    void Ouvre(const QString &nom);
    // Puts the page at the top of the recent pages.
    void NoteRecent(const QString &nom);
    // Fills "Fichiers &récents" from the settings file, which another running program may have changed.
    void MajRecents();
    // Opens a recent page, or takes it out of the list when it is gone.
    void OuvreRecent(const QString &nom);
    // A whole-page result and whether the caret goes to its end (otherwise to its start), from the page's text and
    // line end.
    using Transformation = std::function<std::pair<std::string, bool>(std::string_view, FinDeLigne)>;
    // The result of the transformation of the page in a new untitled window, named after the page with the suffix,
    // in the page's encoding; memory running out is reported and leaves every page as it was.
    void AfficheResultat(TWndHTML &source, std::string_view suffixe, const Transformation &transformation);

    TWndHTML *NouvelleFenetre();
    // Opens the page of a stopped program's journal in a new window. False when the journal is to be kept, as when
    // memory runs out (the user is told); a journal found unreadable is told and is to be removed.
    bool Recupere(const QString &journal, const DebutJournalLu &debut);
    QList<TWndHTML *> Fenetres(QMdiArea::WindowOrder ordre) const;
    // The size of the area where the document windows go; a new window takes the place in a cascade that its rank
    // gives it.
    QSize Zone() const;
    // A command's action, owned by the frame; `actionsDocument` takes those that need an active document.
    QAction *Action(const QString &texte, void (TMDIHtml::*commande)(), const char *nom = nullptr,
                    bool document = true);
    void CreeMenus();
    void CreeBarres();
    void MajMenus();
    // "&Défaire" and "&Rétablir", as the active document allows.
    void MajAnnulation();
    void MajMenuFenetres();
    QMdiSubWindow *Cadre(TWndHTML *fenetre) const;

    std::unique_ptr<Utilisateur> utilisateur;
    TFichierINI parametres;
    QFont DlgFonte;
    DialogueFichier OpenDialog;
    DialogueFichier EnregistrerBureau;
    DialogueFichier ChargerBureau;
    std::unique_ptr<TNavigateur> navigateur;

    TWndCaracteresSpeciaux *WndCaracteresSpeciaux;
    TTagsForm *TagsForm;
    TDlgChercher *dlgChercher;
    TDlgRemplacer *dlgRemplacer;
    TDlgInsertionHyperlien *dlgHyperlien;
    TDlgInsertionAncreLocale *dlgAncreLocale;
    TDlgInsertionImage *dlgImage;
    TDlgInsertionTitre *dlgTitre;
    QMdiArea *mdiArea;
    TPanneauProblemes *panneau;
    TVerification *verification;
    // Made after the area, so that it goes after the document windows, which remove their journals.
    TRecuperation *recuperation;
    QList<QAction *> actionsDocument;
    QAction *Nouveau;
    QAction *Ouvrir;
    QAction *Enregistrer;
    QAction *EnregistrerSous;
    QAction *Apercu;
    QAction *Quitter;
    QAction *Defaire;
    QAction *Retablir;
    QAction *Couper;
    QAction *Copier;
    QAction *Coller;
    QAction *Chercher;
    QAction *SuivantAction;
    QList<QAction *> actionsFenetres;
    TEtatPage *etat;
    QTimer *minuterieEtat;
};
