// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/entities/TableAccents.h"

// One row of a series of replacements: every occurrence of `cherche` becomes `remplace`.
struct Remplacement {
    std::string cherche;
    std::string remplace;
};

// The largest result that replacements may build from a text of that size: CroissanceMaximale times the text, and
// never less than PlancherResultat, so that a small page is never refused. A crafted table whose rows each double the
// text would otherwise take all the memory there is.
inline constexpr std::size_t CroissanceMaximale = 64;
inline constexpr std::size_t PlancherResultat = std::size_t(8) << 20;
constexpr std::size_t LimiteResultat(std::size_t taille)
{
    return std::max(taille * CroissanceMaximale, PlancherResultat);
}

// The text with every occurrence of `cherche` replaced by `remplace`, from left to right, the search resuming after
// each inserted replacement (so a replacement is never matched again); the text unchanged when `cherche` is empty.
// Case-sensitive, byte for byte. Throws std::bad_alloc, before building it, when the result would be longer than
// `limite`.
std::string Remplace(std::string_view texte, std::string_view cherche, std::string_view remplace, std::size_t limite);

// A series of replacements applied as the rows of the accent table are: each row, in order, over the whole result of
// the rows before it. Built once, applied to any number of texts.
class SerieRemplacements {
public:
    explicit SerieRemplacements(std::vector<Remplacement> lignes);

    // The text after every row, in order; one pass over the text when the rows allow it, with the same result.
    // Throws std::bad_alloc as soon as the result after some row would be longer than `limite`, by default
    // LimiteResultat of the text's size.
    std::string Applique(std::string_view texte) const;
    std::string Applique(std::string_view texte, std::size_t limite) const;
    // The same over a text that the caller gives up, which becomes the result: a stage whose rows never lengthen what
    // they replace writes over the text's own bytes instead of into a new string, and moves none of them before its
    // first replacement. When an exception is thrown, the text is left in some state between.
    void AppliqueSurPlace(std::string &texte, std::size_t limite) const;
    // Whether Applique runs in one pass.
    bool UnePasse() const;

private:
    class Balayage;
    // Consecutive rows that one scan of the text replaces together; a stage of one row is one Remplace.
    struct Etape {
        Remplacement seule;
        std::shared_ptr<const Balayage> balayage;
        // No replacement of the stage is longer than what it replaces.
        bool raccourcit;
    };

    std::vector<Etape> etapes;
};

// Characters to entities: the rows flagged for correction, character replaced by entity, in table order.
SerieRemplacements Correction(const std::vector<LigneAccent> &table);
// Entities to characters: every row whose character is not empty, entity replaced by character, in table order.
SerieRemplacements Restauration(const std::vector<LigneAccent> &table);
