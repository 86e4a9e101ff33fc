// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/verification/PanneauProblemes.h"

#include "gui/commun/MenuAuClavier.h"

#include <QAbstractTableModel>
#include <QContextMenuEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QIcon>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMenu>
#include <QStyle>
#include <QTreeView>

#include <algorithm>
#include <array>
#include <unordered_map>
#include <utility>

namespace {

enum Colonne { ColonnePage, ColonneLigne, ColonneColonne, ColonneSorte, ColonneMessage, NombreDeColonnes };

bool DebutAvant(const Probleme &a, const Probleme &b)
{
    return a.debut < b.debut;
}

} // namespace

// Every page's problems, and one row for each of them, in the order of the sorted column. The rows are only
// references, so that changing a page touches no other page's problems.
class ModeleProblemes : public QAbstractTableModel {
public:
    struct Page {
        QObject *objet = nullptr;
        QString nom;
        QString fichier;                     // the name without its folder, which the list shows
        std::vector<Probleme> problemes;     // by increasing start
        std::vector<LigneColonne> positions; // of each problem's start
        std::size_t arrivee = 0;             // orders the pages of the same name
        std::size_t rang = 0;                // the page's place among the pages ordered by name
    };

    // A problem of a page, by its place among the page's problems.
    struct Ligne {
        const Page *page = nullptr;
        std::size_t probleme = 0;
    };

    ModeleProblemes(QObject *parent, const QStyle &style);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void sort(int column, Qt::SortOrder order) override;

    // Takes the page's rows out, lets `change` alter the page (new and without name if unknown) and puts its rows
    // back in their places; the page goes when it has no problem left. Returns the rows that the rows `suivies` have
    // become: the same problem of another page; for this page, its equal among the new problems, or else the first
    // at the same start. -1 for a row that has gone, or that was none.
    template <typename Change>
    std::vector<int> Modifie(QObject *objet, Change change, std::vector<int> suivies);

    // The row of a problem, found by halves in the sorted rows.
    int Rang(const Ligne &ligne) const;

    std::unordered_map<QObject *, Page> pages;
    std::vector<Ligne> lignes;

private:
    // A row followed through a change of its page or of another.
    struct Repere {
        bool valide = false;
        bool pageChangee = false; // whose record may be gone after the change: only `probleme` is read then
        Ligne ligne;              // of another page
        Probleme probleme;        // of the changed page
    };

    // The order of the rows: the sorted column, then the page and the position, so that no two rows are equal.
    bool Avant(const Ligne &x, const Ligne &y) const;
    // Numbers the pages by name.
    void Classe();

    std::array<QIcon, 5> icones;
    int colonneTri = ColonnePage;
    Qt::SortOrder ordreTri = Qt::AscendingOrder;
    std::size_t arrivees = 0;
};

ModeleProblemes::ModeleProblemes(QObject *parent, const QStyle &style)
    : QAbstractTableModel(parent)
    , icones{
          QIcon::fromTheme(QStringLiteral("dialog-error"), style.standardIcon(QStyle::SP_MessageBoxCritical)),
          QIcon::fromTheme(QStringLiteral("dialog-warning"), style.standardIcon(QStyle::SP_MessageBoxWarning)),
          QIcon::fromTheme(QStringLiteral("dialog-information"), style.standardIcon(QStyle::SP_MessageBoxInformation)),
          QIcon::fromTheme(QStringLiteral("dialog-warning"), style.standardIcon(QStyle::SP_MessageBoxWarning)),
          QIcon::fromTheme(QStringLiteral("dialog-question"), style.standardIcon(QStyle::SP_MessageBoxQuestion)),
      }
{
}

int ModeleProblemes::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(lignes.size());
}

int ModeleProblemes::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : NombreDeColonnes;
}

QVariant ModeleProblemes::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const Ligne &ligne = lignes[static_cast<std::size_t>(index.row())];
    const Probleme &probleme = ligne.page->problemes[ligne.probleme];
    const LigneColonne &position = ligne.page->positions[ligne.probleme];
    if (role == Qt::DecorationRole && index.column() == ColonneSorte)
        return icones[static_cast<std::size_t>(probleme.sorte)];
    // A long message may not fit its column.
    if (role == Qt::ToolTipRole && index.column() == ColonneMessage)
        return QString::fromStdString(probleme.message);
    if (role == Qt::ToolTipRole && index.column() == ColonnePage)
        return ligne.page->nom;
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case ColonnePage: return ligne.page->fichier;
    case ColonneLigne: return qulonglong(position.ligne);
    case ColonneColonne: return qulonglong(position.colonne);
    case ColonneSorte: {
        const std::string_view nom = NomSorte(probleme.sorte);
        return QString::fromUtf8(nom.data(), static_cast<qsizetype>(nom.size()));
    }
    case ColonneMessage: return QString::fromStdString(probleme.message);
    }
    return {};
}

QVariant ModeleProblemes::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const std::array<QString, NombreDeColonnes> titres = {
        QStringLiteral("Page"),  QStringLiteral("Ligne"),   QStringLiteral("Colonne"),
        QStringLiteral("Sorte"), QStringLiteral("Message"),
    };
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= NombreDeColonnes)
        return {};
    return titres[static_cast<std::size_t>(section)];
}

bool ModeleProblemes::Avant(const Ligne &x, const Ligne &y) const
{
    const Ligne &a = ordreTri == Qt::AscendingOrder ? x : y;
    const Ligne &b = ordreTri == Qt::AscendingOrder ? y : x;
    const LigneColonne &positionA = a.page->positions[a.probleme];
    const LigneColonne &positionB = b.page->positions[b.probleme];
    const Probleme &problemeA = a.page->problemes[a.probleme];
    const Probleme &problemeB = b.page->problemes[b.probleme];
    switch (colonneTri) {
    case ColonneLigne:
        if (positionA.ligne != positionB.ligne)
            return positionA.ligne < positionB.ligne;
        break;
    case ColonneColonne:
        if (positionA.colonne != positionB.colonne)
            return positionA.colonne < positionB.colonne;
        break;
    case ColonneSorte:
        if (problemeA.sorte != problemeB.sorte)
            return problemeA.sorte < problemeB.sorte;
        break;
    case ColonneMessage:
        if (const int comparaison = problemeA.message.compare(problemeB.message))
            return comparaison < 0;
        break;
    }
    return std::pair(a.page->rang, a.probleme) < std::pair(b.page->rang, b.probleme);
}

int ModeleProblemes::Rang(const Ligne &ligne) const
{
    const auto place = std::lower_bound(lignes.begin(), lignes.end(), ligne,
                                        [this](const Ligne &a, const Ligne &b) { return Avant(a, b); });
    return static_cast<int>(place - lignes.begin());
}

void ModeleProblemes::sort(int column, Qt::SortOrder order)
{
    emit layoutAboutToBeChanged({}, VerticalSortHint);
    const QModelIndexList anciens = persistentIndexList();
    std::vector<Ligne> suivies;
    suivies.reserve(static_cast<std::size_t>(anciens.size()));
    for (const QModelIndex &index : anciens)
        suivies.push_back(lignes[static_cast<std::size_t>(index.row())]);
    colonneTri = column;
    ordreTri = order;
    std::sort(lignes.begin(), lignes.end(), [this](const Ligne &a, const Ligne &b) { return Avant(a, b); });
    QModelIndexList nouveaux;
    nouveaux.reserve(anciens.size());
    for (qsizetype i = 0; i < anciens.size(); ++i)
        nouveaux.append(index(Rang(suivies[static_cast<std::size_t>(i)]), anciens[i].column()));
    changePersistentIndexList(anciens, nouveaux);
    emit layoutChanged({}, VerticalSortHint);
}

void ModeleProblemes::Classe()
{
    std::vector<Page *> parNom;
    parNom.reserve(pages.size());
    for (auto &entree : pages)
        parNom.push_back(&entree.second);
    std::sort(parNom.begin(), parNom.end(), [](const Page *a, const Page *b) {
        if (const int comparaison = QString::localeAwareCompare(a->fichier, b->fichier))
            return comparaison < 0;
        const int comparaison = QString::localeAwareCompare(a->nom, b->nom);
        return comparaison != 0 ? comparaison < 0 : a->arrivee < b->arrivee;
    });
    for (std::size_t rang = 0; rang < parNom.size(); ++rang)
        parNom[rang]->rang = rang;
}

template <typename Change>
std::vector<int> ModeleProblemes::Modifie(QObject *objet, Change change, std::vector<int> suivies)
{
    std::vector<Repere> reperes(suivies.size());
    for (std::size_t i = 0; i < suivies.size(); ++i) {
        if (suivies[i] < 0 || static_cast<std::size_t>(suivies[i]) >= lignes.size())
            continue;
        const Ligne &ligne = lignes[static_cast<std::size_t>(suivies[i])];
        const bool pageChangee = ligne.page->objet == objet;
        reperes[i] = {true, pageChangee, ligne, pageChangee ? ligne.page->problemes[ligne.probleme] : Probleme()};
    }

    // The view reads nothing while the rows change; a reset costs it no more than the rows moved one by one would.
    beginResetModel();
    std::erase_if(lignes, [objet](const Ligne &ligne) { return ligne.page->objet == objet; });
    auto [place, nouvelle] = pages.try_emplace(objet);
    if (nouvelle) {
        place->second.objet = objet;
        place->second.arrivee = arrivees++;
    }
    change(place->second);
    Page *page = &place->second;
    page->fichier = QFileInfo(page->nom).fileName();
    if (page->problemes.empty()) {
        pages.erase(place);
        page = nullptr;
    }
    Classe();
    if (page) {
        // The other rows keep their order: the page's rows are sorted alone, then merged with them.
        const auto avant = [this](const Ligne &a, const Ligne &b) { return Avant(a, b); };
        const auto autres = static_cast<std::ptrdiff_t>(lignes.size());
        for (std::size_t i = 0; i < page->problemes.size(); ++i)
            lignes.push_back({page, i});
        std::sort(lignes.begin() + autres, lignes.end(), avant);
        std::inplace_merge(lignes.begin(), lignes.begin() + autres, lignes.end(), avant);
    }
    endResetModel();

    for (std::size_t i = 0; i < suivies.size(); ++i) {
        const Repere &repere = reperes[i];
        suivies[i] = -1;
        if (!repere.valide)
            continue;
        if (!repere.pageChangee) {
            suivies[i] = Rang(repere.ligne);
            continue;
        }
        if (!page)
            continue;
        const auto [premier, dernier] =
            std::equal_range(page->problemes.begin(), page->problemes.end(), repere.probleme, DebutAvant);
        if (premier != dernier) {
            const auto egal = std::find(premier, dernier, repere.probleme);
            suivies[i] =
                Rang({page, static_cast<std::size_t>((egal != dernier ? egal : premier) - page->problemes.begin())});
        }
    }
    return suivies;
}

TPanneauProblemes::TPanneauProblemes(QWidget *parent)
    : QDockWidget(parent)
    , Liste(new QTreeView(this))
    , modele(new ModeleProblemes(this, *style()))
    , menu(new QMenu(this))
{
    setObjectName(QStringLiteral("Problemes"));
    setAllowedAreas(Qt::BottomDockWidgetArea | Qt::TopDockWidgetArea);
    Titre();

    Liste->setObjectName(QStringLiteral("Liste"));
    Liste->setModel(modele);
    // A flat list of many rows: no tree decoration, and rows of one height, which the view never measures one by one.
    Liste->setRootIsDecorated(false);
    Liste->setItemsExpandable(false);
    Liste->setUniformRowHeights(true);
    Liste->setAllColumnsShowFocus(true);
    Liste->setSelectionBehavior(QAbstractItemView::SelectRows);
    Liste->setSelectionMode(QAbstractItemView::SingleSelection);
    Liste->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Liste->header()->setSortIndicator(ColonnePage, Qt::AscendingOrder);
    Liste->setSortingEnabled(true);
    Liste->setColumnWidth(ColonnePage, 160);
    Liste->setColumnWidth(ColonneLigne, 60);
    Liste->setColumnWidth(ColonneColonne, 60);
    Liste->setColumnWidth(ColonneSorte, 130);
    Liste->installEventFilter(this);
    Liste->viewport()->installEventFilter(this);
    connect(Liste, &QTreeView::doubleClicked, this, &TPanneauProblemes::Va);
    setWidget(Liste);

    // The access keys of the same commands in the text's context menu.
    menu->setObjectName(QStringLiteral("MenuProbleme"));
    connect(menu->addAction(QStringLiteral("I&gnorer")), &QAction::triggered, this,
            [this] { emit Ignorer(motMenu); });
    connect(menu->addAction(QStringLiteral("Ajouter au &dictionnaire")), &QAction::triggered, this,
            [this] { emit Ajouter(motMenu, dictionnaireMenu); });
}

template <typename Change>
void TPanneauProblemes::Modifie(QObject *page, Change change)
{
    // The model's reset forgets the current row and the scrolling: both are found again by their problems, the top
    // row staying where it was when its problem has gone. The current row first, as it scrolls to itself.
    const QModelIndex courant = Liste->currentIndex();
    const bool choisi = Liste->selectionModel()->isSelected(courant);
    const QModelIndex haut = Liste->indexAt({0, 0});
    const std::vector<int> lignes = modele->Modifie(page, std::move(change), {courant.row(), haut.row()});
    if (lignes[0] >= 0) {
        Liste->selectionModel()->setCurrentIndex(
            modele->index(lignes[0], courant.column()),
            choisi ? QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows : QItemSelectionModel::NoUpdate);
    }
    if (haut.isValid()) {
        const int ligneHaut = lignes[1] >= 0 ? lignes[1] : std::min(haut.row(), modele->rowCount() - 1);
        Liste->scrollTo(modele->index(ligneHaut, haut.column()), QAbstractItemView::PositionAtTop);
    }
    Titre();
}

void TPanneauProblemes::Remplace(QObject *page, const QString &nomPage, std::string_view texte,
                                 std::vector<Probleme> problemes)
{
    if (problemes.empty()) {
        Retire(page);
        return;
    }
    std::stable_sort(problemes.begin(), problemes.end(), DebutAvant);
    std::vector<LigneColonne> positions;
    positions.reserve(problemes.size());
    CompteurLignes compteur(texte);
    for (const Probleme &probleme : problemes)
        positions.push_back(compteur.Position(probleme.debut));
    connect(page, &QObject::destroyed, this, &TPanneauProblemes::Retire, Qt::UniqueConnection);
    Modifie(page, [&](ModeleProblemes::Page &p) {
        p.nom = nomPage;
        p.problemes = std::move(problemes);
        p.positions = std::move(positions);
    });
}

void TPanneauProblemes::Renomme(QObject *page, const QString &nomPage)
{
    if (modele->pages.contains(page))
        Modifie(page, [&](ModeleProblemes::Page &p) { p.nom = nomPage; });
}

void TPanneauProblemes::Retire(QObject *page)
{
    if (!modele->pages.contains(page))
        return;
    disconnect(page, &QObject::destroyed, this, &TPanneauProblemes::Retire);
    Modifie(page, [](ModeleProblemes::Page &p) {
        p.problemes.clear();
        p.positions.clear();
    });
}

std::vector<Probleme> TPanneauProblemes::Problemes(QObject *page) const
{
    const auto place = modele->pages.find(page);
    return place == modele->pages.end() ? std::vector<Probleme>() : place->second.problemes;
}

const Probleme *TPanneauProblemes::Suivant(QObject *page, std::size_t position, bool precedent)
{
    const auto place = modele->pages.find(page);
    if (place == modele->pages.end())
        return nullptr;
    const std::vector<Probleme> &problemes = place->second.problemes;
    const Probleme cle{position, position, {}, {}};
    std::size_t rang;
    if (precedent) {
        const auto apres = std::lower_bound(problemes.begin(), problemes.end(), cle, DebutAvant);
        rang =
            apres == problemes.begin() ? problemes.size() - 1 : static_cast<std::size_t>(apres - problemes.begin()) - 1;
    } else {
        const auto apres = std::upper_bound(problemes.begin(), problemes.end(), cle, DebutAvant);
        rang = apres == problemes.end() ? 0 : static_cast<std::size_t>(apres - problemes.begin());
    }
    const QModelIndex index = modele->index(modele->Rang({&place->second, rang}), ColonnePage);
    Liste->setCurrentIndex(index);
    Liste->scrollTo(index);
    return &problemes[rang];
}

bool TPanneauProblemes::eventFilter(QObject *objet, QEvent *event)
{
    // Over the current row, for the keyboard's requests.
    if (objet == Liste && MenuAuClavier(*event)) {
        const QModelIndex courant = Liste->currentIndex();
        Liste->scrollTo(courant);
        MenuContextuel(courant, Liste->viewport()->mapToGlobal(Liste->visualRect(courant).center()));
        return true;
    }
    if (objet == Liste && event->type() == QEvent::KeyPress) {
        const auto *touche = static_cast<QKeyEvent *>(event);
        if ((touche->key() == Qt::Key_Return || touche->key() == Qt::Key_Enter) && Liste->currentIndex().isValid()) {
            Va(Liste->currentIndex());
            return true;
        }
    }
    if (event->type() == QEvent::ContextMenu) {
        const auto *demande = static_cast<QContextMenuEvent *>(event);
        if (objet == Liste->viewport() && demande->reason() != QContextMenuEvent::Keyboard) {
            const QModelIndex index = Liste->indexAt(demande->pos());
            if (index.isValid())
                Liste->setCurrentIndex(index);
            MenuContextuel(index, demande->globalPos());
            return true;
        }
    }
    return QDockWidget::eventFilter(objet, event);
}

void TPanneauProblemes::MenuContextuel(const QModelIndex &index, const QPoint &global)
{
    if (!index.isValid())
        return;
    const ModeleProblemes::Ligne &ligne = modele->lignes[static_cast<std::size_t>(index.row())];
    const Probleme &probleme = ligne.page->problemes[ligne.probleme];
    if (probleme.sorte != Probleme::Sorte::Orthographe || probleme.mot.empty())
        return;
    motMenu = QString::fromStdString(probleme.mot);
    dictionnaireMenu = QString::fromStdString(probleme.dictionnaire);
    menu->popup(global);
}

void TPanneauProblemes::Va(const QModelIndex &index)
{
    if (!index.isValid())
        return;
    const ModeleProblemes::Ligne &ligne = modele->lignes[static_cast<std::size_t>(index.row())];
    const Probleme &probleme = ligne.page->problemes[ligne.probleme];
    emit Aller(ligne.page->objet, probleme.debut, probleme.fin, QString::fromStdString(probleme.message));
}

void TPanneauProblemes::Titre()
{
    // The status bar tells the count of one page: the title names the pages when it counts more than one, so that
    // the two never seem to disagree.
    const int nombre = modele->rowCount();
    const std::size_t nombrePages = modele->pages.size();
    setWindowTitle(nombre == 0        ? QStringLiteral("Problèmes")
                   : nombrePages == 1 ? QStringLiteral("Problèmes : %1").arg(nombre)
                                      : QStringLiteral("Problèmes : %1 dans %2 pages").arg(nombre).arg(nombrePages));
}
