// SPDX-License-Identifier: GPL-3.0-or-later
// The frame's commands on the active document: each finds the active document window, does its part with the
// shared dialogs and tool windows, and leaves the text work to the document window.

#include "gui/app/MDIHtml.h"

#include "core/document/Motif.h"
#include "core/insertion/TitrePage.h"
#include "core/tagremoval/SuppressionTags.h"
#include "gui/app/Navigateur.h"
#include "gui/dialogs/DlgAllerALigne.h"
#include "gui/dialogs/DlgInsertionAncreLocale.h"
#include "gui/dialogs/DlgChercher.h"
#include "gui/dialogs/DlgInsertionHyperlien.h"
#include "gui/dialogs/DlgInsertionImage.h"
#include "gui/dialogs/DlgRemplacer.h"
#include "gui/dialogs/TagsForm.h"
#include "gui/dialogs/DlgInsertionTitre.h"
#include "gui/document/Impression.h"
#include "gui/document/RechercheEnFond.h"
#include "gui/document/WndHTML.h"
#include "gui/entities/WndCaracteres.h"
#include "gui/settings/CheminsQt.h"
#include "gui/tagremoval/SupprimerForm.h"
#include "gui/verification/Verification.h"

#include <QLineEdit>
#include <QMdiSubWindow>

#include <new>
#include <optional>
#include <vector>

namespace {

std::string_view Vue(const QByteArray &octets)
{
    return {octets.constData(), static_cast<std::size_t>(octets.size())};
}

// Runs a command of the replace dialog on the page with the dialog's motif. A wrong expression is told and nothing
// is done; a search that PCRE2 gives up, or memory running out, is told and stops the command.
template <typename Commande>
void AvecMotif(TWndHTML &w, const TDlgRemplacer &dialogue, Utilisateur &utilisateur, Commande commande)
{
    try {
        const QByteArray cherche = dialogue.Texte().toUtf8();
        auto motif = Motif::Compile(Vue(cherche), dialogue.Options());
        if (!motif) {
            utilisateur.Erreur(&w, QString::fromStdString(motif.Pourquoi()));
            return;
        }
        commande(*motif);
    } catch (const RechercheAbandonnee &abandon) {
        utilisateur.Erreur(&w, QString::fromUtf8(abandon.what()));
    } catch (const std::bad_alloc &) {
        utilisateur.Erreur(&w, MemoireInsuffisante());
    }
}

// "&Suivant" and "Re&mplacer" of the replace dialog: when the selection is an occurrence, it is replaced (or
// not), and the next one after it is selected; otherwise the first one from the selection's start. The searches run
// on a copy of the text that follows the replacement; "Annuler" stops them where they are.
void Avance(TWndHTML &w, const TDlgRemplacer &dialogue, Utilisateur &utilisateur, bool remplace)
{
    AvecMotif(w, dialogue, utilisateur, [&](Motif &motif) {
        TEditHTML &edit = *w.EditHTML;
        const auto debut = static_cast<std::size_t>(edit.SelStart());
        std::string texte(edit.Texte());
        std::optional<Occurrence> occurrence;
        if (!RechercheEnFond(edit, texte.size(),
                             [&](Suivi &suivi) { occurrence = motif.Cherche(texte, debut, false, &suivi); }))
            return;
        if (occurrence && occurrence->Debut() == debut &&
            occurrence->Fin() - debut == static_cast<std::size_t>(edit.SelLength())) {
            const bool vide = occurrence->Fin() == debut;
            std::size_t suite = occurrence->Fin();
            if (remplace) {
                std::string nouveau;
                motif.Developpe(nouveau, Vue(dialogue.Remplacement().toUtf8()), *occurrence, texte);
                edit.Remplace(static_cast<qsizetype>(debut), static_cast<qsizetype>(suite), nouveau);
                texte.replace(debut, suite - debut, nouveau);
                suite = debut + nouveau.size();
                edit.Selectionne(static_cast<qsizetype>(suite), 0);
            }
            if (!RechercheEnFond(edit, texte.size(),
                                 [&](Suivi &suivi) { occurrence = motif.Cherche(texte, suite, vide, &suivi); }))
                return;
        }
        if (!occurrence) {
            utilisateur.Avertissement(&w, QStringLiteral("Recherche"),
                                      QStringLiteral("Texte \"%1\" non trouvé.").arg(dialogue.Texte()));
            return;
        }
        edit.Selectionne(static_cast<qsizetype>(occurrence->Debut()),
                         static_cast<qsizetype>(occurrence->Fin() - occurrence->Debut()));
    });
}

} // namespace

QString TMDIHtml::PremiereLigneSelectionnee() const
{
    const TWndHTML *w = FenetreActive();
    if (!w)
        return {};
    const TEditHTML &texte = *w->EditHTML;
    const std::string_view selection = texte.Texte().substr(static_cast<std::size_t>(texte.SelStart()),
                                                            static_cast<std::size_t>(texte.SelLength()));
    return QString::fromUtf8(selection.substr(0, selection.find_first_of("\r\n")));
}

void TMDIHtml::FileSave()
{
    if (TWndHTML *w = FenetreActive())
        w->FileSave();
}

void TMDIHtml::FileSaveAs()
{
    if (TWndHTML *w = FenetreActive())
        w->FileSaveAs();
}

void TMDIHtml::FileClose()
{
    if (TWndHTML *w = FenetreActive())
        Cadre(w)->close();
}

void TMDIHtml::FichierApercu()
{
    TWndHTML *w = FenetreActive();
    if (!w)
        return;
    // The browser shows the file: it must hold the text as it is now.
    if (w->EditHTML->isModified() || w->Untitled)
        w->FileSave();
    if (w->EditHTML->isModified() || w->Untitled)
        return;
    Navigateur().Lance(w->FileName);
}

void TMDIHtml::FichierEnregistrerTout()
{
    TWndHTML *active = FenetreActive();
    for (TWndHTML *w : Fenetres()) {
        if (!w->EditHTML->isModified())
            continue;
        // The user names the page that is in view.
        if (w->Untitled)
            Active(w);
        if (!w->FileSave()) {
            Active(w);
            utilisateur->Avertissement(w, QStringLiteral("Enregistrer tout"),
                                       QStringLiteral("%1 n'a pas été enregistré, et Enregistrer tout s'arrête là : "
                                                      "les pages déjà enregistrées le restent, les autres pages "
                                                      "modifiées ne sont pas enregistrées.")
                                           .arg(NomAffiche(w->FileName)));
            return;
        }
    }
    Active(active);
}

void TMDIHtml::FichierRecharger()
{
    if (TWndHTML *w = FenetreActive())
        w->Recharge();
}

void TMDIHtml::FichierImprimer()
{
    TWndHTML *w = FenetreActive();
    if (!w)
        return;
    Impression().Imprime(*w);
}

void TMDIHtml::FichierApercuImpression()
{
    TWndHTML *w = FenetreActive();
    if (!w)
        return;
    Impression().Apercu(*w);
}

TImpression &TMDIHtml::Impression()
{
    if (!impression)
        impression = new TImpression(*utilisateur, this);
    return *impression;
}

// Each leaves the undo commands as they now are, for the key pressed next.
void TMDIHtml::EditionDefaire()
{
    if (TWndHTML *w = FenetreActive())
        w->EditionDefaire();
    MajAnnulation();
}

void TMDIHtml::EditionRetablir()
{
    if (TWndHTML *w = FenetreActive())
        w->EditHTML->redo();
    MajAnnulation();
}

void TMDIHtml::EditCut()
{
    if (TWndHTML *w = FenetreActive())
        w->EditionCouper();
}

void TMDIHtml::EditCopy()
{
    if (TWndHTML *w = FenetreActive())
        w->EditionCopier();
}

void TMDIHtml::EditPaste()
{
    if (TWndHTML *w = FenetreActive())
        w->EditionColler();
}

void TMDIHtml::EditionToutSelectionner()
{
    if (TWndHTML *w = FenetreActive())
        w->EditHTML->selectAll();
}

void TMDIHtml::EditionChercher()
{
    dlgChercher->ProposeTexte(PremiereLigneSelectionnee());
    dlgChercher->show();
    dlgChercher->raise();
    dlgChercher->activateWindow();
}

void TMDIHtml::EditionAllerALigne()
{
    TWndHTML *w = FenetreActive();
    if (!w)
        return;
    TEditHTML &texte = *w->EditHTML;
    int ligne = 0;
    int colonne = 0;
    texte.getCursorPosition(&ligne, &colonne);
    TDlgAllerALigne dialogue(this, ligne + 1, texte.lines());
    if (utilisateur->Execute(dialogue) == QDialog::Accepted)
        texte.setCursorPosition(dialogue.Ligne() - 1, 0);
}

void TMDIHtml::Suivant()
{
    TWndHTML *w = FenetreActive();
    const QString texte = dlgChercher->Texte();
    if (!w || texte.isEmpty())
        return;
    const std::optional<bool> trouve =
        w->SelectionneSuivant(texte, dlgChercher->RespecterCasse(), dlgChercher->MotEntier());
    if (!trouve)
        return;
    if (!*trouve) {
        utilisateur->Avertissement(w, QStringLiteral("Recherche"),
                                   QStringLiteral("Texte \"%1\" non trouvé.").arg(texte));
        return;
    }
    dlgChercher->close();
}

void TMDIHtml::EditionRemplacer()
{
    dlgRemplacer->ProposeTexte(PremiereLigneSelectionnee());
    dlgRemplacer->show();
    dlgRemplacer->raise();
    dlgRemplacer->activateWindow();
}

void TMDIHtml::RemplacerSuivant()
{
    if (TWndHTML *w = FenetreActive(); w && !dlgRemplacer->Texte().isEmpty())
        Avance(*w, *dlgRemplacer, *utilisateur, false);
}

void TMDIHtml::Remplacer()
{
    if (TWndHTML *w = FenetreActive(); w && !dlgRemplacer->Texte().isEmpty())
        Avance(*w, *dlgRemplacer, *utilisateur, true);
}

void TMDIHtml::RemplacerTout()
{
    TWndHTML *w = FenetreActive();
    if (!w || dlgRemplacer->Texte().isEmpty())
        return;
    std::optional<std::size_t> nombre;
    AvecMotif(*w, *dlgRemplacer, *utilisateur, [&](Motif &motif) {
        const QByteArray remplacement = dlgRemplacer->Remplacement().toUtf8();
        TEditHTML &edit = *w->EditHTML;
        const std::string texte(edit.Texte());
        RemplacementTout resultat;
        if (!RechercheEnFond(edit, texte.size(), [&](Suivi &suivi) {
                resultat = RemplaceTout(texte, motif, Vue(remplacement), &suivi);
            }))
            return;
        // Only the bytes from the first occurrence to the last change, in one step that one undo gives back.
        if (resultat.nombre > 0) {
            edit.Remplace(static_cast<qsizetype>(resultat.debut), static_cast<qsizetype>(resultat.fin),
                          resultat.texte);
            edit.Selectionne(static_cast<qsizetype>(resultat.debut), 0);
        }
        nombre = resultat.nombre;
    });
    if (!nombre)
        return;
    const QString message = *nombre == 0   ? QStringLiteral("Aucun remplacement.")
                            : *nombre == 1 ? QStringLiteral("1 remplacement.")
                                           : QStringLiteral("%1 remplacements.").arg(*nombre);
    utilisateur->Information(w, QStringLiteral("Remplacer"), message);
}

void TMDIHtml::VerifierLaPage()
{
    if (TWndHTML *w = FenetreActive())
        verification->VerifiePage(w);
}

void TMDIHtml::VerifierLesLiens()
{
    verification->VerifieLiens();
}

void TMDIHtml::ProblemeSuivant()
{
    if (TWndHTML *w = FenetreActive())
        verification->Suivant(w, false);
}

void TMDIHtml::ProblemePrecedent()
{
    if (TWndHTML *w = FenetreActive())
        verification->Suivant(w, true);
}

void TMDIHtml::Formate(IndexPaire paire)
{
    if (TWndHTML *w = FenetreActive())
        w->InsertionTexte(TextPairs[paire].ouverture, TextPairs[paire].fermeture);
}

void TMDIHtml::InsertionLien()
{
    TWndHTML *w = FenetreActive();
    if (!w)
        return;
    std::vector<DocumentOuvert> autres;
    for (TWndHTML *autre : Fenetres())
        if (autre != w)
            autres.push_back({autre->FileName, autre->EditHTML->Texte()});
    dlgHyperlien->Prepare({w->FileName, w->EditHTML->Texte()}, autres);
    if (utilisateur->Execute(*dlgHyperlien) == QDialog::Accepted)
        w->InsertionTexte(dlgHyperlien->Ouverture(), dlgHyperlien->Fermeture());
}

void TMDIHtml::InsertionAncreLocale()
{
    TWndHTML *w = FenetreActive();
    if (w && utilisateur->Execute(*dlgAncreLocale) == QDialog::Accepted)
        w->InsertionTexte(dlgAncreLocale->Ouverture(), {});
}

void TMDIHtml::InsertionImage()
{
    TWndHTML *w = FenetreActive();
    if (!w)
        return;
    dlgImage->Prepare(w->FileName);
    if (utilisateur->Execute(*dlgImage) == QDialog::Accepted)
        w->InsertionTexte(dlgImage->Ouverture(), dlgImage->Fermeture());
}

void TMDIHtml::InsertionTitre()
{
    TWndHTML *w = FenetreActive();
    if (!w)
        return;
    TEditHTML &edit = *w->EditHTML;
    const std::string_view texte = edit.Texte();
    const TitrePage titre = ChercheTitre(texte);
    // The old title is selected before the dialog shows, and stays selected if the user gives up.
    if (titre.present) {
        const std::string_view ancien = texte.substr(titre.debut, titre.fin - titre.debut);
        dlgTitre->DefinitTitre(QString::fromUtf8(ancien.data(), static_cast<qsizetype>(ancien.size())));
        edit.Selectionne(static_cast<qsizetype>(titre.debut), static_cast<qsizetype>(ancien.size()));
    } else {
        dlgTitre->DefinitTitre(QStringLiteral("Sans titre"));
    }
    if (utilisateur->Execute(*dlgTitre) != QDialog::Accepted)
        return;

    const std::string nouveau = dlgTitre->Titre().toStdString();
    if (titre.present) {
        const qsizetype debut = edit.SelStart();
        edit.Remplace(debut, debut + edit.SelLength(), nouveau);
        edit.Selectionne(debut + static_cast<qsizetype>(nouveau.size()), 0);
    } else {
        w->InsertionTexte("<TITLE>" + nouveau, "</TITLE>");
    }
}

void TMDIHtml::AfficheTags()
{
    TagsForm->Montre();
}

void TMDIHtml::AfficheCaracteresSpeciaux()
{
    WndCaracteresSpeciaux->Montre();
}

void TMDIHtml::CorrectionAccents()
{
    WndCaracteresSpeciaux->CorrigeDocumentActif();
}

void TMDIHtml::SupprimerLesTagsHTML()
{
    TWndHTML *w = FenetreActive();
    if (!w)
        return;
    TSupprimerForm options(w);
    if (utilisateur->Execute(options) != QDialog::Accepted)
        return;
    const Encodage encodage = w->EncodageFichier();
    AfficheResultat(*w, " (Sans tags).txt", [&](std::string_view texte, FinDeLigne fin) {
        std::string resultat = SupprimeTags(texte, options.Remplacement(), TexteFinDeLigne(fin));
        if (!options.Restaurer())
            return std::pair{std::move(resultat), true};
        return std::pair{WndCaracteresSpeciaux->Restauration(resultat, encodage), false};
    });
}

void TMDIHtml::SupprimerLesTagsTableaux()
{
    if (TWndHTML *w = FenetreActive())
        AfficheResultat(*w, " (Sans tableaux).htm", [](std::string_view texte, FinDeLigne fin) {
            return std::pair{SupprimeTableaux(texte, TexteFinDeLigne(fin)), true};
        });
}

void TMDIHtml::AfficheResultat(TWndHTML &source, std::string_view suffixe, const Transformation &transformation)
{
    const std::string_view texte = source.EditHTML->Texte();
    const FinDeLigne fin = DetecteFinDeLigne(texte);
    TWndHTML *w = nullptr;
    try {
        const auto [resultat, curseurALaFin] = transformation(texte, fin);
        w = NouvelleFenetre();
        w->ChangeNom(DecodeNom(RemplaceExtension(EncodeNom(source.FileName).toStdString(), suffixe)));
        // Saved as the page it comes from, in the same encoding.
        w->Remplit(resultat, fin, source.EncodageFichier(), curseurALaFin);
    } catch (const std::bad_alloc &) {
        if (w) {
            // The window lives in a sub-window of the frame: closing that one takes both away.
            w->EditHTML->setModified(false);
            Cadre(w)->close();
        }
        utilisateur->Erreur(&source, MemoireInsuffisante());
    }
}
