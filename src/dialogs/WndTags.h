#pragma once

#include <QWidget>

class TMDIHtml;

// The tags palette: ready-made tags and attributes read from the tags files at start, shown as a tree whose
// double-click writes into the active document.
class TTagsForm : public QWidget {
    Q_OBJECT

public:
    // Reads every "*.txt" file of the folder; a file that cannot be read is reported and ends the reading.
    TTagsForm(TMDIHtml &frame, const QString &dossierTags);

private:
    TMDIHtml &frame;
};
