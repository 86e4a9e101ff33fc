// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/dialogs/DlgInsertionHyperlien.h"

#include "gui/commun/BoutonsDialogue.h"

#include "core/document/Ancres.h"
#include "core/insertion/Hyperlien.h"
#include "gui/dialogs/ComboHistorique.h"
#include "gui/settings/CheminsQt.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

QStringList Entrees(const std::vector<std::string> &noms)
{
    QStringList liste;
    liste.reserve(static_cast<qsizetype>(noms.size()));
    for (const std::string &nom : noms)
        liste << QString::fromStdString(nom);
    return liste;
}

// The combo boxes of the dialog are wide enough for a usual address, whatever their lists hold, so that the fixed
// size of the dialog does not follow the histories.
void Largeur(TComboHistorique *combo)
{
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(40);
}

} // namespace

TComboSimple::TComboSimple(QWidget *parent)
    : QWidget(parent)
    , edition(new QLineEdit)
    , liste(new QListWidget)
{
    auto *disposition = new QVBoxLayout(this);
    disposition->setContentsMargins(0, 0, 0, 0);
    disposition->setSpacing(0);
    disposition->addWidget(edition);
    disposition->addWidget(liste);
    // Five entries in view: the list needs no more room than the fields of the other pages.
    liste->setFixedHeight(liste->fontMetrics().lineSpacing() * 5 + 2 * liste->frameWidth());
    // The field takes the focus for the whole, also from the accelerator of a label whose buddy this is: a label
    // gives the focus only to a widget that accepts it.
    setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(edition);
    edition->installEventFilter(this);

    connect(edition, &QLineEdit::textEdited, this, [this](const QString &texte) {
        SelectionneDebut(texte);
        emit Change();
    });
    // The selection, not the current entry: the list makes its first entry current, unselected, when it gets the
    // focus, and that is no choice of the user's.
    connect(liste, &QListWidget::itemSelectionChanged, this, [this] {
        const QList<QListWidgetItem *> choisies = liste->selectedItems();
        if (!choisies.isEmpty())
            Choisit(choisies.first());
    });
    // Clicking the entry that is already current chooses it again, after the field was edited.
    connect(liste, &QListWidget::itemClicked, this, &TComboSimple::Choisit);
}

QString TComboSimple::Texte() const
{
    return edition->text();
}

void TComboSimple::Vide()
{
    const QSignalBlocker blocageListe(liste);
    const QSignalBlocker blocageEdition(edition);
    liste->clear();
    edition->clear();
}

void TComboSimple::Ajoute(const QStringList &entrees)
{
    const QSignalBlocker blocage(liste);
    liste->addItems(entrees);
}

QStringList TComboSimple::Entrees() const
{
    QStringList textes;
    for (int i = 0; i < liste->count(); ++i)
        textes << liste->item(i)->text();
    return textes;
}

bool TComboSimple::eventFilter(QObject *objet, QEvent *evenement)
{
    // The arrow and page keys in the field move through the list, as in a simple combo box.
    if (objet == edition && evenement->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent *>(evenement)->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            QCoreApplication::sendEvent(liste, evenement);
            return true;
        default:
            break;
        }
    }
    return QWidget::eventFilter(objet, evenement);
}

void TComboSimple::Choisit(QListWidgetItem *entree)
{
    if (!entree)
        return;
    {
        const QSignalBlocker blocage(edition);
        edition->setText(entree->text());
    }
    emit Change();
}

void TComboSimple::SelectionneDebut(const QString &texte)
{
    const QSignalBlocker blocage(liste);
    for (int i = 0; !texte.isEmpty() && i < liste->count(); ++i)
        if (liste->item(i)->text().startsWith(texte, Qt::CaseInsensitive)) {
            liste->setCurrentRow(i);
            liste->scrollToItem(liste->item(i));
            return;
        }
    liste->setCurrentRow(-1);
}

TDlgInsertionHyperlien::TDlgInsertionHyperlien(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint)
    , protocole(new TComboHistorique(TComboHistorique::Ordre::Ajout))
    , adresse(new TComboHistorique(TComboHistorique::Ordre::Alphabetique))
    , ancreLocale(new TComboSimple)
    , fichier(new TComboHistorique(TComboHistorique::Ordre::Alphabetique))
    , ancre(new TComboHistorique(TComboHistorique::Ordre::Ajout))
    , url(new TComboHistorique(TComboHistorique::Ordre::Alphabetique))
    , description(new QLineEdit)
    , italique(new QCheckBox(QStringLiteral("Style &italique")))
{
    setWindowTitle(QStringLiteral("Insertion d'un lien hypertexte..."));
    const std::pair<QWidget *, const char *> noms[] = {{protocole, "Protocole"}, {adresse, "Adresse"},
                                                       {ancreLocale, "AncreLocale"}, {fichier, "Fichier"},
                                                       {ancre, "Ancre"}, {url, "URL"}};
    for (const auto &[champ, nom] : noms)
        champ->setObjectName(QLatin1String(nom));

    for (const char *debut : {"http://", "file://", "ftp://", "mailto:", "news:"})
        protocole->AjouteHistorique(QString::fromLatin1(debut));
    auto *absolu = new QWidget;
    auto *champsAbsolu = new QFormLayout(absolu);
    champsAbsolu->addRow(QStringLiteral("&Protocole :"), protocole);
    champsAbsolu->addRow(QStringLiteral("&Adresse :"), adresse);

    auto *local = new QWidget;
    auto *champsLocal = new QFormLayout(local);
    champsLocal->addRow(QStringLiteral("&Ancre locale :"), ancreLocale);

    auto *relatif = new QWidget;
    auto *champsRelatif = new QFormLayout(relatif);
    champsRelatif->addRow(QStringLiteral("&Nom du fichier :"), fichier);
    champsRelatif->addRow(QStringLiteral("&Ancre :"), ancre);

    auto *onglets = new QTabWidget;
    onglets->addTab(absolu, QStringLiteral("Hyperlien absolu"));
    onglets->addTab(local, QStringLiteral("Hyperlien local"));
    onglets->addTab(relatif, QStringLiteral("Hyperlien relatif"));
    // Later uses show the page last shown: the tab widget keeps it.
    onglets->setCurrentWidget(relatif);

    auto *commun = new QFormLayout;
    commun->addRow(QStringLiteral("Lien &URL :"), url);
    commun->addRow(QStringLiteral("&Description :"), description);
    commun->addRow(italique);
    for (TComboHistorique *combo : {protocole, adresse, fichier, ancre, url})
        Largeur(combo);

    auto *ok = new QPushButton(QStringLiteral("OK"));
    ok->setObjectName("OK");
    connect(ok, &QPushButton::clicked, this, &TDlgInsertionHyperlien::Ok);
    auto *annuler = new QPushButton(QStringLiteral("Annuler"));
    annuler->setObjectName("Annuler");

    auto *disposition = new QVBoxLayout(this);
    disposition->addWidget(onglets);
    disposition->addLayout(commun);
    AjouteBoutons(*this, *disposition, ok, annuler);

    // The program changes these fields only with their signals blocked: every change of their text is the user's,
    // typed, completed from the list or chosen in it. Choosing the entry already shown changes no text, but still
    // tells which kind of link the user is building.
    for (TComboHistorique *combo : {protocole, adresse}) {
        connect(combo, &QComboBox::editTextChanged, this, &TDlgInsertionHyperlien::MajAbsolu);
        connect(combo, &QComboBox::textActivated, this, &TDlgInsertionHyperlien::MajAbsolu);
    }
    for (TComboHistorique *combo : {fichier, ancre}) {
        connect(combo, &QComboBox::editTextChanged, this, &TDlgInsertionHyperlien::MajRelatif);
        connect(combo, &QComboBox::textActivated, this, &TDlgInsertionHyperlien::MajRelatif);
    }
    connect(ancreLocale, &TComboSimple::Change, this, &TDlgInsertionHyperlien::MajLocal);
}

void TDlgInsertionHyperlien::Prepare(const DocumentOuvert &actif, const std::vector<DocumentOuvert> &autres)
{
    const QString ancien = dossierCourant;
    const QString chemin = CheminLong(actif.chemin);
    dossierCourant = chemin.left(chemin.lastIndexOf(u'/') + 1);
    // The names offered and confirmed earlier are relative to the old folder.
    if (dossierCourant != ancien)
        fichier->Vide();
    ancreLocale->Vide();
    ancre->Vide();

    std::vector<std::string> noms;
    ListeAncres(actif.texte, noms);
    ancreLocale->Ajoute(Entrees(noms));

    noms.clear();
    for (const DocumentOuvert &autre : autres) {
        ListeAncres(autre.texte, noms);
        fichier->AjouteHistorique(CheminRelatif(autre.chemin, actif.chemin));
    }
    ancre->AjouteNouveaux(Entrees(noms));
}

void TDlgInsertionHyperlien::MajAbsolu()
{
    typeLien = Lien::Absolu;
    url->setEditText(QString::fromStdString(
        UrlAbsolue(protocole->currentText().toStdString(), adresse->currentText().toStdString())));
    description->setText(adresse->currentText());
}

void TDlgInsertionHyperlien::MajLocal()
{
    typeLien = Lien::Local;
    url->setEditText(QString::fromStdString(UrlLocale(ancreLocale->Texte().toStdString())));
}

void TDlgInsertionHyperlien::MajRelatif()
{
    typeLien = Lien::Relatif;
    url->setEditText(QString::fromStdString(
        UrlRelative(fichier->currentText().toStdString(), ancre->currentText().toStdString())));
}

void TDlgInsertionHyperlien::Ok()
{
    url->AjouteHistorique(url->currentText());
    if (typeLien == Lien::Absolu) {
        protocole->AjouteHistorique(protocole->currentText());
        adresse->AjouteHistorique(adresse->currentText());
    } else if (typeLien == Lien::Relatif) {
        fichier->AjouteHistorique(fichier->currentText());
        ancre->AjouteHistorique(ancre->currentText());
    }
    const std::string adresseLien = url->currentText().toStdString();
    const std::string texte = description->text().toStdString();
    ouverture = OuvertureLien(adresseLien, texte, italique->isChecked());
    fermeture = FermetureLien(texte, italique->isChecked());
    accept();
}
