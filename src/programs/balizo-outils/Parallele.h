// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/tagremoval/SuppressionTags.h"

#include <atomic>
#include <cstddef>
#include <exception>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

class SerieRemplacements;

// Work on a large page shared between the cores. Below TailleParallele a page stays in one piece and on the calling
// thread: starting threads would cost more than they save.

constexpr std::size_t TailleParallele = std::size_t(1) << 20;

// The pieces to cut a text of that size into: one below TailleParallele, at least one per core above.
std::size_t NombreDeMorceaux(std::size_t taille);

// The text in about `nombre` pieces of like size, each but the last cut right after a byte that `coupe` accepts.
std::vector<std::string_view> Morceaux(std::string_view texte, std::size_t nombre, bool (*coupe)(char));

// The text in about `nombre` pieces of like size, each but the last cut right after a line end (CR LF whole) where
// no tag is open: where the last "<" or ">" before the cut is a ">", or where there is none. A piece is thus made of
// whole lines, and the tag removal reads it from its start as it reads the whole text at that place.
std::vector<std::string_view> MorceauxDeLignes(std::string_view texte, std::size_t nombre);

// Pieces of work 0 to nombre-1, run by worker threads from the start and by the calling thread in Termine, each piece
// taken by whichever is free. The calling thread can do something else in between.
class Lot {
public:
    Lot(std::size_t nombre, std::function<void(std::size_t)> travail);
    ~Lot();
    Lot(const Lot &) = delete;
    Lot &operator=(const Lot &) = delete;

    // Takes part until every piece is done, then waits for the workers; throws what a piece threw.
    void Termine();

private:
    void Travaille() noexcept;

    std::function<void(std::size_t)> travail;
    std::size_t nombre;
    std::atomic<std::size_t> suivant{0};
    std::vector<std::thread> ouvriers;
    std::mutex verrou;
    std::exception_ptr echec;
    bool termine = false;
};

// Whether the bytes are valid UTF-8, the pieces checked on the other cores as soon as it is built. They are cut after
// an ASCII byte, which ends a character in any valid text, so that the whole is valid exactly when each piece is.
class ValidationUtf8 {
public:
    explicit ValidationUtf8(std::string_view octets) : ValidationUtf8(octets, NombreDeMorceaux(octets.size())) {}
    // In about `nombre` pieces, however many cores there are.
    ValidationUtf8(std::string_view octets, std::size_t nombre);
    bool Valide();

private:
    std::vector<std::string_view> morceaux;
    std::vector<char> valides;
    Lot lot;
};

// SupprimeTags over the text, then the series over its result when there is one, in pieces of MorceauxDeLignes on
// every core: each piece is restored over its own bytes as soon as its tags are out. The pieces, written in order,
// are the whole text's result: what a piece cannot know, whether the line before it ended empty, is settled between
// them. Each line of a piece's result ends with `fin`, and no row of a series read from a table holds a line break,
// so no entity straddles two pieces. Throws std::bad_alloc when a piece's restoration would pass its share of
// LimiteResultat (that of its own text's size when the page is one piece).
std::vector<std::string> SupprimeTagsEnMorceaux(std::string_view texte, RemplacementTag remplacement,
                                                std::string_view fin, const SerieRemplacements *restauration);
// The same in about `nombre` pieces, however many cores there are.
std::vector<std::string> SupprimeTagsEnMorceaux(std::string_view texte, RemplacementTag remplacement,
                                                std::string_view fin, const SerieRemplacements *restauration,
                                                std::size_t nombre);

// The series over the text in pieces cut after a line break, on every core. No row of a series read from a table
// holds a line break, in what it looks for or in what it puts, so no replacement straddles two pieces and the
// pieces joined are the series over the whole text. Throws std::bad_alloc when a piece's result would pass its share
// of LimiteResultat of the whole text.
std::vector<std::string> AppliqueEnMorceaux(const SerieRemplacements &serie, std::string_view texte);
// The same in about `nombre` pieces, however many cores there are.
std::vector<std::string> AppliqueEnMorceaux(const SerieRemplacements &serie, std::string_view texte,
                                            std::size_t nombre);
