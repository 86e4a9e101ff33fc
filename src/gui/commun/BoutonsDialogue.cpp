// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/commun/BoutonsDialogue.h"

#include <QBoxLayout>
#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

void AjouteBoutons(QDialog &dialogue, QBoxLayout &disposition, QPushButton *ok, QPushButton *annuler)
{
    ok->setDefault(true);
    QObject::connect(annuler, &QPushButton::clicked, &dialogue, &QDialog::reject);
    auto *boutons = new QHBoxLayout;
    boutons->addStretch();
    boutons->addWidget(ok);
    boutons->addWidget(annuler);
    disposition.addLayout(boutons);
    disposition.setSizeConstraint(QLayout::SetFixedSize);
}

void DisposeUnChamp(QDialog &dialogue, const QString &libelle, QWidget *champ, QPushButton *ok, QPushButton *annuler)
{
    auto *cadre = new QFrame(&dialogue);
    cadre->setFrameShape(QFrame::StyledPanel);
    auto *etiquette = new QLabel(libelle, cadre);
    etiquette->setBuddy(champ);
    champ->setMinimumWidth(champ->fontMetrics().averageCharWidth() * 40);
    auto *panneau = new QVBoxLayout(cadre);
    panneau->addWidget(etiquette);
    panneau->addWidget(champ);
    auto *disposition = new QVBoxLayout(&dialogue);
    disposition->addWidget(cadre);
    AjouteBoutons(dialogue, *disposition, ok, annuler);
}
