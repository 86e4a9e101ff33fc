// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLineEdit;

// Asks for the text of the page's title.
class TDlgInsertionTitre : public QDialog {
    Q_OBJECT

public:
    explicit TDlgInsertionTitre(QWidget *parent);

    // The title offered when the dialog shows, and the title typed.
    void DefinitTitre(const QString &titre);
    QString Titre() const;

protected:
    void showEvent(QShowEvent *evenement) override;

private:
    QLineEdit *titre;
};
