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
    auto *etiquette = new QLabel(libelle, champ->parentWidget());
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
    , PageControl(new QTabWidget(this))
    , Image(new QWidget(this))
    , Taille(new QWidget(this))
    , Distance(new QWidget(this))
    , FichierImage(new TComboHistorique(TComboHistorique::Ordre::Ajout, Image))
    , Alternatif(new TComboHistorique(TComboHistorique::Ordre::Ajout, Image))
    , Legende(new QLineEdit(Image))
    , Alignement(new TComboHistorique(TComboHistorique::Ordre::Ajout, Image))
    , Bordure(new QLineEdit(Image))
    , Ancrage(new QCheckBox(QStringLiteral("Cette image comporte des Hot Zones"), Image))
    , Ouvrir(new QPushButton(QStringLiteral("Ouvrir image..."), Image))
    , Largeur(new QLineEdit(Taille))
    , Hauteur(new QLineEdit(Taille))
    , HSpace(new QLineEdit(Distance))
    , VSpace(new QLineEdit(Distance))
    , OkBtn(new QPushButton(QStringLiteral("OK"), this))
    , CancelBtn(new QPushButton(QStringLiteral("Annuler"), this))
    , utilisateur(utilisateur)
{
    setWindowTitle(QStringLiteral("Insertion d'une image..."));
    const struct {
        QWidget *composant;
        const char *nom;
    } noms[] = {
        {PageControl, "PageControl"}, {Image, "Image"}, {Taille, "Taille"}, {Distance, "Distance"},
        {FichierImage, "FichierImage"}, {Alternatif, "Alternatif"}, {Legende, "Legende"},
        {Alignement, "Alignement"}, {Bordure, "Bordure"}, {Ancrage, "Ancrage"}, {Ouvrir, "Ouvrir"},
        {Largeur, "Largeur"}, {Hauteur, "Hauteur"}, {HSpace, "HSpace"}, {VSpace, "VSpace"}, {OkBtn, "OkBtn"},
        {CancelBtn, "CancelBtn"},
    };
    for (const auto &n : noms)
        n.composant->setObjectName(QLatin1String(n.nom));

    for (const char *alignement : {"bottom", "left", "middle", "right", "top"})
        Alignement->AjouteHistorique(QLatin1String(alignement));

    auto *pageImage = new QVBoxLayout(Image);
    Champ(pageImage, QStringLiteral("Fichier image :"), FichierImage);
    Champ(pageImage, QStringLiteral("Texte &alternatif :"), Alternatif);
    Champ(pageImage, QStringLiteral("Légende :"), Legende);
    Champ(pageImage, QStringLiteral("Alignement :"), Alignement);
    Champ(pageImage, QStringLiteral("Epaisseur de la bordure : (en pixels)"), Bordure);
    pageImage->addWidget(Ancrage);
    auto *ligneOuvrir = new QHBoxLayout;
    ligneOuvrir->addStretch();
    ligneOuvrir->addWidget(Ouvrir);
    pageImage->addLayout(ligneOuvrir);
    pageImage->addStretch();

    auto *pageTaille = new QVBoxLayout(Taille);
    Champ(pageTaille, QStringLiteral("Largeur : (en pixels ou en pourcentage de la largeur de page)"), Largeur);
    Champ(pageTaille, QStringLiteral("Hauteur : (en pixels ou en pourcentage de la hauteur de page)"), Hauteur);
    pageTaille->addStretch();

    auto *pageDistance = new QVBoxLayout(Distance);
    Champ(pageDistance, QStringLiteral("Distance horizontale :"), HSpace);
    Champ(pageDistance, QStringLiteral("Distance verticale :"), VSpace);
    pageDistance->addStretch();

    PageControl->addTab(Image, QStringLiteral("Image"));
    PageControl->addTab(Taille, QStringLiteral("Taille"));
    PageControl->addTab(Distance, QStringLiteral("Ecart avec le texte"));
    PageControl->setCurrentWidget(Image);

    connect(OkBtn, &QPushButton::clicked, this, [this] {
        Ok();
        accept();
    });
    connect(Ouvrir, &QPushButton::clicked, this, &TDlgInsertionImage::OuvrirImage);

    auto *disposition = new QVBoxLayout(this);
    disposition->addWidget(PageControl);
    AjouteBoutons(*this, *disposition, OkBtn, CancelBtn);
}

void TDlgInsertionImage::FormShow(const QString &fichier)
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
    FichierImage->setEditText(QFile::decodeName(QByteArray::fromStdString(reference)));
    FichierImage->AjouteHistorique(FichierImage->currentText());
    // A picture whose size cannot be read leaves the size fields as they are.
    if (const QSize taille = TailleImage(choisi); taille.isValid()) {
        Largeur->setText(QString::number(taille.width()));
        Hauteur->setText(QString::number(taille.height()));
    }
}

void TDlgInsertionImage::Ok()
{
    const std::string fichier = FichierImage->currentText().toStdString();
    const std::string legende = Legende->text().toStdString();
    const std::string alignement = Alignement->currentText().toStdString();
    const std::string bordure = Bordure->text().toStdString();
    const std::string largeur = Largeur->text().toStdString();
    const std::string hauteur = Hauteur->text().toStdString();
    const std::string hspace = HSpace->text().toStdString();
    const std::string vspace = VSpace->text().toStdString();
    const std::string alternatif = Alternatif->currentText().toStdString();
    TextesImage textes =
        ElementImage({fichier, legende, alignement, bordure, largeur, hauteur, hspace, vspace, alternatif});
    ouverture = std::move(textes.ouverture);
    fermeture = std::move(textes.fermeture);
    FichierImage->AjouteHistorique(FichierImage->currentText());
    Alternatif->AjouteHistorique(Alternatif->currentText());
    Alignement->AjouteHistorique(Alignement->currentText());
}
