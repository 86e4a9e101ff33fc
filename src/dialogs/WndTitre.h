#pragma once

#include <QDialog>

class QLineEdit;

// Asks for the text of the page's title.
class TDlgInsertionTitre : public QDialog {
    Q_OBJECT

public:
    explicit TDlgInsertionTitre(QWidget *parent);

    QLineEdit *Titre;
};
