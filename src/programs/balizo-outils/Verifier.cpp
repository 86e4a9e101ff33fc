// SPDX-License-Identifier: GPL-3.0-or-later
#include "programs/balizo-outils/Verifier.h"

#include "core/document/GrandDocument.h"
#include "core/settings/Chemins.h"
#include "core/settings/Ouverture.h"
#include "core/texte/CodecFichier.h"
#include "core/verification/Balisage.h"
#include "core/verification/Langues.h"
#include "core/verification/Liens.h"
#include "programs/balizo-outils/Arguments.h"
#include "programs/balizo-outils/Lecture.h"
#include "programs/balizo-outils/Outils.h"
#include "programs/balizo-outils/Parallele.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <optional>
#include <string_view>

namespace {

std::string Environnement(const char *nom)
{
    const char *valeur = std::getenv(nom);
    return valeur ? valeur : "";
}

// The personal word list of the editor that the user runs: beside a portable copy's settings, or in the user's
// configuration folder.
std::string Personnel()
{
    const std::string programme = DossierDuProgramme();
    struct stat etat;
    const std::string ini = programme + "/Balizo.ini";
    const bool portable = !programme.empty() && stat(ini.c_str(), &etat) == 0 && S_ISREG(etat.st_mode);
    const std::string fichier =
        ChoixEmplacementParametres(programme, portable,
                                   DossierConfiguration(Environnement("XDG_CONFIG_HOME"), Environnement("HOME")))
            .fichier;
    return DictionnairePersonnel(fichier.substr(0, fichier.rfind('/')));
}

// The dictionary that the command line asks for, as the editor chooses its own when the user has not; none when
// spelling is not checked. Throws Echec when the dictionary named is not installed.
std::optional<DictionnaireInstalle> Choix(const Commande &commande,
                                          const std::vector<DictionnaireInstalle> &installes)
{
    if (commande.orthographe == "non")
        return std::nullopt;
    const std::string nom = commande.orthographe.value_or(DictionnaireParDefaut(installes));
    if (nom.empty()) {
        std::fprintf(stderr, "balizo-outils: aucun dictionnaire français n'est installé : l'orthographe n'est pas "
                             "vérifiée (--orthographe=DICTIONNAIRE pour en choisir un autre).\n");
        return std::nullopt;
    }
    const auto installe = std::ranges::find(installes, nom, &DictionnaireInstalle::nom);
    if (installe != installes.end())
        return *installe;
    std::string message = "balizo-outils: le dictionnaire " + nom + " n'est pas installé";
    if (installes.empty())
        message += " (aucun ne l'est)";
    for (std::size_t i = 0; i < installes.size(); ++i)
        message += (i == 0 ? " (installés : " : ", ") + installes[i].nom;
    throw Echec{message + (installes.empty() ? "." : ").")};
}

// What a check on a core uses: the dictionaries, when the spelling is checked, and what the links' checks read from
// the site's files.
struct Poste {
    std::shared_ptr<Langues> langues;
    LecturesDuSite lectures;
};

// The posts of the checks on the cores, one to each at a time: Hunspell is not to be shared between threads, and a
// lock on it would check the words of all the pages one after the other; what a post has read of the site serves
// the pages checked on it next.
class Reserve {
public:
    Reserve(std::optional<DictionnaireInstalle> choisi, std::vector<DictionnaireInstalle> installes)
        : choisi(std::move(choisi)), installes(std::move(installes)), personnel(Personnel())
    {
    }

    std::unique_ptr<Poste> Prend()
    {
        {
            const std::lock_guard garde(verrou);
            if (!libres.empty()) {
                std::unique_ptr<Poste> poste = std::move(libres.back());
                libres.pop_back();
                return poste;
            }
        }
        auto poste = std::make_unique<Poste>();
        if (choisi)
            poste->langues = Langues::Choisit(*choisi, installes, personnel, {});
        return poste;
    }

    void Rend(std::unique_ptr<Poste> poste)
    {
        const std::lock_guard garde(verrou);
        if (poste->langues && poste->langues->choisie->illisible && !dit) {
            dit = true;
            std::fprintf(stderr, "balizo-outils: ne peut lire le dictionnaire personnel %s : ses mots ne sont pas "
                                 "reconnus.\n", personnel.c_str());
        }
        libres.push_back(std::move(poste));
    }

private:
    std::optional<DictionnaireInstalle> choisi;
    std::vector<DictionnaireInstalle> installes;
    std::string personnel;
    std::mutex verrou;
    std::vector<std::unique_ptr<Poste>> libres;
    bool dit = false;
};

std::string_view Sorte(Probleme::Sorte sorte)
{
    switch (sorte) {
    case Probleme::Sorte::Erreur:
        return "erreur";
    case Probleme::Sorte::Orthographe:
        return "orthographe";
    case Probleme::Sorte::Lien:
        return "lien";
    case Probleme::Sorte::Avertissement:
    case Probleme::Sorte::NonVerifie:
        break;
    }
    // What could not be checked (a page too big for Tidy, too many unknown words) is a warning.
    return "avertissement";
}

// The page's problems, as "Vérifier la page" finds them, in the order of the text, the mark-up's first at one place,
// then the links', then the spelling's.
std::vector<Probleme> Problemes(std::string_view texte, const std::string &chemin, const std::string &site,
                                bool balisage, Poste &poste)
{
    std::vector<Probleme> problemes;
    if (balisage && texte.size() <= TailleMaximaleColoration)
        problemes = VerifieBalisage(texte);
    else if (balisage)
        // HTML Tidy holds some twenty times the page in memory.
        problemes.push_back({0, 0, Probleme::Sorte::NonVerifie,
                             "La page passe " + std::to_string(TailleMaximaleColoration >> 20) +
                                 " Mo : son balisage n'est pas vérifié."});
    for (Probleme &probleme : VerifieLiens(texte, chemin, site, {}, &poste.lectures))
        if (!probleme.autreSite)
            problemes.push_back(std::move(probleme));
    if (poste.langues)
        for (Probleme &probleme : Fautes(texte, *poste.langues, false))
            problemes.push_back(std::move(probleme));
    std::ranges::stable_sort(problemes, {}, &Probleme::debut);
    return problemes;
}

// The lines of one page, or the message that says why it is not checked.
struct Page {
    std::string lignes;
    std::string echec;
};

Page VerifieUnePage(const std::string &nom, const std::string &chemin, const std::string &site, bool balisage,
                    Reserve &reserve)
{
    Page page;
    // A named pipe would wait for a writer, a device may act when it is read: only regular files are pages.
    const auto ouvert = OuvreSansAttendre(nom);
    Octets octets;
    const int erreur = !ouvert ? ouvert.Pourquoi().value() : octets.Lit(*ouvert, false);
    if (ouvert)
        close(*ouvert);
    if (erreur == EINVAL) {
        page.echec = "balizo-outils: " + nom + " n'est pas un fichier ordinaire (un dossier, un tube nommé ou un "
                     "périphérique) : il n'est pas vérifié.";
        return page;
    }
    if (erreur) {
        page.echec = "balizo-outils: ne peut lire le fichier " + nom + ": " + std::strerror(erreur);
        return page;
    }
    // A page never holds a NUL byte; a picture or an archive always does.
    if (octets.Vue().find('\0') != std::string_view::npos) {
        page.echec = "balizo-outils: " + nom + " est un fichier binaire, pas une page HTML : il n'est pas vérifié.";
        return page;
    }
    std::string tampon;
    const std::string_view texte = DecodeFichier(octets.Vue(), tampon).texte;
    std::unique_ptr<Poste> poste = reserve.Prend();
    const std::vector<Probleme> problemes = Problemes(texte, chemin, site, balisage, *poste);
    reserve.Rend(std::move(poste));
    CompteurLignes compteur(texte);
    for (const Probleme &probleme : problemes) {
        const LigneColonne position = compteur.Position(probleme.debut);
        std::string message = probleme.message;
        std::ranges::replace(message, '\n', ' ');
        page.lignes += nom + ':' + std::to_string(position.ligne) + ':' + std::to_string(position.colonne) + ": ";
        page.lignes.append(Sorte(probleme.sorte)).append(": ").append(message) += '\n';
    }
    return page;
}

} // namespace

std::string DossierDuSite(const Commande &commande, const std::vector<std::string> &chemins)
{
    const std::string site = commande.site ? CheminLong(*commande.site) : DossierCommun(chemins);
    struct stat etat;
    const int erreur = stat(site.c_str(), &etat) != 0 ? errno : S_ISDIR(etat.st_mode) ? 0 : ENOTDIR;
    if (erreur)
        throw Echec{"balizo-outils: ne peut ouvrir le dossier du site " + site + ": " + std::strerror(erreur)};
    return site;
}

Verification VerifiePages(const Commande &commande)
{
    // By file name, each once.
    std::vector<std::string> noms = commande.arguments;
    std::ranges::sort(noms);
    noms.erase(std::unique(noms.begin(), noms.end()), noms.end());
    std::vector<std::string> chemins;
    for (const std::string &nom : noms)
        chemins.push_back(CheminLong(nom));
    const std::string site = DossierDuSite(commande, chemins);
    std::vector<DictionnaireInstalle> installes = DictionnairesInstalles(
        DossiersDictionnaires(Environnement("DICPATH"), Environnement("XDG_DATA_HOME"), Environnement("HOME")));
    std::optional<DictionnaireInstalle> choisi = Choix(commande, installes);
    Reserve reserve(std::move(choisi), std::move(installes));

    std::vector<Page> pages(noms.size());
    Lot lot(noms.size(), [&](std::size_t k) {
        pages[k] = VerifieUnePage(noms[k], chemins[k], site, commande.balisage, reserve);
    });
    lot.Termine();

    Verification resultat;
    for (const Page &page : pages) {
        if (!page.echec.empty()) {
            std::fprintf(stderr, "%s\n", page.echec.c_str());
            resultat.code = 2;
        }
        resultat.lignes += page.lignes;
    }
    if (resultat.code == 0 && !resultat.lignes.empty())
        resultat.code = 1;
    return resultat;
}
