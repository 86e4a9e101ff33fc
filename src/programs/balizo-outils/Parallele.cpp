// SPDX-License-Identifier: GPL-3.0-or-later
#include "programs/balizo-outils/Parallele.h"

#include "core/entities/Remplacement.h"
#include "core/texte/Encodage.h"
#include "core/texte/Lignes.h"

#include <sched.h>

#include <algorithm>
#include <cstring>
#include <system_error>

namespace {

// The cores that the process may run on.
std::size_t Coeurs()
{
    static const std::size_t coeurs = [] {
        cpu_set_t ensemble;
        const int nombre = sched_getaffinity(0, sizeof ensemble, &ensemble) == 0
                               ? CPU_COUNT(&ensemble)
                               : static_cast<int>(std::thread::hardware_concurrency());
        return static_cast<std::size_t>(std::clamp(nombre, 1, 16));
    }();
    return coeurs;
}

// The index just after the first line end from `position` (CR LF taken whole), or npos.
std::size_t ApresFinDeLigne(std::string_view texte, std::size_t position)
{
    const std::optional<Ligne> ligne = Lignes(texte, position).Suivante();
    return ligne && ligne->apres > ligne->fin ? ligne->apres : std::string_view::npos;
}

// Whether a tag is open just before `position`, knowing whether one was just before `depuis`: a tag runs from a "<"
// to the first ">" after it, so the last of them before the position tells. Looked for backwards with memrchr, which
// a page of plain text, without either, goes through at memory speed.
bool BaliseOuverte(std::string_view texte, std::size_t depuis, std::size_t position, bool ouverteDepuis)
{
    const char *const d = texte.data();
    const auto *fermant = static_cast<const char *>(memrchr(d + depuis, '>', position - depuis));
    const std::size_t apres = fermant ? static_cast<std::size_t>(fermant - d) + 1 : depuis;
    if (memrchr(d + apres, '<', position - apres))
        return true;
    return fermant ? false : ouverteDepuis;
}

// Whether the first line of the text, read from outside a tag, is empty once its tags are out and it is trimmed: it
// holds only blanks and tags, the last one maybe left open by its end.
bool PremiereLigneVide(std::string_view texte)
{
    bool dansBalise = false;
    for (const char c : texte) {
        if (c == '\n' || c == '\r')
            return true;
        if (dansBalise)
            dansBalise = c != '>';
        else if (c == '<')
            dansBalise = true;
        else if (c != ' ' && c != '\t')
            return false;
    }
    return true;
}

// A piece's share of a limit on growth, in proportion to its size. The product of the limit and the piece's size would
// overflow 64 bits on a page of some hundreds of megabytes: the quotient and the remainder are scaled apart.
std::size_t Part(std::size_t limite, std::size_t morceau, std::size_t total)
{
    if (morceau == total)
        return limite;
    return limite / total * morceau + limite % total * morceau / total;
}

} // namespace

std::size_t NombreDeMorceaux(std::size_t taille)
{
    // Up to a few pieces per core, so that a core slowed by other work holds up no more than a small one; but pieces
    // of several megabytes, whose results are blocks large enough for huge pages (GrandsBlocs.cpp).
    if (taille < TailleParallele || Coeurs() == 1)
        return 1;
    constexpr std::size_t Morceau = std::size_t(8) << 20;
    return std::clamp(taille / Morceau, Coeurs(), 4 * Coeurs());
}

std::vector<std::string_view> Morceaux(std::string_view texte, std::size_t nombre, bool (*coupe)(char))
{
    std::vector<std::string_view> morceaux;
    std::size_t debut = 0;
    for (std::size_t k = 1; k < nombre; ++k) {
        std::size_t fin = std::max(debut, texte.size() / nombre * k);
        while (fin < texte.size() && !coupe(texte[fin]))
            ++fin;
        if (fin >= texte.size())
            break;
        morceaux.push_back(texte.substr(debut, fin + 1 - debut));
        debut = fin + 1;
    }
    morceaux.push_back(texte.substr(debut));
    return morceaux;
}

std::vector<std::string_view> MorceauxDeLignes(std::string_view texte, std::size_t nombre)
{
    std::vector<std::string_view> morceaux;
    std::size_t debut = 0;
    for (std::size_t k = 1; k < nombre; ++k) {
        // No tag is open where the piece begins; from there on, each stretch of text is looked at once.
        std::size_t vu = debut;
        bool ouverte = false;
        std::size_t coupe = std::max(debut, texte.size() / nombre * k);
        while ((coupe = ApresFinDeLigne(texte, coupe)) != std::string_view::npos) {
            ouverte = BaliseOuverte(texte, vu, coupe, ouverte);
            vu = coupe;
            if (!ouverte)
                break;
        }
        if (coupe >= texte.size())
            break;
        morceaux.push_back(texte.substr(debut, coupe - debut));
        debut = coupe;
    }
    morceaux.push_back(texte.substr(debut));
    return morceaux;
}

Lot::Lot(std::size_t nombre, std::function<void(std::size_t)> travail) : travail(std::move(travail)), nombre(nombre)
{
    const std::size_t fils = std::min(Coeurs() - 1, nombre > 1 ? nombre - 1 : 0);
    try {
        for (std::size_t i = 0; i < fils; ++i)
            ouvriers.emplace_back([this] { Travaille(); });
    } catch (const std::system_error &) {
        // Fewer threads than cores: the ones started and the calling thread do the pieces.
    }
}

Lot::~Lot()
{
    if (!termine) {
        suivant = nombre;
        for (std::thread &ouvrier : ouvriers)
            ouvrier.join();
    }
}

void Lot::Travaille() noexcept
{
    try {
        for (std::size_t i; (i = suivant++) < nombre;)
            travail(i);
    } catch (...) {
        const std::lock_guard garde(verrou);
        if (!echec)
            echec = std::current_exception();
        suivant = nombre;
    }
}

void Lot::Termine()
{
    if (termine)
        return;
    Travaille();
    for (std::thread &ouvrier : ouvriers)
        ouvrier.join();
    termine = true;
    if (echec)
        std::rethrow_exception(echec);
}

ValidationUtf8::ValidationUtf8(std::string_view octets, std::size_t nombre)
    : morceaux(Morceaux(octets, nombre, [](char c) { return static_cast<unsigned char>(c) < 0x80; })),
      valides(morceaux.size()),
      lot(morceaux.size(), [this](std::size_t i) { valides[i] = EstUtf8Valide(morceaux[i]); })
{
}

bool ValidationUtf8::Valide()
{
    lot.Termine();
    return std::all_of(valides.begin(), valides.end(), [](char valide) { return valide != 0; });
}

std::vector<std::string> SupprimeTagsEnMorceaux(std::string_view texte, RemplacementTag remplacement,
                                                std::string_view fin, const SerieRemplacements *restauration)
{
    return SupprimeTagsEnMorceaux(texte, remplacement, fin, restauration, NombreDeMorceaux(texte.size()));
}

std::vector<std::string> SupprimeTagsEnMorceaux(std::string_view texte, RemplacementTag remplacement,
                                                std::string_view fin, const SerieRemplacements *restauration,
                                                std::size_t nombre)
{
    struct Piece {
        std::string texte;
        bool premiereVide = false;
        bool derniereVide = false;
    };
    const std::vector<std::string_view> morceaux = MorceauxDeLignes(texte, nombre);
    std::vector<Piece> pieces(morceaux.size());
    Lot lot(morceaux.size(), [&](std::size_t i) {
        Piece &piece = pieces[i];
        piece.premiereVide = i > 0 && PremiereLigneVide(morceaux[i]);
        piece.texte = SupprimeTags(morceaux[i], remplacement, fin);
        // Every line of the result ends with `fin`, and none holds a line break: the last one is empty when the
        // result ends with two of them, or when it is empty, every line of the piece being so.
        const std::string_view t = piece.texte;
        piece.derniereVide = t.empty() || (t.ends_with(fin) && t.substr(0, t.size() - fin.size()).ends_with(fin));
        if (restauration) {
            // The growth that the whole text may have, in proportion to this piece's text, and this piece's part,
            // in proportion to its part of the page, of the floor that spares small pages.
            const std::size_t limite = std::max(t.size() * CroissanceMaximale,
                                                Part(PlancherResultat, morceaux[i].size(), texte.size()));
            restauration->AppliqueSurPlace(piece.texte, limite);
        }
    });
    lot.Termine();

    // A piece's result begins with its first line that is not empty, as the text's does; the run of empty lines that
    // it may begin with is one empty line when the line before it was not empty.
    std::vector<std::string> resultat;
    resultat.reserve(2 * pieces.size());
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (i > 0 && !pieces[i - 1].derniereVide && pieces[i].premiereVide)
            resultat.emplace_back(fin);
        resultat.push_back(std::move(pieces[i].texte));
    }
    return resultat;
}

std::vector<std::string> AppliqueEnMorceaux(const SerieRemplacements &serie, std::string_view texte)
{
    return AppliqueEnMorceaux(serie, texte, NombreDeMorceaux(texte.size()));
}

std::vector<std::string> AppliqueEnMorceaux(const SerieRemplacements &serie, std::string_view texte,
                                            std::size_t nombre)
{
    const std::vector<std::string_view> morceaux =
        Morceaux(texte, nombre, [](char c) { return c == '\n' || c == '\r'; });
    // Each piece may grow as much as the whole text may, in proportion to its size: the pieces joined stay within
    // the limit on the whole result.
    const std::size_t limite = LimiteResultat(texte.size());
    std::vector<std::string> resultats(morceaux.size());
    Lot lot(morceaux.size(), [&](std::size_t i) {
        resultats[i] = serie.Applique(morceaux[i], Part(limite, morceaux[i].size(), texte.size()));
    });
    lot.Termine();
    return resultats;
}
