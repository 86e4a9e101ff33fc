// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/tagremoval/SupprimerForm.h"

#include "gui/commun/BoutonsDialogue.h"

#include <QCheckBox>
#include <QFrame>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TSupprimerForm::TSupprimerForm(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint)
    , restaurer(new QCheckBox(QStringLiteral("&Restaurer les caractères spéciaux")))
    , espaces(new QRadioButton(QStringLiteral("Remplacer les tags par des &espaces")))
    , tabulations(new QRadioButton(QStringLiteral("Remplacer les tags par des &tabulations")))
{
    setWindowTitle(QStringLiteral("Supprimer les tags..."));

    auto *rien = new QRadioButton(QStringLiteral("Supprimer les tags HTML"));
    restaurer->setObjectName("Restaurer");
    rien->setObjectName("Rien");
    espaces->setObjectName("Espaces");
    tabulations->setObjectName("Tabulations");
    restaurer->setChecked(true);
    rien->setChecked(true);

    auto *cadre = new QFrame;
    cadre->setFrameStyle(QFrame::Panel | QFrame::Raised);
    auto *options = new QVBoxLayout(cadre);
    options->addWidget(restaurer);
    options->addSpacing(8);
    options->addWidget(rien);
    options->addWidget(espaces);
    options->addWidget(tabulations);

    auto *ok = new QPushButton(QStringLiteral("OK"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto *disposition = new QVBoxLayout(this);
    disposition->addWidget(cadre);
    AjouteBoutons(*this, *disposition, ok, new QPushButton(QStringLiteral("Annuler")));
}

RemplacementTag TSupprimerForm::Remplacement() const
{
    if (tabulations->isChecked())
        return RemplacementTag::Tabulation;
    return espaces->isChecked() ? RemplacementTag::Espace : RemplacementTag::Rien;
}

bool TSupprimerForm::Restaurer() const
{
    return restaurer->isChecked();
}
