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
    , Edition(new QLineEdit)
    , Liste(new QListWidget)
{
    auto *disposition = new QVBoxLayout(this);
    disposition->setContentsMargins(0, 0, 0, 0);
    disposition->setSpacing(0);
    disposition->addWidget(Edition);
    disposition->addWidget(Liste);
    // Five entries in view: the list needs no more room than the fields of the other pages.
    Liste->setFixedHeight(Liste->fontMetrics().lineSpacing() * 5 + 2 * Liste->frameWidth());
    // The field takes the focus for the whole, also from the accelerator of a label whose buddy this is: a label
    // gives the focus only to a widget that accepts it.
    setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(Edition);
    Edition->installEventFilter(this);

    connect(Edition, &QLineEdit::textEdited, this, [this](const QString &texte) {
        SelectionneDebut(texte);
        emit Change();
    });
    // The selection, not the current entry: the list makes its first entry current, unselected, when it gets the
    // focus, and that is no choice of the user's.
    connect(Liste, &QListWidget::itemSelectionChanged, this, [this] {
        const QList<QListWidgetItem *> choisies = Liste->selectedItems();
        if (!choisies.isEmpty())
            Choisit(choisies.first());
    });
    // Clicking the entry that is already current chooses it again, after the field was edited.
    connect(Liste, &QListWidget::itemClicked, this, &TComboSimple::Choisit);
}

QString TComboSimple::Texte() const
{
    return Edition->text();
}

void TComboSimple::Vide()
{
    const QSignalBlocker blocageListe(Liste);
    const QSignalBlocker blocageEdition(Edition);
    Liste->clear();
    Edition->clear();
}

void TComboSimple::Ajoute(const QStringList &entrees)
{
    const QSignalBlocker blocage(Liste);
    Liste->addItems(entrees);
}

QStringList TComboSimple::Entrees() const
{
    QStringList liste;
    for (int i = 0; i < Liste->count(); ++i)
        liste << Liste->item(i)->text();
    return liste;
}

bool TComboSimple::eventFilter(QObject *objet, QEvent *evenement)
{
    // The arrow and page keys in the field move through the list, as in a simple combo box.
    if (objet == Edition && evenement->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent *>(evenement)->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            QCoreApplication::sendEvent(Liste, evenement);
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
        const QSignalBlocker blocage(Edition);
        Edition->setText(entree->text());
    }
    emit Change();
}

void TComboSimple::SelectionneDebut(const QString &texte)
{
    const QSignalBlocker blocage(Liste);
    for (int i = 0; !texte.isEmpty() && i < Liste->count(); ++i)
        if (Liste->item(i)->text().startsWith(texte, Qt::CaseInsensitive)) {
            Liste->setCurrentRow(i);
            Liste->scrollToItem(Liste->item(i));
            return;
        }
    Liste->setCurrentRow(-1);
}

TDlgInsertionHyperlien::TDlgInsertionHyperlien(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint)
{
    setWindowTitle(QStringLiteral("Insertion d'un lien hypertexte..."));

    PageControl1 = new QTabWidget;
    PageControl1->setObjectName("PageControl1");

    Absolu = new QWidget;
    Absolu->setObjectName("Absolu");
    Protocole = new TComboHistorique(TComboHistorique::Ordre::Ajout);
    Protocole->setObjectName("Protocole");
    for (const char *protocole : {"http://", "file://", "ftp://", "mailto:", "news:"})
        Protocole->AjouteHistorique(QString::fromLatin1(protocole));
    Adresse = new TComboHistorique(TComboHistorique::Ordre::Alphabetique);
    Adresse->setObjectName("Adresse");
    auto *absolu = new QFormLayout(Absolu);
    absolu->addRow(QStringLiteral("&Protocole :"), Protocole);
    absolu->addRow(QStringLiteral("&Adresse :"), Adresse);

    Local = new QWidget;
    Local->setObjectName("Local");
    AncreLocale = new TComboSimple;
    AncreLocale->setObjectName("AncreLocale");
    auto *local = new QFormLayout(Local);
    local->addRow(QStringLiteral("&Ancre locale :"), AncreLocale);

    Relatif = new QWidget;
    Relatif->setObjectName("Relatif");
    Fichier = new TComboHistorique(TComboHistorique::Ordre::Alphabetique);
    Fichier->setObjectName("Fichier");
    Ancre = new TComboHistorique(TComboHistorique::Ordre::Ajout);
    Ancre->setObjectName("Ancre");
    auto *relatif = new QFormLayout(Relatif);
    relatif->addRow(QStringLiteral("&Nom du fichier :"), Fichier);
    relatif->addRow(QStringLiteral("&Ancre :"), Ancre);

    PageControl1->addTab(Absolu, QStringLiteral("Hyperlien absolu"));
    PageControl1->addTab(Local, QStringLiteral("Hyperlien local"));
    PageControl1->addTab(Relatif, QStringLiteral("Hyperlien relatif"));
    // Later uses show the page last shown: the tab widget keeps it.
    PageControl1->setCurrentWidget(Relatif);

    URL = new TComboHistorique(TComboHistorique::Ordre::Alphabetique);
    URL->setObjectName("URL");
    Description = new QLineEdit;
    Description->setObjectName("Description");
    StyleItalique = new QCheckBox(QStringLiteral("Style &italique"));
    StyleItalique->setObjectName("StyleItalique");
    auto *commun = new QFormLayout;
    commun->addRow(QStringLiteral("Lien &URL :"), URL);
    commun->addRow(QStringLiteral("&Description :"), Description);
    commun->addRow(StyleItalique);
    for (TComboHistorique *combo : {Protocole, Adresse, Fichier, Ancre, URL})
        Largeur(combo);

    OkBtn = new QPushButton(QStringLiteral("OK"));
    OkBtn->setObjectName("OkBtn");
    connect(OkBtn, &QPushButton::clicked, this, &TDlgInsertionHyperlien::Ok);
    CancelBtn = new QPushButton(QStringLiteral("Annuler"));
    CancelBtn->setObjectName("CancelBtn");

    auto *disposition = new QVBoxLayout(this);
    disposition->addWidget(PageControl1);
    disposition->addLayout(commun);
    AjouteBoutons(*this, *disposition, OkBtn, CancelBtn);

    // The program changes these fields only with their signals blocked: every change of their text is the user's,
    // typed, completed from the list or chosen in it. Choosing the entry already shown changes no text, but still
    // tells which kind of link the user is building.
    for (TComboHistorique *combo : {Protocole, Adresse}) {
        connect(combo, &QComboBox::editTextChanged, this, &TDlgInsertionHyperlien::MajAbsolu);
        connect(combo, &QComboBox::textActivated, this, &TDlgInsertionHyperlien::MajAbsolu);
    }
    for (TComboHistorique *combo : {Fichier, Ancre}) {
        connect(combo, &QComboBox::editTextChanged, this, &TDlgInsertionHyperlien::MajRelatif);
        connect(combo, &QComboBox::textActivated, this, &TDlgInsertionHyperlien::MajRelatif);
    }
    connect(AncreLocale, &TComboSimple::Change, this, &TDlgInsertionHyperlien::MajLocal);
}

void TDlgInsertionHyperlien::FormShow(const DocumentOuvert &actif, const std::vector<DocumentOuvert> &autres)
{
    const QString ancien = DossierCourant;
    const QString chemin = CheminLong(actif.FileName);
    DossierCourant = chemin.left(chemin.lastIndexOf(u'/') + 1);
    // The names offered and confirmed earlier are relative to the old folder.
    if (DossierCourant != ancien)
        Fichier->Vide();
    AncreLocale->Vide();
    Ancre->Vide();

    std::vector<std::string> noms;
    ListeAncres(actif.texte, noms);
    AncreLocale->Ajoute(Entrees(noms));

    noms.clear();
    for (const DocumentOuvert &autre : autres) {
        ListeAncres(autre.texte, noms);
        Fichier->AjouteHistorique(CheminRelatif(autre.FileName, actif.FileName));
    }
    Ancre->AjouteNouveaux(Entrees(noms));
}

void TDlgInsertionHyperlien::MajAbsolu()
{
    TypeLien = Lien::Absolu;
    URL->setEditText(QString::fromStdString(
        UrlAbsolue(Protocole->currentText().toStdString(), Adresse->currentText().toStdString())));
    Description->setText(Adresse->currentText());
}

void TDlgInsertionHyperlien::MajLocal()
{
    TypeLien = Lien::Local;
    URL->setEditText(QString::fromStdString(UrlLocale(AncreLocale->Texte().toStdString())));
}

void TDlgInsertionHyperlien::MajRelatif()
{
    TypeLien = Lien::Relatif;
    URL->setEditText(QString::fromStdString(
        UrlRelative(Fichier->currentText().toStdString(), Ancre->currentText().toStdString())));
}

void TDlgInsertionHyperlien::Ok()
{
    URL->AjouteHistorique(URL->currentText());
    if (TypeLien == Lien::Absolu) {
        Protocole->AjouteHistorique(Protocole->currentText());
        Adresse->AjouteHistorique(Adresse->currentText());
    } else if (TypeLien == Lien::Relatif) {
        Fichier->AjouteHistorique(Fichier->currentText());
        Ancre->AjouteHistorique(Ancre->currentText());
    }
    const std::string url = URL->currentText().toStdString();
    const std::string description = Description->text().toStdString();
    ouverture = OuvertureLien(url, description, StyleItalique->isChecked());
    fermeture = FermetureLien(description, StyleItalique->isChecked());
    accept();
}
