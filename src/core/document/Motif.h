// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/texte/Resultat.h"

#include <array>
#include <atomic>
#include <cstddef>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

struct pcre2_real_code_8;
struct pcre2_real_jit_stack_8;
struct pcre2_real_match_context_8;
struct pcre2_real_match_data_8;

// How the replace command reads its search text.
struct OptionsMotif {
    // Capitals and small letters differ; otherwise they match across all of Unicode ("été" finds "ÉTÉ").
    bool casse = false;
    // An occurrence is neither preceded nor followed by a word character: a letter of any script, a digit or "_".
    bool motEntier = false;
    // The search text is a Perl-compatible regular expression, whose groups the replacement may name.
    bool expression = false;
};

// Where an occurrence lies in the text, in bytes.
struct Occurrence {
    // The whole occurrence (group 0), then the expression's groups 1 to 9; a group that took no part in the match,
    // or that the expression does not have, is npos to npos.
    std::array<std::pair<std::size_t, std::size_t>, 10> groupes;

    std::size_t Debut() const { return groupes[0].first; }
    std::size_t Fin() const { return groupes[0].second; }
};

// A search that PCRE2 gave up before its end, most often an expression that backtracks without end; what() is
// the French message for the user.
class RechercheAbandonnee : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A search that the user stopped before its end.
class RechercheAnnulee : public std::exception {
public:
    const char *what() const noexcept override { return "recherche annulée"; }
};

// Shared between a search running on another thread and the thread that waits for it: the user's "Annuler", which
// the search polls at each occurrence and every 4 KiB of places where one could start, and how far it has gone.
struct Suivi {
    std::atomic<bool> annule = false;
    std::atomic<std::size_t> position = 0;
};

// A search text compiled with its options, ready to find its occurrences in UTF-8 texts and to build their
// replacements. A plain text is searched as it is typed. An expression is PCRE2's: ^ and $ match at each line's
// start and end, lines ending with CR, LF or CR LF. Bytes that are not UTF-8 never match and never stop a search.
// An expression that backtracks too much at one place is given up rather than left to run for minutes. Memory
// running out throws std::bad_alloc.
class Motif {
public:
    // The compiled motif, or the French message that says why the expression is wrong.
    static Resultat<Motif, std::string> Compile(std::string_view cherche, const OptionsMotif &options);

    // The first occurrence that starts at `debut` or after; the text before `debut` still counts for what looks
    // behind. After an empty occurrence at `debut` (`apresVide`), the next one is not an empty one there again:
    // a longer one starting there, or else the first from the next character on (CR LF counting as one).
    // Throws RechercheAbandonnee when PCRE2 gives up, RechercheAnnulee once the follow-up says so.
    std::optional<Occurrence> Cherche(std::string_view texte, std::size_t debut, bool apresVide = false,
                                      Suivi *suivi = nullptr);

    // Appends what the occurrence of the text becomes: for an expression, \0 to \9 in the replacement give the
    // occurrence and its groups, \\ gives one backslash, any other backslash is kept; a plain text's replacement
    // is taken as it is.
    void Developpe(std::string &sortie, std::string_view remplacement, const Occurrence &occurrence,
                   std::string_view texte) const;

private:
    struct LibereCode {
        void operator()(pcre2_real_code_8 *code) const;
    };
    struct LibereContexte {
        void operator()(pcre2_real_match_context_8 *contexte) const;
    };
    struct LiberePile {
        void operator()(pcre2_real_jit_stack_8 *pile) const;
    };
    struct LibereDonnees {
        void operator()(pcre2_real_match_data_8 *donnees) const;
    };

    Motif() = default;
    // The first occurrence that the code finds from `debut`, starting no further than `limite`.
    std::optional<Occurrence> Essaie(const pcre2_real_code_8 *avec, std::string_view texte, std::size_t debut,
                                     std::size_t limite, unsigned options);

    std::unique_ptr<pcre2_real_code_8, LibereCode> code;
    // The same, anchored: PCRE2 compiles a search anchored at its start, but only the interpreter anchors one when
    // it is run, and the interpreter checks the UTF-8 of the whole rest of the text at each call.
    std::unique_ptr<pcre2_real_code_8, LibereCode> ancre;
    std::unique_ptr<pcre2_real_jit_stack_8, LiberePile> pile;
    std::unique_ptr<pcre2_real_match_context_8, LibereContexte> contexte;
    std::unique_ptr<pcre2_real_match_data_8, LibereDonnees> donnees;
    bool expression = false;
};

// Every occurrence of a text replaced: the bytes from the first occurrence's start to the last one's end, and what
// they become.
struct RemplacementTout {
    std::size_t debut = 0;
    std::size_t fin = 0;
    std::string texte;
    std::size_t nombre = 0;
};

// Replaces every occurrence of the motif in the text, each found after the one before in the original text, as
// Perl's s///g does. Throws RechercheAbandonnee and RechercheAnnulee as Motif::Cherche does.
RemplacementTout RemplaceTout(std::string_view texte, Motif &motif, std::string_view remplacement,
                              Suivi *suivi = nullptr);
