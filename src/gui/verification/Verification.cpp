// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/verification/Verification.h"

#include "core/document/GrandDocument.h"
#include "core/verification/Balisage.h"
#include "core/verification/Liens.h"
#include "gui/document/WndHTML.h"
#include "gui/settings/CheminsQt.h"
#include "gui/settings/FichierINI.h"
#include "gui/verification/Dictionnaires.h"
#include "gui/verification/Marques.h"
#include "gui/verification/PanneauProblemes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTimer>
#include <QToolTip>

#include <algorithm>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <utility>

namespace {

// After what the view shows, so that its last word is read whole; and the most that one look at the view checks
// (lines that run far past the view's right edge are checked in part).
constexpr std::size_t Suite = 256;
constexpr std::size_t VueMaximale = 1 << 20;
// The pause after a scroll or a keystroke before the words in view are checked, and after the last change before a
// checked page is checked again.
constexpr int DelaiVue = 150;
constexpr int DelaiRelance = 1500;
// The mouse's rest on a problem before its bubble shows.
constexpr int DelaiBulle = 500;

QString MessageCompte(const QString &page, std::size_t nombre)
{
    return nombre == 0   ? QStringLiteral("%1 : aucun problème.").arg(page)
           : nombre == 1 ? QStringLiteral("%1 : 1 problème.").arg(page)
                         : QStringLiteral("%1 : %2 problèmes.").arg(page).arg(nombre);
}

std::string Chemin(const QString &nom)
{
    return EncodeNom(QFileInfo(nom).absoluteFilePath()).toStdString();
}

// Runs the work on a thread of its own, which nothing joins: quitting never waits for a check.
template <typename Travail>
void Detache(Travail travail)
{
    std::thread(std::move(travail)).detach();
}

} // namespace

// The way back from the checks' threads to the controller, which may be gone before a check ends.
struct TVerification::Retour {
    TVerification *verification;
    std::mutex verrou;

    // Runs the suite on the interface thread, unless the controller is gone.
    void Poste(std::function<void()> suite)
    {
        const std::lock_guard garde(verrou);
        if (verification)
            QMetaObject::invokeMethod(verification, std::move(suite), Qt::QueuedConnection);
    }
};

struct TVerification::Page {
    QPointer<TWndHTML> fenetre;
    std::vector<Probleme> balisage;
    std::vector<Probleme> liens;
    std::vector<Probleme> orthographe;
    // What the user asked to check: checked again after each change.
    bool pageDemandee = false;
    bool liensDemandes = false;
    bool enCours = false;
    bool aRefaire = false;
    bool vueEnCours = false;
    bool vueARefaire = false;
    // The result of a check that the user asked for is shown and told; those that follow changes only update.
    bool montrer = false;
    QTimer *vue = nullptr;
    QTimer *relance = nullptr;
};

struct TVerification::Resultat {
    std::uint64_t generation = 0;
    bool balisage = false;
    bool liens = false;
    std::vector<Probleme> problemesBalisage;
    std::vector<Probleme> problemesLiens;
    std::vector<Probleme> problemesOrthographe;
    bool orthographe = false;
};

TVerification::TVerification(TPanneauProblemes &panneau, Utilisateur &utilisateur, TFichierINI &parametres,
                             const QString &dossierPersonnel, ListeFenetres fenetres, QObject *parent)
    : QObject(parent)
    , panneau(panneau)
    , utilisateur(utilisateur)
    , parametres(parametres)
    , personnel(QDir(dossierPersonnel).filePath(QStringLiteral("dictionnaire-personnel.txt")))
    , fenetres(std::move(fenetres))
    , retour(std::make_shared<Retour>(this))
{
    installes = DictionnairesInstalles(
        DossiersDictionnaires(QFile::encodeName(qEnvironmentVariable("DICPATH")).toStdString(),
                              QFile::encodeName(qEnvironmentVariable("XDG_DATA_HOME")).toStdString(),
                              QFile::encodeName(QDir::homePath()).toStdString()));
    orthographe = parametres.LitOrthographe() && !installes.empty();
    code = parametres.LitCode();
    PrepareLangue();
    connect(&panneau, &TPanneauProblemes::Ignorer, this, [this](const QString &mot) { Ignore(mot.toStdString()); });
    connect(&panneau, &TPanneauProblemes::Ajouter, this,
            [this](const QString &mot, const QString &dictionnaire) {
                AjouteAuDictionnaire(mot.toStdString(), dictionnaire.toStdString());
            });
}

TVerification::~TVerification()
{
    const std::lock_guard garde(retour->verrou);
    retour->verification = nullptr;
}

TVerification::Page &TVerification::Etat(TWndHTML *fenetre)
{
    std::unique_ptr<Page> &page = pages[fenetre];
    if (!page) {
        page = std::make_unique<Page>();
        page->fenetre = fenetre;
    }
    return *page;
}

void TVerification::Suit(TWndHTML *fenetre)
{
    Page &page = Etat(fenetre);
    page.vue = new QTimer(fenetre);
    page.vue->setSingleShot(true);
    page.vue->setInterval(DelaiVue);
    connect(page.vue, &QTimer::timeout, this, [this, &page] { VerifieVue(page); });
    page.relance = new QTimer(fenetre);
    page.relance->setSingleShot(true);
    page.relance->setInterval(DelaiRelance);
    connect(page.relance, &QTimer::timeout, this,
            [this, &page] { Lance(page, page.pageDemandee, page.pageDemandee || page.liensDemandes); });
    TEditHTML *texte = fenetre->EditHTML;
    PrepareMarques(*texte);
    connect(texte, &QsciScintillaBase::SCN_UPDATEUI, page.vue, qOverload<>(&QTimer::start));
    connect(texte, &TEditHTML::Modifie, this, [&page] {
        if (page.pageDemandee || page.liensDemandes)
            page.relance->start();
    });
    // The mouse resting on a problem tells what it is.
    texte->SendScintilla(QsciScintillaBase::SCI_SETMOUSEDWELLTIME, static_cast<unsigned long>(DelaiBulle));
    connect(texte, &QsciScintillaBase::SCN_DWELLSTART, this, [this, &page](int position, int x, int y) {
        if (position < 0 || !page.fenetre)
            return;
        TEditHTML *texte = page.fenetre->EditHTML;
        const QString message = Description(page, static_cast<std::size_t>(position));
        if (!message.isEmpty())
            QToolTip::showText(texte->viewport()->mapToGlobal(QPoint(x, y)), message, texte->viewport());
    });
    connect(texte, &QsciScintillaBase::SCN_DWELLEND, this, [] { QToolTip::hideText(); });
    // A checked page that gets a file has its links checked again: they lead somewhere now.
    connect(fenetre, &TWndHTML::FichierUtilise, this, [this, &page](const QString &nom) {
        panneau.Renomme(page.fenetre, nom);
        if (page.pageDemandee || page.liensDemandes)
            Lance(page, page.pageDemandee, true);
    });
    connect(fenetre, &QObject::destroyed, this, [this, fenetre] {
        pages.erase(fenetre);
        if (fenetre == comptee) {
            comptee = nullptr;
            emit MessageChange(compte, {});
        }
    });
    page.vue->start();
}

QString TVerification::Description(Page &page, std::size_t position) const
{
    QStringList messages;
    for (const std::vector<Probleme> *problemes : {&page.balisage, &page.liens, &page.orthographe})
        for (const Probleme &probleme : *problemes)
            if (probleme.debut <= position && position < std::max(probleme.fin, probleme.debut + 1))
                messages << QString::fromStdString(probleme.message);
    // A word that only the check of the view found.
    if (messages.isEmpty())
        if (const auto faute = FauteA(*page.fenetre->EditHTML, position)) {
            const std::string ecrit = page.fenetre->EditHTML->Extrait(faute->first, faute->second);
            const std::vector<Mot> mots = MotsVisibles(ecrit, 0, ecrit.size());
            if (mots.size() == 1)
                messages << MessageFaute(mots.front().texte);
        }
    return messages.join(u'\n');
}

void TVerification::VerifieVue(Page &page)
{
    TWndHTML *fenetre = page.fenetre;
    if (!fenetre || !langue)
        return;
    if (page.vueEnCours) {
        page.vueARefaire = true;
        return;
    }
    TEditHTML *texte = fenetre->EditHTML;
    const auto [debut, finVue] = texte->PlageVisible();
    const std::size_t fin = std::min(finVue, debut + VueMaximale);
    const std::size_t contexte = debut > Recul ? debut - Recul : 0;
    std::string extrait = texte->Extrait(contexte, fin + Suite);
    // The page's own language is read from its start, which the words' context may not reach.
    std::string tete = contexte > 0 ? texte->Extrait(0, Recul) : std::string();
    const std::uint64_t generation = texte->Generation();
    page.vueEnCours = true;
    Detache([this, retour = retour, fenetre = QPointer(fenetre), langue = langue, langues = langues, code = code,
             extrait = std::move(extrait), tete = std::move(tete), contexte, debut, fin, generation] {
        const std::string langueDePage = LangueDePage(contexte > 0 ? tete : extrait);
        const std::vector<Mot> mots = MotsVisibles(extrait, debut - contexte, fin - contexte, {langueDePage, code});
        std::vector<std::pair<std::size_t, std::size_t>> fautes;
        std::size_t premier = debut;
        std::size_t dernier = fin;
        Langues::Vues vues;
        for (const Mot &mot : mots) {
            premier = std::min(premier, contexte + mot.debut);
            dernier = std::max(dernier, contexte + mot.fin);
            const std::shared_ptr<Langue> &langue = langues->DuMot(mot, langueDePage, vues);
            if (langue && !langue->Correct(mot.texte))
                fautes.emplace_back(contexte + mot.debut, contexte + mot.fin);
        }
        retour->Poste([this, fenetre, langue, generation, premier, dernier, fautes = std::move(fautes)] {
            Previent(*langue);
            if (!fenetre)
                return;
            Page &page = Etat(fenetre);
            page.vueEnCours = false;
            TEditHTML *texte = fenetre->EditHTML;
            if (page.vueARefaire || texte->Generation() != generation) {
                page.vueARefaire = false;
                page.vue->start();
                return;
            }
            MarqueFautes(*texte, premier, dernier, fautes);
        });
    });
}

void TVerification::RevoitVues()
{
    for (auto &[fenetre, page] : pages) {
        if (!page->fenetre)
            continue;
        if (!langue) {
            page->orthographe.clear();
            Affiche(*page);
        }
        page->vue->start();
    }
}

void TVerification::VerifiePage(TWndHTML *fenetre)
{
    Page &page = Etat(fenetre);
    page.pageDemandee = true;
    page.montrer = true;
    emit Message(QStringLiteral("Vérification de %1...").arg(fenetre->FileName));
    Lance(page, true, true);
}

void TVerification::VerifieLiens()
{
    int sansFichier = 0;
    for (TWndHTML *fenetre : fenetres()) {
        if (fenetre->Untitled) {
            ++sansFichier;
            continue;
        }
        Page &page = Etat(fenetre);
        page.liensDemandes = true;
        page.montrer = true;
        Lance(page, false, true);
    }
    if (sansFichier)
        emit Message(QStringLiteral("Les liens d'une page sans fichier ne peuvent être vérifiés : enregistrez-la "
                                    "d'abord."));
}

void TVerification::ChoisitSite(const QString &dossier)
{
    siteChoisi = dossier.isEmpty() ? std::string() : Chemin(dossier);
}

void TVerification::Lance(Page &page, bool balisage, bool liens)
{
    TWndHTML *fenetre = page.fenetre;
    if (!fenetre || (!balisage && !liens))
        return;
    if (page.enCours) {
        page.aRefaire = true;
        return;
    }
    page.relance->stop();
    page.enCours = true;
    TEditHTML *texte = fenetre->EditHTML;
    Resultat demande;
    demande.generation = texte->Generation();
    demande.balisage = balisage;
    demande.liens = liens;
    demande.orthographe = balisage && langues;
    // The pages that the links may lead to: those open and modified are read as they stand in their windows.
    std::vector<std::string> chemins;
    std::map<std::string, std::string> ouvertes;
    if (demande.liens && !fenetre->Untitled)
        for (TWndHTML *autre : fenetres()) {
            if (autre->Untitled)
                continue;
            chemins.push_back(Chemin(autre->FileName));
            // A page too big to copy at each check is read from its file.
            if (autre != fenetre && autre->EditHTML->isModified() &&
                autre->EditHTML->Texte().size() <= TailleMaximaleColoration)
                ouvertes.emplace(chemins.back(), autre->EditHTML->Texte());
        }
    const std::string chemin = fenetre->Untitled ? std::string() : Chemin(fenetre->FileName);
    Detache([this, retour = retour, fenetre = QPointer(fenetre), demande = std::move(demande), langue = langue,
             langues = langues, code = code, page = std::string(texte->Texte()), chemin,
             site = siteChoisi.empty() ? DossierCommun(chemins) : siteChoisi,
             ouvertes = std::move(ouvertes)]() mutable {
        Controle(demande, page, chemin, site, ouvertes, langues.get(), code);
        retour->Poste([this, fenetre, langue, demande = std::move(demande)] {
            if (langue)
                Previent(*langue);
            if (fenetre)
                Termine(fenetre, demande);
        });
    });
}

void TVerification::Controle(Resultat &demande, const std::string &page, const std::string &chemin,
                             const std::string &site, const std::map<std::string, std::string> &ouvertes,
                             Langues *langues, bool code)
{
    if (demande.balisage && page.size() <= TailleMaximaleColoration)
        demande.problemesBalisage = VerifieBalisage(page);
    else if (demande.balisage)
        // HTML Tidy holds some twenty times the page in memory.
        demande.problemesBalisage.push_back({0, 0, Probleme::Sorte::NonVerifie,
                                             QStringLiteral("La page passe %1 Mo : son balisage n'est pas vérifié.")
                                                 .arg(TailleMaximaleColoration >> 20)
                                                 .toStdString()});
    if (demande.liens && chemin.empty())
        // Relative links lead nowhere yet.
        demande.problemesLiens.push_back({0, 0, Probleme::Sorte::NonVerifie,
                                          "La page n'a pas encore de fichier : ses liens ne sont pas vérifiés."});
    else if (demande.liens)
        demande.problemesLiens =
            ::VerifieLiens(page, chemin, site, [&ouvertes](const std::string &autre) -> std::optional<std::string> {
                if (const auto ouverte = ouvertes.find(autre); ouverte != ouvertes.end())
                    return ouverte->second;
                return std::nullopt;
            });
    if (demande.orthographe)
        demande.problemesOrthographe = Fautes(page, *langues, code);
}

void TVerification::Termine(TWndHTML *fenetre, const Resultat &resultat)
{
    Page &page = Etat(fenetre);
    page.enCours = false;
    if (fenetre->EditHTML->Generation() != resultat.generation || page.aRefaire) {
        // The page changed while it was checked: the result no longer says where the problems are.
        page.aRefaire = false;
        page.relance->start();
        return;
    }
    if (resultat.balisage) {
        page.balisage = resultat.problemesBalisage;
        page.orthographe = resultat.problemesOrthographe;
        // Words ignored or added while the page was checked.
        RetireConnus(page.orthographe);
    }
    if (resultat.liens)
        page.liens = resultat.problemesLiens;
    Affiche(page);
    if (!page.montrer)
        return;
    page.montrer = false;
    panneau.show();
    comptee = fenetre;
    compte = MessageCompte(fenetre->FileName, page.balisage.size() + page.liens.size() + page.orthographe.size());
    emit Message(compte);
}

void TVerification::Affiche(Page &page)
{
    TWndHTML *fenetre = page.fenetre;
    std::vector<Probleme> tous = page.balisage;
    tous.insert(tous.end(), page.liens.begin(), page.liens.end());
    tous.insert(tous.end(), page.orthographe.begin(), page.orthographe.end());
    std::stable_sort(tous.begin(), tous.end(),
                     [](const Probleme &a, const Probleme &b) { return a.debut < b.debut; });
    MarqueProblemes(*fenetre->EditHTML, tous);
    const std::size_t nombre = tous.size();
    panneau.Remplace(fenetre, fenetre->FileName, fenetre->EditHTML->Texte(), std::move(tous));
    // The words in view are marked again over the marks just laid.
    page.vue->start();
    if (fenetre == comptee) {
        const QString nouveau = MessageCompte(fenetre->FileName, nombre);
        if (nouveau != compte)
            emit MessageChange(std::exchange(compte, nouveau), nouveau);
    }
}

bool TVerification::Suivant(TWndHTML *fenetre, bool precedent)
{
    TEditHTML *texte = fenetre->EditHTML;
    const Probleme *probleme =
        panneau.Suivant(fenetre, static_cast<std::size_t>(texte->SelStart()), precedent);
    if (!probleme) {
        emit Message(QStringLiteral("Aucun problème relevé dans cette page : « Vérifier la page » (F7) la vérifie."));
        return false;
    }
    texte->Selectionne(static_cast<qsizetype>(probleme->debut),
                       static_cast<qsizetype>(probleme->fin - probleme->debut));
    emit Message(QString::fromStdString(probleme->message));
    return true;
}

void TVerification::VerifieCode(bool verifie)
{
    code = verifie;
    if (!parametres.EcritCode(verifie))
        emit Message(parametres.MessageEcritureImpossible());
    RevoitVues();
    // The lists of the pages checked follow the new rule.
    for (auto &[fenetre, page] : pages)
        if (page->fenetre && page->pageDemandee)
            Lance(*page, true, page->liensDemandes);
}

void TVerification::Oublie()
{
    for (auto &[fenetre, page] : pages)
        if (page->fenetre && RetireConnus(page->orthographe) > 0)
            Affiche(*page);
    RevoitVues();
}
