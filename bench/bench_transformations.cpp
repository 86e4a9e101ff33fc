// SPDX-License-Identifier: GPL-3.0-or-later
// Throughput of the page transformations behind the editor's commands and balizo-outils: tags and tables taken out
// of a large page of lines and of a minified one, accents corrected and restored on French text, a large page
// encoded to Windows-1252 as saving such a page does, the long lines of minified pages cut, the longest line
// measured, the encoding checked and the line end detected as opening a page does, the words that the spelling
// check reads in a whole page and in a view. Then balizo-outils itself, run
// on pages written to a temporary folder, beside sed and perl doing a like job on the same files (rows "Commande").
//
//   ./bench_transformations                                   every measure
//   ./bench_transformations --benchmark_filter=SupprimeTags   some of them
//   ./bench_transformations --ecrire DOSSIER                  writes the generated inputs there instead, to time the
//                                                             command-line tool on them
//   GLIBC_TUNABLES=glibc.malloc.hugetlb=1 ./bench_transformations
//                                                             the results in huge pages, as balizo-outils has them:
//                                                             where page faults are dear (virtual machines), the
//                                                             output's faults can cost more than the scan
//
// The inputs are generated in memory at first use, always the same (fixed seed). The rows of commands time whole
// processes (start, reading the file from the page cache, the work, writing to /dev/null) in wall-clock time, so
// that the tool's threads count as they do for its user; sed and perl run with LC_ALL=C, on bytes as the tool works,
// which is their fastest. Their jobs: every tag within a line taken out ("s/<[^>]*>//g"), and then, for supprimer-tags
// with its default restoration, the entities that the pages hold replaced by their characters from the accent table,
// in the table's order; the table tags replaced by a tab for supprimer-tableaux. They do less than the tool (no tag
// over several lines, no trimming, no blank runs reduced), never more.

#include "core/document/CoupeLignes.h"
#include "core/document/GrandDocument.h"
#include "core/entities/Remplacement.h"
#include "core/entities/TableAccents.h"
#include "core/tagremoval/SuppressionTags.h"
#include "core/texte/Encodage.h"
#include "core/verification/Orthographe.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::size_t Mo = 1024 * 1024;

// The entities that the generated pages hold.
constexpr const char *Entites[] = {"&nbsp;", "&eacute;", "&egrave;", "&agrave;", "&ccedil;", "&amp;",
                                   "&laquo;", "&raquo;", "&euro;", "&copy;", "&ocirc;", "&quot;"};

// Hand-written pages as personal and association sites have them: French text with its accents and a few entities,
// headings, links, images, tables and lists.
class Redacteur {
public:
    explicit Redacteur(unsigned graine) : alea(graine) {}

    // One element of a page body, without line end.
    void Element(std::string &sortie)
    {
        const int tirage = Entre(0, 99);
        if (tirage < 3) {
            sortie += Entre(0, 2) ? "<h2>" : "<h1 align=\"center\">";
            Phrase(sortie, 2, 7, false);
            sortie += "</h2>";
        } else if (tirage < 40) {
            sortie += Entre(0, 4) ? "<p>" : "<p class=\"note\">";
            for (int i = Entre(1, 4); i > 0; --i) {
                Phrase(sortie, 5, 20, true);
                sortie += i > 1 ? " " : "";
            }
            sortie += "</p>";
        } else if (tirage < 50) {
            sortie += "<p>";
            Phrase(sortie, 3, 8, true);
            sortie += " <a href=\"";
            sortie += Un(Sites);
            sortie += "/rubrique" + std::to_string(Entre(1, 60)) + "/page-" + std::to_string(Entre(1, 999)) +
                      ".htm\">";
            Phrase(sortie, 1, 4, false);
            sortie += "</a></p>";
        } else if (tirage < 64) {
            sortie += "<li>";
            Phrase(sortie, 2, 10, true);
            sortie += "</li>";
        } else if (tirage < 67) {
            sortie += Entre(0, 1) ? "<ul type=\"disc\">" : "</ul>";
        } else if (tirage < 84) {
            sortie += "<tr><td>";
            Phrase(sortie, 1, 4, false);
            sortie += "</td><td align=\"right\">" + std::to_string(Entre(1, 500)) + "," +
                      std::to_string(Entre(10, 99)) + "&nbsp;&euro;</td><TD>";
            Phrase(sortie, 1, 5, false);
            sortie += "</TD></tr>";
        } else if (tirage < 87) {
            sortie += Entre(0, 1) ? "<table width=\"90%\" border=\"0\" cellspacing=\"2\">" : "</table>";
        } else if (tirage < 91) {
            sortie += "<img src=\"photos/image" + std::to_string(Entre(1, 300)) + ".jpg\" width=\"" +
                      std::to_string(Entre(80, 640)) + "\" height=\"" + std::to_string(Entre(60, 480)) +
                      "\" alt=\"";
            Phrase(sortie, 1, 4, false);
            sortie += "\">";
        } else if (tirage < 94) {
            sortie += "<!-- ";
            Phrase(sortie, 2, 5, false);
            sortie += " -->";
        } else if (tirage < 97) {
            sortie += "<a name=\"section" + std::to_string(Entre(1, 9999)) + "\"></a>";
        } else {
            sortie += Entre(0, 1) ? "<br>" : "<hr size=\"1\">";
        }
    }

    // A sentence of French words; with mark-up, a few of them in bold or italics, and a few entities.
    void Phrase(std::string &sortie, int minimum, int maximum, bool balises)
    {
        for (int i = 0, nombre = Entre(minimum, maximum); i < nombre; ++i) {
            if (i)
                sortie += ' ';
            const int tirage = Entre(0, 49);
            if (balises && tirage == 0) {
                sortie += Un(Entites);
            } else if (balises && tirage == 1) {
                sortie += "<b>";
                sortie += Un(Mots);
                sortie += "</b>";
            } else if (balises && tirage == 2) {
                sortie += "<i>";
                sortie += Un(Mots);
                sortie += "</i>";
            } else {
                sortie += Un(Mots);
            }
        }
        sortie += Entre(0, 6) ? "." : " !";
    }

private:
    static constexpr const char *Mots[] = {
        "le", "la", "les", "un", "une", "des", "de", "du", "et", "ou", "à", "où", "en", "dans", "sur", "sous",
        "avec", "pour", "par", "sans", "chez", "très", "déjà", "après", "près", "là", "voilà", "été", "était",
        "sera", "avons", "êtes", "nous", "vous", "elles", "ça", "cela", "même", "aussi", "bientôt", "année",
        "journée", "soirée", "réunion", "séance", "assemblée", "générale", "adhérents", "bénévoles", "trésorier",
        "secrétaire", "président", "comité", "fête", "kermesse", "marché", "brocante", "église", "château",
        "forêt", "rivière", "île", "côte", "lac", "montagne", "randonnée", "étape", "départ", "arrivée", "dénivelé",
        "kilomètres", "goûter", "déjeuner", "dîner", "crêpes", "gâteaux", "boissons", "tarif", "réduit", "gratuit",
        "enfants", "élèves", "école", "collège", "lycée", "théâtre", "cinéma", "musée", "bibliothèque", "mairie",
        "salle", "polyvalente", "inscription", "réservée", "prévue", "annulée", "reportée", "complète", "première",
        "dernière", "prochaine", "deuxième", "Noël", "Pâques", "été", "hiver", "printemps", "automne", "Genève",
        "Besançon", "Orléans", "Nîmes", "Béziers", "Ardèche", "Isère", "Lyon", "Grenoble", "Québec", "cœur",
        "sœur", "œuvre", "naïf", "maïs", "aïeul", "garçon", "leçon", "français", "reçu", "façade", "hôtel",
        "hôpital", "fenêtre", "tête", "bâtiment", "coût", "août", "numéro", "téléphone", "répondeur", "courriel",
        "l'accueil", "d'été", "aujourd'hui", "qu'il", "n'est", "s'inscrire", "j'ai", "l'équipe",
    };
    static constexpr const char *Sites[] = {"http://www.mairie-exemple.fr", "https://asso-randonnee.org",
                                            "http://perso.exemple.net/~jeanne", "..", "."};

    int Entre(int a, int b) { return std::uniform_int_distribution<int>(a, b)(alea); }

    template <std::size_t N>
    const char *Un(const char *const (&liste)[N])
    {
        return liste[Entre(0, int(N) - 1)];
    }

    std::mt19937 alea;
};

// A page of at least `taille` bytes, one element per line ended by `fin`, or all on one line when `fin` is empty.
std::string Page(std::size_t taille, std::string_view fin, unsigned graine)
{
    Redacteur redacteur(graine);
    std::string page;
    page.reserve(taille + 4096);
    page.append("<html>").append(fin).append("<head><title>Bulletin de l'association</title></head>").append(fin);
    page.append("<body bgcolor=\"#FFFFF0\">").append(fin);
    while (page.size() < taille) {
        redacteur.Element(page);
        page += fin;
    }
    page.append("</body></html>").append(fin);
    return page;
}

// Plain French text of at least `taille` bytes, without mark-up: paragraphs of a few sentences on CR LF lines.
std::string Texte(std::size_t taille, unsigned graine)
{
    Redacteur redacteur(graine);
    std::string texte;
    texte.reserve(taille + 4096);
    while (texte.size() < taille) {
        redacteur.Phrase(texte, 8, 25, false);
        texte += ' ';
        redacteur.Phrase(texte, 8, 25, false);
        texte += "\r\n";
    }
    return texte;
}

// A page as site generators write it, all on one line: a head of metadata, a style sheet and a script, a menu, then
// cards of nested divs with a heading, a paragraph with a link, a list, now and then an image or a script, and a
// footer.
std::string PageMinifiee(std::size_t taille, unsigned graine)
{
    Redacteur redacteur(graine);
    std::mt19937 alea(graine);
    const auto entre = [&](int a, int b) { return std::uniform_int_distribution<int>(a, b)(alea); };
    const auto nombre = [&](int a, int b) { return std::to_string(entre(a, b)); };
    std::string page;
    page.reserve(taille + 4096);
    page += "<!DOCTYPE html><html lang=\"fr\"><head><meta charset=\"utf-8\"><meta name=\"viewport\" "
            "content=\"width=device-width,initial-scale=1\"><title>Association</title><link rel=\"stylesheet\" "
            "href=\"/css/site.min.css?v=3\"><style>.menu>li{float:left}.carte{margin:1em 0}</style><script>"
            "window.dataLayer=window.dataLayer||[];function gtag(){dataLayer.push(arguments)}if(a<b&&c>d)gtag(\"js\")"
            "</script></head><body class=\"accueil\"><header><nav><ul class=\"menu\">";
    for (int i = 1; i <= 8; ++i)
        page += "<li><a href=\"/rubrique" + std::to_string(i) + "/\">Rubrique " + std::to_string(i) + "</a></li>";
    page += "</ul></nav></header><main id=\"contenu\">";
    while (page.size() < taille) {
        page += "<div class=\"carte\" data-id=\"" + nombre(1, 99999) + "\"><div class=\"titre\"><h2>";
        redacteur.Phrase(page, 2, 6, false);
        page += "</h2></div><div class=\"corps\"><p>";
        redacteur.Phrase(page, 8, 30, true);
        page += " <a href=\"/article/" + nombre(1, 9999) +
                ".html\" title=\"Lire > la suite\">Lire la suite</a></p><ul>";
        for (int i = entre(1, 5); i > 0; --i) {
            page += "<li>";
            redacteur.Phrase(page, 2, 8, true);
            page += "</li>";
        }
        page += "</ul>";
        if (entre(0, 3) == 0)
            page += "<img src=\"/images/photo" + nombre(1, 300) + ".jpg\" alt=\"\" loading=\"lazy\">";
        if (entre(0, 5) == 0)
            page += "<script>document.querySelectorAll(\".carte\").forEach(function(e){if(e.offsetTop<0)"
                    "e.innerHTML=\"<div class='vide'></div>\"})</script>";
        page += "</div></div>";
    }
    page += "</main><footer><p>&copy; Association</p></footer><script src=\"/js/site.min.js\" defer></script>"
            "</body></html>";
    return page;
}

const std::string &GrandePage()
{
    static const std::string page = Page(100 * Mo, "\r\n", 1);
    return page;
}

const std::string &PageUneLigne()
{
    static const std::string page = Page(5 * Mo, "", 2);
    return page;
}

const std::string &Minifiee()
{
    static const std::string page = PageMinifiee(5 * Mo, 5);
    return page;
}

// The large page of lines with lines ended by CR alone.
const std::string &GrandePageCr()
{
    static const std::string page = Page(100 * Mo, "\r", 6);
    return page;
}

// The large page of lines, then a minified one on its last line: every line is read before the long one is cut.
const std::string &GrandePagePuisMinifiee()
{
    static const std::string page = GrandePage() + Minifiee();
    return page;
}

const std::string &TexteFrancais()
{
    static const std::string texte = Texte(10 * Mo, 3);
    return texte;
}

// The accent table of the source tree; empty when it cannot be read.
const std::vector<LigneAccent> &Table()
{
    static const std::vector<LigneAccent> table = [] {
        std::ifstream fichier(BALIZO_TABLE_ACCENTS, std::ios::binary);
        const std::string contenu{std::istreambuf_iterator<char>(fichier), std::istreambuf_iterator<char>()};
        return ChargeTableAccents(contenu);
    }();
    return table;
}

// The French text with its accents corrected: what restoring has to undo.
const std::string &TexteCorrige()
{
    static const std::string texte = Correction(Table()).Applique(TexteFrancais());
    return texte;
}

// --- Measures -------------------------------------------------------------------------------------------------

void MesureTags(benchmark::State &state, const std::string &page)
{
    for (auto _ : state) {
        std::string texte = SupprimeTags(page, RemplacementTag::Rien, "\r\n");
        benchmark::DoNotOptimize(texte.data());
    }
    state.SetBytesProcessed(int64_t(page.size()) * state.iterations());
}

void MesureTableaux(benchmark::State &state, const std::string &page)
{
    for (auto _ : state) {
        std::string texte = SupprimeTableaux(page, "\r\n");
        benchmark::DoNotOptimize(texte.data());
    }
    state.SetBytesProcessed(int64_t(page.size()) * state.iterations());
}

void MesureSerie(benchmark::State &state, const SerieRemplacements &serie, const std::string &texte)
{
    if (Table().empty()) {
        state.SkipWithError("table des accents illisible: " BALIZO_TABLE_ACCENTS);
        return;
    }
    for (auto _ : state) {
        std::string resultat = serie.Applique(texte);
        benchmark::DoNotOptimize(resultat.data());
    }
    state.counters["une passe"] = serie.UnePasse();
    state.SetBytesProcessed(int64_t(texte.size()) * state.iterations());
}

// The editor's threshold; the counter tells the line ends inserted.
void MesureCoupe(benchmark::State &state, const std::string &page)
{
    std::size_t coupures = 0;
    for (auto _ : state) {
        std::optional<std::string> coupee = CoupeLignes(page, "\r\n", LongueurMaximaleDeLigne);
        benchmark::DoNotOptimize(coupee);
        coupures = coupee ? (coupee->size() - page.size()) / 2 : 0;
    }
    state.counters["coupures"] = double(coupures);
    state.SetBytesProcessed(int64_t(page.size()) * state.iterations());
}

void MesureLongueur(benchmark::State &state, const std::string &page)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(LongueurPlusLongueLigne(page));
    state.SetBytesProcessed(int64_t(page.size()) * state.iterations());
}

void MesureUtf8(benchmark::State &state, const std::string &page)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(EstUtf8Valide(page));
    state.SetBytesProcessed(int64_t(page.size()) * state.iterations());
}

void BM_SupprimeTags100Mo(benchmark::State &state)
{
    MesureTags(state, GrandePage());
}

void BM_SupprimeTagsUneLigne5Mo(benchmark::State &state)
{
    MesureTags(state, PageUneLigne());
}

void BM_SupprimeTableaux100Mo(benchmark::State &state)
{
    MesureTableaux(state, GrandePage());
}

void BM_SupprimeTableauxUneLigne5Mo(benchmark::State &state)
{
    MesureTableaux(state, PageUneLigne());
}

void BM_Correction10Mo(benchmark::State &state)
{
    MesureSerie(state, Correction(Table()), TexteFrancais());
}

void BM_Restauration10Mo(benchmark::State &state)
{
    MesureSerie(state, Restauration(Table()), TexteCorrige());
}

void BM_EncodageWindows1252_100Mo(benchmark::State &state)
{
    const std::string &page = GrandePage();
    for (auto _ : state) {
        std::optional<std::string> octets = EncodeWindows1252(page);
        if (!octets) {
            state.SkipWithError("la page tient un caractère hors de Windows-1252");
            return;
        }
        benchmark::DoNotOptimize(octets->data());
    }
    state.SetBytesProcessed(int64_t(page.size()) * state.iterations());
}

void BM_CoupeLignesMinifiee5Mo(benchmark::State &state)
{
    MesureCoupe(state, Minifiee());
}

void BM_CoupeLignesUneLigne5Mo(benchmark::State &state)
{
    MesureCoupe(state, PageUneLigne());
}

// Nothing to cut: the lines are measured, and no further.
void BM_CoupeLignesRien100Mo(benchmark::State &state)
{
    MesureCoupe(state, GrandePage());
}

void BM_CoupeLignes100MoPuisMinifiee(benchmark::State &state)
{
    MesureCoupe(state, GrandePagePuisMinifiee());
}

void BM_PlusLongueLigne100Mo(benchmark::State &state)
{
    MesureLongueur(state, GrandePage());
}

void BM_PlusLongueLigneCr100Mo(benchmark::State &state)
{
    MesureLongueur(state, GrandePageCr());
}

// The French text and a large page, as opening a page checks them.
void BM_Utf8Valide10Mo(benchmark::State &state)
{
    MesureUtf8(state, TexteFrancais());
}

void BM_Utf8Valide100Mo(benchmark::State &state)
{
    MesureUtf8(state, GrandePage());
}

// A page without a line end is read to its end.
void BM_FinDeLigneUneLigne5Mo(benchmark::State &state)
{
    const std::string &page = PageUneLigne();
    for (auto _ : state)
        benchmark::DoNotOptimize(DetecteFinDeLigne(page));
    state.SetBytesProcessed(int64_t(page.size()) * state.iterations());
}

// The words of the whole page read a megabyte at a time, as the check of a page reads them; the counter tells the
// words.
void MesureMots(benchmark::State &state, const std::string &page)
{
    std::size_t mots = 0;
    for (auto _ : state) {
        mots = 0;
        for (std::size_t debut = 0; debut < page.size(); debut += Mo)
            mots += MotsVisibles(page, debut, std::min(page.size(), debut + Mo)).size();
    }
    state.counters["mots"] = double(mots);
    state.SetBytesProcessed(int64_t(page.size()) * state.iterations());
}

void BM_MotsVisiblesUneLigne5Mo(benchmark::State &state)
{
    MesureMots(state, PageUneLigne());
}

void BM_MotsVisiblesMinifiee5Mo(benchmark::State &state)
{
    MesureMots(state, Minifiee());
}

// The words of 4 KB in the middle of the minified page, as the check of a view reads them: what stands before them is
// read too, to know where they are.
void BM_MotsVisiblesVue(benchmark::State &state)
{
    const std::string &page = Minifiee();
    const std::size_t debut = page.size() / 2;
    for (auto _ : state)
        benchmark::DoNotOptimize(MotsVisibles(page, debut, debut + 4096));
}

bool EcritFichier(const std::string &chemin, const std::string &octets)
{
    std::FILE *fichier = std::fopen(chemin.c_str(), "wb");
    const bool ecrit = fichier && std::fwrite(octets.data(), 1, octets.size(), fichier) == octets.size();
    return fichier && std::fclose(fichier) == 0 && ecrit;
}

// --- Commands -------------------------------------------------------------------------------------------------

// The pages that the commands read, written to a temporary folder at first use and removed at exit; empty names
// when they could not be written.
struct Fichiers {
    std::string dossier, grande, uneLigne;

    Fichiers()
    {
        std::string modele = (std::filesystem::temp_directory_path() / "bench-balizo-XXXXXX").string();
        if (!mkdtemp(modele.data()))
            return;
        dossier = modele;
        if (EcritFichier(dossier + "/page-100mo.htm", GrandePage()) &&
            EcritFichier(dossier + "/une-ligne-5mo.htm", PageUneLigne())) {
            grande = dossier + "/page-100mo.htm";
            uneLigne = dossier + "/une-ligne-5mo.htm";
        }
    }
    ~Fichiers()
    {
        if (!dossier.empty())
            std::filesystem::remove_all(dossier);
    }
};

const Fichiers &Pages()
{
    static const Fichiers fichiers;
    return fichiers;
}

enum class Travail { SupprimerTags, SupprimerTagsSansRestauration, SupprimerTableaux };
enum class Programme { Outils, Sed, Perl };

// The text with the bytes that a replacement of sed or perl gives a meaning to escaped.
std::string Echappe(std::string_view texte, std::string_view speciaux)
{
    std::string sortie;
    for (const char c : texte) {
        if (speciaux.find(c) != std::string_view::npos)
            sortie += '\\';
        sortie += c;
    }
    return sortie;
}

// The command line of the program doing the job on the page.
std::vector<std::string> LigneDeCommande(Programme programme, Travail travail, const std::string &page)
{
    // The pages' entities with their characters, in the table's order.
    std::vector<std::pair<std::string, std::string>> entites;
    if (travail == Travail::SupprimerTags) {
        for (const LigneAccent &ligne : Table())
            for (const char *entite : Entites)
                if (ligne.entite == entite && !ligne.caractere.empty())
                    entites.emplace_back(ligne.entite, ligne.caractere);
    }
    std::vector<std::string> arguments;
    switch (programme) {
    case Programme::Outils:
        arguments = {BALIZO_OUTILS};
        if (travail == Travail::SupprimerTableaux)
            arguments.emplace_back("supprimer-tableaux");
        else if (travail == Travail::SupprimerTags)
            arguments.insert(arguments.end(), {"supprimer-tags", "--accents=" BALIZO_TABLE_ACCENTS});
        else
            arguments.insert(arguments.end(), {"supprimer-tags", "--sans-restauration"});
        break;
    case Programme::Sed:
        if (travail == Travail::SupprimerTableaux) {
            arguments = {"sed", "-E", "-e", "s/<\\/?(table|t[dhr])[^>]*>/\\t/gI"};
        } else {
            arguments = {"sed", "-e", "s/<[^>]*>//g"};
            for (const auto &[entite, caractere] : entites)
                arguments.insert(arguments.end(), {"-e", "s/" + entite + "/" + Echappe(caractere, "\\&/") + "/g"});
        }
        break;
    case Programme::Perl: {
        std::string script = travail == Travail::SupprimerTableaux ? "s/<\\/?(?:table|t[dhr])[^>]*>/\\t/gi"
                                                                   : "s/<[^>]*>//g";
        for (const auto &[entite, caractere] : entites)
            script += "; s/" + entite + "/" + Echappe(caractere, "\\$@/") + "/g";
        arguments = {"perl", "-pe", script};
        break;
    }
    }
    arguments.push_back(page);
    return arguments;
}

// Runs the command (found on the PATH) with LC_ALL=C, standard input and output on /dev/null; whether it ended with
// code 0.
bool Lance(const std::vector<std::string> &arguments)
{
    std::vector<char *> argv;
    for (const std::string &argument : arguments)
        argv.push_back(const_cast<char *>(argument.c_str()));
    argv.push_back(nullptr);
    std::string localeC = "LC_ALL=C";
    std::vector<char *> envp;
    for (char **variable = environ; *variable; ++variable)
        if (!std::string_view(*variable).starts_with("LC_ALL="))
            envp.push_back(*variable);
    envp.push_back(localeC.data());
    envp.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int erreur = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    int statut = 0;
    return erreur == 0 && waitpid(pid, &statut, 0) == pid && WIFEXITED(statut) && WEXITSTATUS(statut) == 0;
}

void MesureCommande(benchmark::State &state, Programme programme, Travail travail, bool grande)
{
    const std::string &page = grande ? Pages().grande : Pages().uneLigne;
    if (page.empty() || (travail == Travail::SupprimerTags && Table().empty())) {
        state.SkipWithError("pages ou table des accents illisibles");
        return;
    }
    const std::vector<std::string> arguments = LigneDeCommande(programme, travail, page);
    for (auto _ : state) {
        if (!Lance(arguments)) {
            state.SkipWithError(("la commande a échoué: " + arguments.front()).c_str());
            return;
        }
    }
    state.SetBytesProcessed(int64_t(std::filesystem::file_size(page)) * state.iterations());
}

// Every program on every job, on both pages.
void EnregistreCommandes()
{
    const std::pair<Programme, const char *> programmes[] = {
        {Programme::Outils, "balizo-outils"}, {Programme::Sed, "sed"}, {Programme::Perl, "perl"}};
    const std::pair<Travail, const char *> travaux[] = {
        {Travail::SupprimerTags, "supprimer-tags"},
        {Travail::SupprimerTagsSansRestauration, "supprimer-tags-sans-restauration"},
        {Travail::SupprimerTableaux, "supprimer-tableaux"}};
    for (const bool grande : {true, false})
        for (const auto &[travail, nomTravail] : travaux)
            for (const auto &[programme, nomProgramme] : programmes) {
                const std::string nom =
                    std::string("BM_Commande/") + nomTravail + (grande ? "/100Mo/" : "/UneLigne5Mo/") + nomProgramme;
                benchmark::RegisterBenchmark(nom.c_str(), MesureCommande, programme, travail, grande)
                    ->Unit(benchmark::kMillisecond)
                    ->UseRealTime();
            }
}

} // namespace

BENCHMARK(BM_SupprimeTags100Mo)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SupprimeTagsUneLigne5Mo)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SupprimeTableaux100Mo)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SupprimeTableauxUneLigne5Mo)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Correction10Mo)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Restauration10Mo)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EncodageWindows1252_100Mo)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CoupeLignesMinifiee5Mo)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CoupeLignesUneLigne5Mo)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CoupeLignesRien100Mo)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CoupeLignes100MoPuisMinifiee)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlusLongueLigne100Mo)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlusLongueLigneCr100Mo)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Utf8Valide10Mo)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Utf8Valide100Mo)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FinDeLigneUneLigne5Mo)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MotsVisiblesUneLigne5Mo)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MotsVisiblesMinifiee5Mo)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MotsVisiblesVue)->Unit(benchmark::kMicrosecond);

int main(int argc, char **argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--ecrire") == 0) {
        const std::string dossier = argv[2];
        const bool ecrit = EcritFichier(dossier + "/page-100mo.htm", GrandePage()) &&
                           EcritFichier(dossier + "/page-10mo.htm", Page(10 * Mo, "\r\n", 4)) &&
                           EcritFichier(dossier + "/une-ligne-5mo.htm", PageUneLigne()) &&
                           EcritFichier(dossier + "/minifiee-5mo.htm", Minifiee()) &&
                           EcritFichier(dossier + "/texte-10mo.txt", TexteFrancais()) &&
                           EcritFichier(dossier + "/texte-corrige-10mo.txt", TexteCorrige());
        if (!ecrit)
            std::fprintf(stderr, "Ne peut écrire les fichiers dans %s\n", dossier.c_str());
        return ecrit ? 0 : 1;
    }
    EnregistreCommandes();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
