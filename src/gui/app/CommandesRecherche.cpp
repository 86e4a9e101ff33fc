// SPDX-License-Identifier: GPL-3.0-or-later
// The frame's commands across the site's files: the texts of the open pages that they read, and the one way their
// changes are made, in the pages' windows or in the files.

#include "gui/app/MDIHtml.h"

#include "core/site/Recherche.h"
#include "gui/app/Session.h"
#include "gui/dialogs/DlgRechercheFichiers.h"
#include "gui/document/WndHTML.h"
#include "gui/settings/CheminsQt.h"
#include "gui/site/DlgModifications.h"
#include "gui/site/EnFond.h"
#include "gui/site/PanneauRecherche.h"
#include "gui/site/RechercheFichiers.h"

#include <QFileInfo>
#include <QStatusBar>
#include <QTimer>
#include <QTreeWidget>

#include <algorithm>
#include <memory>
#include <new>
#include <optional>

#include <sys/stat.h>

namespace {

// A file as the system knows it, to find it under any of its names: its device and inode, or, when it is not
// there, its full name.
struct Identite {
    std::string chemin;
    bool existe = false;
    dev_t peripherique = 0;
    ino_t inode = 0;

    explicit Identite(std::string nom)
        : chemin(std::move(nom))
    {
        struct stat fichier {};
        existe = ::stat(chemin.c_str(), &fichier) == 0;
        peripherique = fichier.st_dev;
        inode = fichier.st_ino;
    }

    bool Meme(const Identite &autre) const
    {
        return existe ? autre.existe && peripherique == autre.peripherique && inode == autre.inode
                      : !autre.existe && chemin == autre.chemin;
    }
};

Identite IdentitePage(const TWndHTML &w)
{
    return Identite(EncodeNom(CheminLong(w.FileName)).toStdString());
}

// The window of the page open with the file, the one further in front when it is open twice.
TWndHTML *FenetreDuFichier(const QList<TWndHTML *> &fenetres, const std::string &chemin)
{
    const Identite fichier(chemin);
    for (TWndHTML *w : fenetres)
        if (!w->Untitled && IdentitePage(*w).Meme(fichier))
            return w;
    return nullptr;
}

// What the dialog asks for, when it can be searched: the motif compiles and the folder is there; otherwise the
// user is told why, and nothing.
std::optional<RechercheDemandee> DemandeValide(TDlgRechercheFichiers &dialogue, Utilisateur &utilisateur)
{
    RechercheDemandee demande = dialogue.Demande();
    if (demande.texte.isEmpty())
        return std::nullopt;
    if (auto motif = Motif::Compile(demande.texte.toStdString(), demande.options); !motif) {
        utilisateur.Erreur(&dialogue, QString::fromStdString(motif.Pourquoi()));
        return std::nullopt;
    }
    if (demande.dossier.isEmpty() || !QFileInfo(demande.dossier).isDir()) {
        utilisateur.Erreur(&dialogue, demande.dossier.isEmpty()
                                          ? QStringLiteral("Choisissez le dossier où rechercher.")
                                          : QStringLiteral("Le dossier \"%1\" n'existe pas.").arg(
                                                NomAffiche(demande.dossier)));
        return std::nullopt;
    }
    dialogue.NoteHistoriques();
    return demande;
}

// The demand of the core, from the dialog's fields.
DemandeRecherche Demande(const RechercheDemandee &demandee)
{
    DemandeRecherche demande;
    demande.dossier = EncodeNom(demandee.dossier).toStdString();
    demande.filtre = demandee.filtre.toStdString();
    demande.cherche = demandee.texte.toStdString();
    demande.options = demandee.options;
    return demande;
}

} // namespace

void TMDIHtml::CreeRechercheFichiers()
{
    dlgRechercheFichiers = new TDlgRechercheFichiers(this, *utilisateur);
    panneauRecherche = new TPanneauRecherche(this);
    addDockWidget(Qt::BottomDockWidgetArea, panneauRecherche);
    panneauRecherche->hide();
    rechercheFichiers = new TRechercheFichiers(*panneauRecherche, this);
    connect(dlgRechercheFichiers, &TDlgRechercheFichiers::Rechercher, this, &TMDIHtml::LanceRechercheFichiers);
    connect(dlgRechercheFichiers, &TDlgRechercheFichiers::Remplacer, this, &TMDIHtml::LanceRemplacementFichiers);
    connect(panneauRecherche, &TPanneauRecherche::Aller, this, &TMDIHtml::AllerAuResultat);
}

void TMDIHtml::RechercherDansLesFichiers()
{
    dlgRechercheFichiers->ProposeSite(DossierSite());
    dlgRechercheFichiers->ProposeTexte(PremiereLigneSelectionnee());
    dlgRechercheFichiers->show();
    dlgRechercheFichiers->raise();
    dlgRechercheFichiers->activateWindow();
}

void TMDIHtml::AfficheResultatsRecherche()
{
    BasculePanneau(*panneauRecherche, "ResultatsRecherche", *panneauRecherche->Liste);
}

void TMDIHtml::RemplacerDansLesFichiers()
{
    dlgRechercheFichiers->VersRemplacement();
    RechercherDansLesFichiers();
}

void TMDIHtml::AllerAuResultat(const ResultatTrouve &resultat)
{
    const std::string chemin = EncodeNom(resultat.chemin).toStdString();
    TWndHTML *w = FenetreDuFichier(Fenetres(), chemin);
    if (w) {
        Active(w);
    } else {
        session->Ouvre(resultat.chemin);
        w = FenetreDuFichier(Fenetres(), chemin);
        if (!w)
            return;
    }
    // By its line and column, which stay right when the page was changed elsewhere since.
    TEditHTML &edit = *w->EditHTML;
    const auto ligne = static_cast<long>(resultat.ligne) - 1;
    const long debutLigne = edit.SendScintilla(QsciScintilla::SCI_POSITIONFROMLINE, static_cast<unsigned long>(ligne));
    if (debutLigne < 0)
        return;
    const long finLigne = edit.SendScintilla(QsciScintilla::SCI_GETLINEENDPOSITION, static_cast<unsigned long>(ligne));
    const long debut = std::min(finLigne, edit.SendScintilla(QsciScintilla::SCI_POSITIONRELATIVE,
                                                             static_cast<unsigned long>(debutLigne),
                                                             static_cast<long>(resultat.colonne) - 1));
    const auto longueur = static_cast<long>(resultat.fin - resultat.debut);
    edit.Selectionne(debut, std::min(longueur, edit.SendScintilla(QsciScintilla::SCI_GETLENGTH) - debut));
    edit.setFocus();
    // A window just opened gets its size from the window system afterwards, which would leave the occurrence out
    // of view.
    QTimer::singleShot(0, &edit, [&edit] { edit.SendScintilla(QsciScintilla::SCI_SCROLLCARET); });
}

void TMDIHtml::LanceRechercheFichiers()
{
    const std::optional<RechercheDemandee> demandee = DemandeValide(*dlgRechercheFichiers, *utilisateur);
    if (!demandee)
        return;
    dlgRechercheFichiers->close();
    panneauRecherche->show();
    panneauRecherche->raise();
    panneauRecherche->Liste->setFocus();
    rechercheFichiers->Lance(Demande(*demandee), TextesOuverts());
}

void TMDIHtml::LanceRemplacementFichiers()
{
    const std::optional<RechercheDemandee> demandee = DemandeValide(*dlgRechercheFichiers, *utilisateur);
    if (!demandee)
        return;
    DemandeRecherche demande = Demande(*demandee);
    demande.remplacement = demandee->remplacement.toStdString();
    dlgRechercheFichiers->close();
    const QString titre = QStringLiteral("Remplacer dans les fichiers");
    const TexteOuvert ouverts = TextesOuverts();
    std::optional<Resultat<BilanRecherche, std::string>> recherche;
    try {
        if (!EnFond(this, titre, QStringLiteral("Recherche dans les fichiers..."), [&](SuiviRecherche &suivi) {
                recherche.emplace(ChercheDansFichiers(demande, {}, suivi, ouverts));
            })) {
            statusBar()->showMessage(QStringLiteral("Remplacement annulé : aucun fichier n'a été modifié."));
            return;
        }
    } catch (const std::bad_alloc &) {
        utilisateur->Erreur(this, MemoireInsuffisante());
        return;
    }
    if (!*recherche) {
        utilisateur->Erreur(this, QString::fromStdString(recherche->Pourquoi()));
        return;
    }
    BilanRecherche &bilan = **recherche;
    if (bilan.modifications.empty()) {
        utilisateur->Information(this, titre, QString::fromStdString(Resume(bilan)));
        return;
    }
    TDlgModifications liste(this, bilan.modifications, demandee->dossier);
    if (utilisateur->Execute(liste) != QDialog::Accepted)
        return;
    std::vector<ModificationFichier> choisies;
    for (const std::size_t rang : liste.Choisies())
        choisies.push_back(std::move(bilan.modifications[rang]));
    // The files that the search could not read are left too.
    Bilan fait = AppliqueModifications(choisies);
    fait.laisses.insert(fait.laisses.begin(), bilan.ignores.begin(), bilan.ignores.end());
    utilisateur->Information(this, titre, QString::fromStdString(Rapport(fait, demande.dossier)));
}

TexteOuvert TMDIHtml::TextesOuverts() const
{
    struct Page {
        Identite identite;
        std::string texte;
    };
    auto pages = std::make_shared<std::vector<Page>>();
    for (const TWndHTML *w : Fenetres())
        if (!w->Untitled)
            pages->push_back({IdentitePage(*w), std::string(w->EditHTML->Texte())});
    return [pages](const std::string &chemin) -> std::optional<std::string> {
        const Identite fichier(chemin);
        for (const Page &page : *pages)
            if (page.identite.Meme(fichier))
                return page.texte;
        return std::nullopt;
    };
}

Bilan TMDIHtml::AppliqueModifications(const std::vector<ModificationFichier> &modifications)
{
    Bilan bilan;
    std::vector<const ModificationFichier *> surDisque;
    const QList<TWndHTML *> fenetres = Fenetres();
    for (const ModificationFichier &modification : modifications) {
        if (modification.changements.empty())
            continue;
        TWndHTML *w = FenetreDuFichier(fenetres, modification.chemin);
        if (!w && !modification.ouverte) {
            surDisque.push_back(&modification);
            continue;
        }
        // The page was closed, or its text changed, since it was read: the changes would land elsewhere.
        if (!w || w->EditHTML->Texte() != modification.texte) {
            bilan.laisses.push_back({modification.chemin, RaisonIgnore::ModifieDepuis});
            continue;
        }
        // Only the bytes from the first change to the end of the last one, so that Scintilla keeps the rest, its
        // marks and folds.
        const std::vector<Changement> &changements = modification.changements;
        const std::string nouveau = Applique(modification.texte, changements);
        const std::size_t debut = changements.front().debut;
        const std::size_t apres = modification.texte.size() - changements.back().fin;
        w->EditHTML->Remplace(static_cast<qsizetype>(debut), static_cast<qsizetype>(changements.back().fin),
                              std::string_view(nouveau).substr(debut, nouveau.size() - apres - debut));
        ++bilan.fichiers;
        ++bilan.pagesOuvertes;
        bilan.changements += changements.size();
    }
    if (surDisque.empty())
        return bilan;

    std::vector<std::optional<RaisonIgnore>> echecs(surDisque.size());
    std::size_t faits = 0;
    // Cancelling stops before the next file: a file is written whole or not at all.
    EnFond(this, QStringLiteral("Remplacer dans les fichiers"), QStringLiteral("Écriture des fichiers..."),
           [&](SuiviRecherche &suivi) {
               suivi.total = surDisque.size();
               for (; faits < surDisque.size() && !suivi.suivi.annule; suivi.faits = ++faits) {
                   try {
                       if (auto ecrit = EcritModification(*surDisque[faits]); !ecrit)
                           echecs[faits] = ecrit.Pourquoi();
                   } catch (const std::bad_alloc &) {
                       echecs[faits] = RaisonIgnore::NonEcrit;
                   }
               }
           });
    for (std::size_t i = 0; i < faits; ++i) {
        if (echecs[i]) {
            bilan.laisses.push_back({surDisque[i]->chemin, *echecs[i]});
            continue;
        }
        ++bilan.fichiers;
        bilan.changements += surDisque[i]->changements.size();
    }
    bilan.nonTraites = surDisque.size() - faits;
    return bilan;
}
