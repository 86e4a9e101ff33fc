// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/entities/Remplacement.h"
#include "core/entities/TableAccents.h"
#include "gui/commun/FenetreOutil.h"
#include "gui/document/WndHTML.h"

class QTableWidget;
class Utilisateur;

// The special characters window: the accent table read at start, shown in a grid whose double-click, or Return,
// inserts an entity into the active document; it also corrects and restores the accents of a whole document.
class TWndCaracteresSpeciaux : public TFenetreOutil {
    Q_OBJECT

public:
    // Reads the accent table file; a file that cannot be read, or holds no line, is reported and leaves the table
    // empty.
    TWndCaracteresSpeciaux(QWidget *parent, Utilisateur &utilisateur, const QString &fichierAccents,
                           DocumentActif active);

    // Characters to entities with every row flagged for correction, over the active document's whole text; the
    // caret goes to the start. When memory runs out the user is told, and the document is left as it was.
    void CorrigeDocumentActif() const;
    // Entities to characters over a text of a page in that encoding, with the rows that the encoding can hold, so
    // that the page saved in its encoding has the bytes that balizo-outils gives. Throws std::bad_alloc when the
    // result would pass LimiteResultat.
    std::string Restauration(std::string_view texte, Encodage encodage) const;

signals:
    // "Supprimer les tags...": the command of the same name, on the active document.
    void SupprimerDemande();

protected:
    // Writes the entity of the selected row into the active document and gives the keyboard back to the document.
    void Valide() override;

private:
    void Remplit(const std::vector<LigneAccent> &table);

    QTableWidget *grille;
    Utilisateur &utilisateur;
    DocumentActif active;
    // Built once from the table: the text of a Windows-1252 document is UTF-8 too, but only the rows that
    // Windows-1252 can hold may restore characters into it.
    SerieRemplacements correction;
    SerieRemplacements restauration;
    SerieRemplacements restaurationWindows1252;
};
