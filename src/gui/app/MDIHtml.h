// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/document/TextPairs.h"
#include "core/site/Bilan.h"
#include "core/site/Modifications.h"
#include "core/texte/Encodage.h"
#include "gui/commun/Utilisateur.h"
#include "gui/settings/FichierINI.h"

#include <QFont>
#include <QMainWindow>
#include <QMdiArea>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class QAction;
class QDockWidget;
class QMdiSubWindow;
class QMenu;
class QTimer;
class QToolBar;
class TApercu;
class TDlgChercher;
class TDlgEntourer;
class TEtatPage;
class TImpression;
class TNavigateur;
class TSession;
class TDlgRemplacer;
class TDlgRechercheFichiers;
class TPanneauRecherche;
class TRechercheFichiers;
struct ResultatTrouve;
class TRecuperation;
class TDlgInsertionAncreLocale;
class TDlgInsertionHyperlien;
class TDlgInsertionImage;
class TDlgInsertionTitre;
class TTagsForm;
class TWndCaracteresSpeciaux;
class TPanneauProblemes;
class TPanneauSite;
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
    TDlgEntourer &DlgEntourer() { return *dlgEntourer; }
    // The checks of the pages and the list of the problems they find.
    TVerification &Verification() { return *verification; }
    TPanneauProblemes &Problemes() { return *panneau; }
    TNavigateur &Navigateur() { return *navigateur; }
    // The live preview of the active page, beside the pages.
    TApercu &Apercu() { return *apercu; }
    // The search and the replacement across files, and the list of the occurrences found.
    TDlgRechercheFichiers &DlgRechercheFichiers() { return *dlgRechercheFichiers; }
    TPanneauRecherche &ResultatsRecherche() { return *panneauRecherche; }

    // The active document window, or none when no document is open.
    TWndHTML *FenetreActive() const;
    // The document windows from the front to the back: the active one first. A desktop is written from the last
    // to the first, so that loading it gives back the same order and the same active page.
    QList<TWndHTML *> Fenetres() const;

    // The pages opened, the recent pages and the desktops.
    TSession &Session() { return *session; }
    // The site's folder, absolute and without a final "/": the one the user chose, else the deepest folder that
    // holds every open page with a file, else empty.
    QString DossierSite() const;
    // The site's folder that the user chose; empty when none is.
    const QString &SiteChoisi() const { return siteChoisi; }
    // "Ouvrir un &site...": asks for a folder, which becomes the site.
    void OuvrirSite();
    // The folder becomes the site: the links that start with "/" lead from it, the site panel shows it, and the
    // settings keep it, at the top of the recent sites.
    void ChoisitSite(const QString &dossier);
    // "Fichiers du &site": the site panel shown, with the keyboard, or hidden.
    void AfficheSite();
    TPanneauSite &PanneauSite() { return *panneauSite; }
    // Renames or moves the file or folder of the site at the absolute path to where the user says, and writes again
    // every link to it in the site's pages and sheets, open pages in their windows; a window follows its moved page.
    // The links are read off the interface thread; a report lists every link changed.
    void RenommeDansLeSite(const QString &chemin);
    // A new, empty document window, in front.
    TWndHTML *NouvelleFenetre();
    // Brings the document window to the front.
    void Active(TWndHTML *fenetre);

    // Copies of the texts of the pages open with a file, taken now, which a command across the site's files reads
    // from any thread in place of those files on disk; for a file open twice, the text of the window further in
    // front.
    TexteOuvert TextesOuverts() const;
    // Makes the changes of a command across the site's files: a page open in the editor is changed in its window,
    // as one undo step, and left unsaved, unless its text is no longer the one that the changes were computed from;
    // every other file is written through EcritModification, off the interface thread, with a progress bar and
    // "Annuler" past half a second. What was done, and the files left and why.
    Bilan AppliqueModifications(const std::vector<ModificationFichier> &modifications);

    // Enables each command as the active document allows: none without one; "&Défaire" and "&Rétablir" with
    // something to undo or redo, "&Couper" and "Co&pier" with a selection, "C&oller" with text on the clipboard,
    // "&Suivant" with a search text.
    void MajActions();

    // A menu by its name: "Fichier" (without a document), "FichierDocument", "Edition", "Insertion",
    // "Contextuel" (the document's context menu), "Fenetres", "Options", "Aide", and "Recents" (the recent pages,
    // under both "&Fichier" menus).
    QMenu *Menu(const char *nom) const;
    // A command's action by its name.
    QAction *Action(std::string_view nom) const;

    void FileNew();
    void FileOpen();
    void FileSave();
    void FileSaveAs();
    // Closes the active page, through its close question.
    void FileClose();
    void FileExit();
    // Saves the active document if it must be, then shows it in the browser.
    void FichierApercu();
    // Saves every modified page, from the front to the back; a page without a file asks for its name first. A page
    // that is not saved, refused or failed, stops the command, which says so; the pages saved before it stay saved.
    void FichierEnregistrerTout();
    // Reads the active page again from its file, through the page's own reload.
    void FichierRecharger();
    // Prints the active page after the print dialog, which also writes PDF files; shows how it will print.
    void FichierImprimer();
    void FichierApercuImpression();

    void EditionDefaire();
    void EditionRetablir();
    void EditCut();
    void EditCopy();
    void EditPaste();
    void EditionToutSelectionner();
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
    // "Rechercher dans les &fichiers..." and "Remplacer dans les fichiers...": the dialog, in the site's folder when
    // there is one. Its "&Rechercher" fills the list of results as the files are searched, off the interface thread;
    // its "Re&mplacer..." shows the changes to make, file by file, then makes those of the files chosen and tells
    // what was done.
    void RechercherDansLesFichiers();
    // "Résu&ltats de la recherche": the last search's results shown, with the keyboard, or hidden.
    void AfficheResultatsRecherche();
    void RemplacerDansLesFichiers();
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
    // The writing of mark-up, on the active document: the completion list where the caret is; the caret to the
    // other tag of the element around it; the whole element selected, then its parent; the selection, or the
    // caret's line, put in a comment or taken out of one; the selection wrapped in a start tag that the user types
    // and its end tag.
    void Completer();
    void AllerABaliseCorrespondante();
    void SelectionnerElement();
    void MettreEnCommentaire();
    void Entourer();
    // The folding of the active document, which an uncoloured page does not have: the element around the caret
    // folded (again, its parent) or unfolded; every element folded, or unfolded.
    void Replier();
    void Deplier();
    void ToutReplier();
    void ToutDeplier();
    // Whether typing a start tag writes its end tag, in every document; the choice is kept in the settings.
    void FermeBalises(bool oui);
    void AfficheTags();
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
    // Shows or hides the live preview (F6).
    void BasculeApercu();
    // The pages shown as tabs, closable and movable, with the mark of a modified page, or as windows; the
    // arrangements of windows are off while tabs show.
    void AppliqueOnglets(bool oui);
    // "&Onglets": the choice applied and kept in the settings.
    void Onglets(bool oui);
    void Fonte();
    // The colours of the pages, open and to come, and of the frame: "Comme le bureau" follows the desktop's palette,
    // dark or light, as it changes.
    void AppliqueSchema(Schema schema);
    // The preferences dialog: "OK" applies and stores each setting that changed.
    void Preferences();
    void APropos();
    void AfficheAide();

protected:
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    // The first line of the active page's selection, which the find and replace dialogs offer as the text to find;
    // empty when there is no page or no selection, or when the selection starts at a line end.
    QString PremiereLigneSelectionnee() const;
    // A whole-page result and whether the caret goes to its end (otherwise to its start), from the page's text and
    // line end.
    using Transformation = std::function<std::pair<std::string, bool>(std::string_view, FinDeLigne)>;
    // The result of the transformation of the page in a new untitled window, named after the page with the suffix,
    // in the page's encoding; memory running out is reported and leaves every page as it was.
    void AfficheResultat(TWndHTML &source, std::string_view suffixe, const Transformation &transformation);

    QList<TWndHTML *> Fenetres(QMdiArea::WindowOrder ordre) const;
    // The size of the area where the document windows go; a new window takes the place in a cascade that its rank
    // gives it.
    QSize Zone() const;
    // The dialogs and tool windows that every document shares.
    void CreeOutils(const QString &fichierAccents);
    // The checks and the list of their problems; the personal word list is kept in that folder.
    void CreeVerification(const QString &dossierPersonnel);
    // The dialog of the search across files, the list of its results and the search that fills it.
    void CreeRechercheFichiers();
    void LanceRechercheFichiers();
    void LanceRemplacementFichiers();
    // Opens the page of a result, or brings its window to the front, and selects the occurrence.
    void AllerAuResultat(const ResultatTrouve &resultat);
    // The actions of the commands, their menus and tool bars.
    void CreeCommandes();
    // The parts of a menu that are more than commands: the recent pages, the list of problems, the spelling
    // switch, the dictionaries.
    void AjoutePartie(QMenu &menu, std::string_view partie);
    // A checkable entry that turns a setting of the checks on and off, checked as the setting is when its menu
    // shows.
    void AjouteInterrupteur(QMenu &menu, const char *nom, const QString &texte, void (TVerification::*change)(bool),
                            bool (TVerification::*etat)() const);
    void RemplitDictionnaires(QMenu &menu);
    // The site panel, docked on the left, hidden until a site is chosen; the site kept in the settings.
    void CreeSite();
    // The panel shows the site as it now is.
    void MajSite();
    // The panel shown, with the keyboard on its list, or hidden, as the entry of "Fenê&tres" is now ticked.
    void BasculePanneau(QDockWidget &panneau, const char *entree, QWidget &liste);
    // The recent sites, under both "&Fichier" menus, made the first time a menu asks for them.
    QMenu *MenuSites();
    // Opens a recent site, or takes it out of the list when it is gone.
    void OuvreSiteRecent(const QString &dossier);
    void MajMenus();
    // "&Défaire" and "&Rétablir", as the active document allows.
    void MajAnnulation();
    void MajMenuFenetres();
    QMdiSubWindow *Cadre(TWndHTML *fenetre) const;
    // Gives the open pages the colours that the scheme and, as it may have changed, the desktop's palette call for.
    void ColorePages();
    TImpression &Impression();

    std::unique_ptr<Utilisateur> utilisateur;
    TFichierINI parametres;
    QFont DlgFonte;
    std::unique_ptr<TNavigateur> navigateur;

    TWndCaracteresSpeciaux *WndCaracteresSpeciaux;
    TTagsForm *TagsForm;
    TDlgChercher *dlgChercher;
    TDlgRemplacer *dlgRemplacer;
    TDlgInsertionHyperlien *dlgHyperlien;
    TDlgInsertionAncreLocale *dlgAncreLocale;
    TDlgInsertionImage *dlgImage;
    TDlgInsertionTitre *dlgTitre;
    TDlgEntourer *dlgEntourer;
    QMdiArea *mdiArea;
    TPanneauProblemes *panneau;
    TDlgRechercheFichiers *dlgRechercheFichiers;
    TPanneauRecherche *panneauRecherche;
    TRechercheFichiers *rechercheFichiers;
    TVerification *verification;
    TApercu *apercu;
    // Made after the area, so that it goes after the document windows, which remove their journals.
    TRecuperation *recuperation;
    TSession *session;
    QString siteChoisi;
    TPanneauSite *panneauSite = nullptr;
    QMenu *sitesMenu = nullptr;
    // Those that need an active document.
    QList<QAction *> actionsDocument;
    std::map<std::string_view, QAction *, std::less<>> actions;
    std::vector<QToolBar *> barres;
    // The pages last opened or saved, under both "&Fichier" menus.
    QMenu *RecentsMenu;
    QList<QAction *> actionsFenetres;
    TEtatPage *etat;
    // The printer and its settings, from one printing to the next; made at the first printing.
    TImpression *impression = nullptr;
    QTimer *minuterieEtat;
    bool fermeBalises;
    Schema schema = Schema::Clair;
    bool pagesSombres = false;
};
