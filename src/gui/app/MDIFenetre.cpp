#include "gui/app/MDIFenetre.h"

#include "core/app/Bureau.h"
#include "core/app/LigneDeCommande.h"
#include "core/document/Journal.h"
#include "gui/app/DlgAPropos.h"
#include "gui/dialogs/DlgChercher.h"
#include "gui/dialogs/DlgAncreLocale.h"
#include "gui/dialogs/DlgHyperlien.h"
#include "gui/dialogs/DlgImage.h"
#include "gui/dialogs/DlgRemplacer.h"
#include "gui/dialogs/WndTags.h"
#include "gui/dialogs/WndTitre.h"
#include "gui/document/Recuperation.h"
#include "gui/document/WndEditeur.h"
#include "gui/entities/WndCaracteres.h"
#include "gui/settings/CheminsQt.h"
#include "gui/settings/Emplacements.h"
#include "gui/settings/Fichiers.h"
#include "gui/verification/PanneauProblemes.h"
#include "gui/verification/Verification.h"

#include <QAction>
#include <QClipboard>
#include <QDateTime>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QLabel>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QActionGroup>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QTreeView>

#include <algorithm>
#include <memory>
#include <new>
#include <variant>
#include <vector>

#include <sys/stat.h>

namespace {

const QString FiltreBureau = QStringLiteral("Fichiers de bureau|*.dsk");

// The icon of the desktop's theme that means the same, when the theme has one, so that the bar matches the desktop
// and stays sharp at any resolution; the program's own drawing otherwise.
QIcon Icone(const char *nom)
{
    static constexpr std::pair<std::string_view, const char *> Themes[] = {
        {"nouveau", "document-new"},      {"ouvrir", "document-open"},
        {"enregistrer", "document-save"}, {"apercu", "document-print-preview"},
        {"couper", "edit-cut"},           {"copier", "edit-copy"},
        {"coller", "edit-paste"},         {"gras", "format-text-bold"},
        {"italique", "format-text-italic"}, {"souligne", "format-text-underline"},
        {"gauche", "format-justify-left"}, {"centre", "format-justify-center"},
        {"droite", "format-justify-right"},
    };
    const QIcon dessin(QStringLiteral(":/icones/%1.xpm").arg(QLatin1String(nom)));
    for (const auto &[propre, theme] : Themes)
        if (propre == nom)
            return QIcon::fromTheme(QLatin1String(theme), dessin);
    return dessin;
}

} // namespace

TMDIHtml::TMDIHtml(const QString &fichierParametres, std::unique_ptr<Utilisateur> utilisateur,
                   const QString &fichierAccents, const QString &dossierRecuperation)
    : utilisateur(std::move(utilisateur))
    , parametres(fichierParametres)
    , DlgFonte(QFontDatabase::systemFont(QFontDatabase::FixedFont))
    , OpenDialog{QStringLiteral("Ouverture d'une page HTML..."), FiltreDocuments(), {}, true, {}}
    , EnregistrerBureau{{}, FiltreBureau, QStringLiteral("dsk"), false, {}}
    , ChargerBureau{{}, FiltreBureau, QStringLiteral("dsk"), false, {}}
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

    // The desktop's fixed-width font, until the user chooses one.
    if (const QString famille = parametres.LitFonte(); !famille.isEmpty())
        DlgFonte.setFamily(famille);
    DlgFonte.setPointSize(parametres.LitTaille(DlgFonte.pointSize()));

    const DocumentActif active = [this] { return FenetreActive(); };
    WndCaracteresSpeciaux = new TWndCaracteresSpeciaux(this, *this->utilisateur, fichierAccents, active);
    connect(WndCaracteresSpeciaux, &TWndCaracteresSpeciaux::SupprimerDemande, this,
            &TMDIHtml::SupprimerLesTagsHTML);
    TagsForm = new TTagsForm(this, *this->utilisateur, CheminDonnees(QStringLiteral("Tags")), active);
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
    dlgImage = new TDlgInsertionImage(this, *this->utilisateur);
    dlgTitre = new TDlgInsertionTitre(this);
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, &TMDIHtml::MajActions);
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
                                     QFileInfo(fichierParametres).absolutePath(), [this] { return Fenetres(); }, this);
    connect(verification, &TVerification::Message, this,
            [this](const QString &message) { statusBar()->showMessage(message); });

    etatPosition = new QLabel(this);
    etatEncodage = new QLabel(this);
    etatFinDeLigne = new QLabel(this);
    etatModifie = new QLabel(this);
    for (QLabel *etat : {etatPosition, etatEncodage, etatFinDeLigne, etatModifie})
        statusBar()->addPermanentWidget(etat);
    minuterieEtat = new QTimer(this);
    minuterieEtat->setSingleShot(true);
    minuterieEtat->setInterval(0);
    connect(minuterieEtat, &QTimer::timeout, this, [this] {
        MajEtat();
        MajAnnulation();
    });

    CreeMenus();
    CreeBarres();
    MajMenus();
}

TMDIHtml::~TMDIHtml()
{
    // The document windows are destroyed after the frame's menus: the frame no longer follows their activation.
    disconnect(mdiArea, nullptr, this, nullptr);
}

QAction *TMDIHtml::Action(const QString &texte, void (TMDIHtml::*commande)(), const char *nom, bool document)
{
    auto *action = new QAction(texte, this);
    if (nom)
        action->setObjectName(QLatin1String(nom));
    connect(action, &QAction::triggered, this, commande);
    if (document)
        actionsDocument << action;
    return action;
}

void TMDIHtml::CreeMenus()
{
    Nouveau = Action(QStringLiteral("&Nouveau"), &TMDIHtml::FileNew, "sbNouveau", false);
    Ouvrir = Action(QStringLiteral("&Ouvrir..."), &TMDIHtml::FileOpen, "sbOuvrir", false);
    Quitter = Action(QStringLiteral("&Quitter"), &TMDIHtml::FileExit, "FileExitItem", false);
    Enregistrer = Action(QStringLiteral("&Enregistrer"), &TMDIHtml::FileSave, "sbEnregistrer");
    EnregistrerSous = Action(QStringLiteral("En&registrer sous..."), &TMDIHtml::FileSaveAs, "FileSaveAsItem");
    Apercu = Action(QStringLiteral("&Aperçu de la page..."), &TMDIHtml::FichierApercu, "sbApercu");
    QAction *fermer = Action(QStringLiteral("&Fermer"), &TMDIHtml::FileClose, "FileCloseItem");
    // The standard keys of the desktop where Qt knows one (it has none for saving under a name here, nor for
    // quitting outside the X11 desktops); F5 shows the page, as a browser reloads it.
    Nouveau->setShortcut(QKeySequence::New);
    Ouvrir->setShortcut(QKeySequence::Open);
    Enregistrer->setShortcut(QKeySequence::Save);
    EnregistrerSous->setShortcut(Qt::CTRL | Qt::SHIFT | Qt::Key_S);
    Quitter->setShortcut(Qt::CTRL | Qt::Key_Q);
    Apercu->setShortcut(Qt::Key_F5);
    fermer->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_W), QKeySequence(Qt::CTRL | Qt::Key_F4)});

    RecentsMenu = new QMenu(QStringLiteral("Fichiers ré&cents"), this);
    FichierMenu = new QMenu(QStringLiteral("&Fichier"), this);
    FichierMenu->addActions({Nouveau, Ouvrir});
    FichierMenu->addMenu(RecentsMenu);
    FichierMenu->addSeparator();
    FichierMenu->addAction(Quitter);

    FichierDocumentMenu = new QMenu(QStringLiteral("&Fichier"), this);
    FichierDocumentMenu->addActions({Nouveau, Ouvrir});
    FichierDocumentMenu->addMenu(RecentsMenu);
    FichierDocumentMenu->addSeparator();
    FichierDocumentMenu->addActions({Enregistrer, EnregistrerSous, fermer});
    FichierDocumentMenu->addSeparator();
    FichierDocumentMenu->addAction(Apercu);
    FichierDocumentMenu->addSeparator();
    FichierDocumentMenu->addAction(Quitter);
    for (QMenu *menu : {FichierMenu, FichierDocumentMenu})
        connect(menu, &QMenu::aboutToShow, this, &TMDIHtml::MajRecents);

    Defaire = Action(QStringLiteral("&Défaire"), &TMDIHtml::EditionDefaire, "EditUndoItem");
    Retablir = Action(QStringLiteral("&Rétablir"), &TMDIHtml::EditionRetablir, "EditRedoItem");
    Defaire->setShortcut(QKeySequence::Undo);
    Retablir->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    Couper = Action(QStringLiteral("&Couper"), &TMDIHtml::EditCut, "sbCouper");
    Copier = Action(QStringLiteral("Co&pier"), &TMDIHtml::EditCopy, "sbCopier");
    Coller = Action(QStringLiteral("C&oller"), &TMDIHtml::EditPaste, "sbColler");
    Chercher = Action(QStringLiteral("C&hercher..."), &TMDIHtml::EditionChercher, "Chercher1");
    Couper->setShortcuts(QKeySequence::Cut);
    Copier->setShortcuts(QKeySequence::Copy);
    Coller->setShortcuts(QKeySequence::Paste);
    Chercher->setShortcut(QKeySequence::Find);
    SuivantAction = Action(QStringLiteral("&Suivant"), &TMDIHtml::Suivant, "Suivant1");
    SuivantAction->setShortcut(Qt::Key_F3);
    QAction *allerALigne =
        Action(QStringLiteral("Aller à la &ligne..."), &TMDIHtml::EditionAllerALigne, "AllerALigne");
    allerALigne->setShortcut(Qt::CTRL | Qt::Key_G);
    // Its key works whichever menus the bar holds.
    addAction(SuivantAction);
    // "&Rétablir" has R. Qt knows no standard key for replacing on every desktop.
    QAction *remplacer = Action(QStringLiteral("Re&mplacer..."), &TMDIHtml::EditionRemplacer, "Remplacer1");
    remplacer->setShortcut(Qt::CTRL | Qt::Key_H);

    EditMenu = new QMenu(QStringLiteral("&Edition"), this);
    EditMenu->addActions({Defaire, Retablir});
    EditMenu->addSeparator();
    EditMenu->addActions({Couper, Copier, Coller});
    EditMenu->addSeparator();
    EditMenu->addActions({Chercher, SuivantAction, remplacer, allerALigne});
    QAction *verifierPage = Action(QStringLiteral("&Vérifier la page"), &TMDIHtml::VerifierLaPage, "VerifierPage");
    verifierPage->setShortcut(Qt::Key_F7);
    QAction *verifierLiens =
        Action(QStringLiteral("Vérifier les l&iens"), &TMDIHtml::VerifierLesLiens, "VerifierLiens");
    QAction *problemeSuivant =
        Action(QStringLiteral("Problème suiva&nt"), &TMDIHtml::ProblemeSuivant, "ProblemeSuivant");
    problemeSuivant->setShortcut(Qt::Key_F8);
    QAction *problemePrecedent =
        Action(QStringLiteral("Pro&blème précédent"), &TMDIHtml::ProblemePrecedent, "ProblemePrecedent");
    problemePrecedent->setShortcut(Qt::SHIFT | Qt::Key_F8);
    EditMenu->addSeparator();
    EditMenu->addActions({verifierPage, verifierLiens, problemeSuivant, problemePrecedent});
    connect(EditMenu, &QMenu::aboutToShow, this, &TMDIHtml::MajActions);

    QAction *lien = Action(QStringLiteral("&Lien hypertexte..."), &TMDIHtml::InsertionLien, "Lienhypertexte1");
    QAction *ancre = Action(QStringLiteral("&Ancre locale..."), &TMDIHtml::InsertionAncreLocale, "Ancrelocale1");
    QAction *image = Action(QStringLiteral("&Image..."), &TMDIHtml::InsertionImage, "Image1");
    QAction *tags = Action(QStringLiteral("Ta&gs..."), &TMDIHtml::TagsClick, "Tags2");
    QAction *caracteres = Action(QStringLiteral("&Caractères spéciaux..."), &TMDIHtml::AfficheCaracteresSpeciaux);
    InsertionMenu = new QMenu(QStringLiteral("&Insertion"), this);
    InsertionMenu->addActions({lien, ancre, image});
    InsertionMenu->addAction(Action(QStringLiteral("&Titre..."), &TMDIHtml::InsertionTitre, "Titre1"));
    InsertionMenu->addAction(tags);
    InsertionMenu->addSeparator();
    InsertionMenu->addAction(caracteres);
    InsertionMenu->addAction(Action(QStringLiteral("Corriger les acc&ents"), &TMDIHtml::CorrectionAccents));
    InsertionMenu->addAction(
        Action(QStringLiteral("&Supprimer les tags HTML..."), &TMDIHtml::SupprimerLesTagsHTML));
    InsertionMenu->addAction(
        Action(QStringLiteral("Supprimer les tags tableau&x..."), &TMDIHtml::SupprimerLesTagsTableaux));

    // The context menu gives two of these commands other access keys, so that no two of its items share one:
    // there they are entries that trigger the command's action.
    const auto autreTexte = [this](QAction *commande, const QString &texte) {
        auto *entree = new QAction(texte, this);
        connect(entree, &QAction::triggered, commande, &QAction::trigger);
        return entree;
    };
    Contextuel = new QMenu(this);
    Contextuel->addActions({lien, ancre, image});
    Contextuel->addAction(autreTexte(caracteres, QStringLiteral("Caractères &spéciaux...")));
    Contextuel->addAction(autreTexte(tags, QStringLiteral("&Tags...")));
    Contextuel->addSeparator();
    Contextuel->addActions({Couper, Copier, Coller});

    // The zoom of the text, from the main keyboard as well as the keypad; in no menu.
    const auto zoom = [this](const char *nom, std::initializer_list<QKeySequence> touches, auto effet) {
        auto *action = new QAction(this);
        action->setObjectName(QLatin1String(nom));
        action->setShortcuts(touches);
        connect(action, &QAction::triggered, this, [this, effet] {
            if (TWndHTML *w = FenetreActive())
                effet(*w->EditHTML);
        });
        actionsDocument << action;
        addAction(action);
    };
    zoom("ZoomAvant", {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)},
         [](TEditHTML &texte) { texte.zoomIn(); });
    zoom("ZoomArriere", {QKeySequence(Qt::CTRL | Qt::Key_Minus)}, [](TEditHTML &texte) { texte.zoomOut(); });
    zoom("ZoomNormal", {QKeySequence(Qt::CTRL | Qt::Key_0)}, [](TEditHTML &texte) { texte.zoomTo(0); });

    WindowMenu = new QMenu(QStringLiteral("Fenê&tres"), this);
    WindowMenu->addAction(QStringLiteral("&Mosaïque"), this, &TMDIHtml::FenetreMosaique);
    WindowMenu->addAction(QStringLiteral("&Cascade"), this, &TMDIHtml::FenetreCascade);
    WindowMenu->addAction(QStringLiteral("&Réorganiser les icones"), this, &TMDIHtml::FenetreIcones);
    WindowMenu->addAction(QStringLiteral("&Fermer tout"), this, &TMDIHtml::FenetresFermerTout)
        ->setObjectName("FenetreFermerTout");
    WindowMenu->addSeparator();
    WindowMenu->addAction(QStringLiteral("&Enregistrer le bureau..."), this, &TMDIHtml::EnregistrerLeBureau);
    WindowMenu->addAction(QStringLiteral("C&harger un bureau..."), this, &TMDIHtml::ChargerUnBureau);
    WindowMenu->addSeparator();
    // The list's own action would take its title, which counts the problems, and has no access letter.
    QAction *liste = WindowMenu->addAction(QStringLiteral("Liste des &problèmes"));
    liste->setObjectName("ListeProblemes");
    liste->setCheckable(true);
    connect(panneau->toggleViewAction(), &QAction::toggled, liste, &QAction::setChecked);
    // Shown from the menu, the list takes the keyboard: the arrows choose a problem, Return goes to it.
    connect(liste, &QAction::triggered, this, [this] {
        panneau->toggleViewAction()->trigger();
        if (panneau->isVisible())
            panneau->Liste->setFocus();
    });
    connect(WindowMenu, &QMenu::aboutToShow, this, &TMDIHtml::MajMenuFenetres);

    OptionsMenu = new QMenu(QStringLiteral("&Options"), this);
    OptionsMenu->addAction(QStringLiteral("Choix du &navigateur..."), this, &TMDIHtml::ChoixDuNavigateur)
        ->setObjectName("Choixdunavigateur1");
    OptionsMenu->addAction(QStringLiteral("&Fonte..."), this, &TMDIHtml::Fonte)->setObjectName("Fonte1");
    OptionsMenu->addSeparator();
    QAction *orthographe = OptionsMenu->addAction(QStringLiteral("&Orthographe"));
    orthographe->setObjectName("Orthographe");
    orthographe->setCheckable(true);
    connect(orthographe, &QAction::triggered, verification, &TVerification::ActiveOrthographe);
    QMenu *dictionnaires = OptionsMenu->addMenu(QStringLiteral("&Dictionnaire"));
    QAction *code = OptionsMenu->addAction(QStringLiteral("Vérifier le &code (code, pre, kbd…)"));
    code->setObjectName("VerifierCode");
    code->setCheckable(true);
    connect(code, &QAction::triggered, verification, &TVerification::VerifieCode);
    // The installed dictionaries, the one in use checked.
    connect(OptionsMenu, &QMenu::aboutToShow, this, [this, orthographe, dictionnaires, code] {
        orthographe->setChecked(verification->OrthographeActive());
        code->setChecked(verification->CodeVerifie());
        dictionnaires->clear();
        const QString choisi = verification->Dictionnaire();
        auto *groupe = new QActionGroup(dictionnaires);
        for (const DictionnaireInstalle &installe : verification->Dictionnaires()) {
            const QString nom = QString::fromStdString(installe.nom);
            // With the language's own name when Qt knows it: "fr_CA — français (Canada)".
            const QLocale langue(nom);
            QString texte = nom;
            if (langue.language() != QLocale::C) {
                texte += QStringLiteral(" — ") + langue.nativeLanguageName();
                if (nom.contains(u'_') || nom.contains(u'-'))
                    texte += QStringLiteral(" (%1)").arg(langue.nativeTerritoryName());
            }
            QAction *action = dictionnaires->addAction(texte);
            action->setCheckable(true);
            action->setChecked(nom == choisi);
            groupe->addAction(action);
            connect(action, &QAction::triggered, this, [this, nom] { verification->ChoisitDictionnaire(nom); });
        }
        if (dictionnaires->isEmpty())
            dictionnaires->addAction(QStringLiteral("Aucun dictionnaire installé"))->setEnabled(false);
    });

    AideMenu = new QMenu(QStringLiteral("&Aide"), this);
    AideMenu->addAction(QStringLiteral("&Aide..."), this, &TMDIHtml::AfficheAide)->setObjectName("Aide1");
    AideMenu->addSeparator();
    AideMenu->addAction(QStringLiteral("A &propos..."), this, &TMDIHtml::APropos)->setObjectName("HelpAboutItem");
}

void TMDIHtml::CreeBarres()
{
    // A button of the bar: a command's own action, or a formatting pair's, which only the bar offers.
    struct Bouton {
        QAction *action;
        const char *icone;
        const char *bulle;
    };
    auto paire = [this](const char *nom, const char *texte, IndexPaire p, QKeySequence touche = {}) {
        auto *action = new QAction(QString::fromUtf8(texte), this);
        action->setObjectName(QLatin1String(nom));
        action->setShortcut(touche);
        connect(action, &QAction::triggered, this, [this, p] { Formate(p); });
        actionsDocument << action;
        return action;
    };
    auto remplit = [](QToolBar *barre, std::initializer_list<std::initializer_list<Bouton>> groupes) {
        bool premier = true;
        for (const auto &groupe : groupes) {
            if (!premier)
                barre->addSeparator();
            premier = false;
            for (const Bouton &bouton : groupe) {
                QAction *action = bouton.action;
                if (bouton.icone) {
                    action->setIcon(Icone(bouton.icone));
                    // The menus show no icons.
                    action->setIconVisibleInMenu(false);
                }
                const QString bulle = QString::fromUtf8(bouton.bulle);
                // The bubble tells the key, as the menus do.
                action->setToolTip(action->shortcut().isEmpty()
                                       ? bulle
                                       : QStringLiteral("%1 (%2)").arg(bulle, action->shortcut().toString(
                                                                                  QKeySequence::NativeText)));
                barre->addAction(action);
            }
        }
    };

    // A bar's title is what a screen reader says of it, and what the frame's menu of bars shows.
    auto *SpeedBar = addToolBar(QStringLiteral("Barre principale"));
    SpeedBar->setObjectName("SpeedBar");
    remplit(SpeedBar, {
                          {{Nouveau, "nouveau", "Nouveau..."},
                           {Ouvrir, "ouvrir", "Ouvrir..."},
                           {Enregistrer, "enregistrer", "Enregistrer..."}},
                          {{Apercu, "apercu", "Aperçu..."}},
                          {{Couper, "couper", "Couper"}, {Copier, "copier", "Copier"}, {Coller, "coller", "Coller"}},
                          {{paire("sbGras", "Gras", PaireGras, Qt::CTRL | Qt::Key_B), "gras", "Gras"},
                           {paire("sbItalique", "Italique", PaireItalique, Qt::CTRL | Qt::Key_I), "italique", "Italique"},
                           {paire("sbSouligne", "Souligné", PaireSouligne, Qt::CTRL | Qt::Key_U), "souligne", "Souligné"}},
                          {{paire("sbGauche", "Alignement à gauche", PaireGauche), "gauche", "Alignement à gauche"},
                           {paire("sbCentre", "Alignement centré", PaireCentre), "centre", "Alignement centré"},
                           {paire("sbDroite", "Alignement à droite", PaireDroite), "droite", "Alignement à droite"}},
                      });

    auto *SpeedBar2 = new QToolBar(QStringLiteral("Barre des balises"), this);
    SpeedBar2->setObjectName("SpeedBar2");
    addToolBar(Qt::LeftToolBarArea, SpeedBar2);
    remplit(SpeedBar2, {
                           {{paire("sbH1", "H1", PaireH1), nullptr, "H1"},
                            {paire("sbH2", "H2", PaireH2), nullptr, "H2"},
                            {paire("sbH3", "H3", PaireH3), nullptr, "H3"},
                            {paire("sbH4", "H4", PaireH4), nullptr, "H4"},
                            {paire("sbH5", "H5", PaireH5), nullptr, "H5"},
                            {paire("sbH6", "H6", PaireH6), nullptr, "H6"}},
                           {{paire("sbHR", "HR", PaireHR), "hr", "HR"},
                            {paire("sbParagraphe", "P", PaireP, Qt::CTRL | Qt::Key_Return), "paragraphe", "P"},
                            {paire("sbBR", "BR", PaireBR, Qt::SHIFT | Qt::Key_Return), "br", "BR"}},
                           {{paire("snnbsp", "Espace insécable", PaireNbsp, Qt::CTRL | Qt::SHIFT | Qt::Key_Space),
                             "nbsp", "Espace insécable"}},
                       });
    for (QToolBar *barre : {SpeedBar, SpeedBar2}) {
        barre->setMovable(false);
        barre->setIconSize(QSize(16, 16));
    }
}

void TMDIHtml::MajMenus()
{
    menuBar()->clear();
    if (FenetreActive()) {
        menuBar()->addMenu(FichierDocumentMenu);
        menuBar()->addMenu(EditMenu);
        menuBar()->addMenu(InsertionMenu);
    } else {
        menuBar()->addMenu(FichierMenu);
    }
    menuBar()->addMenu(WindowMenu);
    menuBar()->addMenu(OptionsMenu);
    menuBar()->addMenu(AideMenu);
    MajActions();
    MajEtat();
}

void TMDIHtml::MajEtat()
{
    TWndHTML *w = FenetreActive();
    for (QLabel *etat : {etatPosition, etatEncodage, etatFinDeLigne, etatModifie})
        etat->setVisible(w != nullptr);
    if (!w)
        return;
    TEditHTML &texte = *w->EditHTML;
    int ligne = 0;
    int colonne = 0;
    texte.getCursorPosition(&ligne, &colonne);
    QString position = QStringLiteral("Ligne %1, colonne %2").arg(ligne + 1).arg(colonne + 1);
    if (const qsizetype debut = texte.SelStart(), longueur = texte.SelLength(); longueur > 0) {
        const long caracteres = texte.SendScintilla(QsciScintillaBase::SCI_COUNTCHARACTERS,
                                                    static_cast<unsigned long>(debut), debut + longueur);
        position += QStringLiteral(", %1 sélectionnés").arg(caracteres);
    }
    etatPosition->setText(position);
    const std::string_view encodage = NomEncodage(w->EncodageFichier());
    etatEncodage->setText(QString::fromUtf8(encodage.data(), static_cast<qsizetype>(encodage.size())));
    const std::string_view fin = NomFinDeLigne(texte.FinDeLigneDocument());
    etatFinDeLigne->setText(QString::fromUtf8(fin.data(), static_cast<qsizetype>(fin.size())));
    etatModifie->setText(texte.isModified() ? QStringLiteral("Modifié") : QString());
}

void TMDIHtml::MajActions()
{
    TWndHTML *w = FenetreActive();
    for (QAction *action : std::as_const(actionsDocument))
        action->setEnabled(w != nullptr);
    if (!w)
        return;
    MajAnnulation();
    const bool selection = w->EditHTML->SelLength() > 0;
    Couper->setEnabled(selection);
    Copier->setEnabled(selection);
    const QMimeData *donnees = QGuiApplication::clipboard()->mimeData();
    Coller->setEnabled(donnees && donnees->hasText());
    SuivantAction->setEnabled(!dlgChercher->Texte().isEmpty());
}

void TMDIHtml::MajAnnulation()
{
    TWndHTML *w = FenetreActive();
    Defaire->setEnabled(w && w->EditHTML->isUndoAvailable());
    Retablir->setEnabled(w && w->EditHTML->isRedoAvailable());
}

void TMDIHtml::MajMenuFenetres()
{
    qDeleteAll(actionsFenetres);
    actionsFenetres.clear();
    // In the order in which they were opened, whichever is in front.
    const QList<TWndHTML *> fenetres = Fenetres(QMdiArea::CreationOrder);
    if (fenetres.isEmpty())
        return;
    actionsFenetres << WindowMenu->addSeparator();
    TWndHTML *active = FenetreActive();
    for (qsizetype rang = 0; rang < fenetres.size(); ++rang) {
        TWndHTML *w = fenetres[rang];
        QString titre = NomAffiche(w->FileName);
        titre.replace(u'&', QStringLiteral("&&"));
        if (w->isWindowModified())
            titre += u'*';
        // The first nine are reached by their digit, as in a system window list.
        if (rang < 9)
            titre = QStringLiteral("&%1 %2").arg(rang + 1).arg(titre);
        QAction *action = WindowMenu->addAction(titre);
        action->setCheckable(true);
        action->setChecked(w == active);
        connect(action, &QAction::triggered, this, [this, w] {
            if (QMdiSubWindow *cadre = Cadre(w))
                mdiArea->setActiveSubWindow(cadre);
        });
        actionsFenetres << action;
    }
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

QRect TMDIHtml::PlaceEnCascade(int rang) const
{
    // Before the frame is first shown its area has no size yet: the screen stands for it.
    const QSize zone = mdiArea->isVisible() ? mdiArea->viewport()->size() : screen()->availableGeometry().size();
    const QSize taille(std::max(zone.width() * 2 / 3, 480), std::max(zone.height() * 2 / 3, 320));
    // Each window a step below and right of the one before, back to the top left corner before a window would
    // leave the area.
    constexpr int pas = 24;
    const int marge = std::min(zone.width() - taille.width(), zone.height() - taille.height());
    const int places = std::max(1, marge / pas + 1);
    const int decalage = pas * (rang % places);
    return QRect(QPoint(decalage, decalage), taille);
}

TWndHTML *TMDIHtml::NouvelleFenetre()
{
    const auto rang = static_cast<int>(Fenetres().size());
    auto *w = new TWndHTML(*utilisateur, DlgFonte, recuperation);
    QMdiSubWindow *cadre = mdiArea->addSubWindow(w);
    cadre->setGeometry(PlaceEnCascade(rang));
    // Its window menu would take the keys of "&Fermer" (Ctrl+W, Ctrl+F4), which does the same.
    if (QMenu *menu = cadre->systemMenu())
        for (QAction *action : menu->actions())
            action->setShortcuts({});
    connect(w, &QObject::destroyed, this, &TMDIHtml::MajMenus, Qt::QueuedConnection);
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
            Contextuel->popup(position);
            return;
        }
        menu->addSeparator();
        menu->addActions(Contextuel->actions());
        menu->popup(position);
    });
    verification->Suit(w);
    connect(w->EditHTML, &QsciScintilla::copyAvailable, this, &TMDIHtml::MajActions);
    connect(w, &TWndHTML::FichierUtilise, this, &TMDIHtml::NoteRecent);
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
    cadre->show();
    mdiArea->setActiveSubWindow(cadre);
    MajMenus();
    return w;
}

void TMDIHtml::Demarrage(const QStringList &arguments)
{
    if (arguments.isEmpty())
        return;
    std::vector<std::string> morceaux;
    for (const QString &argument : arguments)
        morceaux.push_back(EncodeNom(argument).toStdString());
    const std::string nom = NomDeLigneDeCommande(morceaux);
    const QString fichier = DecodeNom(nom);
    if (struct stat etat {}; ::stat(nom.c_str(), &etat) != 0 || S_ISDIR(etat.st_mode))
        return;
    if (EstUnBureau(nom))
        ChargeBureau(fichier);
    else
        NouvelleFenetre()->OpenFile(fichier);
}

void TMDIHtml::ProposeRecuperation()
{
    // Only the headers are read here: a journal may be larger than the memory, or than a page may be.
    struct Journal {
        QString fichier;
        std::variant<DebutJournalLu, ErreurJournal> debut;
    };
    std::vector<Journal> journaux;
    QStringList pages;
    const QLocale francais(QLocale::French);
    for (const QString &fichier : recuperation->Orphelins()) {
        auto debut = TRecuperation::LitDebut(fichier);
        if (const auto *lu = std::get_if<DebutJournalLu>(&debut)) {
            const QString date = francais.toString(QDateTime::fromMSecsSinceEpoch(lu->entete.modification),
                                                   QStringLiteral("d MMMM yyyy à HH:mm"));
            const QString nom = NomAffiche(DecodeNom(lu->entete.nom));
            if (lu->longueurTexte > TEditHTML::TailleMaximale)
                pages << QStringLiteral("%1, modifiée le %2 : %3 Mo, trop grande pour l'éditeur")
                             .arg(nom, date, francais.toString(qulonglong(lu->longueurTexte >> 20)));
            else
                pages << QStringLiteral("%1, modifiée le %2, %3")
                             .arg(nom, date, francais.formattedDataSize(qint64(lu->longueurTexte)));
        } else {
            const ErreurJournal erreur = std::get<ErreurJournal>(debut);
            pages << QStringLiteral("%1 : %2").arg(NomAffiche(QFileInfo(fichier).fileName()),
                                                  erreur == ErreurJournal::Tronque ? QStringLiteral("copie incomplète")
                                                  : erreur == ErreurJournal::Illisible
                                                      ? QStringLiteral("copie illisible")
                                                      : QStringLiteral("écrite par une version plus récente"));
        }
        journaux.push_back({fichier, std::move(debut)});
    }
    if (journaux.empty())
        return;
    const Utilisateur::Recuperation choix = utilisateur->ProposeRecuperation(this, pages);
    if (choix == Utilisateur::Recuperation::PlusTard)
        return;
    for (const Journal &journal : journaux) {
        if (choix == Utilisateur::Recuperation::Recuperer) {
            const auto *debut = std::get_if<DebutJournalLu>(&journal.debut);
            // A newer program may read what this one cannot, and a machine with more room a larger page.
            if (debut ? debut->longueurTexte > TEditHTML::TailleMaximale || !Recupere(journal.fichier, *debut)
                      : std::get<ErreurJournal>(journal.debut) == ErreurJournal::FormatPlusRecent)
                continue;
        }
        recuperation->Supprime(journal.fichier);
    }
}

bool TMDIHtml::Recupere(const QString &journal, const DebutJournalLu &debut)
{
    const QString nom = NomAffiche(DecodeNom(debut.entete.nom));
    const QString manque =
        QStringLiteral("La page %1 ne peut être récupérée : mémoire insuffisante. Sa copie de secours est gardée "
                       "pour un prochain démarrage.")
            .arg(nom);
    QFile source;
    if (!OuvreEnLecture(journal, source)) {
        utilisateur->Erreur(this, QStringLiteral("La copie de secours de %1 ne peut être lue.").arg(nom));
        return false;
    }
    const auto taille = static_cast<std::size_t>(source.size());
    std::unique_ptr<char[]> octets;
    try {
        octets = std::make_unique_for_overwrite<char[]>(taille);
    } catch (const std::bad_alloc &) {
        utilisateur->Erreur(this, manque);
        return false;
    }
    const auto lu = source.read(octets.get(), qint64(taille)) == qint64(taille)
                        ? LitJournal(std::string_view(octets.get(), taille))
                        : ErreurJournal::Tronque;
    if (std::holds_alternative<ErreurJournal>(lu)) {
        utilisateur->Erreur(this, QStringLiteral("La copie de secours de %1 est illisible.").arg(nom));
        return true;
    }
    TWndHTML *w = NouvelleFenetre();
    try {
        w->Recupere(std::get<JournalLu>(lu));
    } catch (const std::bad_alloc &) {
        // Left empty and unmodified, the window closes without a question.
        if (QMdiSubWindow *cadre = Cadre(w))
            cadre->close();
        utilisateur->Erreur(this, manque);
        return false;
    }
    return true;
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

void TMDIHtml::FileOpen()
{
    // In the folder of the active page, else where the last page was chosen.
    DialogueFichier dialogue = OpenDialog;
    if (TWndHTML *w = FenetreActive(); w && !w->Untitled)
        dialogue.nomPropose = QFileInfo(w->FileName).absolutePath();
    const QString nom = utilisateur->FichierAOuvrir(this, dialogue);
    if (nom.isEmpty())
        return;
    OpenDialog.nomPropose = nom;
    Ouvre(nom);
}

void TMDIHtml::Ouvre(const QString &nom)
{
    const QString chemin = CheminLong(nom);
    // The same file under any of its names: the same device and inode, or the same full name for a file that is
    // not there.
    const QByteArray octets = EncodeNom(chemin);
    struct stat fichier {};
    const bool existe = ::stat(octets.constData(), &fichier) == 0;
    const QString question = QStringLiteral("%1 est déjà ouvert. Voulez-vous l'ouvrir une seconde fois ?");
    bool accepte = false;
    for (TWndHTML *w : Fenetres()) {
        if (w->Untitled)
            continue;
        struct stat autre {};
        const bool meme = existe ? ::stat(EncodeNom(w->FileName).constData(), &autre) == 0 &&
                                       autre.st_dev == fichier.st_dev && autre.st_ino == fichier.st_ino
                                 : w->FileName == chemin;
        if (!meme)
            continue;
        accepte = utilisateur->OuiNon(this, QStringLiteral("Confirmation"), question.arg(NomAffiche(w->FileName)));
        if (accepte)
            break;
        mdiArea->setActiveSubWindow(Cadre(w));
        return;
    }
    // Modified in another running program: its journal says so.
    if (!accepte && recuperation->ModifieAilleurs(chemin) &&
        !utilisateur->OuiNon(this, QStringLiteral("Confirmation"), question.arg(NomAffiche(chemin))))
        return;
    NouvelleFenetre()->OpenFile(chemin);
}

void TMDIHtml::NoteRecent(const QString &nom)
{
    // A page named on the command line may hold a relative name.
    const QString chemin = CheminLong(nom);
    QStringList pages = parametres.LitRecents();
    pages.removeAll(chemin);
    pages.prepend(chemin);
    if (!parametres.EcritRecents(pages))
        statusBar()->showMessage(parametres.MessageEcritureImpossible());
}

void TMDIHtml::MajRecents()
{
    RecentsMenu->clear();
    const QStringList pages = parametres.LitRecents();
    for (qsizetype rang = 0; rang < pages.size(); ++rang) {
        const QString nom = pages[rang];
        QString texte = NomAffiche(nom);
        texte.replace(u'&', QStringLiteral("&&"));
        RecentsMenu->addAction(QStringLiteral("&%1 %2").arg(rang + 1).arg(texte), this,
                               [this, nom] { OuvreRecent(nom); });
    }
    RecentsMenu->setEnabled(!pages.isEmpty());
}

void TMDIHtml::OuvreRecent(const QString &nom)
{
    if (struct stat etat {}; ::stat(EncodeNom(nom).constData(), &etat) == 0) {
        Ouvre(nom);
        return;
    }
    QStringList pages = parametres.LitRecents();
    pages.removeAll(nom);
    parametres.EcritRecents(pages);
    utilisateur->Erreur(
        this, QStringLiteral("%1 n'existe plus : la page est retirée des fichiers récents.").arg(NomAffiche(nom)));
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
    for (const QUrl &adresse : event->mimeData()->urls()) {
        if (!adresse.isLocalFile())
            continue;
        // A desktop loads, as it does from the command line.
        const QString fichier = adresse.toLocalFile();
        if (EstUnBureau(EncodeNom(fichier).toStdString()))
            ChargeBureau(fichier);
        else
            Ouvre(fichier);
    }
}

void TMDIHtml::FileExit()
{
    close();
}

void TMDIHtml::FenetreMosaique()
{
    // One window above another, each across the whole width.
    QList<QMdiSubWindow *> cadres;
    for (TWndHTML *w : Fenetres()) {
        QMdiSubWindow *cadre = Cadre(w);
        if (!cadre->isMinimized())
            cadres << cadre;
    }
    if (cadres.isEmpty())
        return;
    const QRect zone = mdiArea->viewport()->rect();
    const int hauteur = zone.height() / static_cast<int>(cadres.size());
    int y = 0;
    for (QMdiSubWindow *cadre : cadres) {
        cadre->showNormal();
        const int h = cadre == cadres.last() ? zone.height() - y : hauteur;
        cadre->setGeometry(0, y, zone.width(), h);
        y += h;
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
        cadre->setGeometry(PlaceEnCascade(rang++));
    }
}

void TMDIHtml::FenetreIcones()
{
    // The minimised windows in rows along the bottom of the area, from the left.
    const QRect zone = mdiArea->viewport()->rect();
    int x = 0;
    int bas = zone.height();
    for (TWndHTML *w : Fenetres()) {
        QMdiSubWindow *cadre = Cadre(w);
        if (!cadre->isMinimized())
            continue;
        const QSize taille = cadre->size();
        if (x > 0 && x + taille.width() > zone.width()) {
            x = 0;
            bas -= taille.height();
        }
        cadre->move(x, bas - taille.height());
        x += taille.width();
    }
}

void TMDIHtml::FenetresFermerTout()
{
    QList<TWndHTML *> fenetres = Fenetres();
    std::reverse(fenetres.begin(), fenetres.end());
    for (TWndHTML *w : fenetres)
        Cadre(w)->close();
}

void TMDIHtml::EnregistrerLeBureau()
{
    const QString nom = utilisateur->FichierAEnregistrer(this, EnregistrerBureau);
    if (nom.isEmpty())
        return;
    EnregistrerBureau.nomPropose = nom;
    std::vector<std::string> noms;
    const QList<TWndHTML *> fenetres = Fenetres();
    // From the back to the front: the active page is loaded last, and so comes back in front.
    for (auto w = fenetres.crbegin(); w != fenetres.crend(); ++w) {
        // A page named on the command line may hold a relative name: the desktop must open it from any folder.
        const QString fichier = (*w)->Untitled ? (*w)->FileName : CheminLong((*w)->FileName);
        // The desktop holds one name a line: such a name would come back as two names that exist nowhere.
        if (fichier.contains(u'\n') || fichier.contains(u'\r')) {
            utilisateur->Avertissement(
                this, QStringLiteral("Bureau"),
                QStringLiteral("Le nom de %1 contient un saut de ligne : cette page n'est pas inscrite dans le bureau.")
                    .arg(NomAffiche(fichier)));
            continue;
        }
        noms.push_back(EncodeNom(fichier).toStdString());
    }
    const std::string contenu = EcritBureau(noms);
    if (!EcritFichier(nom, {contenu}))
        utilisateur->Erreur(this, QStringLiteral("Ne peut créer le fichier %1").arg(NomAffiche(nom)));
}

void TMDIHtml::ChargerUnBureau()
{
    const QString nom = utilisateur->FichierAOuvrir(this, ChargerBureau);
    if (nom.isEmpty())
        return;
    ChargerBureau.nomPropose = nom;
    ChargeBureau(nom);
}

void TMDIHtml::ChargeBureau(const QString &nom)
{
    FenetresFermerTout();
    QFile bureau;
    if (!OuvreEnLecture(nom, bureau))
        return;
    const QByteArray contenu = bureau.readAll();
    if (bureau.error() != QFileDevice::NoError) {
        utilisateur->Erreur(this, bureau.errorString());
        return;
    }
    for (const std::string &ligne : LitBureau(std::string_view(contenu.constData(), contenu.size()))) {
        const QString fichier = DecodeNom(ligne);
        if (QFile essai; !OuvreEnLecture(fichier, essai))
            continue;
        NouvelleFenetre()->OpenFile(CheminLong(fichier));
    }
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
    for (TWndHTML *w : Fenetres()) {
        if (!Cadre(w)->close()) {
            event->ignore();
            return;
        }
    }
    event->accept();
}

bool TMDIHtml::ChoixDuNavigateur()
{
    for (;;) {
        DialogueFichier dialogue = NavigateurDialog;
        // Until a browser is stored, the desktop's own launcher is proposed: it opens the user's default browser,
        // and one Return takes it.
        if (dialogue.nomPropose.isEmpty() && parametres.LitNavigateur().isEmpty())
            dialogue.nomPropose = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
        const QString nom = utilisateur->FichierAOuvrir(this, dialogue);
        if (nom.isEmpty())
            return false;
        NavigateurDialog.nomPropose = nom;
        const QFileInfo programme(nom);
        if (!programme.isFile() || !programme.isExecutable()) {
            utilisateur->Erreur(this, QStringLiteral("%1 n'est pas un programme exécutable.").arg(nom));
            continue;
        }
        if (!parametres.EcritNavigateur(programme.absoluteFilePath())) {
            utilisateur->Erreur(this, parametres.MessageEcritureImpossible());
            return false;
        }
        return true;
    }
}

void TMDIHtml::AfficheAide()
{
    LanceNavigateur(CheminDonnees(QStringLiteral("Aide/depart.htm")));
}

void TMDIHtml::LanceNavigateur(const QString &page)
{
    // The page goes as one argument, never through a shell, and as an absolute path so that no browser takes a
    // name starting with "-" for one of its options. Qt hands arguments over in UTF-8: a name that is not UTF-8
    // goes as a "file:" address, which spells each of its bytes.
    const QString chemin = QFileInfo(page).absoluteFilePath();
    const QByteArray octets = EncodeNom(chemin);
    const QStringList arguments{octets == chemin.toUtf8()
                                    ? chemin
                                    : QStringLiteral("file://") + QString::fromLatin1(octets.toPercentEncoding("/"))};
    for (;;) {
        const QString navigateur = parametres.LitNavigateur();
        if (!navigateur.isEmpty() && QProcess::startDetached(navigateur, arguments))
            return;
        // A cancelled choice ends the command, even when the stored browser no longer starts.
        if (!ChoixDuNavigateur() || parametres.LitNavigateur().isEmpty())
            return;
    }
}
