// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/verification/Liens.h"

#include "core/verification/AdressesLiens.h"
#include "core/verification/LectureLiens.h"

#include "core/settings/Chemins.h"
#include "core/settings/Ouverture.h"
#include "core/texte/Casse.h"
#include "core/texte/CodecFichier.h"
#include "core/texte/Encodage.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>
#include <unordered_set>
#include <utility>

namespace fs = std::filesystem;

using namespace AdressesLiens;
using namespace LectureLiens;

namespace LectureLiens {

// The anchors of a page that links lead to; nothing when it cannot be read.
struct Cible {
    std::optional<Ancres> ancres;
    // Only its first TailleMaximaleCible bytes were read.
    bool tronquee = false;
    // Its file is out of the site's folder, where it is not read.
    bool horsSite = false;
};

} // namespace LectureLiens

struct LecturesDuSite::Lues {
    ListesDossiers dossiers;
    // The pages read from their files, by their paths.
    std::map<std::string, Cible> pages;
};

LecturesDuSite::LecturesDuSite() : lues(std::make_unique<Lues>()) {}

LecturesDuSite::~LecturesDuSite() = default;

namespace {

// Checks the links of one page, with the folder listings and the anchors of other pages read once.
class Verificateur {
public:
    Verificateur(std::string_view texte, const std::string &chemin, const std::string &site, const LecteurPage &lecture,
                 LecturesDuSite *partagees)
        : texte(texte), page(fs::path(chemin).lexically_normal().string()),
          dossierPage(fs::path(page).parent_path().string()), site(SansBarreFinale(site)), lecture(lecture),
          lectures(partagees ? *partagees : propres), dossiers(lectures.Contenu().dossiers)
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
        if (SortDuSite(base, site, ecrit))
            return HorsDuSite(lien, base, ecrit, suite);
        const Resolution resolution = dossiers.Resout(base, ecrit);
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
            const std::optional<std::string> index = dossiers.Index(cible);
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
        auto [vue, nouvelle] = vues.try_emplace(cible);
        if (!nouvelle)
            return *vue->second;
        // This page and the open pages as they stand now; the others as their files are, perhaps already read.
        if (cible == page) {
            Cible &lue = propresPages[cible];
            lue.ancres = AncresDe(texte);
            return *(vue->second = &lue);
        }
        if (const std::optional<std::string> ouverte = lecture ? lecture(cible) : std::nullopt) {
            Cible &lue = propresPages[cible];
            lue.ancres = AncresDe(*ouverte);
            return *(vue->second = &lue);
        }
        auto [entree, lire] = lectures.Contenu().pages.try_emplace(cible);
        Cible &lue = entree->second;
        vue->second = &lue;
        if (!lire)
            return lue;
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
        if (!cartes)
            cartes = CartesDe(texte);
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
        Verificateur sienne(css, chemin, site, lecture, &lectures);
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

    std::string_view texte;
    std::string page;
    std::string dossierPage;
    std::string site;
    // The site's folder, its symbolic links followed: the files that are read lie in it.
    std::string siteReel;
    const LecteurPage &lecture;
    std::vector<Probleme> problemes;
    // What is read from the files: for this page alone, or shared with the checks of other pages.
    LecturesDuSite propres;
    LecturesDuSite &lectures;
    ListesDossiers &dossiers;
    // The pages that links lead to, each looked at once: this page and the open pages, read from their texts, and
    // the others.
    std::map<std::string, Cible> propresPages;
    std::map<std::string, const Cible *> vues;
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

std::vector<Probleme> VerifieLiens(std::string_view texte, const std::string &chemin, const std::string &site,
                                   const LecteurPage &lecture, LecturesDuSite *lues)
{
    return Verificateur(texte, chemin, site, lecture, lues).Verifie();
}
