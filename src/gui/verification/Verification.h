// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/verification/Orthographe.h"
#include "core/verification/Probleme.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

struct Langue;
struct Langues;
class QMenu;
class QPoint;
class QTimer;
class TFichierINI;
class TPanneauProblemes;
class TWndHTML;
class Utilisateur;

// The checks of the pages: their mark-up, their links and their spelling. Every check works on a copy of the text
// on a thread of its own, which nothing waits for; a result that comes back for a text changed since is dropped, and
// the check redone.
// The spelling of what each page shows is checked as it scrolls and changes; a page checked with "Vérifier la
// page" (or its links) is checked again once the user stops typing, so the list of problems stays true.
class TVerification : public QObject {
    Q_OBJECT

public:
    using ListeFenetres = std::function<QList<TWndHTML *>()>;
    // The personal word list is kept in that folder; the settings give the spelling's state and dictionary.
    TVerification(TPanneauProblemes &panneau, Utilisateur &utilisateur, TFichierINI &parametres,
                  const QString &dossierPersonnel, ListeFenetres fenetres, QObject *parent = nullptr);
    // Never waits for the checks under way, so that quitting is at once: they write nothing, and their results
    // are dropped.
    ~TVerification() override;

    // Follows a new document window.
    void Suit(TWndHTML *fenetre);
    // The mark-up, links and, when it is on, spelling of the whole page.
    void VerifiePage(TWndHTML *fenetre);
    // The links of every open page that has a file.
    void VerifieLiens();
    // The site's folder that the user chose, from which the links that start with "/" lead; without one, the
    // deepest folder that holds every open page.
    void ChoisitSite(const QString &dossier);
    // Selects the next (or previous) problem of the page after (or before) the caret, round to the first (last);
    // false when the page has none.
    bool Suivant(TWndHTML *fenetre, bool precedent);

    bool OrthographeActive() const { return orthographe; }
    // Turns spelling on or off and stores the choice; on without a dictionary tells the user why it stays off.
    void ActiveOrthographe(bool active);
    const std::vector<DictionnaireInstalle> &Dictionnaires() const { return installes; }
    // The dictionary in use: the one stored when it is still installed, else the default one. The words of another
    // language (the lang of the page or of their elements) are checked with that language's dictionary when one is
    // installed, and not at all otherwise.
    QString Dictionnaire() const;
    void ChoisitDictionnaire(const QString &nom);
    // Whether the dictionary in use is open, ready for the checks and the context menu: it is opened in the
    // background as soon as spelling is on or the dictionary changes.
    bool DictionnaireOuvert() const;
    // Whether the text of the elements that show code (code, pre, kbd...) is checked; the choice is stored, and the
    // pages checked are checked again.
    bool CodeVerifie() const { return code; }
    void VerifieCode(bool verifie);

    // Over an unknown word of the page, fills the menu with the dictionary's suggestions, each replacing the word,
    // then "Ignorer" and "Ajouter au dictionnaire"; leaves it empty elsewhere.
    void RemplitMenu(QMenu &menu, TWndHTML *fenetre, const QPoint &global);
    // Every occurrence of the word leaves the list of problems and the texts until the program ends, whatever its
    // language and the dictionaries opened since.
    void Ignore(const std::string &mot);
    // The word goes to the personal list through the dictionary of that name (its language's), and every
    // occurrence that this dictionary checks leaves the list of problems and the texts.
    void AjouteAuDictionnaire(const std::string &mot, const std::string &dictionnaire);

signals:
    // A line for the status bar.
    void Message(const QString &texte);
    // The line `ancien`, told before, has become `nouveau` (empty: is no longer true), for the status bar that still
    // shows it.
    void MessageChange(const QString &ancien, const QString &nouveau);

private:
    struct Page;
    struct Resultat;
    struct Retour;
    Page &Etat(TWndHTML *fenetre);
    // Starts a check of the page's whole text: its mark-up and spelling, its links.
    void Lance(Page &page, bool balisage, bool liens);
    // What the check asked for finds in the page, off the interface thread; `ouvertes` are the pages that its
    // links may lead to, as they stand in their windows.
    static void Controle(Resultat &demande, const std::string &page, const std::string &chemin,
                         const std::string &site, const std::map<std::string, std::string> &ouvertes,
                         Langues *langues, bool code);
    void Termine(TWndHTML *fenetre, const Resultat &resultat);
    // Shows every problem kept for the page in the list and in its text.
    void Affiche(Page &page);
    // What the problems at that byte of the page are, one a line; empty when there is none.
    QString Description(Page &page, std::size_t position) const;
    // Checks the words that the page shows.
    void VerifieVue(Page &page);
    // Tells the user, once for each opening of the dictionary, that the personal list cannot be read.
    void Previent(Langue &langue);
    // The words shown again in every page, after the dictionary or its words changed.
    void RevoitVues();
    // Takes out the spelling problems whose word the dictionary that found it knows now; returns how many.
    std::size_t RetireConnus(std::vector<Probleme> &problemes);
    // Takes the words known now from every page's problems, and shows the words again.
    void Oublie();
    // Opens the chosen dictionary for the checks to come, or none when spelling is off.
    void PrepareLangue();

    TPanneauProblemes &panneau;
    Utilisateur &utilisateur;
    TFichierINI &parametres;
    QString personnel;
    ListeFenetres fenetres;
    // The site's folder chosen, in the system's bytes; empty when none is.
    std::string siteChoisi;
    std::vector<DictionnaireInstalle> installes;
    bool orthographe = false;
    bool code = false;
    std::shared_ptr<Langue> langue;
    // The chosen dictionary's, and those of the other languages.
    std::shared_ptr<Langues> langues;
    std::unordered_map<TWndHTML *, std::unique_ptr<Page>> pages;
    std::shared_ptr<Retour> retour;
    std::set<std::string> ignores;
    // The page whose count of problems the status bar was told last, and that line, kept true as the page changes.
    const TWndHTML *comptee = nullptr;
    QString compte;
};
