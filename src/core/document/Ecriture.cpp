// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/document/Ecriture.h"

#include "core/document/LectureHTML.h"
#include "core/texte/Casse.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <type_traits>

// The page is read forward from a point at most a reach before the caret, as a browser's tokenizer reads it, with
// the stack of the elements open: each answer is one pass over that stretch, without copying it.

namespace {

constexpr std::size_t Aucune = std::string_view::npos;

// The parts that elements play in the optional end tags: the families a start tag closes, and those that stop it
// looking further down the stack. Each element belongs to one family at most.
enum Famille : unsigned {
    Li = 1U << 0,
    DtDd = 1U << 1,
    P = 1U << 2,
    Ligne = 1U << 3,         // tr
    Cellule = 1U << 4,       // td, th
    Groupe = 1U << 5,        // thead, tbody, tfoot
    Option = 1U << 6,        // option
    GroupeOptions = 1U << 7, // optgroup
    Liste = 1U << 8,         // ul, ol, menu, dir
    Dl = 1U << 9,
    Tableau = 1U << 10,
    Portee = 1U << 11, // applet, button, caption, html, marquee, object, template: a p or a list item inside them is
                       // closed by their end tag only
    Choix = 1U << 12,  // select, datalist
    Tete = 1U << 13,   // head
};
constexpr std::size_t NombreFamilles = 14;

// What stops a block from closing a p: a p outside a table cell or a button stays open.
constexpr unsigned ArretBloc = Portee | Tableau | Cellule;

struct Role {
    std::string_view nom;
    unsigned famille;
    unsigned ferme;
    unsigned arret;
    bool vide = false;
    // The writing aids read the content of noscript, noembed and noframes as mark-up, which their author writes.
    Contenu contenu = Contenu::Balises;
};

// The elements with a part in the optional end tags, the void elements and those whose content is read as text, in
// lower case and sorted.
constexpr auto Roles = AvecContenuLu<Role>(
    {
        {"address", 0, P, ArretBloc},
        {"applet", Portee, 0, 0},
        {"area", 0, 0, 0, true},
        {"article", 0, P, ArretBloc},
        {"aside", 0, P, ArretBloc},
        {"base", 0, 0, 0, true},
        {"basefont", 0, 0, 0, true},
        {"blockquote", 0, P, ArretBloc},
        {"body", 0, Tete, 0},
        {"br", 0, 0, 0, true},
        {"button", Portee, 0, 0},
        {"caption", Portee, 0, 0},
        {"center", 0, P, ArretBloc},
        {"col", 0, 0, 0, true},
        {"datalist", Choix, 0, 0},
        {"dd", DtDd, DtDd | P, Dl | ArretBloc},
        {"details", 0, P, ArretBloc},
        {"dialog", 0, P, ArretBloc},
        {"dir", Liste, P, ArretBloc},
        {"div", 0, P, ArretBloc},
        {"dl", Dl, P, ArretBloc},
        {"dt", DtDd, DtDd | P, Dl | ArretBloc},
        {"embed", 0, 0, 0, true},
        {"fieldset", 0, P, ArretBloc},
        {"figcaption", 0, P, ArretBloc},
        {"figure", 0, P, ArretBloc},
        {"footer", 0, P, ArretBloc},
        {"form", 0, P, ArretBloc},
        {"frame", 0, 0, 0, true},
        {"h1", 0, P, ArretBloc},
        {"h2", 0, P, ArretBloc},
        {"h3", 0, P, ArretBloc},
        {"h4", 0, P, ArretBloc},
        {"h5", 0, P, ArretBloc},
        {"h6", 0, P, ArretBloc},
        {"head", Tete, 0, 0},
        {"header", 0, P, ArretBloc},
        {"hgroup", 0, P, ArretBloc},
        {"hr", 0, P, ArretBloc, true},
        {"html", Portee, 0, 0},
        {"iframe", 0, 0, 0},
        {"img", 0, 0, 0, true},
        {"input", 0, 0, 0, true},
        {"isindex", 0, 0, 0, true},
        {"li", Li, Li | P, Liste | ArretBloc},
        {"link", 0, 0, 0, true},
        {"listing", 0, P, ArretBloc},
        {"main", 0, P, ArretBloc},
        {"marquee", Portee, 0, 0},
        {"menu", Liste, P, ArretBloc},
        {"meta", 0, 0, 0, true},
        {"nav", 0, P, ArretBloc},
        {"object", Portee, 0, 0},
        {"ol", Liste, P, ArretBloc},
        {"optgroup", GroupeOptions, Option | GroupeOptions, Choix},
        {"option", Option, Option, Choix},
        {"p", P, P, ArretBloc},
        {"param", 0, 0, 0, true},
        {"plaintext", 0, P, ArretBloc},
        {"pre", 0, P, ArretBloc},
        {"script", 0, 0, 0},
        {"search", 0, P, ArretBloc},
        {"section", 0, P, ArretBloc},
        {"select", Choix, 0, 0},
        {"source", 0, 0, 0, true},
        {"style", 0, 0, 0},
        {"summary", 0, P, ArretBloc},
        {"table", Tableau, P, ArretBloc},
        {"tbody", Groupe, Groupe | Ligne | Cellule, Tableau},
        {"td", Cellule, Cellule, Ligne | Tableau},
        {"template", Portee, 0, 0},
        {"textarea", 0, 0, 0},
        {"tfoot", Groupe, Groupe | Ligne | Cellule, Tableau},
        {"th", Cellule, Cellule, Ligne | Tableau},
        {"thead", Groupe, Groupe | Ligne | Cellule, Tableau},
        {"title", 0, 0, 0},
        {"tr", Ligne, Ligne | Cellule, Groupe | Tableau},
        {"track", 0, 0, 0, true},
        {"ul", Liste, P, ArretBloc},
        {"wbr", 0, 0, 0, true},
        {"xmp", 0, P, ArretBloc},
    },
    LuPar::SansScriptsNiCadres);
static_assert(std::ranges::is_sorted(Roles, {}, &Role::nom));
static_assert(NommeLesElementsTexte(Roles, LuPar::SansScriptsNiCadres));

// The names of Roles are found by a perfect hash of their first eight letters, in lower case, and their length: a
// few instructions per tag, whatever the page.
constexpr std::uint64_t Cle(std::string_view nom)
{
    std::uint64_t cle = nom.size();
    for (std::size_t k = 0; k < std::min<std::size_t>(nom.size(), 8); ++k)
        cle ^= std::uint64_t(std::uint8_t(MinusculeAscii(nom[k]))) << (8 * k);
    return cle;
}

constexpr int BitsHachage = 9;

struct Hachage {
    std::uint64_t facteur;
    std::array<std::uint8_t, 1U << BitsHachage> cases; // the index in Roles of the name there plus one, or 0
    constexpr std::size_t Case(std::string_view nom) const
    {
        return std::size_t((Cle(nom) * facteur) >> (64 - BitsHachage));
    }
};

// The first factor of a sequence that puts no two names of Roles in the same box.
constexpr Hachage ParNom = [] {
    static_assert(std::size(Roles) < 255);
    Hachage hachage{};
    for (std::uint64_t essai = 1;; ++essai) {
        hachage.facteur = essai * 0x9E3779B97F4A7C15U | 1U;
        hachage.cases = {};
        std::size_t k = 0;
        for (; k < Roles.size(); ++k) {
            std::uint8_t &entree = hachage.cases[hachage.Case(Roles[k].nom)];
            if (entree)
                break;
            entree = std::uint8_t(k + 1);
        }
        if (k == Roles.size())
            return hachage;
    }
}();

// The role of the element `nom`, in any case; nullptr when it has none.
const Role *RoleDe(std::string_view nom)
{
    const std::uint8_t entree = ParNom.cases[ParNom.Case(nom)];
    return entree && EgauxSansCasseAscii(Roles[entree - 1U].nom, nom) ? &Roles[entree - 1U] : nullptr;
}

// Whether the content of the element is read as text.
constexpr bool EstTexte(const Role *role)
{
    return role && role->contenu != Contenu::Balises && role->contenu != Contenu::Preforme;
}

struct Ouvert {
    ElementOuvert element;
    const Role *role;
    unsigned famille() const
    {
        return role ? role->famille : 0;
    }
};

// The elements open at a point of the reading, with how many of each family are among them, so that a start tag
// looks down the stack only when something there may close.
class Pile {
public:
    std::vector<Ouvert> elements;

    void Empile(const Ouvert &ouvert)
    {
        elements.push_back(ouvert);
        if (const unsigned famille = ouvert.famille()) {
            ++comptes[std::size_t(std::countr_zero(famille))];
            presentes |= famille;
        }
    }

    Ouvert Depile()
    {
        const Ouvert ouvert = elements.back();
        elements.pop_back();
        if (const unsigned famille = ouvert.famille();
            famille && --comptes[std::size_t(std::countr_zero(famille))] == 0)
            presentes &= ~famille;
        return ouvert;
    }

    bool Contient(unsigned familles) const
    {
        return presentes & familles;
    }

private:
    std::array<unsigned, NombreFamilles> comptes{};
    unsigned presentes = 0;
};

// A start tag whose '<' is at `debut`: its name, and past its '>', or Aucune when the text ends before it.
struct Ouvrante {
    std::string_view nom;
    std::size_t fin;
    bool autoFermee; // "<br/>": the '/' right before the '>' is not the end of a value without quotes
};

Ouvrante LitOuvrante(std::string_view vue, std::size_t debut)
{
    const std::size_t finNom = FinNom(vue, debut + 1);
    bool ouvert = false;
    std::size_t finValeur = Aucune;
    const std::size_t fin = LitAttributs(vue, finNom, [&](const Attribut &attribut) {
        ouvert = attribut.ouvert;
        finValeur = attribut.fin;
    });
    // Outside a quoted value, the reader stops at the first '>' and nowhere else before the end of the text.
    const bool finie = !ouvert && fin > finNom && vue[fin - 1] == '>';
    return {vue.substr(debut + 1, finNom - debut - 1), finie ? fin : Aucune,
            finie && fin - 2 >= finNom && vue[fin - 2] == '/' && finValeur != fin - 1};
}

// Whether the comment or other construct of Ouverture::Autre at i, which FinAutre ends at `fin`, is whole.
bool AutreFini(std::string_view vue, std::size_t i, std::size_t fin)
{
    if (fin < vue.size())
        return true;
    const std::string_view construit = vue.substr(i);
    if (construit.starts_with("<!--"))
        return construit.size() >= 5 && (construit.ends_with("-->") || construit.ends_with("--!>"));
    if (construit.starts_with("<![CDATA["))
        return construit.size() >= 12 && construit.ends_with("]]>");
    return construit.ends_with('>');
}

// Where a reading stopped.
enum class Arret {
    Fin,        // at the end of its text, in text
    Ouvrante,   // in a start tag that the end of the text cuts
    Fermante,   // in an end tag that the end of the text cuts
    Autre,      // in a comment or another construct that the end of the text cuts
    Brut,       // in the content of the element on top of the stack, read as text
    Interrompue // where the visitor asked it to stop
};

struct Lu {
    Arret arret = Arret::Fin;
    std::size_t debut = 0; // the '<' of the construct that the end of the text cuts
    // The last start tag read whole: its '<', past its '>', and whether it opened an element.
    std::size_t debutOuvrante = Aucune;
    std::size_t finOuvrante = Aucune;
    bool ouvre = false;
};

// Reads the mark-up of a text, keeping the stack of the open elements, and calls
// ferme(const ElementOuvert &, debutFermante, finFermante) for each element that closes: by its end tag, or, without
// one, at the '<' of the tag that closes it (debutFermante == finFermante). A visitor that returns true stops the
// reading. Each step returns false where the reading stops, `lu` telling where.
template <typename Visiteur>
class Lecture {
public:
    // After a cut in the page, when `coupee`, an end tag of a script or a style before any start tag of one drops
    // what was read.
    Lecture(std::string_view vue, bool coupee, Pile &pile, Visiteur &ferme)
        : vue(vue)
        , coupee(coupee)
        , pile(pile)
        , ferme(ferme)
    {
    }

    // Reads from i, in the content of the top element read as text when `brut`.
    Lu Lit(std::size_t debut, bool brut)
    {
        i = debut;
        if (brut && !PasseContenu(*pile.elements.back().role))
            return lu;
        for (;;) {
            i = Suivant(vue, i, '<');
            if (i == vue.size())
                return lu;
            bool suite = true;
            switch (OuvertureDe(vue, i)) {
            case Ouverture::Texte: ++i; break;
            case Ouverture::Autre: suite = PasseAutre(); break;
            case Ouverture::Fermante: suite = PasseFermante(); break;
            case Ouverture::Ouvrante: suite = PasseOuvrante(); break;
            }
            if (!suite)
                return lu;
        }
    }

private:
    bool Arrete(Arret arret, std::size_t debut = 0)
    {
        lu.arret = arret;
        lu.debut = debut;
        return false;
    }

    // Closes the k-th element of the stack and those opened inside it; false when the visitor stops the reading.
    bool FermeJusqua(std::size_t k, std::size_t debutFermante, std::size_t finFermante)
    {
        while (pile.elements.size() > k + 1)
            if (ferme(pile.Depile().element, debutFermante, debutFermante))
                return Arrete(Arret::Interrompue);
        return !ferme(pile.Depile().element, debutFermante, finFermante) || Arrete(Arret::Interrompue);
    }

    // Past the content of the element on top of the stack and its end tag.
    bool PasseContenu(const Role &texte)
    {
        const std::size_t debutContenu = pile.elements.back().element.fin;
        const std::size_t fermante = FinContenu(vue, debutContenu, texte.nom, texte.contenu);
        if (fermante == vue.size())
            return Arrete(Arret::Brut, debutContenu);
        const std::size_t fin = ApresFermeture(vue, fermante, texte.nom);
        if (vue[fin - 1] != '>')
            return Arrete(Arret::Fermante, fermante);
        if (!FermeJusqua(pile.elements.size() - 1, fermante, fin))
            return false;
        i = fin;
        return true;
    }

    bool PasseAutre()
    {
        const std::size_t fin = FinAutre(vue, i);
        if (!AutreFini(vue, i, fin))
            return Arrete(Arret::Autre, i);
        i = fin;
        return true;
    }

    bool PasseFermante()
    {
        const std::size_t finNom = FinNom(vue, i + 2);
        const std::size_t fin = FinBalise(vue, finNom);
        if (vue[fin - 1] != '>')
            return Arrete(Arret::Fermante, i);
        const std::string_view nom = vue.substr(i + 2, finNom - i - 2);
        std::size_t k = pile.elements.size();
        while (k > 0 && !EgauxSansCasseAscii(pile.elements[k - 1].element.nom, nom))
            --k;
        if (k > 0 && !FermeJusqua(k - 1, i, fin))
            return false;
        // The cut fell in the content of a script or a style: what was read before its end tag was text.
        if (k == 0 && coupee && EstTexte(RoleDe(nom)))
            pile = Pile();
        i = fin;
        return true;
    }

    bool PasseOuvrante()
    {
        const Ouvrante balise = LitOuvrante(vue, i);
        if (balise.fin == Aucune)
            return Arrete(Arret::Ouvrante, i);
        const Role *role = RoleDe(balise.nom);
        if (role && role->ferme && pile.Contient(role->ferme)) {
            // The outermost element that the tag closes, above the first one that stops it.
            std::size_t plusBas = Aucune;
            for (std::size_t k = pile.elements.size(); k-- > 0;) {
                const unsigned famille = pile.elements[k].famille();
                if (famille & role->arret)
                    break;
                if (famille & role->ferme)
                    plusBas = k;
            }
            if (plusBas != Aucune && !FermeJusqua(plusBas, i, i))
                return false;
        }
        lu.debutOuvrante = i;
        lu.finOuvrante = balise.fin;
        lu.ouvre = !balise.autoFermee && !(role && role->vide);
        const std::size_t debut = i;
        i = balise.fin;
        if (!lu.ouvre)
            return true;
        pile.Empile({{balise.nom, debut, balise.fin}, role});
        if (!EstTexte(role))
            return true;
        coupee = false;
        return PasseContenu(*role);
    }

    std::string_view vue;
    std::size_t i = 0;
    bool coupee;
    Pile &pile;
    Visiteur &ferme;
    Lu lu;
};

// Reads `vue` from i (see Lecture).
template <typename Visiteur>
Lu Lit(std::string_view vue, std::size_t i, bool brut, bool coupee, Pile &pile, Visiteur &&ferme)
{
    return Lecture<std::remove_reference_t<Visiteur>>(vue, coupee, pile, ferme).Lit(i, brut);
}

constexpr auto RienAFaire = [](const ElementOuvert &, std::size_t, std::size_t) { return false; };

// How far before the cut the reading looks for the '<' of a tag that the cut falls in.
constexpr std::size_t ReculBalise = 4096;

// Where the reading of the text before `position` begins: at most `portee` bytes before it, past a comment that the
// cut falls in, or at the '<' of a tag that it falls in, so that no tag is made of the tail of either. Lit drops what
// it read of the content of a script or a style that the cut falls in.
std::size_t Depart(std::string_view texte, std::size_t position, std::size_t portee)
{
    if (position <= portee)
        return 0;
    const std::string_view vue = texte.substr(0, position);
    const std::size_t coupe = position - portee;
    // In a comment, its end comes before any comment begins. Looked for from its '>', rarer than '-' in most pages.
    std::size_t finCommentaire = Suivant(vue, coupe, '>');
    while (finCommentaire < position &&
           (finCommentaire < coupe + 2 || vue[finCommentaire - 1] != '-' || vue[finCommentaire - 2] != '-'))
        finCommentaire = Suivant(vue, finCommentaire + 1, '>');
    if (finCommentaire < position && vue.substr(coupe, finCommentaire - coupe).find("<!--") == Aucune)
        return finCommentaire + 1;
    // In a tag, its '<' comes after the last '>' before the cut: the reading begins there, a little before the reach.
    for (std::size_t i = coupe; i-- > coupe - std::min(coupe, ReculBalise);) {
        if (vue[i] == '>')
            return coupe;
        if (vue[i] == '<' && OuvertureDe(vue, i) != Ouverture::Texte)
            return i;
    }
    // Past a tag longer than that, its '>' comes before any '<' that opens something.
    const std::size_t chevron = Suivant(vue, coupe, '>');
    for (std::size_t i = Suivant(vue, coupe, '<'); i < chevron; i = Suivant(vue, i + 1, '<'))
        if (OuvertureDe(vue, i) != Ouverture::Texte)
            return i;
    return std::min(chevron + 1, position);
}

// Reads the text before `position` from its start point.
Lu LitAvant(std::string_view texte, std::size_t position, std::size_t portee, Pile &pile)
{
    return Lit(texte.substr(0, position), Depart(texte, position, portee), false, position > portee, pile, RienAFaire);
}

constexpr bool EstAlphanumerique(char c)
{
    return EstLettreAscii(c) || (c >= '0' && c <= '9');
}

// A character of the names of elements that people write, custom ones included: "<td<" is a slip, not a name.
constexpr bool EstCaractereDeNom(char c)
{
    return EstAlphanumerique(c) || c == '-' || c == '_' || c == ':' || c == '.';
}

// The longest name of a character reference, and then some.
constexpr std::size_t NomReferenceLePlusLong = 40;

// Where the position stands in the start tag that begins at `debut`, which the end of `vue` cuts.
Contexte DansOuvrante(std::string_view vue, std::size_t debut)
{
    const std::size_t position = vue.size();
    const std::size_t finNom = FinNom(vue, debut + 1);
    const std::string_view nom = vue.substr(debut + 1, finNom - debut - 1);
    if (finNom == position)
        return {Lieu::NomElement, debut + 1, nom};
    std::size_t finValeur = Aucune;
    LitAttributs(vue, finNom, [&](const Attribut &attribut) { finValeur = attribut.fin; });
    std::size_t k = position;
    while (k > finNom && EstEspaceHtml(vue[k - 1]))
        --k;
    if (finValeur == position || (k > finNom && vue[k - 1] == '='))
        return {Lieu::Valeur, position, nom};
    std::size_t mot = position;
    while (mot > finNom && !EstEspaceHtml(vue[mot - 1]) && vue[mot - 1] != '/' && vue[mot - 1] != '"' &&
           vue[mot - 1] != '\'')
        --mot;
    return {Lieu::Balise, mot, nom};
}

// The place of a position in text: in a character reference being typed, or in text.
Contexte DansTexte(std::string_view texte, std::size_t position)
{
    std::size_t debut = position;
    while (debut > 0 && position - debut < NomReferenceLePlusLong && EstAlphanumerique(texte[debut - 1]))
        --debut;
    if (debut > 0 && texte[debut - 1] == '&' && (debut == position || EstLettreAscii(texte[debut])))
        return {Lieu::Reference, debut, {}};
    return {Lieu::Texte, position, {}};
}

// Whether the element's extent holds [debut, fin) and is larger than it; an element that ends at an empty range
// does not hold it.
bool Tient(const Paire &paire, std::size_t debut, std::size_t fin)
{
    return paire.debutOuvrante <= debut && fin <= paire.finFermante && debut < paire.finFermante &&
           (paire.debutOuvrante != debut || paire.finFermante != fin);
}

} // namespace

Contexte ContexteEn(std::string_view texte, std::size_t position, std::size_t portee)
{
    position = std::min(position, texte.size());
    Pile pile;
    const Lu lu = LitAvant(texte, position, portee, pile);
    switch (lu.arret) {
    case Arret::Ouvrante: return DansOuvrante(texte.substr(0, position), lu.debut);
    case Arret::Fermante:
    case Arret::Autre: return {Lieu::Commentaire, position, {}};
    case Arret::Brut: return {Lieu::TexteBrut, position, pile.elements.back().element.nom};
    case Arret::Fin:
    case Arret::Interrompue: break;
    }
    return DansTexte(texte, position);
}

std::vector<ElementOuvert> ElementsOuverts(std::string_view texte, std::size_t position, std::size_t portee)
{
    Pile pile;
    LitAvant(texte, std::min(position, texte.size()), portee, pile);
    std::vector<ElementOuvert> ouverts;
    ouverts.reserve(pile.elements.size());
    for (const Ouvert &ouvert : pile.elements)
        ouverts.push_back(ouvert.element);
    return ouverts;
}

std::string FermetureApresChevron(std::string_view texte, std::size_t chevron)
{
    if (chevron >= texte.size() || texte[chevron] != '>')
        return {};
    Pile pile;
    const Lu lu = LitAvant(texte, chevron + 1, PorteeEcriture, pile);
    if (lu.finOuvrante != chevron + 1 || !lu.ouvre)
        return {};
    const std::string_view nom =
        texte.substr(lu.debutOuvrante + 1, FinNom(texte, lu.debutOuvrante + 1) - lu.debutOuvrante - 1);
    if (!std::ranges::all_of(nom, EstCaractereDeNom))
        return {};
    const std::string_view suite = texte.substr(chevron + 1);
    const std::size_t apresNom = 2 + nom.size();
    if (suite.starts_with("</") && EgauxSansCasseAscii(suite.substr(2, nom.size()), nom) &&
        (suite.size() == apresNom || EstEspaceHtml(suite[apresNom]) || suite[apresNom] == '/' ||
         suite[apresNom] == '>'))
        return {};
    return "</" + std::string(nom) + '>';
}

std::string FermetureApresBarre(std::string_view texte, std::size_t barre)
{
    if (barre == 0 || barre >= texte.size() || texte[barre] != '/' || texte[barre - 1] != '<')
        return {};
    Pile pile;
    const Lu lu = LitAvant(texte, barre - 1, PorteeEcriture, pile);
    if ((lu.arret != Arret::Fin && lu.arret != Arret::Brut) || pile.elements.empty())
        return {};
    return std::string(pile.elements.back().element.nom) + '>';
}

std::optional<Paire> ElementAutour(std::string_view texte, std::size_t debut, std::size_t fin, std::size_t portee)
{
    fin = std::min(fin, texte.size());
    debut = std::min(debut, fin);
    Pile pile;
    const Lu lu = LitAvant(texte, debut, portee, pile);
    const std::string_view vue = texte.substr(0, std::min(texte.size(), fin + portee));
    // Where the reading goes on: at the construct the range begins in, or at the one whose '<' it begins at.
    std::size_t reprise = debut;
    bool brut = false;
    switch (lu.arret) {
    case Arret::Ouvrante:
    case Arret::Fermante:
    case Arret::Autre: reprise = lu.debut; break;
    case Arret::Brut:
        reprise = lu.debut;
        brut = true;
        break;
    case Arret::Fin:
    case Arret::Interrompue:
        // The end of the text before the range leaves "<" and "</" as text: the tag they begin is read whole.
        if (debut >= 1 && texte[debut - 1] == '<')
            reprise = debut - 1;
        else if (debut >= 2 && texte.substr(debut - 2, 2) == "</")
            reprise = debut - 2;
        break;
    }
    // A void element or a self-closed tag: its start tag alone.
    if (!brut && reprise < vue.size() && vue[reprise] == '<' && OuvertureDe(vue, reprise) == Ouverture::Ouvrante) {
        const Ouvrante balise = LitOuvrante(vue, reprise);
        const Role *role = RoleDe(balise.nom);
        const Paire paire{reprise, balise.fin, balise.fin, balise.fin};
        if (balise.fin != Aucune && (balise.autoFermee || (role && role->vide)) && Tient(paire, debut, fin))
            return paire;
    }
    std::optional<Paire> autour;
    Lit(vue, reprise, brut, false, pile,
        [&](const ElementOuvert &element, std::size_t debutFermante, std::size_t finFermante) {
            const Paire paire{element.debut, element.fin, debutFermante, finFermante};
            if (Tient(paire, debut, fin))
                autour = paire;
            return autour.has_value();
        });
    // What is still open ends with the page, or beyond the reach.
    const bool auBout = vue.size() == texte.size();
    while (!autour && !pile.elements.empty()) {
        const ElementOuvert element = pile.Depile().element;
        const std::size_t finElement = auBout ? texte.size() : element.fin;
        const Paire paire{element.debut, element.fin, finElement, finElement};
        if (Tient(paire, debut, fin))
            autour = paire;
    }
    return autour;
}

std::string BasculeCommentaire(std::string_view selection)
{
    if (selection.size() >= 7 && selection.starts_with("<!--") && selection.ends_with("-->") &&
        FinAutre(selection, 0) == selection.size()) {
        std::string_view contenu = selection.substr(4, selection.size() - 7);
        if (contenu.starts_with(' '))
            contenu.remove_prefix(1);
        if (contenu.ends_with(' '))
            contenu.remove_suffix(1);
        return std::string(contenu);
    }
    return "<!-- " + std::string(selection) + " -->";
}

std::string FermetureDe(std::string_view ouvrante)
{
    const std::string_view balise = SansEspaces(ouvrante);
    if (balise.empty() || balise[0] != '<' || OuvertureDe(balise, 0) != Ouverture::Ouvrante)
        return {};
    const Ouvrante lue = LitOuvrante(balise, 0);
    if (lue.fin != balise.size() || lue.autoFermee || EstElementVide(lue.nom))
        return {};
    return "</" + std::string(lue.nom) + '>';
}

bool EstElementVide(std::string_view nom)
{
    const Role *role = RoleDe(nom);
    return role && role->vide;
}
