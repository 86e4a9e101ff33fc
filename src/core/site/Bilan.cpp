// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/site/Bilan.h"

namespace {

// "1 fichier modifié", "3 fichiers modifiés": the noun and its adjective take an "s" past one.
std::string Nombre(std::size_t n, std::string_view nom, std::string_view adjectif = {})
{
    const std::string_view s = n > 1 ? "s" : "";
    std::string texte = std::to_string(n) + ' ' + std::string(nom) + std::string(s);
    if (!adjectif.empty())
        texte += ' ' + std::string(adjectif) + std::string(s);
    return texte;
}

} // namespace

std::string Resume(const BilanRecherche &bilan)
{
    std::string resume = bilan.annulee ? "Recherche annulée : " : "";
    resume += bilan.occurrences == 0
                  ? std::string(bilan.annulee ? "aucune occurrence" : "Aucune occurrence")
                  : Nombre(bilan.occurrences, "occurrence") + " dans " + Nombre(bilan.fichiersTrouves, "fichier");
    resume += ", sur " + Nombre(bilan.fichiers, "fichier") + (bilan.fichiers > 1 ? " lus." : " lu.");
    if (bilan.ignores.empty())
        return resume;
    resume += ' ' + Nombre(bilan.ignores.size(), "fichier", "laissé") + " (";
    const char *separateur = "";
    for (const RaisonIgnore raison : {RaisonIgnore::Illisible, RaisonIgnore::Binaire, RaisonIgnore::TropGrand})
        if (const std::size_t n = bilan.Ignores(raison)) {
            resume += separateur + std::string(Message(raison)) + " : " + std::to_string(n);
            separateur = ", ";
        }
    return resume + ").";
}

std::string Rapport(const Bilan &bilan, std::string_view dossier, std::size_t nombreNomme)
{
    std::string rapport = bilan.fichiers == 0
                              ? std::string("Aucun fichier modifié.")
                              : Nombre(bilan.fichiers, "fichier", "modifié") + ", " +
                                    Nombre(bilan.changements, "remplacement") + '.';
    if (bilan.pagesOuvertes == 1)
        rapport += "\n1 page ouverte a été modifiée dans sa fenêtre, sans être enregistrée.";
    else if (bilan.pagesOuvertes > 1)
        rapport += "\n" + std::to_string(bilan.pagesOuvertes) +
                   " pages ouvertes ont été modifiées dans leurs fenêtres, sans être enregistrées.";
    if (bilan.nonTraites > 0)
        rapport += "\nArrêté avant la fin : " + Nombre(bilan.nonTraites, "fichier") + " non " +
                   (bilan.nonTraites > 1 ? "traités." : "traité.");
    if (bilan.laisses.empty())
        return rapport;
    rapport += '\n' + Nombre(bilan.laisses.size(), "fichier", "laissé") + " :";
    std::string prefixe(dossier);
    if (!prefixe.empty() && prefixe.back() != '/')
        prefixe += '/';
    for (std::size_t i = 0; i < bilan.laisses.size() && i < nombreNomme; ++i) {
        std::string_view chemin = bilan.laisses[i].chemin;
        if (prefixe.size() > 1 && chemin.starts_with(prefixe))
            chemin.remove_prefix(prefixe.size());
        rapport += "\n  " + std::string(chemin) + " : " + std::string(Message(bilan.laisses[i].raison));
    }
    if (bilan.laisses.size() > nombreNomme)
        rapport += "\n  et " + Nombre(bilan.laisses.size() - nombreNomme, "autre") + '.';
    return rapport;
}
