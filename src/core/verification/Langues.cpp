// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/verification/Langues.h"

#include "core/settings/Ouverture.h"

#include <algorithm>
#include <thread>

namespace {

// The personal list is read up to that size; the rest of a larger file is left as it is.
constexpr std::size_t TaillePersonnelMaximale = std::size_t(16) << 20;
// The pieces in which the spelling of a whole page is read, and the most unknown words it lists.
constexpr std::size_t Morceau = 1 << 20;
constexpr std::size_t FautesMaximales = 10000;

std::shared_ptr<Langue> NouvelleLangue(const DictionnaireInstalle &installe, const std::string &personnel,
                                       const std::set<std::string> &ignores)
{
    auto langue = std::make_shared<Langue>();
    langue->installe = installe;
    langue->personnel = personnel;
    langue->ignores = ignores;
    return langue;
}

} // namespace

bool Langue::Pret()
{
    if (!ouvert) {
        const auto lu = LitDebut(personnel, TaillePersonnelMaximale);
        illisible = !lu && lu.Pourquoi() != std::errc::no_such_file_or_directory;
        auto ouvre = illisible ? ::Dictionnaire::Ouvre(installe, {}, {})
                               : ::Dictionnaire::Ouvre(installe, lu ? std::string_view(lu->octets) : "", personnel);
        if (ouvre)
            dictionnaire = std::move(*ouvre);
        ouvert = true;
    }
    return dictionnaire != nullptr;
}

void Langue::OuvreEnFond(const std::shared_ptr<Langue> &langue)
{
    if (langue->ouvert || langue->demande.exchange(true))
        return;
    // Nothing joins the thread: quitting never waits for a dictionary.
    std::thread([langue] {
        const std::lock_guard garde(langue->verrou);
        langue->Pret();
    }).detach();
}

bool Langue::Correct(const std::string &mot)
{
    const std::lock_guard garde(verrou);
    if (!Pret())
        return true;
    const auto [place, nouveau] = connus.try_emplace(mot, false);
    if (nouveau)
        place->second = ignores.contains(mot) || dictionnaire->Correct(mot);
    return place->second;
}

void Langue::Ignore(const std::string &mot)
{
    const std::lock_guard garde(verrou);
    ignores.insert(mot);
    connus[mot] = true;
}

std::shared_ptr<Langues> Langues::Choisit(const DictionnaireInstalle &choisi,
                                          const std::vector<DictionnaireInstalle> &installes,
                                          const std::string &personnel, const std::set<std::string> &ignores)
{
    auto langues = std::make_shared<Langues>();
    langues->choisie = NouvelleLangue(choisi, personnel, ignores);
    langues->installes = installes;
    langues->personnel = personnel;
    langues->ignores = ignores;
    return langues;
}

std::shared_ptr<Langue> Langues::Nomme(const std::string &nom)
{
    if (nom == choisie->installe.nom)
        return choisie;
    const auto installe = std::ranges::find(installes, nom, &DictionnaireInstalle::nom);
    if (installe == installes.end())
        return nullptr;
    const std::lock_guard garde(verrou);
    std::shared_ptr<Langue> &autre = autres[nom];
    if (!autre)
        autre = NouvelleLangue(*installe, personnel, ignores);
    return autre;
}

std::shared_ptr<Langue> Langues::Pour(std::string_view langue, std::string_view langueDePage)
{
    const std::string nom = DictionnairePour(langue, langueDePage, choisie->installe.nom, installes);
    return nom.empty() ? nullptr : Nomme(nom);
}

const std::shared_ptr<Langue> &Langues::DuMot(const Mot &mot, std::string_view langueDePage, Vues &vues)
{
    auto vue = vues.find(mot.langue);
    if (vue == vues.end())
        vue = vues.emplace(mot.langue, Pour(mot.langue, langueDePage)).first;
    return vue->second;
}

void Langues::Ignore(const std::string &mot)
{
    const std::lock_guard garde(verrou);
    ignores.insert(mot);
    choisie->Ignore(mot);
    for (auto &[nom, autre] : autres)
        autre->Ignore(mot);
}

std::string MessageFaute(std::string_view mot)
{
    return "« " + std::string(mot) + " » n'est pas dans le dictionnaire.";
}

std::vector<Probleme> Fautes(std::string_view page, Langues &langues, bool code)
{
    std::vector<Probleme> fautes;
    const std::string langueDePage = LangueDePage(page);
    Langues::Vues vues;
    for (std::size_t debut = 0; debut < page.size(); debut += Morceau) {
        const std::size_t fin = std::min(page.size(), debut + Morceau);
        for (const Mot &mot : MotsVisibles(page, debut, fin, {langueDePage, code})) {
            // A word across the pieces' border, or that touches it, belongs to the piece where it starts.
            if (mot.debut < debut || mot.debut >= fin)
                continue;
            const std::shared_ptr<Langue> &langue = langues.DuMot(mot, langueDePage, vues);
            if (!langue || langue->Correct(mot.texte))
                continue;
            if (fautes.size() == FautesMaximales) {
                fautes.push_back({mot.debut, mot.fin, Probleme::Sorte::NonVerifie,
                                  "Plus de " + std::to_string(FautesMaximales) +
                                      " mots inconnus : les suivants ne sont pas listés."});
                return fautes;
            }
            fautes.push_back({mot.debut, mot.fin, Probleme::Sorte::Orthographe, MessageFaute(mot.texte), false,
                              mot.texte, langue->installe.nom});
        }
    }
    return fautes;
}
