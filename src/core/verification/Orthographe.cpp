#include "core/verification/Orthographe.h"

#include "core/document/Encodage.h"

#include <hunspell/hunspell.hxx>
#include <unicode/uchar.h>
#include <unicode/ucnv.h>
#include <unicode/uscript.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <set>

// The page is read as a browser's tokenizer reads it, as far as telling the text it shows from the rest goes: tags,
// comments, declarations, and the elements whose content is not mark-up.

namespace {

// How far before the range the reading starts: what stands further back is taken to be text.
constexpr std::size_t Recul = std::size_t(64) << 10;

struct Entite {
    std::string_view nom;
    char32_t caractere;
};

// The named character references of HTML 4, and &apos;.
constexpr Entite Entites[] = {
    {"AElig", 0x00C6},    {"Aacute", 0x00C1},  {"Acirc", 0x00C2},   {"Agrave", 0x00C0},  {"Alpha", 0x0391},
    {"Aring", 0x00C5},    {"Atilde", 0x00C3},  {"Auml", 0x00C4},    {"Beta", 0x0392},    {"Ccedil", 0x00C7},
    {"Chi", 0x03A7},      {"Dagger", 0x2021},  {"Delta", 0x0394},   {"ETH", 0x00D0},     {"Eacute", 0x00C9},
    {"Ecirc", 0x00CA},    {"Egrave", 0x00C8},  {"Epsilon", 0x0395}, {"Eta", 0x0397},     {"Euml", 0x00CB},
    {"Gamma", 0x0393},    {"Iacute", 0x00CD},  {"Icirc", 0x00CE},   {"Igrave", 0x00CC},  {"Iota", 0x0399},
    {"Iuml", 0x00CF},     {"Kappa", 0x039A},   {"Lambda", 0x039B},  {"Mu", 0x039C},      {"Ntilde", 0x00D1},
    {"Nu", 0x039D},       {"OElig", 0x0152},   {"Oacute", 0x00D3},  {"Ocirc", 0x00D4},   {"Ograve", 0x00D2},
    {"Omega", 0x03A9},    {"Omicron", 0x039F}, {"Oslash", 0x00D8},  {"Otilde", 0x00D5},  {"Ouml", 0x00D6},
    {"Phi", 0x03A6},      {"Pi", 0x03A0},      {"Prime", 0x2033},   {"Psi", 0x03A8},     {"Rho", 0x03A1},
    {"Scaron", 0x0160},   {"Sigma", 0x03A3},   {"THORN", 0x00DE},   {"Tau", 0x03A4},     {"Theta", 0x0398},
    {"Uacute", 0x00DA},   {"Ucirc", 0x00DB},   {"Ugrave", 0x00D9},  {"Upsilon", 0x03A5}, {"Uuml", 0x00DC},
    {"Xi", 0x039E},       {"Yacute", 0x00DD},  {"Yuml", 0x0178},    {"Zeta", 0x0396},    {"aacute", 0x00E1},
    {"acirc", 0x00E2},    {"acute", 0x00B4},   {"aelig", 0x00E6},   {"agrave", 0x00E0},  {"alefsym", 0x2135},
    {"alpha", 0x03B1},    {"amp", 0x0026},     {"and", 0x2227},     {"ang", 0x2220},     {"apos", 0x0027},
    {"aring", 0x00E5},    {"asymp", 0x2248},   {"atilde", 0x00E3},  {"auml", 0x00E4},    {"bdquo", 0x201E},
    {"beta", 0x03B2},     {"brvbar", 0x00A6},  {"bull", 0x2022},    {"cap", 0x2229},     {"ccedil", 0x00E7},
    {"cedil", 0x00B8},    {"cent", 0x00A2},    {"chi", 0x03C7},     {"circ", 0x02C6},    {"clubs", 0x2663},
    {"cong", 0x2245},     {"copy", 0x00A9},    {"crarr", 0x21B5},   {"cup", 0x222A},     {"curren", 0x00A4},
    {"dArr", 0x21D3},     {"dagger", 0x2020},  {"darr", 0x2193},    {"deg", 0x00B0},     {"delta", 0x03B4},
    {"diams", 0x2666},    {"divide", 0x00F7},  {"eacute", 0x00E9},  {"ecirc", 0x00EA},   {"egrave", 0x00E8},
    {"empty", 0x2205},    {"emsp", 0x2003},    {"ensp", 0x2002},    {"epsilon", 0x03B5}, {"equiv", 0x2261},
    {"eta", 0x03B7},      {"eth", 0x00F0},     {"euml", 0x00EB},    {"euro", 0x20AC},    {"exist", 0x2203},
    {"fnof", 0x0192},     {"forall", 0x2200},  {"frac12", 0x00BD},  {"frac14", 0x00BC},  {"frac34", 0x00BE},
    {"frasl", 0x2044},    {"gamma", 0x03B3},   {"ge", 0x2265},      {"gt", 0x003E},      {"hArr", 0x21D4},
    {"harr", 0x2194},     {"hearts", 0x2665},  {"hellip", 0x2026},  {"iacute", 0x00ED},  {"icirc", 0x00EE},
    {"iexcl", 0x00A1},    {"igrave", 0x00EC},  {"image", 0x2111},   {"infin", 0x221E},   {"int", 0x222B},
    {"iota", 0x03B9},     {"iquest", 0x00BF},  {"isin", 0x2208},    {"iuml", 0x00EF},    {"kappa", 0x03BA},
    {"lArr", 0x21D0},     {"lambda", 0x03BB},  {"lang", 0x2329},    {"laquo", 0x00AB},   {"larr", 0x2190},
    {"lceil", 0x2308},    {"ldquo", 0x201C},   {"le", 0x2264},      {"lfloor", 0x230A},  {"lowast", 0x2217},
    {"loz", 0x25CA},      {"lrm", 0x200E},     {"lsaquo", 0x2039},  {"lsquo", 0x2018},   {"lt", 0x003C},
    {"macr", 0x00AF},     {"mdash", 0x2014},   {"micro", 0x00B5},   {"middot", 0x00B7},  {"minus", 0x2212},
    {"mu", 0x03BC},       {"nabla", 0x2207},   {"nbsp", 0x00A0},    {"ndash", 0x2013},   {"ne", 0x2260},
    {"ni", 0x220B},       {"not", 0x00AC},     {"notin", 0x2209},   {"nsub", 0x2284},    {"ntilde", 0x00F1},
    {"nu", 0x03BD},       {"oacute", 0x00F3},  {"ocirc", 0x00F4},   {"oelig", 0x0153},   {"ograve", 0x00F2},
    {"oline", 0x203E},    {"omega", 0x03C9},   {"omicron", 0x03BF}, {"oplus", 0x2295},   {"or", 0x2228},
    {"ordf", 0x00AA},     {"ordm", 0x00BA},    {"oslash", 0x00F8},  {"otilde", 0x00F5},  {"otimes", 0x2297},
    {"ouml", 0x00F6},     {"para", 0x00B6},    {"part", 0x2202},    {"permil", 0x2030},  {"perp", 0x22A5},
    {"phi", 0x03C6},      {"pi", 0x03C0},      {"piv", 0x03D6},     {"plusmn", 0x00B1},  {"pound", 0x00A3},
    {"prime", 0x2032},    {"prod", 0x220F},    {"prop", 0x221D},    {"psi", 0x03C8},     {"quot", 0x0022},
    {"rArr", 0x21D2},     {"radic", 0x221A},   {"rang", 0x232A},    {"raquo", 0x00BB},   {"rarr", 0x2192},
    {"rceil", 0x2309},    {"rdquo", 0x201D},   {"real", 0x211C},    {"reg", 0x00AE},     {"rfloor", 0x230B},
    {"rho", 0x03C1},      {"rlm", 0x200F},     {"rsaquo", 0x203A},  {"rsquo", 0x2019},   {"sbquo", 0x201A},
    {"scaron", 0x0161},   {"sdot", 0x22C5},    {"sect", 0x00A7},    {"shy", 0x00AD},     {"sigma", 0x03C3},
    {"sigmaf", 0x03C2},   {"sim", 0x223C},     {"spades", 0x2660},  {"sub", 0x2282},     {"sube", 0x2286},
    {"sum", 0x2211},      {"sup", 0x2283},     {"sup1", 0x00B9},    {"sup2", 0x00B2},    {"sup3", 0x00B3},
    {"supe", 0x2287},     {"szlig", 0x00DF},   {"tau", 0x03C4},     {"there4", 0x2234},  {"theta", 0x03B8},
    {"thetasym", 0x03D1}, {"thinsp", 0x2009},  {"thorn", 0x00FE},   {"tilde", 0x02DC},   {"times", 0x00D7},
    {"trade", 0x2122},    {"uArr", 0x21D1},    {"uacute", 0x00FA},  {"uarr", 0x2191},    {"ucirc", 0x00FB},
    {"ugrave", 0x00F9},   {"uml", 0x00A8},     {"upsih", 0x03D2},   {"upsilon", 0x03C5}, {"uuml", 0x00FC},
    {"weierp", 0x2118},   {"xi", 0x03BE},      {"yacute", 0x00FD},  {"yen", 0x00A5},     {"yuml", 0x00FF},
    {"zeta", 0x03B6},     {"zwj", 0x200D},     {"zwnj", 0x200C},
};
constexpr std::size_t NomEntiteLePlusLong = 8;
static_assert(std::ranges::is_sorted(Entites, {}, &Entite::nom));

// A character of the text and the bytes that write it: its UTF-8 sequence, or a whole character reference.
struct Signe {
    char32_t c;
    std::size_t debut;
    std::size_t fin;
};

constexpr char32_t CaractereDeRemplacement = 0xFFFD;
constexpr char32_t TraitConditionnel = 0xAD;

bool EstEspace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

bool EstLettre(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool EstAlphanumerique(char c)
{
    return EstLettre(c) || (c >= '0' && c <= '9');
}

char Minuscule(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

bool MemeNom(std::string_view nom, std::string_view minuscules)
{
    return std::ranges::equal(nom, minuscules, {}, Minuscule);
}

// The value of a digit in base 10 or 16, or -1.
int Chiffre(char c, bool hexadecimal)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    const char m = Minuscule(c);
    return hexadecimal && m >= 'a' && m <= 'f' ? m - 'a' + 10 : -1;
}

// The character that a numeric reference stands for: the bytes 0x80 to 0x9F as Windows-1252 reads them, as browsers
// do; no character, a surrogate or too large a number gives the replacement character.
char32_t CaractereNumerique(std::uint32_t valeur)
{
    if (valeur >= 0x80 && valeur <= 0x9F) {
        const char octet = static_cast<char>(valeur);
        std::string utf8;
        DecodeWindows1252(std::string_view(&octet, 1), utf8);
        std::size_t i = 0;
        return CaractereUtf8(utf8, i);
    }
    if (valeur == 0 || (valeur >= 0xD800 && valeur <= 0xDFFF) || valeur > 0x10FFFF)
        return CaractereDeRemplacement;
    return valeur;
}

// The character reference whose '&' is at i: a name of the table followed by ';', or '#' and digits in base 10, or
// "#x" and digits in base 16, the ';' after them optional. Nothing when none begins there: the '&' is then itself.
std::optional<Signe> Reference(std::string_view texte, std::size_t i)
{
    std::size_t j = i + 1;
    if (j < texte.size() && texte[j] == '#') {
        ++j;
        const bool hexadecimal = j < texte.size() && (texte[j] == 'x' || texte[j] == 'X');
        j += hexadecimal;
        const std::size_t chiffres = j;
        std::uint32_t valeur = 0;
        for (int chiffre; j < texte.size() && (chiffre = Chiffre(texte[j], hexadecimal)) >= 0; ++j)
            valeur = std::min<std::uint32_t>(valeur * (hexadecimal ? 16 : 10) + std::uint32_t(chiffre), 0x110000);
        if (j == chiffres)
            return std::nullopt;
        if (j < texte.size() && texte[j] == ';')
            ++j;
        return Signe{CaractereNumerique(valeur), i, j};
    }
    std::size_t k = j;
    while (k < texte.size() && k - j <= NomEntiteLePlusLong && EstAlphanumerique(texte[k]))
        ++k;
    if (k == texte.size() || texte[k] != ';')
        return std::nullopt;
    const std::string_view nom = texte.substr(j, k - j);
    const auto trouve = std::ranges::lower_bound(Entites, nom, {}, &Entite::nom);
    if (trouve == std::end(Entites) || trouve->nom != nom)
        return std::nullopt;
    return Signe{trouve->caractere, i, k + 1};
}

// The character at i; a byte outside a valid UTF-8 sequence gives a character above Unicode.
Signe LitSigne(std::string_view texte, std::size_t i, bool entites)
{
    if (entites && texte[i] == '&') {
        if (const std::optional<Signe> reference = Reference(texte, i))
            return *reference;
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

// A run of characters between white space is an address when it holds "://" or '@', or a dot between two
// characters of words ("www.exemple.fr", "page.html").
bool EstAdresse(const std::vector<Signe> &suite)
{
    const auto est = [&](std::size_t k, char32_t c) { return k < suite.size() && suite[k].c == c; };
    for (std::size_t k = 0; k < suite.size(); ++k) {
        if (est(k, '@') || (est(k, ':') && est(k + 1, '/') && est(k + 2, '/')))
            return true;
        if (est(k, '.') && k > 0 && DansMot(suite[k - 1].c) && k + 1 < suite.size() && DansMot(suite[k + 1].c))
            return true;
    }
    return false;
}

// What the browser makes of the content of an element.
enum class Contenu {
    Balises,  // mark-up, as the rest of the page
    Cache,    // text that is never shown, up to its end tag
    Script,   // the same, but for the escapes that "<!--" opens
    Texte,    // text shown as it is read, up to its end tag, references read
    Litteral, // text shown byte for byte, up to its end tag
    SansFin,  // text shown byte for byte, up to the end of the page
};

// The elements whose content is not mark-up; any other's is, noscript, noframes and noembed too: their text is what
// a reader without scripts or frames sees.
struct Element {
    std::string_view nom;
    Contenu contenu;
};

constexpr Element Elements[] = {
    {"iframe", Contenu::Cache}, {"plaintext", Contenu::SansFin}, {"script", Contenu::Script},
    {"style", Contenu::Cache},  {"textarea", Contenu::Texte},    {"title", Contenu::Texte},
    {"xmp", Contenu::Litteral},
};

constexpr Element Ordinaire{{}, Contenu::Balises};

const Element &Cherche(std::string_view nom)
{
    const auto trouve = std::ranges::find_if(Elements, [&](const Element &e) { return MemeNom(nom, e.nom); });
    return trouve != std::end(Elements) ? *trouve : Ordinaire;
}

class Lecteur {
public:
    // The page is read from Recul before the range, taken there to be text, to Recul past it: a construct that goes
    // on further covers the rest of the range.
    Lecteur(std::string_view page, std::size_t debut, std::size_t fin)
        : vue(page.substr(0, std::min(page.size(), std::min(fin, page.size()) + Recul))),
          fin(std::min(fin, page.size())), debut(std::min(debut, this->fin))
    {
    }

    std::vector<Mot> Lit()
    {
        std::size_t i = debut > Recul ? debut - Recul : 0;
        while (i <= fin && i < vue.size()) {
            const std::size_t balisage = DebutBalisage(i);
            Texte(i, balisage, true);
            i = balisage < vue.size() ? Balisage(balisage) : balisage;
        }
        return std::move(mots);
    }

private:
    // The next occurrence of c from i, or the end of the text.
    std::size_t Suivant(std::size_t i, char c) const
    {
        const void *trouve = std::memchr(vue.data() + i, c, vue.size() - i);
        return trouve ? std::size_t(static_cast<const char *>(trouve) - vue.data()) : vue.size();
    }

    // The position `longueur` bytes after the one found, or the end of the text when nothing was found.
    std::size_t Apres(std::size_t trouve, std::size_t longueur) const
    {
        return trouve >= vue.size() ? vue.size() : trouve + longueur;
    }

    // Whether the text at i begins with the motif, which is in lower case, without regard to ASCII case.
    bool Commence(std::size_t i, std::string_view motif) const
    {
        return vue.size() - i >= motif.size() && MemeNom(vue.substr(i, motif.size()), motif);
    }

    // Whether the end tag of the element begins at i: "</", its name, then white space, '/' or '>'.
    bool EstFin(std::size_t i, std::string_view nom) const
    {
        const std::size_t apres = i + 2 + nom.size();
        return Commence(i, "</") && Commence(i + 2, nom) && apres < vue.size() &&
               (EstEspace(vue[apres]) || vue[apres] == '/' || vue[apres] == '>');
    }

    // The first '<' from i that opens mark-up (a letter, '/', '!' or '?' after it), or the end of the text; any other
    // '<' is text.
    std::size_t DebutBalisage(std::size_t i) const
    {
        for (;; ++i) {
            i = Suivant(i, '<');
            if (i + 1 >= vue.size())
                return vue.size();
            const char c = vue[i + 1];
            if (EstLettre(c) || c == '/' || c == '!' || c == '?')
                return i;
        }
    }

    // After the construct that begins with the '<' at i.
    std::size_t Balisage(std::size_t i)
    {
        const char suivant = vue[i + 1];
        if (EstLettre(suivant))
            return Balise(i + 1, false);
        if (suivant == '/' && i + 2 < vue.size() && EstLettre(vue[i + 2]))
            return Balise(i + 2, true);
        if (Commence(i, "<!--"))
            return FinCommentaire(i + 2);
        if (vue.substr(i).starts_with("<![CDATA["))
            return Apres(vue.find("]]>", i + 9), 3);
        // A declaration, a processing instruction, or what the browser takes for a comment.
        return Apres(Suivant(i + 2, '>'), 1);
    }

    // A comment ends at the first "-->" or "--!>"; the dashes of its "<!--" count, so that "<!-->" is one.
    std::size_t FinCommentaire(std::size_t tirets) const
    {
        for (std::size_t i = tirets;; ++i) {
            i = Suivant(i, '-');
            if (i == vue.size())
                return i;
            if (Commence(i, "-->"))
                return i + 3;
            if (i >= tirets + 2 && Commence(i, "--!>"))
                return i + 4;
        }
    }

    // The tag whose name starts at i, its ALT and TITLE values read when it is a start tag; then the content of the
    // element when it is not mark-up.
    std::size_t Balise(std::size_t i, bool fermante)
    {
        std::size_t finNom = i;
        while (finNom < vue.size() && !EstEspace(vue[finNom]) && vue[finNom] != '/' && vue[finNom] != '>')
            ++finNom;
        const Element &element = Cherche(vue.substr(i, finNom - i));
        const std::size_t apres = Attributs(finNom, !fermante);
        if (fermante)
            return apres;
        const std::string_view nom = element.nom;
        switch (element.contenu) {
        case Contenu::Balises: return apres;
        case Contenu::Cache: return FinElement(FinTexteBrut(apres, nom), nom);
        case Contenu::Script: return FinElement(FinScript(apres), nom);
        case Contenu::Texte:
        case Contenu::Litteral: {
            const std::size_t bout = FinTexteBrut(apres, nom);
            Texte(apres, bout, element.contenu == Contenu::Texte);
            return FinElement(bout, nom);
        }
        case Contenu::SansFin: Texte(apres, vue.size(), false); break;
        }
        return vue.size();
    }

    // After the '>' that ends the tag whose name ends at i: the first one outside a quoted attribute value. A quote
    // opens a value only right after an attribute's '=' (white space allowed between). The words of the values of
    // ALT and TITLE are read when asked.
    std::size_t Attributs(std::size_t i, bool lus)
    {
        const std::size_t taille = vue.size();
        while (i < taille) {
            if (vue[i] == '>')
                return i + 1;
            if (EstEspace(vue[i]) || vue[i] == '/') {
                ++i;
                continue;
            }
            // An attribute's name: its first character whatever it is, '=' too.
            const std::size_t debutNom = i++;
            while (i < taille && !EstEspace(vue[i]) && vue[i] != '/' && vue[i] != '>' && vue[i] != '=')
                ++i;
            const std::string_view nom = vue.substr(debutNom, i - debutNom);
            const bool visible = lus && (MemeNom(nom, "alt") || MemeNom(nom, "title"));
            while (i < taille && EstEspace(vue[i]))
                ++i;
            if (i == taille || vue[i] != '=')
                continue;
            ++i;
            while (i < taille && EstEspace(vue[i]))
                ++i;
            if (i == taille)
                break;
            std::size_t valeur = i;
            std::size_t bout;
            if (vue[i] == '"' || vue[i] == '\'') {
                ++valeur;
                bout = Suivant(valeur, vue[i]);
                i = Apres(bout, 1);
            } else {
                while (i < taille && !EstEspace(vue[i]) && vue[i] != '>')
                    ++i;
                bout = i;
            }
            if (visible)
                Texte(valeur, bout, true);
        }
        return taille;
    }

    // The '<' of the end tag of the element whose text begins at i, or the end of the text.
    std::size_t FinTexteBrut(std::size_t i, std::string_view nom) const
    {
        for (;; ++i) {
            i = Suivant(i, '<');
            if (i == vue.size() || EstFin(i, nom))
                return i;
        }
    }

    // After the end tag of the element found at i, if any.
    std::size_t FinElement(std::size_t i, std::string_view nom)
    {
        return i < vue.size() ? Attributs(i + 2 + nom.size(), false) : i;
    }

    // The '<' of the end tag of the script whose text begins at i, or the end of the text. In it "<!--" opens an
    // escape, which "-->" closes; in an escape "<script" opens a second one, in which "</script" closes only that one.
    std::size_t FinScript(std::size_t i) const
    {
        enum { Donnees, Echappe, DoubleEchappe } etat = Donnees;
        const std::size_t taille = vue.size();
        while (i < taille) {
            if (etat == Donnees) {
                i = Suivant(i, '<');
                if (i == taille || EstFin(i, "script"))
                    return i;
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
                return i;
            } else if (etat == Echappe && Commence(i, "<script") && i + 7 < taille &&
                       (EstEspace(vue[i + 7]) || vue[i + 7] == '/' || vue[i + 7] == '>')) {
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

    // The words of the text between a and b that touch the range. The reading starts after the white space before
    // the range, where a run of characters starts.
    void Texte(std::size_t a, std::size_t b, bool entites)
    {
        if (b < debut || a > fin)
            return;
        std::size_t i = a;
        if (a < debut) {
            i = debut;
            while (i > a && !EstEspace(vue[i - 1]))
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

    // The words of a run of characters between white space, unless it is an address: letters (and digits and marks)
    // joined by single apostrophes or hyphens; a soft hyphen between letters joins them and is left out of the word.
    // A word that holds a character no dictionary checks is left out.
    void Decoupe()
    {
        if (suite.empty() || EstAdresse(suite)) {
            suite.clear();
            return;
        }
        const std::size_t n = suite.size();
        for (std::size_t k = 0; k < n;) {
            if (!DansMot(suite[k].c)) {
                ++k;
                continue;
            }
            Mot mot{suite[k].debut, 0, {}};
            bool verifiable = true;
            for (;;) {
                verifiable = verifiable && Verifiable(suite[k].c);
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
            if (verifiable && mot.fin >= debut && mot.debut <= fin)
                mots.push_back(std::move(mot));
        }
        suite.clear();
    }

    const std::string_view vue;
    const std::size_t fin;
    const std::size_t debut;
    std::vector<Mot> mots;
    // The characters of the run being read.
    std::vector<Signe> suite;
};

} // namespace

std::vector<Mot> MotsVisibles(std::string_view page, std::size_t debut, std::size_t fin)
{
    return Lecteur(page, debut, fin).Lit();
}

std::vector<std::string> DossiersDictionnaires(std::string_view dicpath, std::string_view xdgDataHome,
                                               std::string_view home)
{
    std::vector<std::string> dossiers;
    for (std::size_t i = 0; i <= dicpath.size();) {
        const std::size_t separateur = std::min(dicpath.find(':', i), dicpath.size());
        if (separateur > i)
            dossiers.emplace_back(dicpath.substr(i, separateur - i));
        i = separateur + 1;
    }
    if (xdgDataHome.starts_with('/'))
        dossiers.push_back(std::string(xdgDataHome).append("/hunspell"));
    else if (!home.empty())
        dossiers.push_back(std::string(home).append("/.local/share/hunspell"));
    for (const char *systeme : {"/usr/share/hunspell", "/usr/share/myspell/dicts", "/usr/share/myspell"})
        dossiers.emplace_back(systeme);
    return dossiers;
}

std::vector<DictionnaireInstalle> DictionnairesInstalles(const std::vector<std::string> &dossiers)
{
    namespace fs = std::filesystem;
    std::map<std::string, DictionnaireInstalle> trouves;
    for (const std::string &dossier : dossiers) {
        std::error_code erreur;
        for (fs::directory_iterator entree(dossier, erreur), bout; !erreur && entree != bout;
             entree.increment(erreur)) {
            const fs::path &aff = entree->path();
            if (aff.extension() != ".aff")
                continue;
            const fs::path dic = fs::path(aff).replace_extension(".dic");
            std::error_code absent;
            if (!fs::is_regular_file(aff, absent) || !fs::is_regular_file(dic, absent))
                continue;
            const std::string nom = aff.stem().string();
            trouves.try_emplace(nom, DictionnaireInstalle{nom, aff.string(), dic.string()});
        }
    }
    std::vector<DictionnaireInstalle> installes;
    for (auto &[nom, installe] : trouves)
        installes.push_back(std::move(installe));
    return installes;
}

std::string DictionnaireParDefaut(const std::vector<DictionnaireInstalle> &installes)
{
    if (std::ranges::find(installes, "fr_FR", &DictionnaireInstalle::nom) != installes.end())
        return "fr_FR";
    const auto francais = std::ranges::find_if(installes, [](const DictionnaireInstalle &installe) {
        return installe.nom == "fr" || installe.nom.starts_with("fr_") || installe.nom.starts_with("fr-");
    });
    return francais != installes.end() ? francais->nom : std::string();
}

namespace {

// Longer than any word: Hunspell knows none of that size, and the personal list keeps none.
constexpr std::size_t LongueurMaximale = 1024;
// The personal list is read up to that size; the rest of a larger file is left as it is.
constexpr std::size_t TaillePersonnelMaximale = std::size_t(16) << 20;

struct FermeConvertisseur {
    void operator()(UConverter *convertisseur) const { ucnv_close(convertisseur); }
};
using Convertisseur = std::unique_ptr<UConverter, FermeConvertisseur>;

// The text converted from UTF-8 to the converter's encoding, or back; nothing when a character has no equivalent.
std::optional<std::string> Convertit(UConverter *convertisseur, std::string_view texte, bool versUtf8)
{
    if (texte.empty())
        return std::string();
    const auto convertis = [&](char *cible, int32_t capacite, UErrorCode &erreur) {
        const auto taille = static_cast<int32_t>(texte.size());
        return versUtf8
                   ? ucnv_toAlgorithmic(UCNV_UTF8, convertisseur, cible, capacite, texte.data(), taille, &erreur)
                   : ucnv_fromAlgorithmic(convertisseur, UCNV_UTF8, cible, capacite, texte.data(), taille, &erreur);
    };
    UErrorCode erreur = U_ZERO_ERROR;
    const int32_t longueur = convertis(nullptr, 0, erreur);
    if (erreur != U_BUFFER_OVERFLOW_ERROR)
        return std::nullopt;
    std::string resultat(static_cast<std::size_t>(longueur), '\0');
    erreur = U_ZERO_ERROR;
    convertis(resultat.data(), longueur, erreur);
    if (U_FAILURE(erreur))
        return std::nullopt;
    return resultat;
}

bool Lisible(const std::string &chemin)
{
    std::error_code erreur;
    return std::filesystem::is_regular_file(chemin, erreur) && std::ifstream(chemin, std::ios::binary).good();
}

bool EstMot(std::string_view mot)
{
    return !mot.empty() && mot.size() <= LongueurMaximale && EstUtf8Valide(mot) &&
           mot.find_first_of("\r\n") == std::string_view::npos;
}

class DictionnaireHunspell final : public Dictionnaire {
public:
    DictionnaireHunspell(std::unique_ptr<Hunspell> hunspell, Convertisseur convertisseur, std::string personnel)
        : hunspell(std::move(hunspell)), convertisseur(std::move(convertisseur)), personnel(std::move(personnel))
    {
        LitPersonnel();
    }

    bool Correct(std::string_view mot) override
    {
        if (!EstMot(mot))
            return false;
        if (personnels.contains(mot))
            return true;
        const std::optional<std::string> converti = VersDictionnaire(mot);
        return converti && hunspell->spell(*converti);
    }

    std::vector<std::string> Suggestions(std::string_view mot) override
    {
        std::vector<std::string> suggestions;
        const std::optional<std::string> converti = EstMot(mot) ? VersDictionnaire(mot) : std::nullopt;
        if (!converti)
            return suggestions;
        for (const std::string &suggestion : hunspell->suggest(*converti)) {
            if (!convertisseur)
                suggestions.push_back(suggestion);
            else if (std::optional<std::string> utf8 = Convertit(convertisseur.get(), suggestion, true))
                suggestions.push_back(std::move(*utf8));
        }
        return suggestions;
    }

    bool Ajoute(std::string_view mot) override
    {
        if (!EstMot(mot))
            return false;
        return !Retiens(mot) || Ecrit(mot);
    }

private:
    // The word in the dictionary's encoding, where the typographic apostrophe is the straight one.
    std::optional<std::string> VersDictionnaire(std::string_view mot) const
    {
        if (!convertisseur)
            return std::string(mot);
        std::string droit;
        for (std::size_t i = 0; i < mot.size();) {
            if (mot.substr(i).starts_with("\u2019")) {
                droit += '\'';
                i += 3;
            } else {
                droit += mot[i++];
            }
        }
        return Convertit(convertisseur.get(), droit, false);
    }

    // Adds the word for this run; false when it was already there.
    bool Retiens(std::string_view mot)
    {
        if (!personnels.emplace(mot).second)
            return false;
        // A word that the dictionary's encoding cannot write is known by the list alone.
        if (const std::optional<std::string> converti = VersDictionnaire(mot))
            hunspell->add(*converti);
        return true;
    }

    // The words of the list's file, one a line, lines that are not words left out.
    void LitPersonnel()
    {
        std::error_code erreur;
        const std::uintmax_t taille = std::filesystem::file_size(personnel, erreur);
        std::ifstream fichier(personnel, std::ios::binary);
        if (erreur || !fichier)
            return;
        std::string contenu(std::min<std::uintmax_t>(taille, TaillePersonnelMaximale), '\0');
        fichier.read(contenu.data(), static_cast<std::streamsize>(contenu.size()));
        contenu.resize(static_cast<std::size_t>(fichier.gcount()));
        std::string_view reste = contenu;
        if (reste.starts_with(MarqueUtf8))
            reste.remove_prefix(MarqueUtf8.size());
        while (!reste.empty()) {
            const std::size_t saut = std::min(reste.find_first_of("\r\n"), reste.size());
            std::string_view ligne = reste.substr(0, saut);
            reste.remove_prefix(std::min(saut + 1, reste.size()));
            while (!ligne.empty() && (ligne.front() == ' ' || ligne.front() == '\t'))
                ligne.remove_prefix(1);
            while (!ligne.empty() && (ligne.back() == ' ' || ligne.back() == '\t'))
                ligne.remove_suffix(1);
            if (EstMot(ligne))
                Retiens(ligne);
        }
    }

    // Appends the word to the list's file, its folder created if need be.
    bool Ecrit(std::string_view mot) const
    {
        if (personnel.empty())
            return false;
        const std::filesystem::path chemin(personnel);
        std::error_code erreur;
        std::filesystem::create_directories(chemin.parent_path(), erreur);
        // A last line without its line end gets one first.
        bool saut = false;
        if (std::ifstream lu(chemin, std::ios::binary | std::ios::ate); lu && lu.tellg() > 0) {
            lu.seekg(-1, std::ios::end);
            const int dernier = lu.get();
            saut = dernier != '\n' && dernier != '\r';
        }
        std::ofstream fichier(chemin, std::ios::binary | std::ios::app);
        if (saut)
            fichier << '\n';
        fichier << mot << '\n';
        fichier.close();
        return !fichier.fail();
    }

    std::unique_ptr<Hunspell> hunspell;
    // Nothing when the dictionary is in UTF-8.
    Convertisseur convertisseur;
    const std::string personnel;
    // The words of the personal list, in UTF-8.
    std::set<std::string, std::less<>> personnels;
};

} // namespace

std::unique_ptr<Dictionnaire> Dictionnaire::Ouvre(const DictionnaireInstalle &installe, const std::string &personnel)
{
    // Hunspell reports no error: a file it cannot read leaves it empty.
    if (!Lisible(installe.aff) || !Lisible(installe.dic))
        return nullptr;
    auto hunspell = std::make_unique<Hunspell>(installe.aff.c_str(), installe.dic.c_str());
    Convertisseur convertisseur;
    const std::string &encodage = hunspell->get_dict_encoding();
    if (ucnv_compareNames(encodage.c_str(), "UTF-8") != 0) {
        UErrorCode erreur = U_ZERO_ERROR;
        convertisseur.reset(ucnv_open(encodage.c_str(), &erreur));
        ucnv_setFromUCallBack(convertisseur.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &erreur);
        ucnv_setToUCallBack(convertisseur.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &erreur);
        if (U_FAILURE(erreur))
            return nullptr;
    }
    return std::make_unique<DictionnaireHunspell>(std::move(hunspell), std::move(convertisseur), personnel);
}
