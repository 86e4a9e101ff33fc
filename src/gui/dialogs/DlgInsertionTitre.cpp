#include "gui/dialogs/DlgInsertionTitre.h"

#include "gui/commun/BoutonsDialogue.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
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

    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);

    auto *disposition = new QVBoxLayout(this);
    disposition->addWidget(Panel1);
    AjouteBoutons(*this, *disposition, OKBtn, CancelBtn);
}

void TDlgInsertionTitre::showEvent(QShowEvent *evenement)
{
    QDialog::showEvent(evenement);
    // The whole title selected, so that typing replaces it.
    Titre->setFocus();
    Titre->selectAll();
}
