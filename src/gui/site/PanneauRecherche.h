// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDockWidget>
#include <QString>

#include <cstddef>
#include <vector>

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;

// An occurrence found in a file, as the list of results shows it.
struct ResultatTrouve {
    QString chemin;
    // From 1; the column in characters.
    std::size_t ligne = 0;
    std::size_t colonne = 0;
    // The occurrence's bytes in the file's text, as read.
    std::size_t debut = 0;
    std::size_t fin = 0;
    // The line, or the part of it around the occurrence, and where the occurrence lies in it.
    QString extrait;
    qsizetype marque = 0;
    qsizetype longueurMarque = 0;
};

// The results of a search across files, docked below the pages: one row an occurrence (Fichier, Ligne, Colonne, and
// the line with the occurrence marked), added as the search finds them; a progress bar and "Annuler" while it runs
// past half a second. Return or a double click on a row goes to its occurrence.
class TPanneauRecherche : public QDockWidget {
    Q_OBJECT

public:
    explicit TPanneauRecherche(QWidget *parent = nullptr);

    QTreeWidget *Liste;

    // Empties the list for a new search of that text in the folder, whose files are named from it.
    void Commence(const QString &cherche, const QString &dossier);
    void Ajoute(const std::vector<ResultatTrouve> &resultats);
    // How many of the files the search has read, of how many.
    void Avance(std::size_t lus, std::size_t total);
    // The search is over: the bar goes, the message stays under the list.
    void Termine(const QString &message);
    // Whether a search is running.
    bool EnCours() const { return enCours; }

    // The most rows that the list holds; the occurrences found beyond are counted, not shown.
    static constexpr int MaximumDeLignes = 10000;

signals:
    // A row was double-clicked or Return pressed on it.
    void Aller(const ResultatTrouve &resultat);
    // "Annuler" was clicked.
    void Annuler();

private:
    void Titre();

    QLabel *message;
    QProgressBar *barre;
    QPushButton *annuler;
    QTimer *delai;
    QString dossier;
    QString cherche;
    std::vector<ResultatTrouve> resultats;
    std::size_t nonMontres = 0;
    bool enCours = false;
};
