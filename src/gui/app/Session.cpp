// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/Session.h"

#include "core/document/Journal.h"
#include "core/session/Bureau.h"
#include "core/session/LigneDeCommande.h"
#include "core/session/Positions.h"
#include "gui/app/MDIHtml.h"
#include "gui/document/Recuperation.h"
#include "gui/document/WndHTML.h"
#include "gui/settings/CheminsQt.h"
#include "gui/settings/FichierINI.h"
#include "gui/settings/Fichiers.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QMenu>
#include <QScopeGuard>
#include <QStatusBar>

#include <algorithm>
#include <memory>
#include <new>
#include <vector>

#include <sys/stat.h>

namespace {

const QString FiltreBureau = QStringLiteral("Fichiers de bureau|*.dsk");

// The positions kept in the settings, newest first; a value that cannot be read is left out.
std::vector<PositionPage> Positions(TFichierINI &parametres)
{
    std::vector<PositionPage> positions;
    for (const QString &valeur : parametres.LitPositions())
        if (std::optional<PositionPage> position = LitPosition(valeur.toStdString()))
            positions.push_back(std::move(*position));
    return positions;
}

} // namespace

TSession::TSession(TMDIHtml &principal, Utilisateur &utilisateur, TFichierINI &parametres,
                   TRecuperation &recuperation)
    : QObject(&principal)
    , principal(principal)
    , utilisateur(utilisateur)
    , parametres(parametres)
    , recuperation(recuperation)
    , ouverture{QStringLiteral("Ouverture d'une page HTML..."), FiltreDocuments(), {}, true, {}}
    , enregistrementBureau{{}, FiltreBureau, QStringLiteral("dsk"), false, {}}
    , chargementBureau{{}, FiltreBureau, QStringLiteral("dsk"), false, {}}
{
}

void TSession::Demarrage(const QStringList &arguments)
{
    if (arguments.isEmpty()) {
        RouvreDerniereSession();
        return;
    }
    std::vector<std::string> morceaux;
    for (const QString &argument : arguments)
        morceaux.push_back(EncodeNom(argument).toStdString());
    // Each page opens where it was left.
    for (const std::string &nom : FichiersNommes(morceaux, EstUnFichier))
        OuvreDepose(DecodeNom(nom));
}

void TSession::ProposeRecuperation()
{
    const auto ensuite = qScopeGuard([this] {
        if (std::exchange(dernieresPagesEnAttente, false))
            RouvrePages();
    });
    // Only the headers are read here: a journal may be larger than the memory, or than a page may be.
    struct Journal {
        QString fichier;
        Resultat<DebutJournalLu, ErreurJournal> debut;
    };
    std::vector<Journal> journaux;
    QStringList pages;
    const QLocale francais(QLocale::French);
    for (const QString &fichier : recuperation.Orphelins()) {
        auto debut = TRecuperation::LitDebut(fichier);
        if (debut) {
            const QString date = francais.toString(QDateTime::fromMSecsSinceEpoch(debut->entete.modification),
                                                   QStringLiteral("d MMMM yyyy à HH:mm"));
            const QString nom = NomAffiche(DecodeNom(debut->entete.nom));
            if (debut->longueurTexte > TEditHTML::TailleMaximale)
                pages << QStringLiteral("%1, modifiée le %2 : %3 Mo, trop grande pour l'éditeur")
                             .arg(nom, date, francais.toString(qulonglong(debut->longueurTexte >> 20)));
            else
                pages << QStringLiteral("%1, modifiée le %2, %3")
                             .arg(nom, date, francais.formattedDataSize(qint64(debut->longueurTexte)));
        } else {
            const ErreurJournal erreur = debut.Pourquoi();
            pages << QStringLiteral("%1 : %2").arg(NomAffiche(QFileInfo(fichier).fileName()),
                                                  erreur == ErreurJournal::Tronque ? QStringLiteral("copie incomplète")
                                                  : erreur == ErreurJournal::Illisible
                                                      ? QStringLiteral("copie illisible")
                                                      : QStringLiteral("écrite par une version plus récente"));
        }
        journaux.push_back({fichier, std::move(debut)});
    }
    if (journaux.empty())
        return;
    const Utilisateur::Recuperation choix = utilisateur.ProposeRecuperation(&principal, pages);
    if (choix == Utilisateur::Recuperation::PlusTard)
        return;
    for (const Journal &journal : journaux) {
        if (choix == Utilisateur::Recuperation::Recuperer) {
            const auto &debut = journal.debut;
            // A newer program may read what this one cannot, and a machine with more room a larger page.
            if (debut ? debut->longueurTexte > TEditHTML::TailleMaximale || !Recupere(journal.fichier, *debut)
                      : debut.Pourquoi() == ErreurJournal::FormatPlusRecent)
                continue;
        }
        recuperation.Supprime(journal.fichier);
    }
}

bool TSession::Recupere(const QString &journal, const DebutJournalLu &debut)
{
    const QString nom = NomAffiche(DecodeNom(debut.entete.nom));
    const QString manque =
        QStringLiteral("La page %1 ne peut être récupérée : mémoire insuffisante. Sa copie de secours est gardée "
                       "pour un prochain démarrage.")
            .arg(nom);
    QFile source;
    if (!OuvreEnLecture(journal, source)) {
        utilisateur.Erreur(&principal, QStringLiteral("La copie de secours de %1 ne peut être lue.").arg(nom));
        return false;
    }
    const auto taille = static_cast<std::size_t>(source.size());
    std::unique_ptr<char[]> octets;
    try {
        octets = std::make_unique_for_overwrite<char[]>(taille);
    } catch (const std::bad_alloc &) {
        utilisateur.Erreur(&principal, manque);
        return false;
    }
    const auto lu = source.read(octets.get(), qint64(taille)) == qint64(taille)
                        ? LitJournal(std::string_view(octets.get(), taille))
                        : Erreur(ErreurJournal::Tronque);
    if (!lu) {
        utilisateur.Erreur(&principal, QStringLiteral("La copie de secours de %1 est illisible.").arg(nom));
        return true;
    }
    TWndHTML *w = principal.NouvelleFenetre();
    try {
        w->Recupere(*lu);
    } catch (const std::bad_alloc &) {
        // Left empty and unmodified, the window closes without a question.
        if (QWidget *cadre = w->parentWidget())
            cadre->close();
        utilisateur.Erreur(&principal, manque);
        return false;
    }
    return true;
}

void TSession::Ouvrir()
{
    // In the folder of the active page, else where the last page was chosen.
    DialogueFichier dialogue = ouverture;
    if (TWndHTML *w = principal.FenetreActive(); w && !w->Untitled)
        dialogue.nomPropose = QFileInfo(w->FileName).absolutePath();
    const QString nom = utilisateur.FichierAOuvrir(&principal, dialogue);
    if (nom.isEmpty())
        return;
    ouverture.nomPropose = nom;
    Ouvre(nom);
}

void TSession::Ouvre(const QString &nom)
{
    const QString chemin = CheminLong(nom);
    // The same file under any of its names: the same device and inode, or the same full name for a file that is
    // not there.
    const QByteArray octets = EncodeNom(chemin);
    struct stat fichier {};
    const bool existe = ::stat(octets.constData(), &fichier) == 0;
    const QString question = QStringLiteral("%1 est déjà ouvert. Voulez-vous l'ouvrir une seconde fois ?");
    bool accepte = false;
    for (TWndHTML *w : principal.Fenetres()) {
        if (w->Untitled)
            continue;
        struct stat autre {};
        const bool meme = existe ? ::stat(EncodeNom(w->FileName).constData(), &autre) == 0 &&
                                       autre.st_dev == fichier.st_dev && autre.st_ino == fichier.st_ino
                                 : w->FileName == chemin;
        if (!meme)
            continue;
        accepte = utilisateur.OuiNon(&principal, QStringLiteral("Confirmation"), question.arg(NomAffiche(w->FileName)));
        if (accepte)
            break;
        principal.Active(w);
        return;
    }
    // Modified in another running program: its journal says so.
    if (!accepte && recuperation.ModifieAilleurs(chemin) &&
        !utilisateur.OuiNon(&principal, QStringLiteral("Confirmation"), question.arg(NomAffiche(chemin))))
        return;
    OuvreFenetre(chemin);
}

void TSession::OuvreFenetre(const QString &chemin)
{
    TWndHTML *w = principal.NouvelleFenetre();
    w->OpenFile(chemin);
    if (w->Untitled)
        return;
    const std::string nom = chemin.toStdString();
    const std::vector<PositionPage> positions = Positions(parametres);
    const auto position = std::ranges::find(positions, nom, &PositionPage::fichier);
    if (position == positions.end())
        return;
    TEditHTML &texte = *w->EditHTML;
    const PositionPage place = DansLeTexte(*position, texte.Texte(), std::size_t(texte.lines()));
    texte.SendScintilla(QsciScintilla::SCI_SETEMPTYSELECTION, place.curseur);
    texte.setFirstVisibleLine(
        int(texte.SendScintilla(QsciScintilla::SCI_VISIBLEFROMDOCLINE, place.premiereLigne)));
}

void TSession::NotePosition(const TWndHTML &w)
{
    if (w.Untitled)
        return;
    const TEditHTML &texte = *w.EditHTML;
    std::vector<PositionPage> positions = Positions(parametres);
    ::NotePosition(positions,
                   {CheminLong(w.FileName).toStdString(),
                    std::size_t(texte.SendScintilla(QsciScintilla::SCI_GETCURRENTPOS)),
                    std::size_t(texte.SendScintilla(QsciScintilla::SCI_DOCLINEFROMVISIBLE, texte.firstVisibleLine()))});
    QStringList valeurs;
    for (const PositionPage &position : positions)
        valeurs << QString::fromStdString(EcritPosition(position));
    if (!parametres.EcritPositions(valeurs))
        principal.statusBar()->showMessage(parametres.MessageEcritureImpossible());
}

void TSession::RouvreDerniereSession()
{
    if (!parametres.LitRouvrirSession())
        return;
    if (recuperation.Orphelins().isEmpty())
        RouvrePages();
    else
        dernieresPagesEnAttente = true;
}

void TSession::RouvrePages()
{
    const TFichierINI::PagesOuvertes session = parametres.LitDernieresPages();
    TWndHTML *active = nullptr;
    for (qsizetype rang = 0; rang < session.pages.size(); ++rang) {
        const QString &page = session.pages[rang];
        // A recovered page already holds the file, newer than the one on disk.
        const QList<TWndHTML *> ouvertes = principal.Fenetres();
        if (struct stat etat {}; ::stat(EncodeNom(page).constData(), &etat) != 0 || !S_ISREG(etat.st_mode) ||
                                 std::ranges::any_of(ouvertes, [&](const TWndHTML *w) { return w->FileName == page; }))
            continue;
        Ouvre(page);
        if (rang == session.active)
            active = principal.FenetreActive();
    }
    if (active)
        principal.Active(active);
}

void TSession::NoteDernieresPages(const QStringList &pages, qsizetype active)
{
    if (!parametres.EcritDernieresPages({pages, active}))
        principal.statusBar()->showMessage(parametres.MessageEcritureImpossible());
}

void TSession::NoteRecent(const QString &nom)
{
    // A page named on the command line may hold a relative name.
    const QString chemin = CheminLong(nom);
    QStringList pages = parametres.LitRecents();
    pages.removeAll(chemin);
    pages.prepend(chemin);
    if (!parametres.EcritRecents(pages))
        principal.statusBar()->showMessage(parametres.MessageEcritureImpossible());
}

void TSession::RemplitRecents(QMenu &menu)
{
    menu.clear();
    const QStringList pages = parametres.LitRecents();
    for (qsizetype rang = 0; rang < pages.size(); ++rang) {
        const QString nom = pages[rang];
        QString texte = NomAffiche(nom);
        texte.replace(u'&', QStringLiteral("&&"));
        menu.addAction(QStringLiteral("&%1 %2").arg(rang + 1).arg(texte), this, [this, nom] { OuvreRecent(nom); });
    }
    menu.setEnabled(!pages.isEmpty());
}

void TSession::OuvreRecent(const QString &nom)
{
    if (struct stat etat {}; ::stat(EncodeNom(nom).constData(), &etat) == 0) {
        Ouvre(nom);
        return;
    }
    QStringList pages = parametres.LitRecents();
    pages.removeAll(nom);
    parametres.EcritRecents(pages);
    utilisateur.Erreur(
        &principal, QStringLiteral("%1 n'existe plus : la page est retirée des fichiers récents.").arg(NomAffiche(nom)));
}

void TSession::OuvreDepose(const QString &fichier)
{
    // A desktop loads, as it does from the command line.
    if (EstUnBureau(EncodeNom(fichier).toStdString()))
        ChargeBureau(fichier);
    else
        Ouvre(fichier);
}

void TSession::EnregistreBureau()
{
    const QString nom = utilisateur.FichierAEnregistrer(&principal, enregistrementBureau);
    if (nom.isEmpty())
        return;
    enregistrementBureau.nomPropose = nom;
    std::vector<std::string> noms;
    const QList<TWndHTML *> fenetres = principal.Fenetres();
    // From the back to the front: the active page is loaded last, and so comes back in front.
    for (auto w = fenetres.crbegin(); w != fenetres.crend(); ++w) {
        // A page named on the command line may hold a relative name: the desktop must open it from any folder.
        const QString fichier = (*w)->Untitled ? (*w)->FileName : CheminLong((*w)->FileName);
        // The desktop holds one name a line: such a name would come back as two names that exist nowhere.
        if (fichier.contains(u'\n') || fichier.contains(u'\r')) {
            utilisateur.Avertissement(
                &principal, QStringLiteral("Bureau"),
                QStringLiteral("Le nom de %1 contient un saut de ligne : cette page n'est pas inscrite dans le bureau.")
                    .arg(NomAffiche(fichier)));
            continue;
        }
        noms.push_back(EncodeNom(fichier).toStdString());
    }
    // The site, on a line that a program which knows no site leaves: the desktop still loads there.
    QString site = principal.SiteChoisi();
    if (site.contains(u'\n') || site.contains(u'\r')) {
        utilisateur.Avertissement(
            &principal, QStringLiteral("Bureau"),
            QStringLiteral("Le nom du site %1 contient un saut de ligne : il n'est pas inscrit dans le bureau.")
                .arg(NomAffiche(site)));
        site.clear();
    }
    const std::string contenu = EcritBureau(noms, EncodeNom(site).toStdString());
    if (!EcritFichier(nom, {contenu}))
        utilisateur.Erreur(&principal, QStringLiteral("Ne peut créer le fichier %1").arg(NomAffiche(nom)));
}

void TSession::ChargeUnBureau()
{
    const QString nom = utilisateur.FichierAOuvrir(&principal, chargementBureau);
    if (nom.isEmpty())
        return;
    chargementBureau.nomPropose = nom;
    ChargeBureau(nom);
}

void TSession::ChargeBureau(const QString &nom)
{
    principal.FenetresFermerTout();
    QFile bureau;
    if (!OuvreEnLecture(nom, bureau))
        return;
    const QByteArray contenu = bureau.readAll();
    if (bureau.error() != QFileDevice::NoError) {
        utilisateur.Erreur(&principal, bureau.errorString());
        return;
    }
    const std::string_view octets(contenu.constData(), static_cast<std::size_t>(contenu.size()));
    // A desktop without a site leaves the chosen one as it is.
    if (const QString site = DecodeNom(SiteDuBureau(octets)); !site.isEmpty()) {
        if (QFileInfo(site).isDir())
            principal.ChoisitSite(site);
        else
            utilisateur.Erreur(&principal,
                               QStringLiteral("Le site %1 de ce bureau n'existe plus.").arg(NomAffiche(site)));
    }
    for (const std::string &ligne : LitBureau(octets)) {
        const QString fichier = DecodeNom(ligne);
        if (QFile essai; !OuvreEnLecture(fichier, essai))
            continue;
        OuvreFenetre(CheminLong(fichier));
    }
}
