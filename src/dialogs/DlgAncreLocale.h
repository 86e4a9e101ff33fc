#pragma once

#include <QDialog>

class QLineEdit;

// Asks for the name of an anchor. Created once, so the field shows the last name typed.
class TDlgInsertionAncreLocale : public QDialog {
    Q_OBJECT

public:
    explicit TDlgInsertionAncreLocale(QWidget *parent);

    QLineEdit *Ancre;
};
