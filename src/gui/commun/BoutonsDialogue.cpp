#include "gui/commun/BoutonsDialogue.h"

#include <QBoxLayout>
#include <QDialog>
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
