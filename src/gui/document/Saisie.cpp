// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/document/Saisie.h"

#include "core/document/Ecriture.h"
#include "gui/document/EditHTML.h"

#include <QKeyEvent>

#include <algorithm>
#include <string>

namespace {

// The end tags written for the user, unseen, so that their place follows the edits around them.
constexpr unsigned long IndicateurEcrites = QsciScintillaBase::INDIC_CONTAINER + 12;
// The tags of the element around the caret.
constexpr unsigned long IndicateurElement = QsciScintillaBase::INDIC_CONTAINER + 13;

// Long enough for a typist's run of keys to go by before the element around the caret is looked for.
constexpr int PauseElement = 300;

// The list's entries are one a line; a reference's characters never hold a line end there.
constexpr char SeparateurListe = '\n';

} // namespace

TSaisie::TSaisie(TEditHTML &edit)
    : QObject(&edit)
    , edit(edit)
{
    edit.SendScintilla(QsciScintillaBase::SCI_INDICSETSTYLE, IndicateurEcrites,
                       static_cast<long>(QsciScintillaBase::INDIC_HIDDEN));
    edit.SendScintilla(QsciScintillaBase::SCI_INDICSETSTYLE, IndicateurElement,
                       static_cast<long>(QsciScintillaBase::INDIC_STRAIGHTBOX));
    edit.SendScintilla(QsciScintillaBase::SCI_INDICSETALPHA, IndicateurElement, 40L);
    edit.SendScintilla(QsciScintillaBase::SCI_INDICSETOUTLINEALPHA, IndicateurElement, 160L);
    // Only Return and Tab take an entry: no character fills one in, a single entry is not taken alone, and a list
    // that no longer has the word typed closes.
    edit.SendScintilla(QsciScintillaBase::SCI_AUTOCSETFILLUPS, 0UL, "");
    edit.SendScintilla(QsciScintillaBase::SCI_AUTOCSTOPS, 0UL, "");
    edit.SendScintilla(QsciScintillaBase::SCI_AUTOCSETCHOOSESINGLE, 0UL);
    edit.SendScintilla(QsciScintillaBase::SCI_AUTOCSETAUTOHIDE, 1UL);
    edit.SendScintilla(QsciScintillaBase::SCI_AUTOCSETDROPRESTOFWORD, 0UL);
    edit.SendScintilla(QsciScintillaBase::SCI_AUTOCSETSEPARATOR, static_cast<unsigned long>(SeparateurListe));
    // Scintilla would read what follows a '?' in an entry as the number of a picture: "quest ?" is an entry.
    edit.SendScintilla(QsciScintillaBase::SCI_AUTOCSETTYPESEPARATOR, static_cast<unsigned long>('\x1e'));
    edit.SendScintilla(QsciScintillaBase::SCI_AUTOCSETORDER,
                       static_cast<unsigned long>(QsciScintillaBase::SC_ORDER_PERFORMSORT));
    edit.SendScintilla(QsciScintillaBase::SCI_AUTOCSETMAXHEIGHT, 12UL);

    pause.setSingleShot(true);
    pause.setInterval(PauseElement);
    connect(&pause, &QTimer::timeout, this, &TSaisie::MarqueElement);
    connect(&edit, &QsciScintillaBase::SCN_CHARADDED, this, &TSaisie::CaractereAjoute);
    connect(&edit, qOverload<const char *, int, int, int>(&QsciScintillaBase::SCN_AUTOCSELECTION), this,
            [this](const char *choix, int debut, int, int) { Choisi(choix, debut); });
    connect(&edit, &QsciScintillaBase::SCN_MODIFIED, this,
            [this](int position, int sorte, const char *, int longueur) { Change(position, sorte, longueur); });
    connect(&edit, &QsciScintillaBase::SCN_UPDATEUI, this, [this](int miseAJour) {
        if (miseAJour & QsciScintillaBase::SC_UPDATE_SELECTION)
            CurseurDeplace();
    });
}

std::size_t TSaisie::Curseur() const
{
    return static_cast<std::size_t>(edit.SendScintilla(QsciScintillaBase::SCI_GETCURRENTPOS));
}

TSaisie::Fenetre TSaisie::Autour(std::size_t debut, std::size_t fin) const
{
    // A byte more than the core reads on either side, so that it sees where its reading was cut.
    constexpr std::size_t Marge = PorteeEcriture + 1;
    const auto longueur = static_cast<std::size_t>(edit.SendScintilla(QsciScintillaBase::SCI_GETLENGTH));
    debut = debut > Marge ? debut - Marge : 0;
    fin = std::min(longueur, fin + Marge);
    // Scintilla moves its gap out of the range that it gives, and no further.
    const auto *octets = reinterpret_cast<const char *>(edit.SendScintilla(
        QsciScintillaBase::SCI_GETRANGEPOINTER, static_cast<unsigned long>(debut), static_cast<long>(fin - debut)));
    return {octets ? std::string_view(octets, fin - debut) : std::string_view(), debut};
}

long TSaisie::Ecrite(std::size_t position) const
{
    return edit.SendScintilla(QsciScintillaBase::SCI_INDICATORVALUEAT, IndicateurEcrites,
                              static_cast<long>(position));
}

bool TSaisie::DevantEcrite(std::size_t position) const
{
    return Ecrite(position) && (position == 0 || !Ecrite(position - 1));
}

void TSaisie::Marque(std::size_t debut, std::size_t fin)
{
    edit.SendScintilla(QsciScintillaBase::SCI_SETINDICATORCURRENT, IndicateurEcrites);
    edit.SendScintilla(QsciScintillaBase::SCI_INDICATORFILLRANGE, static_cast<unsigned long>(debut),
                       static_cast<long>(fin - debut));
    ecrites = true;
    enjambes = 0;
}

void TSaisie::Oublie()
{
    edit.SendScintilla(QsciScintillaBase::SCI_SETINDICATORCURRENT, IndicateurEcrites);
    edit.SendScintilla(QsciScintillaBase::SCI_INDICATORCLEARRANGE, 0UL,
                       edit.SendScintilla(QsciScintillaBase::SCI_GETLENGTH));
    ecrites = false;
    enjambes = 0;
}

void TSaisie::Ecrit(std::size_t debut, std::size_t fin, std::string_view texte, std::size_t curseur)
{
    ecriture = true;
    edit.Remplace(static_cast<qsizetype>(debut), static_cast<qsizetype>(fin), texte);
    ecriture = false;
    edit.SendScintilla(QsciScintillaBase::SCI_SETEMPTYSELECTION, static_cast<unsigned long>(curseur));
    edit.SendScintilla(QsciScintillaBase::SCI_SCROLLCARET);
}

bool TSaisie::Touche(const QKeyEvent &touche)
{
    if ((touche.modifiers() & Qt::ControlModifier) || !edit.SendScintilla(QsciScintillaBase::SCI_GETSELECTIONEMPTY))
        return false;
    const QString texte = touche.text();
    char caractere;
    if (touche.key() == Qt::Key_Return || touche.key() == Qt::Key_Enter || touche.key() == Qt::Key_Tab) {
        // They take the entry of an open list; otherwise they write a blank that no tag holds.
        if (edit.SendScintilla(QsciScintillaBase::SCI_AUTOCACTIVE))
            return false;
        caractere = '\n';
    } else if (texte.size() == 1 && texte[0].unicode() >= 0x20 && texte[0].unicode() < 0x7f) {
        caractere = static_cast<char>(texte[0].unicode());
    } else {
        return false;
    }
    const std::size_t curseur = Curseur();
    if (!attendus.empty() && curseur == finAttendus) {
        // Right after the name that "</" wrote, the same name typed is taken as typed already; any other character
        // gives back the keys that were taken so, in front of it.
        if (caractere == attendus[absorbes]) {
            if (++absorbes == attendus.size())
                attendus.clear();
            return true;
        }
        const std::string tapes = attendus.substr(0, absorbes);
        attendus.clear();
        if (!tapes.empty())
            Ecrit(curseur, curseur, tapes, curseur + tapes.size());
        return Touche(touche);
    }
    if (ecrites && DevantEcrite(curseur)) {
        if (edit.SendScintilla(QsciScintillaBase::SCI_GETCHARAT, static_cast<unsigned long>(curseur)) == caractere) {
            edit.SendScintilla(QsciScintillaBase::SCI_AUTOCCANCEL);
            edit.SendScintilla(QsciScintillaBase::SCI_SETINDICATORCURRENT, IndicateurEcrites);
            edit.SendScintilla(QsciScintillaBase::SCI_INDICATORCLEARRANGE, static_cast<unsigned long>(curseur), 1L);
            edit.SendScintilla(QsciScintillaBase::SCI_SETEMPTYSELECTION, static_cast<unsigned long>(curseur + 1));
            edit.SendScintilla(QsciScintillaBase::SCI_SCROLLCARET);
            // Past a whole end tag, the next one written begins.
            enjambes = caractere == '>' ? 0 : enjambes + 1;
            return true;
        }
        if (enjambes > 0) {
            // The character leaves the end tag, which the user did not mean to type: what was stepped over of it
            // goes back in front of the rest, and the character is typed before it.
            const std::string debutFin = edit.Extrait(curseur - enjambes, curseur);
            Ecrit(curseur, curseur, debutFin, curseur);
            Marque(curseur, curseur + debutFin.size());
        }
    }
    // Scintilla makes one undo step of a run of typed characters: the '>' that ends a start tag is a step of its own,
    // so that the end tag written after it goes first, and the '>' next.
    if (fermeture && caractere == '>') {
        edit.SendScintilla(QsciScintillaBase::SCI_BEGINUNDOACTION);
        edit.SendScintilla(QsciScintillaBase::SCI_ENDUNDOACTION);
    }
    return false;
}

void TSaisie::CaractereAjoute(int caractere)
{
    if (edit.SendScintilla(QsciScintillaBase::SCI_GETSELECTIONS) != 1 ||
        !edit.SendScintilla(QsciScintillaBase::SCI_GETSELECTIONEMPTY))
        return;
    const std::size_t curseur = Curseur();
    if (fermeture && caractere == '>') {
        const Fenetre fenetre = Autour(curseur, curseur);
        const std::string fin = FermetureApresChevron(fenetre.texte, curseur - 1 - fenetre.debut);
        if (!fin.empty()) {
            Ecrit(curseur, curseur, fin, curseur);
            Marque(curseur, curseur + fin.size());
        }
    } else if (fermeture && caractere == '/' && curseur >= 2 &&
               edit.SendScintilla(QsciScintillaBase::SCI_GETCHARAT, static_cast<unsigned long>(curseur - 2)) == '<') {
        const Fenetre fenetre = Autour(curseur, curseur);
        const std::string fin = FermetureApresBarre(fenetre.texte, curseur - 1 - fenetre.debut);
        if (!fin.empty()) {
            Ecrit(curseur, curseur, fin, curseur + fin.size());
            attendus = fin;
            absorbes = 0;
            finAttendus = curseur + fin.size();
        }
    } else if (((caractere >= 'a' && caractere <= 'z') || (caractere >= 'A' && caractere <= 'Z')) && edit.lexer() &&
               !edit.SendScintilla(QsciScintillaBase::SCI_AUTOCACTIVE)) {
        const Fenetre fenetre = Autour(curseur, curseur);
        if (std::optional<ListeCompletion> liste = CompletionEn(fenetre.texte, curseur - fenetre.debut, false)) {
            liste->debut += fenetre.debut;
            Montre(*liste);
        }
    }
}

void TSaisie::OuvreCompletion()
{
    if (!edit.lexer() || !edit.SendScintilla(QsciScintillaBase::SCI_GETSELECTIONEMPTY))
        return;
    const std::size_t curseur = Curseur();
    const Fenetre fenetre = Autour(curseur, curseur);
    if (std::optional<ListeCompletion> liste = CompletionEn(fenetre.texte, curseur - fenetre.debut, true)) {
        liste->debut += fenetre.debut;
        Montre(*liste);
    }
}

void TSaisie::Montre(const ListeCompletion &liste)
{
    std::string entrees;
    for (const std::string &choix : liste.choix) {
        if (!entrees.empty())
            entrees += SeparateurListe;
        entrees += choix;
    }
    // Element and attribute names are written in any case; references are not.
    edit.SendScintilla(QsciScintillaBase::SCI_AUTOCSETIGNORECASE,
                       static_cast<unsigned long>(liste.sorte != SorteListe::References));
    sorte = liste.sorte;
    edit.SendScintilla(QsciScintillaBase::SCI_AUTOCSHOW, static_cast<unsigned long>(Curseur() - liste.debut),
                       entrees.c_str());
}

void TSaisie::Choisi(const char *choix, int debut)
{
    // Scintilla would write the entry as shown; the list's own text is written instead.
    edit.SendScintilla(QsciScintillaBase::SCI_AUTOCCANCEL);
    const Choix ecrit = ChoixEcrit(sorte, choix);
    const auto position = static_cast<std::size_t>(debut);
    Ecrit(position, Curseur(), ecrit.texte, position + ecrit.curseur);
    // What comes after the caret (an attribute's closing quote) is stepped over as an end tag is.
    if (ecrit.curseur < ecrit.texte.size())
        Marque(position + ecrit.curseur, position + ecrit.texte.size());
}

void TSaisie::Change(int position, int type, int longueur)
{
    pause.start();
    if (ecriture)
        return;
    attendus.clear();
    if (!ecrites)
        return;
    const auto debut = static_cast<std::size_t>(position);
    const auto fin = debut + static_cast<std::size_t>(longueur);
    bool dedans;
    if (type & QsciScintillaBase::SC_MOD_BEFOREINSERT) {
        // Typed right before a written end tag, the text is not part of it.
        dedans = debut > 0 && Ecrite(debut) && Ecrite(debut - 1);
    } else {
        const auto suite = static_cast<std::size_t>(
            edit.SendScintilla(QsciScintillaBase::SCI_INDICATOREND, IndicateurEcrites, static_cast<long>(debut)));
        const std::size_t curseur = Curseur();
        dedans = Ecrite(debut) || suite < fin || (enjambes > 0 && debut < curseur && fin > curseur - enjambes);
    }
    // A written end tag changed by the user is theirs.
    if (dedans)
        Oublie();
}

void TSaisie::CurseurDeplace()
{
    pause.start();
    const std::size_t curseur = Curseur();
    if (curseur != finAttendus)
        attendus.clear();
    // A caret that leaves the front of a written end tag leaves it to the user.
    if (ecrites && !DevantEcrite(curseur))
        Oublie();
}

void TSaisie::MarqueElement()
{
    const long longueur = edit.SendScintilla(QsciScintillaBase::SCI_GETLENGTH);
    edit.SendScintilla(QsciScintillaBase::SCI_SETINDICATORCURRENT, IndicateurElement);
    edit.SendScintilla(QsciScintillaBase::SCI_INDICATORCLEARRANGE, 0UL, longueur);
    const std::size_t curseur = Curseur();
    const Fenetre fenetre = Autour(curseur, curseur);
    const std::optional<Paire> paire =
        ElementAutour(fenetre.texte, curseur - fenetre.debut, curseur - fenetre.debut);
    if (!paire)
        return;
    for (const auto &[debut, fin] : {std::pair(paire->debutOuvrante, paire->finOuvrante),
                                    std::pair(paire->debutFermante, paire->finFermante)}) {
        if (fin > debut)
            edit.SendScintilla(QsciScintillaBase::SCI_INDICATORFILLRANGE,
                               static_cast<unsigned long>(fenetre.debut + debut), static_cast<long>(fin - debut));
    }
}

bool TSaisie::AllerABaliseCorrespondante()
{
    const std::size_t curseur = Curseur();
    const Fenetre fenetre = Autour(curseur, curseur);
    const std::size_t position = curseur - fenetre.debut;
    const std::optional<Paire> paire = ElementAutour(fenetre.texte, position, position);
    if (!paire)
        return false;
    const bool fermante = paire->finFermante > paire->debutFermante;
    const std::size_t but = fermante && position < paire->debutFermante ? paire->debutFermante : paire->debutOuvrante;
    if (but == position)
        return false;
    edit.SendScintilla(QsciScintillaBase::SCI_GOTOPOS, static_cast<unsigned long>(fenetre.debut + but));
    return true;
}

void TSaisie::CouleurElement(const QColor &couleur)
{
    edit.SendScintilla(QsciScintillaBase::SCI_INDICSETFORE, IndicateurElement, couleur);
}

bool TSaisie::SelectionneElement()
{
    const auto debut = static_cast<std::size_t>(edit.SelStart());
    const std::size_t fin = debut + static_cast<std::size_t>(edit.SelLength());
    const Fenetre fenetre = Autour(debut, fin);
    const std::optional<Paire> paire = ElementAutour(fenetre.texte, debut - fenetre.debut, fin - fenetre.debut);
    if (!paire)
        return false;
    edit.SendScintilla(QsciScintillaBase::SCI_SETSEL, static_cast<unsigned long>(fenetre.debut + paire->debutOuvrante),
                       static_cast<long>(fenetre.debut + paire->finFermante));
    return true;
}
