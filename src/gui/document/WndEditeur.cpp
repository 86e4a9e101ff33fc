#include "gui/document/WndEditeur.h"

#include "core/document/CodecFichier.h"
#include "gui/commun/Utilisateur.h"
#include "gui/settings/CheminsQt.h"
#include "gui/settings/Fichiers.h"

#include <QCloseEvent>
#include <QFile>
#include <QLocale>
#include <QVBoxLayout>

#include <new>
#include <string>
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

TWndHTML::TWndHTML(Utilisateur &utilisateur, const QFont &fonte)
    : QWidget(nullptr)
    , FileName(QStringLiteral("Sans Nom"))
    , EditHTML(new TEditHTML(this))
    , utilisateur(utilisateur)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(FileName);
    auto *disposition = new QVBoxLayout(this);
    disposition->setContentsMargins(0, 0, 0, 0);
    disposition->addWidget(EditHTML);
    EditHTML->AppliqueFonte(fonte);
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
        utilisateur.Erreur(this, illisible);
        return;
    }
    const auto taille = static_cast<std::size_t>(fichier.size());
    TEditHTML::Chargement chargement = TEditHTML::Chargement::TropGrand;
    if (taille <= TEditHTML::TailleMaximale) {
        try {
            chargement = EditHTML->Charge(fichier, encodage);
        } catch (const std::bad_alloc &) {
            utilisateur.Erreur(this, illisible + QStringLiteral(" : mémoire insuffisante."));
            return;
        }
    }
    switch (chargement) {
    case TEditHTML::Chargement::Reussi: Untitled = false; return;
    case TEditHTML::Chargement::Illisible: utilisateur.Erreur(this, illisible); return;
    case TEditHTML::Chargement::TropGrand: break;
    }
    const QLocale francais(QLocale::French);
    const auto megaoctets = [&](std::size_t octets) {
        return francais.toString(qulonglong((octets + (1 << 20) - 1) >> 20));
    };
    utilisateur.Erreur(this, QStringLiteral("%1 : il fait %2 Mo, et l'éditeur ne peut tenir plus de %3 Mo.")
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
        if (!utilisateur.OuiNon(
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
        utilisateur.Erreur(this, QStringLiteral("Ne peut créer le fichier %1").arg(FileName));
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
    const QString nom = utilisateur.FichierAEnregistrer(this, dialogue);
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
    switch (utilisateur.Question(this, QStringLiteral("Confirmation"),
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

bool TWndHTML::SelectionneSuivant(const QString &texte, bool casse, bool motEntier)
{
    const QByteArray octets = texte.toUtf8();
    const std::string_view cherche(octets.constData(), static_cast<std::size_t>(octets.size()));
    const qsizetype debut = EditHTML->SelStart();
    TEditHTML::Occurrence occurrence = EditHTML->Cherche(cherche, debut, casse, motEntier);
    // The occurrence already selected, as after a previous search: the next one starts further on.
    if (occurrence.debut == debut && occurrence.fin - occurrence.debut == EditHTML->SelLength())
        occurrence = EditHTML->Cherche(cherche, debut + 1, casse, motEntier);
    if (occurrence.debut < 0)
        return false;
    EditHTML->Selectionne(occurrence.debut, occurrence.fin - occurrence.debut);
    return true;
}

void TWndHTML::Remplit(std::string_view texte, FinDeLigne fin, Encodage encodageResultat, bool curseurALaFin)
{
    encodage = encodageResultat;
    EditHTML->Remplit(texte, fin);
    EditHTML->Selectionne(curseurALaFin ? static_cast<qsizetype>(texte.size()) : 0, 0);
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
