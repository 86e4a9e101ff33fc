// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/site/Modifications.h"

#include "core/settings/EcritureSure.h"
#include "core/settings/Ouverture.h"
#include "core/texte/CodecFichier.h"

#include <cerrno>
#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

namespace {

EtatFichier Etat(const struct stat &etat)
{
    return {static_cast<std::uint64_t>(etat.st_size),
            static_cast<std::int64_t>(etat.st_mtim.tv_sec) * 1'000'000'000 + etat.st_mtim.tv_nsec,
            static_cast<std::uint64_t>(etat.st_ino)};
}

// Every byte of the open file, as long as they are no more than `limite`; nothing on a read error, and one byte
// past the limit when the file goes beyond it (it may have grown since its size was taken).
std::optional<std::string> LitTout(int fd, std::size_t taille, std::size_t limite)
{
    const std::size_t maximum = limite + 1;
    std::string octets(std::min(taille + 1, maximum), '\0');
    std::size_t lus = 0;
    for (;;) {
        if (lus == octets.size()) {
            if (lus == maximum)
                break;
            octets.resize(std::min(maximum, 2 * lus));
        }
        const ssize_t n = ::read(fd, octets.data() + lus, octets.size() - lus);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return std::nullopt;
        if (n == 0)
            break;
        lus += static_cast<std::size_t>(n);
    }
    octets.resize(lus);
    return octets;
}

} // namespace

std::string Applique(std::string_view texte, const std::vector<Changement> &changements)
{
    std::size_t taille = texte.size();
    for (const Changement &changement : changements)
        taille = taille - (changement.fin - changement.debut) + changement.texte.size();
    std::string resultat;
    resultat.reserve(taille);
    std::size_t position = 0;
    for (const Changement &changement : changements) {
        resultat.append(texte.substr(position, changement.debut - position));
        resultat.append(changement.texte);
        position = changement.fin;
    }
    resultat.append(texte.substr(position));
    return resultat;
}

std::string_view Message(RaisonIgnore raison)
{
    switch (raison) {
    case RaisonIgnore::Illisible:
        return "fichier illisible";
    case RaisonIgnore::Binaire:
        return "fichier binaire";
    case RaisonIgnore::TropGrand:
        return "fichier trop grand";
    case RaisonIgnore::ModifieDepuis:
        return "modifié sur le disque depuis la recherche";
    case RaisonIgnore::NonEncodable:
        return "son encodage ne peut pas représenter le nouveau texte";
    case RaisonIgnore::NonEcrit:
        return "écriture impossible";
    }
    return {};
}

Resultat<ModificationFichier, RaisonIgnore> LitPourModifier(const std::string &chemin, std::size_t limite)
{
    const auto ouvert = OuvreSansAttendre(chemin);
    if (!ouvert)
        return Erreur(RaisonIgnore::Illisible);
    const int fd = *ouvert;
    // The state is taken before the bytes: a change made while they are read then shows at the write.
    struct stat etat {};
    if (::fstat(fd, &etat) != 0) {
        ::close(fd);
        return Erreur(RaisonIgnore::Illisible);
    }
    if (static_cast<std::uint64_t>(etat.st_size) > limite) {
        ::close(fd);
        return Erreur(RaisonIgnore::TropGrand);
    }
    std::optional<std::string> octets = LitTout(fd, static_cast<std::size_t>(etat.st_size), limite);
    ::close(fd);
    if (!octets)
        return Erreur(RaisonIgnore::Illisible);
    if (octets->size() > limite)
        return Erreur(RaisonIgnore::TropGrand);
    if (std::memchr(octets->data(), '\0', octets->size()))
        return Erreur(RaisonIgnore::Binaire);

    ModificationFichier modification;
    modification.chemin = chemin;
    modification.etat = Etat(etat);
    std::string tampon;
    const TexteFichier fichier = DecodeFichier(*octets, tampon);
    modification.encodage = fichier.encodage;
    modification.fin = fichier.fin;
    // The text is the bytes themselves when they are UTF-8: no copy of a large page.
    if (fichier.encodage == Encodage::Windows1252) {
        modification.texte = std::move(tampon);
    } else {
        octets->erase(0, MarqueDe(fichier.encodage).size());
        modification.texte = std::move(*octets);
    }
    return modification;
}

Resultat<Fait, RaisonIgnore> EcritModification(const ModificationFichier &modification)
{
    if (modification.ouverte)
        return Erreur(RaisonIgnore::NonEcrit);
    struct stat etat {};
    if (::stat(modification.chemin.c_str(), &etat) != 0 || Etat(etat) != modification.etat)
        return Erreur(RaisonIgnore::ModifieDepuis);
    const std::string texte = Applique(modification.texte, modification.changements);
    std::string tampon;
    const auto octets = EncodeFichier(texte, modification.encodage, tampon);
    if (!octets)
        return Erreur(RaisonIgnore::NonEncodable);
    if (!EcritFichier(modification.chemin, {octets->marque, octets->corps}))
        return Erreur(RaisonIgnore::NonEcrit);
    return Fait{};
}
