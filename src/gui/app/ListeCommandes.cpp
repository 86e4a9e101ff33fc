// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/ListeCommandes.h"

#include "gui/app/MDIHtml.h"
#include "gui/app/Navigateur.h"
#include "gui/app/Session.h"
#include "gui/document/WndHTML.h"

#include <algorithm>
#include <iterator>

namespace {

// A formatting pair, which only the bars and keys offer.
Commande Paire(const char *nom, const QString &texte, IndexPaire paire, const char *icone = nullptr,
               QList<QKeySequence> touches = {})
{
    return {nom, texte, std::move(touches), true, [paire](TMDIHtml &cadre) { cadre.Formate(paire); }, icone, texte};
}

// The zoom of the active document's text, from the main keyboard as well as the keypad; in no menu.
Commande Zoom(const char *nom, QList<QKeySequence> touches, void (*effet)(TEditHTML &))
{
    return {nom, {}, std::move(touches), true, [effet](TMDIHtml &cadre) {
                if (TWndHTML *w = cadre.FenetreActive())
                    effet(*w->EditHTML);
            }};
}

QList<QKeySequence> Touches(QKeySequence::StandardKey standard)
{
    return QKeySequence::keyBindings(standard);
}

// The commands of the menus "&Fichier", "&Edition" and "&Insertion", and of the document's context menu.
std::vector<Commande> CommandesDuDocument()
{
    // The standard keys of the desktop where Qt knows one (it has none for saving under a name here, nor for
    // quitting outside the X11 desktops, nor for replacing on every desktop); F5 shows the page, as a browser
    // reloads it.
    return {
        {"Nouveau", "&Nouveau", Touches(QKeySequence::New), false, &TMDIHtml::FileNew, "nouveau", "Nouveau..."},
        {"Ouvrir", "&Ouvrir...", Touches(QKeySequence::Open), false, &TMDIHtml::FileOpen, "ouvrir", "Ouvrir..."},
        {"OuvrirSite", "Ouvrir un &site...", {}, false, &TMDIHtml::OuvrirSite},
        {"Enregistrer", "&Enregistrer", Touches(QKeySequence::Save), true, &TMDIHtml::FileSave, "enregistrer",
         "Enregistrer..."},
        {"EnregistrerSous", "En&registrer sous...", {Qt::CTRL | Qt::SHIFT | Qt::Key_S}, true, &TMDIHtml::FileSaveAs},
        {"Fermer", "&Fermer", {Qt::CTRL | Qt::Key_W, Qt::CTRL | Qt::Key_F4}, true, &TMDIHtml::FileClose},
        // Ctrl+Alt+S is free on every desktop; AltGr, which French keyboards need, is not Ctrl+Alt under X11.
        {"EnregistrerTout", "Enregistrer to&ut", {Qt::CTRL | Qt::ALT | Qt::Key_S}, true,
         &TMDIHtml::FichierEnregistrerTout},
        {"Recharger", "Rec&harger", {}, true, &TMDIHtml::FichierRecharger},
        {"Imprimer", "&Imprimer...", Touches(QKeySequence::Print), true, &TMDIHtml::FichierImprimer},
        {"ApercuImpression", "A&perçu avant impression", {}, true, &TMDIHtml::FichierApercuImpression},
        {"Apercu", "&Aperçu de la page...", {Qt::Key_F5}, true, &TMDIHtml::FichierApercu, "apercu", "Aperçu..."},
        {"Quitter", "&Quitter", {Qt::CTRL | Qt::Key_Q}, false, &TMDIHtml::FileExit},

        {"Defaire", "&Défaire", Touches(QKeySequence::Undo), true, &TMDIHtml::EditionDefaire},
        {"Retablir", "&Rétablir", {Qt::CTRL | Qt::SHIFT | Qt::Key_Z, Qt::CTRL | Qt::Key_Y}, true,
         &TMDIHtml::EditionRetablir},
        {"Couper", "&Couper", Touches(QKeySequence::Cut), true, &TMDIHtml::EditCut, "couper", "Couper"},
        {"Copier", "Co&pier", Touches(QKeySequence::Copy), true, &TMDIHtml::EditCopy, "copier", "Copier"},
        {"Coller", "C&oller", Touches(QKeySequence::Paste), true, &TMDIHtml::EditPaste, "coller", "Coller"},
        {"ToutSelectionner", "To&ut sélectionner", Touches(QKeySequence::SelectAll), true,
         &TMDIHtml::EditionToutSelectionner},
        {"Chercher", "C&hercher...", Touches(QKeySequence::Find), true, &TMDIHtml::EditionChercher},
        {"Suivant", "&Suivant", {Qt::Key_F3}, true, &TMDIHtml::Suivant},
        {"Remplacer", "Re&mplacer...", {Qt::CTRL | Qt::Key_H}, true, &TMDIHtml::EditionRemplacer},
        {"RechercherFichiers", "Rechercher dans les &fichiers...", {Qt::CTRL | Qt::SHIFT | Qt::Key_F}, false,
         &TMDIHtml::RechercherDansLesFichiers},
        {"RemplacerFichiers", "Remplac&er dans les fichiers...", {Qt::CTRL | Qt::SHIFT | Qt::Key_H}, false,
         &TMDIHtml::RemplacerDansLesFichiers},
        {"AllerALigne", "Aller à la &ligne...", {Qt::CTRL | Qt::Key_G}, true, &TMDIHtml::EditionAllerALigne},
        // The commands of writing mark-up. Ctrl+D comments as Ctrl+/ does in other editors: a slash needs Shift on
        // a French keyboard.
        {"Completer", "Complé&ter", {Qt::CTRL | Qt::Key_Space}, true, &TMDIHtml::Completer},
        {"BaliseCorrespondante", "Aller à la balise &correspondante", {Qt::CTRL | Qt::Key_M}, true,
         &TMDIHtml::AllerABaliseCorrespondante},
        {"SelectionnerElement", "Sélectionner l'élé&ment", {Qt::CTRL | Qt::SHIFT | Qt::Key_M}, true,
         &TMDIHtml::SelectionnerElement},
        {"Commentaire", "Mettre en c&ommentaire", {Qt::CTRL | Qt::Key_D, Qt::CTRL | Qt::Key_Slash}, true,
         &TMDIHtml::MettreEnCommentaire},
        {"Entourer", "&Entourer d'une balise...", {Qt::CTRL | Qt::SHIFT | Qt::Key_E}, true, &TMDIHtml::Entourer},
        // Letters, which every keyboard gives without AltGr (the brackets of other editors need it on a French
        // one), and the initials of their names.
        {"Replier", "&Replier", {Qt::CTRL | Qt::SHIFT | Qt::Key_R}, true, &TMDIHtml::Replier},
        {"Deplier", "&Déplier", {Qt::CTRL | Qt::SHIFT | Qt::Key_D}, true, &TMDIHtml::Deplier},
        {"ToutReplier", "&Tout replier", {}, true, &TMDIHtml::ToutReplier},
        {"ToutDeplier", "Tout dé&plier", {}, true, &TMDIHtml::ToutDeplier},
        {"VerifierPage", "&Vérifier la page", {Qt::Key_F7}, true, &TMDIHtml::VerifierLaPage},
        {"VerifierLiens", "Vérifier les l&iens", {}, true, &TMDIHtml::VerifierLesLiens},
        {"ProblemeSuivant", "Problème suiva&nt", {Qt::Key_F8}, true, &TMDIHtml::ProblemeSuivant},
        {"ProblemePrecedent", "Pro&blème précédent", {Qt::SHIFT | Qt::Key_F8}, true, &TMDIHtml::ProblemePrecedent},

        {"Lien", "&Lien hypertexte...", {}, true, &TMDIHtml::InsertionLien},
        {"AncreLocale", "&Ancre locale...", {}, true, &TMDIHtml::InsertionAncreLocale},
        {"Image", "&Image...", {}, true, &TMDIHtml::InsertionImage},
        {"Titre", "&Titre...", {}, true, &TMDIHtml::InsertionTitre},
        {"Tags", "Ta&gs...", {}, true, &TMDIHtml::AfficheTags},
        {"Caracteres", "&Caractères spéciaux...", {}, true, &TMDIHtml::AfficheCaracteresSpeciaux},
        {"CorrigerAccents", "Corriger les acc&ents", {}, true, &TMDIHtml::CorrectionAccents},
        {"SupprimerTags", "&Supprimer les tags HTML...", {}, true, &TMDIHtml::SupprimerLesTagsHTML},
        {"SupprimerTableaux", "Supprimer les tags tableau&x...", {}, true, &TMDIHtml::SupprimerLesTagsTableaux},
        // The context menu gives these two other access letters, so that no two of its items share one.
        {"CaracteresContextuel", "Caractères &spéciaux...", {}, true, &TMDIHtml::AfficheCaracteresSpeciaux},
        {"TagsContextuel", "&Tags...", {}, true, &TMDIHtml::AfficheTags},
    };
}

// The commands of the windows, the options and the help, the formatting pairs and the zoom.
std::vector<Commande> CommandesDuCadre()
{
    return {
        {"Mosaique", "&Mosaïque", {}, false, &TMDIHtml::FenetreMosaique},
        {"Cascade", "&Cascade", {}, false, &TMDIHtml::FenetreCascade},
        {"ReorganiserIcones", "&Réorganiser les icones", {}, false, &TMDIHtml::FenetreIcones},
        {"FermerTout", "Fermer &tout", {}, false, &TMDIHtml::FenetresFermerTout},
        {"ApercuEnDirect", "Aperç&u", {Qt::Key_F6}, false, &TMDIHtml::BasculeApercu},
        {"EnregistrerBureau", "&Enregistrer le bureau...", {}, false,
         [](TMDIHtml &cadre) { cadre.Session().EnregistreBureau(); }},
        {"ChargerBureau", "C&harger un bureau...", {}, false, [](TMDIHtml &cadre) { cadre.Session().ChargeUnBureau(); }},
        {"PanneauSite", "Fichiers du &site", {}, false, &TMDIHtml::AfficheSite},
        {"ResultatsRecherche", "Résu&ltats de la recherche", {}, false, &TMDIHtml::AfficheResultatsRecherche},
        {"ChoixNavigateur", "Choix du &navigateur...", {}, false, [](TMDIHtml &cadre) { cadre.Navigateur().Choisit(); }},
        {"Fonte", "&Fonte...", {}, false, &TMDIHtml::Fonte},
        {"Preferences", "&Préférences...", {}, false, &TMDIHtml::Preferences},
        {"Aide", "&Aide...", {}, false, &TMDIHtml::AfficheAide},
        {"APropos", "A &propos...", {}, false, &TMDIHtml::APropos},

        Paire("Gras", "Gras", PaireGras, "gras", {Qt::CTRL | Qt::Key_B}),
        Paire("Italique", "Italique", PaireItalique, "italique", {Qt::CTRL | Qt::Key_I}),
        Paire("Souligne", "Souligné", PaireSouligne, "souligne", {Qt::CTRL | Qt::Key_U}),
        Paire("Gauche", "Alignement à gauche", PaireGauche, "gauche"),
        Paire("Centre", "Alignement centré", PaireCentre, "centre"),
        Paire("Droite", "Alignement à droite", PaireDroite, "droite"),
        Paire("H1", "H1", PaireH1),
        Paire("H2", "H2", PaireH2),
        Paire("H3", "H3", PaireH3),
        Paire("H4", "H4", PaireH4),
        Paire("H5", "H5", PaireH5),
        Paire("H6", "H6", PaireH6),
        Paire("HR", "HR", PaireHR, "hr"),
        Paire("Paragraphe", "P", PaireP, "paragraphe", {Qt::CTRL | Qt::Key_Return}),
        Paire("BR", "BR", PaireBR, "br", {Qt::SHIFT | Qt::Key_Return}),
        Paire("EspaceInsecable", "Espace insécable", PaireNbsp, "nbsp", {Qt::CTRL | Qt::SHIFT | Qt::Key_Space}),

        Zoom("ZoomAvant", {Qt::CTRL | Qt::Key_Plus, Qt::CTRL | Qt::Key_Equal}, [](TEditHTML &t) { t.zoomIn(); }),
        Zoom("ZoomArriere", {Qt::CTRL | Qt::Key_Minus}, [](TEditHTML &t) { t.zoomOut(); }),
        Zoom("ZoomNormal", {Qt::CTRL | Qt::Key_0}, [](TEditHTML &t) { t.zoomTo(0); }),
    };
}

} // namespace

const std::vector<Commande> &Commandes()
{
    static const std::vector<Commande> commandes = [] {
        std::vector<Commande> toutes = CommandesDuDocument();
        std::ranges::move(CommandesDuCadre(), std::back_inserter(toutes));
        return toutes;
    }();
    return commandes;
}

const std::vector<Rangee> &Menus()
{
    static const std::vector<Rangee> menus{
        {"Fichier", "&Fichier", {"Nouveau", "Ouvrir", "@recents", "OuvrirSite", "@sites", "-", "Quitter"}},
        {"FichierDocument",
         "&Fichier",
         {"Nouveau", "Ouvrir", "@recents", "OuvrirSite", "@sites", "Recharger", "-", "Enregistrer", "EnregistrerSous", "EnregistrerTout",
          "Fermer", "FermerTout", "-", "Apercu", "-", "Imprimer", "ApercuImpression", "-", "Quitter"}},
        {"Edition",
         "&Edition",
         {"Defaire", "Retablir", "-", "Couper", "Copier", "Coller", "ToutSelectionner", "-", "Chercher", "Suivant",
          "Remplacer", "RechercherFichiers", "RemplacerFichiers", "AllerALigne", "-", "Completer", ">Balises", "-",
          "VerifierPage", "VerifierLiens", "ProblemeSuivant", "ProblemePrecedent"}},
        {"Balises",
         "B&alises",
         {"BaliseCorrespondante", "SelectionnerElement", "-", "Commentaire", "Entourer"}},
        {"Insertion",
         "&Insertion",
         {"Lien", "AncreLocale", "Image", "Titre", "Tags", "-", "Caracteres", "CorrigerAccents", "SupprimerTags",
          "SupprimerTableaux"}},
        {"Contextuel",
         {},
         {"Lien", "AncreLocale", "Image", "CaracteresContextuel", "TagsContextuel", "-", "Couper", "Copier",
          "Coller", "ToutSelectionner"}},
        {"Fenetres",
         "Fenê&tres",
         {"Mosaique", "Cascade", "ReorganiserIcones", "@onglets", "FermerTout", "-", "EnregistrerBureau", "ChargerBureau", "-",
          ">Pliage", "-", "@problemes", "PanneauSite", "ResultatsRecherche", "ApercuEnDirect"}},
        {"Pliage", "Pli&age", {"Replier", "Deplier", "-", "ToutReplier", "ToutDeplier"}},
        {"Options",
         "&Options",
         {"ChoixNavigateur", "Fonte", "-", "@orthographe", "@dictionnaires", "@code", "-", "@fermeture", "-",
          "Preferences"}},
        {"Aide", "&Aide", {"Aide", "-", "APropos"}},
    };
    return menus;
}

const std::vector<Rangee> &Barres()
{
    // A bar's title is what a screen reader says of it, and what the frame's menu of bars shows.
    static const std::vector<Rangee> barres{
        {"BarrePrincipale",
         "Barre principale",
         {"Nouveau", "Ouvrir", "Enregistrer", "-", "Apercu", "-", "Couper", "Copier", "Coller", "-", "Gras",
          "Italique", "Souligne", "-", "Gauche", "Centre", "Droite"}},
        {"BarreBalises",
         "Barre des balises",
         {"H1", "H2", "H3", "H4", "H5", "H6", "-", "HR", "Paragraphe", "BR", "-", "EspaceInsecable"}},
    };
    return barres;
}
