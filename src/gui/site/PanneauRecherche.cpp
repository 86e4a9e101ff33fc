// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/site/PanneauRecherche.h"

#include "gui/commun/OrdreNaturel.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>
#include <optional>
#include <utility>

namespace {

enum Colonne { ColonneFichier, ColonneLigne, ColonneColonne, ColonneTexte };

// The role of a row's rank among the results, and those of its occurrence's place in the line it shows.
constexpr int RoleRang = Qt::UserRole;
constexpr int RoleMarque = Qt::UserRole + 1;
constexpr int RoleLongueur = Qt::UserRole + 2;

// Draws the line of a result with its occurrence in bold on the colour of a selection.
class DelegueExtrait : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *peintre, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyleOptionViewItem fond = option;
        initStyleOption(&fond, index);
        const QString texte = fond.text;
        fond.text.clear();
        fond.widget->style()->drawControl(QStyle::CE_ItemViewItem, &fond, peintre, fond.widget);

        const auto marque = index.data(RoleMarque).value<qsizetype>();
        const auto longueur = index.data(RoleLongueur).value<qsizetype>();
        const QString avant = texte.left(marque);
        const QString trouve = texte.mid(marque, longueur);
        const QString apres = texte.mid(marque + longueur);
        QRect place = fond.rect.adjusted(3, 0, -3, 0);
        const bool choisie = option.state & QStyle::State_Selected;
        const QPalette &palette = option.palette;
        peintre->save();
        peintre->setClipRect(fond.rect);
        peintre->setPen(palette.color(choisie ? QPalette::HighlightedText : QPalette::Text));
        peintre->drawText(place, Qt::AlignVCenter | Qt::AlignLeft, avant);
        place.setLeft(place.left() + option.fontMetrics.horizontalAdvance(avant));
        QFont gras = option.font;
        gras.setBold(true);
        const QFontMetrics mesureGras(gras);
        const QRect zoneTrouve(place.left(), place.top(), mesureGras.horizontalAdvance(trouve), place.height());
        if (!choisie)
            peintre->fillRect(zoneTrouve, palette.color(QPalette::Highlight).lighter(170));
        peintre->setFont(gras);
        peintre->drawText(zoneTrouve, Qt::AlignVCenter | Qt::AlignLeft, trouve);
        peintre->setFont(option.font);
        place.setLeft(zoneTrouve.right() + 1);
        peintre->drawText(place, Qt::AlignVCenter | Qt::AlignLeft, apres);
        peintre->restore();
    }
};

// A row, which the list keeps sorted as the results come in any order: by file (in the order of the site panel),
// line and column, or by line or column as numbers, or by text.
class ElementResultat : public QTreeWidgetItem {
public:
    // The key of the file's name in the names' order, made once for the occurrences of a file.
    ElementResultat(const QStringList &colonnes, QCollatorSortKey cle)
        : QTreeWidgetItem(colonnes)
        , cle(std::move(cle))
    {
    }

    bool operator<(const QTreeWidgetItem &autre) const override
    {
        const auto nombre = [](const QTreeWidgetItem &element, int c) { return element.text(c).toULongLong(); };
        const int colonne = treeWidget()->sortColumn();
        if (colonne == ColonneTexte && text(ColonneTexte) != autre.text(ColonneTexte))
            return text(ColonneTexte) < autre.text(ColonneTexte);
        if (colonne == ColonneColonne && nombre(*this, ColonneColonne) != nombre(autre, ColonneColonne))
            return nombre(*this, ColonneColonne) < nombre(autre, ColonneColonne);
        if (colonne == ColonneFichier && text(ColonneFichier) != autre.text(ColonneFichier)) {
            // "A.htm" and "a.htm" are two files, which the names' order alone would mix.
            const int ordre = cle.compare(static_cast<const ElementResultat &>(autre).cle);
            return ordre != 0 ? ordre < 0 : text(ColonneFichier) < autre.text(ColonneFichier);
        }
        return std::pair(nombre(*this, ColonneLigne), nombre(*this, ColonneColonne)) <
               std::pair(nombre(autre, ColonneLigne), nombre(autre, ColonneColonne));
    }

private:
    QCollatorSortKey cle;
};

} // namespace

TPanneauRecherche::TPanneauRecherche(QWidget *parent)
    : QDockWidget(parent)
    , Liste(new QTreeWidget(this))
    , message(new QLabel(this))
    , barre(new QProgressBar(this))
    , annuler(new QPushButton(QStringLiteral("Annuler"), this))
    , delai(new QTimer(this))
{
    setObjectName("PanneauRecherche");
    setWindowTitle(QStringLiteral("Résultats de la recherche"));
    Liste->setObjectName("Resultats");
    Liste->setHeaderLabels({QStringLiteral("Fichier"), QStringLiteral("Ligne"), QStringLiteral("Colonne"),
                            QStringLiteral("Texte")});
    Liste->setRootIsDecorated(false);
    Liste->setUniformRowHeights(true);
    Liste->setAllColumnsShowFocus(true);
    Liste->setItemDelegateForColumn(ColonneTexte, new DelegueExtrait(Liste));
    Liste->header()->setStretchLastSection(true);
    Liste->setSortingEnabled(true);
    Liste->sortByColumn(ColonneFichier, Qt::AscendingOrder);
    Liste->setColumnWidth(ColonneFichier, 220);
    Liste->setColumnWidth(ColonneLigne, 60);
    Liste->setColumnWidth(ColonneColonne, 60);
    annuler->setObjectName("Annuler");
    barre->setObjectName("Progression");
    message->setObjectName("Message");

    auto *contenu = new QWidget(this);
    auto *colonne = new QVBoxLayout(contenu);
    colonne->setContentsMargins(0, 0, 0, 0);
    colonne->addWidget(Liste, 1);
    auto *bas = new QHBoxLayout;
    bas->addWidget(message, 1);
    bas->addWidget(barre);
    bas->addWidget(annuler);
    colonne->addLayout(bas);
    setWidget(contenu);
    barre->hide();
    annuler->hide();

    // A quick search ends before the bar shows.
    delai->setSingleShot(true);
    delai->setInterval(500);
    connect(delai, &QTimer::timeout, this, [this] {
        barre->show();
        annuler->show();
    });
    connect(annuler, &QPushButton::clicked, this, &TPanneauRecherche::Annuler);
    connect(Liste, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem *element) {
        emit Aller(resultats[element->data(ColonneFichier, RoleRang).toULongLong()]);
    });
}

void TPanneauRecherche::Commence(const QString &texte, const QString &dans)
{
    Liste->clear();
    resultats.clear();
    nonMontres = 0;
    cherche = texte;
    dossier = dans;
    enCours = true;
    barre->setRange(0, 0);
    message->setText(QStringLiteral("Recherche en cours..."));
    delai->start();
    Titre();
}

void TPanneauRecherche::Ajoute(const std::vector<ResultatTrouve> &nouveaux)
{
    static const QCollator noms = OrdreNaturel();
    QList<QTreeWidgetItem *> elements;
    std::optional<QCollatorSortKey> cle;
    for (const ResultatTrouve &resultat : nouveaux) {
        if (resultats.size() >= static_cast<std::size_t>(MaximumDeLignes)) {
            ++nonMontres;
            continue;
        }
        QString nom = resultat.chemin;
        if (nom.startsWith(dossier + u'/'))
            nom = nom.mid(dossier.size() + 1);
        if (elements.isEmpty() || elements.back()->text(ColonneFichier) != nom)
            cle = noms.sortKey(nom);
        auto *element = new ElementResultat(
            QStringList{nom, QString::number(resultat.ligne), QString::number(resultat.colonne), resultat.extrait},
            *cle);
        element->setData(ColonneFichier, RoleRang, qulonglong(resultats.size()));
        element->setToolTip(ColonneFichier, resultat.chemin);
        element->setData(ColonneTexte, RoleMarque, resultat.marque);
        element->setData(ColonneTexte, RoleLongueur, resultat.longueurMarque);
        element->setTextAlignment(ColonneLigne, Qt::AlignRight);
        element->setTextAlignment(ColonneColonne, Qt::AlignRight);
        elements << element;
        resultats.push_back(resultat);
    }
    Liste->addTopLevelItems(elements);
    Titre();
}

void TPanneauRecherche::Avance(std::size_t lus, std::size_t total)
{
    barre->setRange(0, static_cast<int>(std::min<std::size_t>(total, std::numeric_limits<int>::max())));
    barre->setValue(static_cast<int>(std::min(lus, total)));
}

void TPanneauRecherche::Termine(const QString &texte)
{
    enCours = false;
    delai->stop();
    barre->hide();
    annuler->hide();
    QString fin = texte;
    if (nonMontres > 0)
        fin += QStringLiteral(" Les %1 premières occurrences sont montrées.").arg(MaximumDeLignes);
    message->setText(fin);
    // Return goes to the first result, unless the user chose another meanwhile.
    if (!Liste->currentItem() && Liste->topLevelItemCount() > 0)
        Liste->setCurrentItem(Liste->topLevelItem(0));
}

void TPanneauRecherche::Titre()
{
    const std::size_t nombre = resultats.size() + nonMontres;
    setWindowTitle(nombre == 0 ? QStringLiteral("Résultats de la recherche de \"%1\"").arg(cherche)
                   : nombre == 1
                       ? QStringLiteral("1 résultat de la recherche de \"%1\"").arg(cherche)
                       : QStringLiteral("%1 résultats de la recherche de \"%2\"").arg(nombre).arg(cherche));
}
