// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/dialogs/DlgEntourer.h"

#include "gui/commun/BoutonsDialogue.h"

#include "core/document/Ecriture.h"
#include "gui/dialogs/ComboHistorique.h"

#include <QLineEdit>
#include <QPushButton>

TDlgEntourer::TDlgEntourer(QWidget *parent)
    : QDialog(parent)
    , balise(new TComboHistorique(TComboHistorique::Ordre::Ajout, this))
    , ok(new QPushButton(QStringLiteral("OK"), this))
{
    setWindowTitle(QStringLiteral("Entourer d'une balise..."));
    balise->setObjectName("Balise");
    ok->setObjectName("OK");
    ok->setEnabled(false);
    auto *annuler = new QPushButton(QStringLiteral("Annuler"), this);
    annuler->setObjectName("Annuler");

    connect(balise, &QComboBox::editTextChanged, this, [this] { ok->setEnabled(!Fermeture().empty()); });
    connect(ok, &QPushButton::clicked, this, [this] {
        balise->AjouteHistorique(balise->currentText());
        accept();
    });
    DisposeUnChamp(*this, QStringLiteral("&Balise ouvrante :"), balise, ok, annuler);
}

std::string TDlgEntourer::Ouverture() const
{
    return balise->currentText().trimmed().toStdString();
}

std::string TDlgEntourer::Fermeture() const
{
    return FermetureDe(Ouverture());
}

void TDlgEntourer::showEvent(QShowEvent *evenement)
{
    QDialog::showEvent(evenement);
    // The last tag, whole selected, so that typing replaces it and Return uses it again.
    balise->setFocus();
    balise->lineEdit()->selectAll();
}
