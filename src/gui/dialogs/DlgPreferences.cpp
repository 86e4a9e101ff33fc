// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/dialogs/DlgPreferences.h"

#include "gui/commun/BoutonsDialogue.h"

#include "gui/commun/Utilisateur.h"
#include "gui/verification/Dictionnaires.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QFontComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace {

// A labelled field of a group; the label's access letter reaches the field.
void Champ(QFormLayout &groupe, const QString &libelle, QWidget *champ)
{
    auto *etiquette = new QLabel(libelle);
    etiquette->setBuddy(champ);
    groupe.addRow(etiquette, champ);
}

} // namespace

TDlgPreferences::TDlgPreferences(QWidget *parent, Utilisateur &utilisateur, const Reglages &reglages,
                                 const QStringList &dictionnaires)
    : QDialog(parent)
    , utilisateur(utilisateur)
    , famille(new QFontComboBox)
    , taille(new QSpinBox)
    , schema(new QComboBox)
    , navigateur(new QLineEdit(reglages.navigateur))
    , orthographe(new QCheckBox(QStringLiteral("Vérifier l'&orthographe")))
    , dictionnaire(new QComboBox)
    , fermeBalises(new QCheckBox(QStringLiteral("Fermer les &balises automatiquement")))
    , onglets(new QCheckBox(QStringLiteral("Pages en on&glets")))
    , rouvrirSession(new QCheckBox(QStringLiteral("Rouvrir les pages de la dernière &session")))
    , fenetresMaximisees(new QCheckBox(QStringLiteral("Nouvelles fenêtres &maximisées")))
    , dictionnaireInitial(reglages.dictionnaire)
    , fonteInitiale(reglages.fonte)
{
    setWindowTitle(QStringLiteral("Préférences"));
    auto *parcourir = new QPushButton(QStringLiteral("Pa&rcourir..."));
    auto *ok = new QPushButton(QStringLiteral("OK"));
    auto *annuler = new QPushButton(QStringLiteral("Annuler"));
    const std::pair<QWidget *, const char *> noms[] = {
        {famille, "Famille"},         {taille, "Taille"},         {schema, "Schema"},
        {navigateur, "Navigateur"},   {parcourir, "Parcourir"},   {orthographe, "Orthographe"},
        {dictionnaire, "Dictionnaire"}, {fermeBalises, "FermerBalises"}, {onglets, "Onglets"},
        {rouvrirSession, "RouvrirSession"}, {fenetresMaximisees, "FenetresMaximisees"}, {ok, "OK"},
        {annuler, "Annuler"},
    };
    for (const auto &[composant, nom] : noms)
        composant->setObjectName(QLatin1String(nom));

    famille->setCurrentFont(reglages.fonte);
    familleMontree = famille->currentFont().family();
    taille->setRange(4, 96);
    taille->setValue(reglages.fonte.pointSize());
    schema->addItems({QStringLiteral("Clair"), QStringLiteral("Sombre"), QStringLiteral("Comme le bureau")});
    schema->setCurrentIndex(static_cast<int>(reglages.schema));
    navigateur->setMinimumWidth(navigateur->fontMetrics().averageCharWidth() * 40);
    orthographe->setChecked(reglages.orthographe);
    for (const QString &nom : dictionnaires)
        dictionnaire->addItem(NomDeDictionnaire(nom), nom);
    dictionnaire->setCurrentIndex(static_cast<int>(dictionnaires.indexOf(reglages.dictionnaire)));
    // Without a dictionary there is nothing to choose.
    dictionnaire->setEnabled(!dictionnaires.isEmpty());
    fermeBalises->setChecked(reglages.fermeBalises);
    onglets->setChecked(reglages.onglets);
    rouvrirSession->setChecked(reglages.rouvrirSession);
    fenetresMaximisees->setChecked(reglages.fenetresMaximisees);

    auto *texte = new QGroupBox(QStringLiteral("Texte des pages"));
    auto *lignesTexte = new QFormLayout(texte);
    Champ(*lignesTexte, QStringLiteral("&Fonte :"), famille);
    Champ(*lignesTexte, QStringLiteral("&Taille :"), taille);
    Champ(*lignesTexte, QStringLiteral("&Couleurs :"), schema);
    lignesTexte->addRow(fermeBalises);

    auto *verification = new QGroupBox(QStringLiteral("Vérification"));
    auto *lignesVerification = new QFormLayout(verification);
    lignesVerification->addRow(orthographe);
    Champ(*lignesVerification, QStringLiteral("&Dictionnaire :"), dictionnaire);

    auto *fenetres = new QGroupBox(QStringLiteral("Fenêtres"));
    auto *lignesFenetres = new QFormLayout(fenetres);
    auto *choixNavigateur = new QHBoxLayout;
    choixNavigateur->addWidget(navigateur);
    choixNavigateur->addWidget(parcourir);
    auto *etiquette = new QLabel(QStringLiteral("&Navigateur :"));
    etiquette->setBuddy(navigateur);
    lignesFenetres->addRow(etiquette, choixNavigateur);
    lignesFenetres->addRow(onglets);
    lignesFenetres->addRow(fenetresMaximisees);
    lignesFenetres->addRow(rouvrirSession);

    connect(parcourir, &QPushButton::clicked, this, &TDlgPreferences::ChoisitNavigateur);
    connect(ok, &QPushButton::clicked, this, &TDlgPreferences::Ok);

    auto *disposition = new QVBoxLayout(this);
    disposition->addWidget(texte);
    disposition->addWidget(verification);
    disposition->addWidget(fenetres);
    AjouteBoutons(*this, *disposition, ok, annuler);
}

Reglages TDlgPreferences::Choisis() const
{
    // The font keeps what the dialog does not show (its style, its weight), and its family as long as the user
    // chooses none: the list shows the font that the desktop gives for a family it does not have ("Monospace").
    QFont fonte = fonteInitiale;
    if (famille->currentFont().family() != familleMontree)
        fonte.setFamily(famille->currentFont().family());
    fonte.setPointSize(taille->value());
    const QVariant choisi = dictionnaire->currentData();
    return {fonte,
            navigateur->text().trimmed(),
            orthographe->isChecked(),
            choisi.isValid() ? choisi.toString() : dictionnaireInitial,
            fermeBalises->isChecked(),
            onglets->isChecked(),
            rouvrirSession->isChecked(),
            fenetresMaximisees->isChecked(),
            static_cast<Schema>(schema->currentIndex())};
}

void TDlgPreferences::ChoisitNavigateur()
{
    // Until a browser is named, the desktop's own launcher is proposed: it opens the user's default browser.
    QString propose = navigateur->text().trimmed();
    if (propose.isEmpty())
        propose = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    const QString nom = utilisateur.FichierAOuvrir(
        this, {QStringLiteral("Choix du navigateur..."), QStringLiteral("Fichiers éxécutables|*"), {}, true, propose});
    if (!nom.isEmpty())
        navigateur->setText(nom);
}

void TDlgPreferences::Ok()
{
    const QString nom = navigateur->text().trimmed();
    const QFileInfo programme(nom);
    if (!nom.isEmpty() && (!programme.isFile() || !programme.isExecutable())) {
        utilisateur.Erreur(this, QStringLiteral("%1 n'est pas un programme exécutable.").arg(nom));
        navigateur->setFocus();
        return;
    }
    navigateur->setText(nom.isEmpty() ? nom : programme.absoluteFilePath());
    accept();
}
