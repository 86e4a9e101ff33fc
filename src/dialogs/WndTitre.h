#pragma once

#include <QDialog>
#include <QLineEdit>

class QPushButton;

// Asks for the text of the page's title.
class TDlgInsertionTitre : public QDialog {
    Q_OBJECT

public:
    explicit TDlgInsertionTitre(QWidget *parent);

    QLineEdit *Titre;
    QPushButton *OKBtn;
    QPushButton *CancelBtn;

    // Centred on the screen, with the whole title selected in `Titre`, so that typing replaces it.
    void setVisible(bool visible) override;
};
