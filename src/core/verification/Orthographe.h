#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

// A word a reader sees: where it is written in the page, and the word once its entities are read ("&eacute;t&eacute;"
// is written over 18 bytes and reads "été").
struct Mot {
    std::size_t debut = 0;
    std::size_t fin = 0;
    std::string texte;

    bool operator==(const Mot &) const = default;
};

// The words of the page's text that a reader sees, between the offsets debut and fin (widened to whole words): not
// the tags, attribute names and values (except those of ALT and TITLE), comments, scripts or styles. Whatever comes
// before debut that decides what the range is (inside a tag, a comment, a script...) is found by reading back a
// bounded distance, so that the cost follows the range and not the page.
std::vector<Mot> MotsVisibles(std::string_view page, std::size_t debut, std::size_t fin);

// An installed Hunspell dictionary: its name ("fr_FR") and files.
struct DictionnaireInstalle {
    std::string nom;
    std::string aff;
    std::string dic;

    bool operator==(const DictionnaireInstalle &) const = default;
};

// The folders where dictionaries are looked for, in order: each of $DICPATH, the user's hunspell folder under
// $XDG_DATA_HOME (or ~/.local/share), then the system's (/usr/share/hunspell, /usr/share/myspell/dicts,
// /usr/share/myspell).
std::vector<std::string> DossiersDictionnaires(std::string_view dicpath, std::string_view xdgDataHome,
                                               std::string_view home);

// The dictionaries that the folders hold (a .aff beside a .dic of the same name), sorted by name, the first folder's
// one kept when two hold the same name. Links are followed.
std::vector<DictionnaireInstalle> DictionnairesInstalles(const std::vector<std::string> &dossiers);

// Of the installed dictionaries, the one to use when the user has chosen none (or one that is gone): the French one
// of France, else any French one, else none (an empty name).
std::string DictionnaireParDefaut(const std::vector<DictionnaireInstalle> &installes);

// A Hunspell dictionary and the user's personal word list, which is read when the dictionary opens and written at
// each addition. Not safe to share between threads without a lock.
class Dictionnaire {
public:
    // Nothing when the files cannot be read.
    static std::unique_ptr<Dictionnaire> Ouvre(const DictionnaireInstalle &installe, const std::string &personnel);
    virtual ~Dictionnaire() = default;

    virtual bool Correct(std::string_view mot) = 0;
    virtual std::vector<std::string> Suggestions(std::string_view mot) = 0;
    // Adds the word to the personal list, for this run and in the file; false when the file cannot be written (the
    // word is still known for this run).
    virtual bool Ajoute(std::string_view mot) = 0;
};
