// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/verification/Orthographe.h"

#include "core/document/LectureHTML.h"
#include "core/texte/Casse.h"
#include "core/texte/Encodage.h"
#include "core/verification/NaturesElements.h"

#include <unicode/uchar.h>
#include <unicode/uscript.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <optional>

// The page is read as a browser's tokenizer reads it, as far as telling the text it shows from the rest goes: tags,
// comments, declarations, and the elements whose content is not mark-up.

using namespace NaturesElements;

namespace {

// How far before the range the reading starts: what stands further back is taken to be text.
constexpr std::size_t Recul = std::size_t(64) << 10;

// A character of the text and the bytes that write it: its UTF-8 sequence, or a whole character reference.
struct Signe {
    char32_t c;
    std::size_t debut;
    std::size_t fin;
};

constexpr char32_t TraitConditionnel = 0xAD;

// The character at i; a byte outside a valid UTF-8 sequence gives a character above Unicode.
Signe LitSigne(std::string_view texte, std::size_t i, bool entites)
{
    if (entites && texte[i] == '&') {
        if (const std::optional<Reference> reference = LitReference(texte, i))
            return {reference->caractere, i, reference->fin};
    }
    std::size_t j = i;
    const char32_t c = CaractereUtf8(texte, j);
    return {c, i, j};
}

bool Blanc(char32_t c)
{
    return c < HorsUnicode && u_isUWhiteSpace(static_cast<UChar32>(c));
}

// Letters, digits and the marks that go with letters make words; and '_', so that identifiers are one word.
bool DansMot(char32_t c)
{
    if (c >= HorsUnicode)
        return false;
    const auto u = static_cast<UChar32>(c);
    return c == '_' || u_isalnum(u) || (U_GET_GC_MASK(u) & U_GC_M_MASK) != 0;
}

// Apostrophes and hyphens join the letters on either side into one word.
bool Jonction(char32_t c)
{
    return c == '\'' || c == U'\u2019' || c == '-';
}

// A letter that the dictionaries can check: not a digit or '_', not the letters of the scripts written without
// spaces between words, whose runs are sentences rather than words.
bool Verifiable(char32_t c)
{
    const auto u = static_cast<UChar32>(c);
    if (!u_isalpha(u) && (U_GET_GC_MASK(u) & U_GC_M_MASK) == 0)
        return false;
    if (c < 0x0E00)
        return true;
    UErrorCode erreur = U_ZERO_ERROR;
    switch (uscript_getScript(u, &erreur)) {
    case USCRIPT_HAN:
    case USCRIPT_HIRAGANA:
    case USCRIPT_KATAKANA:
    case USCRIPT_THAI:
    case USCRIPT_LAO:
    case USCRIPT_KHMER:
    case USCRIPT_MYANMAR: return false;
    default: return true;
    }
}

// The endings of domain names and the extensions of files that make a name an address ("balizo.fr", "index.html");
// written in small letters, as addresses are: "erreur.Les" is two words.
constexpr std::string_view Terminaisons[] = {
    "asc",  "asp",  "aspx", "be",   "bz2",  "ca",  "cfg",  "cgi", "ch",   "com",  "conf", "css", "de",  "deb",
    "doc",  "docx", "edu",  "es",   "eu",   "exe", "fr",   "gif", "gov",  "gz",   "htm",  "html", "ico", "info",
    "ini",  "int",  "io",   "iso",  "it",   "jpeg", "jpg", "js",  "json", "list", "log",  "lu",  "md",  "net",
    "nl",   "odt",  "org",  "pdf",  "php",  "png", "py",   "qc",  "sh",   "svg",  "tar",  "txt", "uk",  "xhtml",
    "xml",  "xz",   "zip",
};
static_assert(std::ranges::is_sorted(Terminaisons));

bool Ascii(char32_t c, std::string_view parmi)
{
    return c < 0x80 && parmi.find(static_cast<char>(c)) != std::string_view::npos;
}

bool LettreAscii(char32_t c)
{
    return c < 0x80 && EstLettreAscii(static_cast<char>(c));
}

// The name in small letters, written in `tampon`; empty when it is longer than any name of the tables.
std::string_view Minuscules(std::string_view nom, std::array<char, 12> &tampon)
{
    if (nom.size() > tampon.size())
        return {};
    std::ranges::transform(nom, tampon.begin(), MinusculeAscii);
    return {tampon.data(), nom.size()};
}

// What an attribute is to the reading.
enum class Role { Autre, Langue, LangueXml, Type, Lu, Titre, Valeur };

Role RoleDe(std::string_view nom)
{
    const auto est = [nom](std::string_view autre) { return EgauxSansCasseAscii(nom, autre); };
    switch (nom.size()) {
    case 3: return est("alt") ? Role::Lu : Role::Autre;
    case 4: return est("lang") ? Role::Langue : est("type") ? Role::Type : Role::Autre;
    case 5: return est("title") ? Role::Titre : est("value") ? Role::Valeur : Role::Autre;
    case 8: return est("xml:lang") ? Role::LangueXml : Role::Autre;
    case 11: return est("placeholder") ? Role::Lu : Role::Autre;
    default: return Role::Autre;
    }
}

// How deep in the open elements an end tag or an implied end looks for its element: past that, the elements opened
// and never closed are many, and the page is not one a browser nests sensibly.
constexpr std::size_t Profondeur = 256;

bool Parmi(std::string_view nom, std::initializer_list<std::string_view> noms)
{
    return std::ranges::any_of(noms, [nom](std::string_view autre) { return EgauxSansCasseAscii(nom, autre); });
}

// The language that a tag's attributes give: xml:lang has the last word over lang, as in XHTML.
class LangueLue {
public:
    void Lit(std::string_view texte, const Attribut &attribut, Role role)
    {
        if (role == Role::LangueXml || (role == Role::Langue && !xml))
            langue = SansEspaces(texte.substr(attribut.debut, attribut.fin - attribut.debut));
        xml = xml || role == Role::LangueXml;
    }

    std::optional<std::string_view> langue;

private:
    bool xml = false;
};

class Lecteur {
public:
    // The page is read from Recul before the range, taken there to be text, to Recul past it: a construct that goes
    // on further covers the rest of the range.
    Lecteur(std::string_view page, std::size_t debut, std::size_t fin, const Lecture &lecture)
        : vue(page.substr(0, std::min(page.size(), std::min(fin, page.size()) + Recul))),
          fin(std::min(fin, page.size())), debut(std::min(debut, this->fin)), lecture(lecture)
    {
    }

    std::vector<Mot> Lit()
    {
        std::size_t i = debut > Recul ? debut - Recul : 0;
        while (i <= fin && i < vue.size()) {
            const std::size_t balisage = DebutBalisage(i);
            if (lecture.code || pile.empty() || !pile.back().code) {
                langue = Langue();
                Texte(i, balisage, true);
            }
            i = balisage < vue.size() ? Balisage(balisage) : balisage;
        }
        return std::move(mots);
    }

private:
    // An element open where the reading is.
    struct Ouvert {
        std::string_view nom;
        std::string_view langue;
        std::uint16_t famille;
        bool code;
    };

    // The language in force where the reading is.
    std::string_view Langue() const { return pile.empty() ? lecture.langue : pile.back().langue; }

    // The first '<' from i that opens mark-up, or the end of the text; any other '<' is text.
    std::size_t DebutBalisage(std::size_t i) const
    {
        for (;; ++i) {
            i = Suivant(vue, i, '<');
            if (i == vue.size() || OuvertureDe(vue, i) != Ouverture::Texte)
                return i;
        }
    }

    // After the construct that begins with the '<' at i, which opens mark-up.
    std::size_t Balisage(std::size_t i)
    {
        const Ouverture ouverture = OuvertureDe(vue, i);
        if (ouverture == Ouverture::Ouvrante || ouverture == Ouverture::Fermante)
            return Balise(i, ouverture == Ouverture::Fermante);
        // A comment, a declaration, a processing instruction, or what the browser takes for a comment.
        return FinAutre(vue, i);
    }

    void Empile(const Ouvert &ouvert)
    {
        pile.push_back(ouvert);
        if (ouvert.famille)
            ++ouverts[std::size_t(std::countr_zero(ouvert.famille))];
    }

    // Ends the open elements from the one at k.
    void Depile(std::size_t k)
    {
        for (std::size_t j = k; j < pile.size(); ++j)
            if (pile[j].famille)
                --ouverts[std::size_t(std::countr_zero(pile[j].famille))];
        pile.resize(k);
    }

    // Whether an element of one of the families is open: when none is, an end need not look for one through the
    // open elements, which a page that leaves many open makes many.
    bool Ouvertes(std::uint16_t familles) const
    {
        for (; familles; familles &= std::uint16_t(familles - 1))
            if (ouverts[std::size_t(std::countr_zero(familles))])
                return true;
        return false;
    }

    // Ends the nearest open element of the families `fermes`, and those opened within it, unless one of the
    // families `bornes` comes first.
    void Ferme(std::uint16_t fermes, std::uint16_t bornes)
    {
        if (!Ouvertes(fermes))
            return;
        for (std::size_t k = pile.size(); k > 0 && pile.size() - k < Profondeur; --k) {
            if (pile[k - 1].famille & fermes) {
                Depile(k - 1);
                return;
            }
            if (pile[k - 1].famille & bornes)
                return;
        }
    }

    // Ends the open elements that the start of the element ends.
    void FinImplicite(const Nature &nature)
    {
        if (nature.finP)
            Ferme(Paragraphe, Portee | Tableau | Cellule);
        switch (nature.famille) {
        case Article: Ferme(Article, Liste | Tableau | Cellule); break;
        case Terme: Ferme(Terme, Definitions | Tableau | Cellule); break;
        case Ligne: Ferme(Ligne, Tableau | Groupe); break;
        case Cellule: Ferme(Cellule, Tableau | Ligne); break;
        case Groupe: Ferme(Groupe, Tableau); break;
        case Option: Ferme(Option, Choix | Optgroup); break;
        case Optgroup: Ferme(Option | Optgroup, Choix); break;
        default: break;
        }
    }

    // The tag whose '<' is at i: a start tag's visible values read, the element opened (the elements whose end
    // the page left out ended first), and its content read when it is not mark-up; an end tag ends its element.
    std::size_t Balise(std::size_t i, bool fermante)
    {
        const std::size_t debutNom = i + (fermante ? 2 : 1);
        const std::size_t finNom = FinNom(vue, debutNom);
        const std::string_view nom = vue.substr(debutNom, finNom - debutNom);
        std::array<char, 12> tampon;
        const std::string_view minuscules = Minuscules(nom, tampon);
        const Nature *nature = NatureDe(minuscules);
        if (fermante) {
            if (!nature || !nature->famille || Ouvertes(nature->famille))
                for (std::size_t k = pile.size(); k > 0 && pile.size() - k < Profondeur; --k)
                    if (EgauxSansCasseAscii(pile[k - 1].nom, nom)) {
                        Depile(k - 1);
                        break;
                    }
            return FinBalise(vue, finNom);
        }
        const bool bouton = minuscules == "input";
        LangueLue langueLue;
        std::string_view type;
        lus.clear();
        const std::size_t apres = LitAttributs(vue, finNom, [&](const Attribut &attribut) {
            switch (const Role role = RoleDe(attribut.nom)) {
            case Role::Langue:
            case Role::LangueXml: langueLue.Lit(vue, attribut, role); break;
            case Role::Type: type = SansEspaces(vue.substr(attribut.debut, attribut.fin - attribut.debut)); break;
            case Role::Titre:
                if (!nature || !nature->cache)
                    lus.push_back(attribut);
                break;
            case Role::Valeur:
                if (bouton)
                    lus.push_back(attribut);
                break;
            case Role::Lu: lus.push_back(attribut); break;
            case Role::Autre: break;
            }
        });
        if (nature)
            FinImplicite(*nature);
        langue = langueLue.langue.value_or(Langue());
        const bool visible = !bouton || Parmi(type, {"button", "reset", "submit"});
        for (const Attribut &attribut : lus)
            if (visible || RoleDe(attribut.nom) != Role::Valeur)
                Texte(attribut.debut, attribut.fin, true);
        const bool code = (nature && nature->code) || (!pile.empty() && pile.back().code);
        if (nature && nature->contenu != Contenu::Balises) {
            const std::size_t bout = FinContenu(vue, apres, nature->nom, nature->contenu);
            if (nature->affichage != Affichage::Cache && (lecture.code || !code))
                Texte(apres, bout, nature->affichage == Affichage::Lu);
            return ApresFermeture(vue, bout, nature->nom);
        }
        const bool fermee = apres >= 2 && vue[apres - 1] == '>' && vue[apres - 2] == '/';
        if (!(nature && nature->vide) && !fermee)
            Empile({nom, langue, nature ? nature->famille : std::uint16_t(0), code});
        return apres;
    }

    // The words of the text between a and b that touch the range. The reading starts after the white space before
    // the range, where a run of characters starts.
    void Texte(std::size_t a, std::size_t b, bool entites)
    {
        if (b < debut || a > fin)
            return;
        std::size_t i = a;
        if (a < debut) {
            i = debut;
            while (i > a && !EstEspaceHtml(vue[i - 1]))
                --i;
        }
        const std::string_view texte = vue.substr(0, b);
        suite.clear();
        while (i < b) {
            const Signe signe = LitSigne(texte, i, entites);
            i = signe.fin;
            if (!Blanc(signe.c)) {
                suite.push_back(signe);
                continue;
            }
            Decoupe();
            if (i > fin)
                return;
        }
        Decoupe();
    }

    // The characters of the run that belong to addresses, marked in `adresse`: from a scheme or "www." to the end of
    // the run, a mail address, a name ending in one of the Terminaisons and what follows it from a '/', ':', '?' or
    // '#'.
    void Adresses()
    {
        const std::size_t n = suite.size();
        adresse.assign(n, false);
        const auto c = [&](std::size_t k) { return k < n ? suite[k].c : char32_t(' '); };
        // The ASCII text of the characters from a to b, in small letters if asked; '?' for the others.
        const auto ecrit = [&](std::size_t a, std::size_t b, bool minuscules) {
            std::string texte;
            for (std::size_t k = a; k < b; ++k)
                texte += c(k) >= 0x80 ? '?' : minuscules ? MinusculeAscii(char(c(k))) : char(c(k));
            return texte;
        };
        const auto marque = [&](std::size_t a, std::size_t b) {
            std::fill(adresse.begin() + std::ptrdiff_t(a), adresse.begin() + std::ptrdiff_t(b), true);
        };
        for (std::size_t k = 0; k < n; ++k) {
            if (c(k) == ':' && c(k + 1) == '/' && c(k + 2) == '/') {
                std::size_t schema = k;
                while (schema > 0 && (LettreAscii(c(schema - 1)) || Ascii(c(schema - 1), "0123456789+-.")))
                    --schema;
                marque(schema, n);
                return;
            }
            if (c(k) == '@' && DansMot(c(k + 1))) {
                std::size_t a = k;
                while (a > 0 && (DansMot(c(a - 1)) || Ascii(c(a - 1), ".-+")))
                    --a;
                const bool mailto = a >= 7 && c(a - 1) == ':' && (a == 7 || !DansMot(c(a - 8)));
                if (mailto && ecrit(a - 7, a - 1, true) == "mailto")
                    a -= 7;
                std::size_t b = k + 1;
                while (b < n && (DansMot(c(b)) || (Ascii(c(b), ".-") && DansMot(c(b + 1)))))
                    ++b;
                marque(a, b);
                k = b;
                continue;
            }
            if (c(k) != '.' || k == 0 || !DansMot(c(k - 1)) || !DansMot(c(k + 1)))
                continue;
            std::size_t nom = k;
            while (nom > 0 && DansMot(c(nom - 1)))
                --nom;
            std::size_t b = k + 1;
            while (DansMot(c(b)))
                ++b;
            const bool www = k - nom == 3 && ecrit(nom, k, true) == "www";
            if (!www && (b - k > 6 || !std::ranges::binary_search(Terminaisons, ecrit(k + 1, b, false))))
                continue;
            std::size_t a = nom;
            while (a > 0 && (DansMot(c(a - 1)) || Ascii(c(a - 1), "-./~")))
                --a;
            if (www || Ascii(c(b), "/:?#"))
                b = n;
            marque(a, b);
            k = b;
        }
    }

    // The words of a run of characters between white space, but for its addresses: letters (and digits and marks)
    // joined by single apostrophes or hyphens; a soft hyphen between letters joins them and is left out of the word.
    // A word that holds a character no dictionary checks is left out, and one that touches an address.
    void Decoupe()
    {
        const std::size_t n = suite.size();
        const bool adresses =
            std::ranges::any_of(suite, [](const Signe &signe) { return Ascii(signe.c, ".:@"); });
        if (adresses)
            Adresses();
        for (std::size_t k = 0; k < n;) {
            if (!DansMot(suite[k].c)) {
                ++k;
                continue;
            }
            Mot mot{suite[k].debut, 0, {}, {}};
            bool verifiable = true;
            for (;;) {
                verifiable = verifiable && Verifiable(suite[k].c) && !(adresses && adresse[k]);
                AjouteUtf8(mot.texte, suite[k].c);
                mot.fin = suite[k++].fin;
                if (k < n && DansMot(suite[k].c))
                    continue;
                if (k + 1 < n && (Jonction(suite[k].c) || suite[k].c == TraitConditionnel) && DansMot(suite[k + 1].c)) {
                    if (suite[k].c != TraitConditionnel)
                        AjouteUtf8(mot.texte, suite[k].c);
                    ++k;
                    continue;
                }
                break;
            }
            if (verifiable && mot.fin >= debut && mot.debut <= fin) {
                mot.langue = langue;
                mots.push_back(std::move(mot));
            }
        }
        suite.clear();
    }

    const std::string_view vue;
    const std::size_t fin;
    const std::size_t debut;
    const Lecture &lecture;
    std::vector<Mot> mots;
    // The elements open where the reading is, the innermost last.
    std::vector<Ouvert> pile;
    // How many of them there are of each family.
    std::array<std::uint32_t, 13> ouverts{};
    // The language of the words being read.
    std::string_view langue;
    // The values of the tag being read that a reader sees.
    std::vector<Attribut> lus;
    // The characters of the run being read, and those of them in addresses.
    std::vector<Signe> suite;
    std::vector<bool> adresse;
};

} // namespace

std::vector<Mot> MotsVisibles(std::string_view page, std::size_t debut, std::size_t fin, const Lecture &lecture)
{
    return Lecteur(page, debut, fin, lecture).Lit();
}

std::string LangueDePage(std::string_view page)
{
    const std::string_view vue = page.substr(0, std::min(page.size(), Recul));
    std::size_t i = vue.starts_with(MarqueUtf8) ? MarqueUtf8.size() : 0;
    while (i < vue.size()) {
        if (EstEspaceHtml(vue[i])) {
            ++i;
            continue;
        }
        const Ouverture ouverture = vue[i] == '<' ? OuvertureDe(vue, i) : Ouverture::Texte;
        if (ouverture == Ouverture::Autre) {
            i = FinAutre(vue, i);
            continue;
        }
        if (ouverture != Ouverture::Ouvrante)
            break;
        const std::size_t finNom = FinNom(vue, i + 1);
        if (!EgauxSansCasseAscii(vue.substr(i + 1, finNom - i - 1), "html"))
            break;
        LangueLue langue;
        LitAttributs(vue, finNom, [&](const Attribut &attribut) { langue.Lit(vue, attribut, RoleDe(attribut.nom)); });
        return std::string(langue.langue.value_or(std::string_view()));
    }
    return {};
}
