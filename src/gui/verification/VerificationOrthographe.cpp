// SPDX-License-Identifier: GPL-3.0-or-later
// The controller's spelling: the dictionary in use and its settings, the words ignored and added, and the context
// menu's suggestions.

#include "gui/verification/Verification.h"

#include "gui/commun/Utilisateur.h"
#include "gui/document/WndHTML.h"
#include "gui/settings/CheminsQt.h"
#include "gui/settings/FichierINI.h"
#include "gui/verification/Dictionnaires.h"
#include "gui/verification/Marques.h"

#include <QMenu>

#include <algorithm>
#include <mutex>

namespace {

// The most suggestions that the context menu offers.
constexpr int NombreSuggestions = 8;

} // namespace

QString TVerification::Dictionnaire() const
{
    const QString choisi = parametres.LitDictionnaire();
    for (const DictionnaireInstalle &installe : installes)
        if (QString::fromStdString(installe.nom) == choisi)
            return choisi;
    return QString::fromStdString(DictionnaireParDefaut(installes));
}

void TVerification::PrepareLangue()
{
    langue.reset();
    langues.reset();
    if (!orthographe)
        return;
    const std::string nom = Dictionnaire().toStdString();
    for (const DictionnaireInstalle &installe : installes)
        if (installe.nom == nom) {
            langues = Langues::Choisit(installe, installes, EncodeNom(personnel).toStdString(), ignores);
            langue = langues->choisie;
            // Ready before the first check or right-click needs it.
            Langue::OuvreEnFond(langue);
        }
}

bool TVerification::DictionnaireOuvert() const
{
    return langue && langue->Ouvert();
}

void TVerification::ActiveOrthographe(bool active)
{
    if (active && installes.empty()) {
        utilisateur.Avertissement(nullptr, QStringLiteral("Orthographe"),
                                  QStringLiteral("Aucun dictionnaire Hunspell n'est installé : l'orthographe ne peut "
                                                 "être vérifiée. Installez par exemple le paquet hunspell-fr."));
        active = false;
    }
    orthographe = active;
    if (!parametres.EcritOrthographe(active))
        emit Message(parametres.MessageEcritureImpossible());
    PrepareLangue();
    RevoitVues();
}

void TVerification::ChoisitDictionnaire(const QString &nom)
{
    if (!parametres.EcritDictionnaire(nom))
        emit Message(parametres.MessageEcritureImpossible());
    PrepareLangue();
    RevoitVues();
}

void TVerification::Previent(Langue &langue)
{
    if (!langue.illisible || langue.dit)
        return;
    langue.dit = true;
    utilisateur.Erreur(nullptr, QStringLiteral("Ne peut lire le dictionnaire personnel %1 : ses mots ne sont pas "
                                               "reconnus, et les mots ajoutés ne le sont que jusqu'à la fin de la "
                                               "session.")
                                    .arg(personnel));
}

void TVerification::RemplitMenu(QMenu &menu, TWndHTML *fenetre, const QPoint &global)
{
    if (!langue)
        return;
    TEditHTML *texte = fenetre->EditHTML;
    const std::optional<std::size_t> position = texte->PositionSous(texte->viewport()->mapFromGlobal(global));
    if (!position)
        return;
    const auto faute = FauteA(*texte, *position);
    if (!faute)
        return;
    const auto [debut, fin] = *faute;
    // The word read where it stands, for its language.
    const std::size_t contexte = debut > Recul ? debut - Recul : 0;
    const std::string langueDePage = LangueDePage(texte->Extrait(0, Recul));
    const std::string extrait = texte->Extrait(contexte, fin);
    const std::vector<Mot> mots = MotsVisibles(extrait, debut - contexte, fin - contexte, {langueDePage, code});
    const auto lu = std::ranges::find_if(
        mots, [&](const Mot &mot) { return contexte + mot.debut == debut && contexte + mot.fin == fin; });
    if (lu == mots.end())
        return;
    const std::shared_ptr<Langue> langueDuMot = langues->Pour(lu->langue, langueDePage);
    if (!langueDuMot)
        return;
    const std::string mot = lu->texte;
    // A dictionary still being opened would hold the interface until it is: the menu goes without it.
    if (!langueDuMot->Ouvert()) {
        Langue::OuvreEnFond(langueDuMot);
        return;
    }
    std::vector<std::string> suggestions;
    {
        const std::lock_guard garde(langueDuMot->verrou);
        if (!langueDuMot->Pret())
            return;
        suggestions = langueDuMot->dictionnaire->Suggestions(mot);
    }
    int nombre = 0;
    for (const std::string &suggestion : suggestions) {
        if (nombre++ == NombreSuggestions)
            break;
        QAction *action = menu.addAction(QString::fromStdString(suggestion).replace(u'&', QStringLiteral("&&")));
        connect(action, &QAction::triggered, texte, [texte, debut, fin, suggestion] {
            texte->Remplace(static_cast<qsizetype>(debut), static_cast<qsizetype>(fin), suggestion);
        });
    }
    if (suggestions.empty())
        menu.addAction(QStringLiteral("(aucune suggestion)"))->setEnabled(false);
    menu.addSeparator();
    // Access keys that the editor's commands below ("&Image...", "&Ancre locale...") leave free.
    connect(menu.addAction(QStringLiteral("I&gnorer")), &QAction::triggered, this, [this, mot] { Ignore(mot); });
    connect(menu.addAction(QStringLiteral("Ajouter au &dictionnaire")), &QAction::triggered, this,
            [this, mot, nom = langueDuMot->installe.nom] { AjouteAuDictionnaire(mot, nom); });
}

void TVerification::Ignore(const std::string &mot)
{
    ignores.insert(mot);
    if (!langues)
        return;
    langues->Ignore(mot);
    Oublie();
}

void TVerification::AjouteAuDictionnaire(const std::string &mot, const std::string &dictionnaire)
{
    if (!langues)
        return;
    const std::shared_ptr<Langue> langue = langues->Nomme(dictionnaire);
    if (!langue)
        return;
    bool ecrit = false;
    {
        const std::lock_guard garde(langue->verrou);
        if (langue->Pret()) {
            ecrit = bool(langue->dictionnaire->Ajoute(mot));
            // The dictionary may know other forms of the word now ("BALIZO" once "Balizo" is added).
            langue->connus.clear();
        }
    }
    if (!ecrit)
        utilisateur.Erreur(nullptr, QStringLiteral("« %1 » est connu jusqu'à la fin de la session, mais ne peut être "
                                                   "écrit dans %2.")
                                        .arg(QString::fromStdString(mot), personnel));
    Oublie();
}

std::size_t TVerification::RetireConnus(std::vector<Probleme> &problemes)
{
    if (!langues)
        return 0;
    return std::erase_if(problemes, [this](const Probleme &probleme) {
        if (probleme.sorte != Probleme::Sorte::Orthographe)
            return false;
        const std::shared_ptr<Langue> langue = langues->Nomme(probleme.dictionnaire);
        return langue && langue->Correct(probleme.mot);
    });
}
