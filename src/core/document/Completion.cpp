// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/document/Completion.h"

#include "core/document/Ecriture.h"
#include "core/document/LectureHTML.h"
#include "core/texte/Casse.h"
#include "core/texte/VocabulaireHTML.h"

namespace {

std::optional<SorteListe> SortePour(Lieu lieu)
{
    switch (lieu) {
    case Lieu::NomElement: return SorteListe::Elements;
    case Lieu::Balise: return SorteListe::Attributs;
    case Lieu::Reference: return SorteListe::References;
    case Lieu::Texte:
    case Lieu::Valeur:
    case Lieu::Commentaire:
    case Lieu::TexteBrut: break;
    }
    return std::nullopt;
}

} // namespace

std::optional<ListeCompletion> CompletionEn(std::string_view texte, std::size_t position, bool demandee)
{
    const Contexte contexte = ContexteEn(texte, position);
    const std::optional<SorteListe> sorte = SortePour(contexte.lieu);
    if (!sorte || contexte.debut > position)
        return std::nullopt;
    const std::string_view mot = texte.substr(contexte.debut, position - contexte.debut);
    // Unasked, a list opens on the word's first letter only: typing on filters the list that is open.
    if (!demandee && (mot.size() != 1 || !EstLettreAscii(mot[0])))
        return std::nullopt;
    ListeCompletion liste{*sorte, contexte.debut, {}};
    switch (*sorte) {
    case SorteListe::Elements: liste.choix = ElementsCommencantPar(mot); break;
    case SorteListe::Attributs:
        for (std::string &attribut : AttributsDe(contexte.element)) {
            if (EgauxSansCasseAscii(std::string_view(attribut).substr(0, mot.size()), mot))
                liste.choix.push_back(std::move(attribut));
        }
        break;
    case SorteListe::References:
        for (const ReferenceNommee &reference : ReferencesCommencantPar(mot)) {
            // A blank or a control character shows as nothing, and a line end would cut the list's entry.
            const std::string_view caracteres = reference.caracteres;
            const bool visible = !caracteres.empty() && static_cast<unsigned char>(caracteres[0]) > ' ';
            liste.choix.push_back(visible ? std::string(reference.nom) + ' ' + std::string(caracteres)
                                          : std::string(reference.nom));
        }
        break;
    }
    if (liste.choix.empty())
        return std::nullopt;
    return liste;
}

Choix ChoixEcrit(SorteListe sorte, std::string_view choix)
{
    switch (sorte) {
    case SorteListe::Attributs: return {std::string(choix) + "=\"\"", choix.size() + 2};
    case SorteListe::References: {
        const std::string_view nom = choix.substr(0, choix.find(' '));
        return {std::string(nom) + ';', nom.size() + 1};
    }
    case SorteListe::Elements: break;
    }
    return {std::string(choix), choix.size()};
}
