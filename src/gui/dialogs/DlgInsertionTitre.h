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

protected:
    void showEvent(QShowEvent *evenement) override;
};
