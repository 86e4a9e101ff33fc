// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/tagremoval/SuppressionTags.h"

#include <QDialog>

class QCheckBox;
class QRadioButton;

// The options of the tag removal: what replaces a tag, and whether entities become characters again.
class TSupprimerForm : public QDialog {
    Q_OBJECT

public:
    explicit TSupprimerForm(QWidget *parent);

    RemplacementTag Remplacement() const;
    bool Restaurer() const;

private:
    QCheckBox *restaurer;
    QRadioButton *espaces;
    QRadioButton *tabulations;
};
