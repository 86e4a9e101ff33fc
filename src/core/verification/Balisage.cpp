#include "core/verification/Balisage.h"

#include <tidy/tidy.h>
#include <tidy/tidybuffio.h>

#include <algorithm>
#include <climits>
#include <mutex>
#include <string>

namespace {

// Tidy counts columns in characters, a tab taking it to the next multiple of 8 plus one.
constexpr std::size_t Tabulation = 8;

bool Suite(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The byte offset of Tidy's line and column; the line's end when the column is past it.
class Positions {
public:
    explicit Positions(std::string_view texte) : texte(texte) {}

    std::size_t Decalage(std::size_t ligne, std::size_t colonne)
    {
        if (ligne < ligneLue) {
            ligneLue = 1;
            debutLigne = 0;
        }
        while (ligneLue < ligne) {
            std::size_t i = debutLigne;
            while (i < texte.size() && texte[i] != '\n' && texte[i] != '\r')
                ++i;
            if (i == texte.size())
                return i;
            i += (texte[i] == '\r' && i + 1 < texte.size() && texte[i + 1] == '\n') ? 2 : 1;
            debutLigne = i;
            ++ligneLue;
        }
        std::size_t i = debutLigne;
        for (std::size_t vue = 1; vue < colonne;) {
            if (i == texte.size() || texte[i] == '\n' || texte[i] == '\r')
                break;
            vue = texte[i] == '\t' ? (vue - 1) / Tabulation * Tabulation + Tabulation + 1 : vue + 1;
            ++i;
            while (i < texte.size() && Suite(texte[i]))
                ++i;
        }
        return i;
    }

private:
    std::string_view texte;
    std::size_t ligneLue = 1;
    std::size_t debutLigne = 0;
};

// The message without Tidy's "Ligne: 3 Col: 7 - Avertissement:" before it.
std::string Message(std::string_view sortie, bool positionnee)
{
    if (positionnee)
        if (const std::size_t tiret = sortie.find(" - "); tiret != std::string_view::npos)
            sortie.remove_prefix(tiret + 3);
    if (const std::size_t deuxPoints = sortie.find(':');
        deuxPoints != std::string_view::npos && sortie.substr(0, deuxPoints).find(' ') == std::string_view::npos)
        sortie.remove_prefix(deuxPoints + 1);
    while (!sortie.empty() && (sortie.front() == ' ' || sortie.front() == '\n'))
        sortie.remove_prefix(1);
    while (!sortie.empty() && (sortie.back() == ' ' || sortie.back() == '\n'))
        sortie.remove_suffix(1);
    return std::string(sortie);
}

struct Collecte {
    std::string_view texte;
    Positions positions;
    std::vector<Probleme> problemes;
};

Bool Recoit(TidyMessage message)
{
    auto *collecte = static_cast<Collecte *>(tidyGetAppData(tidyGetMessageDoc(message)));
    const TidyReportLevel niveau = tidyGetMessageLevel(message);
    if (niveau != TidyWarning && niveau != TidyError)
        return no;
    const int ligne = tidyGetMessageLine(message);
    const int colonne = tidyGetMessageColumn(message);
    Probleme probleme;
    probleme.sorte = niveau == TidyError ? Probleme::Sorte::Erreur : Probleme::Sorte::Avertissement;
    const ctmbstr sortie = tidyGetMessageOutput(message);
    probleme.message = Message(sortie ? sortie : "", ligne > 0);
    if (ligne > 0) {
        const std::string_view texte = collecte->texte;
        probleme.debut = collecte->positions.Decalage(static_cast<std::size_t>(ligne),
                                                      static_cast<std::size_t>(std::max(colonne, 1)));
        // A fault at a tag covers the tag; elsewhere, its character.
        std::size_t fin = probleme.debut;
        if (fin < texte.size() && texte[fin] == '<') {
            const std::size_t chevron = texte.find_first_of(">\n\r", fin);
            fin = chevron == std::string_view::npos ? texte.size() : chevron + (texte[chevron] == '>');
        } else if (fin < texte.size() && texte[fin] != '\n' && texte[fin] != '\r') {
            ++fin;
            while (fin < texte.size() && Suite(texte[fin]))
                ++fin;
        }
        probleme.fin = fin;
    }
    collecte->problemes.push_back(std::move(probleme));
    return no;
}

} // namespace

std::vector<Probleme> VerifieBalisage(std::string_view texte)
{
    // Tidy's language is the whole program's: chosen once, before any document.
    static std::once_flag francais;
    std::call_once(francais, [] { tidySetLanguage("fr"); });

    Collecte collecte{texte, Positions(texte), {}};
    const TidyDoc document = tidyCreate();
    tidySetAppData(document, &collecte);
    tidySetMessageCallback(document, Recoit);
    tidyOptSetBool(document, TidyShowWarnings, yes);
    tidyOptSetBool(document, TidyQuiet, yes);
    tidyOptSetInt(document, TidyShowErrors, INT_MAX);
    tidySetCharEncoding(document, "utf8");
    // Without a buffer of its own, Tidy writes its report on the standard error.
    TidyBuffer rapport;
    tidyBufInit(&rapport);
    tidySetErrorBuffer(document, &rapport);
    // Tidy counts the lines of a page whose lines end with CR alone, but not their columns: it reads a copy where
    // each such CR is a LF, which leaves every offset where it was.
    std::string copie;
    std::string_view lu = texte;
    for (std::size_t i = texte.find('\r'); i != std::string_view::npos; i = texte.find('\r', i + 1))
        if (i + 1 == texte.size() || texte[i + 1] != '\n') {
            if (copie.empty()) {
                copie = texte;
                lu = copie;
            }
            copie[i] = '\n';
        }
    TidyBuffer entree;
    tidyBufInit(&entree);
    // Tidy reads the page where it is; the buffer is only lent to it.
    tidyBufAttach(&entree, reinterpret_cast<byte *>(const_cast<char *>(lu.data())), static_cast<uint>(lu.size()));
    const int etat = tidyParseBuffer(document, &entree);
    tidyBufDetach(&entree);
    tidyBufFree(&rapport);
    tidyRelease(document);
    if (etat < 0)
        collecte.problemes.push_back(
            {0, 0, Probleme::Sorte::Erreur, "HTML Tidy n'a pas pu lire la page : son balisage n'est pas vérifié."});
    std::stable_sort(collecte.problemes.begin(), collecte.problemes.end(),
                     [](const Probleme &a, const Probleme &b) { return a.debut < b.debut; });
    return std::move(collecte.problemes);
}
