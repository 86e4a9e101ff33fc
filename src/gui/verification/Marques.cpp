// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/verification/Marques.h"

#include "gui/document/EditHTML.h"

#include <QColor>
#include <QFontMetrics>

#include <algorithm>

namespace {

// The indicator that marks a kind of problem in the text; its margin's marker is numbered from the first kind's.
int Indicateur(Probleme::Sorte sorte)
{
    return QsciScintillaBase::INDIC_CONTAINER + static_cast<int>(sorte);
}

int Marqueur(Probleme::Sorte sorte)
{
    return Indicateur(sorte) - Indicateur(Probleme::Sorte::Erreur);
}

} // namespace

void PrepareMarques(TEditHTML &texte)
{
    struct Marque {
        Probleme::Sorte sorte;
        int style;
        QColor couleur;
        int symbole;
    };
    for (const Marque &marque :
         {Marque{Probleme::Sorte::Erreur, QsciScintillaBase::INDIC_BOX, QColor(0xd0, 0x10, 0x10), QsciScintilla::Circle},
          Marque{Probleme::Sorte::Avertissement, QsciScintillaBase::INDIC_BOX, QColor(0xd0, 0x80, 0x00),
                 QsciScintilla::Circle},
          Marque{Probleme::Sorte::Lien, QsciScintillaBase::INDIC_DASH, QColor(0xa0, 0x20, 0xa0),
                 QsciScintilla::RightTriangle},
          Marque{Probleme::Sorte::NonVerifie, QsciScintillaBase::INDIC_DOTS, QColor(0x80, 0x80, 0x80), -1},
          Marque{Probleme::Sorte::Orthographe, QsciScintillaBase::INDIC_SQUIGGLEPIXMAP, QColor(0xe0, 0x00, 0x00),
                 QsciScintilla::SmallRectangle}}) {
        const auto indicateur = static_cast<unsigned long>(Indicateur(marque.sorte));
        texte.SendScintilla(QsciScintillaBase::SCI_INDICSETSTYLE, indicateur, static_cast<long>(marque.style));
        texte.SendScintilla(QsciScintillaBase::SCI_INDICSETFORE, indicateur, marque.couleur);
        if (marque.symbole >= 0) {
            const int marqueur = Marqueur(marque.sorte);
            texte.markerDefine(static_cast<QsciScintilla::MarkerSymbol>(marque.symbole), marqueur);
            texte.setMarkerBackgroundColor(marque.couleur, marqueur);
            texte.setMarkerForegroundColor(marque.couleur, marqueur);
        }
    }
    texte.setMarginType(1, QsciScintilla::SymbolMargin);
}

void MarqueProblemes(TEditHTML &texte, const std::vector<Probleme> &problemes)
{
    const auto longueur = texte.SendScintilla(QsciScintillaBase::SCI_GETLENGTH);
    for (const auto sorte : {Probleme::Sorte::Erreur, Probleme::Sorte::Avertissement, Probleme::Sorte::Lien,
                             Probleme::Sorte::NonVerifie, Probleme::Sorte::Orthographe}) {
        texte.SendScintilla(QsciScintillaBase::SCI_SETINDICATORCURRENT, static_cast<unsigned long>(Indicateur(sorte)));
        texte.SendScintilla(QsciScintillaBase::SCI_INDICATORCLEARRANGE, 0UL, longueur);
        if (sorte != Probleme::Sorte::NonVerifie)
            texte.markerDeleteAll(Marqueur(sorte));
    }
    // One mark for the faults of one kind that follow each other on a line.
    std::pair<long, int> dernier{-1, -1};
    for (const Probleme &probleme : problemes) {
        const auto debut = static_cast<long>(std::min<std::size_t>(probleme.debut, static_cast<std::size_t>(longueur)));
        const auto fin = std::clamp(static_cast<long>(probleme.fin), debut, static_cast<long>(longueur));
        texte.SendScintilla(QsciScintillaBase::SCI_SETINDICATORCURRENT,
                            static_cast<unsigned long>(Indicateur(probleme.sorte)));
        // A fault at one point is marked on the character there.
        texte.SendScintilla(QsciScintillaBase::SCI_INDICATORFILLRANGE, static_cast<unsigned long>(debut),
                            std::max(fin - debut, debut < longueur ? 1L : 0L));
        if (probleme.sorte == Probleme::Sorte::NonVerifie)
            continue;
        const std::pair<long, int> marque{
            texte.SendScintilla(QsciScintillaBase::SCI_LINEFROMPOSITION, static_cast<unsigned long>(debut)),
            Marqueur(probleme.sorte)};
        if (marque != dernier)
            texte.markerAdd(static_cast<int>(marque.first), marque.second);
        dernier = marque;
    }
    texte.setMarginWidth(1, problemes.empty() ? 0 : QFontMetrics(texte.font()).height());
}

void MarqueFautes(TEditHTML &texte, std::size_t debut, std::size_t fin,
                  const std::vector<std::pair<std::size_t, std::size_t>> &fautes)
{
    const auto longueur = static_cast<std::size_t>(texte.SendScintilla(QsciScintillaBase::SCI_GETLENGTH));
    fin = std::min(fin, longueur);
    debut = std::min(debut, fin);
    const auto indicateur = static_cast<unsigned long>(Indicateur(Probleme::Sorte::Orthographe));
    // Marks changed paint the view again, and a view painted is checked again: marks already right are left alone,
    // or the check of a view that does not change would never end.
    std::vector<std::pair<std::size_t, std::size_t>> voulues;
    for (const auto &[premier, apres] : fautes) {
        const std::size_t a = std::max(premier, debut);
        const std::size_t b = std::min(apres, fin);
        if (a >= b)
            continue;
        if (!voulues.empty() && voulues.back().second >= a)
            voulues.back().second = std::max(voulues.back().second, b);
        else
            voulues.emplace_back(a, b);
    }
    std::vector<std::pair<std::size_t, std::size_t>> marquees;
    for (std::size_t position = debut; position < fin;) {
        const auto bout = static_cast<std::size_t>(
            texte.SendScintilla(QsciScintillaBase::SCI_INDICATOREND, indicateur, static_cast<long>(position)));
        const std::size_t suite = bout > position ? std::min(bout, fin) : fin;
        if (texte.SendScintilla(QsciScintillaBase::SCI_INDICATORVALUEAT, indicateur, static_cast<long>(position)))
            marquees.emplace_back(position, suite);
        position = suite;
    }
    if (marquees == voulues)
        return;
    texte.SendScintilla(QsciScintillaBase::SCI_SETINDICATORCURRENT, indicateur);
    texte.SendScintilla(QsciScintillaBase::SCI_INDICATORCLEARRANGE, static_cast<unsigned long>(debut),
                        static_cast<long>(fin - debut));
    for (const auto &[premier, apres] : voulues)
        texte.SendScintilla(QsciScintillaBase::SCI_INDICATORFILLRANGE, static_cast<unsigned long>(premier),
                            static_cast<long>(apres - premier));
}

std::optional<std::pair<std::size_t, std::size_t>> FauteA(const TEditHTML &texte, std::size_t position)
{
    const auto indicateur = static_cast<unsigned long>(Indicateur(Probleme::Sorte::Orthographe));
    if (!texte.SendScintilla(QsciScintillaBase::SCI_INDICATORVALUEAT, indicateur, static_cast<long>(position)))
        return std::nullopt;
    const auto bout = [&](unsigned int message) {
        return static_cast<std::size_t>(texte.SendScintilla(message, indicateur, static_cast<long>(position)));
    };
    return std::pair{bout(QsciScintillaBase::SCI_INDICATORSTART), bout(QsciScintillaBase::SCI_INDICATOREND)};
}
