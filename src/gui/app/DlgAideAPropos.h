// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

// The about box: the program's icon, name, version and licence, and an "OK" button.
class TDlgAideAPropos : public QDialog {
    Q_OBJECT

public:
    explicit TDlgAideAPropos(QWidget *parent);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};
