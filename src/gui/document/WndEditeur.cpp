#include "gui/document/WndEditeur.h"

#include "core/dialogs/TitrePage.h"
#include "core/document/CodecFichier.h"
#include "gui/app/DlgChercher.h"
#include "gui/app/MDIFenetre.h"
#include "gui/dialogs/DlgAncreLocale.h"
#include "gui/dialogs/DlgHyperlien.h"
#include "gui/dialogs/DlgImage.h"
#include "gui/dialogs/WndTags.h"
#include "gui/dialogs/WndTitre.h"
#include "gui/entities/WndCaracteres.h"
#include "gui/settings/CheminsQt.h"
#include "gui/settings/Fichiers.h"
#include "gui/tagremoval/DlgSupprimer.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QLocale>
#include <QVBoxLayout>

#include <new>
#include <string>
#include <utility>
#include <variant>

namespace {

// The first few characters, each between guillemets, for a message.
QString Enumeration(std::u32string_view caracteres)
{
    constexpr std::size_t Montres = 5;
    QStringList cites;
    for (const char32_t c : caracteres.substr(0, Montres))
        cites << QStringLiteral("« %1 »").arg(QString::fromUcs4(&c, 1));
    return cites.join(QStringLiteral(", ")) + (caracteres.size() > Montres ? QStringLiteral("…") : QString());
}

const DialogueFichier SaveDialog{
    QStringLiteral("Enregistrer sous..."),
    FiltreDocuments(),
    QStringLiteral("htm"),
    false,
    {},
};


} // namespace

TWndHTML::TWndHTML(TMDIHtml &frame)
    : QWidget(nullptr)
    , FileName(QStringLiteral("Sans Nom"))
    , EditHTML(new TEditHTML(this))
    , frame(frame)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(FileName);
    auto *disposition = new QVBoxLayout(this);
    disposition->setContentsMargins(0, 0, 0, 0);
    disposition->addWidget(EditHTML);
    EditHTML->AppliqueFonte(frame.FonteDocuments());
    CreeMenus();
    connect(EditHTML, &TEditHTML::MenuContextuelDemande, this, [this](const QPoint &position) {
        EditMenuClick();
        Contextuel->popup(position);
    });
    // "&Suivant" follows the search text as it is typed, so that F3 works as soon as there is something to find.
    connect(&frame.DlgChercher(), &TDlgChercher::TexteModifie, this, &TWndHTML::MajSuivant);
}

void TWndHTML::CreeMenus()
{
    FichierMenu = new QMenu(QStringLiteral("&Fichier"), this);
    FichierMenu->addAction(QStringLiteral("&Nouveau"), &frame, &TMDIHtml::FileNew);
    FichierMenu->addAction(QStringLiteral("&Ouvrir..."), &frame, &TMDIHtml::FileOpen);
    FichierMenu->addSeparator();
    FichierMenu->addAction(QStringLiteral("&Enregistrer"), this, &TWndHTML::FileSave)->setObjectName("FileSaveItem");
    FichierMenu->addAction(QStringLiteral("En&registrer sous..."), this, &TWndHTML::FileSaveAs)
        ->setObjectName("FileSaveAsItem");
    FichierMenu->addSeparator();
    FichierMenu->addAction(QStringLiteral("&Aperçu de la page..."), this, &TWndHTML::FichierApercu)
        ->setObjectName("Apercu1");
    FichierMenu->addSeparator();
    FichierMenu->addAction(QStringLiteral("&Quitter"), &frame, &TMDIHtml::FileExit);

    EditMenu = new QMenu(QStringLiteral("&Edition"), this);
    EditUndoItem = EditMenu->addAction(QStringLiteral("&Défaire"), this, &TWndHTML::EditionDefaire);
    EditMenu->addSeparator();
    EditCutItem = EditMenu->addAction(QStringLiteral("&Couper"), this, &TWndHTML::EditionCouper);
    EditCopyItem = EditMenu->addAction(QStringLiteral("Co&pier"), this, &TWndHTML::EditionCopier);
    EditPasteItem = EditMenu->addAction(QStringLiteral("C&oller"), this, &TWndHTML::EditionColler);
    EditMenu->addSeparator();
    EditMenu->addAction(QStringLiteral("C&hercher..."), this, &TWndHTML::EditionChercher)->setObjectName("Chercher1");
    Suivant1 = EditMenu->addAction(QStringLiteral("&Suivant"), this, &TWndHTML::EditionSuivant);
    Suivant1->setObjectName("Suivant1");
    Suivant1->setShortcut(Qt::Key_F3);
    connect(EditMenu, &QMenu::aboutToShow, this, &TWndHTML::EditMenuClick);

    InsertionMenu = new QMenu(QStringLiteral("&Insertion"), this);
    InsertionMenu->addAction(QStringLiteral("&Lien hypertexte..."), this, &TWndHTML::InsertionLien)
        ->setObjectName("Lienhypertexte1");
    InsertionMenu->addAction(QStringLiteral("&Ancre locale..."), this, &TWndHTML::InsertionAncreLocale)
        ->setObjectName("Ancrelocale1");
    InsertionMenu->addAction(QStringLiteral("&Image..."), this, &TWndHTML::InsertionImage)->setObjectName("Image1");
    InsertionMenu->addAction(QStringLiteral("&Titre..."), this, &TWndHTML::InsertionTitre)->setObjectName("Titre1");
    InsertionMenu->addAction(QStringLiteral("Ta&gs..."), this, &TWndHTML::TagsClick)->setObjectName("Tags2");
    InsertionMenu->addSeparator();
    InsertionMenu->addAction(QStringLiteral("&Caractères spéciaux..."), this, &TWndHTML::AfficheCaracteresSpeciaux);
    InsertionMenu->addAction(QStringLiteral("Corriger les acc&ents"), this, &TWndHTML::CorrectionAccents);
    InsertionMenu->addAction(QStringLiteral("&Supprimer les tags HTML..."), this,
                             &TWndHTML::SupprimerLesTagsHTML);
    InsertionMenu->addAction(QStringLiteral("Supprimer les tags tableau&x..."), this,
                             &TWndHTML::SupprimerLesTagsTableaux);

    Contextuel = new QMenu(this);
    Contextuel->addAction(QStringLiteral("&Lien hypertexte..."), this, &TWndHTML::InsertionLien);
    Contextuel->addAction(QStringLiteral("&Ancre locale..."), this, &TWndHTML::InsertionAncreLocale);
    Contextuel->addAction(QStringLiteral("&Image..."), this, &TWndHTML::InsertionImage);
    Contextuel->addAction(QStringLiteral("Caractères &spéciaux..."), this, &TWndHTML::AfficheCaracteresSpeciaux);
    Contextuel->addAction(QStringLiteral("&Tags..."), this, &TWndHTML::TagsClick);
    Contextuel->addSeparator();
    Couper1 = Contextuel->addAction(QStringLiteral("&Couper"), this, &TWndHTML::EditionCouper);
    Copier1 = Contextuel->addAction(QStringLiteral("Co&pier"), this, &TWndHTML::EditionCopier);
    Coller1 = Contextuel->addAction(QStringLiteral("C&oller"), this, &TWndHTML::EditionColler);
}

void TWndHTML::ChangeNom(const QString &nom)
{
    FileName = nom;
    setWindowTitle(FileName);
}

void TWndHTML::OpenFile(const QString &nom)
{
    ChangeNom(nom);
    const QString illisible = QStringLiteral("Ne peut ouvrir le fichier %1").arg(nom);
    QFile fichier;
    if (!OuvreEnLecture(nom, fichier)) {
        frame.Dialogues().Erreur(this, illisible);
        return;
    }
    const auto taille = static_cast<std::size_t>(fichier.size());
    TEditHTML::Chargement chargement = TEditHTML::Chargement::TropGrand;
    if (taille <= TEditHTML::TailleMaximale) {
        try {
            chargement = EditHTML->Charge(fichier, encodage);
        } catch (const std::bad_alloc &) {
            frame.Dialogues().Erreur(this, illisible + QStringLiteral(" : mémoire insuffisante."));
            return;
        }
    }
    switch (chargement) {
    case TEditHTML::Chargement::Reussi: Untitled = false; return;
    case TEditHTML::Chargement::Illisible: frame.Dialogues().Erreur(this, illisible); return;
    case TEditHTML::Chargement::TropGrand: break;
    }
    const QLocale francais(QLocale::French);
    const auto megaoctets = [&](std::size_t octets) {
        return francais.toString(qulonglong((octets + (1 << 20) - 1) >> 20));
    };
    frame.Dialogues().Erreur(this, QStringLiteral("%1 : il fait %2 Mo, et l'éditeur ne peut tenir plus de %3 Mo.")
                                       .arg(illisible, megaoctets(taille), megaoctets(TEditHTML::TailleMaximale)));
}

void TWndHTML::InsertionTexte(std::string_view ouverture, std::string_view fermeture)
{
    const qsizetype debut = EditHTML->SelStart();
    const qsizetype longueur = EditHTML->SelLength();
    std::string texte;
    texte.reserve(ouverture.size() + static_cast<std::size_t>(longueur) + fermeture.size());
    texte.append(ouverture);
    texte.append(EditHTML->Texte().substr(static_cast<std::size_t>(debut), static_cast<std::size_t>(longueur)));
    texte.append(fermeture);
    EditHTML->Remplace(debut, debut + longueur, texte);
    EditHTML->Selectionne(debut + static_cast<qsizetype>(ouverture.size()), longueur);
}

bool TWndHTML::FileSave()
{
    if (Untitled)
        return FileSaveAs();

    std::string tampon;
    auto octets = EncodeFichier(EditHTML->Texte(), encodage, tampon);
    if (const auto *impossibles = std::get_if<std::u32string>(&octets)) {
        if (!frame.Dialogues().OuiNon(
                this, QStringLiteral("Confirmation"),
                QStringLiteral("%1 contient des caractères que l'encodage Windows-1252 ne peut pas représenter (%2). "
                               "Voulez-vous l'enregistrer en UTF-8 ?")
                    .arg(FileName, Enumeration(*impossibles))))
            return false;
        encodage = Encodage::Utf8;
        octets = EncodeFichier(EditHTML->Texte(), encodage, tampon);
    }
    const auto [marque, corps] = std::get<OctetsFichier>(octets);
    if (!EcritFichier(FileName, {marque, corps})) {
        frame.Dialogues().Erreur(this, QStringLiteral("Ne peut créer le fichier %1").arg(FileName));
        return false;
    }
    EditHTML->setModified(false);
    Untitled = false;
    return true;
}

bool TWndHTML::FileSaveAs()
{
    DialogueFichier dialogue = SaveDialog;
    dialogue.nomPropose = FileName;
    const QString nom = frame.Dialogues().FichierAEnregistrer(this, dialogue);
    if (nom.isEmpty())
        return false;
    Untitled = false;
    ChangeNom(CheminLong(nom));
    return FileSave();
}

bool TWndHTML::FormCloseQuery()
{
    if (!EditHTML->isModified())
        return true;
    switch (frame.Dialogues().Question(this, QStringLiteral("Confirmation"),
                                       QStringLiteral("%1 a été modifié. Voulez-vous l'enregistrer ?").arg(FileName))) {
    case Utilisateur::Reponse::Annuler: return false;
    // A save that failed keeps the window, so that the changes are not lost.
    case Utilisateur::Reponse::Oui: return FileSave();
    case Utilisateur::Reponse::Non: return true;
    }
    return false;
}

void TWndHTML::closeEvent(QCloseEvent *event)
{
    if (FormCloseQuery())
        event->accept();
    else
        event->ignore();
}

void TWndHTML::EditMenuClick()
{
    EditUndoItem->setEnabled(EditHTML->isUndoAvailable());
    const bool selection = EditHTML->SelLength() > 0;
    for (QAction *action : {EditCutItem, EditCopyItem, Couper1, Copier1})
        action->setEnabled(selection);
    const QMimeData *donnees = QGuiApplication::clipboard()->mimeData();
    const bool texte = donnees && donnees->hasText();
    EditPasteItem->setEnabled(texte);
    Coller1->setEnabled(texte);
    MajSuivant();
}

void TWndHTML::MajSuivant()
{
    Suivant1->setEnabled(!frame.DlgChercher().Texte().isEmpty());
}

void TWndHTML::FichierApercu()
{
    // The browser shows the file: it must hold the text as it is now.
    if (EditHTML->isModified() || Untitled)
        FileSave();
    if (EditHTML->isModified() || Untitled)
        return;
    frame.LanceNavigateur(FileName);
}

void TWndHTML::InsertionLien()
{
    TDlgInsertionHyperlien &dialogue = frame.DlgHyperlien();
    std::vector<DocumentOuvert> autres;
    for (TWndHTML *w : frame.Fenetres())
        if (w != this)
            autres.push_back({w->FileName, w->EditHTML->Texte()});
    dialogue.FormShow({FileName, EditHTML->Texte()}, autres);
    if (frame.Dialogues().Execute(dialogue) == QDialog::Accepted)
        InsertionTexte(dialogue.Ouverture(), dialogue.Fermeture());
}

void TWndHTML::InsertionAncreLocale()
{
    TDlgInsertionAncreLocale &dialogue = frame.DlgAncreLocale();
    if (frame.Dialogues().Execute(dialogue) == QDialog::Accepted)
        InsertionTexte(dialogue.Ouverture(), {});
}

void TWndHTML::InsertionImage()
{
    TDlgInsertionImage &dialogue = frame.DlgImage();
    dialogue.FormShow(FileName);
    if (frame.Dialogues().Execute(dialogue) == QDialog::Accepted)
        InsertionTexte(dialogue.Ouverture(), dialogue.Fermeture());
}

void TWndHTML::InsertionTitre()
{
    TDlgInsertionTitre &dialogue = frame.DlgTitre();
    const std::string_view texte = EditHTML->Texte();
    const TitrePage titre = ChercheTitre(texte);
    // The old title is selected before the dialog shows, and stays selected if the user gives up.
    if (titre.present) {
        const std::string_view ancien = texte.substr(titre.debut, titre.fin - titre.debut);
        dialogue.Titre->setText(QString::fromUtf8(ancien.data(), static_cast<qsizetype>(ancien.size())));
        EditHTML->Selectionne(static_cast<qsizetype>(titre.debut), static_cast<qsizetype>(ancien.size()));
    } else {
        dialogue.Titre->setText(QStringLiteral("Sans titre"));
    }
    if (frame.Dialogues().Execute(dialogue) != QDialog::Accepted)
        return;

    const std::string nouveau = dialogue.Titre->text().toStdString();
    if (titre.present) {
        const qsizetype debut = EditHTML->SelStart();
        EditHTML->Remplace(debut, debut + EditHTML->SelLength(), nouveau);
        EditHTML->Selectionne(debut + static_cast<qsizetype>(nouveau.size()), 0);
    } else {
        InsertionTexte("<TITLE>" + nouveau, "</TITLE>");
    }
}

void TWndHTML::TagsClick()
{
    TTagsForm &palette = frame.Tags();
    palette.show();
    palette.raise();
}

void TWndHTML::EditionChercher()
{
    TDlgChercher &dialogue = frame.DlgChercher();
    dialogue.show();
    dialogue.raise();
    dialogue.activateWindow();
}

void TWndHTML::EditionSuivant()
{
    TDlgChercher &dialogue = frame.DlgChercher();
    const QString texte = dialogue.Texte();
    if (texte.isEmpty())
        return;
    const QByteArray octets = texte.toUtf8();
    const std::string_view cherche(octets.constData(), static_cast<std::size_t>(octets.size()));
    const bool casse = dialogue.RespecterCasse();
    const bool motEntier = dialogue.MotEntier();

    const qsizetype debut = EditHTML->SelStart();
    TEditHTML::Occurrence occurrence = EditHTML->Cherche(cherche, debut, casse, motEntier);
    // The occurrence already selected, as after a previous search: the next one starts further on.
    if (occurrence.debut == debut && occurrence.fin - occurrence.debut == EditHTML->SelLength())
        occurrence = EditHTML->Cherche(cherche, debut + 1, casse, motEntier);
    if (occurrence.debut < 0) {
        frame.Dialogues().Avertissement(this, QStringLiteral("Recherche"),
                                        QStringLiteral("Texte \"%1\" non trouvé.").arg(texte));
        return;
    }
    EditHTML->Selectionne(occurrence.debut, occurrence.fin - occurrence.debut);
    dialogue.close();
}

void TWndHTML::AfficheCaracteresSpeciaux()
{
    TWndCaracteresSpeciaux &fenetre = frame.CaracteresSpeciaux();
    fenetre.show();
    fenetre.raise();
    fenetre.activateWindow();
}

void TWndHTML::CorrectionAccents()
{
    frame.CaracteresSpeciaux().CorrigerBtnClick();
}

void TWndHTML::SupprimerLesTagsHTML()
{
    TSupprimerForm options(this);
    if (frame.Dialogues().Execute(options) != QDialog::Accepted)
        return;
    AfficheResultat(" (Sans tags).txt", [&](std::string_view texte, FinDeLigne fin) {
        std::string resultat = SupprimeTags(texte, options.Remplacement(), TexteFinDeLigne(fin));
        if (!options.Restaurer())
            return std::pair{std::move(resultat), true};
        return std::pair{frame.CaracteresSpeciaux().Restauration(resultat, encodage), false};
    });
}

void TWndHTML::SupprimerLesTagsTableaux()
{
    AfficheResultat(" (Sans tableaux).htm", [](std::string_view texte, FinDeLigne fin) {
        return std::pair{SupprimeTableaux(texte, TexteFinDeLigne(fin)), true};
    });
}

void TWndHTML::AfficheResultat(std::string_view suffixe, const Transformation &transformation)
{
    const std::string_view texte = EditHTML->Texte();
    const FinDeLigne fin = DetecteFinDeLigne(texte);
    TWndHTML *w = nullptr;
    try {
        const auto [resultat, curseurALaFin] = transformation(texte, fin);
        w = frame.FenetreResultat(RemplaceExtension(QFile::encodeName(FileName).toStdString(), suffixe));
        // Saved as the page it comes from, in the same encoding.
        w->encodage = encodage;
        w->EditHTML->Remplit(resultat, fin);
        w->EditHTML->Selectionne(curseurALaFin ? static_cast<qsizetype>(resultat.size()) : 0, 0);
    } catch (const std::bad_alloc &) {
        if (w) {
            // The window lives in a sub-window of the frame: closing that one takes both away.
            w->EditHTML->setModified(false);
            w->parentWidget()->close();
        }
        frame.Dialogues().Erreur(this, MemoireInsuffisante());
    }
}

void TWndHTML::EditionDefaire()
{
    EditHTML->undo();
}

void TWndHTML::EditionCouper()
{
    EditHTML->cut();
}

void TWndHTML::EditionCopier()
{
    EditHTML->copy();
}

void TWndHTML::EditionColler()
{
    EditHTML->paste();
}
