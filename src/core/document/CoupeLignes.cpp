// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/document/CoupeLignes.h"

#include "core/document/LectureHTML.h"
#include "core/texte/Lignes.h"

#include <algorithm>
#include <utility>
#include <vector>

// The page is read as a browser's tokenizer reads it, as far as telling mark-up from text goes: the same tag, comment
// and raw-text rules, so that a break is never taken for text that the browser reads otherwise.

namespace {

struct Element {
    std::string_view nom;
    // A break may go before its tags anywhere outside protected content.
    bool bloc;
    // It belongs in the head: a break may go before its tags as long as the page is in its head, which goes on
    // past it.
    bool entete;
    Contenu contenu = Contenu::Balises;
};

// The elements that a break may go before, and those whose content is text.
constexpr auto Elements = AvecContenuLu<Element>({
    {"address", true, false},                     {"article", true, false},
    {"aside", true, false},                       {"base", false, true},
    {"blockquote", true, false},                  {"body", true, false},
    {"br", true, false},                          {"caption", true, false},
    {"center", true, false},                      {"col", true, false},
    {"colgroup", true, false},                    {"dd", true, false},
    {"details", true, false},                     {"div", true, false},
    {"dl", true, false},                          {"dt", true, false},
    {"fieldset", true, false},                    {"figcaption", true, false},
    {"figure", true, false},                      {"footer", true, false},
    {"form", true, false},                        {"h1", true, false},
    {"h2", true, false},                          {"h3", true, false},
    {"h4", true, false},                          {"h5", true, false},
    {"h6", true, false},                          {"head", true, true},
    {"header", true, false},                      {"hgroup", true, false},
    {"hr", true, false},                          {"html", true, true},
    {"iframe", false, false},                     {"legend", true, false},
    {"li", true, false},                          {"link", false, true},
    {"listing", true, false, Contenu::Preforme},  {"main", true, false},
    {"meta", false, true},                        {"nav", true, false},
    {"noembed", false, false},                    {"noframes", false, false},
    {"noscript", false, true},                    {"ol", true, false},
    {"optgroup", true, false},                    {"option", true, false},
    {"p", true, false},                           {"plaintext", false, false},
    {"pre", true, false, Contenu::Preforme},      {"script", false, true},
    {"section", true, false},                     {"style", false, true},
    {"summary", true, false},                     {"table", true, false},
    {"tbody", true, false},                       {"td", true, false},
    {"template", false, true},                    {"textarea", false, false},
    {"tfoot", true, false},                       {"th", true, false},
    {"thead", true, false},                       {"title", false, true},
    {"tr", true, false},                          {"ul", true, false},
    {"xmp", false, false},
}, LuPar::Navigateur);
static_assert(std::ranges::is_sorted(Elements, {}, &Element::nom));
static_assert(NommeLesElementsTexte(Elements, LuPar::Navigateur));

// Any other element: text and inline elements.
constexpr Element Ordinaire{{}, false, false, Contenu::Balises};

class Coupeur {
public:
    Coupeur(std::string_view texte, std::string_view fin, std::size_t seuil) : texte(texte), fin(fin)
    {
        MesureLignes(seuil);
    }

    std::optional<std::string> Coupe()
    {
        // Past the last long line nothing more can be cut: the rest is copied as it is.
        const std::size_t dernier = longues.empty() ? 0 : longues.back().second;
        std::size_t i = 0;
        while (i < dernier) {
            const std::size_t chevron = Suivant(texte, i, '<');
            if (enTete && !Blancs(i, chevron))
                enTete = false;
            i = chevron < texte.size() ? Balisage(chevron) : chevron;
        }
        if (!sortie)
            return std::nullopt;
        sortie->append(texte.substr(copie));
        return std::move(sortie);
    }

private:
    // The lines longer than `seuil`, as [start, end) without their line end.
    void MesureLignes(std::size_t seuil)
    {
        Lignes lignes(texte);
        while (const std::optional<Ligne> ligne = lignes.Suivante())
            if (ligne->fin - ligne->debut > seuil)
                longues.emplace_back(ligne->debut, ligne->fin);
    }

    bool Blancs(std::size_t debut, std::size_t bout) const
    {
        return std::all_of(texte.begin() + std::ptrdiff_t(debut), texte.begin() + std::ptrdiff_t(bout), EstEspaceHtml);
    }

    // After the construct that begins with the '<' at i: a tag, a comment, a declaration, or text.
    std::size_t Balisage(std::size_t i)
    {
        switch (OuvertureDe(texte, i)) {
        case Ouverture::Ouvrante: return Balise(i, false);
        case Ouverture::Fermante: return Balise(i, true);
        case Ouverture::Autre: return FinAutre(texte, i);
        case Ouverture::Texte: break;
        }
        // A '<' that opens nothing is text.
        enTete = false;
        return i + 1;
    }

    // The tag whose '<' is at i; a break is recorded before it when one may go there.
    std::size_t Balise(std::size_t i, bool fermante)
    {
        const std::size_t debutNom = i + (fermante ? 2 : 1);
        const std::size_t finNom = FinNom(texte, debutNom);
        const Element *connu = ChercheNom(Elements, texte.substr(debutNom, finNom - debutNom));
        const Element &element = connu ? *connu : Ordinaire;
        if ((element.bloc || (element.entete && enTete)) && profondeurPreforme == 0)
            CoupeAvant(i);
        // An end tag of html in the head starts the body.
        enTete = enTete && element.entete && !(fermante && element.nom == "html");
        const std::size_t apres = FinBalise(texte, finNom);
        if (fermante) {
            if (element.contenu == Contenu::Preforme && profondeurPreforme > 0)
                --profondeurPreforme;
            return apres;
        }
        if (element.contenu == Contenu::Preforme)
            ++profondeurPreforme;
        return ApresContenu(texte, apres, element.nom, element.contenu);
    }

    // Inserts the line end before the '<' at i, when i is in a long line and no line end stands right before it.
    void CoupeAvant(std::size_t i)
    {
        if (i == 0 || texte[i - 1] == '\n' || texte[i - 1] == '\r')
            return;
        while (ligne < longues.size() && longues[ligne].second < i)
            ++ligne;
        if (ligne == longues.size() || longues[ligne].first > i)
            return;
        if (!sortie) {
            // Room for a break every few dozen bytes, which is more than a minified page has.
            sortie.emplace();
            sortie->reserve(texte.size() + texte.size() / 16 * fin.size());
        }
        sortie->append(texte.substr(copie, i - copie)).append(fin);
        copie = i;
    }

    const std::string_view texte;
    const std::string_view fin;
    std::vector<std::pair<std::size_t, std::size_t>> longues;
    // The first long line that does not end before the last break.
    std::size_t ligne = 0;
    // The page is in its head: no tag or text of its body has come yet.
    bool enTete = true;
    // The pre and listing elements open around the current position.
    std::size_t profondeurPreforme = 0;
    // The text with its breaks, from the first one; up to `copie` in the text.
    std::optional<std::string> sortie;
    std::size_t copie = 0;
};

} // namespace

std::optional<std::string> CoupeLignes(std::string_view texte, std::string_view fin, std::size_t seuil)
{
    return Coupeur(texte, fin, seuil).Coupe();
}
