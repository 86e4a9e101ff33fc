#include "tagremoval/DlgSupprimer.h"

#include <QCheckBox>
#include <QFrame>
#include <QPushButton>
#include <QRadioButton>

TSupprimerForm::TSupprimerForm(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint)
{
    setWindowTitle(QStringLiteral("Supprimer les tags..."));
    setFixedSize(242, 171);

    auto *Panel1 = new QFrame(this);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setGeometry(8, 8, 225, 121);

    CbRestaurer = new QCheckBox(QStringLiteral("&Restaurer les caractères spéciaux"), Panel1);
    CbRestaurer->setChecked(true);
    RbRien = new QRadioButton(QStringLiteral("Supprimer les tags HTML"), Panel1);
    RbRien->setChecked(true);
    RbEspace = new QRadioButton(QStringLiteral("Remplacer les tags par des &espaces"), Panel1);
    RbTab = new QRadioButton(QStringLiteral("Remplacer les tags par des &tabulations"), Panel1);
    int y = 8;
    for (QWidget *controle : {static_cast<QWidget *>(CbRestaurer), static_cast<QWidget *>(RbRien),
                              static_cast<QWidget *>(RbEspace), static_cast<QWidget *>(RbTab)}) {
        controle->move(8, y);
        y += y == 8 ? 32 : 24;
    }

    auto *Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setGeometry(80, 136, 75, 25);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    auto *Button2 = new QPushButton(QStringLiteral("Annuler"), this);
    Button2->setGeometry(160, 136, 75, 25);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
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
