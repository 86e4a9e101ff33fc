#include "gui/dialogs/DlgInsertionAncreLocale.h"

#include "gui/commun/BoutonsDialogue.h"

#include "core/insertion/Hyperlien.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TDlgInsertionAncreLocale::TDlgInsertionAncreLocale(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint)
    , Ancre(new QLineEdit(QStringLiteral("Ancre"), this))
{
    setWindowTitle(QStringLiteral("Insertion d'une ancre locale..."));

    auto *Panel1 = new QFrame;
    Panel1->setObjectName("Panel1");
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    auto *Label1 = new QLabel(QStringLiteral("&Nom de l'ancre :"));
    Label1->setObjectName("Label1");
    Label1->setBuddy(Ancre);
    Ancre->setObjectName("Ancre");
    Ancre->setMinimumWidth(Ancre->fontMetrics().averageCharWidth() * 30);
    auto *champ = new QHBoxLayout(Panel1);
    champ->addWidget(Label1);
    champ->addWidget(Ancre);

    OkButton = new QPushButton(QStringLiteral("OK"));
    OkButton->setObjectName("OkButton");
    connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);
    CancelBtn = new QPushButton(QStringLiteral("Annuler"));
    CancelBtn->setObjectName("CancelBtn");

    auto *disposition = new QVBoxLayout(this);
    disposition->addWidget(Panel1);
    AjouteBoutons(*this, *disposition, OkButton, CancelBtn);
}

std::string TDlgInsertionAncreLocale::Ouverture() const
{
    return ElementAncreLocale(Ancre->text().toStdString());
}

void TDlgInsertionAncreLocale::showEvent(QShowEvent *evenement)
{
    QDialog::showEvent(evenement);
    // The whole name selected, so that typing replaces the last one.
    Ancre->setFocus();
    Ancre->selectAll();
}
