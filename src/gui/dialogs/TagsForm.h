// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/insertion/FichierTags.h"
#include "gui/commun/FenetreOutil.h"
#include "gui/document/WndHTML.h"

#include <vector>

class QLineEdit;
class QTreeWidget;
class QTreeWidgetItem;
class Utilisateur;

// The tags palette: ready-made tags and attributes read from the tags files at start, shown as a tree whose
// double-click, or Return, writes into the active document. Typing on the tree filters it.
class TTagsForm : public TFenetreOutil {
    Q_OBJECT

public:
    // Reads every "*.txt" file of the folder; a file that cannot be read is reported and ends the reading.
    TTagsForm(QWidget *parent, Utilisateur &utilisateur, const QString &dossierTags, DocumentActif active);

protected:
    // On a branch, opens or closes it, as a double click does; on an entry, writes it.
    void Valide() override;
    // Text typed on the tree goes to the filter.
    bool eventFilter(QObject *objet, QEvent *event) override;
    // A palette opened again shows every entry.
    void hideEvent(QHideEvent *event) override;

private:
    // Writes the selected tag around the selection of the active document, or the selected attribute in front of
    // it, and gives the keyboard back to the document.
    void EcritEntree();
    // Shows the entries whose caption, or the caption of an entry above or below them, holds the text, whatever
    // the case; the keyboard goes to the first tag or attribute that holds it, unless it is on an entry that holds
    // it or lies under one.
    void Filtrer(const QString &texte);
    // Reads one tags file under its branch; false, once reported, when the file cannot be read.
    bool ChargeFichierTags(const QString &nomFichier, QTreeWidgetItem *noeudFichier);
    // A new node for the entry, owned by the tree, whose data is the entry's place in ListeTags.
    QTreeWidgetItem *Noeud(TTag tag, const QString &libelle);

    QLineEdit *filtre;
    QTreeWidget *arbre;
    Utilisateur &utilisateur;
    DocumentActif active;
    // Every entry of the tree, files, tags and attributes; a node refers to its entry by its place here.
    std::vector<TTag> ListeTags;
};
