#include "core/verification/Liens.h"

#include "core/document/Ancres.h"
#include "core/document/LectureHTML.h"
#include "core/settings/Chemins.h"
#include "core/settings/Ouverture.h"
#include "core/texte/Casse.h"
#include "core/texte/CodecFichier.h"
#include "core/texte/Encodage.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>
#include <unordered_map>
#include <unordered_set>
#include <utility>

// The page is read as a browser's tokenizer reads it, as far as attributes go: the same tag, comment and text
// element rules, so that a link in a comment or a script is not taken for one.

namespace fs = std::filesystem;

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

// --- Entities and addresses ----------------------------------------------------------------------------------------

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

bool EstChiffre(char c, bool hexa)
{
    return (c >= '0' && c <= '9') || (hexa && ((c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F')));
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

// The href of the first <base> element that has one: the address that the browser reads the page's relative
// addresses from, whatever the place of the element.
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
    if (adresse.empty() || !EstLettreAscii(adresse[0]))
        return {};
    std::size_t i = 1;
    while (i < adresse.size() && (EstLettreAscii(adresse[i]) || EstChiffre(adresse[i], false) || adresse[i] == '+' ||
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
    return chemin.size() >= 3 && EstLettreAscii(chemin[0]) && chemin[1] == ':' &&
           (chemin[2] == '/' || chemin[2] == '\\');
}

// The address as the browser reads it from the base, itself read from the page: absolute when the base names a
// scheme or a host; otherwise still written from the page's folder, or from the site's with a leading "/", its ".."
// kept, so that it is judged as any other link. Nothing when the base has no path to read it from (mailto:, data:...).
std::optional<std::string> LuDepuis(std::string_view base, const std::string &adresse)
{
    if (!Schema(adresse).empty() || adresse.starts_with("//") || adresse.starts_with("\\\\") ||
        EstLecteurWindows(adresse))
        return adresse;
    if (adresse.starts_with('#'))
        return std::string(base.substr(0, std::min(base.find('#'), base.size()))) + adresse;
    std::string chemin(base.substr(0, std::min(base.find_first_of("?#"), base.size())));
    std::replace(chemin.begin(), chemin.end(), '\\', '/');
    // Where the base's path begins, past its scheme and its host.
    const std::string schema = Schema(chemin);
    std::size_t debutChemin = schema.empty() ? 0 : schema.size() + 1;
    if (std::string_view(chemin).substr(debutChemin).starts_with("//"))
        debutChemin = std::min(chemin.find('/', debutChemin + 2), chemin.size());
    else if (!schema.empty() && !std::string_view(chemin).substr(debutChemin).starts_with('/'))
        return std::nullopt;
    if (adresse.starts_with('/') || adresse.starts_with('\\'))
        return chemin.substr(0, debutChemin) + adresse;
    if (adresse.starts_with('?'))
        return chemin + adresse;
    const std::size_t barre = chemin.rfind('/');
    if (barre == std::string::npos || barre < debutChemin)
        return debutChemin == 0 ? adresse : chemin + '/' + adresse;
    return chemin.substr(0, barre + 1) + adresse;
}

// The text with each byte that is not part of a UTF-8 character written "%XX", as a link writes it.
std::string EnUtf8(std::string_view texte)
{
    constexpr char Chiffres[] = "0123456789ABCDEF";
    std::string lisible;
    for (std::size_t i = 0; i < texte.size();) {
        const std::size_t debut = i;
        if (CaractereUtf8(texte, i) < HorsUnicode) {
            lisible.append(texte.substr(debut, i - debut));
        } else {
            const auto octet = static_cast<unsigned char>(texte[debut]);
            lisible.append({'%', Chiffres[octet >> 4], Chiffres[octet & 15]});
        }
    }
    return lisible;
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

// Whether the path is the folder or lies in it; the folder "" is the root.
bool Dans(std::string_view chemin, std::string_view dossier)
{
    return chemin.starts_with(dossier) && (chemin.size() == dossier.size() || chemin[dossier.size()] == '/');
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
        std::error_code erreur;
        const fs::path reel = fs::canonical(this->site.empty() ? "/" : this->site, erreur);
        siteReel = erreur ? this->site : SansBarreFinale(reel.string());
    }

    std::vector<Probleme> Verifie()
    {
        if (const std::optional<Lien> base = PremiereBase(texte))
            lienBase = {base->debut, Adresse(base->cible)};
        for (const Lien &lien : ListeLiens(texte)) {
            if (lien.sorte == Lien::Sorte::Carte) {
                Carte(lien);
                continue;
            }
            std::string charge;
            Verifie(lien, &charge);
            // A sheet's problems are found from its own address, whatever the page's base.
            ecritAvantBase.reset();
            if (lien.sorte == Lien::Sorte::Feuille && !charge.empty())
                Feuille(lien, charge);
        }
        return std::move(problemes);
    }

private:
    // The anchors of a page that links lead to; nothing when it cannot be read.
    struct Cible {
        std::optional<Ancres> ancres;
        // Only its first TailleMaximaleCible bytes were read.
        bool tronquee = false;
        // Its file is out of the site's folder, where it is not read.
        bool horsSite = false;
    };

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

    void Signale(const Lien &lien, Probleme::Sorte sorte, std::string message, bool autreSite = false)
    {
        if (ecritAvantBase && !autreSite)
            message += (ecritAvantBase->starts_with('#') ? " Les navigateurs lisent aussi « " + *ecritAvantBase + " »"
                                                         : " Lien « " + *ecritAvantBase + " » lu") +
                       " depuis la base « " + lienBase->second + " ».";
        // A file's name on disk, or a path decoded from "%XX", may hold bytes that are not UTF-8.
        if (!EstUtf8Valide(message))
            message = EnUtf8(message);
        problemes.push_back({lien.debut, lien.fin, sorte, std::move(message), autreSite});
    }

    // Checks the link; `charge` receives the absolute path of the file that it loads, when it leads to one.
    void Verifie(const Lien &lien, std::string *charge = nullptr)
    {
        std::string adresse = Adresse(lien.cible);
        if (adresse.empty() || adresse == "#")
            return;
        // The base's own address is read from the page, and so is an element of the page named by a style; every
        // other from the base.
        const bool estBase = lienBase && lien.debut == lienBase->first;
        ecritAvantBase.reset();
        if (lienBase && !estBase && lien.sorte != Lien::Sorte::Ancre) {
            std::optional<std::string> lue = LuDepuis(lienBase->second, adresse);
            if (!lue)
                return Signale(lien, Probleme::Sorte::Lien,
                               "L'adresse « " + adresse + " » ne mène nulle part : la base « " + lienBase->second +
                                   " » n'a pas de chemin d'où la lire.");
            if (*lue != adresse)
                ecritAvantBase = std::exchange(adresse, std::move(*lue));
        }
        if (adresse.starts_with("\\\\") || EstLecteurWindows(adresse))
            return CheminLocal(lien, {}, {});
        const std::string schema = Schema(adresse);
        if (schema == "file")
            return Fichier(lien, adresse.substr(5));
        if (schema == "http" || schema == "https" || schema == "ftp" || schema == "ftps" || schema == "sftp" ||
            schema == "ws" || schema == "wss" || (schema.empty() && adresse.starts_with("//")))
            return Signale(lien, Probleme::Sorte::NonVerifie, "Lien vers un autre site, non vérifié : " + adresse,
                           true);
        // Any other scheme (mailto:, tel:, javascript:, data:...) leads to no file.
        if (!schema.empty())
            return;

        const std::size_t finChemin = std::min(adresse.find_first_of("?#"), adresse.size());
        std::string url = adresse.substr(0, finChemin);
        // The browser reads a backslash in the path as a slash.
        std::replace(url.begin(), url.end(), '\\', '/');
        std::string ecrit = DecodePourcents(url);
        const std::string_view suite = std::string_view(adresse).substr(finChemin);
        const std::size_t diese = suite.find('#');
        std::string fragment = diese == std::string_view::npos ? std::string() : std::string(suite.substr(diese + 1));
        if (estBase) {
            // The base names the folder that the other links are read from; a file that it names is never fetched.
            const std::string dossier = (ecrit.starts_with('/') ? site : dossierPage) + '/' + ecrit;
            std::error_code erreur;
            if (!url.empty() && !url.ends_with('/') && Existe(dossier) && fs::is_directory(dossier, erreur))
                return Signale(lien, Probleme::Sorte::Lien,
                               "La base « " + url + " » est un dossier : écrivez « " + url +
                                   "/ », sans quoi les liens sont lus depuis le dossier qui le contient.");
            url.erase(url.rfind('/') + 1);
            ecrit = DecodePourcents(url);
            fragment.clear();
        }
        // What the messages name: the path decoded, or as the page writes it when its bytes are not UTF-8.
        const std::string nom = Demande(EstUtf8Valide(ecrit) ? ecrit : adresse.substr(0, finChemin));
        if (ecrit.empty()) {
            if (!fragment.empty())
                Ancre(lien, fragment, page, {});
            return;
        }

        const bool duSite = ecrit.starts_with('/');
        const std::string &base = duSite ? site : dossierPage;
        if (SortDuSite(base, ecrit))
            return HorsDuSite(lien, base, ecrit, suite);
        const Resolution resolution = Resout(base, ecrit);
        if (!resolution.existe) {
            if (duSite && Existe(ecrit))
                return CheminLocal(lien, ecrit, suite);
            return Signale(lien, Probleme::Sorte::Lien,
                           "Le fichier « " + nom + " » n'existe pas" + (duSite ? " dans le dossier du site." : "."));
        }
        // The listing names it, but what the name stands for must be a file or a folder that opens.
        std::error_code erreur;
        const fs::file_type type = fs::status(resolution.chemin, erreur).type();
        if (type != fs::file_type::regular && type != fs::file_type::directory)
            return Signale(lien, Probleme::Sorte::Lien, Inaccessible(nom, resolution.chemin, type));
        if (resolution.autreCasse)
            Signale(lien, Probleme::Sorte::Lien,
                    "« " + nom + " » n'existe qu'avec une autre casse sur le disque : « " + Demande(resolution.correct) +
                        " » ; le lien échouera sur le serveur.");
        std::string cible = resolution.chemin;
        std::string nomCible = Demande(resolution.correct);
        if (type == fs::file_type::directory) {
            if (estBase)
                return;
            // A server answers for a folder with its index page, or else with an error or the list of its files.
            const std::optional<std::string> index = Index(cible);
            if (!index)
                return Signale(lien, Probleme::Sorte::Lien,
                               "Le dossier « " + nom +
                                   " » n'a pas de page index.html ni index.htm : un serveur web répondra par une "
                                   "erreur (403) ou par la liste de ses fichiers.");
            cible += '/' + *index;
            nomCible += (nomCible.ends_with('/') ? "" : "/") + *index;
        } else if (charge) {
            *charge = cible;
        }
        if (!fragment.empty() && EstPageHtml(cible))
            Ancre(lien, fragment, cible, nomCible);
    }

    // The path that the browser asks for, once the base's folder and the link's ".." have met; as written without a
    // base.
    std::string Demande(const std::string &chemin) const
    {
        return ecritAvantBase ? fs::path(chemin).lexically_normal().string() : chemin;
    }

    // The page that a server sends for the folder: its index.html, or else its index.htm, named in that case.
    std::optional<std::string> Index(const std::string &dossier)
    {
        for (const std::string nom : {"index.html", "index.htm"}) {
            std::error_code erreur;
            if (NomSurDisque(dossier, nom) == nom && fs::is_regular_file(dossier + '/' + nom, erreur))
                return nom;
        }
        return std::nullopt;
    }

    // Whether the path, read from the base folder, climbs with ".." out of the site's folder, as long as the base
    // lies in it. On the server, the climb stops at the site's top, and the link leads elsewhere than on this disk.
    bool SortDuSite(const std::string &base, std::string_view ecrit) const
    {
        if (!Dans(base, site))
            return false;
        const std::string_view dansLeSite = std::string_view(base).substr(site.size());
        auto profondeur = static_cast<std::size_t>(std::ranges::count(dansLeSite, '/'));
        while (!ecrit.empty()) {
            const std::size_t barre = std::min(ecrit.find('/'), ecrit.size());
            const std::string_view composant = ecrit.substr(0, barre);
            ecrit.remove_prefix(std::min(barre + 1, ecrit.size()));
            if (composant == "..") {
                if (profondeur == 0)
                    return true;
                --profondeur;
            } else if (!composant.empty() && composant != ".") {
                ++profondeur;
            }
        }
        return false;
    }

    // A link that climbs out of the site's folder; the relative link is proposed when it comes back into it.
    void HorsDuSite(const Lien &lien, const std::string &base, const std::string &ecrit, std::string_view suite)
    {
        std::string message = "Le lien sort du dossier du site (« " + (site.empty() ? "/" : site) +
                              " ») : il ne marchera pas sur le serveur.";
        std::string fichier = fs::path(base + '/' + ecrit).lexically_normal().string();
        while (fichier.size() > 1 && fichier.back() == '/')
            fichier.pop_back();
        if (!ecritAvantBase && Dans(fichier, site) && fichier != site)
            message += " Écrivez plutôt « " + CheminRelatif(fichier, page) + (ecrit.ends_with('/') ? "/" : "") +
                       std::string(suite) + " ».";
        Signale(lien, Probleme::Sorte::Lien, std::move(message));
    }

    // Why a name that its folder lists leads to neither a file nor a folder, of that type once links are followed.
    static std::string Inaccessible(const std::string &ecrit, const std::string &chemin, fs::file_type type)
    {
        if (type == fs::file_type::fifo || type == fs::file_type::block || type == fs::file_type::character ||
            type == fs::file_type::socket)
            return "« " + ecrit + " » n'est ni un fichier ni un dossier : un serveur web ne l'enverra pas.";
        std::error_code erreur;
        if (fs::is_symlink(fs::symlink_status(chemin, erreur)))
            return "Le fichier « " + ecrit + " » n'existe pas : ce lien symbolique ne mène à aucun fichier.";
        return "Le fichier « " + ecrit + " » ne peut être ouvert.";
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
        if (!ecritAvantBase && !site.empty() && fichier.starts_with(site + '/'))
            message += " Écrivez plutôt « " + CheminRelatif(fichier, page) + std::string(suite) + " ».";
        Signale(lien, Probleme::Sorte::Lien, std::move(message));
    }

    void Ancre(const Lien &lien, const std::string &fragment, const std::string &cible, const std::string &nomCible)
    {
        const Cible &lue = Lit(cible);
        const std::string decode = DecodePourcents(fragment);
        // What the messages name: the anchor decoded, or as the page writes it when its bytes are not UTF-8.
        const std::string &nom = EstUtf8Valide(decode) ? decode : fragment;
        if (lue.horsSite)
            return Signale(lien, Probleme::Sorte::NonVerifie,
                           "« " + nomCible + " » mène hors du dossier du site par un lien symbolique : l'ancre « " +
                               nom + " » n'y est pas cherchée.");
        if (!lue.ancres)
            return Signale(lien, Probleme::Sorte::Lien,
                           "La page « " + nomCible + " » ne peut être lue pour y chercher l'ancre « " + nom + " ».");
        const Ancres &ancres = *lue.ancres;
        const std::string dans = cible == page ? " dans cette page" : " dans « " + nomCible + " »";
        // The browser goes to the top of the page for "#top" that names no anchor.
        if (ancres.noms.contains(fragment) || ancres.noms.contains(decode) || EgauxSansCasseAscii(decode, "top"))
            return;
        if (lue.tronquee)
            return Signale(lien, Probleme::Sorte::NonVerifie,
                           "L'ancre « " + nom + " » n'est pas dans les " + std::to_string(TailleMaximaleCible >> 20) +
                               " premiers Mo de « " + nomCible + " », les seuls lus.");
        auto approche = ancres.plies.find(TextePlie(decode));
        if (approche == ancres.plies.end())
            approche = ancres.plies.find(TextePlie(fragment));
        if (approche != ancres.plies.end())
            return Signale(lien, Probleme::Sorte::Lien,
                           "L'ancre « " + nom + " » n'existe qu'avec une autre casse" + dans + " : « " +
                               approche->second + " » ; les navigateurs distinguent majuscules et minuscules.");
        Signale(lien, Probleme::Sorte::Lien, "L'ancre « " + nom + " » n'existe pas" + dans + ".");
    }

    // The anchors of the page at the absolute path: this page's own from its text, an open page's from its window,
    // any other's from the first bytes of its file, never waiting on it nor going out of the site for it.
    const Cible &Lit(const std::string &cible)
    {
        auto [entree, nouvelle] = pages.try_emplace(cible);
        Cible &lue = entree->second;
        if (!nouvelle)
            return lue;
        if (cible == page) {
            lue.ancres = AncresDe(texte);
            return lue;
        }
        if (const std::optional<std::string> ouverte = lecture ? lecture(cible) : std::nullopt) {
            lue.ancres = AncresDe(*ouverte);
            return lue;
        }
        const std::optional<Debut> debut = LitDansLeSite(cible, lue.horsSite);
        if (!debut)
            return lue;
        std::string_view octets = debut->octets;
        // The tag, or the character, that the limit cuts is left out: the encoding is read on whole characters.
        if (!debut->entier)
            octets = octets.substr(0, octets.rfind('<'));
        std::string tampon;
        lue.ancres = AncresDe(DecodeFichier(octets, tampon).texte);
        lue.tronquee = !debut->entier;
        return lue;
    }

    // The first TailleMaximaleCible bytes of the file at the absolute path, opened without waiting, when it lies in
    // the site's folder once its symbolic links are followed; nothing otherwise, horsSite telling whether it lies out.
    std::optional<Debut> LitDansLeSite(const std::string &chemin, bool &horsSite) const
    {
        std::error_code erreur;
        const fs::path reel = fs::canonical(chemin, erreur);
        horsSite = !erreur && !Dans(reel.string(), siteReel);
        if (erreur || horsSite)
            return std::nullopt;
        auto debut = LitDebut(reel.string(), TailleMaximaleCible);
        if (!debut)
            return std::nullopt;
        return std::move(*debut);
    }

    // A USEMAP: after its '#', the name or the id of a MAP element of the page.
    void Carte(const Lien &lien)
    {
        if (lien.cible.empty())
            return;
        const std::size_t diese = lien.cible.find('#');
        if (diese == std::string::npos)
            return Signale(lien, Probleme::Sorte::Lien,
                           "USEMAP « " + lien.cible + " » sans « # » : le navigateur n'y cherche aucune carte. " +
                               "Écrivez plutôt « #" + lien.cible + " ».");
        if (!cartes) {
            cartes.emplace();
            ParcourtAttributs(texte, [&](std::string_view balise, const Attribut &attribut) {
                if (EgauxSansCasseAscii(balise, "map") &&
                    (EgauxSansCasseAscii(attribut.nom, "name") || EgauxSansCasseAscii(attribut.nom, "id")))
                    cartes->insert(LitEntites(texte.substr(attribut.debut, attribut.fin - attribut.debut)));
            });
        }
        const std::string nom = lien.cible.substr(diese + 1);
        if (!cartes->contains(nom))
            Signale(lien, Probleme::Sorte::Lien,
                    "La carte « " + nom + " » n'existe pas dans cette page : aucun élément MAP n'a ce NAME ni cet ID.");
    }

    // The problems of the style sheet at the absolute path that the link loads, each once in the page, on the link.
    void Feuille(const Lien &lien, const std::string &feuille)
    {
        for (const Probleme &probleme : ProblemesFeuille(feuille))
            if (signales.insert(probleme.message).second)
                Signale(lien, probleme.sorte, probleme.message);
    }

    // The problems of the addresses of the style sheet at the absolute path, and of those of the sheets that it
    // imports, each message naming the sheet, the address and its line; the links to other sites are left out. The
    // sheet is read as another page is, at most once per call.
    const std::vector<Probleme> &ProblemesFeuille(const std::string &chemin)
    {
        auto [entree, nouvelle] = feuilles->try_emplace(chemin);
        std::vector<Probleme> &trouves = entree->second;
        // A sheet that imports itself, by way of others, is read once.
        if (!nouvelle)
            return trouves;
        // Named from the page's folder as the resolution spelled it: CheminRelatif would list every folder above.
        const std::string nom = fs::path(chemin).lexically_relative(dossierPage).string();
        std::string css;
        bool horsSite = false;
        if (const std::optional<std::string> ouverte = lecture ? lecture(chemin) : std::nullopt) {
            css = *ouverte;
        } else if (const std::optional<Debut> debut = LitDansLeSite(chemin, horsSite)) {
            std::string_view octets = debut->octets;
            // The line that the limit cuts is left out, and said so.
            if (!debut->entier) {
                octets = octets.substr(0, octets.find_last_of("\n\r") + 1);
                trouves.push_back({0, 0, Probleme::Sorte::NonVerifie,
                                   "La feuille de style « " + nom + " » passe " +
                                       std::to_string(TailleMaximaleCible >> 20) +
                                       " Mo : ses adresses au-delà ne sont pas vérifiées."});
            }
            std::string tampon;
            css = DecodeFichier(octets, tampon).texte;
        } else {
            trouves.push_back({0, 0, Probleme::Sorte::NonVerifie,
                               "La feuille de style « " + nom + " » " +
                                   (horsSite ? "est hors du dossier du site" : "ne peut être lue") +
                                   " : ses adresses ne sont pas vérifiées."});
            return trouves;
        }
        // Its addresses are read from its own folder, as the browser reads them.
        Verificateur sienne(css, chemin, site, lecture);
        sienne.feuilles = feuilles;
        CompteurLignes lignes(css);
        std::vector<Probleme> siens;
        for (const Lien &url : ListeUrlsCss(css)) {
            // "#name" names an element of the page that uses the sheet, which may be any.
            if (url.sorte == Lien::Sorte::Ancre)
                continue;
            const std::size_t avant = sienne.problemes.size();
            std::string importee;
            sienne.Verifie(url, &importee);
            const std::string ou = "Feuille de style « " + nom + " », ligne " +
                                   std::to_string(lignes.Position(url.debut).ligne) + ", « " + url.cible + " » : ";
            for (std::size_t k = avant; k < sienne.problemes.size(); ++k)
                if (!sienne.problemes[k].autreSite)
                    siens.push_back({0, 0, sienne.problemes[k].sorte, ou + sienne.problemes[k].message});
            if (url.sorte == Lien::Sorte::Feuille && !importee.empty())
                std::ranges::copy(ProblemesFeuille(importee), std::back_inserter(siens));
        }
        std::ranges::move(siens, std::back_inserter(trouves));
        return trouves;
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
    // The site's folder, its symbolic links followed: the files that are read lie in it.
    std::string siteReel;
    const LecteurPage &lecture;
    std::vector<Probleme> problemes;
    std::map<std::string, Dossier> dossiers;
    std::map<std::string, Cible> pages;
    // Where the href of the page's <base> is written, and its address: what the other links are read from.
    std::optional<std::pair<std::size_t, std::string>> lienBase;
    // The address of the link being checked as the page writes it, when the base changes it.
    std::optional<std::string> ecritAvantBase;
    // The names and ids of the page's MAP elements, once a USEMAP asks for them.
    std::optional<std::unordered_set<std::string>> cartes;
    // The problems of the style sheets read, by their paths, shared with the checks of their own addresses.
    std::shared_ptr<std::map<std::string, std::vector<Probleme>>> feuilles =
        std::make_shared<std::map<std::string, std::vector<Probleme>>>();
    // The messages of the style sheets' problems already told in the page.
    std::unordered_set<std::string> signales;
};

} // namespace

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

std::vector<Probleme> VerifieLiens(std::string_view texte, const std::string &chemin, const std::string &site,
                                   const LecteurPage &lecture)
{
    return Verificateur(texte, chemin, site, lecture).Verifie();
}

std::string DossierCommun(const std::vector<std::string> &chemins)
{
    if (chemins.empty())
        return {};
    std::string commun = chemins.front().substr(0, chemins.front().rfind('/'));
    for (const std::string &chemin : chemins)
        while (!chemin.starts_with(commun + '/'))
            commun.erase(commun.rfind('/'));
    return commun.empty() ? "/" : commun;
}
