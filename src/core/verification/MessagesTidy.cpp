// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/verification/MessagesTidy.h"

#include <tidy/tidy.h>

#include <algorithm>

namespace {

struct Modele {
    unsigned code;
    std::string_view texte;
};

// A message about Tidy's own settings never concerns the page: the check sets them, and the user cannot.
constexpr std::string_view Reglage = "HTML Tidy n'a pas pu être réglé pour vérifier la page";

// Said in the words of Tidy's neighbouring French messages.
constexpr Modele Modeles[] = {
    {ADDED_MISSING_CHARSET, "ajout de l'élément <meta charset> manquant dans %1"},
    {ATTRIBUTE_IS_NOT_ALLOWED, "%1 attribut \"is\" non permis pour une balise personnalisée autonome"},
    {ATTRIBUTE_VALUE_REPLACED, "%1 l'attribut « %2 » a une valeur incorrecte « %3 »"},
    // Tidy's French text ends with the way it reads the element, a word of its settings left in English.
    {CUSTOM_TAG_DETECTED, "balise personnalisée autonome détectée %1"},
    {ESCAPED_ILLEGAL_URI, "%1 échappement de la référence d'URI mal formée"},
    {FILE_CANT_OPEN_CFG, Reglage},
    {FOUND_STYLE_IN_BODY, "balise <style> trouvée dans <body> : sa place est dans <head>"},
    {INVALID_UTF16, "%1 paire de substitution UTF-16 non valide (code de caract. %2)"},
    {MALFORMED_COMMENT_DROPPING, "rejet d'un commentaire probable auquel il manque un tiret"},
    {MALFORMED_COMMENT_EOS, "fin du document atteinte avant la fin du commentaire"},
    {MALFORMED_COMMENT_WARN, "tirets adjacents dans un commentaire"},
    {MISSING_ENDTAG_OPTIONAL, "absence de </%1>, balise de fin facultative"},
    {MISSING_QUOTEMARK_OPEN, "valeur de l'attribut « %1 » sans guillemets"},
    {MOVED_STYLE_TO_HEAD, "balise <style> trouvée dans <body> : sa place est dans <head>"},
    {OPTION_REMOVED, Reglage},
    {OPTION_REMOVED_APPLIED, Reglage},
    {OPTION_REMOVED_UNAPPLIED, Reglage},
    {STRING_ARGUMENT_BAD, Reglage},
    {STRING_MISSING_MALFORMED, Reglage},
    {STRING_MUTING_TYPE, Reglage},
    {STRING_UNKNOWN_OPTION, Reglage},
    {UNKNOWN_ELEMENT_LOOKS_CUSTOM, "%1 n'est pas reconnue!"},
    {XML_DECLARATION_DETECTED, "Une déclaration XML a été détectée : la page est lue comme du HTML."},
};

} // namespace

std::string_view ModeleMessageTidy(unsigned code)
{
    const auto modele = std::ranges::find(Modeles, code, &Modele::code);
    return modele == std::end(Modeles) ? std::string_view() : modele->texte;
}

std::string RemplitModele(std::string_view modele, const std::vector<std::string> &arguments)
{
    std::string texte;
    texte.reserve(modele.size());
    for (std::size_t i = 0; i < modele.size(); ++i) {
        if (modele[i] == '%' && i + 1 < modele.size() && modele[i + 1] >= '1' && modele[i + 1] <= '9') {
            const std::size_t n = std::size_t(modele[++i] - '1');
            if (n < arguments.size())
                texte += arguments[n];
        } else {
            texte += modele[i];
        }
    }
    return texte;
}
