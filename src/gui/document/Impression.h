// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <Qsci/qsciprinter.h>

class TEditHTML;
class TWndHTML;
class Utilisateur;

// Prints the text from the first line to the last (the whole text without them) as the screen colours it, with its
// line numbers, wrapped at the paper's width; a text on a dark background prints on white, its light colours
// darkened. False when printing failed.
bool ImprimeTexte(TEditHTML &texte, QsciPrinter &imprimante, int premiere = -1, int derniere = -1);

// The printing of the pages: one printer for the whole run, so that the print dialog keeps the user's choices from
// one page to the next.
class TImpression : public QObject {
public:
    TImpression(Utilisateur &utilisateur, QObject *parent);

    // Prints the page after the print dialog, which also writes PDF files; its selection, when the user chooses
    // it. A failure is told.
    void Imprime(TWndHTML &page);
    // Shows the page as it will print, and prints it from there.
    void Apercu(TWndHTML &page);

private:
    // The printer named for the page, so that a PDF file takes the page's name.
    void Prepare(const TWndHTML &page);
    void Imprime(TWndHTML &page, int premiere, int derniere);

    Utilisateur &utilisateur;
    QsciPrinter imprimante{QPrinter::HighResolution};
};
