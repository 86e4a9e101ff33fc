#pragma once

#include "gui/app/Utilisateur.h"
#include "core/document/TextPairs.h"
#include "gui/settings/FichierINI.h"

#include <QFont>
#include <QMainWindow>
#include <QMdiArea>

#include <memory>

class QMdiSubWindow;
class QMenu;
class TDlgChercher;
class TDlgInsertionAncreLocale;
class TDlgInsertionHyperlien;
class TDlgInsertionImage;
class TDlgInsertionTitre;
class TTagsForm;
class TWndCaracteresSpeciaux;
class TWndHTML;

// The main frame: it owns the document windows, carries the menus and tool bars, the settings and the dialogs that
// every document shares, and hands its commands to the active document window.
class TMDIHtml : public QMainWindow {
    Q_OBJECT

public:
    TMDIHtml(const QString &fichierParametres, std::unique_ptr<Utilisateur> utilisateur,
             const QString &fichierAccents);
    ~TMDIHtml() override;

    Utilisateur &Dialogues() { return *utilisateur; }
    TFichierINI &FichierParametres() { return parametres; }
    // The font that every new document window takes.
    const QFont &FonteDocuments() const { return DlgFonte; }

    TWndCaracteresSpeciaux &CaracteresSpeciaux() { return *WndCaracteresSpeciaux; }
    TTagsForm &Tags() { return *TagsForm; }
    TDlgChercher &DlgChercher() { return *dlgChercher; }
    // The insertion dialogs, created once so that their fields and histories last the whole run.
    TDlgInsertionHyperlien &DlgHyperlien() { return *dlgHyperlien; }
    TDlgInsertionAncreLocale &DlgAncreLocale() { return *dlgAncreLocale; }
    TDlgInsertionImage &DlgImage() { return *dlgImage; }
    TDlgInsertionTitre &DlgTitre() { return *dlgTitre; }
    // The open dialog of the image dialog's "Ouvrir image...".
    const DialogueFichier &ImageDialog() const { return imageDialog; }

    // A new, empty, untitled document window for a generated text, with the given file name as its name.
    TWndHTML *FenetreResultat(const std::string &nom);

    // The active document window, or none when no document is open.
    TWndHTML *FenetreActive() const;
    // The document windows from the front to the back: the active one first. A desktop is written from the last
    // to the first, so that loading it gives back the same order and the same active page.
    QList<TWndHTML *> Fenetres() const;

    // Opens the file or loads the desktop that the command-line arguments name.
    void Demarrage(const QStringList &arguments);
    // Replaces the open documents by those that the desktop file lists.
    void ChargeBureau(const QString &nom);

    void FileNew();
    void FileOpen();
    void FileSave();
    void FileExit();
    void EditCut();
    void EditCopy();
    void EditPaste();
    void Formate(IndexPaire paire);
    void FenetreMosaique();
    void FenetreCascade();
    void FenetreIcones();
    void FenetresFermerTout();
    void EnregistrerLeBureau();
    void ChargerUnBureau();
    void Fonte();
    void APropos();
    // The find dialog's "Suivant": the next occurrence in the active document.
    void Suivant();
    // Asks for the browser and stores its full path; true when one was chosen and stored.
    bool ChoixDuNavigateur();
    void FichierApercu();
    void AfficheAide();
    // Starts the chosen browser on the page, asking for a browser until one starts or none is chosen.
    void LanceNavigateur(const QString &page);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    TWndHTML *NouvelleFenetre();
    QList<TWndHTML *> Fenetres(QMdiArea::WindowOrder ordre) const;
    // The place of the window of that rank in a cascade; a new window takes the place its rank gives it.
    QRect PlaceEnCascade(int rang) const;
    void CreeMenus();
    void CreeBarres();
    void MajMenus();
    void MajMenuFenetres();
    QMdiSubWindow *Cadre(TWndHTML *fenetre) const;

    std::unique_ptr<Utilisateur> utilisateur;
    TFichierINI parametres;
    QFont DlgFonte;
    DialogueFichier OpenDialog;
    DialogueFichier EnregistrerBureau;
    DialogueFichier ChargerBureau;
    DialogueFichier imageDialog;
    // All files shown; only an executable file is taken.
    DialogueFichier NavigateurDialog{QStringLiteral("Choix du navigateur..."),
                                     QStringLiteral("Fichiers éxécutables|*"), {}, true, {}};

    TWndCaracteresSpeciaux *WndCaracteresSpeciaux;
    TTagsForm *TagsForm;
    TDlgChercher *dlgChercher;
    TDlgInsertionHyperlien *dlgHyperlien;
    TDlgInsertionAncreLocale *dlgAncreLocale;
    TDlgInsertionImage *dlgImage;
    TDlgInsertionTitre *dlgTitre;
    QMdiArea *mdiArea;
    QMenu *FichierMenu;
    QMenu *WindowMenu;
    QMenu *OptionsMenu;
    QMenu *AideMenu;
    QList<QAction *> actionsFenetres;
};
