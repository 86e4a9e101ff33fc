// SPDX-License-Identifier: GPL-3.0-or-later
#include "programs/balizo-outils/Renommer.h"

#include "core/site/Renommage.h"
#include "core/verification/Liens.h"

#include <cstdio>
#include <cstring>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

// The file named from the current folder when it lies in it, as the user wrote the paths; otherwise in full.
std::string Nomme(const std::string &chemin)
{
    std::error_code erreur;
    const fs::path courant = fs::current_path(erreur);
    const std::string relatif = fs::path(chemin).lexically_relative(courant).string();
    return erreur || relatif.empty() || relatif.starts_with("..") ? chemin : relatif;
}

std::string Pluriel(std::size_t nombre, const std::string &mot)
{
    return std::to_string(nombre) + ' ' + mot + (nombre > 1 ? "s" : "");
}

} // namespace

CompteRendu Renomme(const Commande &commande)
{
    const auto renommage = PrepareRenommage(commande.site.value_or("."), commande.arguments[0], commande.arguments[1]);
    if (!renommage)
        throw Echec{"balizo-outils: " + renommage.Pourquoi()};
    // Nothing is moved before every page is read: a page that cannot be read is said before anything changes.
    const std::optional<PlanRenommage> plan =
        PlanifieRenommage(*renommage, FichiersDuSite(renommage->site), {}, TailleMaximaleCible);
    CompteRendu compte;
    for (const auto &[chemin, raison] : plan->ignores) {
        std::fprintf(stderr, "balizo-outils: %s laissé : %s\n", Nomme(chemin).c_str(),
                     std::string(Message(raison)).c_str());
        compte.code = 1;
    }
    for (const LienRenomme &lien : plan->liens)
        compte.texte += Nomme(lien.fichier) + ':' + std::to_string(lien.ligne) + ':' + std::to_string(lien.colonne) +
                        ": " + lien.ancien + " -> " + lien.nouveau + '\n';
    if (commande.essai) {
        compte.texte += Pluriel(plan->liens.size(), "lien") + " à changer dans " +
                        Pluriel(plan->modifications.size(), "fichier") + " ; essai : rien n'est renommé ni écrit.\n";
        return compte;
    }
    if (const auto deplace = Deplace(*renommage); !deplace)
        throw Echec{"balizo-outils: ne peut renommer " + Nomme(renommage->ancien) + " en " +
                    Nomme(renommage->nouveau) + ": " + std::strerror(deplace.Pourquoi().value())};
    // The files are written where they now stand, over what they were when read: a file changed since is left.
    std::size_t liens = 0;
    std::size_t fichiers = 0;
    for (const ModificationFichier &modification : plan->modifications) {
        if (const auto ecrit = EcritModification(modification); !ecrit) {
            std::fprintf(stderr, "balizo-outils: %s laissé : %s\n", Nomme(modification.chemin).c_str(),
                         std::string(Message(ecrit.Pourquoi())).c_str());
            compte.code = 1;
            continue;
        }
        liens += modification.changements.size();
        ++fichiers;
    }
    compte.texte += Nomme(renommage->ancien) + " devient " + Nomme(renommage->nouveau) + " ; " +
                    Pluriel(liens, "lien") + " changé" + (liens > 1 ? "s" : "") + " dans " +
                    Pluriel(fichiers, "fichier") + ".\n";
    return compte;
}
