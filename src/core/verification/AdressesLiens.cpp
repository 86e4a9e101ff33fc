// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/verification/AdressesLiens.h"

#include "core/verification/Liens.h"

#include "core/document/LectureHTML.h"
#include "core/texte/Casse.h"
#include "core/texte/Encodage.h"

#include <algorithm>
#include <filesystem>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace AdressesLiens {

bool EstChiffre(char c, bool hexa)
{
    return (c >= '0' && c <= '9') || (hexa && ((c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F')));
}

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

bool Dans(std::string_view chemin, std::string_view dossier)
{
    return chemin.starts_with(dossier) && (chemin.size() == dossier.size() || chemin[dossier.size()] == '/');
}

bool SortDuSite(const std::string &base, const std::string &site, std::string_view ecrit)
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

Resolution ListesDossiers::Resout(const std::string &base, std::string_view ecrit)
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

std::optional<std::string> ListesDossiers::Index(const std::string &dossier)
{
    for (const std::string nom : {"index.html", "index.htm"}) {
        std::error_code erreur;
        if (NomSurDisque(dossier, nom) == nom && fs::is_regular_file(dossier + '/' + nom, erreur))
            return nom;
    }
    return std::nullopt;
}

std::optional<std::string> ListesDossiers::NomSurDisque(const std::string &dossier, const std::string &nom)
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

} // namespace AdressesLiens

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
