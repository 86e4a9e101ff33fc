// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/apercu/CopieApercu.h"

#include "core/document/LectureHTML.h"
#include "core/texte/Casse.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <tuple>

namespace {

std::string Minuscules(std::string_view nom)
{
    std::string minuscules(nom);
    std::ranges::transform(minuscules, minuscules.begin(), MinusculeAscii);
    return minuscules;
}

// The name of the start tag whose '<' is at i, and the position past its '>'.
std::pair<std::string, std::size_t> BaliseOuvrante(std::string_view texte, std::size_t i)
{
    const std::size_t finNom = FinNom(texte, i + 1);
    return {Minuscules(texte.substr(i + 1, finNom - i - 1)), FinBalise(texte, finNom)};
}

// The value of an attribute, with the characters that would end it or start a reference written as references.
std::string ValeurAttribut(std::string_view valeur)
{
    std::string echappee;
    for (const char c : valeur) {
        if (c == '&')
            echappee += "&amp;";
        else if (c == '"')
            echappee += "&quot;";
        else
            echappee += c;
    }
    return echappee;
}

// Goes through the mark-up as a browser reads it: `visite(chevron, apres, nom)` for each '<', with the position
// past what it opens (past their text for the elements that a browser reads as text) and, for a start tag, its name
// in lower case. Stops when `visite` returns false.
template <typename Visiteur> void Parcourt(std::string_view texte, Visiteur &&visite)
{
    std::size_t i = 0;
    while (true) {
        const std::size_t chevron = Suivant(texte, i, '<');
        if (chevron == texte.size())
            return;
        std::size_t apres = chevron + 1;
        std::string nom;
        switch (OuvertureDe(texte, chevron)) {
        case Ouverture::Texte: break;
        case Ouverture::Autre: apres = FinAutre(texte, chevron); break;
        case Ouverture::Fermante: apres = FinBalise(texte, FinNom(texte, chevron + 2)); break;
        case Ouverture::Ouvrante: {
            std::size_t fin = 0;
            std::tie(nom, fin) = BaliseOuvrante(texte, chevron);
            apres = ApresContenu(texte, fin, nom, ContenuLu(nom, LuPar::Navigateur));
            break;
        }
        }
        if (!visite(chevron, apres, std::string_view(nom)))
            return;
        i = apres;
    }
}

} // namespace

std::size_t PlaceDuCurseur(std::string_view texte, std::size_t position)
{
    position = std::min(position, texte.size());
    std::size_t place = position;
    Parcourt(texte, [&](std::size_t chevron, std::size_t apres, std::string_view) {
        if (chevron >= position)
            return false;
        if (apres > position) {
            place = apres;
            return false;
        }
        return true;
    });
    return place;
}

std::optional<ElementCurseur> ElementDuCurseur(std::string_view texte, std::size_t position)
{
    std::string nom;
    Parcourt(texte, [&](std::size_t chevron, std::size_t, std::string_view lu) {
        if (chevron > position)
            return false;
        if (!lu.empty())
            nom = lu;
        return true;
    });
    if (nom.empty())
        return std::nullopt;
    ElementCurseur element{nom, 0, 0};
    Parcourt(texte, [&](std::size_t chevron, std::size_t, std::string_view lu) {
        if (lu == element.nom) {
            if (chevron <= position)
                element.rang = element.total;
            ++element.total;
        }
        return true;
    });
    return element;
}

std::size_t PlaceDeLaBase(std::string_view texte)
{
    std::size_t i = 0;
    while (true) {
        while (i < texte.size() && EstEspaceHtml(texte[i]))
            ++i;
        if (i == texte.size() || texte[i] != '<')
            return i;
        const Ouverture ouverture = OuvertureDe(texte, i);
        if (ouverture == Ouverture::Autre) {
            i = FinAutre(texte, i);
            continue;
        }
        if (ouverture != Ouverture::Ouvrante)
            return i;
        const auto [nom, fin] = BaliseOuvrante(texte, i);
        if (nom != "html" && nom != "head")
            return i;
        i = fin;
    }
}

std::string CopiePourApercu(std::string_view texte, std::optional<std::size_t> curseur, std::string_view base)
{
    std::string elementBase;
    if (!base.empty())
        elementBase = "<base href=\"" + ValeurAttribut(base) + "\">";
    const std::size_t placeBase = base.empty() ? texte.size() : PlaceDeLaBase(texte);
    const std::size_t placeCurseur = curseur ? PlaceDuCurseur(texte, *curseur) : texte.size();
    std::string copie;
    copie.reserve(texte.size() + elementBase.size() + MarqueCurseur.size());
    std::size_t jusqua = 0;
    const auto ajoute = [&](std::size_t place, std::string_view insertion) {
        copie.append(texte.substr(jusqua, place - jusqua));
        copie.append(insertion);
        jusqua = place;
    };
    const std::string_view marque = curseur ? MarqueCurseur : std::string_view();
    // The base goes before the mark when both fall at the same place: it must come before what it applies to.
    if (placeBase <= placeCurseur) {
        ajoute(placeBase, elementBase);
        ajoute(placeCurseur, marque);
    } else {
        ajoute(placeCurseur, marque);
        ajoute(placeBase, elementBase);
    }
    copie.append(texte.substr(jusqua));
    return copie;
}

Acces AccesRequete(std::string_view schema, std::string_view chemin, const std::vector<std::string> &dossiers)
{
    if (schema == "data" || schema == "blob" || schema == "about")
        return Acces::Permis;
    if (schema == "http" || schema == "https" || schema == "ws" || schema == "wss" || schema == "ftp")
        return Acces::Reseau;
    if (schema != "file" || !chemin.starts_with('/'))
        return Acces::Bloque;
    const std::filesystem::path fichier = std::filesystem::path(chemin).lexically_normal();
    for (const std::string &dossier : dossiers) {
        const std::filesystem::path relatif = fichier.lexically_relative(dossier);
        if (!dossier.empty() && !relatif.empty() && *relatif.begin() != "..")
            return Acces::Permis;
    }
    return Acces::Bloque;
}
