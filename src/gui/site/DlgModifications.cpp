// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/site/DlgModifications.h"

#include "gui/settings/CheminsQt.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

// At most that many characters of a text, its line ends shown as "⏎", for one row of the list.
QString Court(std::string_view octets, qsizetype maximum = 60)
{
    QString texte = QString::fromUtf8(octets.data(), static_cast<qsizetype>(octets.size()));
    texte.replace(QStringLiteral("\r\n"), QStringLiteral("⏎")).replace(u'\n', u'⏎').replace(u'\r', u'⏎');
    return texte.size() > maximum ? texte.left(maximum) + u'…' : texte;
}

} // namespace

TDlgModifications::TDlgModifications(QWidget *parent, const std::vector<ModificationFichier> &modifications,
                                     const QString &dossier)
    : QDialog(parent)
    , Liste(new QTreeWidget(this))
    , modifications(modifications)
    , total(new QLabel(this))
    , remplacer(new QPushButton(QStringLiteral("&Remplacer"), this))
{
    setWindowTitle(QStringLiteral("Remplacements prévus"));
    Liste->setObjectName("Modifications");
    remplacer->setObjectName("Remplacer");
    Liste->setHeaderLabels({QStringLiteral("Fichier et position"), QStringLiteral("Texte"),
                            QStringLiteral("Devient")});
    Liste->setUniformRowHeights(true);
    Liste->header()->resizeSection(0, 320);
    Liste->header()->resizeSection(1, 240);

    const QString prefixe = dossier + u'/';
    QList<QTreeWidgetItem *> fichiers;
    for (const ModificationFichier &modification : modifications) {
        QString nom = DecodeNom(modification.chemin);
        if (nom.startsWith(prefixe))
            nom = nom.mid(prefixe.size());
        const std::size_t nombre = modification.changements.size();
        auto *fichier = new QTreeWidgetItem({nombre == 1 ? QStringLiteral("%1 (1 remplacement)").arg(nom)
                                                         : QStringLiteral("%1 (%2 remplacements)").arg(nom).arg(nombre)});
        fichier->setFlags(fichier->flags() | Qt::ItemIsUserCheckable);
        fichier->setCheckState(0, Qt::Checked);
        fichier->setToolTip(0, modification.ouverte ? QStringLiteral("Page ouverte : modifiée dans sa fenêtre")
                                                    : NomAffiche(DecodeNom(modification.chemin)));
        for (std::size_t i = 0; i < nombre && i < MaximumParFichier; ++i) {
            const Changement &changement = modification.changements[i];
            new QTreeWidgetItem(
                fichier, {QStringLiteral("Ligne %1, colonne %2").arg(changement.ligne).arg(changement.colonne),
                          Court(std::string_view(modification.texte)
                                    .substr(changement.debut, changement.fin - changement.debut)),
                          Court(changement.texte)});
        }
        if (nombre > MaximumParFichier)
            new QTreeWidgetItem(fichier, {QStringLiteral("et %1 autres").arg(nombre - MaximumParFichier)});
        fichiers << fichier;
    }
    Liste->addTopLevelItems(fichiers);
    if (modifications.size() == 1)
        Liste->expandAll();
    if (!fichiers.isEmpty())
        Liste->setCurrentItem(fichiers.first());

    auto *annuler = new QPushButton(QStringLiteral("Annuler"), this);
    remplacer->setDefault(true);
    auto *boutons = new QHBoxLayout;
    boutons->addWidget(total, 1);
    boutons->addWidget(remplacer);
    boutons->addWidget(annuler);
    auto *disposition = new QVBoxLayout(this);
    auto *explication = new QLabel(QStringLiteral("Les fichiers cochés seront modifiés ; une page ouverte l'est "
                                                  "dans sa fenêtre, sans être enregistrée."),
                                   this);
    explication->setWordWrap(true);
    disposition->addWidget(explication);
    disposition->addWidget(Liste, 1);
    disposition->addLayout(boutons);
    resize(760, 460);

    connect(Liste, &QTreeWidget::itemChanged, this, &TDlgModifications::Compte);
    connect(remplacer, &QPushButton::clicked, this, &QDialog::accept);
    connect(annuler, &QPushButton::clicked, this, &QDialog::reject);
    Compte();
}

std::vector<std::size_t> TDlgModifications::Choisies() const
{
    std::vector<std::size_t> choisies;
    for (int i = 0; i < Liste->topLevelItemCount(); ++i)
        if (Liste->topLevelItem(i)->checkState(0) == Qt::Checked)
            choisies.push_back(static_cast<std::size_t>(i));
    return choisies;
}

void TDlgModifications::Compte()
{
    std::size_t fichiers = 0;
    std::size_t changements = 0;
    for (const std::size_t i : Choisies()) {
        ++fichiers;
        changements += modifications[i].changements.size();
    }
    total->setText(QStringLiteral("%1 fichier%2 coché%2, %3 remplacement%4.")
                       .arg(fichiers)
                       .arg(fichiers > 1 ? "s" : "")
                       .arg(changements)
                       .arg(changements > 1 ? "s" : ""));
    remplacer->setEnabled(fichiers > 0);
}
