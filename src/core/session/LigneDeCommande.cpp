// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/session/LigneDeCommande.h"

#include "core/texte/Casse.h"

#include <algorithm>
#include <filesystem>
#include <iterator>

std::string NomDeLigneDeCommande(const std::vector<std::string> &arguments)
{
    std::string nom;
    for (const std::string &argument : arguments) {
        if (&argument != &arguments.front())
            nom += ' ';
        nom += argument;
    }
    return nom;
}

DemandeLigneDeCommande AnalyseLigneDeCommande(const std::vector<std::string> &arguments)
{
    using Genre = DemandeLigneDeCommande::Genre;
    DemandeLigneDeCommande demande;
    bool options = true;
    if (arguments.size() == 1 && arguments.front() == "-h") {
        demande.genre = Genre::Aide;
        demande.option = "-h";
        return demande;
    }
    for (const std::string &argument : arguments) {
        if (!options || !argument.starts_with("--")) {
            demande.noms.push_back(argument);
        } else if (argument == "--") {
            options = false;
        } else if (argument == "--nouvelle-instance") {
            demande.nouvelleInstance = true;
        } else if (demande.genre == Genre::Fichier) {
            // The first option that prints or is refused decides.
            demande.genre = argument == "--help"      ? Genre::Aide
                            : argument == "--version" ? Genre::Version
                                                      : Genre::OptionInconnue;
            demande.option = argument;
        }
    }
    return demande;
}

std::vector<std::string> FichiersNommes(const std::vector<std::string> &arguments,
                                        const std::function<bool(const std::string &)> &estUnFichier)
{
    if (arguments.empty())
        return {};
    if (std::string nom = NomDeLigneDeCommande(arguments); estUnFichier(nom))
        return {std::move(nom)};
    std::vector<std::string> fichiers;
    std::copy_if(arguments.begin(), arguments.end(), std::back_inserter(fichiers), estUnFichier);
    return fichiers;
}

bool EstUnFichier(const std::string &nom)
{
    std::error_code erreur;
    const std::filesystem::file_status etat = std::filesystem::status(nom, erreur);
    return !erreur && std::filesystem::exists(etat) && !std::filesystem::is_directory(etat);
}

namespace {

// The X display without its screen number: ":0.0" and ":0" are the same display.
std::string_view SansNumeroDEcran(std::string_view x11)
{
    const std::size_t deuxPoints = x11.rfind(':');
    const std::size_t point = x11.rfind('.');
    if (deuxPoints == std::string_view::npos || point == std::string_view::npos || point < deuxPoints ||
        point + 1 == x11.size() ||
        !std::all_of(x11.begin() + static_cast<std::ptrdiff_t>(point) + 1, x11.end(),
                     [](char c) { return c >= '0' && c <= '9'; }))
        return x11;
    return x11.substr(0, point);
}

constexpr std::string_view Signature = "BLZ1";

void EcritNombre(std::string &message, std::size_t nombre)
{
    for (int decalage = 24; decalage >= 0; decalage -= 8)
        message += static_cast<char>((nombre >> decalage) & 0xFF);
}

// The number that the four bytes at the start of the text hold.
std::size_t LitNombre(std::string_view octets)
{
    std::size_t nombre = 0;
    for (const char octet : octets.substr(0, 4))
        nombre = nombre << 8 | static_cast<unsigned char>(octet);
    return nombre;
}

} // namespace

std::string MessageDeFichiers(const std::vector<std::string> &noms)
{
    std::string message(Signature);
    EcritNombre(message, noms.size());
    for (const std::string &nom : noms) {
        EcritNombre(message, nom.size());
        message += nom;
    }
    return message;
}

LectureMessage LitMessageDeFichiers(std::string_view octets)
{
    using Etat = LectureMessage::Etat;
    const std::string_view debut = octets.substr(0, Signature.size());
    if (debut != Signature.substr(0, debut.size()))
        return {Etat::Invalide, {}, 0};
    if (octets.size() < Signature.size() + 4)
        return {};
    // The lengths are checked before any name is copied: a message comes in many pieces, each read again.
    std::size_t nombre = LitNombre(octets.substr(Signature.size()));
    std::size_t position = Signature.size() + 4;
    std::vector<std::string_view> noms;
    for (; nombre > 0; --nombre) {
        if (position + 4 > octets.size())
            return position + 4 > TailleMessageMaximale ? LectureMessage{Etat::Invalide, {}, 0} : LectureMessage{};
        const std::size_t longueur = LitNombre(octets.substr(position));
        position += 4;
        if (longueur == 0 || longueur > TailleMessageMaximale - position)
            return {Etat::Invalide, {}, 0};
        if (position + longueur > octets.size())
            return {};
        noms.push_back(octets.substr(position, longueur));
        if (noms.back().find('\0') != std::string_view::npos)
            return {Etat::Invalide, {}, 0};
        position += longueur;
    }
    return {Etat::Complet, std::vector<std::string>(noms.begin(), noms.end()), position};
}

Affichage AffichageDe(std::string_view plateformes, std::string_view x11, std::string_view wayland)
{
    const std::string nomX = "x11=" + std::string(SansNumeroDEcran(x11));
    const std::string nomWayland = "wayland=" + std::string(wayland);
    if (plateformes.empty()) {
        if (x11.empty() && wayland.empty())
            return {};
        return {true, nomX + ' ' + nomWayland};
    }
    // Qt tries each platform of the list in turn, each maybe followed by its options after a colon.
    while (!plateformes.empty()) {
        const std::size_t fin = std::min(plateformes.find(';'), plateformes.size());
        const std::string_view plateforme = plateformes.substr(0, std::min(plateformes.find(':'), fin));
        plateformes.remove_prefix(std::min(fin + 1, plateformes.size()));
        if (plateforme == "xcb") {
            if (!x11.empty())
                return {true, nomX};
        } else if (plateforme.starts_with("wayland")) {
            if (!wayland.empty())
                return {true, nomWayland};
        } else if (!plateforme.empty()) {
            return {true, {}};
        }
    }
    return {};
}

std::string_view Extension(std::string_view nom)
{
    const std::size_t barre = nom.rfind('/');
    const std::string_view dernier = barre == std::string_view::npos ? nom : nom.substr(barre + 1);
    const std::size_t point = dernier.rfind('.');
    return point == std::string_view::npos ? std::string_view() : dernier.substr(point);
}

bool EstUnBureau(std::string_view nom)
{
    return EgauxSansCasseAscii(Extension(nom), ".DSK");
}
