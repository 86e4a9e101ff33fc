// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/document/WndHTML.h"

#include "core/document/GrandDocument.h"
#include "core/document/Journal.h"
#include "core/document/Motif.h"
#include "core/memoire/GrandesPages.h"
#include "core/texte/CodecFichier.h"
#include "gui/commun/Utilisateur.h"
#include "gui/document/RechercheEnFond.h"
#include "gui/document/Recuperation.h"
#include "gui/settings/CheminsQt.h"
#include "gui/settings/Fichiers.h"

#include <QCloseEvent>
#include <QDateTime>
#include <QFileSystemWatcher>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTimer>
#include <QVBoxLayout>

#include <sys/stat.h>

#include <chrono>
#include <cstring>
#include <memory>
#include <new>
#include <string>

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

TWndHTML::TWndHTML(Utilisateur &utilisateur, const QFont &fonte, TRecuperation *recuperation)
    : QWidget(nullptr)
    , FileName(QStringLiteral("Sans Nom"))
    , EditHTML(new TEditHTML(this))
    , utilisateur(utilisateur)
    , recuperation(recuperation && recuperation->Demande() ? recuperation : nullptr)
    , minuterieJournal(new QTimer(this))
    , delaiMaximalJournal(new QTimer(this))
    , surveillance(new QFileSystemWatcher(this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    ChangeNom(FileName);
    // The caption and the frame's window list mark a modified page.
    connect(EditHTML, &QsciScintilla::modificationChanged, this,
            [this] { setWindowModified(EditHTML->isModified()); });
    auto *disposition = new QVBoxLayout(this);
    disposition->setContentsMargins(0, 0, 0, 0);
    disposition->addWidget(EditHTML);
    EditHTML->AppliqueFonte(fonte);
    // The journal follows a pause in the changes, or, while they keep coming, the first of them not yet written.
    minuterieJournal->setSingleShot(true);
    minuterieJournal->setInterval(2000);
    connect(minuterieJournal, &QTimer::timeout, this, &TWndHTML::EcritJournal);
    delaiMaximalJournal->setSingleShot(true);
    delaiMaximalJournal->setInterval(5000);
    connect(delaiMaximalJournal, &QTimer::timeout, this, &TWndHTML::EcritJournal);
    // A change seen while the user works in this window is told at once; otherwise when the window comes back.
    connect(surveillance, &QFileSystemWatcher::fileChanged, this, [this] {
        const auto *cadre = qobject_cast<QMdiSubWindow *>(parentWidget());
        if (isActiveWindow() && cadre && cadre->mdiArea()->activeSubWindow() == cadre)
            VerifieFichier();
    });
    if (this->recuperation) {
        connect(EditHTML, &TEditHTML::Modifie, this, [this] {
            derniereModification = QDateTime::currentMSecsSinceEpoch();
            minuterieJournal->start();
            if (!delaiMaximalJournal->isActive())
                delaiMaximalJournal->start();
        });
    }
}

TWndHTML::~TWndHTML()
{
    SupprimeJournal();
}

void TWndHTML::EcritJournal()
{
    if (!recuperation)
        return;
    if (!recuperation->Actif()) {
        recuperation->SignaleEchec(QString());
        return;
    }
    if (ecritureJournal.valid()) {
        // One write at a time: the next waits for the one under way.
        if (ecritureJournal.wait_for(std::chrono::seconds(0)) != std::future_status::ready) {
            minuterieJournal->start();
            return;
        }
        ecritureJournal.get();
    }
    minuterieJournal->stop();
    delaiMaximalJournal->stop();
    if (!EditHTML->isModified()) {
        SupprimeJournal();
        return;
    }
    if (journal.isEmpty())
        journal = recuperation->NouveauJournal();
    EnteteJournal entete;
    entete.nom = EncodeNom(FileName).toStdString();
    entete.sansFichier = Untitled;
    entete.encodage = encodage;
    entete.fin = EditHTML->FinDeLigneDocument();
    entete.modification = derniereModification;
    entete.dateFichier = fichier.date;
    entete.tailleFichier = fichier.taille;
    entete.inodeFichier = fichier.inode;
    // The copy is the only work done here, into huge pages: the first touch of each small page would cost more
    // than the copy itself.
    const std::string_view vue = EditHTML->Texte();
    std::shared_ptr<char[]> copie;
    try {
        copie = std::make_shared_for_overwrite<char[]>(vue.size());
    } catch (const std::bad_alloc &) {
        // Without room for the copy, the page goes on without its journal, and the next change tries again.
        recuperation->SignaleEchec(journal);
        return;
    }
    ConseilleGrandesPages(copie.get(), vue.size());
    std::memcpy(copie.get(), vue.data(), vue.size());
    ecritureJournal = std::async(std::launch::async, [nom = journal, debut = DebutJournal(entete, vue.size()),
                                                      texte = std::string_view(copie.get(), vue.size()), copie,
                                                      recuperation = recuperation] {
        const bool ecrit = TRecuperation::Ecrit(nom, {debut, texte, FinJournal});
        if (!ecrit)
            QMetaObject::invokeMethod(recuperation, [recuperation, nom] { recuperation->SignaleEchec(nom); },
                                      Qt::QueuedConnection);
        return ecrit;
    });
}

void TWndHTML::SupprimeJournal()
{
    minuterieJournal->stop();
    delaiMaximalJournal->stop();
    if (ecritureJournal.valid())
        ecritureJournal.wait();
    if (!journal.isEmpty())
        QFile::remove(journal);
}

TWndHTML::Identite TWndHTML::IdentiteSurDisque() const
{
    struct stat etat {};
    if (::stat(EncodeNom(FileName).constData(), &etat) != 0)
        return {};
    return {std::int64_t(etat.st_mtim.tv_sec) * 1'000'000'000 + etat.st_mtim.tv_nsec, etat.st_size, etat.st_ino};
}

void TWndHTML::NoteFichier()
{
    fichier = IdentiteSurDisque();
    ecarte.reset();
    // The watch follows the file that the name gives, not the name: a file replaced by another (as saving does, and
    // as other programs save) would be watched no more, or the one the watch was given dropped later. Each file
    // loaded or saved is watched anew.
    if (const QStringList surveilles = surveillance->files(); !surveilles.isEmpty())
        surveillance->removePaths(surveilles);
    if (fichier.inode != 0)
        surveillance->addPath(FileName);
}

bool TWndHTML::FichierChange() const
{
    // A file gone has nothing to lose: saving writes it again without a question.
    const Identite surDisque = IdentiteSurDisque();
    return fichier.inode != 0 && surDisque.inode != 0 && surDisque != fichier;
}

void TWndHTML::VerifieFichier()
{
    if (Untitled || fichier.inode == 0 || verification)
        return;
    const Identite surDisque = IdentiteSurDisque();
    if (surDisque == fichier || surDisque == ecarte)
        return;
    // The questions below make windows active again.
    verification = true;
    ecarte = surDisque;
    if (surDisque.inode == 0) {
        utilisateur.Avertissement(
            this, QStringLiteral("Fichier"),
            QStringLiteral("%1 a été supprimé ou déplacé par un autre programme.").arg(NomAffiche(FileName)));
        EditHTML->setModified(true);
    } else if (!EditHTML->isModified() ||
               utilisateur.OuiNon(
                   this, QStringLiteral("Confirmation"),
                   QStringLiteral("%1 a été modifié par un autre programme. Voulez-vous le recharger ?")
                       .arg(NomAffiche(FileName)))) {
        OpenFile(FileName);
    }
    verification = false;
}

void TWndHTML::Recupere(const JournalLu &lu)
{
    ChangeNom(DecodeNom(lu.entete.nom));
    Untitled = lu.entete.sansFichier;
    encodage = lu.entete.encodage;
    fichier = {lu.entete.dateFichier, lu.entete.tailleFichier, lu.entete.inodeFichier};
    derniereModification = lu.entete.modification;
    EditHTML->Remplit(lu.texte, lu.entete.fin);
    EcritJournal();
    if (ecritureJournal.valid())
        ecritureJournal.wait();
}

void TWndHTML::ChangeNom(const QString &nom)
{
    FileName = nom;
    // Qt shows the caption's "[*]" as "*" while the page is modified; a "[*]" of the name itself is doubled, which
    // Qt shows as written.
    QString titre = NomAffiche(nom);
    setWindowTitle(titre.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]")) + QStringLiteral("[*]"));
    EditHTML->setAccessibleName(QFileInfo(nom).fileName());
}

void TWndHTML::SuitFichier(const QString &nom)
{
    ChangeNom(nom);
    // The file is the same, its identity with it: only the name watched changes.
    if (const QStringList surveilles = surveillance->files(); !surveilles.isEmpty())
        surveillance->removePaths(surveilles);
    if (fichier.inode != 0)
        surveillance->addPath(FileName);
}

void TWndHTML::OpenFile(const QString &nom)
{
    ChangeNom(nom);
    const QString illisible = QStringLiteral("Ne peut ouvrir le fichier %1").arg(NomAffiche(nom));
    QFile fichier;
    if (!OuvreEnLecture(nom, fichier)) {
        utilisateur.Erreur(this, illisible);
        return;
    }
    const auto taille = static_cast<std::size_t>(fichier.size());
    if (taille <= TEditHTML::TailleMaximale) {
        std::optional<Resultat<FichierCharge, ErreurChargement>> charge;
        try {
            charge.emplace(EditHTML->Charge(fichier));
        } catch (const std::bad_alloc &) {
            utilisateur.Erreur(this, illisible + QStringLiteral(" : mémoire insuffisante."));
            return;
        }
        if (*charge) {
            encodage = (*charge)->encodage;
            Untitled = false;
            NoteFichier();
            ProposeCoupure();
            emit FichierUtilise(FileName);
            return;
        }
        if (charge->Pourquoi() == ErreurChargement::Illisible) {
            utilisateur.Erreur(this, illisible);
            return;
        }
    }
    const QLocale francais(QLocale::French);
    const auto megaoctets = [&](std::size_t octets) {
        return francais.toString(qulonglong((octets + (1 << 20) - 1) >> 20));
    };
    utilisateur.Erreur(this, QStringLiteral("%1 : il fait %2 Mo, et l'éditeur ne peut tenir plus de %3 Mo.")
                                 .arg(illisible, megaoctets(taille), megaoctets(TEditHTML::TailleMaximale)));
}

void TWndHTML::Recharge()
{
    if (Untitled) {
        utilisateur.Information(this, QStringLiteral("Recharger"),
                                QStringLiteral("%1 n'a pas encore de fichier à relire.").arg(NomAffiche(FileName)));
        return;
    }
    // Nothing is asked, nor given up, for a file that cannot be read.
    QFile essai;
    if (!OuvreEnLecture(FileName, essai)) {
        utilisateur.Erreur(this, IdentiteSurDisque().inode == 0
                                     ? QStringLiteral("%1 n'existe plus : la page reste telle quelle.")
                                           .arg(NomAffiche(FileName))
                                     : QStringLiteral("Ne peut lire le fichier %1 : la page reste telle quelle.")
                                           .arg(NomAffiche(FileName)));
        return;
    }
    essai.close();
    if (EditHTML->isModified() &&
        !utilisateur.OuiNon(this, QStringLiteral("Recharger"),
                            QStringLiteral("Abandonner les modifications de « %1 » et relire le fichier ?")
                                .arg(NomAffiche(FileName))))
        return;
    // The caret by its line and column, which a text changed on disk may no longer reach; the first line in view by
    // its line of the text, whatever the wrapping makes of the lines before it.
    const auto envoie = [this](unsigned int message, unsigned long w = 0, long l = 0) {
        return EditHTML->SendScintilla(message, w, l);
    };
    const long position = envoie(QsciScintillaBase::SCI_GETCURRENTPOS);
    const long ligne = envoie(QsciScintillaBase::SCI_LINEFROMPOSITION, static_cast<unsigned long>(position));
    const long colonne = envoie(QsciScintillaBase::SCI_GETCOLUMN, static_cast<unsigned long>(position));
    const long premiere = envoie(QsciScintillaBase::SCI_DOCLINEFROMVISIBLE,
                                 static_cast<unsigned long>(envoie(QsciScintillaBase::SCI_GETFIRSTVISIBLELINE)));
    OpenFile(FileName);
    // Scintilla takes a line past the end of a shorter text to the text's end, and scrolls no further than it.
    envoie(QsciScintillaBase::SCI_SETEMPTYSELECTION,
           static_cast<unsigned long>(
               envoie(QsciScintillaBase::SCI_FINDCOLUMN, static_cast<unsigned long>(ligne), colonne)));
    envoie(QsciScintillaBase::SCI_SETFIRSTVISIBLELINE,
           static_cast<unsigned long>(
               envoie(QsciScintillaBase::SCI_VISIBLEFROMDOCLINE, static_cast<unsigned long>(premiere))));
}

void TWndHTML::ProposeCoupure()
{
    const std::size_t longueur = EditHTML->PlusLongueLigne();
    if (longueur <= LongueurMaximaleDeLigne)
        return;
    // No paint while the user answers: laying the long line out would take seconds.
    EditHTML->setUpdatesEnabled(false);
    const QString taille = QLocale(QLocale::French).formattedDataSize(qint64(longueur));
    if (utilisateur.CoupeLignesLongues(
            this, QStringLiteral("%1 a une ligne de %2 : la modifier sera lent. Balizo peut la couper en lignes plus "
                                 "courtes, là où un navigateur n'en montre rien ; Défaire rend la page telle quelle.")
                      .arg(NomAffiche(FileName), taille))) {
        try {
            if (!EditHTML->CoupeLignesLongues())
                utilisateur.Avertissement(this, QStringLiteral("Ligne très longue"),
                                          QStringLiteral("%1 n'a aucun endroit où couper sans changer la page : "
                                                         "elle est gardée telle quelle.")
                                              .arg(NomAffiche(FileName)));
        } catch (const std::bad_alloc &) {
            utilisateur.Erreur(this, MemoireInsuffisante());
        }
    }
    EditHTML->setUpdatesEnabled(true);
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
    if (FichierChange() &&
        !utilisateur.OuiNon(this, QStringLiteral("Confirmation"),
                            QStringLiteral("%1 a été modifié sur le disque depuis son ouverture. "
                                           "Voulez-vous l'écraser ?")
                                .arg(NomAffiche(FileName))))
        return false;

    std::string tampon;
    auto octets = EncodeFichier(EditHTML->Texte(), encodage, tampon);
    if (!octets) {
        if (!utilisateur.OuiNon(
                this, QStringLiteral("Confirmation"),
                QStringLiteral("%1 contient des caractères que l'encodage Windows-1252 ne peut pas représenter (%2). "
                               "Voulez-vous l'enregistrer en UTF-8 ?")
                    .arg(NomAffiche(FileName), Enumeration(octets.Pourquoi()))))
            return false;
        encodage = Encodage::Utf8;
        octets = EncodeFichier(EditHTML->Texte(), encodage, tampon);
    }
    const auto [marque, corps] = *octets;
    if (!EcritFichier(FileName, {marque, corps})) {
        utilisateur.Erreur(this, QStringLiteral("Ne peut créer le fichier %1").arg(NomAffiche(FileName)));
        return false;
    }
    EditHTML->setModified(false);
    Untitled = false;
    NoteFichier();
    SupprimeJournal();
    emit FichierUtilise(FileName);
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
    // Another file: the file dialog has asked before replacing it.
    fichier = {};
    return FileSave();
}

bool TWndHTML::FormCloseQuery()
{
    if (!EditHTML->isModified())
        return true;
    switch (utilisateur.Question(
        this, QStringLiteral("Confirmation"),
        QStringLiteral("%1 a été modifié. Voulez-vous l'enregistrer ?").arg(NomAffiche(FileName)))) {
    case Utilisateur::Reponse::Annuler: return false;
    // A save that failed keeps the window, so that the changes are not lost.
    case Utilisateur::Reponse::Oui: return FileSave();
    case Utilisateur::Reponse::Non: return true;
    }
    return false;
}

void TWndHTML::closeEvent(QCloseEvent *event)
{
    if (FormCloseQuery()) {
        event->accept();
        emit Fermeture();
        SupprimeJournal();
    } else {
        event->ignore();
    }
}

std::optional<bool> TWndHTML::SelectionneSuivant(const QString &texte, bool casse, bool motEntier)
{
    const QByteArray octets = texte.toUtf8();
    auto compile = Motif::Compile({octets.constData(), static_cast<std::size_t>(octets.size())},
                                  {casse, motEntier, false});
    Motif &motif = *compile;
    const auto debut = static_cast<std::size_t>(EditHTML->SelStart());
    const auto longueur = static_cast<std::size_t>(EditHTML->SelLength());
    const std::string copie(EditHTML->Texte());
    std::optional<Occurrence> occurrence;
    if (!RechercheEnFond(*EditHTML, copie.size(), [&](Suivi &suivi) {
            occurrence = motif.Cherche(copie, debut, false, &suivi);
            // The occurrence already selected, as after a previous search: the next one starts further on.
            if (occurrence && occurrence->Debut() == debut && occurrence->Fin() - debut == longueur)
                occurrence = motif.Cherche(copie, debut + 1, false, &suivi);
        }))
        return std::nullopt;
    if (!occurrence)
        return false;
    EditHTML->Selectionne(static_cast<qsizetype>(occurrence->Debut()),
                          static_cast<qsizetype>(occurrence->Fin() - occurrence->Debut()));
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
