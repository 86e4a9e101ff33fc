// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/MDIHtml.h"

#include "gui/app/Navigateur.h"
#include "gui/dialogs/DlgPreferences.h"
#include "gui/document/WndHTML.h"
#include "gui/verification/Verification.h"

#include <QApplication>
#include <QEvent>
#include <QPalette>
#include <QStatusBar>

namespace {

// The frame's palette in the dark scheme, with the colours of the dark pages.
QPalette PaletteSombre()
{
    const QColor fenetre(0x35, 0x35, 0x35);
    const QColor texte(0xe8, 0xe8, 0xe8);
    const QColor inactif(0x80, 0x80, 0x80);
    QPalette palette;
    palette.setColor(QPalette::Window, fenetre);
    palette.setColor(QPalette::WindowText, texte);
    palette.setColor(QPalette::Base, QColor(0x1e, 0x1e, 0x1e));
    palette.setColor(QPalette::AlternateBase, QColor(0x2a, 0x2a, 0x2a));
    palette.setColor(QPalette::ToolTipBase, fenetre);
    palette.setColor(QPalette::ToolTipText, texte);
    palette.setColor(QPalette::PlaceholderText, inactif);
    palette.setColor(QPalette::Text, texte);
    palette.setColor(QPalette::Button, fenetre);
    palette.setColor(QPalette::ButtonText, texte);
    palette.setColor(QPalette::BrightText, Qt::white);
    palette.setColor(QPalette::Light, QColor(0x50, 0x50, 0x50));
    palette.setColor(QPalette::Midlight, QColor(0x42, 0x42, 0x42));
    palette.setColor(QPalette::Mid, QColor(0x2a, 0x2a, 0x2a));
    palette.setColor(QPalette::Dark, QColor(0x20, 0x20, 0x20));
    palette.setColor(QPalette::Shadow, Qt::black);
    palette.setColor(QPalette::Highlight, QColor(0x26, 0x4f, 0x78));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::Link, QColor(0x6f, 0xa8, 0xff));
    palette.setColor(QPalette::LinkVisited, QColor(0xc5, 0x86, 0xc0));
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, inactif);
    return palette;
}

} // namespace

void TMDIHtml::AppliqueSchema(Schema nouveau)
{
    const bool etaitSombre = schema == Schema::Sombre;
    schema = nouveau;
    if (schema == Schema::Sombre)
        QApplication::setPalette(PaletteSombre());
    else if (etaitSombre)
        // A palette that sets no colour gives back the desktop's.
        QApplication::setPalette(QPalette());
    // The area behind the windows is Qt's grey on every desktop, too light beside dark pages.
    mdiArea->setBackground(schema == Schema::Sombre ? QBrush(QColor(0x25, 0x25, 0x26)) : QBrush(Qt::gray));
    ColorePages();
}

void TMDIHtml::ColorePages()
{
    const bool sombres = schema == Schema::Sombre ||
                         (schema == Schema::Bureau && QApplication::palette().color(QPalette::Window).lightness() < 128);
    if (sombres == pagesSombres)
        return;
    pagesSombres = sombres;
    for (TWndHTML *w : Fenetres())
        w->EditHTML->AppliqueCouleurs(pagesSombres);
}

void TMDIHtml::changeEvent(QEvent *event)
{
    // The desktop's palette changed: the pages follow it when they go with the desktop.
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::ApplicationPaletteChange)
        ColorePages();
    QMainWindow::changeEvent(event);
}

void TMDIHtml::Preferences()
{
    QStringList dictionnaires;
    for (const DictionnaireInstalle &installe : verification->Dictionnaires())
        dictionnaires << QString::fromStdString(installe.nom);
    const Reglages avant{DlgFonte,
                         parametres.LitNavigateur(),
                         verification->OrthographeActive(),
                         verification->Dictionnaire(),
                         fermeBalises,
                         parametres.LitOnglets(),
                         parametres.LitRouvrirSession(),
                         parametres.LitFenetresMaximisees(),
                         schema};
    TDlgPreferences dialogue(this, *utilisateur, avant, dictionnaires);
    if (utilisateur->Execute(dialogue) != QDialog::Accepted)
        return;
    const Reglages apres = dialogue.Choisis();
    // Each setting that changed is applied even when the settings file refuses it, and then lasts until the program
    // ends; the refusal is told once.
    bool ecrit = true;
    if (apres.fonte != avant.fonte) {
        DlgFonte = apres.fonte;
        ecrit = parametres.EcritFonte(DlgFonte.family()) && parametres.EcritTaille(DlgFonte.pointSize()) && ecrit;
        for (TWndHTML *w : Fenetres())
            w->EditHTML->AppliqueFonte(DlgFonte);
    }
    if (apres.navigateur != avant.navigateur)
        ecrit = parametres.EcritNavigateur(apres.navigateur) && ecrit;
    if (apres.dictionnaire != avant.dictionnaire)
        verification->ChoisitDictionnaire(apres.dictionnaire);
    if (apres.orthographe != avant.orthographe)
        verification->ActiveOrthographe(apres.orthographe);
    if (apres.fermeBalises != avant.fermeBalises)
        FermeBalises(apres.fermeBalises);
    if (apres.onglets != avant.onglets) {
        AppliqueOnglets(apres.onglets);
        ecrit = parametres.EcritOnglets(apres.onglets) && ecrit;
    }
    if (apres.rouvrirSession != avant.rouvrirSession)
        ecrit = parametres.EcritRouvrirSession(apres.rouvrirSession) && ecrit;
    if (apres.fenetresMaximisees != avant.fenetresMaximisees)
        ecrit = parametres.EcritFenetresMaximisees(apres.fenetresMaximisees) && ecrit;
    if (apres.schema != avant.schema) {
        AppliqueSchema(apres.schema);
        ecrit = parametres.EcritSchema(apres.schema) && ecrit;
    }
    if (!ecrit)
        utilisateur->Erreur(this, parametres.MessageEcritureImpossible());
}
