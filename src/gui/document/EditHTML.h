// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/texte/CodecFichier.h"

#include <Qsci/qsciscintilla.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

class QIODevice;

class QsciLexerHTML;
class QTimer;
class TSaisie;

// The text control of a document window: the document's bytes as UTF-8 in Scintilla, positions in bytes.
class TEditHTML : public QsciScintilla {
    Q_OBJECT

public:
    explicit TEditHTML(QWidget *parent = nullptr);

    // Replaces the whole text by the bytes that the source gives up to its end, as ChargeFichier reads and decodes
    // them, with no undo and the save point set: the file's encoding and line end, or, with nothing loaded, a read
    // error or a text longer than `TailleMaximale` bytes. Running out of memory throws std::bad_alloc, with nothing
    // loaded.
    Resultat<FichierCharge, ErreurChargement> Charge(QIODevice &source);
    // Fills an empty document with generated text, with no undo: the document is modified until it is saved.
    void Remplit(std::string_view texte, FinDeLigne fin);
    // Replaces the whole text, as one undo step, and puts the caret at its start.
    void RemplaceTout(std::string_view texte);
    // The whole text, in UTF-8; valid until the next change.
    std::string_view Texte() const;

    // Whether the text differs from its file: changed since loaded or saved, filled by a command, or said to be
    // modified (its file gone). These hide QScintilla's own, which knows only the undo history's save point: a
    // filled document has no undo step and is still unsaved.
    bool isModified() const { return rempli || QsciScintilla::isModified(); }
    void setModified(bool modifie);

    // The most bytes of text that the editor holds: Scintilla counts positions in 32 bits, and keeps room after
    // the text.
    static constexpr std::size_t TailleMaximale = std::size_t(2000) << 20;

    qsizetype SelStart() const;
    qsizetype SelLength() const;
    void Selectionne(qsizetype debut, qsizetype longueur);
    // Replaces the bytes from `debut` to `fin` by the text, as one undo step.
    void Remplace(qsizetype debut, qsizetype fin, std::string_view texte);
    FinDeLigne FinDeLigneDocument() const;

    // The length in bytes of the longest line, as measured at the last load or fill.
    std::size_t PlusLongueLigne() const { return plusLongueLigne; }
    // Cuts the lines longer than LongueurMaximaleDeLigne where a browser shows no line end, in the document's line
    // end, as one undo step, and shows the text as its new lines call for; false when there is no such place.
    bool CoupeLignesLongues();

    // Whether a '>' that ends a start tag writes its end tag after the caret, and a '/' typed after '<' the end tag
    // of the innermost element open; on at first.
    void FermeBalises(bool oui);
    bool FermeBalises() const;
    // The caret to the other tag of the element around it: from its start tag or its content to its end tag, from
    // its end tag to its start tag; false when there is none within reach.
    bool AllerABaliseCorrespondante();
    // Selects the element around the selection, from its start tag to its end tag: called again, its parent; false
    // when there is none within reach.
    bool SelectionneElement();

    // Whether the page folds: it has a fold margin, as every coloured page does.
    bool Pliable() const { return folding() != NoFoldStyle; }

    // The document's font, given to every style of the colouring and to the line numbers.
    void AppliqueFonte(const QFont &fonte);
    // The colours of a light or of a dark page: the text's styles, the margins, the caret and the selection.
    void AppliqueCouleurs(bool sombre);

    // Counts the changes of the text: a result computed from the text of another generation is out of date.
    std::uint64_t Generation() const { return generation; }
    // The bytes from `debut` to `fin`, copied; the text is not moved in memory to give them.
    std::string Extrait(std::size_t debut, std::size_t fin) const;
    // From the first to the last byte that the view shows.
    std::pair<std::size_t, std::size_t> PlageVisible() const;
    // The byte under a point of the widget, or nothing when no text is there.
    std::optional<std::size_t> PositionSous(const QPoint &point) const;

public slots:
    // Opens the completion list that the caret's place calls for: element names after '<', attributes in a start
    // tag, character references after '&'; none elsewhere, nor on an uncoloured page.
    void OuvreCompletion();

signals:
    void MenuContextuelDemande(const QPoint &position);
    // The text is about to change: any insertion or deletion, typed, pasted, undone or loaded.
    void Modifie();

protected:
    // A character of an end tag written for the user steps over it.
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    // Dropped files are left to the window that opens them; dropped text is inserted.
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    // The fold margin, after the line numbers' and the problems' marks'.
    static constexpr int MargePliage = 2;

    // Gives the editor an empty document with style bytes, or without them for a text of that size that will never
    // be coloured.
    void PrepareDocument(std::size_t taille);
    // Line end, wrapping and colouring as the text and its line end call for.
    void AdapteAffichage(FinDeLigne fin);
    // A fold margin on a coloured page, none on another.
    void AdaptePliage(bool colore);
    // The font and the colours, again after each change of the colouring, which resets the styles.
    void AppliqueStyles();
    // The fold margin's boxes, which each setting of the fold margin draws again in QScintilla's colours.
    void ColorePliage();
    // The caret blinks, except on a line too long to be laid out at each blink.
    void AdapteClignotement();
    // While the user types, only the text in view is coloured: the background colouring of the rest, which works
    // in steps of 20 ms, would hold up the keys. It goes on once the typing pauses.
    void SuspendColorationEnFond();
    // Widens the line-number margin when the number of lines takes another digit, or always.
    void AjusteMarge(bool toujours = false);

    // Appends the text, with no undo of its own.
    void Ajoute(std::string_view texte);
    // Replaces the document by a new, empty one, after Scintilla ran out of memory.
    void DocumentNeuf();
    // Throws std::bad_alloc when Scintilla could not allocate what the last call needed.
    void VerifieMemoire();

    bool rempli = false;
    std::uint64_t generation = 0;
    QsciLexerHTML *lexerHTML;
    QFont fonte;
    bool sombre = false;
    qsizetype chiffresMarge = 0;
    std::size_t plusLongueLigne = 0;
    long periodeCurseur;
    // Whether the page is coloured in the background, and the pause in the typing after which that goes on.
    bool colorationEnFond = false;
    QTimer *repriseColoration;
    TSaisie *saisie;
};
