#include "core/document/CoupeLignes.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

// The page is read as a browser's tokenizer reads it, as far as telling mark-up from text goes: the same tag, comment
// and raw-text rules, so that a break is never taken for text that the browser reads otherwise.

namespace {

// How the browser reads the content of an element.
enum class Contenu {
    Balises,   // mark-up, as the rest of the page
    Preforme,  // mark-up, but its line ends show: no break until its end tag
    Brut,      // text up to its end tag
    Script,    // text up to its end tag, but for the escapes that "<!--" opens
    SansFin,   // text up to the end of the page
};

struct Element {
    std::string_view nom;
    // A break may go before its tags anywhere outside protected content.
    bool bloc;
    // It belongs in the head: a break may go before its tags as long as the page is in its head, which goes on
    // past it.
    bool entete;
    Contenu contenu;
};

constexpr Element Elements[] = {
    {"address", true, false, Contenu::Balises},    {"article", true, false, Contenu::Balises},
    {"aside", true, false, Contenu::Balises},      {"base", false, true, Contenu::Balises},
    {"blockquote", true, false, Contenu::Balises}, {"body", true, false, Contenu::Balises},
    {"br", true, false, Contenu::Balises},         {"caption", true, false, Contenu::Balises},
    {"center", true, false, Contenu::Balises},     {"col", true, false, Contenu::Balises},
    {"colgroup", true, false, Contenu::Balises},   {"dd", true, false, Contenu::Balises},
    {"details", true, false, Contenu::Balises},    {"div", true, false, Contenu::Balises},
    {"dl", true, false, Contenu::Balises},         {"dt", true, false, Contenu::Balises},
    {"fieldset", true, false, Contenu::Balises},   {"figcaption", true, false, Contenu::Balises},
    {"figure", true, false, Contenu::Balises},     {"footer", true, false, Contenu::Balises},
    {"form", true, false, Contenu::Balises},       {"h1", true, false, Contenu::Balises},
    {"h2", true, false, Contenu::Balises},         {"h3", true, false, Contenu::Balises},
    {"h4", true, false, Contenu::Balises},         {"h5", true, false, Contenu::Balises},
    {"h6", true, false, Contenu::Balises},         {"head", true, true, Contenu::Balises},
    {"header", true, false, Contenu::Balises},     {"hgroup", true, false, Contenu::Balises},
    {"hr", true, false, Contenu::Balises},         {"html", true, true, Contenu::Balises},
    {"iframe", false, false, Contenu::Brut},       {"legend", true, false, Contenu::Balises},
    {"li", true, false, Contenu::Balises},         {"link", false, true, Contenu::Balises},
    {"listing", true, false, Contenu::Preforme},   {"main", true, false, Contenu::Balises},
    {"meta", false, true, Contenu::Balises},       {"nav", true, false, Contenu::Balises},
    {"noembed", false, false, Contenu::Brut},      {"noframes", false, false, Contenu::Brut},
    {"noscript", false, true, Contenu::Brut},      {"ol", true, false, Contenu::Balises},
    {"optgroup", true, false, Contenu::Balises},   {"option", true, false, Contenu::Balises},
    {"p", true, false, Contenu::Balises},          {"plaintext", false, false, Contenu::SansFin},
    {"pre", true, false, Contenu::Preforme},       {"script", false, true, Contenu::Script},
    {"section", true, false, Contenu::Balises},    {"style", false, true, Contenu::Brut},
    {"summary", true, false, Contenu::Balises},    {"table", true, false, Contenu::Balises},
    {"tbody", true, false, Contenu::Balises},      {"td", true, false, Contenu::Balises},
    {"template", false, true, Contenu::Balises},   {"textarea", false, false, Contenu::Brut},
    {"tfoot", true, false, Contenu::Balises},      {"th", true, false, Contenu::Balises},
    {"thead", true, false, Contenu::Balises},      {"title", false, true, Contenu::Brut},
    {"tr", true, false, Contenu::Balises},         {"ul", true, false, Contenu::Balises},
    {"xmp", false, false, Contenu::Brut},
};
constexpr std::size_t NomLePlusLong = 10;
static_assert(std::ranges::is_sorted(Elements, {}, &Element::nom));

// Any other element: text and inline elements.
constexpr Element Ordinaire{{}, false, false, Contenu::Balises};

// The white space of HTML.
bool EstEspace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

bool EstLettre(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

char Minuscule(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

const Element &Cherche(std::string_view nom)
{
    if (nom.size() > NomLePlusLong)
        return Ordinaire;
    char minuscules[NomLePlusLong];
    std::ranges::transform(nom, minuscules, Minuscule);
    const std::string_view cle(minuscules, nom.size());
    const auto trouve = std::ranges::lower_bound(Elements, cle, {}, &Element::nom);
    return trouve != std::end(Elements) && trouve->nom == cle ? *trouve : Ordinaire;
}

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
            const std::size_t chevron = Suivant(i, '<');
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
    // The lines longer than `seuil`, as [start, end) without their line end. CR LF is taken as two line ends with an
    // empty line between them, which is never long.
    void MesureLignes(std::size_t seuil)
    {
        const std::size_t taille = texte.size();
        std::size_t debut = 0;
        std::size_t lf = Suivant(0, '\n');
        std::size_t cr = Suivant(0, '\r');
        for (;;) {
            const std::size_t bout = std::min(lf, cr);
            if (bout - debut > seuil)
                longues.emplace_back(debut, bout);
            if (bout == taille)
                return;
            debut = bout + 1;
            if (lf < debut)
                lf = Suivant(debut, '\n');
            if (cr < debut)
                cr = Suivant(debut, '\r');
        }
    }

    // The next occurrence of c from i, or the end of the text.
    std::size_t Suivant(std::size_t i, char c) const
    {
        const void *trouve = std::memchr(texte.data() + i, c, texte.size() - i);
        return trouve ? std::size_t(static_cast<const char *>(trouve) - texte.data()) : texte.size();
    }

    bool Blancs(std::size_t debut, std::size_t bout) const
    {
        return std::all_of(texte.begin() + std::ptrdiff_t(debut), texte.begin() + std::ptrdiff_t(bout), EstEspace);
    }

    // Whether the text at i begins with the motif, which is in lower case, without regard to ASCII case.
    bool Commence(std::size_t i, std::string_view motif) const
    {
        if (texte.size() - i < motif.size())
            return false;
        for (std::size_t k = 0; k < motif.size(); ++k) {
            if (Minuscule(texte[i + k]) != motif[k])
                return false;
        }
        return true;
    }

    // Whether the end tag of the element begins at i: "</", its name, then white space, '/' or '>'.
    bool EstFin(std::size_t i, std::string_view nom) const
    {
        const std::size_t apres = i + 2 + nom.size();
        return Commence(i, "</") && Commence(i + 2, nom) && apres < texte.size() &&
               (EstEspace(texte[apres]) || texte[apres] == '/' || texte[apres] == '>');
    }

    // After the construct that begins with the '<' at i: a tag, a comment, a declaration, or text.
    std::size_t Balisage(std::size_t i)
    {
        const std::size_t taille = texte.size();
        const char suivant = i + 1 < taille ? texte[i + 1] : '\0';
        if (EstLettre(suivant))
            return Balise(i, false);
        if (suivant == '/' && i + 2 < taille) {
            if (EstLettre(texte[i + 2]))
                return Balise(i, true);
            if (texte[i + 2] == '>')
                return i + 3;
            return Apres(Suivant(i + 2, '>'), 1);
        }
        if (suivant == '!') {
            if (Commence(i, "<!--"))
                return FinCommentaire(i + 2);
            if (texte.substr(i).starts_with("<![CDATA["))
                return Apres(texte.find("]]>", i + 9), 3);
            return Apres(Suivant(i + 2, '>'), 1);
        }
        if (suivant == '?')
            return Apres(Suivant(i + 2, '>'), 1);
        // A '<' that opens nothing is text.
        enTete = false;
        return i + 1;
    }

    // The position `longueur` bytes after the one found, or the end of the text when nothing was found.
    std::size_t Apres(std::size_t trouve, std::size_t longueur) const
    {
        return trouve >= texte.size() ? texte.size() : trouve + longueur;
    }

    // A comment ends at the first "-->" or "--!>"; the dashes of its "<!--" count, so that "<!-->" is one.
    std::size_t FinCommentaire(std::size_t tirets)
    {
        for (std::size_t i = tirets;; ++i) {
            i = Suivant(i, '-');
            if (i == texte.size())
                return i;
            if (Commence(i, "-->"))
                return i + 3;
            if (i >= tirets + 2 && Commence(i, "--!>"))
                return i + 4;
        }
    }

    // The tag whose '<' is at i; a break is recorded before it when one may go there.
    std::size_t Balise(std::size_t i, bool fermante)
    {
        const std::size_t debutNom = i + (fermante ? 2 : 1);
        std::size_t finNom = debutNom;
        while (finNom < texte.size() && !EstEspace(texte[finNom]) && texte[finNom] != '/' && texte[finNom] != '>')
            ++finNom;
        const Element &element = Cherche(texte.substr(debutNom, finNom - debutNom));
        if ((element.bloc || (element.entete && enTete)) && profondeurPreforme == 0)
            CoupeAvant(i);
        // An end tag of html in the head starts the body.
        enTete = enTete && element.entete && !(fermante && element.nom == "html");
        const std::size_t apres = FinBalise(finNom);
        if (fermante) {
            if (element.contenu == Contenu::Preforme && profondeurPreforme > 0)
                --profondeurPreforme;
            return apres;
        }
        switch (element.contenu) {
        case Contenu::Balises:
            return apres;
        case Contenu::Preforme:
            ++profondeurPreforme;
            return apres;
        case Contenu::Brut:
            return FinTexteBrut(apres, element.nom);
        case Contenu::Script:
            return FinScript(apres);
        case Contenu::SansFin:
            break;
        }
        return texte.size();
    }

    // After the '>' that ends the tag whose name ends at i: the first one outside a quoted attribute value. A quote
    // opens a value only right after an attribute's '=' (white space allowed between).
    std::size_t FinBalise(std::size_t i) const
    {
        const std::size_t taille = texte.size();
        while (i < taille) {
            if (texte[i] == '>')
                return i + 1;
            if (EstEspace(texte[i]) || texte[i] == '/') {
                ++i;
                continue;
            }
            // An attribute's name: its first character whatever it is, '=' too.
            ++i;
            while (i < taille && !EstEspace(texte[i]) && texte[i] != '/' && texte[i] != '>' && texte[i] != '=')
                ++i;
            while (i < taille && EstEspace(texte[i]))
                ++i;
            if (i == taille || texte[i] != '=')
                continue;
            ++i;
            while (i < taille && EstEspace(texte[i]))
                ++i;
            if (i == taille)
                break;
            if (texte[i] == '"' || texte[i] == '\'') {
                i = Apres(Suivant(i + 1, texte[i]), 1);
                continue;
            }
            while (i < taille && !EstEspace(texte[i]) && texte[i] != '>')
                ++i;
        }
        return taille;
    }

    // After the end tag of the element whose text begins at i.
    std::size_t FinTexteBrut(std::size_t i, std::string_view nom) const
    {
        for (;; ++i) {
            i = Suivant(i, '<');
            if (i == texte.size())
                return i;
            if (EstFin(i, nom))
                return FinBalise(i + 2 + nom.size());
        }
    }

    // After the end tag of the script whose text begins at i. In it "<!--" opens an escape, which "-->" closes; in
    // an escape "<script" opens a second one, in which "</script" closes only that one.
    std::size_t FinScript(std::size_t i) const
    {
        enum { Donnees, Echappe, DoubleEchappe } etat = Donnees;
        const std::size_t taille = texte.size();
        while (i < taille) {
            if (etat == Donnees) {
                i = Suivant(i, '<');
                if (i == taille)
                    break;
                if (EstFin(i, "script"))
                    return FinBalise(i + 8);
                if (Commence(i, "<!--")) {
                    // Its dashes count: "<!-->" opens and closes.
                    etat = Echappe;
                    i += 2;
                } else {
                    ++i;
                }
            } else if (Commence(i, "-->")) {
                etat = Donnees;
                i += 3;
            } else if (etat == Echappe && EstFin(i, "script")) {
                return FinBalise(i + 8);
            } else if (etat == Echappe && Commence(i, "<script") && i + 7 < taille &&
                       (EstEspace(texte[i + 7]) || texte[i + 7] == '/' || texte[i + 7] == '>')) {
                etat = DoubleEchappe;
                i += 7;
            } else if (etat == DoubleEchappe && EstFin(i, "script")) {
                etat = Echappe;
                i += 8;
            } else {
                ++i;
            }
        }
        return taille;
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
