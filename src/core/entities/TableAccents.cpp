// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/entities/TableAccents.h"

#include "core/texte/CodecFichier.h"

#include <algorithm>
#include <optional>

namespace {

// Spaces first, then double quotes: a field written "\" \"" keeps its one space.
std::string Nettoie(std::string_view champ)
{
    const auto retire = [&champ](char c) {
        champ.remove_prefix(std::min(champ.find_first_not_of(c), champ.size()));
        const std::size_t dernier = champ.find_last_not_of(c);
        champ.remove_suffix(champ.size() - (dernier == std::string_view::npos ? 0 : dernier + 1));
    };
    retire(' ');
    retire('"');
    return std::string(champ);
}

LigneAccent LitLigne(std::string_view ligne)
{
    std::string LigneAccent::*const champs[] = {&LigneAccent::entite, &LigneAccent::caractere,
                                                &LigneAccent::signification, &LigneAccent::correction};
    LigneAccent resultat;
    for (auto champ : champs) {
        const std::size_t tab = ligne.find('\t');
        resultat.*champ = Nettoie(ligne.substr(0, tab));
        if (tab == std::string_view::npos)
            break;
        ligne.remove_prefix(tab + 1);
    }
    return resultat;
}

std::optional<LigneAccent> LigneEnWindows1252(const LigneAccent &ligne)
{
    std::optional<std::string> entite = EncodeWindows1252(ligne.entite);
    std::optional<std::string> caractere = EncodeWindows1252(ligne.caractere);
    std::optional<std::string> signification = EncodeWindows1252(ligne.signification);
    std::optional<std::string> correction = EncodeWindows1252(ligne.correction);
    if (!entite || !caractere || !signification || !correction)
        return std::nullopt;
    return LigneAccent{std::move(*entite), std::move(*caractere), std::move(*signification), std::move(*correction)};
}

} // namespace

std::vector<LigneAccent> LitTableAccents(std::string_view contenu)
{
    std::vector<LigneAccent> lignes;
    std::size_t position = 0;
    while (const auto ligne = LigneSuivante(contenu, position))
        lignes.push_back(LitLigne(*ligne));
    return lignes;
}

bool ACorriger(const LigneAccent &ligne)
{
    return ligne.correction == "O" || ligne.correction == "o";
}

std::vector<LigneAccent> ChargeTableAccents(std::string_view octets)
{
    // A mark left by an editor would otherwise stick to the first row's entity.
    if (octets.starts_with(MarqueUtf8))
        octets.remove_prefix(MarqueUtf8.size());
    // One encoding for the whole file: a table cannot be partly UTF-8 and partly Windows-1252.
    std::string decode;
    return LitTableAccents(DecodeFichier(octets, decode).texte);
}

std::vector<LigneAccent> LignesPourEncodage(const std::vector<LigneAccent> &lignes, Encodage encodage)
{
    if (encodage != Encodage::Windows1252)
        return lignes;
    std::vector<LigneAccent> gardees;
    for (const LigneAccent &ligne : lignes)
        if (LigneEnWindows1252(ligne))
            gardees.push_back(ligne);
    return gardees;
}

std::vector<LigneAccent> EnWindows1252(const std::vector<LigneAccent> &lignes)
{
    std::vector<LigneAccent> converties;
    converties.reserve(lignes.size());
    for (const LigneAccent &ligne : lignes)
        if (std::optional<LigneAccent> convertie = LigneEnWindows1252(ligne))
            converties.push_back(std::move(*convertie));
    return converties;
}
