// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/ProfilINI.h"

#include "core/texte/Casse.h"
#include "core/texte/CodecFichier.h"
#include "core/texte/Utf8.h"

#include <utility>

namespace {

constexpr std::string_view Blancs = " \t";

// The text without its surrounding blanks; an all-blank text gives the empty view at its end, so that the view
// always tells where it stands.
std::string_view SansBlancs(std::string_view texte)
{
    const std::size_t debut = texte.find_first_not_of(Blancs);
    if (debut == std::string_view::npos)
        return texte.substr(texte.size());
    return texte.substr(debut, texte.find_last_not_of(Blancs) + 1 - debut);
}

bool EntreGuillemets(std::string_view valeur)
{
    return valeur.size() >= 2 && valeur.front() == '"' && valeur.back() == '"';
}

struct Ligne {
    // Rien: a blank or comment line; Autre: a line that is neither a section header nor a key.
    enum Genre { Rien, Autre, Section, Cle } genre = Rien;
    std::string_view nom;
    std::string_view valeur; // without its surrounding blanks, a view into the file's text
};

Ligne Analyse(std::string_view texte)
{
    const std::string_view ligne = SansBlancs(texte);
    if (ligne.empty() || ligne.front() == ';')
        return {};
    if (ligne.front() == '[') {
        const std::size_t fin = ligne.rfind(']');
        if (fin == std::string_view::npos)
            return {Ligne::Autre, {}, {}};
        return {Ligne::Section, SansBlancs(ligne.substr(1, fin - 1)), {}};
    }
    const std::size_t egal = ligne.find('=');
    if (egal == std::string_view::npos)
        return {Ligne::Autre, {}, {}};
    return {Ligne::Cle, SansBlancs(ligne.substr(0, egal)), SansBlancs(ligne.substr(egal + 1))};
}

struct Emplacement {
    bool section = false;
    // Where a new key of the section goes: after its last line that is neither blank nor a comment.
    std::size_t finSection = 0;
    std::optional<std::string_view> valeur;
};

Emplacement Cherche(std::string_view texte, std::string_view section, std::string_view cle)
{
    Emplacement trouve;
    bool dedans = false;
    std::size_t position = 0;
    while (const std::optional<std::string_view> texteLigne = LigneSuivante(texte, position)) {
        const Ligne ligne = Analyse(*texteLigne);
        if (ligne.genre == Ligne::Section) {
            // Only the first section of that name counts: the next header ends it.
            if (dedans)
                break;
            dedans = EgauxSansCasseAscii(ligne.nom, section);
            trouve.section = dedans;
        } else if (dedans && ligne.genre == Ligne::Cle && EgauxSansCasseAscii(ligne.nom, cle)) {
            trouve.valeur = ligne.valeur;
            break;
        }
        if (dedans && ligne.genre != Ligne::Rien)
            trouve.finSection = position;
    }
    return trouve;
}

std::string AvecCle(std::string_view texte, std::string_view section, std::string_view cle, std::string_view valeur)
{
    const Emplacement trouve = Cherche(texte, section, cle);
    // Blanks around the value, or quotes of its own, would be taken off when it is read: quote it so it reads back whole.
    const bool guillemets = !valeur.empty() && (Blancs.find(valeur.front()) != std::string_view::npos ||
                                                Blancs.find(valeur.back()) != std::string_view::npos ||
                                                EntreGuillemets(valeur));
    const std::string ecrite = guillemets ? '"' + std::string(valeur) + '"' : std::string(valeur);

    std::string sortie;
    if (trouve.valeur) {
        const auto debut = static_cast<std::size_t>(trouve.valeur->data() - texte.data());
        sortie.reserve(texte.size() + ecrite.size());
        sortie.append(texte.substr(0, debut)).append(ecrite).append(texte.substr(debut + trouve.valeur->size()));
        return sortie;
    }

    const std::string_view fin = texte.find_first_of("\r\n") == std::string_view::npos
                                     ? TexteFinDeLigne(FinDeLigne::CrLf)
                                     : TexteFinDeLigne(DetecteFinDeLigne(texte));
    const std::size_t ou = trouve.section ? trouve.finSection : texte.size();
    sortie.append(texte.substr(0, ou));
    if (ou > 0 && texte[ou - 1] != '\r' && texte[ou - 1] != '\n')
        sortie.append(fin);
    if (!trouve.section)
        sortie.append("[").append(section).append("]").append(fin);
    sortie.append(cle).append("=").append(ecrite).append(fin);
    sortie.append(texte.substr(ou));
    return sortie;
}

} // namespace

std::optional<std::string> LitProfil(std::string_view octets, std::string_view section, std::string_view cle)
{
    std::string decode;
    const std::optional<std::string_view> valeur = Cherche(DecodeFichier(octets, decode).texte, section, cle).valeur;
    if (!valeur)
        return std::nullopt;
    const std::string_view lue = EntreGuillemets(*valeur) ? valeur->substr(1, valeur->size() - 2) : *valeur;
    return std::string(DebutUtf8(lue, LongueurMaximaleValeur));
}

Resultat<std::string, ErreurProfil> EcritProfil(std::string_view octets, std::string_view section,
                                                std::string_view cle, std::string_view valeur)
{
    if (valeur.find_first_of("\r\n") != std::string_view::npos)
        return Erreur(ErreurProfil::ValeurSurPlusieursLignes);
    std::string decode;
    const TexteFichier fichier = DecodeFichier(octets, decode);
    std::string utf8 = AvecCle(fichier.texte, section, cle, valeur);
    if (fichier.encodage != Encodage::Windows1252)
        return std::string(MarqueDe(fichier.encodage)) + utf8;
    // Every byte of the file comes back unchanged on encoding. The file stays in Windows-1252 while the value fits in
    // it and the whole still reads as Windows-1252; otherwise it goes to UTF-8, which keeps every character.
    if (std::optional<std::string> ansi = EncodeWindows1252(utf8); ansi && !EstUtf8Valide(*ansi))
        return std::move(*ansi);
    return utf8;
}
