// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/commun/Utilisateur.h"

#include <QObject>
#include <QStringList>

class QMenu;
class TFichierINI;
class TMDIHtml;
class TRecuperation;
class TWndHTML;
struct DebutJournalLu;

// The pages that the frame opens: from the command line, the open dialog, the recent pages, files dropped on the
// frame and desktop files, and those that programs which stopped left in the recovery folder. A file already open
// here, or held modified by another running program, is opened again only when the user says so.
class TSession : public QObject {
    Q_OBJECT

public:
    TSession(TMDIHtml &principal, Utilisateur &utilisateur, TFichierINI &parametres, TRecuperation &recuperation);

    // Opens the files or loads the desktops that the command-line arguments name.
    void Demarrage(const QStringList &arguments);
    // Offers back the pages that programs which stopped without closing them left in the recovery folder; then
    // the pages of the last clean exit, when they wait for it.
    void ProposeRecuperation();
    // Opens again the pages open at the last clean exit, in their order, the active one in front, when the settings
    // say so; a file gone is left out. When stopped programs left pages to recover, these are offered first and
    // the others follow, less those that were recovered.
    void RouvreDerniereSession();
    // Keeps the pages open at a clean exit, in their order, and the rank of the active one.
    void NoteDernieresPages(const QStringList &pages, qsizetype active);
    // Keeps where the page with a file was left: its caret and first line in view come back when it opens again.
    void NotePosition(const TWndHTML &w);
    // Asks for a page and opens it, in the folder of the active page, else where the last page was chosen.
    void Ouvrir();
    // Opens the file in a new window; a file already open asks first, and the user may have its window brought
    // forward instead. So does a file that another running program holds modified.
    void Ouvre(const QString &nom);
    // A file dropped on the frame: a desktop loads, any other file opens.
    void OuvreDepose(const QString &fichier);
    // Puts the page at the top of the recent pages.
    void NoteRecent(const QString &nom);
    // Fills the menu with the recent pages from the settings file, which another running program may have changed.
    void RemplitRecents(QMenu &menu);
    // Saves the open pages and the chosen site in a desktop file.
    void EnregistreBureau();
    void ChargeUnBureau();
    // Replaces the open documents by those that the desktop file lists; the site it names, if any, becomes the
    // chosen site.
    void ChargeBureau(const QString &nom);

private:
    // Opens the file in a new window, where it was left when it last closed.
    void OuvreFenetre(const QString &chemin);
    void RouvrePages();
    // Opens a recent page, or takes it out of the list when it is gone.
    void OuvreRecent(const QString &nom);
    // Opens the page of a stopped program's journal in a new window. False when the journal is to be kept, as when
    // memory runs out (the user is told); a journal found unreadable is told and is to be removed.
    bool Recupere(const QString &journal, const DebutJournalLu &debut);

    TMDIHtml &principal;
    Utilisateur &utilisateur;
    TFichierINI &parametres;
    TRecuperation &recuperation;
    DialogueFichier ouverture;
    DialogueFichier enregistrementBureau;
    DialogueFichier chargementBureau;
    // The pages of the last clean exit wait for those of the stopped programs.
    bool dernieresPagesEnAttente = false;
};
