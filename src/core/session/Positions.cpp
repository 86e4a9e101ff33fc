// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/session/Positions.h"

#include "core/texte/Utf8.h"

#include <algorithm>
#include <charconv>

namespace {

// Reads the decimal number that ends at the next comma, and steps over the comma.
std::optional<std::size_t> LitNombre(std::string_view &valeur)
{
    const std::size_t virgule = valeur.find(',');
    if (virgule == 0 || virgule == std::string_view::npos)
        return std::nullopt;
    std::size_t nombre = 0;
    const char *fin = valeur.data() + virgule;
    const auto [arret, erreur] = std::from_chars(valeur.data(), fin, nombre);
    if (erreur != std::errc() || arret != fin)
        return std::nullopt;
    valeur.remove_prefix(virgule + 1);
    return nombre;
}

} // namespace

std::string EcritPosition(const PositionPage &position)
{
    return std::to_string(position.curseur) + ',' + std::to_string(position.premiereLigne) + ',' + position.fichier;
}

std::optional<PositionPage> LitPosition(std::string_view valeur)
{
    const std::optional<std::size_t> curseur = LitNombre(valeur);
    const std::optional<std::size_t> ligne = curseur ? LitNombre(valeur) : std::nullopt;
    if (!ligne || valeur.empty())
        return std::nullopt;
    return PositionPage{std::string(valeur), *curseur, *ligne};
}

void NotePosition(std::vector<PositionPage> &positions, PositionPage position)
{
    std::erase_if(positions, [&](const PositionPage &ancienne) { return ancienne.fichier == position.fichier; });
    positions.insert(positions.begin(), std::move(position));
    if (positions.size() > NombrePositions)
        positions.resize(NombrePositions);
}

PositionPage DansLeTexte(PositionPage position, std::string_view texte, std::size_t lignes)
{
    std::size_t curseur = DebutCaractereUtf8(texte, std::min(position.curseur, texte.size()));
    if (curseur > 0 && curseur < texte.size() && texte[curseur - 1] == '\r' && texte[curseur] == '\n')
        --curseur;
    position.curseur = curseur;
    position.premiereLigne = std::min(position.premiereLigne, lignes > 0 ? lignes - 1 : 0);
    return position;
}
