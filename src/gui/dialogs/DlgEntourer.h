// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <string>

class QPushButton;
class TComboHistorique;

// Asks for the start tag that the selection goes into ("<div class="note">"), with a history of those already
// used. Created once, so that the history lasts the whole run; "OK" stays disabled while the text is not a start
// tag that has an end tag.
class TDlgEntourer : public QDialog {
    Q_OBJECT

public:
    explicit TDlgEntourer(QWidget *parent);

    // The start tag typed, and its end tag.
    std::string Ouverture() const;
    std::string Fermeture() const;

protected:
    void showEvent(QShowEvent *evenement) override;

private:
    TComboHistorique *balise;
    QPushButton *ok;
};
