// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/verification/Orthographe.h"
#include "core/verification/Probleme.h"

#include <atomic>
#include <cstddef>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// A dictionary that the checks share, with the personal list, and what it said of each word already looked up. It is
// opened once, by the first check that needs it, or on a thread of its own as soon as it is chosen. One lock for
// each word, so that the context menu never waits for a whole check.
struct Langue {
    DictionnaireInstalle installe;
    // The personal list's file (DictionnairePersonnel).
    std::string personnel;
    std::mutex verrou;
    std::unique_ptr<::Dictionnaire> dictionnaire;
    std::unordered_map<std::string, bool> connus;
    // Known without the dictionary, as written.
    std::set<std::string> ignores;
    // The personal list is there but cannot be read (a named pipe, a file the user may not read): its words are
    // unknown, and the words added are not written to it. Told once, on the interface thread.
    std::atomic<bool> illisible = false;
    bool dit = false;

    // Under the lock: opens the dictionary if it is not yet; false when it cannot be read: then every word passes.
    bool Pret();
    // Whether the dictionary is open (or found unreadable), without waiting for it.
    bool Ouvert() const { return ouvert; }
    // Opens the dictionary on a thread of its own, unless it is open or being opened.
    static void OuvreEnFond(const std::shared_ptr<Langue> &langue);
    bool Correct(const std::string &mot);
    void Ignore(const std::string &mot);

private:
    std::atomic<bool> ouvert = false;
    std::atomic<bool> demande = false;
};

// The dictionaries of the languages that pages name, the chosen one's first. Each other one is made the first time
// a word of its language is looked up, and opened by the first check that needs it, as the chosen one is. The words
// ignored are known to every one of them, those made later included.
struct Langues {
    std::shared_ptr<Langue> choisie;
    std::vector<DictionnaireInstalle> installes;
    std::string personnel;
    std::mutex verrou;
    std::set<std::string> ignores;
    // By name: one for each dictionary, whatever the tags that lead to it.
    std::map<std::string, std::shared_ptr<Langue>> autres;
    // For one reading of a page: the dictionary that each language found leads to, none when it is not checked.
    using Vues = std::map<std::string, std::shared_ptr<Langue>, std::less<>>;

    // The dictionary of that name, its language's others made as they are needed, all with the personal list of
    // that file and the words ignored.
    static std::shared_ptr<Langues> Choisit(const DictionnaireInstalle &choisi,
                                            const std::vector<DictionnaireInstalle> &installes,
                                            const std::string &personnel, const std::set<std::string> &ignores);
    // The installed dictionary of that name; none when it is not installed.
    std::shared_ptr<Langue> Nomme(const std::string &nom);
    // The dictionary of the words in that language on a page in that one; none when no dictionary of the language
    // is installed.
    std::shared_ptr<Langue> Pour(std::string_view langue, std::string_view langueDePage);
    // The dictionary of the word, kept in `vues` for the words that follow; none when the word is not checked.
    const std::shared_ptr<Langue> &DuMot(const Mot &mot, std::string_view langueDePage, Vues &vues);
    void Ignore(const std::string &mot);
};

// What the list of problems says of an unknown word.
std::string MessageFaute(std::string_view mot);

// The unknown words of the whole page, read a piece at a time so that the words held at once stay few; past a
// number, one line says that the others are not listed.
std::vector<Probleme> Fautes(std::string_view page, Langues &langues, bool code);
