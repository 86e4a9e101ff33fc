// SPDX-License-Identifier: GPL-3.0-or-later
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
    , ancre(new QLineEdit(QStringLiteral("Ancre"), this))
{
    setWindowTitle(QStringLiteral("Insertion d'une ancre locale..."));

    auto *cadre = new QFrame;
    cadre->setFrameStyle(QFrame::Panel | QFrame::Raised);
    auto *etiquette = new QLabel(QStringLiteral("&Nom de l'ancre :"));
    etiquette->setBuddy(ancre);
    ancre->setObjectName("Ancre");
    ancre->setMinimumWidth(ancre->fontMetrics().averageCharWidth() * 30);
    auto *champ = new QHBoxLayout(cadre);
    champ->addWidget(etiquette);
    champ->addWidget(ancre);

    auto *ok = new QPushButton(QStringLiteral("OK"));
    ok->setObjectName("OK");
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto *annuler = new QPushButton(QStringLiteral("Annuler"));
    annuler->setObjectName("Annuler");

    auto *disposition = new QVBoxLayout(this);
    disposition->addWidget(cadre);
    AjouteBoutons(*this, *disposition, ok, annuler);
}

std::string TDlgInsertionAncreLocale::Ouverture() const
{
    return ElementAncreLocale(ancre->text().toStdString());
}

void TDlgInsertionAncreLocale::showEvent(QShowEvent *evenement)
{
    QDialog::showEvent(evenement);
    // The whole name selected, so that typing replaces the last one.
    ancre->setFocus();
    ancre->selectAll();
}
