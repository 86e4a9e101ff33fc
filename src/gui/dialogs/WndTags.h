#pragma once

#include "core/dialogs/FichierTags.h"
#include "gui/document/WndEditeur.h"

#include <QWidget>

#include <vector>

class QTreeWidget;
class QTreeWidgetItem;
class Utilisateur;

// The tags palette: ready-made tags and attributes read from the tags files at start, shown as a tree whose
// double-click writes into the active document.
class TTagsForm : public QWidget {
    Q_OBJECT

public:
    // Reads every "*.txt" file of the folder; a file that cannot be read is reported and ends the reading.
    TTagsForm(QWidget *parent, Utilisateur &utilisateur, const QString &dossierTags, DocumentActif active);

    QTreeWidget *Tags;

    // Writes the selected tag around the selection of the active document, or the selected attribute in front of
    // it; the document window is not activated.
    void TagsDblClick();

protected:
    // Escape closes the palette.
    void keyPressEvent(QKeyEvent *event) override;

private:
    // Reads one tags file under its branch; false, once reported, when the file cannot be read.
    bool ChargeFichierTags(const QString &nomFichier, QTreeWidgetItem *noeudFichier);
    // A new node for the entry, owned by the tree, whose data is the entry's place in ListeTags.
    QTreeWidgetItem *Noeud(TTag tag, const QString &libelle);

    Utilisateur &utilisateur;
    DocumentActif active;
    // Every entry of the tree, files, tags and attributes; a node refers to its entry by its place here.
    std::vector<TTag> ListeTags;
};
