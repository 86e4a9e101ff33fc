#pragma once

#include "document/Encodage.h"

#include <Qsci/qsciscintilla.h>

#include <string_view>

class QsciLexerHTML;

// The text control of a document window: the document's bytes as UTF-8 in Scintilla, positions in bytes.
class TEditHTML : public QsciScintilla {
    Q_OBJECT

public:
    explicit TEditHTML(QWidget *parent = nullptr);

    // Replaces the whole text by a file's bytes, decoded by their encoding, with no undo and the save point set;
    // returns that encoding.
    Encodage Charge(std::string_view octets);
    // Fills an empty document with generated text, as one undo step: the document is then modified.
    void Remplit(std::string_view texte, FinDeLigne fin);
    // Replaces the whole text, as one undo step, and puts the caret at its start.
    void RemplaceTout(std::string_view texte);
    // The whole text, in UTF-8; valid until the next change.
    std::string_view Texte() const;

    qsizetype SelStart() const;
    qsizetype SelLength() const;
    void Selectionne(qsizetype debut, qsizetype longueur);
    // Replaces the bytes from `debut` to `fin` by the text, as one undo step.
    void Remplace(qsizetype debut, qsizetype fin, std::string_view texte);
    FinDeLigne FinDeLigneDocument() const;

    // An occurrence of a searched text: its first byte and the byte after it, or -1 and -1 when there is none.
    struct Occurrence {
        qsizetype debut = -1;
        qsizetype fin = -1;
    };
    // The first occurrence of the UTF-8 text between `debut` and the end of the text, forwards. Without `casse`,
    // capitals and small letters match across all of Unicode ("été" finds "ÉTÉ"); with `motEntier`, word
    // boundaries are Scintilla's (accented letters are letters of a word). The length found may differ from the
    // text's when letters of another byte length match without regard to case.
    Occurrence Cherche(std::string_view texte, qsizetype debut, bool casse, bool motEntier) const;

    // The document's font, given to every style of the colouring and to the line numbers.
    void AppliqueFonte(const QFont &fonte);

signals:
    void MenuContextuelDemande(const QPoint &position);

protected:
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    // Line end, wrapping and colouring as the text and its line end call for.
    void AdapteAffichage(FinDeLigne fin);
    // `Cherche` without regard to case for a text beyond ASCII: Scintilla folds only ASCII letters, and "été"
    // must find "ÉTÉ". Whole words follow Scintilla's rule all the same.
    Occurrence ChercheSansCasse(std::string_view texte, qsizetype debut, bool motEntier) const;
    // Widens the line-number margin when the number of lines takes another digit, or always.
    void AjusteMarge(bool toujours = false);

    QsciLexerHTML *lexerHTML;
    QFont fonte;
    qsizetype chiffresMarge = 0;
};
