// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/verification/Balisage.h"

#include "core/texte/Utf8.h"
#include "core/verification/MessagesTidy.h"

#include <tidy/tidy.h>

#include <pthread.h>

#include <algorithm>
#include <bit>
#include <climits>
#include <cstring>
#include <mutex>
#include <string>
#include <tuple>

// HTML Tidy reads the page and builds its tree without writing anything; each fault comes with the line and column
// of the tag (or text) where Tidy saw it, counted Tidy's way, and is placed back on the page's bytes here.

namespace {

// A fault as Tidy reports it.
struct Signalement {
    int ligne;
    int colonne;
    Probleme::Sorte sorte;
    std::string message;
};

// One check: the page, and what Tidy said of it.
struct Verification {
    std::string_view texte;
    std::vector<Signalement> signalements;
    bool lue = false;
    bool memoire = false;
};

// The page as Tidy reads it, byte by byte, two bytes changed so that Tidy's columns can be counted back: after a CR
// that no LF follows Tidy numbers the columns wrongly, and it counts an ESC as a column at some places and not at
// others. A lone CR is given as LF, which a browser reads it as anyway; an ESC as another control character, which
// Tidy always passes over. Neither changes the offsets.
class Lecture {
public:
    explicit Lecture(std::string_view texte) : texte(texte) {}

    static int Octet(void *donnees)
    {
        auto &l = *static_cast<Lecture *>(donnees);
        if (l.lu == l.texte.size())
            return static_cast<int>(EndOfStream);
        const char c = l.texte[l.lu++];
        if (c == '\r' && (l.lu == l.texte.size() || l.texte[l.lu] != '\n'))
            return '\n';
        if (c == '\x1b')
            return '\x01';
        return static_cast<unsigned char>(c);
    }

    static void Rends(void *donnees, byte) { --static_cast<Lecture *>(donnees)->lu; }

    static Bool Fin(void *donnees)
    {
        const auto &l = *static_cast<Lecture *>(donnees);
        return l.lu == l.texte.size() ? yes : no;
    }

private:
    std::string_view texte;
    std::size_t lu = 0;
};

// The arguments of a message, strings as they are, numbers in decimal.
std::vector<std::string> Arguments(TidyMessage message)
{
    std::vector<std::string> arguments;
    for (TidyIterator i = tidyGetMessageArguments(message); i;) {
        TidyMessageArgument argument = tidyGetNextMessageArgument(message, &i);
        switch (tidyGetArgType(message, &argument)) {
        case tidyFormatType_STRING: {
            const char *valeur = tidyGetArgValueString(message, &argument);
            arguments.emplace_back(valeur ? valeur : "");
            break;
        }
        case tidyFormatType_INT:
            arguments.push_back(std::to_string(tidyGetArgValueInt(message, &argument)));
            break;
        case tidyFormatType_UINT:
            arguments.push_back(std::to_string(tidyGetArgValueUInt(message, &argument)));
            break;
        default:
            arguments.emplace_back();
        }
    }
    return arguments;
}

// The message in French: Tidy's own text, or ours where Tidy's is not French or speaks of its settings.
std::string Texte(TidyMessage message)
{
    const std::string_view modele = ModeleMessageTidy(tidyGetMessageCode(message));
    if (!modele.empty())
        return RemplitModele(modele, Arguments(message));
    const char *texte = tidyGetMessage(message);
    return texte ? texte : "";
}

Bool Rapporte(TidyMessage message)
{
    const TidyReportLevel niveau = tidyGetMessageLevel(message);
    if (niveau == TidyError || niveau == TidyWarning) {
        auto &v = *static_cast<Verification *>(tidyGetAppData(tidyGetMessageDoc(message)));
        // No exception may cross Tidy's C code.
        try {
            v.signalements.push_back({tidyGetMessageLine(message), tidyGetMessageColumn(message),
                                      niveau == TidyError ? Probleme::Sorte::Erreur : Probleme::Sorte::Avertissement,
                                      Texte(message)});
        } catch (...) {
            v.memoire = true;
        }
    }
    // Tidy writes nothing itself.
    return no;
}

void *Verifie(void *donnees)
{
    auto &v = *static_cast<Verification *>(donnees);
    const TidyDoc doc = tidyCreate();
    tidySetAppData(doc, &v);
    tidySetMessageCallback(doc, Rapporte);
    tidyOptSetValue(doc, TidyInCharEncoding, "utf8");
    tidyOptSetInt(doc, TidyShowErrors, INT_MAX);
    tidyOptSetBool(doc, TidyShowInfo, no);
    // A tab is one column, as any other character.
    tidyOptSetInt(doc, TidyTabSize, 1);
    // What Tidy would write otherwise than the page: empty elements left out, style sheets moved to the head. The
    // page stays as it is; only a style sheet in the body is a fault of its own.
    tidyOptSetBool(doc, TidyDropEmptyElems, no);
    tidyOptSetBool(doc, TidyDropEmptyParas, no);
    tidyOptSetBool(doc, TidyStyleTags, no);
    // The elements that a page defines itself, whose names hold a hyphen, are shown inline by a browser, as any
    // element that it does not know.
    tidyOptSetInt(doc, TidyUseCustomTags, TidyCustomInline);
    Lecture lecture(v.texte);
    TidyInputSource source;
    tidyInitSource(&source, &lecture, Lecture::Octet, Lecture::Rends, Lecture::Fin);
    // The attributes that HTML does not know are found while the tree is repaired.
    v.lue = tidyParseSource(doc, &source) >= 0 && tidyCleanAndRepair(doc) >= 0;
    tidyRelease(doc);
    return nullptr;
}

// Tidy goes down its tree recursively, some hundred bytes of stack for each element open, more than one element for
// a tag now and then (a row for a cell written without one): a page that never closes its elements would go past the
// end of a thread's stack. Tidy runs on a thread whose stack has room for every start tag of the page.
std::size_t Pile(std::string_view texte)
{
    constexpr std::size_t Base = std::size_t(1) << 20;
    constexpr std::size_t ParBalise = 512;
    std::size_t balises = 0;
    const char *p = texte.data();
    const char *const fin = p + texte.size();
    while ((p = static_cast<const char *>(std::memchr(p, '<', std::size_t(fin - p))))) {
        ++p;
        if (p < fin && ((*p >= 'a' && *p <= 'z') || (*p >= 'A' && *p <= 'Z')))
            ++balises;
    }
    return Base + ParBalise * balises;
}

// The number of bytes that Tidy reads as one character at i: a UTF-8 sequence, or as much of it as is there, its
// first byte taken for the length that it announces (up to six); a byte that starts no sequence alone.
std::size_t Longueur(std::string_view texte, std::size_t i)
{
    const int uns = std::countl_one(static_cast<unsigned char>(texte[i]));
    const std::size_t annonce = uns >= 2 && uns <= 6 ? std::size_t(uns) : 1;
    std::size_t n = 1;
    while (n < annonce && i + n < texte.size() && EstSuiteUtf8(texte[i + n]))
        ++n;
    return n;
}

// Tidy's line and column of the page's bytes, read once for positions given in order. Lines end as for the rest of
// the program (CR LF, LF, CR); a character is one column, a tab too, but Tidy passes over the control characters
// other than tab, and over the byte-order mark that opens a page.
class Positions {
public:
    explicit Positions(std::string_view texte) : texte(texte) {}

    // The offset of the first byte that Tidy counts at this line and column; the end of the line when it is shorter.
    std::size_t Decalage(std::size_t ligneVoulue, std::size_t colonneVoulue)
    {
        while (i < texte.size()) {
            const char c = texte[i];
            const bool finLigne = c == '\n' || c == '\r';
            if (ligne > ligneVoulue || (ligne == ligneVoulue && (finLigne || (colonne >= colonneVoulue && !Passe()))))
                return i;
            if (finLigne) {
                i += c == '\r' && i + 1 < texte.size() && texte[i + 1] == '\n' ? 2 : 1;
                ++ligne;
                colonne = 1;
            } else {
                colonne += Passe() ? 0 : 1;
                i += Longueur(texte, i);
            }
        }
        return i;
    }

private:
    bool Passe() const
    {
        const auto c = static_cast<unsigned char>(texte[i]);
        return (c < 0x20 && c != '\t') || (i == 0 && texte.starts_with("\xEF\xBB\xBF"));
    }

    std::string_view texte;
    std::size_t i = 0;
    std::size_t ligne = 1;
    std::size_t colonne = 1;
};

// The end of what a fault at debut covers: the tag that starts there (to its '>', or up to the next '<' when it has
// none), otherwise the character, but never the line end.
std::size_t Fin(std::string_view texte, std::size_t debut)
{
    if (debut == texte.size() || texte[debut] == '\n' || texte[debut] == '\r')
        return debut;
    if (texte[debut] != '<')
        return debut + Longueur(texte, debut);
    const std::size_t bout = texte.find_first_of("<>", debut + 1);
    if (bout == std::string_view::npos)
        return texte.size();
    return texte[bout] == '>' ? bout + 1 : bout;
}

std::once_flag Francais;

} // namespace

std::vector<Probleme> VerifieBalisage(std::string_view texte)
{
    // The language of Tidy's messages belongs to the whole process, and each new Tidy document sets it after the
    // environment until a program has chosen one: chosen once, before the first document, it is never written again.
    std::call_once(Francais, [] { tidySetLanguage("fr"); });
    Verification v{texte, {}, false, false};
    pthread_attr_t attributs;
    pthread_attr_init(&attributs);
    pthread_attr_setstacksize(&attributs, Pile(texte));
    pthread_t fil;
    const bool lance = pthread_create(&fil, &attributs, Verifie, &v) == 0;
    pthread_attr_destroy(&attributs);
    if (lance)
        pthread_join(fil, nullptr);
    if (!lance || v.memoire)
        return {{0, 0, Probleme::Sorte::Erreur, "Pas assez de mémoire pour vérifier le balisage de la page."}};
    if (!v.lue)
        return {{0, 0, Probleme::Sorte::Erreur, "HTML Tidy n'a pas pu lire la page."}};

    std::ranges::stable_sort(v.signalements, [](const Signalement &a, const Signalement &b) {
        return std::tie(a.ligne, a.colonne) < std::tie(b.ligne, b.colonne);
    });
    std::vector<Probleme> problemes;
    problemes.reserve(v.signalements.size());
    Positions positions(texte);
    for (Signalement &s : v.signalements) {
        const std::size_t debut =
            positions.Decalage(std::size_t(std::max(s.ligne, 0)), std::size_t(std::max(s.colonne, 0)));
        problemes.push_back({debut, Fin(texte, debut), s.sorte, std::move(s.message)});
    }
    return problemes;
}
