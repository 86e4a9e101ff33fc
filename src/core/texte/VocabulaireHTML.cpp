// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/texte/VocabulaireHTML.h"

#include "core/texte/Casse.h"
#include "core/texte/NomsHTML.h"

#include <algorithm>
#include <iterator>

namespace {

// Lists of attribute names stand as one text, the names sorted and separated by single spaces: a compact table.

// Calls `f` on each name of `liste` in turn as long as it returns true; whether it always did.
constexpr bool PourChaqueNom(std::string_view liste, auto f)
{
    while (!liste.empty()) {
        const std::size_t blanc = std::min(liste.find(' '), liste.size());
        if (!f(liste.substr(0, blanc)))
            return false;
        liste.remove_prefix(std::min(blanc + 1, liste.size()));
    }
    return true;
}

// The attributes that every element takes: HTML 4.01's core, language and keyboard attributes with its events of
// mouse and keyboard, HTML5's global attributes, and the events of focus and input that forms use most.
constexpr std::string_view Communs =
    "accesskey autocapitalize autofocus class contenteditable dir draggable enterkeyhint hidden id inert inputmode "
    "is itemid itemprop itemref itemscope itemtype lang nonce onblur onchange onclick oncontextmenu ondblclick "
    "onfocus oninput onkeydown onkeypress onkeyup onmousedown onmouseenter onmouseleave onmousemove onmouseout "
    "onmouseover onmouseup popover role slot spellcheck style tabindex title translate";

// An element's own attributes, in HTML 4.01 (the transitional and frameset ones included) and in HTML5.
struct AttributsPropres {
    std::string_view element;
    std::string_view attributs;
};

constexpr AttributsPropres Propres[] = {
    {"a", "charset coords download href hreflang name ping referrerpolicy rel rev shape target type"},
    {"applet", "align alt archive code codebase height hspace name object vspace width"},
    {"area", "alt coords download href hreflang nohref ping referrerpolicy rel shape target type"},
    {"audio", "autoplay controls crossorigin loop muted preload src"},
    {"base", "href target"},
    {"basefont", "color face size"},
    {"blockquote", "cite"},
    {"body", "alink background bgcolor link onafterprint onbeforeprint onbeforeunload onhashchange onload onmessage "
             "onoffline ononline onpagehide onpageshow onpopstate onresize onstorage onunload text vlink"},
    {"br", "clear"},
    {"button", "disabled form formaction formenctype formmethod formnovalidate formtarget name popovertarget "
               "popovertargetaction type value"},
    {"canvas", "height width"},
    {"caption", "align"},
    {"col", "align char charoff span valign width"},
    {"colgroup", "align char charoff span valign width"},
    {"data", "value"},
    {"del", "cite datetime"},
    {"details", "name ontoggle open"},
    {"dialog", "open"},
    {"dir", "compact"},
    {"div", "align"},
    {"dl", "compact"},
    {"embed", "height src type width"},
    {"fieldset", "disabled form name"},
    {"font", "color face size"},
    {"form", "accept accept-charset action autocomplete enctype method name novalidate onreset onsubmit rel target"},
    {"frame", "frameborder longdesc marginheight marginwidth name noresize scrolling src"},
    {"frameset", "cols onload onunload rows"},
    {"h1", "align"},
    {"h2", "align"},
    {"h3", "align"},
    {"h4", "align"},
    {"h5", "align"},
    {"h6", "align"},
    {"head", "profile"},
    {"hr", "align noshade size width"},
    {"html", "version xmlns"},
    {"iframe", "align allow allowfullscreen frameborder height loading longdesc marginheight marginwidth name onload "
               "referrerpolicy sandbox scrolling src srcdoc width"},
    {"img", "align alt border crossorigin decoding fetchpriority height hspace ismap loading longdesc name onerror "
            "onload referrerpolicy sizes src srcset usemap vspace width"},
    {"input", "accept align alt autocomplete checked dirname disabled form formaction formenctype formmethod "
              "formnovalidate formtarget height ismap list max maxlength min minlength multiple name onselect "
              "pattern placeholder popovertarget popovertargetaction readonly required size src step type usemap "
              "value width"},
    {"ins", "cite datetime"},
    {"isindex", "prompt"},
    {"label", "for"},
    {"legend", "align"},
    {"li", "type value"},
    {"link", "as blocking charset crossorigin disabled fetchpriority href hreflang imagesizes imagesrcset integrity "
             "media onerror onload referrerpolicy rel rev sizes target type"},
    {"map", "name"},
    {"menu", "compact"},
    {"meta", "charset content http-equiv media name scheme"},
    {"meter", "high low max min optimum value"},
    {"object", "align archive border classid codebase codetype data declare form height hspace name standby type "
               "usemap vspace width"},
    {"ol", "compact reversed start type"},
    {"optgroup", "disabled label"},
    {"option", "disabled label selected value"},
    {"output", "for form name"},
    {"p", "align"},
    {"param", "name type value valuetype"},
    {"pre", "width"},
    {"progress", "max value"},
    {"q", "cite"},
    {"script", "async blocking charset crossorigin defer fetchpriority integrity language nomodule onerror onload "
               "referrerpolicy src type"},
    {"select", "autocomplete disabled form multiple name required size"},
    {"slot", "name"},
    {"source", "height media sizes src srcset type width"},
    {"style", "blocking media type"},
    {"table", "align bgcolor border cellpadding cellspacing frame rules summary width"},
    {"tbody", "align char charoff valign"},
    {"td", "abbr align axis bgcolor char charoff colspan headers height nowrap rowspan scope valign width"},
    {"template", "shadowrootclonable shadowrootdelegatesfocus shadowrootmode"},
    {"textarea", "autocomplete cols dirname disabled form maxlength minlength name onselect placeholder readonly "
                 "required rows wrap"},
    {"tfoot", "align char charoff valign"},
    {"th", "abbr align axis bgcolor char charoff colspan headers height nowrap rowspan scope valign width"},
    {"thead", "align char charoff valign"},
    {"time", "datetime"},
    {"tr", "align bgcolor char charoff valign"},
    {"track", "default kind label src srclang"},
    {"ul", "compact type"},
    {"video", "autoplay controls crossorigin height loop muted playsinline poster preload src width"},
};

// Whether the names of `liste` are attributes known to the colouring, sorted, each once, between single spaces,
// and none of them in `exclus`: an element's own list holds none of the common ones, so that joining them gives
// each name once.
constexpr bool ListeBienFormee(std::string_view liste, std::string_view exclus = {})
{
    std::string_view precedent;
    return !liste.ends_with(' ') && PourChaqueNom(liste, [&](std::string_view nom) {
        const bool bien = nom > precedent && std::ranges::binary_search(AttributsHtml(), nom) &&
                          PourChaqueNom(exclus, [&](std::string_view exclu) { return exclu != nom; });
        precedent = nom;
        return bien;
    });
}

static_assert(ListeBienFormee(Communs));
static_assert(std::ranges::adjacent_find(Propres, std::ranges::greater_equal(), &AttributsPropres::element) ==
              std::ranges::end(Propres));
static_assert(std::ranges::all_of(Propres, [](const AttributsPropres &p) {
    return std::ranges::binary_search(ElementsHtml(), p.element) && ListeBienFormee(p.attributs, Communs);
}));

constexpr ReferenceNommee References[] = {
#include "core/texte/ReferencesHTML.inc"
};
static_assert(std::ranges::adjacent_find(References, std::ranges::greater_equal(), &ReferenceNommee::nom) ==
              std::ranges::end(References));

// Whether the word is written in capitals: it has a capital and no small letter.
bool EnCapitales(std::string_view mot)
{
    return std::ranges::any_of(mot, [](char c) { return c >= 'A' && c <= 'Z'; }) &&
           std::ranges::none_of(mot, [](char c) { return c >= 'a' && c <= 'z'; });
}

std::string EnCasse(std::string_view nom, bool capitales)
{
    std::string ecrit(nom);
    std::ranges::transform(ecrit, ecrit.begin(), capitales ? MajusculeAscii : MinusculeAscii);
    return ecrit;
}

} // namespace

std::vector<std::string> ElementsCommencantPar(std::string_view debut)
{
    const std::string prefixe = EnCasse(debut, false);
    const bool capitales = EnCapitales(debut);
    std::vector<std::string> noms;
    for (auto nom = std::ranges::lower_bound(ElementsHtml(), prefixe);
         nom != ElementsHtml().end() && nom->starts_with(prefixe); ++nom)
        noms.push_back(EnCasse(*nom, capitales));
    return noms;
}

std::vector<std::string> AttributsDe(std::string_view element)
{
    const bool capitales = EnCapitales(element);
    std::vector<std::string> noms;
    const auto ajoute = [&](std::string_view liste) {
        PourChaqueNom(liste, [&](std::string_view nom) {
            noms.push_back(EnCasse(nom, capitales));
            return true;
        });
    };
    ajoute(Communs);
    const std::string cle = EnCasse(element, false);
    const auto propres = std::ranges::lower_bound(Propres, cle, {}, &AttributsPropres::element);
    if (propres != std::ranges::end(Propres) && propres->element == cle)
        ajoute(propres->attributs);
    std::ranges::sort(noms);
    return noms;
}

std::span<const ReferenceNommee> ReferencesNommees()
{
    return References;
}

std::span<const ReferenceNommee> ReferencesCommencantPar(std::string_view debut)
{
    const auto premiere = std::ranges::lower_bound(References, debut, {}, &ReferenceNommee::nom);
    const auto fin = std::partition_point(premiere, std::ranges::end(References),
                                          [&](const ReferenceNommee &r) { return r.nom.starts_with(debut); });
    return {premiere, fin};
}
