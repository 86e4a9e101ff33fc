// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/insertion/FichierTags.h"

#include "core/texte/CodecFichier.h"

namespace {

constexpr std::string_view PrefixeAttribut = "+\t";
// The comma, no-break space and space between a tag's opening and closing texts in its caption.
constexpr std::string_view SeparateurLibelle = ",\u00A0 ";

} // namespace

TTag BaliseDeLigne(std::string_view ligne)
{
    TTag tag;
    tag.Nature = NatureTag::Balise;
    const std::size_t tab = ligne.find('\t');
    if (tab == std::string_view::npos) {
        tag.Texte = ligne;
        tag.Libelle = ligne;
        return tag;
    }
    tag.Texte = ligne.substr(0, tab);
    tag.Fermeture = ligne.substr(tab + 1);
    tag.Libelle.reserve(ligne.size() + SeparateurLibelle.size());
    tag.Libelle.append(tag.Texte).append(SeparateurLibelle).append(tag.Fermeture);
    return tag;
}

std::vector<BaliseTags> LitFichierTags(std::string_view octets)
{
    std::string decode;
    const std::string_view texte = DecodeFichier(octets, decode).texte;

    std::vector<BaliseTags> balises;
    std::size_t position = 0;
    while (const std::optional<std::string_view> ligne = LigneSuivante(texte, position)) {
        // A "+" TAB line before any tag line has no tag to belong to: it is a tag line.
        if (ligne->starts_with(PrefixeAttribut) && !balises.empty()) {
            const std::string_view attribut = ligne->substr(PrefixeAttribut.size());
            balises.back().attributs.push_back(
                {NatureTag::Attribut, std::string(attribut), std::string(), std::string(attribut)});
        } else {
            balises.push_back({BaliseDeLigne(*ligne), {}});
        }
    }
    return balises;
}

std::optional<std::pair<std::string, std::string>> TextesInsertion(const TTag &tag)
{
    switch (tag.Nature) {
    case NatureTag::Balise:
        return std::pair{tag.Texte, tag.Fermeture};
    case NatureTag::Attribut:
        // An attribute without its value gets the equals sign, ready for the value typed after it.
        return std::pair{" " + tag.Texte + (tag.Texte.find('=') == std::string::npos ? "=" : ""), std::string()};
    default:
        return std::nullopt;
    }
}
