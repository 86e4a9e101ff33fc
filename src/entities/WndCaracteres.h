#pragma once

#include "entities/Remplacement.h"
#include "entities/TableAccents.h"

#include <QWidget>

class QTableWidget;
class TEditHTML;
class TMDIHtml;

// The special characters window: the accent table read at start, shown in a grid whose double-click inserts an
// entity into the active document; it also corrects and restores the accents of a whole document.
class TWndCaracteresSpeciaux : public QWidget {
    Q_OBJECT

public:
    // Reads the accent table file; a file that cannot be read, or holds no line, is reported and leaves the table
    // empty.
    TWndCaracteresSpeciaux(TMDIHtml &frame, const QString &fichierAccents);

    QTableWidget *CaracteresGrid;

    // Characters to entities, and entities to characters, over the whole text; the caret goes to the start.
    void Corrige(TEditHTML &edit) const;
    void Restaure(TEditHTML &edit) const;
    // Entities to characters over a text.
    std::string Restauration(std::string_view texte) const { return restauration.Applique(texte); }

    void CaracteresGridDblClick();
    void CorrigerBtnClick();
    void SupprimerBtnClick();

private:
    void Remplit(const std::vector<LigneAccent> &table);
    static void Applique(const SerieRemplacements &serie, TEditHTML &edit);

    TMDIHtml &frame;
    SerieRemplacements correction;
    SerieRemplacements restauration;
};
