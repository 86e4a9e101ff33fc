#include "core/verification/Liens.h"

#include "core/dialogs/Historique.h"
#include "core/document/Encodage.h"
#include "core/settings/Casse.h"
#include "core/settings/Chemins.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <map>
#include <unordered_map>
#include <unordered_set>

// The page is read as a browser's tokenizer reads it, as far as attributes go: the same tag, comment and text
// element rules, so that a link in a comment or a script is not taken for one.

namespace fs = std::filesystem;

namespace {

// --- The attributes of the page ---------------------------------------------------------------------------------

bool EstEspace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

bool EstLettre(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// The elements whose content the browser reads as text up to their end tag; plaintext's runs to the page's end.
constexpr std::string_view ElementsTexte[] = {"iframe", "noembed",  "noframes", "plaintext", "script",
                                              "style",  "textarea", "title",    "xmp"};

// Where the content of the text element that starts at `debut` ends: at its end tag, or at the end of the text.
std::size_t FinTexte(std::string_view texte, std::size_t debut, std::string_view element)
{
    if (EgauxSansCasseAscii(element, "plaintext"))
        return texte.size();
    std::string fermeture = "</";
    for (const char c : element)
        fermeture += MajusculeAscii(c);
    for (std::size_t p = debut; (p = ChercheMajuscules(fermeture, texte, p)) != std::string_view::npos; ++p) {
        const std::size_t apres = p + fermeture.size();
        if (apres == texte.size() || EstEspace(texte[apres]) || texte[apres] == '/' || texte[apres] == '>')
            return p;
    }
    return texte.size();
}

// Reads the attributes of a tag from `i`, just past its name, and calls visite(nom, debut, fin) for each one that
// has a value, the value's offsets without its quotes. Returns the offset past the tag's '>', or the end of the text
// when the tag has none or a quote stays open: the browser then drops the tag.
template <typename Visiteur> std::size_t LitAttributs(std::string_view texte, std::size_t i, Visiteur &&visite)
{
    const std::size_t n = texte.size();
    for (;;) {
        while (i < n && (EstEspace(texte[i]) || texte[i] == '/'))
            ++i;
        if (i == n)
            return n;
        if (texte[i] == '>')
            return i + 1;
        // A name may begin with '=', which then belongs to it.
        const std::size_t debutNom = i++;
        while (i < n && !EstEspace(texte[i]) && texte[i] != '/' && texte[i] != '>' && texte[i] != '=')
            ++i;
        const std::string_view nom = texte.substr(debutNom, i - debutNom);
        while (i < n && EstEspace(texte[i]))
            ++i;
        if (i == n || texte[i] != '=')
            continue;
        ++i;
        while (i < n && EstEspace(texte[i]))
            ++i;
        if (i == n)
            return n;
        if (texte[i] == '"' || texte[i] == '\'') {
            const std::size_t fin = texte.find(texte[i], i + 1);
            if (fin == std::string_view::npos)
                return n;
            visite(nom, i + 1, fin);
            i = fin + 1;
        } else if (texte[i] != '>') {
            const std::size_t debut = i;
            while (i < n && !EstEspace(texte[i]) && texte[i] != '>')
                ++i;
            visite(nom, debut, i);
        }
    }
}

// Calls visite(balise, nom, debut, fin) for each attribute with a value of each start tag that the browser reads as
// mark-up, in text order.
template <typename Visiteur> void ParcourtAttributs(std::string_view texte, Visiteur &&visite)
{
    const std::size_t n = texte.size();
    std::size_t i = 0;
    while (i < n) {
        const void *chevron = std::memchr(texte.data() + i, '<', n - i);
        if (!chevron)
            return;
        i = static_cast<std::size_t>(static_cast<const char *>(chevron) - texte.data()) + 1;
        if (i == n)
            return;
        if (texte.substr(i).starts_with("!--")) {
            // Searched from the first dash, so that "<!-->" and "<!--->" end where they start, as in a browser.
            const std::size_t fin = texte.find("-->", i + 1);
            i = fin == std::string_view::npos ? n : fin + 3;
        } else if (texte[i] == '!' || texte[i] == '?' || (texte[i] == '/' && i + 1 < n && !EstLettre(texte[i + 1]))) {
            // A declaration, a processing instruction, or an end tag without a name: text that ends at the next '>'.
            const std::size_t fin = texte.find('>', i);
            i = fin == std::string_view::npos ? n : fin + 1;
        } else if (texte[i] == '/') {
            // An end tag's attributes count for nothing, but their quotes hide a '>'.
            std::size_t j = i + 1;
            while (j < n && !EstEspace(texte[j]) && texte[j] != '/' && texte[j] != '>')
                ++j;
            i = LitAttributs(texte, j, [](std::string_view, std::size_t, std::size_t) {});
        } else if (EstLettre(texte[i])) {
            std::size_t j = i;
            while (j < n && !EstEspace(texte[j]) && texte[j] != '/' && texte[j] != '>')
                ++j;
            const std::string_view balise = texte.substr(i, j - i);
            i = LitAttributs(texte, j, [&](std::string_view nom, std::size_t debut, std::size_t fin) {
                visite(balise, nom, debut, fin);
            });
            for (const std::string_view element : ElementsTexte)
                if (EgauxSansCasseAscii(balise, element))
                    i = FinTexte(texte, i, element);
        }
    }
}

// --- Entities and addresses ----------------------------------------------------------------------------------------

// The names of the characters U+00A0 to U+00FF, in order.
constexpr std::string_view EntitesLatin1[] = {
    "nbsp",   "iexcl",  "cent",   "pound",  "curren", "yen",    "brvbar", "sect",   "uml",    "copy",   "ordf",
    "laquo",  "not",    "shy",    "reg",    "macr",   "deg",    "plusmn", "sup2",   "sup3",   "acute",  "micro",
    "para",   "middot", "cedil",  "sup1",   "ordm",   "raquo",  "frac14", "frac12", "frac34", "iquest", "Agrave",
    "Aacute", "Acirc",  "Atilde", "Auml",   "Aring",  "AElig",  "Ccedil", "Egrave", "Eacute", "Ecirc",  "Euml",
    "Igrave", "Iacute", "Icirc",  "Iuml",   "ETH",    "Ntilde", "Ograve", "Oacute", "Ocirc",  "Otilde", "Ouml",
    "times",  "Oslash", "Ugrave", "Uacute", "Ucirc",  "Uuml",   "Yacute", "THORN",  "szlig",  "agrave", "aacute",
    "acirc",  "atilde", "auml",   "aring",  "aelig",  "ccedil", "egrave", "eacute", "ecirc",  "euml",   "igrave",
    "iacute", "icirc",  "iuml",   "eth",    "ntilde", "ograve", "oacute", "ocirc",  "otilde", "ouml",   "divide",
    "oslash", "ugrave", "uacute", "ucirc",  "uuml",   "yacute", "thorn",  "yuml",
};
static_assert(std::size(EntitesLatin1) == 96);

struct Entite {
    std::string_view nom;
    char32_t caractere;
};

// The other entities of HTML 4 that a file name or an anchor may hold: the mark-up's own and those of French and
// its punctuation. The Greek letters and the mathematical signs stay as they are written.
constexpr Entite AutresEntites[] = {
    {"quot", 0x22},     {"amp", 0x26},     {"apos", 0x27},     {"lt", 0x3C},       {"gt", 0x3E},
    {"OElig", 0x152},   {"oelig", 0x153},  {"Scaron", 0x160},  {"scaron", 0x161},  {"Yuml", 0x178},
    {"fnof", 0x192},    {"circ", 0x2C6},   {"tilde", 0x2DC},   {"ensp", 0x2002},   {"emsp", 0x2003},
    {"thinsp", 0x2009}, {"ndash", 0x2013}, {"mdash", 0x2014},  {"lsquo", 0x2018},  {"rsquo", 0x2019},
    {"sbquo", 0x201A},  {"ldquo", 0x201C}, {"rdquo", 0x201D},  {"bdquo", 0x201E},  {"dagger", 0x2020},
    {"Dagger", 0x2021}, {"bull", 0x2022},  {"hellip", 0x2026}, {"permil", 0x2030}, {"lsaquo", 0x2039},
    {"rsaquo", 0x203A}, {"euro", 0x20AC},  {"trade", 0x2122},
};

char32_t CaractereEntite(std::string_view nom)
{
    for (std::size_t k = 0; k < std::size(EntitesLatin1); ++k)
        if (EntitesLatin1[k] == nom)
            return char32_t(0xA0 + k);
    for (const Entite &entite : AutresEntites)
        if (entite.nom == nom)
            return entite.caractere;
    return 0;
}

bool EstChiffre(char c, bool hexa)
{
    return (c >= '0' && c <= '9') || (hexa && ((c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F')));
}

// The value as the browser reads it: character references decoded (a named one needs its ';', a numeric one does
// not), the unknown ones left as they are written.
std::string LitEntites(std::string_view valeur)
{
    std::string lue;
    lue.reserve(valeur.size());
    std::size_t i = 0;
    while (i < valeur.size()) {
        const std::size_t esperluette = valeur.find('&', i);
        lue.append(valeur.substr(i, esperluette - i));
        if (esperluette == std::string_view::npos)
            break;
        i = esperluette + 1;
        if (i < valeur.size() && valeur[i] == '#') {
            const bool hexa = i + 1 < valeur.size() && (valeur[i + 1] == 'x' || valeur[i + 1] == 'X');
            std::size_t j = i + 1 + hexa;
            char32_t code = 0;
            for (; j < valeur.size() && EstChiffre(valeur[j], hexa); ++j) {
                const char c = MinusculeAscii(valeur[j]);
                code =
                    std::min<char32_t>(code * (hexa ? 16 : 10) + char32_t(c <= '9' ? c - '0' : c - 'a' + 10), 0x110000);
            }
            if (j == i + 1 + hexa) {
                lue += '&';
                continue;
            }
            i = j < valeur.size() && valeur[j] == ';' ? j + 1 : j;
            if (code >= 0x80 && code <= 0x9F)
                DecodeWindows1252(std::string(1, char(code)), lue);
            else
                AjouteUtf8(lue, code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF) ? 0xFFFD : code);
            continue;
        }
        std::size_t j = i;
        while (j < valeur.size() && (EstLettre(valeur[j]) || EstChiffre(valeur[j], false)))
            ++j;
        const char32_t caractere = j < valeur.size() && valeur[j] == ';' ? CaractereEntite(valeur.substr(i, j - i)) : 0;
        if (caractere == 0) {
            lue += '&';
            continue;
        }
        AjouteUtf8(lue, caractere);
        i = j + 1;
    }
    return lue;
}

// The bytes that "%XX" stand for put back; a '%' without two hexadecimal digits stays.
std::string DecodePourcents(std::string_view texte)
{
    const auto chiffre = [](char c) { return c <= '9' ? c - '0' : MinusculeAscii(c) - 'a' + 10; };
    std::string decode;
    decode.reserve(texte.size());
    for (std::size_t i = 0; i < texte.size(); ++i) {
        if (texte[i] == '%' && i + 2 < texte.size() && EstChiffre(texte[i + 1], true) &&
            EstChiffre(texte[i + 2], true)) {
            decode += char(chiffre(texte[i + 1]) * 16 + chiffre(texte[i + 2]));
            i += 2;
        } else {
            decode += texte[i];
        }
    }
    return decode;
}

// The address as the browser takes it: without the blanks and control characters at its ends, nor tabs and line
// ends inside.
std::string Adresse(std::string_view cible)
{
    while (!cible.empty() && static_cast<unsigned char>(cible.front()) <= ' ')
        cible.remove_prefix(1);
    while (!cible.empty() && static_cast<unsigned char>(cible.back()) <= ' ')
        cible.remove_suffix(1);
    std::string adresse;
    for (const char c : cible)
        if (c != '\t' && c != '\n' && c != '\r')
            adresse += c;
    return adresse;
}

// The address's scheme in small letters ("http" for "HTTP://..."); empty when it has none. A single letter is a
// Windows drive, not a scheme.
std::string Schema(std::string_view adresse)
{
    if (adresse.empty() || !EstLettre(adresse[0]))
        return {};
    std::size_t i = 1;
    while (i < adresse.size() && (EstLettre(adresse[i]) || EstChiffre(adresse[i], false) || adresse[i] == '+' ||
                                  adresse[i] == '-' || adresse[i] == '.'))
        ++i;
    if (i < 2 || i == adresse.size() || adresse[i] != ':')
        return {};
    std::string schema;
    for (const char c : adresse.substr(0, i))
        schema += MinusculeAscii(c);
    return schema;
}

bool EstLecteurWindows(std::string_view chemin)
{
    return chemin.size() >= 3 && EstLettre(chemin[0]) && chemin[1] == ':' && (chemin[2] == '/' || chemin[2] == '\\');
}

bool EstPageHtml(const std::string &chemin)
{
    const std::string extension = fs::path(chemin).extension().string();
    for (const std::string_view page : {".htm", ".html", ".xhtml", ".shtml"})
        if (EgauxSansCasseAscii(extension, page))
            return true;
    return false;
}

bool Existe(const std::string &chemin)
{
    std::error_code erreur;
    return chemin.find('\0') == std::string::npos && fs::exists(chemin, erreur);
}

// The names that a fragment may reach in a page, as written and folded.
struct Ancres {
    std::unordered_set<std::string> noms;
    std::unordered_map<std::string, std::string> plies; // the first name of each folded form
};

// The anchors of the page: the names that ListeAncres finds, every id, and the name of every A element, which
// ListeAncres misses when another attribute comes before it.
Ancres AncresDe(std::string_view texte)
{
    std::vector<std::string> liste;
    ListeAncres(texte, liste);
    ParcourtAttributs(texte, [&](std::string_view balise, std::string_view nom, std::size_t debut, std::size_t fin) {
        if (EgauxSansCasseAscii(nom, "id") || (EgauxSansCasseAscii(nom, "name") && EgauxSansCasseAscii(balise, "a")))
            liste.push_back(LitEntites(texte.substr(debut, fin - debut)));
    });
    Ancres ancres;
    for (std::string &nom : liste) {
        ancres.plies.try_emplace(TextePlie(nom), nom);
        ancres.noms.insert(std::move(nom));
    }
    return ancres;
}

// --- The check ---------------------------------------------------------------------------------------------------

// Where a path written in a link leads, each component looked up in its folder's listing.
struct Resolution {
    bool existe = false;
    bool autreCasse = false;
    std::string chemin;  // absolute, spelled as on disk; meaningful when the path exists
    std::string correct; // the path as the link should write it
};

// Checks the links of one page, with the folder listings and the anchors of other pages read once.
class Verificateur {
public:
    Verificateur(std::string_view texte, const std::string &chemin, const std::string &site, const LecteurPage &lecture)
        : texte(texte), page(fs::path(chemin).lexically_normal().string()),
          dossierPage(fs::path(page).parent_path().string()), site(SansBarreFinale(site)), lecture(lecture)
    {
    }

    std::vector<Probleme> Verifie()
    {
        for (const Lien &lien : ListeLiens(texte))
            Verifie(lien);
        return std::move(problemes);
    }

private:
    struct Dossier {
        bool lu = false;
        std::unordered_set<std::string> noms;
        std::unordered_map<std::string, std::string> plies;
    };

    static std::string SansBarreFinale(const std::string &chemin)
    {
        std::string normal = fs::path(chemin).lexically_normal().string();
        while (!normal.empty() && normal.back() == '/')
            normal.pop_back();
        return normal;
    }

    void Signale(const Lien &lien, Probleme::Sorte sorte, std::string message)
    {
        problemes.push_back({lien.debut, lien.fin, sorte, std::move(message)});
    }

    void Verifie(const Lien &lien)
    {
        const std::string adresse = Adresse(lien.cible);
        if (adresse.empty() || adresse == "#")
            return;
        if (adresse.starts_with("\\\\") || EstLecteurWindows(adresse))
            return CheminLocal(lien, {}, {});
        const std::string schema = Schema(adresse);
        if (schema == "file")
            return Fichier(lien, adresse.substr(5));
        if (schema == "http" || schema == "https" || schema == "ftp" || schema == "ftps" || schema == "sftp" ||
            schema == "ws" || schema == "wss" || (schema.empty() && adresse.starts_with("//")))
            return Signale(lien, Probleme::Sorte::NonVerifie, "Lien vers un autre site, non vérifié : " + adresse);
        // Any other scheme (mailto:, tel:, javascript:, data:...) leads to no file.
        if (!schema.empty())
            return;

        const std::size_t finChemin = std::min(adresse.find_first_of("?#"), adresse.size());
        std::string url = adresse.substr(0, finChemin);
        // The browser reads a backslash in the path as a slash.
        std::replace(url.begin(), url.end(), '\\', '/');
        const std::string ecrit = DecodePourcents(url);
        const std::string_view suite = std::string_view(adresse).substr(finChemin);
        const std::size_t diese = suite.find('#');
        const std::string fragment =
            diese == std::string_view::npos ? std::string() : std::string(suite.substr(diese + 1));
        if (ecrit.empty()) {
            if (!fragment.empty())
                Ancre(lien, fragment, page, {});
            return;
        }

        const bool duSite = ecrit.starts_with('/');
        const Resolution resolution = Resout(duSite ? site : dossierPage, ecrit);
        if (!resolution.existe) {
            if (duSite && Existe(ecrit))
                return CheminLocal(lien, ecrit, suite);
            return Signale(lien, Probleme::Sorte::Lien,
                           "Le fichier « " + ecrit + " » n'existe pas" + (duSite ? " dans le dossier du site." : "."));
        }
        if (resolution.autreCasse)
            Signale(lien, Probleme::Sorte::Lien,
                    "« " + ecrit + " » n'existe qu'avec une autre casse sur le disque : « " + resolution.correct +
                        " » ; le lien échouera sur le serveur.");
        std::error_code erreur;
        if (!fragment.empty() && EstPageHtml(resolution.chemin) && !fs::is_directory(resolution.chemin, erreur))
            Ancre(lien, fragment, resolution.chemin, resolution.correct);
    }

    // A "file:" address, from past its scheme.
    void Fichier(const Lien &lien, std::string_view reste)
    {
        const std::size_t finChemin = std::min(reste.find_first_of("?#"), reste.size());
        std::string_view chemin = reste.substr(0, finChemin);
        if (chemin.starts_with("//")) {
            // A host other than this one names a shared folder: the path does not belong to this disk.
            const std::size_t barre = std::min(chemin.find('/', 2), chemin.size());
            const std::string_view hote = chemin.substr(2, barre - 2);
            if (!hote.empty() && !EgauxSansCasseAscii(hote, "localhost"))
                return CheminLocal(lien, {}, {});
            chemin.remove_prefix(barre);
        }
        CheminLocal(lien, DecodePourcents(chemin), reste.substr(finChemin));
    }

    // A link to a file by its absolute path on this computer; `fichier` is the file's path when it may lie in the
    // site, `suite` the query and fragment to keep in the relative link proposed.
    void CheminLocal(const Lien &lien, const std::string &fichier, std::string_view suite)
    {
        std::string message = "Chemin absolu vers un fichier local : le lien ne marchera pas sur le serveur.";
        if (!site.empty() && fichier.starts_with(site + '/'))
            message += " Écrivez plutôt « " + CheminRelatif(fichier, page) + std::string(suite) + " ».";
        Signale(lien, Probleme::Sorte::Lien, std::move(message));
    }

    void Ancre(const Lien &lien, const std::string &fragment, const std::string &cible, const std::string &nomCible)
    {
        const Ancres *ancres = AncresDe(cible);
        const std::string decode = DecodePourcents(fragment);
        if (!ancres)
            return Signale(lien, Probleme::Sorte::Lien,
                           "La page « " + nomCible + " » ne peut être lue pour y chercher l'ancre « " + decode + " ».");
        const std::string dans = cible == page ? " dans cette page" : " dans « " + nomCible + " »";
        // The browser goes to the top of the page for "#top" that names no anchor.
        if (ancres->noms.contains(fragment) || ancres->noms.contains(decode) || EgauxSansCasseAscii(decode, "top"))
            return;
        auto approche = ancres->plies.find(TextePlie(decode));
        if (approche == ancres->plies.end())
            approche = ancres->plies.find(TextePlie(fragment));
        if (approche != ancres->plies.end())
            return Signale(lien, Probleme::Sorte::Lien,
                           "L'ancre « " + decode + " » n'existe qu'avec une autre casse" + dans + " : « " +
                               approche->second + " » ; les navigateurs distinguent majuscules et minuscules.");
        Signale(lien, Probleme::Sorte::Lien, "L'ancre « " + decode + " » n'existe pas" + dans + ".");
    }

    // The anchors of the page at the absolute path, this page's own from its text; nothing when it cannot be read.
    const Ancres *AncresDe(const std::string &cible)
    {
        auto [entree, nouvelle] = pages.try_emplace(cible);
        if (nouvelle) {
            if (cible == page) {
                entree->second = ::AncresDe(texte);
            } else {
                const std::optional<std::string> autre = lecture ? lecture(cible) : std::nullopt;
                if (autre)
                    entree->second = ::AncresDe(*autre);
            }
        }
        return entree->second ? &*entree->second : nullptr;
    }

    Resolution Resout(const std::string &base, std::string_view ecrit)
    {
        Resolution resolution{false, false, base, ecrit.starts_with('/') ? "/" : ""};
        const bool barreFinale = ecrit.ends_with('/');
        std::string &chemin = resolution.chemin;
        std::string &correct = resolution.correct;
        while (!ecrit.empty()) {
            const std::size_t barre = std::min(ecrit.find('/'), ecrit.size());
            const std::string_view composant = ecrit.substr(0, barre);
            ecrit.remove_prefix(std::min(barre + 1, ecrit.size()));
            if (composant.empty())
                continue;
            if (composant == "..")
                chemin.erase(std::min(chemin.rfind('/'), chemin.size()));
            if (composant == "." || composant == "..") {
                correct.append(composant).append("/");
                continue;
            }
            const std::optional<std::string> nom = NomSurDisque(chemin, std::string(composant));
            if (!nom)
                return resolution;
            resolution.autreCasse |= *nom != composant;
            chemin.append("/").append(*nom);
            correct.append(*nom).append("/");
        }
        if (!barreFinale && correct.size() > 1)
            correct.pop_back();
        resolution.existe = true;
        return resolution;
    }

    // The name in the folder, spelled as its listing spells it, in the same case or else in another; nothing when
    // it has neither.
    std::optional<std::string> NomSurDisque(const std::string &dossier, const std::string &nom)
    {
        auto [entree, nouveau] = dossiers.try_emplace(dossier);
        Dossier &contenu = entree->second;
        if (nouveau) {
            std::error_code erreur;
            fs::directory_iterator i(dossier.empty() ? "/" : dossier, erreur);
            contenu.lu = !erreur;
            for (; !erreur && i != fs::directory_iterator(); i.increment(erreur)) {
                std::string entree = i->path().filename().string();
                contenu.plies.try_emplace(TextePlie(entree), entree);
                contenu.noms.insert(std::move(entree));
            }
        }
        if (contenu.noms.contains(nom))
            return nom;
        if (!contenu.lu)
            // A folder that may be crossed but not listed: its names can be checked only as they are written.
            return Existe(dossier + '/' + nom) ? std::optional(nom) : std::nullopt;
        const auto approche = contenu.plies.find(TextePlie(nom));
        return approche == contenu.plies.end() ? std::nullopt : std::optional(approche->second);
    }

    std::string_view texte;
    std::string page;
    std::string dossierPage;
    std::string site;
    const LecteurPage &lecture;
    std::vector<Probleme> problemes;
    std::map<std::string, Dossier> dossiers;
    std::map<std::string, std::optional<Ancres>> pages;
};

} // namespace

std::vector<Lien> ListeLiens(std::string_view texte)
{
    std::vector<Lien> liens;
    ParcourtAttributs(texte, [&](std::string_view, std::string_view nom, std::size_t debut, std::size_t fin) {
        if (EgauxSansCasseAscii(nom, "href") || EgauxSansCasseAscii(nom, "src"))
            liens.push_back({debut, fin, LitEntites(texte.substr(debut, fin - debut))});
    });
    return liens;
}

std::vector<Probleme> VerifieLiens(std::string_view texte, const std::string &chemin, const std::string &site,
                                   const LecteurPage &lecture)
{
    return Verificateur(texte, chemin, site, lecture).Verifie();
}
