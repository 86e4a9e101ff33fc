// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/dialogs/DlgInsertionTitre.h"

#include "gui/commun/BoutonsDialogue.h"

#include <QLineEdit>
#include <QPushButton>

TDlgInsertionTitre::TDlgInsertionTitre(QWidget *parent)
    : QDialog(parent)
    , titre(new QLineEdit(this))
{
    setWindowTitle(QStringLiteral("Insertion d'un titre..."));
    titre->setObjectName("Titre");
    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName("OK");
    auto *annuler = new QPushButton(QStringLiteral("Annuler"), this);
    annuler->setObjectName("Annuler");

    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    DisposeUnChamp(*this, QStringLiteral("Titre de la page HTML :"), titre, ok, annuler);
}

void TDlgInsertionTitre::DefinitTitre(const QString &texte)
{
    titre->setText(texte);
}

QString TDlgInsertionTitre::Titre() const
{
    return titre->text();
}

void TDlgInsertionTitre::showEvent(QShowEvent *evenement)
{
    QDialog::showEvent(evenement);
    // The whole title selected, so that typing replaces it.
    titre->setFocus();
    titre->selectAll();
}
