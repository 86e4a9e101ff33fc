// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDockWidget>

class QFileSystemModel;
class QLabel;
class QLineEdit;
class QModelIndex;
class QPoint;
class QTreeView;
class TTriSite;
class Utilisateur;

// The site's files as a tree, docked beside the pages: folders first, then the pages, then the other files, each
// folder read only when it opens, so that a big site never stops the editor. Typing filters the names shown. Return
// or a double click opens a file; the context menu makes a new page, renames, deletes (to the desktop's trash) and
// shows a file in the browser.
class TPanneauSite : public QDockWidget {
    Q_OBJECT

public:
    TPanneauSite(QWidget *parent, Utilisateur &utilisateur);

    // Shows the files of the folder; none when it is empty.
    void Montre(const QString &dossier);
    QString Dossier() const { return dossier; }

    QTreeView *Arbre;
    // The part of a name that the files shown hold; folders all show.
    QLineEdit *Filtre;

signals:
    // A text file, a page above all, to open in the editor; any other file, to show in the browser.
    void Ouvrir(const QString &chemin);
    void Naviguer(const QString &chemin);
    // The file or folder is to be renamed or moved.
    void Renommer(const QString &chemin);

protected:
    // Return on the tree opens its current file or opens its folder; a letter typed goes to the filter. Return and
    // the down arrow on the filter go back to the tree, Escape empties it.
    bool eventFilter(QObject *objet, QEvent *event) override;

private:
    QString Chemin(const QModelIndex &index) const;
    void Active(const QModelIndex &index);
    void MenuContextuel(const QPoint &position);
    // Asks for the new page's name and writes it in the folder from the template, then opens it.
    void NouvellePage(const QString &dossierPage);
    // Asks first; a folder goes with all it holds.
    void Supprime(const QString &chemin);

    Utilisateur &utilisateur;
    QString dossier;
    QFileSystemModel *modele;
    TTriSite *tri;
    QLabel *aucun;
};
