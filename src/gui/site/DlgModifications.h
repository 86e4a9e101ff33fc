// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/site/Modifications.h"

#include <QDialog>

#include <cstddef>
#include <vector>

class QLabel;
class QPushButton;
class QTreeWidget;

// The list of the changes that a command across files is about to make, shown before anything is written: one
// checkable row a file, with its changes under it (where, what, what it becomes). "Remplacer" makes those of the
// files checked.
class TDlgModifications : public QDialog {
    Q_OBJECT

public:
    // The files are named from the folder when they are in it.
    TDlgModifications(QWidget *parent, const std::vector<ModificationFichier> &modifications, const QString &dossier);

    QTreeWidget *Liste;

    // The ranks of the files checked, in order.
    std::vector<std::size_t> Choisies() const;

    // The most changes shown under a file; the others are counted.
    static constexpr std::size_t MaximumParFichier = 200;

private:
    // The count of changes in the files checked, and "Remplacer" enabled when there is one.
    void Compte();

    const std::vector<ModificationFichier> &modifications;
    QLabel *total;
    QPushButton *remplacer;
};
