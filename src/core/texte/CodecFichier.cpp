#include "core/texte/CodecFichier.h"

#include "core/texte/Lignes.h"

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

std::variant<OctetsFichier, std::u32string> EncodeFichier(std::string_view texte, Encodage encodage,
                                                           std::string &tampon)
{
    if (encodage != Encodage::Windows1252)
        return OctetsFichier{MarqueDe(encodage), texte};
    if (std::optional<std::string> octets = EncodeWindows1252(texte)) {
        tampon = std::move(*octets);
        return OctetsFichier{{}, tampon};
    }
    return HorsWindows1252(texte);
}
