// SPDX-License-Identifier: GPL-3.0-or-later
#include "programs/balizo-outils/ChercheRemplace.h"

#include "core/site/Recherche.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

// "1 fichier", "3 fichiers": French takes the singular below two.
std::string Nombre(std::size_t n, std::string_view singulier, std::string_view pluriel)
{
    return std::to_string(n) + ' ' + std::string(n < 2 ? singulier : pluriel);
}

// What one search of the command found: the occurrences, in the order of the paths, and the files to change.
struct Trouve {
    std::vector<Trouvaille> trouvailles;
    BilanRecherche bilan;
};

// The searches that the command asks for: one for each folder, one for the files named; the current folder when it
// names none. A path that cannot be read is said on standard error, and makes the code 2.
std::vector<DemandeRecherche> Demandes(const Commande &commande, int &code)
{
    const bool remplacer = commande.action == Action::Remplacer;
    DemandeRecherche modele;
    modele.cherche = commande.arguments[0];
    modele.options = commande.motif;
    if (commande.filtre)
        modele.filtre = *commande.filtre;
    if (remplacer)
        modele.remplacement = commande.arguments[1];

    std::vector<DemandeRecherche> demandes;
    DemandeRecherche fichiers = modele;
    std::vector<std::string> chemins(commande.arguments.begin() + (remplacer ? 2 : 1), commande.arguments.end());
    if (chemins.empty())
        chemins.emplace_back(".");
    for (const std::string &chemin : chemins) {
        struct stat etat {};
        if (::stat(chemin.c_str(), &etat) != 0) {
            std::fprintf(stderr, "balizo-outils: ne peut ouvrir %s: %s\n", chemin.c_str(), std::strerror(errno));
            code = 2;
        } else if (S_ISDIR(etat.st_mode)) {
            demandes.push_back(modele);
            demandes.back().dossier = chemin;
        } else {
            fichiers.fichiers.push_back(chemin);
        }
    }
    if (!fichiers.fichiers.empty())
        demandes.push_back(std::move(fichiers));
    return demandes;
}

// The name under which the file is shown: as the user named it, without the "./" of the current folder that he
// did not name.
std::string_view Nom(std::string_view chemin, bool dossierCourant)
{
    if (dossierCourant && chemin.starts_with("./"))
        chemin.remove_prefix(2);
    return chemin;
}

// The lines of the file that its changes touch, each before ("-") and after ("+"): a change that runs over a line
// end shows the lines that it joins.
void MontreChangements(const ModificationFichier &modification, std::string_view nom, std::string &sortie)
{
    const std::string_view texte = modification.texte;
    const auto &changements = modification.changements;
    for (std::size_t i = 0; i < changements.size();) {
        const std::size_t avant = texte.find_last_of("\r\n", changements[i].debut == 0 ? 0 : changements[i].debut - 1);
        const std::size_t debut =
            avant == std::string_view::npos || changements[i].debut == 0 ? 0 : avant + 1;
        std::size_t fin = std::min(texte.find_first_of("\r\n", changements[i].fin), texte.size());
        std::vector<Changement> ligne;
        std::size_t j = i;
        for (; j < changements.size() && changements[j].debut <= fin; ++j) {
            fin = std::max(fin, std::min(texte.find_first_of("\r\n", changements[j].fin), texte.size()));
            Changement decale = changements[j];
            decale.debut -= debut;
            decale.fin -= debut;
            ligne.push_back(std::move(decale));
        }
        const std::string_view original = texte.substr(debut, fin - debut);
        const std::string position = std::string(nom) + ':' + std::to_string(changements[i].ligne) + ':' +
                                     std::to_string(changements[i].colonne) + ": ";
        sortie.append(position).append("-").append(original).append("\n");
        sortie.append(position).append("+").append(Applique(original, ligne)).append("\n");
        i = j;
    }
}

} // namespace

SortieRecherche ChercheOuRemplace(const Commande &commande)
{
    SortieRecherche sortie;
    const bool dossierCourant = commande.arguments.size() == (commande.action == Action::Remplacer ? 2u : 1u);
    std::vector<Trouve> trouves;
    for (const DemandeRecherche &demande : Demandes(commande, sortie.code)) {
        Trouve trouve;
        SuiviRecherche suivi;
        auto bilan = ChercheDansFichiers(
            demande, [&](const Trouvaille &trouvaille) { trouve.trouvailles.push_back(trouvaille); }, suivi);
        if (!bilan)
            throw Echec{"balizo-outils: " + bilan.Pourquoi()};
        trouve.bilan = std::move(*bilan);
        // The occurrences of a file come together and in order; the files in the order of their paths.
        std::ranges::stable_sort(trouve.trouvailles, {}, &Trouvaille::chemin);
        trouves.push_back(std::move(trouve));
    }

    std::size_t occurrences = 0;
    std::vector<FichierIgnore> ignores;
    for (const Trouve &trouve : trouves) {
        occurrences += trouve.bilan.occurrences;
        ignores.insert(ignores.end(), trouve.bilan.ignores.begin(), trouve.bilan.ignores.end());
    }

    if (commande.action == Action::Chercher) {
        for (const Trouve &trouve : trouves) {
            for (const Trouvaille &t : trouve.trouvailles)
                sortie.texte.append(Nom(t.chemin, dossierCourant))
                    .append(":" + std::to_string(t.ligne) + ":" + std::to_string(t.colonne) + ": ")
                    .append(t.texteLigne)
                    .append("\n");
        }
        for (const FichierIgnore &ignore : ignores) {
            const std::string nom(Nom(ignore.chemin, dossierCourant));
            const std::string raison(Message(ignore.raison));
            std::fprintf(stderr, "balizo-outils: %s: laissé, %s\n", nom.c_str(), raison.c_str());
        }
        if (sortie.code == 0 && occurrences == 0)
            sortie.code = 1;
        return sortie;
    }

    std::size_t fichiers = 0;
    std::size_t remplacements = 0;
    for (const Trouve &trouve : trouves) {
        for (const ModificationFichier &modification : trouve.bilan.modifications) {
            const std::string_view nom = Nom(modification.chemin, dossierCourant);
            if (!commande.ecrire) {
                MontreChangements(modification, nom, sortie.texte);
            } else if (const auto ecrit = EcritModification(modification); !ecrit) {
                ignores.push_back({modification.chemin, ecrit.Pourquoi()});
                if (sortie.code == 0)
                    sortie.code = 1;
                continue;
            } else {
                const std::size_t nombre = modification.changements.size();
                sortie.texte.append(nom).append(": " + Nombre(nombre, "remplacement", "remplacements") + "\n");
            }
            ++fichiers;
            remplacements += modification.changements.size();
        }
    }
    if (commande.ecrire)
        sortie.texte += Nombre(fichiers, "fichier modifié", "fichiers modifiés") + ", " +
                        Nombre(remplacements, "remplacement", "remplacements") + ".\n";
    else
        sortie.texte += Nombre(remplacements, "remplacement", "remplacements") + " dans " +
                        Nombre(fichiers, "fichier", "fichiers") + " ; rien n'est écrit sans --ecrire.\n";
    if (!ignores.empty()) {
        sortie.texte += Nombre(ignores.size(), "fichier laissé :", "fichiers laissés :") + "\n";
        for (const FichierIgnore &ignore : ignores)
            sortie.texte.append("  ")
                .append(Nom(ignore.chemin, dossierCourant))
                .append(" : ")
                .append(Message(ignore.raison))
                .append("\n");
    }
    return sortie;
}
