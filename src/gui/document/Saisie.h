// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/document/Completion.h"

#include <QObject>
#include <QTimer>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

class QColor;
class QKeyEvent;
class TEditHTML;

// The aids while typing in a document's text control: the end tags written after the caret and stepped over as
// they are typed, the completion lists, the marks on the tags of the element around the caret.
class TSaisie : public QObject {
    Q_OBJECT

public:
    explicit TSaisie(TEditHTML &edit);

    bool fermeture = true;

    // Takes a key before the text control: true when it was a character of a written end tag, stepped over.
    bool Touche(const QKeyEvent &touche);
    void OuvreCompletion();
    bool AllerABaliseCorrespondante();
    bool SelectionneElement();
    // The colour of the box around the tags of the element at the caret.
    void CouleurElement(const QColor &couleur);

private:
    // The text around a range, as far as the core reads on either side of it: Scintilla moves its gap out of the
    // view and no further, so that a keystroke in the middle of a large page copies no more than that.
    struct Fenetre {
        std::string_view texte;
        std::size_t debut; // the position in the document of the view's first byte
    };
    Fenetre Autour(std::size_t debut, std::size_t fin) const;
    std::size_t Curseur() const;

    // Whether the byte at `position` belongs to an end tag written for the user, and whether one begins there.
    long Ecrite(std::size_t position) const;
    bool DevantEcrite(std::size_t position) const;
    // Marks an end tag written for the user; forgets them all.
    void Marque(std::size_t debut, std::size_t fin);
    void Oublie();
    // Replaces the bytes from `debut` to `fin` as one undo step, with no aid reacting to it, and puts the caret at
    // `curseur`.
    void Ecrit(std::size_t debut, std::size_t fin, std::string_view texte, std::size_t curseur);

    void CaractereAjoute(int caractere);
    void Montre(const ListeCompletion &liste);
    void Choisi(const char *choix, int debut);
    // Before each change of the text.
    void Change(int position, int type, int longueur);
    void CurseurDeplace();
    void MarqueElement();

    TEditHTML &edit;
    // Fires once after a pause of the caret and the text, to mark the element around the caret.
    QTimer pause;
    // Whether some end tag written for the user is still marked, to be stepped over.
    bool ecrites = false;
    // How many characters of the marked end tag have been stepped over, right before the caret.
    std::size_t enjambes = 0;
    // The name and '>' that "</" wrote before the caret, at `finAttendus`, and how many of their characters the user
    // has typed since, which were not written twice.
    std::string attendus;
    std::size_t absorbes = 0;
    std::size_t finAttendus = 0;
    // While the aids themselves change the text.
    bool ecriture = false;
    // The sort of the list last shown.
    SorteListe sorte = SorteListe::Elements;
};
