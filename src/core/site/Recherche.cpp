// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/site/Recherche.h"

#include "core/texte/Encodage.h"
#include "core/texte/Lignes.h"
#include "core/texte/Utf8.h"

#include <fnmatch.h>

#include <algorithm>
#include <exception>
#include <filesystem>
#include <mutex>
#include <thread>

namespace fs = std::filesystem;

namespace {

std::string_view SansBlancs(std::string_view texte)
{
    const auto blanc = [](char c) { return c == ' ' || c == '\t'; };
    while (!texte.empty() && blanc(texte.front()))
        texte.remove_prefix(1);
    while (!texte.empty() && blanc(texte.back()))
        texte.remove_suffix(1);
    return texte;
}

// The files of the folder and of its sub-folders whose names the filter takes; a sub-folder that cannot be read is
// left, and said. A link to a folder is not followed: it could lead back up the tree. Hidden files and folders
// (".git") are left, as the site panel and the rename leave them.
Resultat<Fait, std::string> ListeDossier(const std::string &racine, std::string_view filtre,
                                         std::vector<std::string> &fichiers, std::vector<FichierIgnore> &ignores)
{
    std::vector<fs::path> dossiers{fs::path(racine)};
    while (!dossiers.empty()) {
        const fs::path dossier = std::move(dossiers.back());
        dossiers.pop_back();
        std::error_code erreur;
        fs::directory_iterator entree(dossier, erreur);
        for (; !erreur && entree != fs::directory_iterator(); entree.increment(erreur)) {
            if (entree->path().filename().native().starts_with('.'))
                continue;
            std::error_code sansErreur;
            if (entree->symlink_status(sansErreur).type() == fs::file_type::directory)
                dossiers.push_back(entree->path());
            else if (DansLeFiltre(entree->path().filename().native(), filtre))
                fichiers.push_back(entree->path().native());
        }
        if (erreur) {
            if (dossier == fs::path(racine))
                return Erreur("Ne peut lire le dossier " + racine + " : " + erreur.message());
            ignores.push_back({dossier.native(), RaisonIgnore::Illisible});
        }
    }
    return Fait{};
}

// Line and column of the occurrences of a text, read once: each one at least as far as the one before.
class Positions {
public:
    explicit Positions(std::string_view texte) : texte(texte), lignes(texte), ligne(Prochaine()) {}

    // Moves to the byte, and gives its line as it stands.
    const Ligne &Va(std::size_t octet)
    {
        // A byte between CR and LF stays on the line that they end.
        while (octet >= ligne.apres && ligne.apres > ligne.fin) {
            ligne = Prochaine();
            ++numero;
            lu = ligne.debut;
            colonne = 1;
        }
        colonne += CaracteresUtf8(texte.substr(lu, octet - lu));
        lu = octet;
        return ligne;
    }

    std::size_t numero = 1;
    std::size_t colonne = 1;

private:
    Ligne Prochaine()
    {
        // Past a final line end, an empty line.
        return lignes.Suivante().value_or(Ligne{texte.size(), texte.size(), texte.size()});
    }

    std::string_view texte;
    Lignes lignes;
    Ligne ligne;
    std::size_t lu = 0;
};

// The occurrence [debut, fin) of the text, on its line, as the list of results shows it.
Trouvaille Trouve(std::string_view texte, const Ligne &ligne, std::size_t debut, std::size_t fin)
{
    std::size_t de = ligne.debut;
    std::size_t a = ligne.fin;
    if (a - de > LongueurExtrait) {
        de = DebutCaractereUtf8(texte, debut - std::min(debut - de, LongueurExtrait / 4));
        a = std::min(a, de + LongueurExtrait);
        if (a < ligne.fin)
            a = DebutCaractereUtf8(texte, a);
    }
    Trouvaille trouvaille;
    trouvaille.position = debut;
    trouvaille.longueur = fin - debut;
    trouvaille.texteLigne = texte.substr(de, a - de);
    trouvaille.debut = debut - de;
    trouvaille.fin = std::clamp(fin, debut, a) - de;
    return trouvaille;
}

// A search shared between the threads: each takes the next file not yet taken.
class Travail {
public:
    Travail(const DemandeRecherche &demande, const std::vector<std::string> &fichiers, const RecoitTrouvaille &recoit,
            SuiviRecherche &suivi, const TexteOuvert &ouverts)
        : demande(demande), fichiers(fichiers), recoit(recoit), suivi(suivi), ouverts(ouverts)
    {
    }

    // Searches files until none is left, the search is stopped, or one fails.
    void Travaille(Motif motif) noexcept
    {
        try {
            for (std::size_t i = suivant++; i < fichiers.size() && !Arrete(); i = suivant++) {
                Cherche(motif, fichiers[i]);
                ++suivi.faits;
            }
        } catch (const RechercheAnnulee &) {
            // The user's "Annuler": the report says it.
        } catch (const RechercheAbandonnee &abandon) {
            Echoue(std::make_exception_ptr(abandon));
        } catch (...) {
            Echoue(std::current_exception());
        }
    }

    BilanRecherche bilan;
    std::exception_ptr echec;

private:
    bool Arrete() const
    {
        return arret.load(std::memory_order_relaxed) || suivi.suivi.annule.load(std::memory_order_relaxed);
    }

    void Echoue(std::exception_ptr exception)
    {
        const std::lock_guard garde(verrou);
        if (!echec)
            echec = std::move(exception);
        arret = true;
    }

    void Cherche(Motif &motif, const std::string &chemin)
    {
        ModificationFichier modification;
        if (std::optional<std::string> texte = ouverts ? ouverts(chemin) : std::nullopt) {
            modification.chemin = chemin;
            modification.texte = std::move(*texte);
            modification.fin = DetecteFinDeLigne(modification.texte);
            modification.ouverte = true;
        } else if (auto lu = LitPourModifier(chemin, demande.limite)) {
            modification = std::move(*lu);
        } else {
            const std::lock_guard garde(verrou);
            bilan.ignores.push_back({chemin, lu.Pourquoi()});
            return;
        }

        const std::string_view texte = modification.texte;
        std::vector<Trouvaille> trouvailles;
        Positions positions(texte);
        std::optional<Occurrence> occurrence = motif.Cherche(texte, 0, false, &suivi.suivi);
        while (occurrence) {
            const Ligne &ligne = positions.Va(occurrence->Debut());
            Trouvaille trouvaille = Trouve(texte, ligne, occurrence->Debut(), occurrence->Fin());
            trouvaille.chemin = chemin;
            trouvaille.ligne = positions.numero;
            trouvaille.colonne = positions.colonne;
            trouvaille.ouverte = modification.ouverte;
            if (demande.remplacement) {
                Changement changement{occurrence->Debut(), occurrence->Fin(), {}, trouvaille.ligne,
                                      trouvaille.colonne};
                motif.Developpe(changement.texte, *demande.remplacement, *occurrence, texte);
                modification.changements.push_back(std::move(changement));
            }
            trouvailles.push_back(std::move(trouvaille));
            const std::size_t fin = occurrence->Fin();
            occurrence = motif.Cherche(texte, fin, occurrence->Debut() == fin, &suivi.suivi);
        }

        const std::lock_guard garde(verrou);
        ++bilan.fichiers;
        if (trouvailles.empty())
            return;
        ++bilan.fichiersTrouves;
        bilan.occurrences += trouvailles.size();
        if (recoit) {
            for (const Trouvaille &trouvaille : trouvailles)
                recoit(trouvaille);
        }
        if (demande.remplacement)
            bilan.modifications.push_back(std::move(modification));
    }

    const DemandeRecherche &demande;
    const std::vector<std::string> &fichiers;
    const RecoitTrouvaille &recoit;
    SuiviRecherche &suivi;
    const TexteOuvert &ouverts;
    std::atomic<std::size_t> suivant = 0;
    std::atomic<bool> arret = false;
    // Guards the report, and makes the calls of `recoit` one at a time.
    std::mutex verrou;
};

} // namespace

bool DansLeFiltre(std::string_view nom, std::string_view filtre)
{
    if (SansBlancs(filtre).empty())
        return true;
    const std::string fichier(nom);
    for (std::size_t debut = 0; debut <= filtre.size();) {
        const std::size_t fin = std::min(filtre.find(';', debut), filtre.size());
        const std::string_view glob = SansBlancs(filtre.substr(debut, fin - debut));
        if (!glob.empty() && ::fnmatch(std::string(glob).c_str(), fichier.c_str(), FNM_CASEFOLD) == 0)
            return true;
        debut = fin + 1;
    }
    return false;
}

std::size_t BilanRecherche::Ignores(RaisonIgnore raison) const
{
    return static_cast<std::size_t>(
        std::ranges::count_if(ignores, [raison](const FichierIgnore &ignore) { return ignore.raison == raison; }));
}

Resultat<BilanRecherche, std::string> ChercheDansFichiers(const DemandeRecherche &demande,
                                                          const RecoitTrouvaille &recoit, SuiviRecherche &suivi,
                                                          const TexteOuvert &ouverts)
{
    // An empty text would be found between every two characters of every file.
    if (demande.cherche.empty())
        return Erreur(std::string("Le texte à chercher est vide."));
    auto motif = Motif::Compile(demande.cherche, demande.options);
    if (!motif)
        return Erreur(motif.Pourquoi());

    std::vector<std::string> fichiers = demande.fichiers;
    std::vector<FichierIgnore> ignores;
    if (fichiers.empty()) {
        if (auto liste = ListeDossier(demande.dossier, demande.filtre, fichiers, ignores); !liste)
            return Erreur(liste.Pourquoi());
    }
    // Files in the order of their paths: the same folder gives the same work, in the same order.
    std::ranges::sort(fichiers);
    suivi.total = fichiers.size();

    const unsigned coeurs = demande.fils ? demande.fils : std::max(1u, std::thread::hardware_concurrency());
    const auto nombre = static_cast<unsigned>(std::min<std::size_t>(coeurs, std::max<std::size_t>(fichiers.size(), 1)));
    Travail travail(demande, fichiers, recoit, suivi, ouverts);
    {
        std::vector<std::jthread> ouvriers;
        for (unsigned i = 1; i < nombre; ++i) {
            auto copie = Motif::Compile(demande.cherche, demande.options);
            ouvriers.emplace_back([&travail, m = std::move(*copie)]() mutable { travail.Travaille(std::move(m)); });
        }
        travail.Travaille(std::move(*motif));
    }
    if (travail.echec) {
        try {
            std::rethrow_exception(travail.echec);
        } catch (const RechercheAbandonnee &abandon) {
            return Erreur(std::string(abandon.what()));
        }
    }

    BilanRecherche bilan = std::move(travail.bilan);
    bilan.annulee = suivi.suivi.annule.load();
    bilan.ignores.insert(bilan.ignores.end(), ignores.begin(), ignores.end());
    std::ranges::sort(bilan.ignores, {}, &FichierIgnore::chemin);
    std::ranges::sort(bilan.modifications, {}, &ModificationFichier::chemin);
    return bilan;
}
