// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/dialogs/DlgRechercheFichiers.h"

#include "gui/commun/Utilisateur.h"
#include "gui/dialogs/ComboHistorique.h"

#include <QCheckBox>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TDlgRechercheFichiers::TDlgRechercheFichiers(QWidget *parent, Utilisateur &utilisateur)
    : QDialog(parent)
    , texte(new TComboHistorique(TComboHistorique::Ordre::Ajout, this))
    , remplacement(new TComboHistorique(TComboHistorique::Ordre::Ajout, this))
    , filtre(new TComboHistorique(TComboHistorique::Ordre::Ajout, this))
    , dansSite(new QRadioButton(QStringLiteral("Dans le s&ite :"), this))
    , dansDossier(new QRadioButton(QStringLiteral("Dans le &dossier :"), this))
    , site(new QLabel(this))
    , dossier(new TComboHistorique(TComboHistorique::Ordre::Ajout, this))
    , motEntier(new QCheckBox(QStringLiteral("Mot &entier seulement"), this))
    , casse(new QCheckBox(QStringLiteral("Respecter la &casse"), this))
    , expression(new QCheckBox(QStringLiteral("E&xpression régulière"), this))
{
    setWindowTitle(QStringLiteral("Rechercher dans les fichiers"));
    setModal(false);
    texte->setObjectName("Texte");
    remplacement->setObjectName("Remplacement");
    filtre->setObjectName("Filtre");
    dansSite->setObjectName("DansSite");
    dansDossier->setObjectName("DansDossier");
    dossier->setObjectName("Dossier");
    motEntier->setObjectName("MotEntier");
    casse->setObjectName("Casse");
    expression->setObjectName("Expression");
    filtre->AjouteHistorique(QStringLiteral("*.htm;*.html"));
    filtre->setEditText(QStringLiteral("*.htm;*.html"));
    dossier->setEditText(QDir::homePath());
    site->setTextInteractionFlags(Qt::TextSelectableByMouse);

    const auto etiquette = [this](const QString &libelle, QWidget *champ) {
        auto *e = new QLabel(libelle, this);
        e->setBuddy(champ);
        return e;
    };
    auto *parcourir = new QPushButton(QStringLiteral("Parc&ourir..."), this);
    parcourir->setObjectName("Parcourir");
    auto *ligneDossier = new QHBoxLayout;
    ligneDossier->addWidget(dossier, 1);
    ligneDossier->addWidget(parcourir);

    auto *boutons = new QVBoxLayout;
    const auto bouton = [&](const QString &libelle, const char *nom) {
        auto *b = new QPushButton(libelle, this);
        b->setObjectName(QLatin1String(nom));
        boutons->addWidget(b);
        return b;
    };
    // "Rec&hercher :" has H, "Remplacer &par :" P: the buttons take R and M.
    QPushButton *rechercher = bouton(QStringLiteral("&Rechercher"), "Rechercher");
    QPushButton *remplacer = bouton(QStringLiteral("Re&mplacer..."), "Remplacer");
    QPushButton *fermer = bouton(QStringLiteral("Fermer"), "Fermer");
    boutons->addStretch();
    rechercher->setDefault(true);

    auto *grille = new QGridLayout(this);
    grille->addWidget(etiquette(QStringLiteral("Rec&hercher :"), texte), 0, 0);
    grille->addWidget(texte, 0, 1);
    grille->addWidget(etiquette(QStringLiteral("Remplacer &par :"), remplacement), 1, 0);
    grille->addWidget(remplacement, 1, 1);
    grille->addWidget(etiquette(QStringLiteral("&Fichiers :"), filtre), 2, 0);
    grille->addWidget(filtre, 2, 1);
    grille->addWidget(dansSite, 3, 0);
    grille->addWidget(site, 3, 1);
    grille->addWidget(dansDossier, 4, 0);
    grille->addLayout(ligneDossier, 4, 1);
    grille->addWidget(motEntier, 5, 0, 1, 2);
    grille->addWidget(casse, 6, 0, 1, 2);
    grille->addWidget(expression, 7, 0, 1, 2);
    grille->addLayout(boutons, 0, 2, 9, 1);
    grille->setColumnMinimumWidth(1, 350);
    grille->setRowStretch(8, 1);
    grille->setSizeConstraint(QLayout::SetFixedSize);
    ProposeSite(QString());

    // Nothing to find, nothing to do.
    const auto actives = [=](const QString &t) {
        for (QPushButton *b : {rechercher, remplacer})
            b->setEnabled(!t.isEmpty());
    };
    actives(QString());
    connect(texte, &QComboBox::editTextChanged, this, actives);
    connect(dansDossier, &QRadioButton::toggled, this, [=, this](bool oui) {
        dossier->setEnabled(oui);
        parcourir->setEnabled(oui);
    });
    connect(parcourir, &QPushButton::clicked, this, [this, &utilisateur] {
        const QString choisi = utilisateur.DossierAOuvrir(
            this, {QStringLiteral("Dossier où rechercher"), {}, {}, true, dossier->currentText()});
        if (!choisi.isEmpty())
            dossier->setEditText(QDir::cleanPath(choisi));
    });
    connect(rechercher, &QPushButton::clicked, this, &TDlgRechercheFichiers::Rechercher);
    connect(remplacer, &QPushButton::clicked, this, &TDlgRechercheFichiers::Remplacer);
    connect(fermer, &QPushButton::clicked, this, &QDialog::reject);
}

void TDlgRechercheFichiers::ProposeSite(const QString &dossierSite)
{
    const bool avait = !siteCourant.isEmpty();
    siteCourant = dossierSite;
    site->setText(dossierSite.isEmpty() ? QStringLiteral("(aucun site ni page ouverte)") : dossierSite);
    dansSite->setEnabled(!dossierSite.isEmpty());
    // Without a site, the chosen folder; once there is one, the site, until the user chooses a folder again.
    if (dossierSite.isEmpty())
        dansDossier->setChecked(true);
    else if (!avait)
        dansSite->setChecked(true);
    dossier->setEnabled(dansDossier->isChecked());
}

void TDlgRechercheFichiers::ProposeTexte(const QString &propose)
{
    if (!propose.isEmpty())
        texte->setEditText(propose);
}

void TDlgRechercheFichiers::VersRemplacement()
{
    versRemplacement = true;
}

RechercheDemandee TDlgRechercheFichiers::Demande() const
{
    // A folder typed as a relative path is taken from the working folder.
    const QString choisi = dossier->currentText().trimmed();
    QString ou = siteCourant;
    if (!dansSite->isChecked())
        ou = choisi.isEmpty() ? QString() : QDir(choisi).absolutePath();
    return {texte->currentText(),
            remplacement->currentText(),
            {casse->isChecked(), motEntier->isChecked(), expression->isChecked()},
            filtre->currentText().trimmed(),
            ou};
}

void TDlgRechercheFichiers::NoteHistoriques()
{
    texte->AjouteHistorique(texte->currentText());
    remplacement->AjouteHistorique(remplacement->currentText());
    filtre->AjouteHistorique(filtre->currentText().trimmed());
    if (dansDossier->isChecked())
        dossier->AjouteHistorique(dossier->currentText());
}

void TDlgRechercheFichiers::showEvent(QShowEvent *evenement)
{
    QDialog::showEvent(evenement);
    // Whatever was used last, typing goes into the search text, or the replacement, and replaces it.
    TComboHistorique *champ = versRemplacement ? remplacement : texte;
    versRemplacement = false;
    champ->setFocus();
    champ->lineEdit()->selectAll();
}
