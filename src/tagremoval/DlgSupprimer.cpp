#include "tagremoval/DlgSupprimer.h"

#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TSupprimerForm::TSupprimerForm(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint)
{
    setWindowTitle(QStringLiteral("Supprimer les tags..."));

    auto *Panel1 = new QFrame;
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    CbRestaurer = new QCheckBox(QStringLiteral("&Restaurer les caractères spéciaux"));
    CbRestaurer->setChecked(true);
    RbRien = new QRadioButton(QStringLiteral("Supprimer les tags HTML"));
    RbRien->setChecked(true);
    RbEspace = new QRadioButton(QStringLiteral("Remplacer les tags par des &espaces"));
    RbTab = new QRadioButton(QStringLiteral("Remplacer les tags par des &tabulations"));
    auto *options = new QVBoxLayout(Panel1);
    options->addWidget(CbRestaurer);
    options->addSpacing(8);
    options->addWidget(RbRien);
    options->addWidget(RbEspace);
    options->addWidget(RbTab);

    auto *Button1 = new QPushButton(QStringLiteral("OK"));
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    auto *Button2 = new QPushButton(QStringLiteral("Annuler"));
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
    auto *boutons = new QHBoxLayout;
    boutons->addStretch();
    boutons->addWidget(Button1);
    boutons->addWidget(Button2);

    auto *disposition = new QVBoxLayout(this);
    disposition->addWidget(Panel1);
    disposition->addLayout(boutons);
    // The size of its texts in the user's font, fixed.
    disposition->setSizeConstraint(QLayout::SetFixedSize);
}

RemplacementTag TSupprimerForm::Remplacement() const
{
    if (RbTab->isChecked())
        return RemplacementTag::Tabulation;
    return RbEspace->isChecked() ? RemplacementTag::Espace : RemplacementTag::Rien;
}

bool TSupprimerForm::Restaurer() const
{
    return CbRestaurer->isChecked();
}
