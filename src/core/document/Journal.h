// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/texte/Encodage.h"
#include "core/texte/Resultat.h"

#include <cstdint>
#include <string>
#include <string_view>

// A recovery journal: a modified page's text kept on disk while it is edited, so that a crash loses nothing. Its
// bytes are a header of "key value" lines, then the text; lengths are given before names and text, which may hold
// any byte, and a journal cut short is told from a whole one.

// What a journal says of its page.
struct EnteteJournal {
    // The page's file name as the file system spells it, or its name in the program ("Sans Nom").
    std::string nom;
    bool sansFichier = true;
    Encodage encodage = Encodage::Utf8;
    FinDeLigne fin = FinDeLigne::Lf;
    // When the page last changed, in milliseconds since 1970.
    std::int64_t modification = 0;
    // The page's file as it was when loaded or last saved (modification time in nanoseconds, size, inode): a file
    // found otherwise was changed by another program meanwhile. Zero when the page has no file.
    std::int64_t dateFichier = 0;
    std::int64_t tailleFichier = 0;
    std::uint64_t inodeFichier = 0;

    bool operator==(const EnteteJournal &) const = default;
};

// The bytes that come before the text in a journal of a text of that length.
std::string DebutJournal(const EnteteJournal &entete, std::size_t longueurTexte);
// The bytes that come after the text.
inline constexpr std::string_view FinJournal = "\nFIN\n";

struct JournalLu {
    EnteteJournal entete;
    // Valid as long as the journal's bytes are.
    std::string_view texte;
};

// Why a journal cannot be read back.
enum class ErreurJournal { Tronque, Illisible, FormatPlusRecent };

Resultat<JournalLu, ErreurJournal> LitJournal(std::string_view octets);
// What a journal says of its page, from its first bytes only (its text may be left out).
Resultat<EnteteJournal, ErreurJournal> LitEnteteJournal(std::string_view debut);

// The most bytes that a journal's header takes up to its text: a name is never longer than a path may be.
inline constexpr std::size_t TailleMaximaleEnteteJournal = std::size_t(64) << 10;

// A journal as its header tells it: its page and the length of its text.
struct DebutJournalLu {
    EnteteJournal entete;
    std::uint64_t longueurTexte = 0;
};

// What a journal of that size on disk says up to its text, from its first bytes (as many as it has, up to
// `TailleMaximaleEnteteJournal`): a journal shorter than its header says is cut short, a longer one or one without
// a whole header in those bytes is unreadable.
Resultat<DebutJournalLu, ErreurJournal> LitDebutJournal(std::string_view debut, std::uint64_t taille);
