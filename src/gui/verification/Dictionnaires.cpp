// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/verification/Dictionnaires.h"

#include "gui/settings/Fichiers.h"

#include <QFile>
#include <QLocale>

#include <algorithm>
#include <cerrno>
#include <thread>

namespace {

// The personal list is read up to that size; the rest of a larger file is left as it is.
constexpr qint64 TaillePersonnelMaximale = qint64(16) << 20;
// The pieces in which the spelling of a whole page is read, and the most unknown words it lists.
constexpr std::size_t Morceau = 1 << 20;
constexpr std::size_t FautesMaximales = 10000;

} // namespace

QString NomDeDictionnaire(const QString &dictionnaire)
{
    const QLocale langue(dictionnaire);
    if (langue.language() == QLocale::C)
        return dictionnaire;
    QString texte = dictionnaire + QStringLiteral(" — ") + langue.nativeLanguageName();
    if (dictionnaire.contains(u'_') || dictionnaire.contains(u'-'))
        texte += QStringLiteral(" (%1)").arg(langue.nativeTerritoryName());
    return texte;
}

bool Langue::Pret()
{
    if (!ouvert) {
        QFile fichier;
        QByteArray mots;
        if (OuvreEnLecture(personnel, fichier)) {
            mots = fichier.read(std::min(fichier.size(), TaillePersonnelMaximale));
            illisible = fichier.error() != QFileDevice::NoError;
        } else {
            illisible = errno != ENOENT;
        }
        auto lu = illisible ? ::Dictionnaire::Ouvre(installe, {}, {})
                            : ::Dictionnaire::Ouvre(installe, {mots.constData(), std::size_t(mots.size())},
                                                    QFile::encodeName(personnel).toStdString());
        if (lu)
            dictionnaire = std::move(*lu);
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

std::shared_ptr<Langue> Langues::Nomme(const std::string &nom)
{
    if (nom == choisie->installe.nom)
        return choisie;
    const auto installe = std::ranges::find(installes, nom, &DictionnaireInstalle::nom);
    if (installe == installes.end())
        return nullptr;
    const std::lock_guard garde(verrou);
    std::shared_ptr<Langue> &autre = autres[nom];
    if (!autre) {
        autre = std::make_shared<Langue>();
        autre->installe = *installe;
        autre->personnel = personnel;
        autre->ignores = ignores;
    }
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

QString MessageFaute(const std::string &mot)
{
    return QStringLiteral("« %1 » n'est pas dans le dictionnaire.").arg(QString::fromStdString(mot));
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
                                  QStringLiteral("Plus de %1 mots inconnus : les suivants ne sont pas listés.")
                                      .arg(FautesMaximales)
                                      .toStdString()});
                return fautes;
            }
            fautes.push_back({mot.debut, mot.fin, Probleme::Sorte::Orthographe, MessageFaute(mot.texte).toStdString(),
                              false, mot.texte, langue->installe.nom});
        }
    }
    return fautes;
}
