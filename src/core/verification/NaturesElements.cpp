// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/verification/NaturesElements.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace NaturesElements {

namespace {

constexpr auto Natures = AvecContenuLu<Nature>({
    {.nom = "address", .finP = true},
    {.nom = "applet", .famille = Portee},
    {.nom = "area", .vide = true},
    {.nom = "article", .finP = true},
    {.nom = "aside", .finP = true},
    {.nom = "base", .vide = true, .cache = true},
    {.nom = "basefont", .vide = true},
    {.nom = "bgsound", .vide = true},
    {.nom = "blockquote", .finP = true},
    {.nom = "br", .vide = true},
    {.nom = "button", .famille = Portee},
    {.nom = "caption", .famille = Portee},
    {.nom = "code", .code = true},
    {.nom = "col", .vide = true},
    {.nom = "datalist", .famille = Choix},
    {.nom = "dd", .famille = Terme, .finP = true},
    {.nom = "details", .finP = true},
    {.nom = "dialog", .finP = true},
    {.nom = "dir", .famille = Liste, .finP = true},
    {.nom = "div", .finP = true},
    {.nom = "dl", .famille = Definitions, .finP = true},
    {.nom = "dt", .famille = Terme, .finP = true},
    {.nom = "embed", .vide = true},
    {.nom = "fieldset", .finP = true},
    {.nom = "figcaption", .finP = true},
    {.nom = "figure", .finP = true},
    {.nom = "footer", .finP = true},
    {.nom = "form", .finP = true},
    {.nom = "frame", .vide = true},
    {.nom = "h1", .finP = true},
    {.nom = "h2", .finP = true},
    {.nom = "h3", .finP = true},
    {.nom = "h4", .finP = true},
    {.nom = "h5", .finP = true},
    {.nom = "h6", .finP = true},
    {.nom = "head", .cache = true},
    {.nom = "header", .finP = true},
    {.nom = "hgroup", .finP = true},
    {.nom = "hr", .vide = true, .finP = true},
    {.nom = "html", .famille = Portee},
    {.nom = "iframe", .affichage = Affichage::Cache},
    {.nom = "img", .vide = true},
    {.nom = "input", .vide = true},
    {.nom = "kbd", .code = true},
    {.nom = "keygen", .vide = true},
    {.nom = "li", .famille = Article, .finP = true},
    {.nom = "link", .vide = true, .cache = true},
    {.nom = "listing", .code = true, .finP = true},
    {.nom = "main", .finP = true},
    {.nom = "marquee", .famille = Portee},
    {.nom = "menu", .famille = Liste, .finP = true},
    {.nom = "meta", .vide = true, .cache = true},
    {.nom = "nav", .finP = true},
    {.nom = "object", .famille = Portee},
    {.nom = "ol", .famille = Liste, .finP = true},
    {.nom = "optgroup", .famille = Optgroup},
    {.nom = "option", .famille = Option},
    {.nom = "p", .famille = Paragraphe, .finP = true},
    {.nom = "param", .vide = true},
    {.nom = "plaintext", .finP = true, .affichage = Affichage::Litteral},
    {.nom = "pre", .code = true, .finP = true},
    {.nom = "samp", .code = true},
    {.nom = "script", .cache = true, .affichage = Affichage::Cache},
    {.nom = "section", .finP = true},
    {.nom = "select", .famille = Choix},
    {.nom = "source", .vide = true},
    {.nom = "style", .cache = true, .affichage = Affichage::Cache},
    {.nom = "table", .famille = Tableau, .finP = true},
    {.nom = "tbody", .famille = Groupe},
    {.nom = "td", .famille = Cellule},
    {.nom = "template", .famille = Portee},
    {.nom = "textarea"},
    {.nom = "tfoot", .famille = Groupe},
    {.nom = "th", .famille = Cellule},
    {.nom = "thead", .famille = Groupe},
    {.nom = "title", .cache = true},
    {.nom = "tr", .famille = Ligne},
    {.nom = "track", .vide = true},
    {.nom = "tt", .code = true},
    {.nom = "ul", .famille = Liste, .finP = true},
    {.nom = "var", .code = true},
    {.nom = "wbr", .vide = true},
    {.nom = "xmp", .finP = true, .affichage = Affichage::Litteral},
}, LuPar::SansScriptsNiCadres);
static_assert(std::ranges::is_sorted(Natures, {}, &Nature::nom));
static_assert(NommeLesElementsTexte(Natures, LuPar::SansScriptsNiCadres));

// Where the names of each first letter begin in Natures, and the end of the last.
constexpr std::array<std::uint8_t, 27> Index = [] {
    std::array<std::uint8_t, 27> index{};
    std::size_t k = 0;
    for (char lettre = 'a'; lettre <= 'z'; ++lettre) {
        index[std::size_t(lettre - 'a')] = std::uint8_t(k);
        while (k < std::size(Natures) && Natures[k].nom[0] == lettre)
            ++k;
    }
    index[26] = std::uint8_t(k);
    return index;
}();
static_assert(Index[26] == std::size(Natures));

} // namespace

const Nature *NatureDe(std::string_view nom)
{
    if (nom.empty() || nom[0] < 'a' || nom[0] > 'z')
        return nullptr;
    const auto lettre = std::size_t(nom[0] - 'a');
    for (std::size_t k = Index[lettre]; k < Index[lettre + 1]; ++k)
        if (Natures[k].nom == nom)
            return &Natures[k];
    return nullptr;
}

} // namespace NaturesElements
