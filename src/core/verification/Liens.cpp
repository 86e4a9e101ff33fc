// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/verification/Liens.h"

#include "core/verification/AdressesLiens.h"
#include "core/verification/LectureLiens.h"

#include "core/document/Ancres.h"
#include "core/document/LectureHTML.h"
#include "core/texte/Casse.h"
#include "core/texte/Encodage.h"

#include <algorithm>
#include <utility>

// The page is read as a browser's tokenizer reads it, as far as attributes go: the same tag, comment and text
// element rules, so that a link in a comment or a script is not taken for one.

using AdressesLiens::Adresse;
using AdressesLiens::EstChiffre;

namespace {

// --- The attributes of the page ---------------------------------------------------------------------------------

// Calls visite(balise, attributs) for each start tag that the browser reads as mark-up, with its attributes that have
// a value, in text order, and contenu(element, debut, fin) for the text of each element whose content is text for
// a reader without scripts, which follows the links in noscript; not for a value whose quote is never closed, since
// the browser then drops the tag.
template <typename VisiteurBalise, typename VisiteurContenu>
void ParcourtBalises(std::string_view texte, VisiteurBalise &&visite, VisiteurContenu &&contenu)
{
    std::vector<Attribut> attributs;
    std::size_t i = 0;
    while (i < texte.size()) {
        const std::size_t chevron = Suivant(texte, i, '<');
        if (chevron == texte.size())
            return;
        switch (OuvertureDe(texte, chevron)) {
        case Ouverture::Texte: i = chevron + 1; break;
        case Ouverture::Autre: i = FinAutre(texte, chevron); break;
        // An end tag's attributes count for nothing, but their quotes hide a '>'.
        case Ouverture::Fermante: i = FinBalise(texte, FinNom(texte, chevron + 2)); break;
        case Ouverture::Ouvrante: {
            const std::size_t finNom = FinNom(texte, chevron + 1);
            const std::string_view balise = texte.substr(chevron + 1, finNom - chevron - 1);
            attributs.clear();
            i = LitAttributs(texte, finNom, [&](const Attribut &attribut) {
                if (!attribut.ouvert)
                    attributs.push_back(attribut);
            });
            visite(balise, attributs);
            const ElementTexte *element = ChercheNom(ElementsTexte, balise);
            if (element && LuPar::SansScripts <= element->jusqua) {
                const std::size_t fin = FinContenu(texte, i, element->nom, element->contenu);
                contenu(element->nom, i, fin);
                i = ApresFermeture(texte, fin, element->nom);
            }
        }
        }
    }
}

// Calls visite(balise, attribut) for each attribute that ParcourtBalises finds, in text order.
template <typename Visiteur> void ParcourtAttributs(std::string_view texte, Visiteur &&visite)
{
    ParcourtBalises(
        texte,
        [&](std::string_view balise, const std::vector<Attribut> &attributs) {
            for (const Attribut &attribut : attributs)
                visite(balise, attribut);
        },
        [](std::string_view, std::size_t, std::size_t) {});
}

// --- Entities ------------------------------------------------------------------------------------------------------

// The characters of the named references that a link's value reads: those of Latin-1, and of the mark-up, French and
// its punctuation, which a file name or an anchor may hold. The Greek letters and the mathematical signs stay as they
// are written.
bool LuDansUnLien(char32_t c)
{
    constexpr char32_t Autres[] = {
        U'"', U'&', U'\'',     U'<',      U'>',      U'Œ', U'œ', U'Š', U'š', U'Ÿ', U'ƒ',
        U'ˆ', U'˜', U'\u2002', U'\u2003', U'\u2009', U'–', U'—', U'‘', U'’', U'‚', U'“',
        U'”', U'„', U'†',      U'‡',      U'•',      U'…', U'‰', U'‹', U'›', U'€', U'™',
    };
    return (c >= 0xA0 && c <= 0xFF) || std::ranges::find(Autres, c) != std::end(Autres);
}

// The value as the browser reads it: character references decoded (a named one needs its ';', a numeric one does
// not), the unknown ones left as they are written. When `origine` is given, it receives for each byte read the offset
// in the value where the text it comes from begins, then the value's size.
std::string LitEntites(std::string_view valeur, std::vector<std::size_t> *origine = nullptr)
{
    std::string lue;
    lue.reserve(valeur.size());
    if (origine)
        origine->clear();
    std::size_t i = 0;
    while (i < valeur.size()) {
        const std::size_t esperluette = Suivant(valeur, i, '&');
        lue.append(valeur.substr(i, esperluette - i));
        if (origine)
            for (std::size_t k = i; k < esperluette; ++k)
                origine->push_back(k);
        if (esperluette == valeur.size())
            break;
        const std::optional<Reference> reference = LitReference(valeur, esperluette);
        if (reference && (!reference->nommee || LuDansUnLien(reference->caractere))) {
            AjouteUtf8(lue, reference->caractere);
            i = reference->fin;
        } else {
            lue += '&';
            i = esperluette + 1;
        }
        if (origine)
            origine->resize(lue.size(), esperluette);
    }
    if (origine)
        origine->push_back(valeur.size());
    return lue;
}

// --- Style sheets and SRCSET ----------------------------------------------------------------------------------------

// The characters of a CSS name, as far as telling url( from another function goes.
bool EstNomCss(char c)
{
    return EstLettreAscii(c) || EstChiffre(c, false) || c == '-' || c == '_' || static_cast<unsigned char>(c) >= 0x80;
}

bool EstFinDeLigneCss(char c)
{
    return c == '\n' || c == '\r' || c == '\f';
}

// Past the blank at i, CR LF being one.
std::size_t ApresBlanc(std::string_view css, std::size_t i)
{
    return i + (css.substr(i, 2) == "\r\n" ? 2 : 1);
}

// Appends the character that the CSS escape whose '\' is at i stands for, and returns past it: up to six hexadecimal
// digits and one blank after them, or any other character as itself.
std::size_t LitEchappementCss(std::string_view css, std::size_t i, std::string &lu)
{
    if (++i == css.size()) {
        AjouteUtf8(lu, U'\uFFFD');
        return i;
    }
    if (!EstChiffre(css[i], true)) {
        lu += css[i];
        return i + 1;
    }
    char32_t code = 0;
    for (const std::size_t fin = std::min(i + 6, css.size()); i < fin && EstChiffre(css[i], true); ++i)
        code = code * 16 + char32_t(css[i] <= '9' ? css[i] - '0' : MinusculeAscii(css[i]) - 'a' + 10);
    AjouteUtf8(lu, code == 0 || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF ? U'\uFFFD' : code);
    if (i < css.size() && EstEspaceHtml(css[i]))
        i = ApresBlanc(css, i);
    return i;
}

// A string or an address that a style sheet loads: its text, escapes read, and where it ends in the sheet.
struct MorceauCss {
    std::string valeur;
    std::size_t fin = 0;
    // The browser drops it: a string cut by a line end, an unquoted url() with a blank, a quote or a '(' inside.
    bool rejete = false;
};

// The CSS string whose quote is at i, up to its closing quote (fin), a line end or the end of the sheet.
MorceauCss LitChaineCss(std::string_view css, std::size_t i)
{
    MorceauCss chaine;
    const char guillemet = css[i++];
    while (i < css.size() && css[i] != guillemet) {
        if (EstFinDeLigneCss(css[i])) {
            chaine.rejete = true;
            break;
        }
        if (css[i] != '\\')
            chaine.valeur += css[i++];
        else if (i + 1 < css.size() && EstFinDeLigneCss(css[i + 1]))
            i = ApresBlanc(css, i + 1);
        else
            i = LitEchappementCss(css, i, chaine.valeur);
    }
    chaine.fin = i;
    return chaine;
}

// The unquoted address of a url() that begins at i, past its blanks, up to its ')' (fin) or the end of the sheet.
MorceauCss LitUrlCss(std::string_view css, std::size_t i)
{
    MorceauCss url;
    while (i < css.size() && css[i] != ')') {
        const auto c = static_cast<unsigned char>(css[i]);
        if (EstEspaceHtml(css[i])) {
            url.fin = i;
            while (i < css.size() && EstEspaceHtml(css[i]))
                ++i;
            url.rejete = i < css.size() && css[i] != ')';
            return url;
        }
        if (c == '"' || c == '\'' || c == '(' || c < ' ' || c == 0x7F ||
            (c == '\\' && (i + 1 == css.size() || EstFinDeLigneCss(css[i + 1])))) {
            url.rejete = true;
            break;
        }
        if (c == '\\')
            i = LitEchappementCss(css, i, url.valeur);
        else
            url.valeur += css[i++];
    }
    url.fin = i;
    return url;
}

// The address that a url( loads, whose '(' is at i, or that @import gives as a string; pushed unless the browser
// drops it. Returns where the reading of the sheet goes on.
std::size_t AjouteUrlCss(std::string_view css, std::size_t i, bool parenthese, Lien::Sorte sorte,
                         std::vector<Lien> &liens)
{
    if (parenthese)
        i = std::min(css.find_first_not_of(" \t\n\r\f", i + 1), css.size());
    if (i == css.size())
        return i;
    const bool chaine = css[i] == '"' || css[i] == '\'';
    if (!chaine && !parenthese)
        return i;
    MorceauCss morceau = chaine ? LitChaineCss(css, i) : LitUrlCss(css, i);
    const std::size_t fin = morceau.fin;
    if (sorte == Lien::Sorte::Adresse && Adresse(morceau.valeur).starts_with('#'))
        sorte = Lien::Sorte::Ancre;
    if (!morceau.rejete)
        liens.push_back({i + (chaine ? 1 : 0), fin, std::move(morceau.valeur), sorte});
    // The browser skips what remains of a url() that it drops, up to its ')'.
    return chaine ? fin + 1 : morceau.rejete ? std::min(css.find(')', fin), css.size()) : fin;
}

// Calls ajoute(debut, fin) for the bytes of each address of the SRCSET's value, as the browser splits it: the
// candidates apart at commas, each an address up to a blank, without the commas that end it, then its descriptors
// ("2x", "480w") up to a comma out of parentheses. An address may hold commas.
template <typename Ajout> void AdressesSrcset(std::string_view valeur, Ajout &&ajoute)
{
    std::size_t i = 0;
    for (;;) {
        while (i < valeur.size() && (EstEspaceHtml(valeur[i]) || valeur[i] == ','))
            ++i;
        if (i == valeur.size())
            return;
        const std::size_t debut = i;
        while (i < valeur.size() && !EstEspaceHtml(valeur[i]))
            ++i;
        std::size_t fin = i;
        while (valeur[fin - 1] == ',')
            --fin;
        ajoute(debut, fin);
        if (fin < i)
            continue;
        for (bool parentheses = false; i < valeur.size() && (parentheses || valeur[i] != ','); ++i)
            if (valeur[i] == '(' || valeur[i] == ')')
                parentheses = valeur[i] == '(';
    }
}


// Whether the REL's value holds "stylesheet" among its words.
bool RelieUneFeuille(std::string_view rel)
{
    while (!rel.empty()) {
        const auto espace = std::ranges::find_if(rel, EstEspaceHtml);
        if (EgauxSansCasseAscii(rel.substr(0, std::size_t(espace - rel.begin())), "stylesheet"))
            return true;
        rel.remove_prefix(std::min(std::size_t(espace - rel.begin()) + 1, rel.size()));
    }
    return false;
}

} // namespace

namespace LectureLiens {

std::optional<Lien> PremiereBase(std::string_view texte)
{
    std::optional<Lien> base;
    ParcourtAttributs(texte, [&](std::string_view balise, const Attribut &attribut) {
        if (!base && EgauxSansCasseAscii(balise, "base") && EgauxSansCasseAscii(attribut.nom, "href"))
            base = Lien{attribut.debut, attribut.fin,
                        LitEntites(texte.substr(attribut.debut, attribut.fin - attribut.debut))};
    });
    return base;
}

Ancres AncresDe(std::string_view texte)
{
    std::vector<std::string> liste;
    ListeAncres(texte, liste);
    ParcourtAttributs(texte, [&](std::string_view balise, const Attribut &attribut) {
        if (EgauxSansCasseAscii(attribut.nom, "id") ||
            (EgauxSansCasseAscii(attribut.nom, "name") && EgauxSansCasseAscii(balise, "a")))
            liste.push_back(LitEntites(texte.substr(attribut.debut, attribut.fin - attribut.debut)));
    });
    Ancres ancres;
    for (std::string &nom : liste) {
        ancres.plies.try_emplace(TextePlie(nom), nom);
        ancres.noms.insert(std::move(nom));
    }
    return ancres;
}

std::unordered_set<std::string> CartesDe(std::string_view texte)
{
    std::unordered_set<std::string> cartes;
    ParcourtAttributs(texte, [&](std::string_view balise, const Attribut &attribut) {
        if (EgauxSansCasseAscii(balise, "map") &&
            (EgauxSansCasseAscii(attribut.nom, "name") || EgauxSansCasseAscii(attribut.nom, "id")))
            cartes.insert(LitEntites(texte.substr(attribut.debut, attribut.fin - attribut.debut)));
    });
    return cartes;
}

} // namespace LectureLiens

std::vector<Lien> ListeLiens(std::string_view texte)
{
    std::vector<Lien> liens;
    std::vector<std::size_t> origine;
    // The addresses that a style's text holds, at their places in the page.
    const auto ajouteCss = [&](std::string_view css, const auto &place) {
        for (Lien &lien : ListeUrlsCss(css)) {
            lien.debut = place(lien.debut);
            lien.fin = place(lien.fin);
            liens.push_back(std::move(lien));
        }
    };
    ParcourtBalises(
        texte,
        [&](std::string_view balise, const std::vector<Attribut> &attributs) {
            const auto valeur = [&](const Attribut &attribut) {
                return texte.substr(attribut.debut, attribut.fin - attribut.debut);
            };
            const bool feuille =
                EgauxSansCasseAscii(balise, "link") && std::ranges::any_of(attributs, [&](const Attribut &attribut) {
                    return EgauxSansCasseAscii(attribut.nom, "rel") && RelieUneFeuille(LitEntites(valeur(attribut)));
                });
            for (const Attribut &attribut : attributs) {
                const auto est = [&](std::string_view nom, std::string_view element = {}) {
                    return EgauxSansCasseAscii(attribut.nom, nom) &&
                           (element.empty() || EgauxSansCasseAscii(balise, element));
                };
                // Where a byte of the value read stands in the page.
                const auto place = [&](std::size_t i) { return attribut.debut + origine[i]; };
                if (est("href") || est("src") || est("background") || est("data", "object") || est("poster", "video")) {
                    liens.push_back({attribut.debut, attribut.fin, LitEntites(valeur(attribut)),
                                     feuille && est("href") ? Lien::Sorte::Feuille : Lien::Sorte::Adresse});
                } else if (est("usemap")) {
                    liens.push_back({attribut.debut, attribut.fin, LitEntites(valeur(attribut)), Lien::Sorte::Carte});
                } else if (est("srcset", "img") || est("srcset", "source")) {
                    const std::string lue = LitEntites(valeur(attribut), &origine);
                    AdressesSrcset(lue, [&](std::size_t debut, std::size_t fin) {
                        liens.push_back({place(debut), place(fin), lue.substr(debut, fin - debut)});
                    });
                } else if (est("style")) {
                    ajouteCss(LitEntites(valeur(attribut), &origine), place);
                }
            }
        },
        [&](std::string_view element, std::size_t debut, std::size_t fin) {
            if (element == "style")
                ajouteCss(texte.substr(debut, fin - debut), [debut](std::size_t i) { return debut + i; });
        });
    return liens;
}

std::vector<Lien> ListeUrlsCss(std::string_view css)
{
    std::vector<Lien> liens;
    std::size_t i = 0;
    while (i < css.size()) {
        const char c = css[i];
        if (css.substr(i, 2) == "/*") {
            i = std::min(css.find("*/", i + 2), css.size() - 2) + 2;
        } else if (c == '"' || c == '\'') {
            i = LitChaineCss(css, i).fin + 1;
        } else if (c == '\\') {
            i += 2;
        } else if (c == '@' || EstNomCss(c)) {
            const std::size_t debut = i;
            while (++i < css.size() && (EstNomCss(css[i]) || css[i] == '\\'))
                i += css[i] == '\\';
            const std::string_view nom = css.substr(debut, i - debut);
            if (EgauxSansCasseAscii(nom, "url") && i < css.size() && css[i] == '(') {
                i = AjouteUrlCss(css, i, true, Lien::Sorte::Adresse, liens);
            } else if (EgauxSansCasseAscii(nom, "@import")) {
                while (i < css.size() && EstEspaceHtml(css[i]))
                    ++i;
                const bool url = EgauxSansCasseAscii(css.substr(i, 4), "url(");
                i = AjouteUrlCss(css, url ? i + 3 : i, url, Lien::Sorte::Feuille, liens);
            }
        } else {
            ++i;
        }
    }
    return liens;
}
