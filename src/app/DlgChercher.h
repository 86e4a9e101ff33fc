#pragma once

#include <QDialog>

// The find dialog, modeless and shared by every document: the search text and its two options.
class TDlgChercher : public QDialog {
    Q_OBJECT

public:
    explicit TDlgChercher(QWidget *parent);

signals:
    // The user asked for the next occurrence.
    void Suivant();
};
