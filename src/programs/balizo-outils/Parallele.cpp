#include "programs/balizo-outils/Parallele.h"

#include "core/document/Encodage.h"
#include "core/entities/Remplacement.h"

#include <sched.h>

#include <algorithm>
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
    // the limit on the whole result. The product of the limit and the piece's size would overflow 64 bits on a page
    // of some hundreds of megabytes: the quotient and the remainder are scaled apart.
    const std::size_t limite = LimiteResultat(texte.size());
    const auto part = [&](std::string_view morceau) {
        if (morceau.size() == texte.size())
            return limite;
        const std::size_t n = texte.size();
        return limite / n * morceau.size() + limite % n * morceau.size() / n;
    };
    std::vector<std::string> resultats(morceaux.size());
    Lot lot(morceaux.size(), [&](std::size_t i) { resultats[i] = serie.Applique(morceaux[i], part(morceaux[i])); });
    lot.Termine();
    return resultats;
}
