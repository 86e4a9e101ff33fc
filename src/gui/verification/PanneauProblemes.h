// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/verification/Probleme.h"

#include <QDockWidget>

#include <cstddef>
#include <string_view>
#include <vector>

class ModeleProblemes;
class QMenu;
class QModelIndex;
class QPoint;
class QTreeView;

// The list of the problems that the checks found in the open pages, one row a problem, docked above or below the
// pages. A page is known by an object, its document window, which the list only keeps as a key: the page's rows go
// when that object is destroyed.
class TPanneauProblemes : public QDockWidget {
    Q_OBJECT

public:
    explicit TPanneauProblemes(QWidget *parent = nullptr);

    // Columns Page (the file's name, its path in the tooltip), Ligne, Colonne, Sorte, Message; rows by page then
    // position until a header is clicked.
    QTreeView *Liste;

    // The page's rows become these problems, found in `texte`, the page's UTF-8 text where their offsets point (read
    // for the lines and columns, not kept). The current row stays current if its page still has a problem at the same
    // place; otherwise, when it was one of this page's, no row is current any more.
    void Remplace(QObject *page, const QString &nomPage, std::string_view texte, std::vector<Probleme> problemes);
    // The page was saved under another name.
    void Renomme(QObject *page, const QString &nomPage);
    void Retire(QObject *page);

    // The page's problems, by increasing start.
    std::vector<Probleme> Problemes(QObject *page) const;

    // The page's first problem that starts after `position`, or its last one that starts before when `precedent`;
    // past the end it goes round to the first (last) one. Its row becomes current and is scrolled to. Null when the
    // page has no problem; otherwise valid until the page's problems change.
    const Probleme *Suivant(QObject *page, std::size_t position, bool precedent);

signals:
    // A row was double-clicked or Enter pressed on it: the page's bytes [debut, fin) are to be shown, and the
    // row's message told.
    void Aller(QObject *page, std::size_t debut, std::size_t fin, const QString &message);
    // The context menu of a spelling row: its word is to be ignored until the program ends, or added to the
    // dictionary that did not know it.
    void Ignorer(const QString &mot);
    void Ajouter(const QString &mot, const QString &dictionnaire);

protected:
    // Enter on the list goes to its current row; a right click, the Menu key or Shift+F10 open the row's context
    // menu.
    bool eventFilter(QObject *objet, QEvent *event) override;

private:
    // Lets `change` alter the page's problems or name, then makes current again the row that was and scrolls the list
    // back to where it was.
    template <typename Change>
    void Modifie(QObject *page, Change change);
    void Va(const QModelIndex &index);
    // Over a spelling row, shows at `global` the menu that ignores or adds its word; nothing over another row.
    void MenuContextuel(const QModelIndex &index, const QPoint &global);
    // The count of rows in the title, and of pages when they are more than one.
    void Titre();

    ModeleProblemes *modele;
    QMenu *menu;
    // The word of the row whose menu is shown, and its dictionary.
    QString motMenu;
    QString dictionnaireMenu;
};
