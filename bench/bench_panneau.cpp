// SPDX-License-Identifier: GPL-3.0-or-later
// How long the list of problems takes to show many of them: a page of 100,000 problems filled in, a small page
// replaced beside it, the whole list sorted by another column. And how long the results of a search across files
// take to fill their list, 10,000 of them from 500 pages coming in the workers' order. Each measure ends once the
// list is painted, offscreen.
//
//   ./bench_panneau                                  every measure
//   ./bench_panneau --benchmark_filter=Remplace      some of them

#include "gui/site/PanneauRecherche.h"
#include "gui/verification/PanneauProblemes.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTreeView>
#include <QTreeWidget>

#include <chrono>
#include <string>

namespace {

constexpr std::size_t Nombre = 100'000;

// A page of CR LF lines with accents, and a problem on each line, of every kind in turn.
struct Page {
    std::string texte;
    std::vector<Probleme> problemes;
};

Page Genere(std::size_t nombre)
{
    Page page;
    for (std::size_t i = 0; i < nombre; ++i) {
        const std::size_t debut = page.texte.size();
        page.texte += "<p>Réunion de l'été, numéro " + std::to_string(i) + "</p>\r\n";
        page.problemes.push_back({debut + 3, debut + 10, static_cast<Probleme::Sorte>(i % 5),
                                  "« Réunion » : message numéro " + std::to_string(nombre - i)});
    }
    return page;
}

using Horloge = std::chrono::steady_clock;

// Lets the list lay its rows out and paint them.
void Peint(TPanneauProblemes &panneau)
{
    QCoreApplication::processEvents();
    panneau.Liste->viewport()->repaint();
}

void BM_RemplaceGrandePage(benchmark::State &state)
{
    const Page page = Genere(Nombre);
    QObject objet;
    TPanneauProblemes panneau;
    panneau.show();
    for (auto _ : state) {
        panneau.Retire(&objet);
        Peint(panneau);
        std::vector<Probleme> problemes = page.problemes;
        const auto debut = Horloge::now();
        panneau.Remplace(&objet, QStringLiteral("grande.htm"), page.texte, std::move(problemes));
        Peint(panneau);
        state.SetIterationTime(std::chrono::duration<double>(Horloge::now() - debut).count());
    }
}

void BM_RemplacePetitePage(benchmark::State &state)
{
    const Page grande = Genere(Nombre);
    const Page petite = Genere(10);
    QObject objetGrande, objetPetite;
    TPanneauProblemes panneau;
    panneau.show();
    panneau.Remplace(&objetGrande, QStringLiteral("grande.htm"), grande.texte, grande.problemes);
    Peint(panneau);
    for (auto _ : state) {
        std::vector<Probleme> problemes = petite.problemes;
        const auto debut = Horloge::now();
        panneau.Remplace(&objetPetite, QStringLiteral("petite.htm"), petite.texte, std::move(problemes));
        Peint(panneau);
        state.SetIterationTime(std::chrono::duration<double>(Horloge::now() - debut).count());
    }
}

void BM_TriParMessage(benchmark::State &state)
{
    const Page page = Genere(Nombre);
    QObject objet;
    TPanneauProblemes panneau;
    panneau.show();
    panneau.Remplace(&objet, QStringLiteral("grande.htm"), page.texte, page.problemes);
    Peint(panneau);
    for (auto _ : state) {
        panneau.Liste->sortByColumn(0, Qt::AscendingOrder);
        Peint(panneau);
        const auto debut = Horloge::now();
        panneau.Liste->sortByColumn(4, Qt::AscendingOrder);
        Peint(panneau);
        state.SetIterationTime(std::chrono::duration<double>(Horloge::now() - debut).count());
    }
}

// The results as the workers hand them over: by batches of a page's occurrences, the pages in no set order.
void BM_ResultatsRecherche(benchmark::State &state)
{
    std::vector<std::vector<ResultatTrouve>> lots;
    for (std::size_t page = 0; page < 500; ++page) {
        const QString chemin =
            QStringLiteral("/site/library/page%1.html").arg(page * 7919 % 500);
        std::vector<ResultatTrouve> lot;
        for (std::size_t ligne = 1; ligne <= 20; ++ligne)
            lot.push_back({chemin, ligne * 3, 5, 0, 8, QStringLiteral("<p>Réunion de l'été, numéro %1</p>").arg(ligne),
                           3, 7});
        lots.push_back(std::move(lot));
    }
    TPanneauRecherche panneau;
    panneau.show();
    for (auto _ : state) {
        panneau.Commence(QStringLiteral("Réunion"), QStringLiteral("/site"));
        QCoreApplication::processEvents();
        const auto debut = Horloge::now();
        for (const std::vector<ResultatTrouve> &lot : lots)
            panneau.Ajoute(lot);
        QCoreApplication::processEvents();
        panneau.Liste->viewport()->repaint();
        state.SetIterationTime(std::chrono::duration<double>(Horloge::now() - debut).count());
    }
}

} // namespace

BENCHMARK(BM_ResultatsRecherche)->UseManualTime()->Iterations(1)->Repetitions(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RemplaceGrandePage)->UseManualTime()->Iterations(1)->Repetitions(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RemplacePetitePage)->UseManualTime()->Iterations(5)->Repetitions(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TriParMessage)->UseManualTime()->Iterations(1)->Repetitions(3)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
