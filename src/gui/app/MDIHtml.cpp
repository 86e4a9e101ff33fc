// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/MDIHtml.h"

#include "core/document/Journal.h"
#include "core/session/Bureau.h"
#include "core/session/LigneDeCommande.h"
#include "core/verification/Liens.h"
#include "gui/apercu/Apercu.h"
#include "gui/app/Disposition.h"
#include "gui/app/ListeCommandes.h"
#include "gui/app/DlgAideAPropos.h"
#include "gui/app/EtatPage.h"
#include "gui/app/Navigateur.h"
#include "gui/app/Session.h"
#include "gui/dialogs/DlgInsertionAncreLocale.h"
#include "gui/dialogs/DlgChercher.h"
#include "gui/dialogs/DlgEntourer.h"
#include "gui/dialogs/DlgInsertionHyperlien.h"
#include "gui/dialogs/DlgInsertionImage.h"
#include "gui/dialogs/DlgRemplacer.h"
#include "gui/dialogs/TagsForm.h"
#include "gui/dialogs/DlgInsertionTitre.h"
#include "gui/document/Recuperation.h"
#include "gui/document/WndHTML.h"
#include "gui/entities/WndCaracteres.h"
#include "gui/settings/CheminsQt.h"
#include "gui/settings/Emplacements.h"
#include "gui/settings/Fichiers.h"
#include "gui/site/PanneauRecherche.h"
#include "gui/site/PanneauSite.h"
#include "gui/verification/PanneauProblemes.h"
#include "gui/verification/Verification.h"

#include <QAction>
#include <QClipboard>
#include <QDateTime>
#include <QDesktopServices>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QScreen>
#include <Qsci/qscicommand.h>
#include <Qsci/qscicommandset.h>
#include <QStatusBar>
#include <QTimer>

#include <algorithm>
#include <memory>
#include <new>
#include <utility>
#include <variant>
#include <vector>

#include <sys/stat.h>

TMDIHtml::TMDIHtml(const QString &fichierParametres, std::unique_ptr<Utilisateur> utilisateur,
                   const QString &fichierAccents, const QString &dossierRecuperation)
    : utilisateur(std::move(utilisateur))
    , parametres(fichierParametres)
    , DlgFonte(QFontDatabase::systemFont(QFontDatabase::FixedFont))
    , navigateur(std::make_unique<TNavigateur>(this, *this->utilisateur, parametres))
    , mdiArea(new QMdiArea(this))
{
    // The icons are compiled into this static library: their resources must be registered by hand.
    Q_INIT_RESOURCE(icones);
    Q_INIT_RESOURCE(balizo);
    setWindowTitle(QStringLiteral("Balizo"));
    // The program's own icon, as the desktop shows it in its menus, at every size drawn for it.
    QIcon programme;
    for (const int taille : {16, 22, 24, 32, 48, 64, 128, 256})
        programme.addFile(QStringLiteral(":/icones/balizo/%1x%1.png").arg(taille));
    setWindowIcon(programme);
    setCentralWidget(mdiArea);
    // Files dropped on the frame or on a page open as with "&Ouvrir...".
    setAcceptDrops(true);
    mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // When the page in front closes, the one that was in front before it comes back, as its place in `Fenetres`
    // says.
    mdiArea->setActivationOrder(QMdiArea::ActivationHistoryOrder);
    connect(mdiArea, &QMdiArea::subWindowActivated, this, &TMDIHtml::MajMenus);
    // A page changed by another program is told of when its window, or the program, becomes active again.
    const auto verifie = [this] {
        if (TWndHTML *w = FenetreActive(); w && QGuiApplication::applicationState() == Qt::ApplicationActive)
            w->VerifieFichier();
    };
    connect(mdiArea, &QMdiArea::subWindowActivated, this, verifie, Qt::QueuedConnection);
    connect(qGuiApp, &QGuiApplication::applicationStateChanged, this, verifie, Qt::QueuedConnection);
    recuperation = new TRecuperation(dossierRecuperation, this);
    connect(recuperation, &TRecuperation::Echec, this,
            [this](const QString &message) { statusBar()->showMessage(message); });
    session = new TSession(*this, *this->utilisateur, parametres, *recuperation);

    // The desktop's fixed-width font, until the user chooses one.
    if (const QString famille = parametres.LitFonte(); !famille.isEmpty())
        DlgFonte.setFamily(famille);
    DlgFonte.setPointSize(parametres.LitTaille(DlgFonte.pointSize()));
    fermeBalises = parametres.LitFermeBalises();
    AppliqueSchema(parametres.LitSchema());

    CreeOutils(fichierAccents);
    CreeVerification(QFileInfo(fichierParametres).absolutePath());
    CreeRechercheFichiers();

    etat = new TEtatPage(statusBar());
    minuterieEtat = new QTimer(this);
    minuterieEtat->setSingleShot(true);
    minuterieEtat->setInterval(0);
    connect(minuterieEtat, &QTimer::timeout, this, [this] {
        etat->Montre(FenetreActive());
        MajAnnulation();
    });

    // The preview follows the active page; the engine starts only when the dock first shows. A link clicked in it
    // opens in the desktop's browser (xdg-open), never in the dock.
    apercu = new TApercu(this);
    addDockWidget(Qt::RightDockWidgetArea, apercu);
    apercu->hide();
    connect(mdiArea, &QMdiArea::subWindowActivated, this, [this] { apercu->Suit(FenetreActive()); });
    connect(apercu, &TApercu::LienOuvert, this, [](const QUrl &adresse) { QDesktopServices::openUrl(adresse); });

    CreeCommandes();
    CreeSite();
    // The docks' entries in "Fenê&tres" are ticked while they show.
    for (auto [nom, dock] : {std::pair<const char *, QDockWidget *>{"ApercuEnDirect", apercu},
                             {"PanneauSite", panneauSite},
                             {"ResultatsRecherche", panneauRecherche}}) {
        Action(nom)->setCheckable(true);
        connect(dock->toggleViewAction(), &QAction::toggled, Action(nom), &QAction::setChecked);
    }
    AppliqueOnglets(parametres.LitOnglets());
    MajMenus();
}

void TMDIHtml::CreeOutils(const QString &fichierAccents)
{
    const DocumentActif active = [this] { return FenetreActive(); };
    WndCaracteresSpeciaux = new TWndCaracteresSpeciaux(this, *utilisateur, fichierAccents, active);
    connect(WndCaracteresSpeciaux, &TWndCaracteresSpeciaux::SupprimerDemande, this,
            &TMDIHtml::SupprimerLesTagsHTML);
    TagsForm = new TTagsForm(this, *utilisateur, CheminDonnees(QStringLiteral("Tags")), active);
    dlgChercher = new TDlgChercher(this);
    connect(dlgChercher, &TDlgChercher::Suivant, this, &TMDIHtml::Suivant);
    // "&Suivant" follows the search text as it is typed, so that F3 works as soon as there is something to find.
    connect(dlgChercher, &TDlgChercher::TexteModifie, this, &TMDIHtml::MajActions);
    dlgRemplacer = new TDlgRemplacer(this);
    connect(dlgRemplacer, &TDlgRemplacer::Suivant, this, &TMDIHtml::RemplacerSuivant);
    connect(dlgRemplacer, &TDlgRemplacer::Remplacer, this, &TMDIHtml::Remplacer);
    connect(dlgRemplacer, &TDlgRemplacer::RemplacerTout, this, &TMDIHtml::RemplacerTout);
    dlgHyperlien = new TDlgInsertionHyperlien(this);
    dlgAncreLocale = new TDlgInsertionAncreLocale(this);
    dlgImage = new TDlgInsertionImage(this, *utilisateur);
    dlgTitre = new TDlgInsertionTitre(this);
    dlgEntourer = new TDlgEntourer(this);
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, &TMDIHtml::MajActions);
}

void TMDIHtml::CreeVerification(const QString &dossierPersonnel)
{
    panneau = new TPanneauProblemes(this);
    addDockWidget(Qt::BottomDockWidgetArea, panneau);
    panneau->hide();
    connect(panneau, &TPanneauProblemes::Aller, this,
            [this](QObject *page, std::size_t debut, std::size_t fin, const QString &message) {
                auto *w = qobject_cast<TWndHTML *>(page);
                if (!w)
                    return;
                if (QMdiSubWindow *cadre = Cadre(w))
                    mdiArea->setActiveSubWindow(cadre);
                w->EditHTML->Selectionne(static_cast<qsizetype>(debut), static_cast<qsizetype>(fin - debut));
                w->EditHTML->setFocus();
                statusBar()->showMessage(message);
            });
    verification = new TVerification(*panneau, *this->utilisateur, parametres,
                                     dossierPersonnel, [this] { return Fenetres(); }, this);
    connect(verification, &TVerification::Message, this,
            [this](const QString &message) { statusBar()->showMessage(message); });
    connect(verification, &TVerification::MessageChange, this, [this](const QString &ancien, const QString &nouveau) {
        if (statusBar()->currentMessage() == ancien)
            statusBar()->showMessage(nouveau);
    });
}

TMDIHtml::~TMDIHtml()
{
    // The document windows are destroyed after the frame's menus and status bar: the frame no longer follows their
    // activation, nor hears what their closing changes to their problems.
    disconnect(mdiArea, nullptr, this, nullptr);
    disconnect(verification, nullptr, this, nullptr);
}

QMdiSubWindow *TMDIHtml::Cadre(TWndHTML *fenetre) const
{
    for (QMdiSubWindow *cadre : mdiArea->subWindowList()) {
        if (cadre->widget() == fenetre)
            return cadre;
    }
    return nullptr;
}

TWndHTML *TMDIHtml::FenetreActive() const
{
    if (QMdiSubWindow *cadre = mdiArea->currentSubWindow(); cadre && !cadre->isHidden()) {
        if (auto *w = qobject_cast<TWndHTML *>(cadre->widget()))
            return w;
    }
    const QList<TWndHTML *> fenetres = Fenetres();
    return fenetres.isEmpty() ? nullptr : fenetres.first();
}

QList<TWndHTML *> TMDIHtml::Fenetres() const
{
    QList<TWndHTML *> fenetres = Fenetres(QMdiArea::StackingOrder);
    std::reverse(fenetres.begin(), fenetres.end());
    return fenetres;
}

QList<TWndHTML *> TMDIHtml::Fenetres(QMdiArea::WindowOrder ordre) const
{
    QList<TWndHTML *> fenetres;
    for (QMdiSubWindow *cadre : mdiArea->subWindowList(ordre)) {
        if (auto *w = qobject_cast<TWndHTML *>(cadre->widget()); w && !cadre->isHidden())
            fenetres << w;
    }
    return fenetres;
}

QSize TMDIHtml::Zone() const
{
    // Before the frame is first shown its area has no size yet: the screen stands for it.
    return mdiArea->isVisible() ? mdiArea->viewport()->size() : screen()->availableGeometry().size();
}

QString TMDIHtml::DossierSite() const
{
    if (!siteChoisi.isEmpty())
        return siteChoisi;
    std::vector<std::string> chemins;
    for (const TWndHTML *w : Fenetres())
        if (!w->Untitled)
            chemins.push_back(EncodeNom(QFileInfo(w->FileName).absoluteFilePath()).toStdString());
    return DecodeNom(DossierCommun(chemins));
}

TWndHTML *TMDIHtml::NouvelleFenetre()
{
    const auto rang = static_cast<int>(Fenetres().size());
    auto *w = new TWndHTML(*utilisateur, DlgFonte, recuperation);
    QMdiSubWindow *cadre = mdiArea->addSubWindow(w);
    cadre->setGeometry(PlaceEnCascade(Zone(), rang));
    // Its window menu would take the keys of "&Fermer" (Ctrl+W, Ctrl+F4), which does the same.
    if (QMenu *menu = cadre->systemMenu())
        for (QAction *action : menu->actions())
            action->setShortcuts({});
    connect(w, &QObject::destroyed, this, &TMDIHtml::MajMenus, Qt::QueuedConnection);
    connect(w, &QObject::destroyed, this, [this] { apercu->Suit(FenetreActive()); }, Qt::QueuedConnection);
    w->EditHTML->FermeBalises(fermeBalises);
    w->EditHTML->AppliqueCouleurs(pagesSombres);
    // The keys of the commands reach them, whatever Scintilla's own key map does with them (Ctrl+/ moves by parts
    // of words).
    for (const Commande &commande : Commandes())
        for (const QKeySequence &touches : commande.touches)
            while (QsciCommand *sienne = w->EditHTML->standardCommands()->boundTo(touches[0].toCombined())) {
                if (sienne->key() == touches[0].toCombined())
                    sienne->setKey(0);
                else
                    sienne->setAlternateKey(0);
            }
    connect(w->EditHTML, &TEditHTML::MenuContextuelDemande, this, [this, w](const QPoint &position) {
        if (QMdiSubWindow *sien = Cadre(w))
            mdiArea->setActiveSubWindow(sien);
        MajActions();
        // Over an unknown word, its suggestions come first.
        auto *menu = new QMenu(this);
        menu->setAttribute(Qt::WA_DeleteOnClose);
        verification->RemplitMenu(*menu, w, position);
        if (menu->isEmpty()) {
            delete menu;
            Menu("Contextuel")->popup(position);
            return;
        }
        menu->addSeparator();
        menu->addActions(Menu("Contextuel")->actions());
        menu->popup(position);
    });
    verification->Suit(w);
    connect(w->EditHTML, &QsciScintilla::copyAvailable, this, &TMDIHtml::MajActions);
    connect(w, &TWndHTML::FichierUtilise, session, &TSession::NoteRecent);
    connect(w, &TWndHTML::Fermeture, session, [this, w] { session->NotePosition(*w); });
    // Typing moves the caret without changing the selection, and a selection made with the keyboard tells both:
    // the bar is written once, when the events of the keystroke are done. So are the undo commands, which follow
    // every change of the text: the text tells of a change before making it. Leaving or reaching the saved text
    // tells it once the change is made, so that the key pressed next finds the undo commands as they now are.
    const auto majEtat = [this, w] {
        if (w == FenetreActive())
            minuterieEtat->start();
    };
    connect(w->EditHTML, &QsciScintilla::cursorPositionChanged, this, majEtat);
    connect(w->EditHTML, &QsciScintilla::selectionChanged, this, majEtat);
    connect(w->EditHTML, &TEditHTML::Modifie, this, majEtat);
    connect(w->EditHTML, &QsciScintilla::modificationChanged, this, [this, w] {
        if (w == FenetreActive()) {
            MajAnnulation();
            minuterieEtat->start();
        }
    });
    if (parametres.LitFenetresMaximisees())
        cadre->showMaximized();
    else
        cadre->show();
    mdiArea->setActiveSubWindow(cadre);
    MajMenus();
    return w;
}

void TMDIHtml::FileNew()
{
    TWndHTML *w = NouvelleFenetre();
    const FinDeLigne fin = w->EditHTML->FinDeLigneDocument();
    // The template is the page's start: nothing to undo, and a page to save. The caret goes into its body.
    const std::string ouverture = AvecFinsDeLigne(TextPairs[PaireModele].ouverture, fin);
    w->Remplit(ouverture + AvecFinsDeLigne(TextPairs[PaireModele].fermeture, fin), fin, Encodage::Utf8, false);
    w->EditHTML->Selectionne(static_cast<qsizetype>(ouverture.size()), 0);
}

void TMDIHtml::dragEnterEvent(QDragEnterEvent *event)
{
    const QList<QUrl> adresses = event->mimeData()->urls();
    if (std::any_of(adresses.begin(), adresses.end(), [](const QUrl &adresse) { return adresse.isLocalFile(); }))
        event->acceptProposedAction();
}

void TMDIHtml::dropEvent(QDropEvent *event)
{
    event->acceptProposedAction();
    for (const QUrl &adresse : event->mimeData()->urls())
        if (adresse.isLocalFile())
            session->OuvreDepose(adresse.toLocalFile());
}

void TMDIHtml::FileOpen()
{
    session->Ouvrir();
}

void TMDIHtml::Active(TWndHTML *fenetre)
{
    if (QMdiSubWindow *cadre = Cadre(fenetre))
        mdiArea->setActiveSubWindow(cadre);
}

void TMDIHtml::FileExit()
{
    close();
}

void TMDIHtml::BasculeApercu()
{
    apercu->setVisible(apercu->isHidden());
}

void TMDIHtml::FenetreMosaique()
{
    QList<QMdiSubWindow *> cadres;
    for (TWndHTML *w : Fenetres())
        if (QMdiSubWindow *cadre = Cadre(w); !cadre->isMinimized())
            cadres << cadre;
    const QList<QRect> places = PlacesEnMosaique(Zone(), static_cast<int>(cadres.size()));
    for (qsizetype rang = 0; rang < cadres.size(); ++rang) {
        cadres[rang]->showNormal();
        cadres[rang]->setGeometry(places[rang]);
    }
}

void TMDIHtml::FenetreCascade()
{
    // From the back to the front, so that the window in front stays there with every caption in view behind it;
    // the minimised windows stay where they are.
    const QList<TWndHTML *> fenetres = Fenetres();
    int rang = 0;
    for (auto w = fenetres.crbegin(); w != fenetres.crend(); ++w) {
        QMdiSubWindow *cadre = Cadre(*w);
        if (cadre->isMinimized())
            continue;
        cadre->showNormal();
        cadre->setGeometry(PlaceEnCascade(Zone(), rang++));
    }
}

void TMDIHtml::FenetreIcones()
{
    QList<QMdiSubWindow *> cadres;
    QList<QSize> tailles;
    for (TWndHTML *w : Fenetres())
        if (QMdiSubWindow *cadre = Cadre(w); cadre->isMinimized()) {
            cadres << cadre;
            tailles << cadre->size();
        }
    const QList<QPoint> places = PlacesDesIcones(Zone(), tailles);
    for (qsizetype rang = 0; rang < cadres.size(); ++rang)
        cadres[rang]->move(places[rang]);
}

void TMDIHtml::FenetresFermerTout()
{
    QList<TWndHTML *> fenetres = Fenetres();
    std::reverse(fenetres.begin(), fenetres.end());
    for (TWndHTML *w : fenetres)
        Cadre(w)->close();
}

void TMDIHtml::AppliqueOnglets(bool oui)
{
    mdiArea->setViewMode(oui ? QMdiArea::TabbedView : QMdiArea::SubWindowView);
    mdiArea->setTabsClosable(true);
    mdiArea->setTabsMovable(true);
    findChild<QAction *>("Onglets")->setChecked(oui);
    for (const char *disposition : {"Mosaique", "Cascade", "ReorganiserIcones"})
        Action(disposition)->setEnabled(!oui);
}

void TMDIHtml::Onglets(bool oui)
{
    AppliqueOnglets(oui);
    if (!parametres.EcritOnglets(oui))
        statusBar()->showMessage(parametres.MessageEcritureImpossible());
}

void TMDIHtml::Fonte()
{
    QFont choisie = DlgFonte;
    if (utilisateur->ChoisitFonte(this, choisie))
        DlgFonte = choisie;
    const QList<TWndHTML *> fenetres = Fenetres();
    if (fenetres.isEmpty())
        return;
    // The windows take the font even when the settings file refuses it: it then lasts until the program ends. The
    // refusal is told once, for the name and the size together.
    const bool ecrit = parametres.EcritFonte(DlgFonte.family()) && parametres.EcritTaille(DlgFonte.pointSize());
    for (TWndHTML *w : fenetres)
        w->EditHTML->AppliqueFonte(DlgFonte);
    if (!ecrit)
        utilisateur->Erreur(this, parametres.MessageEcritureImpossible());
}

void TMDIHtml::APropos()
{
    TDlgAideAPropos dialogue(this);
    utilisateur->Execute(dialogue);
}

void TMDIHtml::closeEvent(QCloseEvent *event)
{
    // The pages come back in the order of the tabs. A page is named as it is once closed, for it may be saved
    // under a name as it closes; a closed window is deleted only when the events come back to the loop.
    const QList<TWndHTML *> ordre = Fenetres(QMdiArea::CreationOrder);
    const TWndHTML *active = FenetreActive();
    std::map<const TWndHTML *, QString> noms;
    for (TWndHTML *w : Fenetres()) {
        if (!Cadre(w)->close()) {
            event->ignore();
            return;
        }
        if (!w->Untitled)
            noms[w] = CheminLong(w->FileName);
    }
    QStringList pages;
    qsizetype rangActif = -1;
    for (const TWndHTML *w : ordre) {
        const auto nom = noms.find(w);
        if (nom == noms.end())
            continue;
        // A file open twice comes back once.
        qsizetype rang = pages.indexOf(nom->second);
        if (rang < 0) {
            rang = pages.size();
            pages << nom->second;
        }
        if (w == active)
            rangActif = rang;
    }
    session->NoteDernieresPages(pages, rangActif);
    event->accept();
}

void TMDIHtml::AfficheAide()
{
    navigateur->Lance(CheminDonnees(QStringLiteral("Aide/depart.htm")));
}
