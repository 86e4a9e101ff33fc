// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/entities/Remplacement.h"

#include "core/entities/TableAccents.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <new>

// Row by row, a series scans the text once per row, some 250 times for the accent table. Rows that cannot interfere
// need one scan together.
//
// The rows are cut, in order, into stages of rows that cannot interfere. Rows i < j of a stage cannot when:
//  (1) the replacement of i holds no byte of the search text of j: j never matches in or across what i wrote;
//  (2) if the replacement of i is empty, the search text of j is one byte: j never matches across what i removed;
//  (3) their search texts are equal, or overlap in no text: neither holds the other, and no proper suffix of one
//      is a proper prefix of the other.
// By (1) and (2), what row j finds after the rows before it are the occurrences of its search text in the original
// text that overlap no replaced occurrence; by (3) those of a different search text never overlap its own, so it
// finds all its occurrences when it is the first row with that search text, and none left when it is not. Every
// row thus replaces, from left to right, the occurrences that one scan of the original text finds when it replaces,
// at each position, the one search text starting there by the replacement of its first row.
//
// The restoration of the accent table takes two stages: &amp; writes an ampersand that &lt; and &gt; may then take.

namespace {

constexpr std::size_t AucunePosition = std::string_view::npos;

// The index of a stage: for each first byte, the range of `ordre` holding the rows whose search text starts with
// it, sorted by search text; only the first row of each search text is there.
struct Index {
    std::array<std::uint32_t, 257> debut;
    std::vector<std::uint32_t> ordre;
};

// Whether two different texts can overlap in some text.
bool PeuventChevaucher(std::string_view a, std::string_view b)
{
    if (a.find(b) != AucunePosition || b.find(a) != AucunePosition)
        return true;
    for (std::size_t n = 1; n < std::min(a.size(), b.size()); ++n)
        if (a.ends_with(b.substr(0, n)) || b.ends_with(a.substr(0, n)))
            return true;
    return false;
}

// The stage being formed, with what a new row must be checked against.
struct Formation {
    std::size_t debut = 0;
    std::bitset<256> octetsEcrits;
    bool retrait = false;
    std::vector<std::size_t> premieres; // the first row of each search text

    bool Accepte(const std::vector<Remplacement> &lignes, std::size_t j) const
    {
        const std::string &cherche = lignes[j].cherche;
        if (retrait && cherche.size() != 1)
            return false;
        for (const char c : cherche)
            if (octetsEcrits[static_cast<unsigned char>(c)])
                return false;
        return std::none_of(premieres.begin(), premieres.end(), [&](std::size_t i) {
            return lignes[i].cherche != cherche && PeuventChevaucher(lignes[i].cherche, cherche);
        });
    }

    void Ajoute(const std::vector<Remplacement> &lignes, std::size_t j)
    {
        for (const char c : lignes[j].remplace)
            octetsEcrits.set(static_cast<unsigned char>(c));
        retrait = retrait || lignes[j].remplace.empty();
        if (std::none_of(premieres.begin(), premieres.end(),
                         [&](std::size_t i) { return lignes[i].cherche == lignes[j].cherche; }))
            premieres.push_back(j);
    }

    // The index, its rows numbered from the stage's first.
    Index Indexe(const std::vector<Remplacement> &lignes) const
    {
        std::vector<std::size_t> tries = premieres;
        std::sort(tries.begin(), tries.end(),
                  [&](std::size_t i, std::size_t j) { return lignes[i].cherche < lignes[j].cherche; });
        Index index;
        index.debut.fill(0);
        for (const std::size_t i : tries) {
            ++index.debut[static_cast<unsigned char>(lignes[i].cherche[0]) + 1];
            index.ordre.push_back(std::uint32_t(i - debut));
        }
        for (std::size_t b = 1; b < index.debut.size(); ++b)
            index.debut[b] += index.debut[b - 1];
        return index;
    }
};

enum class Saut { Table, UnOctet, BitHaut };

// Where a scan writes its result: a new string...
struct NouveauTexte {
    std::string texte;

    void Garde(const char *debut, std::size_t n) { texte.append(debut, n); }
    void Met(std::string_view remplace) { texte.append(remplace); }
};

// ...or the scanned text's own bytes, when no replacement is longer than what it replaces: what is written never
// passes what is still to be read. Until the first replacement, the kept bytes are where they belong.
struct SurPlace {
    char *ecrit;

    void Garde(const char *debut, std::size_t n)
    {
        if (ecrit != debut)
            std::memmove(ecrit, debut, n);
        ecrit += n;
    }
    void Met(std::string_view remplace)
    {
        std::memcpy(ecrit, remplace.data(), remplace.size());
        ecrit += remplace.size();
    }
};

// The first occurrence of `cherche` in the text; none when `cherche` is empty.
std::size_t Premiere(std::string_view texte, std::string_view cherche)
{
    return cherche.empty() ? AucunePosition : texte.find(cherche);
}

// Every occurrence of `cherche` from the first one, `trouve`, given to the writer from left to right with the bytes
// kept between them, as Remplace replaces them.
template <class Ecriture>
void RemplaceVers(std::string_view texte, std::size_t trouve, std::string_view cherche, std::string_view remplace,
                  std::size_t limite, Ecriture &ecrit)
{
    // As in the one-pass scan: unsigned, a shorter replacement wraps around.
    const std::size_t croissance = remplace.size() - cherche.size();
    std::size_t longueurFinale = texte.size();
    std::size_t copie = 0;
    do {
        longueurFinale += croissance;
        if (longueurFinale > limite)
            throw std::bad_alloc();
        ecrit.Garde(texte.data() + copie, trouve - copie);
        ecrit.Met(remplace);
        copie = trouve + cherche.size();
        trouve = texte.find(cherche, copie);
    } while (trouve != AucunePosition);
    ecrit.Garde(texte.data() + copie, texte.size() - copie);
}

} // namespace

// A stage's search texts laid out for its one scan, built with the series.
class SerieRemplacements::Balayage {
public:
    Balayage(const Index &index, std::vector<Remplacement> lignesEtape)
        : lignes(std::move(lignesEtape))
    {
        candidats.reserve(index.ordre.size());
        for (const std::uint32_t i : index.ordre) {
            const std::string &cherche = lignes[i].cherche;
            const std::size_t n = std::min<std::size_t>(cherche.size(), 8);
            candidats.push_back({Mot(cherche.data(), n), n == 8 ? ~std::uint64_t(0) : ~(~std::uint64_t(0) >> 8 * n),
                                 cherche.size(), lignes[i].remplace.size() - cherche.size(), &lignes[i]});
        }
        secondaire.fill(-1);
        std::size_t premiers = 0;
        bool tousHauts = true;
        for (std::size_t b = 0; b < 256; ++b) {
            parPremier[b] = {index.debut[b], index.debut[b + 1]};
            commence[b] = parPremier[b].debut != parPremier[b].fin;
            if (!commence[b])
                continue;
            ++premiers;
            unique = char(b);
            tousHauts = tousHauts && b >= 0x80;
            // Several search texts start with this byte, so none is one byte long: the second byte narrows them.
            if (parPremier[b].fin - parPremier[b].debut > 2) {
                secondaire[b] = std::int32_t(parSecond.size());
                std::array<Plage, 256> &plages = parSecond.emplace_back();
                for (std::uint32_t c = parPremier[b].debut; c < parPremier[b].fin; ++c) {
                    Plage &plage = plages[static_cast<unsigned char>(candidats[c].ligne->cherche[1])];
                    if (plage.debut == plage.fin)
                        plage.debut = c;
                    plage.fin = c + 1;
                }
            }
        }
        saut = premiers == 1 ? Saut::UnOctet : tousHauts ? Saut::BitHaut : Saut::Table;
    }

    std::string Applique(std::string_view texte, std::size_t limite) const
    {
        NouveauTexte ecrit;
        ecrit.texte.reserve(texte.size() + texte.size() / 8);
        Ecrit(texte, limite, ecrit);
        return std::move(ecrit.texte);
    }

    // When no row of the stage lengthens what it replaces.
    void AppliqueSurPlace(std::string &texte, std::size_t limite) const
    {
        SurPlace ecrit{texte.data()};
        Ecrit(texte, limite, ecrit);
        texte.resize(static_cast<std::size_t>(ecrit.ecrit - texte.data()));
    }

private:
    struct Candidat {
        std::uint64_t cle;    // the first eight bytes of the search text, the first one highest, zeros after its end
        std::uint64_t masque; // the bytes of `cle` that the search text fills
        std::size_t longueur;
        // What a replacement adds to the result's length; unsigned, so that a shorter replacement wraps around and
        // the sum is still right.
        std::size_t croissance;
        const Remplacement *ligne;
    };
    struct Plage {
        std::uint32_t debut = 0, fin = 0;
    };

    std::vector<Remplacement> lignes;
    std::vector<Candidat> candidats;
    std::array<Plage, 256> parPremier;
    std::array<bool, 256> commence;
    std::array<std::int32_t, 256> secondaire; // for a first byte, its plages in `parSecond`, or -1
    std::vector<std::array<Plage, 256>> parSecond;
    Saut saut;
    char unique = 0;

    // Up to eight bytes, the first one highest, so that comparing words compares texts.
    static std::uint64_t Mot(const char *p, std::size_t n)
    {
        std::uint64_t mot = 0;
        std::memcpy(&mot, p, n);
        return __builtin_bswap64(mot);
    }

    // Among the candidates sorted by search text, none the prefix of another, the one that starts the text at `p`:
    // the only one that compares neither below nor above it.
    const Candidat *Trouve(const char *p, std::size_t taille) const
    {
        const unsigned char b = static_cast<unsigned char>(*p);
        Plage plage = parPremier[b];
        if (secondaire[b] >= 0) {
            if (taille < 2)
                return nullptr;
            plage = parSecond[secondaire[b]][static_cast<unsigned char>(p[1])];
        }
        const std::uint64_t mot = Mot(p, std::min<std::size_t>(taille, 8));
        std::uint32_t bas = plage.debut, haut = plage.fin;
        while (bas < haut) {
            const std::uint32_t milieu = (bas + haut) / 2;
            const Candidat &c = candidats[milieu];
            const std::uint64_t debut = mot & c.masque;
            int ecart = debut < c.cle ? 1 : debut > c.cle ? -1 : 0;
            if (ecart == 0 && c.longueur > 8 && taille > 8)
                ecart = std::memcmp(c.ligne->cherche.data() + 8, p + 8, std::min(c.longueur, taille) - 8);
            // When the text ends inside this search text, no other one can start it either.
            if (ecart == 0)
                return c.longueur <= taille ? &c : nullptr;
            if (ecart < 0)
                bas = milieu + 1;
            else
                haut = milieu;
        }
        return nullptr;
    }

    // The scan in the fastest mode that the first bytes of the stage's search texts allow.
    template <class Ecriture>
    void Ecrit(std::string_view texte, std::size_t limite, Ecriture &ecrit) const
    {
        if (saut == Saut::UnOctet)
            Parcourt<Saut::UnOctet>(texte, limite, ecrit);
        else if (saut == Saut::BitHaut)
            Parcourt<Saut::BitHaut>(texte, limite, ecrit);
        else
            Parcourt<Saut::Table>(texte, limite, ecrit);
    }

    // One scan: the runs of bytes that start no search text are skipped as `saut` allows, then kept whole.
    template <Saut mode, class Ecriture>
    void Parcourt(std::string_view texte, std::size_t limite, Ecriture &ecrit) const
    {
        // The length of the result once the scan is over, kept up to date at each replacement.
        std::size_t longueurFinale = texte.size();
        const char *p = texte.data();
        const char *const fin = p + texte.size();
        const char *copie = p;
        while (true) {
            if constexpr (mode == Saut::UnOctet) {
                p = static_cast<const char *>(std::memchr(p, unique, fin - p));
                if (!p)
                    break;
            } else {
                while (p < fin && !commence[static_cast<unsigned char>(*p)]) {
                    ++p;
                    if constexpr (mode == Saut::BitHaut) {
                        // Every search text starts with a byte of 0x80 or more: eight bytes below are skipped at once.
                        std::uint64_t mot;
                        while (fin - p >= 8 && (std::memcpy(&mot, p, 8), (mot & 0x8080808080808080u) == 0))
                            p += 8;
                    }
                }
                if (p == fin)
                    break;
            }
            if (const Candidat *trouve = Trouve(p, fin - p)) {
                longueurFinale += trouve->croissance;
                if (longueurFinale > limite)
                    throw std::bad_alloc();
                ecrit.Garde(copie, static_cast<std::size_t>(p - copie));
                ecrit.Met(trouve->ligne->remplace);
                p += trouve->longueur;
                copie = p;
            } else {
                ++p;
            }
        }
        ecrit.Garde(copie, static_cast<std::size_t>(fin - copie));
    }
};

std::string Remplace(std::string_view texte, std::string_view cherche, std::string_view remplace, std::size_t limite)
{
    const std::size_t trouve = Premiere(texte, cherche);
    if (trouve == AucunePosition)
        return std::string(texte);
    NouveauTexte ecrit;
    ecrit.texte.reserve(texte.size() + (remplace.size() > cherche.size() ? texte.size() / 8 : 0));
    RemplaceVers(texte, trouve, cherche, remplace, limite, ecrit);
    return std::move(ecrit.texte);
}

SerieRemplacements::SerieRemplacements(std::vector<Remplacement> entree)
{
    std::erase_if(entree, [](const Remplacement &ligne) { return ligne.cherche.empty(); });

    std::vector<Formation> formations;
    for (std::size_t j = 0; j < entree.size(); ++j) {
        if (formations.empty() || !formations.back().Accepte(entree, j)) {
            formations.emplace_back();
            formations.back().debut = j;
        }
        formations.back().Ajoute(entree, j);
    }

    for (std::size_t e = 0; e < formations.size(); ++e) {
        const auto debut = entree.begin() + static_cast<std::ptrdiff_t>(formations[e].debut);
        const auto fin = e + 1 < formations.size() ? entree.begin() + static_cast<std::ptrdiff_t>(formations[e + 1].debut)
                                                    : entree.end();
        const bool raccourcit = std::all_of(debut, fin, [](const Remplacement &ligne) {
            return ligne.remplace.size() <= ligne.cherche.size();
        });
        if (fin - debut == 1)
            etapes.push_back({*debut, nullptr, raccourcit});
        else
            etapes.push_back({{},
                              std::make_shared<const Balayage>(formations[e].Indexe(entree),
                                                               std::vector<Remplacement>(debut, fin)),
                              raccourcit});
    }
}

std::string SerieRemplacements::Applique(std::string_view texte) const
{
    return Applique(texte, LimiteResultat(texte.size()));
}

std::string SerieRemplacements::Applique(std::string_view texte, std::size_t limite) const
{
    if (etapes.empty())
        return std::string(texte);
    std::string resultat;
    std::string_view entree = texte;
    for (const Etape &etape : etapes) {
        resultat = etape.balayage ? etape.balayage->Applique(entree, limite)
                                  : Remplace(entree, etape.seule.cherche, etape.seule.remplace, limite);
        entree = resultat;
    }
    return resultat;
}

void SerieRemplacements::AppliqueSurPlace(std::string &texte, std::size_t limite) const
{
    for (const Etape &etape : etapes) {
        if (!etape.raccourcit) {
            texte = etape.balayage ? etape.balayage->Applique(texte, limite)
                                   : Remplace(texte, etape.seule.cherche, etape.seule.remplace, limite);
        } else if (etape.balayage) {
            etape.balayage->AppliqueSurPlace(texte, limite);
        } else if (const std::size_t trouve = Premiere(texte, etape.seule.cherche); trouve != AucunePosition) {
            SurPlace ecrit{texte.data()};
            RemplaceVers(texte, trouve, etape.seule.cherche, etape.seule.remplace, limite, ecrit);
            texte.resize(static_cast<std::size_t>(ecrit.ecrit - texte.data()));
        }
    }
}

bool SerieRemplacements::UnePasse() const
{
    return etapes.size() <= 1;
}

SerieRemplacements Correction(const std::vector<LigneAccent> &table)
{
    std::vector<Remplacement> lignes;
    // Rows without a character have an empty search text, which the series drops.
    for (const LigneAccent &ligne : table)
        if (ACorriger(ligne))
            lignes.push_back({ligne.caractere, ligne.entite});
    return SerieRemplacements(std::move(lignes));
}

SerieRemplacements Restauration(const std::vector<LigneAccent> &table)
{
    std::vector<Remplacement> lignes;
    for (const LigneAccent &ligne : table)
        if (!ligne.caractere.empty())
            lignes.push_back({ligne.entite, ligne.caractere});
    return SerieRemplacements(std::move(lignes));
}
