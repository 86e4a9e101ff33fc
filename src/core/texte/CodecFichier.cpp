// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/texte/CodecFichier.h"

#include "core/texte/Lignes.h"

#include <algorithm>
#include <memory>
#include <set>

namespace {

Encodage DetecteEncodage(std::string_view octets)
{
    if (octets.starts_with(MarqueUtf8) && EstUtf8Valide(octets.substr(MarqueUtf8.size())))
        return Encodage::Utf8Bom;
    return EstUtf8Valide(octets) ? Encodage::Utf8 : Encodage::Windows1252;
}

// The characters of the UTF-8 text that Windows-1252 has no byte for, each once, in order; a byte outside a valid
// sequence stands as the replacement character.
std::u32string HorsWindows1252(std::string_view texte)
{
    std::u32string resultat;
    std::set<char32_t> vus;
    for (std::size_t i = 0; i < texte.size();) {
        if (static_cast<unsigned char>(texte[i]) < 0x80) {
            ++i;
            continue;
        }
        const std::size_t debut = i;
        char32_t c = CaractereUtf8(texte, i);
        if (EncodeWindows1252(texte.substr(debut, i - debut)))
            continue;
        if (c >= HorsUnicode)
            c = U'\uFFFD';
        if (vus.insert(c).second)
            resultat.push_back(c);
    }
    return resultat;
}

// Reads the source block by block, handing each block over, until its end, until the block's treatment says to stop,
// or once more than `limite` bytes are read; false on a read error.
bool LitBlocs(const SourceFichier &source, char *tampon, std::size_t tailleBloc, std::size_t limite,
              const std::function<bool(std::string_view)> &traite)
{
    std::size_t lus = 0;
    for (;;) {
        const std::int64_t lu = source.lit(tampon, tailleBloc);
        if (lu <= 0)
            return lu == 0;
        if (!traite(std::string_view(tampon, static_cast<std::size_t>(lu))))
            return true;
        lus += static_cast<std::size_t>(lu);
        if (lus > limite)
            return true;
    }
}

} // namespace

TexteFichier DecodeFichier(std::string_view octets, std::string &tampon)
{
    TexteFichier fichier{octets, DetecteEncodage(octets), FinDeLigne::Lf};
    if (fichier.encodage == Encodage::Windows1252) {
        tampon.clear();
        DecodeWindows1252(octets, tampon);
        fichier.texte = tampon;
    } else {
        fichier.texte.remove_prefix(MarqueDe(fichier.encodage).size());
    }
    fichier.fin = DetecteFinDeLigne(fichier.texte);
    return fichier;
}

std::optional<std::string_view> DecodeurFichier::Suivant(std::string_view bloc)
{
    if (encodage == Encodage::Windows1252) {
        tampon.clear();
        DecodeWindows1252(bloc, tampon);
        ObserveFinDeLigne(tampon);
        return std::string_view(tampon);
    }
    std::string_view texte = bloc;
    if (!inacheve.empty()) {
        tampon.assign(inacheve).append(bloc);
        texte = tampon;
    }
    if (premier) {
        // Too few bytes yet to tell the mark from a character that begins like it.
        if (texte.size() < MarqueUtf8.size() && MarqueUtf8.starts_with(texte)) {
            inacheve.assign(texte);
            return std::string_view();
        }
        premier = false;
        if (texte.starts_with(MarqueUtf8)) {
            encodage = Encodage::Utf8Bom;
            texte.remove_prefix(MarqueUtf8.size());
        }
    }
    const std::string_view complet = texte.substr(0, texte.size() - SequenceInachevee(texte));
    if (!EstUtf8Valide(complet)) {
        PasseEnWindows1252();
        return std::nullopt;
    }
    inacheve.assign(texte.substr(complet.size()));
    ObserveFinDeLigne(complet);
    return complet;
}

bool DecodeurFichier::Termine()
{
    if (encodage != Encodage::Windows1252 && !inacheve.empty()) {
        PasseEnWindows1252();
        return false;
    }
    if (crEnAttente)
        fin = FinDeLigne::Cr;
    return true;
}

void DecodeurFichier::PasseEnWindows1252()
{
    encodage = Encodage::Windows1252;
    inacheve.clear();
    fin.reset();
    crEnAttente = false;
}

void DecodeurFichier::ObserveFinDeLigne(std::string_view texte)
{
    if (fin || texte.empty())
        return;
    if (crEnAttente) {
        fin = texte.front() == '\n' ? FinDeLigne::CrLf : FinDeLigne::Cr;
        crEnAttente = false;
        return;
    }
    const std::size_t position = Lignes(texte).Suivante()->fin;
    if (position == texte.size())
        return;
    if (position + 1 == texte.size() && texte[position] == '\r')
        crEnAttente = true;
    else
        fin = DetecteFinDeLigne(texte.substr(position));
}

Resultat<FichierCharge, ErreurChargement> ChargeFichier(const SourceFichier &source,
                                                        const DestinationTexte &destination, std::size_t limite,
                                                        std::size_t tailleBloc)
{
    const auto tampon = std::make_unique_for_overwrite<char[]>(tailleBloc);
    const auto lit = [&](const std::function<bool(std::string_view)> &traite) {
        return LitBlocs(source, tampon.get(), tailleBloc, limite, traite);
    };
    DecodeurFichier decodeur;
    std::size_t longueur = 0;
    bool reserve = false;
    if (!lit([&](std::string_view bloc) {
            const std::optional<std::string_view> texte = decodeur.Suivant(bloc);
            if (!texte)
                return false;
            // Room for the whole file once its start has shown it is UTF-8: reserving costs as much as filling, and
            // a Windows-1252 file needs room of another size.
            if (!reserve) {
                destination.reserve(std::min(source.taille, limite));
                reserve = true;
            }
            destination.ajoute(*texte);
            longueur += texte->size();
            return true;
        }))
        return Erreur(ErreurChargement::Illisible);
    if (decodeur.EncodageFichier() == Encodage::Windows1252 || !decodeur.Termine()) {
        destination.efface();
        // Room for the whole decoded text at once, which is longer than the file: growing by steps would copy the
        // text again at each step.
        longueur = 0;
        if (!source.recommence() || !lit([&](std::string_view bloc) {
                longueur += LongueurUtf8DeWindows1252(bloc);
                return true;
            }))
            return Erreur(ErreurChargement::Illisible);
        if (longueur > limite)
            return Erreur(ErreurChargement::TropGrand);
        destination.reserve(longueur);
        longueur = 0;
        if (!source.recommence() || !lit([&](std::string_view bloc) {
                const std::string_view texte = *decodeur.Suivant(bloc);
                destination.ajoute(texte);
                longueur += texte.size();
                return true;
            }))
            return Erreur(ErreurChargement::Illisible);
        decodeur.Termine();
    }
    if (longueur > limite)
        return Erreur(ErreurChargement::TropGrand);
    return FichierCharge{decodeur.EncodageFichier(), decodeur.FinFichier()};
}

Resultat<OctetsFichier, std::u32string> EncodeFichier(std::string_view texte, Encodage encodage,
                                                      std::string &tampon)
{
    if (encodage != Encodage::Windows1252)
        return OctetsFichier{MarqueDe(encodage), texte};
    if (std::optional<std::string> octets = EncodeWindows1252(texte)) {
        tampon = std::move(*octets);
        return OctetsFichier{{}, tampon};
    }
    return Erreur(HorsWindows1252(texte));
}
