// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/EtatPage.h"

#include "gui/document/WndHTML.h"

#include <QLabel>
#include <QStatusBar>

namespace {

QString Texte(std::string_view nom)
{
    return QString::fromUtf8(nom.data(), static_cast<qsizetype>(nom.size()));
}

} // namespace

TEtatPage::TEtatPage(QStatusBar *barre)
    : QObject(barre)
    , position(new QLabel(barre))
    , encodage(new QLabel(barre))
    , finDeLigne(new QLabel(barre))
    , modifie(new QLabel(barre))
{
    for (QLabel *etat : {position, encodage, finDeLigne, modifie})
        barre->addPermanentWidget(etat);
}

void TEtatPage::Montre(TWndHTML *page)
{
    for (QLabel *etat : {position, encodage, finDeLigne, modifie})
        etat->setVisible(page != nullptr);
    if (!page)
        return;
    TEditHTML &texte = *page->EditHTML;
    int ligne = 0;
    int colonne = 0;
    texte.getCursorPosition(&ligne, &colonne);
    QString ou = QStringLiteral("Ligne %1, colonne %2").arg(ligne + 1).arg(colonne + 1);
    if (const qsizetype debut = texte.SelStart(), longueur = texte.SelLength(); longueur > 0) {
        const long caracteres = texte.SendScintilla(QsciScintillaBase::SCI_COUNTCHARACTERS,
                                                    static_cast<unsigned long>(debut), debut + longueur);
        ou += QStringLiteral(", %1 sélectionnés").arg(caracteres);
    }
    position->setText(ou);
    encodage->setText(Texte(NomEncodage(page->EncodageFichier())));
    finDeLigne->setText(Texte(NomFinDeLigne(texte.FinDeLigneDocument())));
    modifie->setText(texte.isModified() ? QStringLiteral("Modifié") : QString());
}
