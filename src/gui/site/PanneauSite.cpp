// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/site/PanneauSite.h"

#include "core/document/TextPairs.h"
#include "core/texte/Encodage.h"
#include "gui/commun/MenuAuClavier.h"
#include "gui/commun/OrdreNaturel.h"
#include "gui/commun/Utilisateur.h"
#include "gui/settings/CheminsQt.h"
#include "gui/settings/Fichiers.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeDatabase>
#include <QSortFilterProxyModel>
#include <QStandardPaths>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

bool EstUnePage(const QString &nom)
{
    const QString suffixe = QFileInfo(nom).suffix();
    for (const char *page : {"htm", "html", "xhtml", "shtml"})
        if (suffixe.compare(QLatin1String(page), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

} // namespace

// The order of the tree and its filter, over the files as the system gives them.
class TTriSite : public QSortFilterProxyModel {
public:
    explicit TTriSite(QObject *parent)
        : QSortFilterProxyModel(parent)
    {
    }

    void Filtre(const QString &texte)
    {
        filtre = texte;
        invalidateFilter();
    }

protected:
    bool lessThan(const QModelIndex &gauche, const QModelIndex &droite) const override
    {
        const int rangGauche = Rang(gauche);
        const int rangDroite = Rang(droite);
        if (rangGauche != rangDroite)
            return rangGauche < rangDroite;
        const auto *fichiers = static_cast<const QFileSystemModel *>(sourceModel());
        return ordre.compare(fichiers->fileName(gauche), fichiers->fileName(droite)) < 0;
    }

    bool filterAcceptsRow(int ligne, const QModelIndex &parent) const override
    {
        if (filtre.isEmpty())
            return true;
        const auto *fichiers = static_cast<const QFileSystemModel *>(sourceModel());
        const QModelIndex index = fichiers->index(ligne, 0, parent);
        return fichiers->isDir(index) || fichiers->fileName(index).contains(filtre, Qt::CaseInsensitive);
    }

private:
    // Folders, then pages, then the other files.
    int Rang(const QModelIndex &index) const
    {
        const auto *fichiers = static_cast<const QFileSystemModel *>(sourceModel());
        return fichiers->isDir(index) ? 0 : EstUnePage(fichiers->fileName(index)) ? 1 : 2;
    }

    QString filtre;
    QCollator ordre = OrdreNaturel();
};

TPanneauSite::TPanneauSite(QWidget *parent, Utilisateur &utilisateur)
    : QDockWidget(QStringLiteral("Site"), parent)
    , utilisateur(utilisateur)
    , modele(new QFileSystemModel(this))
    , tri(new TTriSite(this))
{
    setObjectName("PanneauSite");
    modele->setFilter(QDir::AllEntries | QDir::AllDirs | QDir::NoDotAndDotDot);
    modele->setReadOnly(true);
    tri->setSourceModel(modele);
    tri->sort(0);

    auto *contenu = new QWidget(this);
    auto *disposition = new QVBoxLayout(contenu);
    disposition->setContentsMargins(0, 0, 0, 0);
    Filtre = new QLineEdit(contenu);
    Filtre->setPlaceholderText(QStringLiteral("Filtrer les noms"));
    Filtre->setAccessibleName(QStringLiteral("Filtre des fichiers du site"));
    Filtre->setClearButtonEnabled(true);
    Filtre->installEventFilter(this);
    connect(Filtre, &QLineEdit::textChanged, tri, &TTriSite::Filtre);
    aucun = new QLabel(QStringLiteral("Aucun site : choisissez-en un avec « Ouvrir un site... » du menu Fichier."),
                       contenu);
    aucun->setWordWrap(true);
    Arbre = new QTreeView(contenu);
    Arbre->setAccessibleName(QStringLiteral("Fichiers du site"));
    Arbre->setModel(tri);
    Arbre->setHeaderHidden(true);
    // The name alone: the size, kind and date of each file would need the tree's whole width.
    for (int colonne = 1; colonne < modele->columnCount(); ++colonne)
        Arbre->hideColumn(colonne);
    Arbre->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Arbre->setContextMenuPolicy(Qt::CustomContextMenu);
    Arbre->installEventFilter(this);
    connect(Arbre, &QTreeView::doubleClicked, this, [this](const QModelIndex &index) {
        // A folder opens or closes on its own.
        if (!modele->isDir(tri->mapToSource(index)))
            Active(index);
    });
    connect(Arbre, &QWidget::customContextMenuRequested, this, &TPanneauSite::MenuContextuel);
    disposition->addWidget(Filtre);
    disposition->addWidget(aucun);
    disposition->addWidget(Arbre);
    setWidget(contenu);
    Montre(QString());
}

void TPanneauSite::Montre(const QString &nouveau)
{
    if (nouveau == dossier && !dossier.isEmpty())
        return;
    dossier = nouveau;
    aucun->setVisible(dossier.isEmpty());
    Arbre->setVisible(!dossier.isEmpty());
    Filtre->setVisible(!dossier.isEmpty());
    Filtre->clear();
    if (dossier.isEmpty())
        return;
    setWindowTitle(QStringLiteral("Site : %1").arg(NomAffiche(QFileInfo(dossier).fileName())));
    Arbre->setRootIndex(tri->mapFromSource(modele->setRootPath(dossier)));
}

QString TPanneauSite::Chemin(const QModelIndex &index) const
{
    return index.isValid() ? modele->filePath(tri->mapToSource(index)) : dossier;
}

void TPanneauSite::Active(const QModelIndex &index)
{
    if (!index.isValid())
        return;
    if (modele->isDir(tri->mapToSource(index))) {
        Arbre->setExpanded(index, !Arbre->isExpanded(index));
        return;
    }
    const QString chemin = Chemin(index);
    if (EstUnePage(chemin) || QMimeDatabase().mimeTypeForFile(chemin).inherits(QStringLiteral("text/plain")))
        emit Ouvrir(chemin);
    else
        emit Naviguer(chemin);
}

bool TPanneauSite::eventFilter(QObject *objet, QEvent *event)
{
    if (objet == Arbre && MenuAuClavier(*event)) {
        const QModelIndex courant = Arbre->currentIndex();
        Arbre->scrollTo(courant);
        MenuContextuel(courant.isValid() ? Arbre->visualRect(courant).center() : QPoint(-1, -1));
        return true;
    }
    if (event->type() != QEvent::KeyPress)
        return QDockWidget::eventFilter(objet, event);
    const auto *touche = static_cast<QKeyEvent *>(event);
    const bool entree = touche->key() == Qt::Key_Return || touche->key() == Qt::Key_Enter;
    if (objet == Arbre) {
        const QModelIndex courant = Arbre->currentIndex();
        if (entree) {
            Active(courant);
            return true;
        }
        if (touche->key() == Qt::Key_F2 && courant.isValid()) {
            emit Renommer(Chemin(courant));
            return true;
        }
        if (touche->key() == Qt::Key_Delete && courant.isValid()) {
            Supprime(Chemin(courant));
            return true;
        }
        const QString texte = touche->text();
        if (!texte.isEmpty() && texte.at(0).isPrint() &&
            !(touche->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
            Filtre->setFocus();
            Filtre->insert(texte);
            return true;
        }
    } else if (objet == Filtre) {
        if (entree || touche->key() == Qt::Key_Down) {
            Arbre->setFocus();
            if (!Arbre->currentIndex().isValid())
                Arbre->setCurrentIndex(tri->index(0, 0, Arbre->rootIndex()));
            return true;
        }
        if (touche->key() == Qt::Key_Escape && !Filtre->text().isEmpty()) {
            Filtre->clear();
            Arbre->setFocus();
            return true;
        }
    }
    return QDockWidget::eventFilter(objet, event);
}

void TPanneauSite::MenuContextuel(const QPoint &position)
{
    const QModelIndex index = Arbre->indexAt(position);
    const QString chemin = Chemin(index);
    const bool fichier = index.isValid() && !modele->isDir(tri->mapToSource(index));
    QMenu menu(this);
    menu.addAction(QStringLiteral("&Nouvelle page..."), this,
                   [this, chemin, fichier] { NouvellePage(fichier ? QFileInfo(chemin).path() : chemin); });
    menu.addAction(QStringLiteral("&Renommer...\tF2"), this, [this, chemin] { emit Renommer(chemin); })
        ->setEnabled(index.isValid());
    menu.addAction(QStringLiteral("&Supprimer\tSuppr"), this, [this, chemin] { Supprime(chemin); })
        ->setEnabled(index.isValid());
    menu.addSeparator();
    menu.addAction(QStringLiteral("Ouvrir dans le na&vigateur"), this, [this, chemin] { emit Naviguer(chemin); })
        ->setEnabled(fichier);
    menu.exec(Arbre->viewport()->mapToGlobal(position));
}

void TPanneauSite::NouvellePage(const QString &dossierPage)
{
    QInputDialog dialogue(this);
    dialogue.setWindowTitle(QStringLiteral("Nouvelle page"));
    dialogue.setLabelText(QStringLiteral("Nom de la page, dans %1 :").arg(NomAffiche(dossierPage)));
    dialogue.setTextValue(QStringLiteral("page.htm"));
    if (utilisateur.Execute(dialogue) != QDialog::Accepted)
        return;
    QString nom = dialogue.textValue().trimmed();
    if (nom.isEmpty())
        return;
    if (nom.contains(u'/')) {
        utilisateur.Erreur(this, QStringLiteral("Le nom d'une page ne peut contenir de « / »."));
        return;
    }
    if (QFileInfo(nom).suffix().isEmpty())
        nom += QStringLiteral(".htm");
    const QString chemin = QDir(dossierPage).filePath(nom);
    if (QFileInfo::exists(chemin) || QFileInfo(chemin).isSymLink()) {
        utilisateur.Erreur(this, QStringLiteral("%1 existe déjà.").arg(NomAffiche(chemin)));
        return;
    }
    // A new page is UTF-8 with LF line ends, as a new window's is.
    const std::string page = AvecFinsDeLigne(TextPairs[PaireModele].ouverture, FinDeLigne::Lf) +
                             AvecFinsDeLigne(TextPairs[PaireModele].fermeture, FinDeLigne::Lf);
    if (!EcritFichier(chemin, {page})) {
        utilisateur.Erreur(this, QStringLiteral("Ne peut créer le fichier %1").arg(NomAffiche(chemin)));
        return;
    }
    emit Ouvrir(chemin);
}

void TPanneauSite::Supprime(const QString &chemin)
{
    const QFileInfo cible(chemin);
    const QString question = cible.isDir() && !cible.isSymLink()
                                 ? QStringLiteral("Mettre le dossier %1 et tout ce qu'il contient à la corbeille ?")
                                 : QStringLiteral("Mettre %1 à la corbeille ?");
    if (!utilisateur.OuiNon(this, QStringLiteral("Confirmation"), question.arg(NomAffiche(chemin))))
        return;
    // Without the desktop's data folder, Qt 6.4 would put the file in a "files" folder of the working folder and
    // call it trashed.
    if (!QDir().mkpath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)) ||
        !QFile::moveToTrash(chemin))
        utilisateur.Erreur(this, QStringLiteral("%1 ne peut être mis à la corbeille.").arg(NomAffiche(chemin)));
}
