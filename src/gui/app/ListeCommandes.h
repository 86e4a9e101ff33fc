// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>

#include <functional>
#include <vector>

class TMDIHtml;

// A command of the frame: one action, whatever reaches it (menus, tool bars, keys), acting on the frame and its
// active document.
struct Commande {
    // The name its action is found by.
    const char *nom;
    // The menus' text, with its access letter.
    QString texte;
    // Its keys, the first one shown in the menus and in the bubble.
    QList<QKeySequence> touches;
    // Whether it needs an active document; without one it is disabled.
    bool document;
    std::function<void(TMDIHtml &)> execute;
    // On a tool bar, its drawing (none: its text) and its bubble.
    const char *icone = nullptr;
    QString bulle = {};
};

// Every command of the frame.
const std::vector<Commande> &Commandes();

// A menu or a tool bar: the names of its commands in order, "-" for a separator. A name that starts with "@" is a
// part that the frame makes itself (the recent pages, the list of problems, the dictionaries, the switches), one
// that starts with ">" the menu of that name, as a submenu.
struct Rangee {
    const char *nom;
    QString titre;
    std::vector<const char *> entrees;
};

// The menus: "&Fichier" without a document, then those of the active document, the context menu of the document
// and those that every state shows, each submenu after the menu that holds it.
const std::vector<Rangee> &Menus();
// The tool bars, the main one on top, the one of the tags on the left.
const std::vector<Rangee> &Barres();
