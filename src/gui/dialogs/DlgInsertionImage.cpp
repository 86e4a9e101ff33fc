// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/dialogs/DlgInsertionImage.h"

#include "gui/commun/BoutonsDialogue.h"

#include "core/insertion/ElementImage.h"
#include "gui/commun/Utilisateur.h"
#include "gui/dialogs/ComboHistorique.h"
#include "gui/settings/Fichiers.h"

#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

// A field of a page, under its label.
void Champ(QVBoxLayout *page, const QString &libelle, QWidget *champ)
{
    auto *etiquette = new QLabel(libelle);
    etiquette->setBuddy(champ);
    page->addWidget(etiquette);
    page->addWidget(champ);
}

// The picture's size as its file tells it, without decoding the picture; an invalid size when the file cannot be
// read or its format does not tell its size.
QSize TailleImage(const QString &nom)
{
    QFile fichier;
    if (!OuvreEnLecture(nom, fichier))
        return {};
    return QImageReader(&fichier).size();
}

} // namespace

TDlgInsertionImage::TDlgInsertionImage(QWidget *parent, Utilisateur &utilisateur)
    : QDialog(parent)
    , fichierImage(new TComboHistorique(TComboHistorique::Ordre::Ajout))
    , alternatif(new TComboHistorique(TComboHistorique::Ordre::Ajout))
    , legende(new QLineEdit)
    , alignement(new TComboHistorique(TComboHistorique::Ordre::Ajout))
    , bordure(new QLineEdit)
    , largeur(new QLineEdit)
    , hauteur(new QLineEdit)
    , ecartHorizontal(new QLineEdit)
    , ecartVertical(new QLineEdit)
    , utilisateur(utilisateur)
{
    setWindowTitle(QStringLiteral("Insertion d'une image..."));
    auto *ouvrir = new QPushButton(QStringLiteral("Ouvrir image..."));
    auto *ok = new QPushButton(QStringLiteral("OK"));
    auto *annuler = new QPushButton(QStringLiteral("Annuler"));
    const std::pair<QWidget *, const char *> noms[] = {
        {fichierImage, "FichierImage"},       {alternatif, "Alternatif"},       {legende, "Legende"},
        {alignement, "Alignement"},           {bordure, "Bordure"},             {largeur, "Largeur"},
        {hauteur, "Hauteur"},                 {ecartHorizontal, "EcartHorizontal"}, {ecartVertical, "EcartVertical"},
        {ouvrir, "Ouvrir"},                   {ok, "OK"},                       {annuler, "Annuler"},
    };
    for (const auto &[composant, nom] : noms)
        composant->setObjectName(QLatin1String(nom));

    for (const char *position : {"bottom", "left", "middle", "right", "top"})
        alignement->AjouteHistorique(QLatin1String(position));

    auto *image = new QWidget;
    auto *pageImage = new QVBoxLayout(image);
    Champ(pageImage, QStringLiteral("Fichier image :"), fichierImage);
    Champ(pageImage, QStringLiteral("Texte &alternatif :"), alternatif);
    Champ(pageImage, QStringLiteral("Légende :"), legende);
    Champ(pageImage, QStringLiteral("Alignement :"), alignement);
    Champ(pageImage, QStringLiteral("Epaisseur de la bordure : (en pixels)"), bordure);
    pageImage->addWidget(new QCheckBox(QStringLiteral("Cette image comporte des Hot Zones")));
    auto *ligneOuvrir = new QHBoxLayout;
    ligneOuvrir->addStretch();
    ligneOuvrir->addWidget(ouvrir);
    pageImage->addLayout(ligneOuvrir);
    pageImage->addStretch();

    auto *taille = new QWidget;
    auto *pageTaille = new QVBoxLayout(taille);
    Champ(pageTaille, QStringLiteral("Largeur : (en pixels ou en pourcentage de la largeur de page)"), largeur);
    Champ(pageTaille, QStringLiteral("Hauteur : (en pixels ou en pourcentage de la hauteur de page)"), hauteur);
    pageTaille->addStretch();

    auto *distance = new QWidget;
    auto *pageDistance = new QVBoxLayout(distance);
    Champ(pageDistance, QStringLiteral("Distance horizontale :"), ecartHorizontal);
    Champ(pageDistance, QStringLiteral("Distance verticale :"), ecartVertical);
    pageDistance->addStretch();

    auto *onglets = new QTabWidget;
    onglets->addTab(image, QStringLiteral("Image"));
    onglets->addTab(taille, QStringLiteral("Taille"));
    onglets->addTab(distance, QStringLiteral("Ecart avec le texte"));
    onglets->setCurrentWidget(image);

    connect(ok, &QPushButton::clicked, this, [this] {
        Ok();
        accept();
    });
    connect(ouvrir, &QPushButton::clicked, this, &TDlgInsertionImage::OuvrirImage);

    auto *disposition = new QVBoxLayout(this);
    disposition->addWidget(onglets);
    AjouteBoutons(*this, *disposition, ok, annuler);
}

void TDlgInsertionImage::Prepare(const QString &fichier)
{
    fichierDocument = fichier;
}

void TDlgInsertionImage::OuvrirImage()
{
    // The first time in the page's folder, then where the last image was picked.
    DialogueFichier dialogue{QStringLiteral("Insertion d'une image GIF ou JPEG..."),
                             QStringLiteral("Images|*.gif;*.jpg;*.jpeg;*.png;*.webp;*.svg|Fichiers GIF|*.gif|"
                                            "Fichiers JPEG|*.jpg|Tous|*.*"),
                             QStringLiteral("gif"),
                             false,
                             {}};
    dialogue.nomPropose = imageChoisie.isEmpty() ? QFileInfo(fichierDocument).absolutePath() : imageChoisie;
    const QString choisi = utilisateur.FichierAOuvrir(this, dialogue);
    if (choisi.isEmpty())
        return;
    imageChoisie = choisi;
    const std::string reference = FichierImageChoisi(QFile::encodeName(choisi).toStdString(),
                                                     QFile::encodeName(fichierDocument).toStdString());
    fichierImage->setEditText(QFile::decodeName(QByteArray::fromStdString(reference)));
    fichierImage->AjouteHistorique(fichierImage->currentText());
    // A picture whose size cannot be read leaves the size fields as they are.
    if (const QSize taille = TailleImage(choisi); taille.isValid()) {
        largeur->setText(QString::number(taille.width()));
        hauteur->setText(QString::number(taille.height()));
    }
}

void TDlgInsertionImage::Ok()
{
    // The texts live until the element is built.
    TextesImage element = ElementImage({.fichier = fichierImage->currentText().toStdString(),
                                        .legende = legende->text().toStdString(),
                                        .alignement = alignement->currentText().toStdString(),
                                        .bordure = bordure->text().toStdString(),
                                        .largeur = largeur->text().toStdString(),
                                        .hauteur = hauteur->text().toStdString(),
                                        .hspace = ecartHorizontal->text().toStdString(),
                                        .vspace = ecartVertical->text().toStdString(),
                                        .alternatif = alternatif->currentText().toStdString()});
    ouverture = std::move(element.ouverture);
    fermeture = std::move(element.fermeture);
    fichierImage->AjouteHistorique(fichierImage->currentText());
    alternatif->AjouteHistorique(alternatif->currentText());
    alignement->AjouteHistorique(alignement->currentText());
}
