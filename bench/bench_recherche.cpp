// SPDX-License-Identifier: GPL-3.0-or-later
// How long a search in the files of a site takes, warm (the files in the page cache), on the Python documentation's
// HTML tree (Debian's python3-doc: some 530 pages, 1,065 files, 67 MB): the core's search on every core and on one,
// balizo-outils chercher as a user runs it, and grep -r in the same run, over the whole tree and over the pages
// only (--include), which are the files that the search looks through. Skipped without the tree.
//
//   ./bench_recherche                               every measure
//   ./bench_recherche --benchmark_filter=casse      some of them
//
// The commands are whole processes, timed in wall-clock time, their output written to a file (grep stops at the
// first match when it writes to /dev/null), both in the C.UTF-8 locale, where grep's -i folds Unicode as the search
// does.

#include "core/site/Recherche.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

const std::string Arbre = "/usr/share/doc/python3-doc/html";

// A search, as the core, balizo-outils and grep take it.
struct Cas {
    const char *nom;
    const char *cherche;
    OptionsMotif options;
    // grep's options for the same search.
    std::vector<std::string> grep;
};

const Cas Recherches[] = {
    {"mot-sans-casse", "function", {}, {"-i"}},
    {"casse", "asyncio", {.casse = true}, {}},
    {"mot-entier", "self", {.casse = true, .motEntier = true}, {"-w"}},
    {"expression", "def \\w+\\(", {.casse = true, .expression = true}, {"-P"}},
    {"rare", "Guido van Rossum", {.casse = true}, {}},
};

bool ArbreLa()
{
    std::error_code erreur;
    return std::filesystem::is_directory(Arbre, erreur);
}

// Runs the command (found on the PATH) with LC_ALL=C.UTF-8, its output into `sortie`; whether it ended with a code
// below 2 (grep and balizo-outils say 1 when nothing is found).
bool Lance(const std::vector<std::string> &arguments, const std::string &sortie)
{
    std::vector<char *> argv;
    for (const std::string &argument : arguments)
        argv.push_back(const_cast<char *>(argument.c_str()));
    argv.push_back(nullptr);
    std::string locale = "LC_ALL=C.UTF-8";
    std::vector<char *> envp;
    for (char **variable = environ; *variable; ++variable)
        if (!std::string_view(*variable).starts_with("LC_ALL="))
            envp.push_back(*variable);
    envp.push_back(locale.data());
    envp.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, sortie.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    pid_t pid = 0;
    const int erreur = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    int statut = 0;
    return erreur == 0 && waitpid(pid, &statut, 0) == pid && WIFEXITED(statut) && WEXITSTATUS(statut) < 2;
}

// The core's search, on `fils` threads (0: every core).
void MesureNoyau(benchmark::State &state, const Cas &cas, unsigned fils)
{
    if (!ArbreLa()) {
        state.SkipWithError(("arbre absent: " + Arbre + " (apt-get install python3-doc)").c_str());
        return;
    }
    DemandeRecherche demande;
    demande.dossier = Arbre;
    demande.cherche = cas.cherche;
    demande.options = cas.options;
    demande.fils = fils;
    std::size_t trouvees = 0;
    const RecoitTrouvaille recoit = [&](const Trouvaille &) { ++trouvees; };
    BilanRecherche bilan;
    for (bool chaud = false;; chaud = true) {
        SuiviRecherche suivi;
        auto resultat = ChercheDansFichiers(demande, recoit, suivi);
        if (!resultat) {
            state.SkipWithError(resultat.Pourquoi().c_str());
            return;
        }
        bilan = std::move(*resultat);
        if (chaud)
            break;
    }
    for (auto _ : state) {
        SuiviRecherche suivi;
        benchmark::DoNotOptimize(ChercheDansFichiers(demande, recoit, suivi));
    }
    state.counters["fichiers"] = double(bilan.fichiers);
    state.counters["occurrences"] = double(bilan.occurrences);
}

// A command over the tree, its output into a temporary file.
void MesureCommande(benchmark::State &state, std::vector<std::string> arguments)
{
    if (!ArbreLa()) {
        state.SkipWithError(("arbre absent: " + Arbre + " (apt-get install python3-doc)").c_str());
        return;
    }
    const std::string sortie =
        (std::filesystem::temp_directory_path() / ("bench_recherche-" + std::to_string(::getpid()))).string();
    // Once to warm the cache, and to see that it runs.
    if (!Lance(arguments, sortie)) {
        state.SkipWithError(("la commande a échoué: " + arguments.front()).c_str());
        return;
    }
    for (auto _ : state)
        Lance(arguments, sortie);
    std::error_code erreur;
    state.counters["octets_sortis"] = double(std::filesystem::file_size(sortie, erreur));
    std::filesystem::remove(sortie, erreur);
}

void Enregistre()
{
    for (const Cas &cas : Recherches) {
        const std::string prefixe = std::string("BM_Recherche/") + cas.nom + "/";
        benchmark::RegisterBenchmark((prefixe + "noyau").c_str(), MesureNoyau, cas, 0u)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
        benchmark::RegisterBenchmark((prefixe + "noyau-un-fil").c_str(), MesureNoyau, cas, 1u)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();

        std::vector<std::string> outils{BALIZO_OUTILS, "chercher"};
        if (cas.options.casse)
            outils.emplace_back("--casse");
        if (cas.options.motEntier)
            outils.emplace_back("--mot-entier");
        if (cas.options.expression)
            outils.emplace_back("--expression");
        outils.insert(outils.end(), {"--", cas.cherche, Arbre});
        benchmark::RegisterBenchmark((prefixe + "balizo-outils").c_str(), MesureCommande, outils)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();

        std::vector<std::string> grep{"grep", "-r", "-n"};
        grep.insert(grep.end(), cas.grep.begin(), cas.grep.end());
        std::vector<std::string> pages = grep;
        pages.insert(pages.end(), {"--include=*.htm", "--include=*.html"});
        for (auto *arguments : {&grep, &pages})
            arguments->insert(arguments->end(), {"--", cas.cherche, Arbre});
        benchmark::RegisterBenchmark((prefixe + "grep-r").c_str(), MesureCommande, grep)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
        benchmark::RegisterBenchmark((prefixe + "grep-r-pages").c_str(), MesureCommande, pages)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    }
}

} // namespace

int main(int argc, char **argv)
{
    Enregistre();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
