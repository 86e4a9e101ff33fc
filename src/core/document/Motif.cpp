// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/document/Motif.h"

#include "core/memoire/GrandesPages.h"
#include "core/texte/Utf8.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include <algorithm>
#include <cstdint>
#include <new>

namespace {

constexpr auto Aucune = std::string_view::npos;

// The start positions that one call of PCRE2 tries, between two looks at the follow-up: few enough that an
// expression that backtracks a great deal at each of them still lets "Annuler" answer within a second or so.
constexpr std::size_t Tranche = 4096;

// How much backtracking one start position may take before the search is given up, and how deeply nested: a
// reasonable expression stays far below, one that backtracks without end reaches them in a fraction of a second.
constexpr std::uint32_t LimiteEssais = 1'000'000;
constexpr std::uint32_t LimiteProfondeur = 1'000'000;

// JIT's stack, which the lazy repeat of a group over a long span fills.
constexpr std::size_t PileJit = std::size_t(64) << 20;

// What keeps a whole word from being part of a longer one: a letter of any script, a digit or "_".
constexpr std::string_view Lettre = "[\\p{L}\\p{N}_]";

// The position after the character at `i`: a whole UTF-8 sequence, CR LF, or one byte that is not UTF-8.
std::size_t CaractereSuivant(std::string_view texte, std::size_t i)
{
    if (texte[i] == '\r' && i + 1 < texte.size() && texte[i + 1] == '\n')
        return i + 2;
    const std::size_t annoncee = std::min(i + LongueurAnnonceeUtf8(texte[i]), texte.size());
    std::size_t fin = i + 1;
    while (fin < annoncee && EstSuiteUtf8(texte[fin]))
        ++fin;
    return fin;
}

// The expression that matches the text itself: every ASCII character but letters and digits is escaped, which
// PCRE2 always takes as that character; the others stand for themselves.
std::string Echappe(std::string_view texte)
{
    std::string motif;
    motif.reserve(2 * texte.size());
    for (const char c : texte) {
        const auto octet = static_cast<unsigned char>(c);
        const bool alphanumerique =
            (octet >= 'a' && octet <= 'z') || (octet >= 'A' && octet <= 'Z') || (octet >= '0' && octet <= '9');
        if (octet < 0x80 && !alphanumerique)
            motif += '\\';
        motif += c;
    }
    return motif;
}

// The last start position of the slice of start positions that begins at `debut`, or npos for the rest of the
// text: the first byte of a character, where PCRE2's interpreter accepts to start, so that the next slice starts
// after that character as PCRE2 would have gone on.
std::size_t FinDeTranche(std::string_view texte, std::size_t debut)
{
    if (texte.size() - debut <= Tranche)
        return Aucune;
    return DebutCaractereUtf8(texte, debut + Tranche);
}

std::string MessagePcre2(int erreur)
{
    PCRE2_UCHAR message[256];
    const int longueur = pcre2_get_error_message(erreur, message, sizeof message);
    return longueur < 0 ? std::string() : std::string(reinterpret_cast<const char *>(message),
                                                      static_cast<std::size_t>(longueur));
}

using ContexteCompilation = std::unique_ptr<pcre2_compile_context, decltype(&pcre2_compile_context_free)>;

// The expression compiled, or PCRE2's error and the byte where PCRE2 found it.
Resultat<pcre2_code *, std::pair<int, std::size_t>> CompileExpression(std::string_view expression,
                                                                       std::uint32_t options,
                                                                       pcre2_compile_context *contexte)
{
    int erreur = 0;
    PCRE2_SIZE position = 0;
    pcre2_code *code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(expression.data()), expression.size(), options,
                                     &erreur, &position, contexte);
    if (code)
        return code;
    if (erreur == PCRE2_ERROR_HEAP_FAILED)
        throw std::bad_alloc();
    return Erreur(std::pair{erreur, static_cast<std::size_t>(position)});
}

} // namespace

void Motif::LibereCode::operator()(pcre2_code *code) const
{
    pcre2_code_free(code);
}

void Motif::LibereContexte::operator()(pcre2_match_context *contexte) const
{
    pcre2_match_context_free(contexte);
}

void Motif::LiberePile::operator()(pcre2_jit_stack *pile) const
{
    pcre2_jit_stack_free(pile);
}

void Motif::LibereDonnees::operator()(pcre2_match_data *donnees) const
{
    pcre2_match_data_free(donnees);
}

Resultat<Motif, std::string> Motif::Compile(std::string_view cherche, const OptionsMotif &options)
{
    const ContexteCompilation contexte(pcre2_compile_context_create(nullptr), &pcre2_compile_context_free);
    if (!contexte)
        throw std::bad_alloc();
    pcre2_set_newline(contexte.get(), PCRE2_NEWLINE_ANYCRLF);
    // Bytes that are not UTF-8 are where no match can go, and never an error.
    const std::uint32_t drapeaux = PCRE2_UTF | PCRE2_UCP | PCRE2_MATCH_INVALID_UTF | PCRE2_MULTILINE |
                                   (options.casse ? 0 : PCRE2_CASELESS);
    const auto erreur = [&](std::pair<int, std::size_t> e, std::size_t decalage) {
        const std::size_t position = e.second > decalage ? e.second - decalage : 0;
        return "Expression régulière incorrecte : " + MessagePcre2(e.first) + " (position " +
               std::to_string(CaracteresUtf8(cherche.substr(0, std::min(position, cherche.size())))) + ").";
    };

    std::string expression = options.expression ? std::string(cherche) : Echappe(cherche);
    // Compiled as it is first, for the error's position in what the user typed; then once to search, slice by
    // slice, and once anchored.
    const auto compile = [&](std::uint32_t plus, std::size_t decalage) -> Resultat<pcre2_code *, std::string> {
        const auto resultat = CompileExpression(expression, drapeaux | plus, contexte.get());
        if (!resultat)
            return Erreur(erreur(resultat.Pourquoi(), decalage));
        return *resultat;
    };
    Motif motif;
    const auto essai = compile(0, 0);
    if (!essai)
        return Erreur(essai.Pourquoi());
    motif.code.reset(*essai);
    std::size_t decalage = 0;
    if (options.motEntier) {
        // Compiled alone first, the expression is known to be whole: it cannot close the group around it. A \Q
        // left open would take the rest as text: \E closes it, and means nothing otherwise.
        const std::string avant = "(?<!" + std::string(Lettre) + ")(?:";
        expression = avant + expression + "\\E)(?!" + std::string(Lettre) + ")";
        decalage = avant.size();
    }
    for (auto [code, plus] : {std::pair{&motif.code, PCRE2_USE_OFFSET_LIMIT},
                              {&motif.ancre, PCRE2_USE_OFFSET_LIMIT | PCRE2_ANCHORED}}) {
        const auto compilation = compile(plus, decalage);
        if (!compilation)
            return Erreur(compilation.Pourquoi());
        code->reset(*compilation);
    }
    motif.expression = options.expression;
    // Without JIT, where the system has none, the interpreter does the same work more slowly.
    pcre2_jit_compile(motif.code.get(), PCRE2_JIT_COMPLETE);
    pcre2_jit_compile(motif.ancre.get(), PCRE2_JIT_COMPLETE);
    motif.contexte.reset(pcre2_match_context_create(nullptr));
    motif.donnees.reset(pcre2_match_data_create_from_pattern(motif.code.get(), nullptr));
    if (!motif.contexte || !motif.donnees)
        throw std::bad_alloc();
    motif.pile.reset(pcre2_jit_stack_create(32 << 10, PileJit, nullptr));
    if (!motif.pile)
        throw std::bad_alloc();
    pcre2_jit_stack_assign(motif.contexte.get(), nullptr, motif.pile.get());
    pcre2_set_match_limit(motif.contexte.get(), LimiteEssais);
    pcre2_set_depth_limit(motif.contexte.get(), LimiteProfondeur);
    return motif;
}

std::optional<Occurrence> Motif::Cherche(std::string_view texte, std::size_t debut, bool apresVide, Suivi *suivi)
{
    if (debut > texte.size())
        return std::nullopt;
    if (apresVide) {
        if (auto occurrence = Essaie(ancre.get(), texte, debut, Aucune, PCRE2_NOTEMPTY_ATSTART))
            return occurrence;
        if (debut == texte.size())
            return std::nullopt;
        debut = CaractereSuivant(texte, debut);
    }
    for (;;) {
        if (suivi) {
            if (suivi->annule.load(std::memory_order_relaxed))
                throw RechercheAnnulee();
            suivi->position.store(debut, std::memory_order_relaxed);
        }
        const std::size_t limite = FinDeTranche(texte, debut);
        if (auto occurrence = Essaie(code.get(), texte, debut, limite, 0))
            return occurrence;
        if (limite == Aucune)
            return std::nullopt;
        debut = CaractereSuivant(texte, limite);
    }
}

std::optional<Occurrence> Motif::Essaie(const pcre2_code *avec, std::string_view texte, std::size_t debut,
                                        std::size_t limite, unsigned options)
{
    const auto *sujet = reinterpret_cast<PCRE2_SPTR>(texte.empty() ? "" : texte.data());
    pcre2_set_offset_limit(contexte.get(), limite == Aucune ? PCRE2_UNSET : limite);
    int resultat = pcre2_match(avec, sujet, texte.size(), debut, options, donnees.get(), contexte.get());
    // Past JIT's stack, the interpreter keeps its backtracking on the heap, and goes much further.
    if (resultat == PCRE2_ERROR_JIT_STACKLIMIT)
        resultat = pcre2_match(avec, sujet, texte.size(), debut, options | PCRE2_NO_JIT, donnees.get(),
                               contexte.get());
    if (resultat == PCRE2_ERROR_NOMATCH)
        return std::nullopt;
    if (resultat == PCRE2_ERROR_NOMEMORY)
        throw std::bad_alloc();
    if (resultat < 0)
        throw RechercheAbandonnee("Recherche abandonnée : " + MessagePcre2(resultat) + ".");
    const PCRE2_SIZE *bornes = pcre2_get_ovector_pointer(donnees.get());
    Occurrence occurrence;
    occurrence.groupes.fill({Aucune, Aucune});
    // The groups past the last one that took part are not set by the match.
    const auto groupes = std::min<std::size_t>(static_cast<std::size_t>(resultat), occurrence.groupes.size());
    for (std::size_t i = 0; i < groupes; ++i)
        occurrence.groupes[i] = {bornes[2 * i], bornes[2 * i + 1]};
    return occurrence;
}

void Motif::Developpe(std::string &sortie, std::string_view remplacement, const Occurrence &occurrence,
                      std::string_view texte) const
{
    if (!expression) {
        sortie += remplacement;
        return;
    }
    for (std::size_t i = 0;;) {
        const std::size_t barre = remplacement.find('\\', i);
        sortie += remplacement.substr(i, barre == Aucune ? Aucune : barre - i);
        if (barre == Aucune)
            return;
        i = barre + 1;
        const char suivant = i < remplacement.size() ? remplacement[i] : '\0';
        if (suivant >= '0' && suivant <= '9') {
            const auto [debut, fin] = occurrence.groupes[static_cast<std::size_t>(suivant - '0')];
            if (debut != Aucune)
                sortie += texte.substr(debut, fin - debut);
            ++i;
        } else if (suivant == '\\') {
            sortie += '\\';
            ++i;
        } else {
            sortie += '\\';
        }
    }
}

RemplacementTout RemplaceTout(std::string_view texte, Motif &motif, std::string_view remplacement, Suivi *suivi)
{
    RemplacementTout resultat;
    std::optional<Occurrence> occurrence = motif.Cherche(texte, 0, false, suivi);
    if (!occurrence)
        return resultat;
    resultat.debut = occurrence->Debut();
    // Room at once for a result as long as the rest of the text and an eighth more, in huge pages when it is large:
    // growing it step by step, or touching it 4 KiB at a time, costs more than the search.
    const std::size_t reste = texte.size() - resultat.debut;
    resultat.texte.reserve(reste + reste / 8);
    if (resultat.texte.capacity() >= 4 * PageEnorme)
        ConseilleGrandesPages(resultat.texte.data(), resultat.texte.capacity());
    std::size_t copie = resultat.debut;
    while (occurrence) {
        resultat.texte += texte.substr(copie, occurrence->Debut() - copie);
        motif.Developpe(resultat.texte, remplacement, *occurrence, texte);
        copie = occurrence->Fin();
        ++resultat.nombre;
        occurrence = motif.Cherche(texte, copie, occurrence->Debut() == copie, suivi);
    }
    resultat.fin = copie;
    return resultat;
}
