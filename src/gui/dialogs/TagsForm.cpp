// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/dialogs/TagsForm.h"

#include "gui/commun/Utilisateur.h"
#include "gui/settings/Fichiers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

TTagsForm::TTagsForm(QWidget *parent, Utilisateur &utilisateur, const QString &dossierTags, DocumentActif active)
    : TFenetreOutil(parent)
    , filtre(new QLineEdit(this))
    , arbre(new QTreeWidget(this))
    , utilisateur(utilisateur)
    , active(std::move(active))
{
    setWindowTitle(QStringLiteral("Tags..."));
    // A tool window is placed on the screen, not in the frame.
    resize(224, 300);
    move(372, 254);

    auto *disposition = new QVBoxLayout(this);
    disposition->setContentsMargins(0, 0, 0, 0);
    disposition->setSpacing(0);
    disposition->addWidget(filtre);
    disposition->addWidget(arbre);
    filtre->setPlaceholderText(QStringLiteral("Tapez pour filtrer"));
    filtre->setAccessibleName(QStringLiteral("Filtre des balises"));
    filtre->setClearButtonEnabled(true);
    connect(filtre, &QLineEdit::textChanged, this, &TTagsForm::Filtrer);
    // Return in the filter writes the entry that the keyboard is on.
    connect(filtre, &QLineEdit::returnPressed, this, [this] {
        if (arbre->currentItem())
            Valide();
    });
    arbre->setIndentation(19);
    arbre->setSortingEnabled(false);
    arbre->setHeaderHidden(true);
    arbre->setColumnCount(1);
    arbre->setSelectionMode(QAbstractItemView::SingleSelection);
    arbre->setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(arbre, &QTreeWidget::itemDoubleClicked, this, &TTagsForm::EcritEntree);
    ListeAuClavier(arbre);

    // Hidden and system files count, and folders too: a folder named like a tags file is reported as unreadable.
    // A Linux listing comes in no particular order, so the branches are sorted by name to stay the same from one
    // start to the next.
    const QDir dossier(dossierTags, QStringLiteral("*.txt"), QDir::Name | QDir::IgnoreCase,
                       QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    const QFileInfoList fichiers = dossier.exists() ? dossier.entryInfoList() : QFileInfoList();
    for (const QFileInfo &fichier : fichiers) {
        QTreeWidgetItem *noeud =
            Noeud({NatureTag::Fichier, QFile::encodeName(fichier.fileName()).toStdString(), {}, {}},
                  fichier.completeBaseName());
        arbre->addTopLevelItem(noeud);
        if (!ChargeFichierTags(fichier.filePath(), noeud))
            break;
    }
}

QTreeWidgetItem *TTagsForm::Noeud(TTag tag, const QString &libelle)
{
    auto *noeud = new QTreeWidgetItem(QStringList{libelle});
    noeud->setData(0, Qt::UserRole, QVariant::fromValue(static_cast<qulonglong>(ListeTags.size())));
    ListeTags.push_back(std::move(tag));
    return noeud;
}

bool TTagsForm::ChargeFichierTags(const QString &nomFichier, QTreeWidgetItem *noeudFichier)
{
    QFile fichier;
    const bool ouvert = OuvreEnLecture(nomFichier, fichier);
    const QByteArray octets = ouvert ? fichier.readAll() : QByteArray();
    const bool lu = ouvert && fichier.error() == QFileDevice::NoError;

    // The entries read before a read error stay in the tree.
    for (BaliseTags &balise : LitFichierTags(std::string_view(octets.constData(), octets.size()))) {
        const QString libelle = QString::fromStdString(balise.balise.Libelle);
        QTreeWidgetItem *noeudBalise = Noeud(std::move(balise.balise), libelle);
        noeudFichier->addChild(noeudBalise);
        for (TTag &attribut : balise.attributs) {
            const QString libelleAttribut = QString::fromStdString(attribut.Libelle);
            noeudBalise->addChild(Noeud(std::move(attribut), libelleAttribut));
        }
    }
    if (!lu)
        utilisateur.Erreur(parentWidget(), QStringLiteral("Ne peut lire le fichier %1").arg(nomFichier));
    return lu;
}

void TTagsForm::EcritEntree()
{
    TWndHTML *w = active();
    const QList<QTreeWidgetItem *> selection = arbre->selectedItems();
    if (!w || selection.isEmpty())
        return;
    const auto place = static_cast<std::size_t>(selection.constFirst()->data(0, Qt::UserRole).toULongLong());
    if (place >= ListeTags.size())
        return;
    if (const auto textes = TextesInsertion(ListeTags[place])) {
        w->InsertionTexte(textes->first, textes->second);
        RendClavier(w->EditHTML);
    }
}

void TTagsForm::Valide()
{
    QTreeWidgetItem *courant = arbre->currentItem();
    if (courant && !courant->parent())
        courant->setExpanded(!courant->isExpanded());
    else
        EcritEntree();
}

bool TTagsForm::eventFilter(QObject *objet, QEvent *event)
{
    if (objet == arbre && event->type() == QEvent::KeyPress) {
        const auto *touche = static_cast<QKeyEvent *>(event);
        const QString texte = touche->text();
        const bool raccourci = touche->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
        if (!raccourci && !texte.isEmpty() && texte.front().isPrint()) {
            filtre->insert(texte);
            return true;
        }
        if (touche->key() == Qt::Key_Backspace && !filtre->text().isEmpty()) {
            filtre->backspace();
            return true;
        }
    }
    return TFenetreOutil::eventFilter(objet, event);
}

void TTagsForm::hideEvent(QHideEvent *event)
{
    filtre->clear();
    TFenetreOutil::hideEvent(event);
}

void TTagsForm::Filtrer(const QString &texte)
{
    const auto tient = [&texte](const QTreeWidgetItem *noeud) {
        return noeud->text(0).contains(texte, Qt::CaseInsensitive);
    };
    // Whether the node is shown: it or an entry above it holds the text, or an entry below it is shown.
    const auto montre = [&](const auto &soi, QTreeWidgetItem *noeud, bool auDessus) -> bool {
        const bool lui = auDessus || tient(noeud);
        bool dessous = false;
        for (int i = 0; i < noeud->childCount(); ++i)
            dessous = soi(soi, noeud->child(i), lui) || dessous;
        noeud->setHidden(!lui && !dessous);
        if (dessous && !texte.isEmpty())
            noeud->setExpanded(true);
        return lui || dessous;
    };
    for (int i = 0; i < arbre->topLevelItemCount(); ++i)
        montre(montre, arbre->topLevelItem(i), false);

    // The keyboard stays on an entry that holds the text, or lies under one that does.
    for (const QTreeWidgetItem *n = arbre->currentItem(); n; n = n->parent()) {
        if (tient(n))
            return;
    }
    QTreeWidgetItem *premier = nullptr;
    for (QTreeWidgetItemIterator it(arbre, QTreeWidgetItemIterator::NotHidden); *it && !premier; ++it) {
        if ((*it)->parent() && tient(*it))
            premier = *it;
    }
    if (!premier)
        premier = *QTreeWidgetItemIterator(arbre, QTreeWidgetItemIterator::NotHidden);
    // With nothing shown, nothing stays selected, and Return writes nothing.
    arbre->clearSelection();
    arbre->setCurrentItem(premier);
}
