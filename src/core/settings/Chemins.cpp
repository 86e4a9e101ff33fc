// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/Chemins.h"

#include "core/texte/Casse.h"
#include "core/texte/Encodage.h"

#include <unicode/utf16.h>

#include <dirent.h>
#include <sys/stat.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

namespace {

// The byte that a lone surrogate of a file name stands for; nothing for any other character.
std::optional<char> OctetEchappe(UChar32 c)
{
    return c >= 0xDC80 && c <= 0xDCFF ? std::optional<char>(static_cast<char>(c - 0xDC00)) : std::nullopt;
}

std::string DossierCourant()
{
    std::error_code erreur;
    std::string courant = std::filesystem::current_path(erreur).string();
    return erreur ? std::string("/") : courant;
}

// The folder part of an absolute path: everything up to and including its last "/".
std::string_view PartieDossier(std::string_view chemin)
{
    const std::size_t barre = chemin.rfind('/');
    return barre == std::string_view::npos ? std::string_view() : chemin.substr(0, barre + 1);
}

} // namespace

std::u16string NomEnUtf16(std::string_view octets)
{
    std::u16string nom;
    nom.reserve(octets.size());
    for (std::size_t i = 0; i < octets.size();) {
        const char32_t c = CaractereUtf8(octets, i);
        if (c >= HorsUnicode) {
            nom += static_cast<char16_t>(0xDC00 + (c - HorsUnicode));
        } else {
            char16_t unites[2];
            std::size_t longueur = 0;
            U16_APPEND_UNSAFE(unites, longueur, c);
            nom.append(unites, longueur);
        }
    }
    return nom;
}

std::string NomEnOctets(std::u16string_view nom)
{
    std::string octets;
    octets.reserve(nom.size());
    for (std::size_t i = 0; i < nom.size();) {
        UChar32 c;
        U16_NEXT(nom.data(), i, nom.size(), c);
        if (const std::optional<char> octet = OctetEchappe(c))
            octets += *octet;
        else
            AjouteUtf8(octets, U_IS_SURROGATE(c) ? 0xFFFD : static_cast<char32_t>(c));
    }
    return octets;
}

std::u16string NomLisible(std::u16string_view nom)
{
    std::u16string lisible;
    lisible.reserve(nom.size());
    for (const char16_t c : nom) {
        if (const std::optional<char> octet = OctetEchappe(c)) {
            constexpr std::u16string_view Chiffres = u"0123456789ABCDEF";
            const auto valeur = static_cast<unsigned char>(*octet);
            lisible += u"\\x";
            lisible += Chiffres[valeur >> 4];
            lisible += Chiffres[valeur & 0xF];
        } else {
            lisible += c;
        }
    }
    return lisible;
}

std::string NomLong(std::string_view chemin)
{
    struct stat etat;
    if (chemin.empty() || lstat(std::string(chemin).c_str(), &etat) != 0)
        return {};

    std::string_view sansBarre = chemin;
    while (sansBarre.size() > 1 && sansBarre.back() == '/')
        sansBarre.remove_suffix(1);
    if (sansBarre == "/")
        return "/";

    const std::size_t barre = sansBarre.rfind('/');
    const std::string_view nom = barre == std::string_view::npos ? sansBarre : sansBarre.substr(barre + 1);
    std::string parent;
    if (barre == std::string_view::npos)
        parent = ".";
    else if (barre == 0)
        parent = "/";
    else
        parent = std::string(sansBarre.substr(0, barre));

    std::unique_ptr<DIR, int (*)(DIR *)> dossier(opendir(parent.c_str()), closedir);
    if (!dossier)
        return std::string(nom);

    std::string approche;
    while (const dirent *entree = readdir(dossier.get())) {
        const std::string_view nomEntree(entree->d_name);
        if (nomEntree == nom)
            return std::string(nom);
        if (approche.empty() && EgauxSansCasseAscii(nomEntree, nom))
            approche = nomEntree;
    }
    return approche.empty() ? std::string(nom) : approche;
}

std::string CheminLong(std::string_view chemin)
{
    std::string absolu;
    if (chemin.empty() || chemin.front() != '/') {
        absolu = DossierCourant();
        absolu += '/';
    }
    absolu += chemin;
    const bool barreFinale = !chemin.empty() && chemin.back() == '/';

    std::vector<std::string_view> composants;
    std::string_view reste = absolu;
    while (!reste.empty()) {
        const std::size_t barre = reste.find('/');
        const std::string_view composant = reste.substr(0, barre);
        reste = barre == std::string_view::npos ? std::string_view() : reste.substr(barre + 1);
        if (composant.empty() || composant == ".")
            continue;
        if (composant == "..") {
            if (!composants.empty())
                composants.pop_back();
            continue;
        }
        composants.push_back(composant);
    }

    std::string resultat;
    resultat.reserve(absolu.size() + 1);
    bool existe = true;
    for (const std::string_view composant : composants) {
        resultat += '/';
        const std::size_t debut = resultat.size();
        resultat += composant;
        // Nothing lies beneath a component that does not exist: the rest keeps its given form.
        if (!existe)
            continue;
        const std::string surDisque = NomLong(resultat);
        if (surDisque.empty())
            existe = false;
        else
            resultat.replace(debut, std::string::npos, surDisque);
    }
    if (resultat.empty() || barreFinale)
        resultat += '/';
    return resultat;
}

std::string CheminRelatif(std::string_view cible, std::string_view base)
{
    const std::string cheminCible = CheminLong(cible);
    const std::string cheminBase = CheminLong(base);
    const std::string_view dossierCible = PartieDossier(cheminCible);
    const std::string_view nomCible = std::string_view(cheminCible).substr(dossierCible.size());
    const std::string_view dossierBase = PartieDossier(cheminBase);

    const std::size_t plusCourt = std::min(dossierCible.size(), dossierBase.size());
    std::size_t egal = 0;
    while (egal < plusCourt && dossierCible[egal] == dossierBase[egal])
        ++egal;
    // Only whole folder names are shared: "/web/site/" and "/web/site2/" share "/web/".
    const std::size_t barre = dossierCible.substr(0, egal).rfind('/');
    const std::size_t commun = barre == std::string_view::npos ? 0 : barre + 1;

    const std::string_view resteCible = dossierCible.substr(commun);
    const std::string_view resteBase = dossierBase.substr(commun);
    std::string relatif;
    for (const char c : resteBase)
        if (c == '/')
            relatif += "../";
    relatif += resteCible;
    relatif += nomCible;
    return relatif;
}

EmplacementParametres ChoixEmplacementParametres(std::string_view dossierProgramme, bool portable,
                                                 std::string_view dossierConfiguration)
{
    constexpr std::string_view Nom = "/Balizo.ini";
    if (portable)
        return {std::string(dossierProgramme).append(Nom), {}};
    std::string dossier = std::string(dossierConfiguration).append("/balizo");
    std::string fichier = dossier + std::string(Nom);
    return {std::move(fichier), std::move(dossier)};
}

std::string DossierConfiguration(std::string_view xdgConfigHome, std::string_view home)
{
    if (!xdgConfigHome.empty())
        return std::string(xdgConfigHome);
    return std::string(home.empty() ? "/" : home).append("/.config");
}

std::string DictionnairePersonnel(std::string_view dossierParametres)
{
    return std::string(dossierParametres).append("/dictionnaire-personnel.txt");
}

std::string DossierRecuperation(std::string_view xdgStateHome, std::string_view home)
{
    const std::string etat = xdgStateHome.starts_with('/') ? std::string(xdgStateHome)
                                                           : std::string(home).append("/.local/state");
    return etat + "/balizo/recuperation";
}

std::vector<std::string> CandidatsDonnees(std::string_view dossierProgramme, std::string_view dossierInstalle,
                                          std::string_view nom)
{
    std::vector<std::string> candidats;
    if (!dossierProgramme.empty()) {
        candidats.push_back(std::string(dossierProgramme).append("/").append(nom));
        candidats.push_back(std::string(dossierProgramme).append("/../share/balizo/").append(nom));
    }
    candidats.push_back(std::string(dossierInstalle).append("/").append(nom));
    return candidats;
}
