// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/texte/Casse.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>
#include <iterator>
#include <memory>
#include <optional>
#include <string_view>

// The reading of HTML mark-up that the readers of a page share (the line cutting, the link and spelling checks): where
// a tag, a comment or the text content of an element ends, as a browser's tokenizer finds it, and what a character
// reference stands for. Positions are byte offsets in the text; what the text leaves unfinished runs to its end. The
// text is read as bytes: its mark-up must be ASCII, as it is in UTF-8 and in Windows-1252.

// The white space of HTML.
constexpr bool EstEspaceHtml(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

// The text without the HTML white space at its ends.
constexpr std::string_view SansEspaces(std::string_view texte)
{
    while (!texte.empty() && EstEspaceHtml(texte.front()))
        texte.remove_prefix(1);
    while (!texte.empty() && EstEspaceHtml(texte.back()))
        texte.remove_suffix(1);
    return texte;
}

constexpr bool EstLettreAscii(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// The next occurrence of c from i, or the end of the text.
inline std::size_t Suivant(std::string_view texte, std::size_t i, char c)
{
    const void *trouve = std::memchr(texte.data() + i, c, texte.size() - i);
    return trouve ? std::size_t(static_cast<const char *>(trouve) - texte.data()) : texte.size();
}

// What a '<' opens.
enum class Ouverture {
    Texte,    // nothing: the '<' is text
    Ouvrante, // a start tag, its name right after the '<'
    Fermante, // an end tag, its name after "</"
    Autre,    // a comment, a CDATA section, a declaration, a processing instruction, an end tag without a name
};

// What the '<' at i opens: a tag when a letter comes next (after the '/' of an end tag), the others when '!', '?' or
// '/' does.
Ouverture OuvertureDe(std::string_view texte, std::size_t i);

// After the construct of Ouverture::Autre whose '<' is at i. A comment ends at the first "-->" or "--!>", the dashes of
// its "<!--" counted, so that "<!-->" is one; a CDATA section at "]]>"; the others at the next '>'.
std::size_t FinAutre(std::string_view texte, std::size_t i);

// Where the name of the tag that begins at i ends: at white space, '/', '>' or the end of the text.
std::size_t FinNom(std::string_view texte, std::size_t i);

// An attribute that has a value, as LitAttributs finds it: its name, and where its value is written, without its
// quotes.
struct Attribut {
    std::string_view nom;
    std::size_t debut;
    std::size_t fin;
    // The value's quote is never closed: the value runs to the end of the text, and the browser drops the tag.
    bool ouvert;
};

// Reads the attributes of a tag from i, past its name, and calls visite(const Attribut &) for each one that has a
// value, in text order. Returns the position past the tag's '>', the first one outside a quoted value, or the end of
// the text. A name begins with any character, '=' too; a quote opens a value only right after an attribute's '=' (white
// space allowed between); a value without quotes ends at white space or '>'.
template <typename Visiteur> std::size_t LitAttributs(std::string_view texte, std::size_t i, Visiteur &&visite)
{
    const std::size_t taille = texte.size();
    while (i < taille) {
        if (texte[i] == '>')
            return i + 1;
        if (EstEspaceHtml(texte[i]) || texte[i] == '/') {
            ++i;
            continue;
        }
        const std::size_t debutNom = i++;
        while (i < taille && !EstEspaceHtml(texte[i]) && texte[i] != '/' && texte[i] != '>' && texte[i] != '=')
            ++i;
        const std::string_view nom = texte.substr(debutNom, i - debutNom);
        while (i < taille && EstEspaceHtml(texte[i]))
            ++i;
        if (i == taille || texte[i] != '=')
            continue;
        ++i;
        while (i < taille && EstEspaceHtml(texte[i]))
            ++i;
        if (i == taille || texte[i] == '>')
            continue;
        if (texte[i] == '"' || texte[i] == '\'') {
            const std::size_t fin = Suivant(texte, i + 1, texte[i]);
            visite(Attribut{nom, i + 1, fin, fin == taille});
            i = std::min(fin + 1, taille);
            continue;
        }
        const std::size_t debut = i;
        while (i < taille && !EstEspaceHtml(texte[i]) && texte[i] != '>')
            ++i;
        visite(Attribut{nom, debut, i, false});
    }
    return taille;
}

// Past the '>' that ends the tag whose name ends at i, as LitAttributs finds it.
inline std::size_t FinBalise(std::string_view texte, std::size_t i)
{
    return LitAttributs(texte, i, [](const Attribut &) {});
}

// How the browser reads the content of an element.
enum class Contenu {
    Balises,  // mark-up, as the rest of the page
    Preforme, // mark-up, but its line ends show
    Brut,     // text up to its end tag
    Script,   // text up to its end tag, but for the escapes that "<!--" opens
    SansFin,  // text up to the end of the page
};

// Who reads the page, as far as noscript, noembed and noframes go: a browser that runs scripts and shows frames and
// embedded objects reads their content as text, which it never shows; a reader without them reads it as mark-up.
enum class LuPar {
    Navigateur,          // all three as text: the mark-up as a browser finds it
    SansScripts,         // noscript as mark-up: the links that a reader without scripts follows
    SansScriptsNiCadres, // all three as mark-up: the text that a reader without scripts, frames or objects sees
};

// An element whose content a browser reads as text, how it reads it, and the last reader, in the order of LuPar,
// that reads it so.
struct ElementTexte {
    std::string_view nom;
    Contenu contenu;
    LuPar jusqua;
};

inline constexpr ElementTexte ElementsTexte[] = {
    {"iframe", Contenu::Brut, LuPar::SansScriptsNiCadres},
    {"noembed", Contenu::Brut, LuPar::SansScripts},
    {"noframes", Contenu::Brut, LuPar::SansScripts},
    {"noscript", Contenu::Brut, LuPar::Navigateur},
    {"plaintext", Contenu::SansFin, LuPar::SansScriptsNiCadres},
    {"script", Contenu::Script, LuPar::SansScriptsNiCadres},
    {"style", Contenu::Brut, LuPar::SansScriptsNiCadres},
    {"textarea", Contenu::Brut, LuPar::SansScriptsNiCadres},
    {"title", Contenu::Brut, LuPar::SansScriptsNiCadres},
    {"xmp", Contenu::Brut, LuPar::SansScriptsNiCadres},
};
static_assert(std::ranges::is_sorted(ElementsTexte, {}, &ElementTexte::nom));

// How the reader reads the content of the element `nom`, in lower case: as ElementsTexte says, when it reads it as
// text; as mark-up otherwise.
constexpr Contenu ContenuLu(std::string_view nom, LuPar lecteur)
{
    const ElementTexte *element = std::ranges::find(ElementsTexte, nom, &ElementTexte::nom);
    return element != std::end(ElementsTexte) && lecteur <= element->jusqua ? element->contenu : Contenu::Balises;
}

// A reader's own table of elements, whose members `nom` (in lower case) and `contenu` its entries have, with the
// content of each entry that says Contenu::Balises read as ContenuLu reads it: the tables of elements name the
// elements whose content is text, ElementsTexte tells how they read it.
template <typename Element, std::size_t N>
constexpr std::array<Element, N> AvecContenuLu(Element (&&elements)[N], LuPar lecteur)
{
    std::array<Element, N> table = std::to_array(std::move(elements));
    for (Element &element : table)
        if (element.contenu == Contenu::Balises)
            element.contenu = ContenuLu(element.nom, lecteur);
    return table;
}

// Whether the table has an entry for each element whose content the reader reads as text.
template <typename Table> constexpr bool NommeLesElementsTexte(const Table &table, LuPar lecteur)
{
    return std::ranges::all_of(ElementsTexte, [&](const ElementTexte &element) {
        return ContenuLu(element.nom, lecteur) == Contenu::Balises ||
               std::ranges::find(table, element.nom, [](const auto &entree) { return entree.nom; }) != std::end(table);
    });
}

// The '<' of the end tag of the element `nom` (in lower case) whose text content, read as `contenu`, begins at i; the
// end of the text when it has none; i itself when the content is mark-up. The end tag is "</" and the name without
// regard to ASCII case, then white space, '/' or '>'. In a script "<!--" opens an escape, which "-->" closes; in an
// escape "<script" opens a second one, in which "</script" closes only that one.
std::size_t FinContenu(std::string_view texte, std::size_t i, std::string_view nom, Contenu contenu);

// Past the end tag of the element `nom` whose '<' FinContenu found at i; the end of the text when i is.
inline std::size_t ApresFermeture(std::string_view texte, std::size_t i, std::string_view nom)
{
    return i < texte.size() ? FinBalise(texte, i + 2 + nom.size()) : i;
}

// Past the text content of the element `nom` that begins at i and its end tag; i itself when the content is mark-up.
inline std::size_t ApresContenu(std::string_view texte, std::size_t i, std::string_view nom, Contenu contenu)
{
    if (contenu == Contenu::Balises || contenu == Contenu::Preforme)
        return i;
    return ApresFermeture(texte, FinContenu(texte, i, nom, contenu), nom);
}

// The entry of the table, whose member `nom` is in lower case and sorts it, named `nom` without regard to ASCII case;
// nullptr when there is none.
template <typename Table> const std::ranges::range_value_t<Table> *ChercheNom(const Table &table, std::string_view nom)
{
    const auto avant = [](std::string_view a, std::string_view b) {
        return std::ranges::lexicographical_compare(a, b, {}, MinusculeAscii, MinusculeAscii);
    };
    const auto trouve = std::ranges::lower_bound(table, nom, avant, &std::ranges::range_value_t<Table>::nom);
    if (trouve == std::ranges::end(table) || !EgauxSansCasseAscii(trouve->nom, nom))
        return nullptr;
    return std::to_address(trouve);
}

// A character reference: the character it stands for, and the end of its text.
struct Reference {
    char32_t caractere;
    std::size_t fin;
    // A name ("&eacute;"), not a number.
    bool nommee;
};

// The character reference whose '&' is at i: a name of HTML 4 or "apos" followed by ';', or '#' and digits in base 10,
// or "#x" and digits in base 16, the ';' after them optional. A number stands for the character of that code, but for
// 0x80 to 0x9F, read as Windows-1252 bytes, and for 0, surrogates and numbers past Unicode, which give U+FFFD. Nothing
// when no reference begins there: the '&' is then itself.
std::optional<Reference> LitReference(std::string_view texte, std::size_t i);
