// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/entities/WndCaracteres.h"

#include "gui/commun/Utilisateur.h"
#include "gui/settings/Fichiers.h"

#include <QFile>
#include <QHeaderView>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

enum Colonne { Vue, Signification, HTML, Co };

std::vector<LigneAccent> LitFichier(Utilisateur &utilisateur, QWidget *parent, const QString &nom)
{
    QFile fichier;
    if (!OuvreEnLecture(nom, fichier)) {
        utilisateur.Erreur(parent, QStringLiteral("Ne peut ouvrir le fichier %1").arg(nom));
        return {};
    }
    const QByteArray contenu = fichier.readAll();
    std::vector<LigneAccent> table = ChargeTableAccents(std::string_view(contenu.constData(), contenu.size()));
    if (table.empty())
        utilisateur.Erreur(parent,
                           QStringLiteral("Le nombre de lignes fixes doit être inférieur au nombre de lignes"));
    return table;
}

} // namespace

TWndCaracteresSpeciaux::TWndCaracteresSpeciaux(QWidget *parent, Utilisateur &utilisateur,
                                               const QString &fichierAccents, DocumentActif active)
    : TFenetreOutil(parent)
    , grille(new QTableWidget(this))
    , utilisateur(utilisateur)
    , active(std::move(active))
    , correction({})
    , restauration({})
    , restaurationWindows1252({})
{
    setWindowTitle(QStringLiteral("Caracteres spéciaux..."));
    resize(291, 344);

    auto *corriger = new QPushButton(QStringLiteral("&Corriger les accents"));
    auto *supprimer = new QPushButton(QStringLiteral("&Supprimer les tags HTML..."));
    connect(corriger, &QPushButton::clicked, this, &TWndCaracteresSpeciaux::CorrigeDocumentActif);
    connect(supprimer, &QPushButton::clicked, this, [this] {
        if (this->active())
            emit SupprimerDemande();
    });
    auto *boutons = new QHBoxLayout;
    boutons->addWidget(corriger);
    boutons->addWidget(supprimer);
    auto *disposition = new QVBoxLayout(this);
    disposition->setContentsMargins(2, 2, 2, 2);
    disposition->addLayout(boutons);
    disposition->addWidget(grille);

    QFont police(QStringLiteral("Arial"));
    police.setPixelSize(11);
    grille->setFont(police);
    grille->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grille->verticalHeader()->hide();
    grille->verticalHeader()->setDefaultSectionSize(20);
    grille->setColumnCount(4);
    for (const auto &[colonne, largeur] : {std::pair{Vue, 30}, {Signification, 147}, {HTML, 64}, {Co, 21}})
        grille->setColumnWidth(colonne, largeur);
    connect(grille, &QTableWidget::cellDoubleClicked, this, &TWndCaracteresSpeciaux::Valide);
    ListeAuClavier(grille);

    Remplit(LitFichier(utilisateur, parent, fichierAccents));
}

void TWndCaracteresSpeciaux::Remplit(const std::vector<LigneAccent> &table)
{
    if (table.empty()) {
        // The grid as it stands before any file: one empty row, no headings.
        grille->setHorizontalHeaderLabels({QString(), QString(), QString(), QString()});
        grille->setRowCount(1);
        return;
    }
    grille->setHorizontalHeaderLabels(
        {QStringLiteral("Vue"), QStringLiteral("Signification"), QStringLiteral("HTML"), QStringLiteral("Co.")});
    grille->setRowCount(static_cast<int>(table.size()));
    for (int ligne = 0; ligne < static_cast<int>(table.size()); ++ligne) {
        const LigneAccent &accent = table[static_cast<std::size_t>(ligne)];
        const auto cellule = [&](Colonne colonne, const std::string &texte) {
            grille->setItem(ligne, colonne, new QTableWidgetItem(QString::fromStdString(texte)));
        };
        cellule(Vue, accent.caractere);
        cellule(Signification, accent.signification);
        cellule(HTML, accent.entite);
        cellule(Co, accent.correction);
    }
    correction = Correction(table);
    restauration = ::Restauration(table);
    restaurationWindows1252 = ::Restauration(LignesPourEncodage(table, Encodage::Windows1252));
}

std::string TWndCaracteresSpeciaux::Restauration(std::string_view texte, Encodage encodage) const
{
    return (encodage == Encodage::Windows1252 ? restaurationWindows1252 : restauration).Applique(texte);
}

void TWndCaracteresSpeciaux::CorrigeDocumentActif() const
{
    TWndHTML *w = active();
    if (!w)
        return;
    TEditHTML &edit = *w->EditHTML;
    const std::string_view texte = edit.Texte();
    std::string resultat;
    try {
        // Every row: a character that the document's encoding cannot hold is better as its entity.
        resultat = correction.Applique(texte);
    } catch (const std::bad_alloc &) {
        utilisateur.Erreur(w, MemoireInsuffisante());
        return;
    }
    // A text left as it was is not replaced: the document stays unmodified.
    if (resultat != texte)
        edit.RemplaceTout(resultat);
    else
        edit.Selectionne(0, 0);
}

void TWndCaracteresSpeciaux::Valide()
{
    TWndHTML *w = active();
    const QList<QTableWidgetSelectionRange> selection = grille->selectedRanges();
    if (!w || selection.isEmpty())
        return;
    const QTableWidgetItem *entite = grille->item(selection.constFirst().topRow(), HTML);
    if (entite) {
        w->InsertionTexte(entite->text().toStdString(), "");
        RendClavier(w->EditHTML);
    }
}
