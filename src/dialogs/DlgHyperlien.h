#pragma once

#include <QDialog>

#include <string>
#include <string_view>
#include <vector>

// An open document as the hyperlink dialog sees it: its file name and its text.
struct DocumentOuvert {
    QString FileName;
    std::string_view texte;
};

// Builds an anchor element that points to a web address, to an anchor of the page or to another file given by a
// path relative to the page. Created once, so its fields and histories carry over for the whole run.
class TDlgInsertionHyperlien : public QDialog {
    Q_OBJECT

public:
    explicit TDlgInsertionHyperlien(QWidget *parent);

    // Prepares the dialog for the active document, the other open documents given in the frame's order.
    void FormShow(const DocumentOuvert &actif, const std::vector<DocumentOuvert> &autres);

    const std::string &Ouverture() const { return ouverture; }
    const std::string &Fermeture() const { return fermeture; }

private:
    std::string ouverture;
    std::string fermeture;
};
