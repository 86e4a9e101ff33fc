// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <string>

class QLineEdit;

// Asks for the name of an anchor. Created once, so the field shows the last name typed.
class TDlgInsertionAncreLocale : public QDialog {
    Q_OBJECT

public:
    explicit TDlgInsertionAncreLocale(QWidget *parent);

    // The empty named anchor element for the name typed.
    std::string Ouverture() const;

protected:
    void showEvent(QShowEvent *evenement) override;

private:
    QLineEdit *ancre;
};
