#pragma once

#include <QDialog>

#include <string>

class TMDIHtml;

// Builds an image element with its attributes and caption; the image file can be picked through the frame's image
// dialog, as a path relative to the page. Created once, so its fields and histories carry over for the whole run.
class TDlgInsertionImage : public QDialog {
    Q_OBJECT

public:
    explicit TDlgInsertionImage(TMDIHtml &frame);

    // Prepares the dialog for the document whose file name is given: picked images are made relative to it.
    void FormShow(const QString &fichierDocument);

    const std::string &Ouverture() const { return ouverture; }
    const std::string &Fermeture() const { return fermeture; }

private:
    TMDIHtml &frame;
    QString fichierDocument;
    std::string ouverture;
    std::string fermeture;
};
