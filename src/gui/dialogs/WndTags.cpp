#include "gui/dialogs/WndTags.h"

#include "gui/commun/Utilisateur.h"
#include "gui/settings/Fichiers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QTreeWidget>
#include <QVBoxLayout>

TTagsForm::TTagsForm(QWidget *parent, Utilisateur &utilisateur, const QString &dossierTags, DocumentActif active)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint)
    , Tags(new QTreeWidget(this))
    , utilisateur(utilisateur)
    , active(std::move(active))
{
    setWindowTitle(QStringLiteral("Tags..."));
    // A tool window is placed on the screen, not in the frame.
    resize(224, 300);
    move(372, 254);

    auto *disposition = new QVBoxLayout(this);
    disposition->setContentsMargins(0, 0, 0, 0);
    disposition->addWidget(Tags);
    Tags->setObjectName(QStringLiteral("Tags"));
    Tags->setIndentation(19);
    Tags->setSortingEnabled(false);
    Tags->setHeaderHidden(true);
    Tags->setColumnCount(1);
    Tags->setSelectionMode(QAbstractItemView::SingleSelection);
    Tags->setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(Tags, &QTreeWidget::itemDoubleClicked, this, &TTagsForm::TagsDblClick);

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
        Tags->addTopLevelItem(noeud);
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

void TTagsForm::TagsDblClick()
{
    TWndHTML *w = active();
    const QList<QTreeWidgetItem *> selection = Tags->selectedItems();
    if (!w || selection.isEmpty())
        return;
    const auto place = static_cast<std::size_t>(selection.constFirst()->data(0, Qt::UserRole).toULongLong());
    if (place >= ListeTags.size())
        return;
    if (const auto textes = TextesInsertion(ListeTags[place])) {
        w->InsertionTexte(textes->first, textes->second);
        // The keyboard goes back to the page, so that the user types on.
        w->window()->activateWindow();
        w->EditHTML->setFocus();
    }
}

void TTagsForm::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(event);
}
