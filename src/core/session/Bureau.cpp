// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/session/Bureau.h"

#include "core/texte/Encodage.h"

#include <optional>

namespace {

constexpr std::string_view MarqueSite = "#site=";

// The site's folder that the line names: a full path after the mark.
std::optional<std::string_view> Site(std::string_view ligne)
{
    if (!ligne.starts_with(MarqueSite) || !ligne.substr(MarqueSite.size()).starts_with('/'))
        return std::nullopt;
    return ligne.substr(MarqueSite.size());
}

// The lines of the desktop, up to its Ctrl-Z byte, which marks the end of the text; whatever follows it is padding.
template <typename Action>
void ParcourtLignes(std::string_view contenu, Action action)
{
    contenu = contenu.substr(0, contenu.find('\x1A'));
    std::size_t position = 0;
    while (const auto ligne = LigneSuivante(contenu, position))
        action(*ligne);
}

} // namespace

std::string EcritBureau(const std::vector<std::string> &noms, std::string_view site)
{
    std::size_t taille = site.empty() ? 0 : MarqueSite.size() + site.size() + 1;
    for (const std::string &nom : noms)
        taille += nom.size() + 1;
    std::string contenu;
    contenu.reserve(taille);
    if (!site.empty()) {
        contenu += MarqueSite;
        contenu += site;
        contenu += '\n';
    }
    for (const std::string &nom : noms) {
        contenu += nom;
        contenu += '\n';
    }
    return contenu;
}

std::vector<std::string> LitBureau(std::string_view contenu)
{
    std::vector<std::string> noms;
    ParcourtLignes(contenu, [&noms](std::string_view ligne) {
        if (!ligne.empty() && !Site(ligne))
            noms.emplace_back(ligne);
    });
    return noms;
}

std::string SiteDuBureau(std::string_view contenu)
{
    std::string site;
    ParcourtLignes(contenu, [&site](std::string_view ligne) {
        if (const auto dossier = Site(ligne))
            site = *dossier;
    });
    return site;
}
