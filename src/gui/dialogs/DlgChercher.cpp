// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/dialogs/DlgChercher.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TDlgChercher::TDlgChercher(QWidget *parent)
    : QDialog(parent)
    , texte(new QLineEdit(this))
    , motEntier(new QCheckBox(QStringLiteral("Mot &entier seulement"), this))
    , casse(new QCheckBox(QStringLiteral("Respecter la &casse"), this))
    , suivant(new QPushButton(QStringLiteral("&Suivant"), this))
{
    setWindowTitle(QStringLiteral("Chercher"));
    setModal(false);
    texte->setObjectName("Texte");
    motEntier->setObjectName("MotEntier");
    casse->setObjectName("Casse");
    suivant->setObjectName("Suivant");

    auto *etiquette = new QLabel(QStringLiteral("&Rechercher :"), this);
    etiquette->setBuddy(texte);
    auto *annuler = new QPushButton(QStringLiteral("Annuler"), this);
    suivant->setDefault(true);
    suivant->setEnabled(false);

    auto *boutons = new QVBoxLayout;
    boutons->addWidget(suivant);
    boutons->addWidget(annuler);
    boutons->addStretch();

    auto *grille = new QGridLayout(this);
    grille->addWidget(etiquette, 0, 0);
    grille->addWidget(texte, 0, 1);
    grille->addWidget(motEntier, 1, 0, 1, 2);
    grille->addWidget(casse, 2, 0, 1, 2);
    grille->addLayout(boutons, 0, 2, 4, 1);
    grille->setColumnMinimumWidth(1, 200);
    grille->setRowStretch(3, 1);
    grille->setSizeConstraint(QLayout::SetFixedSize);

    // As in the system's find dialog, "Suivant" has nothing to do while the search text is empty.
    connect(texte, &QLineEdit::textChanged, this, [this](const QString &t) {
        suivant->setEnabled(!t.isEmpty());
        emit TexteModifie();
    });
    connect(suivant, &QPushButton::clicked, this, &TDlgChercher::Suivant);
    connect(annuler, &QPushButton::clicked, this, &QDialog::reject);
}

QString TDlgChercher::Texte() const
{
    return texte->text();
}

void TDlgChercher::ProposeTexte(const QString &propose)
{
    if (propose.isEmpty())
        return;
    texte->setText(propose);
    texte->setFocus();
    texte->selectAll();
}

bool TDlgChercher::RespecterCasse() const
{
    return casse->isChecked();
}

bool TDlgChercher::MotEntier() const
{
    return motEntier->isChecked();
}

void TDlgChercher::showEvent(QShowEvent *evenement)
{
    QDialog::showEvent(evenement);
    // Whatever was used last, typing goes into the search text and replaces it.
    texte->setFocus();
    texte->selectAll();
}
