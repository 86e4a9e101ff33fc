// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/texte/Resultat.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

// A word a reader sees: where it is written in the page, the word once its entities are read ("&eacute;t&eacute;"
// is written over 18 bytes and reads "été"), and the language the page gives it: the lang (or xml:lang) of the
// nearest element around it that has one, the html element's included, else the page's own language that the reading
// was given; empty when none. The language is a view of the page's bytes (or of the reading's language): it lasts as
// long as they do.
struct Mot {
    std::size_t debut = 0;
    std::size_t fin = 0;
    std::string texte;
    std::string_view langue;

    bool operator==(const Mot &) const = default;
};

// How MotsVisibles reads a page.
struct Lecture {
    // The page's own language (LangueDePage), for the words whose elements read give none: the reading back may
    // not reach the page's html element.
    std::string_view langue;
    // The text of the elements that show code (code, pre, kbd, samp, var, tt, and the elements within them) is
    // read too.
    bool code = false;
};

// The words of the page's text that a reader sees, in text order, that touch the range from debut to fin (each
// word whole, a word that ends at debut or starts at fin included): the text between tags, the content of title,
// textarea, xmp and plaintext; the ALT values, the TITLE values (tooltips) but for those of the elements that the
// page does not show (base, head, link, meta, script, style, title), the PLACEHOLDER values, and the VALUE of the
// input buttons (type button, submit or reset); not the tags, other attributes, comments, declarations, CDATA
// sections, scripts or styles, nor, unless the reading asks for them, the text of the elements that show code.
// Character references are read (the named ones of HTML 4 and &apos;, the numeric ones), except in xmp and
// plaintext, which show their text byte for byte.
// Whatever comes before debut that decides what the range is (inside a tag, a comment, a script, the element whose
// lang it is in, code...) is found by reading back at most 64 KiB, beyond which the page is taken to be text outside
// any element, so that the cost follows the range and not the page. The elements are followed as a browser nests
// them, for the end tags that HTML lets a page leave out (a p ended by the next block, an li by the next li...).
// Pure: safe to call from any thread.
//
// A word is a run of letters, digits and combining marks, in any script, with single apostrophes (' or ’) or hyphens
// between them ("aujourd'hui", "l’été", "peut-être"); a soft hyphen between them is left out of its text. A tag ends
// a word. Words that hold a digit or '_' are left out, and those of the scripts written without spaces between
// words; so are addresses, and the words that touch them: from a scheme ("https://") or "www." to the next white
// space, a mail address ("moi@ici.fr", "mailto:moi@ici.fr"), a name or path that ends in a domain or a file's
// extension written in small letters ("balizo.fr", "index.html", "/etc/apt/sources.list") and what follows it from a
// '/', ':', '?' or '#'. The words around an address are words, and so are words joined by a dot alone ("erreur.Les",
// "p.ex").
std::vector<Mot> MotsVisibles(std::string_view page, std::size_t debut, std::size_t fin, const Lecture &lecture = {});

// The lang (or xml:lang) of the page's html element, without its white space: empty when it has none, or when the
// page's first tag, within the first 64 KiB, is not an html one.
std::string LangueDePage(std::string_view page);

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

// The installed dictionary that checks the words of a language ("en", "en-GB", "EN_us") on a page whose own language
// is langueDePage, the user having chosen `choisi`: the chosen one for words without a language, or in the page's
// own language when it is the chosen one's; else the one of that language and region, else the chosen one when it is
// of that language, else the one named for the language alone ("de"), else the one of the language's usual region
// (de_DE, en_US), else the first of the language; an empty name when none is installed: the words are not checked.
std::string DictionnairePour(std::string_view langue, std::string_view langueDePage, std::string_view choisi,
                             const std::vector<DictionnaireInstalle> &installes);

// Why a dictionary cannot be opened.
enum class ErreurDictionnaire { FichiersIllisibles, EncodageInconnu };

// Why a word cannot be added to the personal list.
enum class ErreurAjout { PasUnMot, ListeNonEcrite };

// A Hunspell dictionary and the user's personal word list, given when the dictionary opens and written at each
// addition: a UTF-8 file, one word a line, created with its folder on the first addition. Not safe to share between
// threads without a lock.
class Dictionnaire {
public:
    // `mots` is what the personal list's file holds (empty when it is missing), and `personnel` the file the words
    // added go to (none: they are known for this run only). Fails when the dictionary's files cannot be read or name
    // an encoding that is not known.
    static Resultat<std::unique_ptr<Dictionnaire>, ErreurDictionnaire> Ouvre(const DictionnaireInstalle &installe,
                                                                             std::string_view mots,
                                                                             const std::string &personnel);
    virtual ~Dictionnaire() = default;

    // Words in UTF-8, converted to the dictionary's encoding (the typographic apostrophe becoming the straight one when
    // it is not UTF-8); a word that the encoding cannot write is known to the personal list only, and has no
    // suggestions. What is not a word (empty, not UTF-8, holding a line end, longer than 1 KiB) is never correct.
    virtual bool Correct(std::string_view mot) = 0;
    virtual std::vector<std::string> Suggestions(std::string_view mot) = 0;
    // Adds the word to the personal list, for this run and at the end of the file (once); fails when it is not a
    // word, or when the file cannot be written or is not a regular file (the word is still known for this run).
    virtual Resultat<Fait, ErreurAjout> Ajoute(std::string_view mot) = 0;
};
