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
{
    setWindowTitle(QStringLiteral("Supprimer les tags..."));

    auto *Panel1 = new QFrame;
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    CbRestaurer = new QCheckBox(QStringLiteral("&Restaurer les caractères spéciaux"));
    CbRestaurer->setObjectName("CbRestaurer");
    CbRestaurer->setChecked(true);
    RbRien = new QRadioButton(QStringLiteral("Supprimer les tags HTML"));
    RbRien->setObjectName("RbRien");
    RbRien->setChecked(true);
    RbEspace = new QRadioButton(QStringLiteral("Remplacer les tags par des &espaces"));
    RbEspace->setObjectName("RbEspace");
    RbTab = new QRadioButton(QStringLiteral("Remplacer les tags par des &tabulations"));
    RbTab->setObjectName("RbTab");
    auto *options = new QVBoxLayout(Panel1);
    options->addWidget(CbRestaurer);
    options->addSpacing(8);
    options->addWidget(RbRien);
    options->addWidget(RbEspace);
    options->addWidget(RbTab);

    auto *Button1 = new QPushButton(QStringLiteral("OK"));
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);

    auto *disposition = new QVBoxLayout(this);
    disposition->addWidget(Panel1);
    AjouteBoutons(*this, *disposition, Button1, new QPushButton(QStringLiteral("Annuler")));
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
