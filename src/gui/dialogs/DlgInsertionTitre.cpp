#include "gui/dialogs/DlgInsertionTitre.h"

#include "gui/commun/BoutonsDialogue.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TDlgInsertionTitre::TDlgInsertionTitre(QWidget *parent)
    : QDialog(parent)
    , titre(new QLineEdit(this))
{
    setWindowTitle(QStringLiteral("Insertion d'un titre..."));
    titre->setObjectName("Titre");
    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName("OK");
    auto *annuler = new QPushButton(QStringLiteral("Annuler"), this);
    annuler->setObjectName("Annuler");

    auto *cadre = new QFrame(this);
    cadre->setFrameShape(QFrame::StyledPanel);
    auto *etiquette = new QLabel(QStringLiteral("Titre de la page HTML :"), cadre);
    etiquette->setBuddy(titre);
    auto *panneau = new QVBoxLayout(cadre);
    panneau->addWidget(etiquette);
    panneau->addWidget(titre);
    titre->setMinimumWidth(titre->fontMetrics().averageCharWidth() * 40);

    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto *disposition = new QVBoxLayout(this);
    disposition->addWidget(cadre);
    AjouteBoutons(*this, *disposition, ok, annuler);
}

void TDlgInsertionTitre::DefinitTitre(const QString &texte)
{
    titre->setText(texte);
}

QString TDlgInsertionTitre::Titre() const
{
    return titre->text();
}

void TDlgInsertionTitre::showEvent(QShowEvent *evenement)
{
    QDialog::showEvent(evenement);
    // The whole title selected, so that typing replaces it.
    titre->setFocus();
    titre->selectAll();
}
