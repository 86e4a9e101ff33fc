// SPDX-License-Identifier: GPL-3.0-or-later
// The frame's commands of writing mark-up on the active document: completion, the way between an element's tags,
// comments, wrapping in a tag, folding, and the closing of the tags as they are typed.

#include "gui/app/MDIHtml.h"

#include "core/document/Ecriture.h"
#include "gui/dialogs/DlgEntourer.h"
#include "gui/document/WndHTML.h"

#include <QStatusBar>

namespace {

long Ligne(TEditHTML &edit, qsizetype position)
{
    return edit.SendScintilla(QsciScintillaBase::SCI_LINEFROMPOSITION, static_cast<unsigned long>(position));
}

// What Scintilla says of the line's fold.
long Pli(TEditHTML &edit, int message, long ligne)
{
    return edit.SendScintilla(static_cast<unsigned int>(message), static_cast<unsigned long>(ligne));
}

// Moves the caret that a fold hides to the start of the outermost folded line above it, which stays in view.
void RendVisible(TEditHTML &edit)
{
    const long caret = Ligne(edit, edit.SelStart());
    long visible = caret;
    for (long ligne = caret; ligne >= 0; ligne = Pli(edit, QsciScintillaBase::SCI_GETFOLDPARENT, ligne))
        if (ligne != caret && !Pli(edit, QsciScintillaBase::SCI_GETFOLDEXPANDED, ligne))
            visible = ligne;
    if (visible != caret)
        edit.setCursorPosition(static_cast<int>(visible), 0);
}

} // namespace

void TMDIHtml::Completer()
{
    if (TWndHTML *w = FenetreActive())
        w->EditHTML->OuvreCompletion();
}

void TMDIHtml::AllerABaliseCorrespondante()
{
    if (TWndHTML *w = FenetreActive(); w && !w->EditHTML->AllerABaliseCorrespondante())
        statusBar()->showMessage(QStringLiteral("Aucun élément autour du curseur."));
}

void TMDIHtml::SelectionnerElement()
{
    if (TWndHTML *w = FenetreActive(); w && !w->EditHTML->SelectionneElement())
        statusBar()->showMessage(QStringLiteral("Aucun élément autour de la sélection."));
}

void TMDIHtml::MettreEnCommentaire()
{
    TWndHTML *w = FenetreActive();
    if (!w)
        return;
    TEditHTML &edit = *w->EditHTML;
    qsizetype debut = edit.SelStart();
    qsizetype fin = debut + edit.SelLength();
    const bool ligne = debut == fin;
    if (ligne) {
        const long numero = Ligne(edit, debut);
        debut = edit.SendScintilla(QsciScintillaBase::SCI_POSITIONFROMLINE, static_cast<unsigned long>(numero));
        fin = edit.SendScintilla(QsciScintillaBase::SCI_GETLINEENDPOSITION, static_cast<unsigned long>(numero));
    }
    const std::string nouveau = BasculeCommentaire(
        edit.Texte().substr(static_cast<std::size_t>(debut), static_cast<std::size_t>(fin - debut)));
    edit.Remplace(debut, fin, nouveau);
    // A selection stays selected, so that the same key takes the comment off again; from a line, the caret goes
    // to its end, where typing goes on.
    const auto longueur = static_cast<qsizetype>(nouveau.size());
    if (ligne)
        edit.Selectionne(debut + longueur, 0);
    else
        edit.Selectionne(debut, longueur);
}

void TMDIHtml::Entourer()
{
    TWndHTML *w = FenetreActive();
    if (w && utilisateur->Execute(*dlgEntourer) == QDialog::Accepted)
        w->InsertionTexte(dlgEntourer->Ouverture(), dlgEntourer->Fermeture());
}

void TMDIHtml::Replier()
{
    TWndHTML *w = FenetreActive();
    if (!w || !w->EditHTML->Pliable())
        return;
    TEditHTML &edit = *w->EditHTML;
    // The caret's line when an element starts there and is unfolded; otherwise the element that holds it, so that
    // each press folds one level more.
    long ligne = Ligne(edit, edit.SelStart());
    if (!(Pli(edit, QsciScintillaBase::SCI_GETFOLDLEVEL, ligne) & QsciScintillaBase::SC_FOLDLEVELHEADERFLAG) ||
        !Pli(edit, QsciScintillaBase::SCI_GETFOLDEXPANDED, ligne))
        ligne = Pli(edit, QsciScintillaBase::SCI_GETFOLDPARENT, ligne);
    if (ligne < 0)
        return;
    edit.SendScintilla(QsciScintillaBase::SCI_FOLDLINE, static_cast<unsigned long>(ligne),
                       static_cast<long>(QsciScintillaBase::SC_FOLDACTION_CONTRACT));
    RendVisible(edit);
}

void TMDIHtml::Deplier()
{
    TWndHTML *w = FenetreActive();
    if (!w || !w->EditHTML->Pliable())
        return;
    TEditHTML &edit = *w->EditHTML;
    edit.SendScintilla(QsciScintillaBase::SCI_FOLDLINE, static_cast<unsigned long>(Ligne(edit, edit.SelStart())),
                       static_cast<long>(QsciScintillaBase::SC_FOLDACTION_EXPAND));
}

void TMDIHtml::ToutReplier()
{
    TWndHTML *w = FenetreActive();
    if (!w || !w->EditHTML->Pliable())
        return;
    // QScintilla folds every level when the first fold is unfolded, and unfolds everything otherwise.
    w->EditHTML->clearFolds();
    w->EditHTML->foldAll(true);
    RendVisible(*w->EditHTML);
}

void TMDIHtml::ToutDeplier()
{
    if (TWndHTML *w = FenetreActive(); w && w->EditHTML->Pliable())
        w->EditHTML->clearFolds();
}

void TMDIHtml::FermeBalises(bool oui)
{
    fermeBalises = oui;
    if (!parametres.EcritFermeBalises(oui))
        statusBar()->showMessage(parametres.MessageEcritureImpossible());
    for (TWndHTML *w : Fenetres())
        w->EditHTML->FermeBalises(oui);
}
