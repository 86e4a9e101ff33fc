#include "core/verification/Orthographe.h"

#include "core/document/Casse.h"
#include "core/document/Encodage.h"
#include "core/document/LectureHTML.h"

#include <hunspell/hunspell.hxx>
#include <unicode/uchar.h>
#include <unicode/ucnv.h>
#include <unicode/uscript.h>

#include <algorithm>
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

// What a reader sees of the text content of an element.
enum class Affichage {
    Cache,    // nothing
    Lu,       // its text, references read
    Litteral, // its text byte for byte
};

// The elements whose content is not mark-up; any other's is, noscript, noframes and noembed too: their text is what
// a reader without scripts or frames sees.
struct Element {
    std::string_view nom;
    Contenu contenu;
    Affichage affichage;
};

constexpr Element Elements[] = {
    {"iframe", Contenu::Brut, Affichage::Cache},   {"plaintext", Contenu::SansFin, Affichage::Litteral},
    {"script", Contenu::Script, Affichage::Cache}, {"style", Contenu::Brut, Affichage::Cache},
    {"textarea", Contenu::Brut, Affichage::Lu},    {"title", Contenu::Brut, Affichage::Lu},
    {"xmp", Contenu::Brut, Affichage::Litteral},
};
static_assert(std::ranges::is_sorted(Elements, {}, &Element::nom));

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

    // The tag whose '<' is at i, the words of its ALT and TITLE values read when it is a start tag; then the content
    // of the element when it is not mark-up.
    std::size_t Balise(std::size_t i, bool fermante)
    {
        const std::size_t debutNom = i + (fermante ? 2 : 1);
        const std::size_t finNom = FinNom(vue, debutNom);
        if (fermante)
            return FinBalise(vue, finNom);
        const std::size_t apres = LitAttributs(vue, finNom, [&](const Attribut &attribut) {
            if (EgauxSansCasseAscii(attribut.nom, "alt") || EgauxSansCasseAscii(attribut.nom, "title"))
                Texte(attribut.debut, attribut.fin, true);
        });
        const Element *element = ChercheNom(Elements, vue.substr(debutNom, finNom - debutNom));
        if (!element)
            return apres;
        const std::size_t bout = FinContenu(vue, apres, element->nom, element->contenu);
        if (element->affichage != Affichage::Cache)
            Texte(apres, bout, element->affichage == Affichage::Lu);
        return ApresFermeture(vue, bout, element->nom);
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
    DictionnaireHunspell(std::unique_ptr<Hunspell> hunspell, Convertisseur convertisseur, std::string_view mots,
                         std::string personnel)
        : hunspell(std::move(hunspell)), convertisseur(std::move(convertisseur)), personnel(std::move(personnel))
    {
        LitPersonnel(mots);
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
    void LitPersonnel(std::string_view reste)
    {
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
        // Opening a named pipe would wait for its other end, perhaps forever; opening a device may act on it.
        if (const auto etat = std::filesystem::status(chemin, erreur);
            std::filesystem::exists(etat) && !std::filesystem::is_regular_file(etat))
            return false;
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

std::unique_ptr<Dictionnaire> Dictionnaire::Ouvre(const DictionnaireInstalle &installe, std::string_view mots,
                                                  const std::string &personnel)
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
    return std::make_unique<DictionnaireHunspell>(std::move(hunspell), std::move(convertisseur), mots, personnel);
}
