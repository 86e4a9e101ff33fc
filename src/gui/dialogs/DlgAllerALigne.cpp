// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/dialogs/DlgAllerALigne.h"

#include "gui/commun/BoutonsDialogue.h"

#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

TDlgAllerALigne::TDlgAllerALigne(QWidget *parent, int ligne, int nombreDeLignes)
    : QDialog(parent)
    , numero(new QSpinBox(this))
{
    setWindowTitle(QStringLiteral("Aller à la ligne"));
    // The box takes no number outside the page.
    numero->setRange(1, nombreDeLignes);
    numero->setValue(ligne);
    numero->selectAll();
    auto *etiquette = new QLabel(QStringLiteral("&Numéro de ligne (1 à %1) :").arg(nombreDeLignes), this);
    etiquette->setBuddy(numero);

    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto *disposition = new QVBoxLayout(this);
    disposition->addWidget(etiquette);
    disposition->addWidget(numero);
    AjouteBoutons(*this, *disposition, ok, new QPushButton(QStringLiteral("Annuler"), this));
}

int TDlgAllerALigne::Ligne() const
{
    return numero->value();
}
