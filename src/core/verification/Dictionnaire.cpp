// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/verification/Orthographe.h"

#include "core/document/LectureHTML.h"
#include "core/texte/Casse.h"
#include "core/texte/Encodage.h"

#include <hunspell/hunspell.hxx>
#include <unicode/ucnv.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <set>

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

// A language tag or a dictionary's name, read: its language in small letters ("en"), its region in capitals ("GB"),
// empty when it names none; a script or a variant between them is passed over ("sr-Latn-RS", "de_DE_frami").
struct Etiquette {
    std::string langue;
    std::string region;
};

Etiquette Decompose(std::string_view nom)
{
    Etiquette etiquette;
    std::size_t i = 0;
    for (; i < nom.size() && EstLettreAscii(nom[i]); ++i)
        etiquette.langue += MinusculeAscii(nom[i]);
    while (i < nom.size() && (nom[i] == '-' || nom[i] == '_')) {
        const std::size_t debut = ++i;
        while (i < nom.size() && nom[i] != '-' && nom[i] != '_')
            ++i;
        const std::string_view partie = nom.substr(debut, i - debut);
        const bool lettres = partie.size() == 2 && std::ranges::all_of(partie, EstLettreAscii);
        const bool chiffres =
            partie.size() == 3 && std::ranges::all_of(partie, [](char c) { return c >= '0' && c <= '9'; });
        if (lettres || chiffres) {
            std::ranges::transform(partie, std::back_inserter(etiquette.region), MajusculeAscii);
            break;
        }
    }
    return etiquette;
}

// The region whose dictionary a language's words go to when the page names none, for the languages whose usual region
// is not named like them (de: DE, but en: US).
std::string RegionUsuelle(const std::string &langue)
{
    static const std::map<std::string, std::string, std::less<>> regions = {
        {"ca", "ES"}, {"cs", "CZ"}, {"da", "DK"}, {"el", "GR"}, {"en", "US"}, {"et", "EE"},
        {"he", "IL"}, {"nb", "NO"}, {"nn", "NO"}, {"sl", "SI"}, {"sv", "SE"}, {"uk", "UA"},
    };
    const auto region = regions.find(langue);
    std::string usuelle = region != regions.end() ? region->second : langue;
    std::ranges::transform(usuelle, usuelle.begin(), MajusculeAscii);
    return usuelle;
}

} // namespace

std::string DictionnairePour(std::string_view langue, std::string_view langueDePage, std::string_view choisi,
                             const std::vector<DictionnaireInstalle> &installes)
{
    langue = SansEspaces(langue);
    if (langue.empty())
        return std::string(choisi);
    const Etiquette voulue = Decompose(langue);
    if (voulue.langue.empty())
        return {};
    const bool deLaLangueChoisie = !choisi.empty() && Decompose(choisi).langue == voulue.langue;
    if (deLaLangueChoisie && EgauxSansCasseAscii(langue, SansEspaces(langueDePage)))
        return std::string(choisi);
    // The first installed dictionary of the language that suits.
    const auto premier = [&](auto convient) -> std::optional<std::string> {
        for (const DictionnaireInstalle &installe : installes)
            if (const Etiquette etiquette = Decompose(installe.nom);
                etiquette.langue == voulue.langue && convient(installe.nom, etiquette))
                return installe.nom;
        return std::nullopt;
    };
    if (!voulue.region.empty())
        if (auto exact = premier([&](const std::string &, const Etiquette &e) { return e.region == voulue.region; }))
            return *exact;
    if (deLaLangueChoisie)
        return std::string(choisi);
    const auto seule = [&](const std::string &nom, const Etiquette &) { return nom.size() == voulue.langue.size(); };
    if (auto seul = premier(seule))
        return *seul;
    const std::string usuelle = RegionUsuelle(voulue.langue);
    if (auto usuel = premier([&](const std::string &, const Etiquette &e) { return e.region == usuelle; }))
        return *usuel;
    return premier([](const std::string &, const Etiquette &) { return true; }).value_or(std::string());
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

    Resultat<Fait, ErreurAjout> Ajoute(std::string_view mot) override
    {
        if (!EstMot(mot))
            return Erreur(ErreurAjout::PasUnMot);
        if (Retiens(mot) && !Ecrit(mot))
            return Erreur(ErreurAjout::ListeNonEcrite);
        return Fait{};
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

Resultat<std::unique_ptr<Dictionnaire>, ErreurDictionnaire>
Dictionnaire::Ouvre(const DictionnaireInstalle &installe, std::string_view mots, const std::string &personnel)
{
    // Hunspell reports no error: a file it cannot read leaves it empty.
    if (!Lisible(installe.aff) || !Lisible(installe.dic))
        return Erreur(ErreurDictionnaire::FichiersIllisibles);
    auto hunspell = std::make_unique<Hunspell>(installe.aff.c_str(), installe.dic.c_str());
    Convertisseur convertisseur;
    const std::string &encodage = hunspell->get_dict_encoding();
    if (ucnv_compareNames(encodage.c_str(), "UTF-8") != 0) {
        UErrorCode erreur = U_ZERO_ERROR;
        convertisseur.reset(ucnv_open(encodage.c_str(), &erreur));
        ucnv_setFromUCallBack(convertisseur.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &erreur);
        ucnv_setToUCallBack(convertisseur.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &erreur);
        if (U_FAILURE(erreur))
            return Erreur(ErreurDictionnaire::EncodageInconnu);
    }
    return std::unique_ptr<Dictionnaire>(
        std::make_unique<DictionnaireHunspell>(std::move(hunspell), std::move(convertisseur), mots, personnel));
}
