#include "dialogs/WndTitre.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

TDlgInsertionTitre::TDlgInsertionTitre(QWidget *parent)
    : QDialog(parent)
    , Titre(new QLineEdit(this))
    , OKBtn(new QPushButton(QStringLiteral("OK"), this))
    , CancelBtn(new QPushButton(QStringLiteral("Annuler"), this))
{
    setWindowTitle(QStringLiteral("Insertion d'un titre..."));
    Titre->setObjectName("Titre");
    OKBtn->setObjectName("OKBtn");
    CancelBtn->setObjectName("CancelBtn");

    auto *Panel1 = new QFrame(this);
    Panel1->setObjectName("Panel1");
    Panel1->setFrameShape(QFrame::StyledPanel);
    auto *Label1 = new QLabel(QStringLiteral("Titre de la page HTML :"), Panel1);
    Label1->setBuddy(Titre);
    auto *panneau = new QVBoxLayout(Panel1);
    panneau->addWidget(Label1);
    panneau->addWidget(Titre);
    Titre->setMinimumWidth(Titre->fontMetrics().averageCharWidth() * 40);

    OKBtn->setDefault(true);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    auto *boutons = new QHBoxLayout;
    boutons->addStretch();
    boutons->addWidget(OKBtn);
    boutons->addWidget(CancelBtn);

    auto *disposition = new QVBoxLayout(this);
    disposition->addWidget(Panel1);
    disposition->addLayout(boutons);
    disposition->setSizeConstraint(QLayout::SetFixedSize);
}

void TDlgInsertionTitre::setVisible(bool visible)
{
    if (visible && !isVisible()) {
        adjustSize();
        if (const QScreen *ecran = screen())
            move(ecran->availableGeometry().center() - rect().center());
        Titre->setFocus();
        Titre->selectAll();
    }
    QDialog::setVisible(visible);
}
