// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/dialogs/DlgRemplacer.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TDlgRemplacer::TDlgRemplacer(QWidget *parent)
    : QDialog(parent)
    , texte(new QLineEdit(this))
    , remplacement(new QLineEdit(this))
    , motEntier(new QCheckBox(QStringLiteral("Mot &entier seulement"), this))
    , casse(new QCheckBox(QStringLiteral("Respecter la &casse"), this))
    , expression(new QCheckBox(QStringLiteral("E&xpression régulière"), this))
{
    setWindowTitle(QStringLiteral("Remplacer"));
    setModal(false);
    texte->setObjectName("Texte");
    remplacement->setObjectName("Remplacement");
    motEntier->setObjectName("MotEntier");
    casse->setObjectName("Casse");
    expression->setObjectName("Expression");

    auto *etiquetteTexte = new QLabel(QStringLiteral("&Rechercher :"), this);
    etiquetteTexte->setBuddy(texte);
    auto *etiquetteRemplacement = new QLabel(QStringLiteral("Remplacer &par :"), this);
    etiquetteRemplacement->setBuddy(remplacement);

    auto *boutons = new QVBoxLayout;
    const auto bouton = [&](const QString &libelle, const char *nom) {
        auto *b = new QPushButton(libelle, this);
        b->setObjectName(QLatin1String(nom));
        boutons->addWidget(b);
        return b;
    };
    // "&Rechercher :" has R: the replace button takes M.
    QPushButton *suivant = bouton(QStringLiteral("&Suivant"), "Suivant");
    QPushButton *remplacer = bouton(QStringLiteral("Re&mplacer"), "Remplacer");
    QPushButton *tout = bouton(QStringLiteral("Remplacer &tout"), "RemplacerTout");
    QPushButton *fermer = bouton(QStringLiteral("Fermer"), "Fermer");
    boutons->addStretch();
    suivant->setDefault(true);

    auto *grille = new QGridLayout(this);
    grille->addWidget(etiquetteTexte, 0, 0);
    grille->addWidget(texte, 0, 1);
    grille->addWidget(etiquetteRemplacement, 1, 0);
    grille->addWidget(remplacement, 1, 1);
    grille->addWidget(motEntier, 2, 0, 1, 2);
    grille->addWidget(casse, 3, 0, 1, 2);
    grille->addWidget(expression, 4, 0, 1, 2);
    grille->addLayout(boutons, 0, 2, 6, 1);
    grille->setColumnMinimumWidth(1, 250);
    grille->setRowStretch(5, 1);
    grille->setSizeConstraint(QLayout::SetFixedSize);

    // Nothing to find, nothing to do.
    const auto actives = [=](const QString &t) {
        for (QPushButton *b : {suivant, remplacer, tout})
            b->setEnabled(!t.isEmpty());
    };
    actives(QString());
    connect(texte, &QLineEdit::textChanged, this, actives);
    connect(suivant, &QPushButton::clicked, this, &TDlgRemplacer::Suivant);
    connect(remplacer, &QPushButton::clicked, this, &TDlgRemplacer::Remplacer);
    connect(tout, &QPushButton::clicked, this, &TDlgRemplacer::RemplacerTout);
    connect(fermer, &QPushButton::clicked, this, &QDialog::reject);
}

QString TDlgRemplacer::Texte() const
{
    return texte->text();
}

void TDlgRemplacer::ProposeTexte(const QString &propose)
{
    if (propose.isEmpty())
        return;
    texte->setText(propose);
    texte->setFocus();
    texte->selectAll();
}

QString TDlgRemplacer::Remplacement() const
{
    return remplacement->text();
}

OptionsMotif TDlgRemplacer::Options() const
{
    return {casse->isChecked(), motEntier->isChecked(), expression->isChecked()};
}

void TDlgRemplacer::showEvent(QShowEvent *evenement)
{
    QDialog::showEvent(evenement);
    // Whatever was used last, typing goes into the search text and replaces it.
    texte->setFocus();
    texte->selectAll();
}
