// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/site/Renommage.h"

#include "core/document/LectureHTML.h"
#include "core/settings/Chemins.h"
#include "core/texte/Casse.h"
#include "core/texte/Encodage.h"
#include "core/verification/AdressesLiens.h"
#include "core/verification/LectureLiens.h"
#include "core/verification/Liens.h"
#include "core/verification/Probleme.h"

#include <algorithm>
#include <filesystem>
#include <ranges>
#include <string_view>

namespace fs = std::filesystem;

using namespace AdressesLiens;

namespace {

std::string Parent(const std::string &chemin)
{
    return chemin.substr(0, chemin.rfind('/'));
}

std::string Nom(const std::string &chemin)
{
    return chemin.substr(chemin.rfind('/') + 1);
}

// The path absolute, "." and ".." resolved, without its final "/"; the existing components spelled as on disk but
// for the last one when `dernierTelQuel`.
std::string Absolu(const std::string &chemin, bool dernierTelQuel)
{
    std::error_code erreur;
    std::string absolu = fs::absolute(chemin, erreur).lexically_normal().string();
    while (absolu.size() > 1 && absolu.back() == '/')
        absolu.pop_back();
    if (!dernierTelQuel || absolu == "/")
        return CheminLong(absolu);
    std::string dossier = CheminLong(Parent(absolu).empty() ? "/" : Parent(absolu));
    if (dossier.back() != '/')
        dossier += '/';
    return dossier + Nom(absolu);
}

// A name of the disk as a link writes it: the bytes that an address cannot hold as they are, or that would end its
// path, and those that are no UTF-8, written "%XX".
std::string Encode(std::string_view nom)
{
    constexpr char Chiffres[] = "0123456789ABCDEF";
    constexpr std::string_view Reserves = "\"#%&'()<>?\\`";
    std::string ecrit;
    for (std::size_t i = 0; i < nom.size();) {
        const std::size_t debut = i;
        const char32_t c = CaractereUtf8(nom, i);
        const auto octet = static_cast<unsigned char>(nom[debut]);
        if ((c >= 0x80 && c < HorsUnicode) || (c > ' ' && c < 0x7F && Reserves.find(char(c)) == std::string_view::npos))
            ecrit.append(nom.substr(debut, i - debut));
        else
            ecrit.append({'%', Chiffres[octet >> 4], Chiffres[octet & 15]});
    }
    return ecrit;
}

// The character references of a value read ("&amp;" is "&"), as far as the path of a link goes.
std::string LitReferences(std::string_view ecrit)
{
    std::string lu;
    for (std::size_t i = 0; i < ecrit.size();) {
        if (ecrit[i] == '&')
            if (const std::optional<Reference> reference = LitReference(ecrit, i)) {
                AjouteUtf8(lu, reference->caractere);
                i = reference->fin;
                continue;
            }
        lu += ecrit[i++];
    }
    return lu;
}

// Where the path of the link's text starts and ends: past its blanks, up to its query or fragment; the '#' of a
// character reference ("&#233;") is not a fragment's.
std::pair<std::size_t, std::size_t> PartieChemin(std::string_view ecrit, bool html)
{
    std::size_t debut = 0;
    while (debut < ecrit.size() && static_cast<unsigned char>(ecrit[debut]) <= ' ')
        ++debut;
    std::size_t fin = debut;
    while (fin < ecrit.size() && ecrit[fin] != '?' && ecrit[fin] != '#') {
        const std::optional<Reference> reference =
            html && ecrit[fin] == '&' ? LitReference(ecrit, fin) : std::nullopt;
        fin = reference ? reference->fin : fin + 1;
    }
    if (fin == ecrit.size())
        while (fin > debut && static_cast<unsigned char>(ecrit[fin - 1]) <= ' ')
            --fin;
    return {debut, fin};
}

// The path from the folder `depuis` to `vers`, both absolute, or from the site's folder with a leading "/", its
// names written as a link writes them; a path that ends on a folder ends with "/", the folder itself is "".
std::string Chemin(const std::string &depuis, const std::string &vers, bool racine, const std::string &site)
{
    const auto composants = [](std::string_view chemin) {
        std::vector<std::string_view> liste;
        for (const auto morceau : chemin | std::views::split('/'))
            if (!morceau.empty())
                liste.emplace_back(morceau.begin(), morceau.end());
        return liste;
    };
    const std::vector<std::string_view> de = composants(racine ? site : depuis);
    const std::vector<std::string_view> a = composants(vers);
    std::size_t commun = 0;
    while (commun < de.size() && commun < a.size() && de[commun] == a[commun])
        ++commun;
    std::string chemin = racine ? "/" : "";
    for (std::size_t k = commun; k < de.size(); ++k)
        chemin += "../";
    for (std::size_t k = commun; k < a.size(); ++k)
        chemin += Encode(a[k]) + (k + 1 < a.size() ? "/" : "");
    return chemin;
}

// One component of a link's path: its text in the link, what it says, and the folder or file it leads to.
struct Pas {
    std::size_t debut = 0;
    std::size_t fin = 0;
    std::string nom;
    std::string chemin;
    // It names what moves, from its folder.
    bool entre = false;
};

bool EstNom(const std::string &nom)
{
    return !nom.empty() && nom != "." && nom != "..";
}

// Writes again the links of the site's files, with the listings of the folders they lead through read once.
class Planificateur {
public:
    explicit Planificateur(const Renommage &renommage)
        : renommage(renommage), memeDossier(Parent(renommage.ancien) == Parent(renommage.nouveau))
    {
    }

    // The text of the link once what it leads to has moved, or nothing when it stays as it is. `fichier` is the
    // absolute path of the page or sheet, `html` false for a style sheet's own file.
    std::optional<std::string> Nouveau(std::string_view texte, const Lien &lien, const std::string &fichier, bool html)
    {
        if (lien.sorte == Lien::Sorte::Carte || lien.sorte == Lien::Sorte::Ancre)
            return std::nullopt;
        const std::string adresse = Adresse(lien.cible);
        if (adresse.empty() || adresse.starts_with('#') || adresse.starts_with("//") ||
            adresse.starts_with("\\\\") || EstLecteurWindows(adresse) || !Schema(adresse).empty())
            return std::nullopt;
        std::string url = adresse.substr(0, std::min(adresse.find_first_of("?#"), adresse.size()));
        std::ranges::replace(url, '\\', '/');
        const std::string_view ecrit = texte.substr(lien.debut, lien.fin - lien.debut);
        const auto [debut, fin] = PartieChemin(ecrit, html);
        const std::string_view chemin = ecrit.substr(debut, fin - debut);

        // The path is read as written, its references read or not, as the check read it; a path whose text cannot
        // be matched to what it says (a "/" or a "?" written as a reference, CSS escapes) is left.
        const auto lu = [](std::string_view morceau, bool references) {
            std::string lecture = references ? LitReferences(morceau) : std::string(morceau);
            std::ranges::replace(lecture, '\\', '/');
            return lecture;
        };
        const bool references = html && lu(chemin, true) == url;
        if (url.empty() || (!references && lu(chemin, false) != url))
            return std::nullopt;
        const bool duSite = url.starts_with('/');
        const std::string base = duSite ? renommage.site : Parent(fichier);
        if (SortDuSite(base, renommage.site, DecodePourcents(url)))
            return std::nullopt;

        std::vector<Pas> pas;
        std::string ou = base;
        for (std::size_t i = 0; i <= chemin.size();) {
            const std::size_t barre = std::min(chemin.find_first_of("/\\", i), chemin.size());
            Pas suivant{i, barre, DecodePourcents(lu(chemin.substr(i, barre - i), references)), {}, false};
            if (suivant.nom.find('/') != std::string::npos)
                return std::nullopt;
            if (suivant.nom == "..") {
                ou = Parent(ou);
            } else if (EstNom(suivant.nom)) {
                const Resolution resolution = dossiers.Resout(ou, suivant.nom);
                // A link that leads nowhere before the move leads nowhere after it.
                if (!resolution.existe)
                    return std::nullopt;
                ou = resolution.chemin;
                suivant.entre = ou == renommage.ancien;
            }
            suivant.chemin = ou;
            pas.push_back(std::move(suivant));
            i = barre + 1;
        }
        const bool barreFinale = pas.back().nom.empty() && pas.size() > 1;
        if (barreFinale)
            pas.pop_back();

        // A link to a folder leads to its index page, which may be what moves.
        bool versIndex = false;
        std::error_code erreur;
        if (ou == Parent(renommage.ancien) && fs::is_directory(ou, erreur)) {
            const std::optional<std::string> index = dossiers.Index(ou);
            versIndex = index && ou + '/' + *index == renommage.ancien;
        }
        const bool entre = versIndex || std::ranges::any_of(pas, &Pas::entre);
        const bool pageBouge = !duSite && Dans(fichier, renommage.ancien);

        std::string nouveau(chemin);
        if (memeDossier) {
            // Only a name changes: the components that name it take the new one, the others stay as written,
            // whatever the folder of the page.
            if (!entre)
                return std::nullopt;
            const std::string nom = Encode(Nom(renommage.nouveau));
            if (versIndex)
                nouveau += (nouveau.empty() || nouveau.ends_with('/') ? "" : "/") + nom;
            for (auto p = pas.rbegin(); p != pas.rend(); ++p)
                if (p->entre)
                    nouveau.replace(p->debut, p->fin - p->debut, nom);
        } else {
            // A page that moves keeps the links that stay within what moves with it.
            const bool sort = pageBouge && !std::ranges::all_of(pas, [&](const Pas &p) {
                return Dans(p.chemin, renommage.ancien);
            });
            if (!entre && !sort)
                return std::nullopt;
            // The names at the end that lead on from a folder that stays whole keep their writing.
            std::size_t garde = pas.size();
            while (!versIndex && garde > 0 && EstNom(pas[garde - 1].nom) && !pas[garde - 1].entre)
                --garde;
            const std::string depuis = duSite ? renommage.site : Parent(CheminApres(fichier, renommage));
            // Nor does a folder that the new path passes through anyway: "../sous/" from "sous" is "./".
            while (garde < pas.size() && Dans(depuis, CheminApres(pas[garde].chemin, renommage)))
                ++garde;
            const std::string vers =
                versIndex ? renommage.nouveau : CheminApres(garde == 0 ? base : pas[garde - 1].chemin, renommage);
            nouveau = Chemin(depuis, vers, duSite, renommage.site);
            if (garde < pas.size())
                nouveau += (nouveau.empty() || nouveau.ends_with('/') ? "" : "/") +
                           std::string(chemin.substr(pas[garde].debut));
            else if (nouveau.empty())
                nouveau = "./";
            else if (barreFinale && !nouveau.ends_with('/'))
                nouveau += '/';
        }
        if (nouveau == chemin)
            return std::nullopt;
        return std::string(ecrit.substr(0, debut)) + nouveau + std::string(ecrit.substr(fin));
    }

private:
    const Renommage &renommage;
    // Only the last name changes, in the same folder.
    bool memeDossier;
    ListesDossiers dossiers;
};

} // namespace

Resultat<Renommage, std::string> PrepareRenommage(const std::string &site, const std::string &ancien,
                                                  const std::string &nouveau)
{
    Renommage renommage{Absolu(site, false), Absolu(ancien, false), Absolu(nouveau, true)};
    const auto &[dossier, de, vers] = renommage;
    std::error_code erreur;
    if (!fs::exists(fs::symlink_status(de, erreur)))
        return Erreur("« " + de + " » n'existe pas.");
    for (const std::string *chemin : {&de, &vers})
        if (!Dans(*chemin, dossier) || *chemin == dossier)
            return Erreur("« " + *chemin + " » n'est pas dans le dossier du site « " + dossier + " ».");
    if (vers == de)
        return Erreur("« " + de + " » porte déjà ce nom.");
    if (Dans(vers, de))
        return Erreur("« " + de + " » ne peut aller dans lui-même : « " + vers + " ».");
    // A name that only changes its letter case names the same file on a disk that ignores it.
    if (fs::exists(fs::symlink_status(vers, erreur)) && !fs::equivalent(de, vers, erreur))
        return Erreur("« " + vers + " » existe déjà.");
    return renommage;
}

std::string CheminApres(const std::string &chemin, const Renommage &renommage)
{
    return Dans(chemin, renommage.ancien) ? renommage.nouveau + chemin.substr(renommage.ancien.size()) : chemin;
}

std::vector<std::string> FichiersDuSite(const std::string &site)
{
    std::vector<std::string> fichiers;
    std::error_code erreur;
    fs::recursive_directory_iterator entree(site, fs::directory_options::skip_permission_denied, erreur);
    for (; !erreur && entree != fs::recursive_directory_iterator(); entree.increment(erreur)) {
        const fs::path &chemin = entree->path();
        std::error_code type;
        if (chemin.filename().string().starts_with('.')) {
            entree.disable_recursion_pending();
        } else if (entree->is_regular_file(type) &&
                   (EstPageHtml(chemin.string()) || EgauxSansCasseAscii(chemin.extension().string(), ".css"))) {
            fichiers.push_back(chemin.string());
        }
    }
    std::ranges::sort(fichiers);
    return fichiers;
}

std::optional<PlanRenommage> PlanifieRenommage(const Renommage &renommage, const std::vector<std::string> &fichiers,
                                               const TexteOuvert &ouvert, std::size_t limite,
                                               const Avancement &avancement)
{
    Planificateur planificateur(renommage);
    PlanRenommage plan;
    for (std::size_t k = 0; k < fichiers.size(); ++k) {
        if (avancement && !avancement(k, fichiers.size()))
            return std::nullopt;
        const std::string &chemin = fichiers[k];
        const std::string apres = CheminApres(chemin, renommage);
        ModificationFichier modification;
        if (std::optional<std::string> texte = ouvert ? ouvert(chemin) : std::nullopt) {
            modification.texte = std::move(*texte);
            modification.ouverte = true;
        } else if (auto lue = LitPourModifier(chemin, limite)) {
            modification = std::move(*lue);
        } else {
            plan.ignores.emplace_back(apres, lue.Pourquoi());
            continue;
        }
        const std::string_view texte = modification.texte;
        const bool html = !EgauxSansCasseAscii(fs::path(chemin).extension().string(), ".css");
        // The links of a page with a base are read from it, wherever the page stands: they do not follow it.
        if (html && LectureLiens::PremiereBase(texte))
            continue;
        std::vector<Lien> liens = html ? ListeLiens(texte) : ListeUrlsCss(texte);
        std::ranges::sort(liens, {}, &Lien::debut);
        CompteurLignes lignes(texte);
        for (const Lien &lien : liens) {
            std::optional<std::string> nouveau = planificateur.Nouveau(texte, lien, chemin, html);
            if (!nouveau)
                continue;
            const LigneColonne position = lignes.Position(lien.debut);
            plan.liens.push_back({apres, position.ligne, position.colonne,
                                  std::string(texte.substr(lien.debut, lien.fin - lien.debut)), *nouveau});
            modification.changements.push_back(
                {lien.debut, lien.fin, std::move(*nouveau), position.ligne, position.colonne});
        }
        if (!modification.changements.empty()) {
            modification.chemin = apres;
            plan.modifications.push_back(std::move(modification));
        }
    }
    std::ranges::sort(plan.modifications, {}, &ModificationFichier::chemin);
    std::ranges::stable_sort(plan.liens, {}, &LienRenomme::fichier);
    std::ranges::sort(plan.ignores);
    return plan;
}

Resultat<Fait, std::error_code> Deplace(const Renommage &renommage)
{
    std::error_code erreur;
    fs::create_directories(Parent(renommage.nouveau), erreur);
    if (!erreur)
        fs::rename(renommage.ancien, renommage.nouveau, erreur);
    if (erreur)
        return Erreur(erreur);
    return Fait{};
}
