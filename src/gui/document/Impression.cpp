// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/document/Impression.h"

#include "gui/commun/Utilisateur.h"
#include "gui/document/EditHTML.h"
#include "gui/document/WndHTML.h"
#include "gui/settings/CheminsQt.h"

#include <QColor>
#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>

#include <utility>
#include <vector>

namespace {

// Scintilla's colours are 0xBBGGRR.
QColor Couleur(long bgr)
{
    return QColor(int(bgr & 0xff), int((bgr >> 8) & 0xff), int((bgr >> 16) & 0xff));
}

long Bgr(const QColor &couleur)
{
    return long(couleur.red()) | long(couleur.green()) << 8 | long(couleur.blue()) << 16;
}

} // namespace

bool ImprimeTexte(TEditHTML &texte, QsciPrinter &imprimante, int premiere, int derniere)
{
    // The colours of a dark background are light, made to be read there: on white paper each takes the lightness
    // it lacks, keeping its hue, and the backgrounds are left out. The screen gets its colours back afterwards.
    const bool sombre = Couleur(texte.SendScintilla(QsciScintillaBase::SCI_STYLEGETBACK, 0UL)).lightness() < 128;
    std::vector<std::pair<unsigned long, long>> ecran;
    if (sombre) {
        for (unsigned long style = 0; style <= QsciScintillaBase::STYLE_MAX; ++style) {
            const long avant = texte.SendScintilla(QsciScintillaBase::SCI_STYLEGETFORE, style);
            const QColor couleur = Couleur(avant).toHsl();
            if (couleur.lightness() <= 128)
                continue;
            ecran.emplace_back(style, avant);
            texte.SendScintilla(
                QsciScintillaBase::SCI_STYLESETFORE, style,
                Bgr(QColor::fromHsl(couleur.hslHue(), couleur.hslSaturation(), 255 - couleur.lightness())));
        }
    }
    texte.SendScintilla(QsciScintillaBase::SCI_SETPRINTCOLOURMODE,
                        static_cast<unsigned long>(sombre ? QsciScintillaBase::SC_PRINT_COLOURONWHITE
                                                          : QsciScintillaBase::SC_PRINT_NORMAL));
    // QsciPrinter would draw with a painter that could not start: a printer that cannot print is told here.
    QPainter peintre;
    const bool imprime = peintre.begin(&imprimante) && imprimante.printRange(&texte, peintre, premiere, derniere);
    for (const auto &[style, couleur] : ecran)
        texte.SendScintilla(QsciScintillaBase::SCI_STYLESETFORE, style, couleur);
    return imprime;
}

TImpression::TImpression(Utilisateur &utilisateur, QObject *parent)
    : QObject(parent)
    , utilisateur(utilisateur)
{
}

void TImpression::Prepare(const TWndHTML &page)
{
    const QFileInfo nom(page.FileName);
    imprimante.setDocName(nom.fileName());
    // After a printing into a file, the next one proposes a file of its own page's name, in the same folder.
    if (const QString fichier = imprimante.outputFileName(); !fichier.isEmpty())
        imprimante.setOutputFileName(
            QFileInfo(fichier).dir().filePath(nom.completeBaseName() + QStringLiteral(".pdf")));
}

void TImpression::Imprime(TWndHTML &page)
{
    Prepare(page);
    QPrintDialog dialogue(&imprimante, &page);
    dialogue.setWindowTitle(QStringLiteral("Imprimer"));
    const TEditHTML &texte = *page.EditHTML;
    dialogue.setOption(QAbstractPrintDialog::PrintSelection, texte.SelLength() > 0);
    if (utilisateur.Execute(dialogue) != QDialog::Accepted)
        return;
    // QsciPrinter hides the range that the dialog chose under its own printing function.
    if (imprimante.QPrinter::printRange() != QPrinter::Selection) {
        Imprime(page, -1, -1);
        return;
    }
    const auto ligne = [&](qsizetype position) {
        return int(texte.SendScintilla(QsciScintillaBase::SCI_LINEFROMPOSITION, static_cast<unsigned long>(position)));
    };
    // A selection of whole lines ends at the start of the line after them, which it does not print.
    Imprime(page, ligne(texte.SelStart()), ligne(texte.SelStart() + texte.SelLength() - 1));
}

void TImpression::Imprime(TWndHTML &page, int premiere, int derniere)
{
    if (!ImprimeTexte(*page.EditHTML, imprimante, premiere, derniere))
        utilisateur.Erreur(&page, QStringLiteral("Ne peut imprimer %1.").arg(NomAffiche(page.FileName)));
}

void TImpression::Apercu(TWndHTML &page)
{
    Prepare(page);
    QPrintPreviewDialog apercu(&imprimante, &page);
    apercu.setWindowTitle(QStringLiteral("Aperçu avant impression"));
    // The preview draws through the printer that it was given: this one.
    connect(&apercu, &QPrintPreviewDialog::paintRequested, this,
            [this, &page] { ImprimeTexte(*page.EditHTML, imprimante); });
    utilisateur.Execute(apercu);
}
