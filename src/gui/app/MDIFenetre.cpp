#include "gui/app/MDIFenetre.h"

#include "core/app/Bureau.h"
#include "gui/app/DlgAPropos.h"
#include "gui/app/DlgChercher.h"
#include "core/app/LigneDeCommande.h"
#include "gui/dialogs/DlgAncreLocale.h"
#include "gui/dialogs/DlgHyperlien.h"
#include "gui/dialogs/DlgImage.h"
#include "gui/dialogs/WndTags.h"
#include "gui/dialogs/WndTitre.h"
#include "gui/document/WndEditeur.h"
#include "gui/entities/WndCaracteres.h"
#include "gui/settings/CheminsQt.h"
#include "gui/settings/Emplacements.h"
#include "gui/settings/Fichiers.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QProcess>
#include <QScreen>
#include <QToolBar>

#include <algorithm>

namespace {

const QString FiltreBureau = QStringLiteral("Fichiers de bureau|*.dsk");

QIcon Icone(const char *nom)
{
    return QIcon(QStringLiteral(":/icones/%1.xpm").arg(QLatin1String(nom)));
}

} // namespace

TMDIHtml::TMDIHtml(const QString &fichierParametres, std::unique_ptr<Utilisateur> utilisateur,
                   const QString &fichierAccents)
    : utilisateur(std::move(utilisateur))
    , parametres(fichierParametres)
    , DlgFonte(QStringLiteral("MS Sans Serif"), 8)
    , OpenDialog{QStringLiteral("Ouverture d'une page HTML..."), FiltreDocuments(), {}, true, {}}
    , EnregistrerBureau{{}, FiltreBureau, QStringLiteral("dsk"), false, {}}
    , ChargerBureau{{}, FiltreBureau, QStringLiteral("dsk"), false, {}}
    , imageDialog{QStringLiteral("Insertion d'une image GIF ou JPEG..."),
                  QStringLiteral("Fichiers GIF|*.gif|Fichiers JPEG|*.jpg|Tous|*.*"),
                  QStringLiteral("gif"),
                  false,
                  {}}
    , mdiArea(new QMdiArea(this))
{
    // The icons are compiled into this static library: their resources must be registered by hand.
    Q_INIT_RESOURCE(icones);
    setWindowTitle(QStringLiteral("Balizo"));
    setWindowIcon(Icone("balizo"));
    setCentralWidget(mdiArea);
    mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // When the page in front closes, the one that was in front before it comes back, as its place in `Fenetres`
    // says.
    mdiArea->setActivationOrder(QMdiArea::ActivationHistoryOrder);
    connect(mdiArea, &QMdiArea::subWindowActivated, this, &TMDIHtml::MajMenus);

    DlgFonte.setFamily(parametres.LitFonte());
    DlgFonte.setPointSize(parametres.LitTaille());

    CreeMenus();
    CreeBarres();
    MajMenus();
    WndCaracteresSpeciaux = new TWndCaracteresSpeciaux(*this, fichierAccents);
    TagsForm = new TTagsForm(*this, CheminDonnees(QStringLiteral("Tags")));
    dlgChercher = new TDlgChercher(this);
    connect(dlgChercher, &TDlgChercher::Suivant, this, &TMDIHtml::Suivant);
    dlgHyperlien = new TDlgInsertionHyperlien(this);
    dlgAncreLocale = new TDlgInsertionAncreLocale(this);
    dlgImage = new TDlgInsertionImage(*this);
    dlgTitre = new TDlgInsertionTitre(this);
}

TMDIHtml::~TMDIHtml()
{
    // The document windows are destroyed after the frame's menus: the frame no longer follows their activation.
    disconnect(mdiArea, nullptr, this, nullptr);
}

void TMDIHtml::CreeMenus()
{
    FichierMenu = new QMenu(QStringLiteral("&Fichier"), this);
    FichierMenu->addAction(QStringLiteral("&Nouveau"), this, &TMDIHtml::FileNew)->setObjectName("FileNewItem");
    FichierMenu->addAction(QStringLiteral("&Ouvrir..."), this, &TMDIHtml::FileOpen)->setObjectName("FileOpenItem");
    FichierMenu->addSeparator();
    FichierMenu->addAction(QStringLiteral("&Quitter"), this, &TMDIHtml::FileExit)->setObjectName("FileExitItem");

    WindowMenu = new QMenu(QStringLiteral("Fenê&tres"), this);
    WindowMenu->addAction(QStringLiteral("&Mosaïque"), this, &TMDIHtml::FenetreMosaique);
    WindowMenu->addAction(QStringLiteral("&Cascade"), this, &TMDIHtml::FenetreCascade);
    WindowMenu->addAction(QStringLiteral("&Réorganiser les icones"), this, &TMDIHtml::FenetreIcones);
    WindowMenu->addAction(QStringLiteral("&Fermer tout"), this, &TMDIHtml::FenetresFermerTout)
        ->setObjectName("FenetreFermerTout");
    WindowMenu->addSeparator();
    WindowMenu->addAction(QStringLiteral("&Enregistrer le bureau..."), this, &TMDIHtml::EnregistrerLeBureau);
    WindowMenu->addAction(QStringLiteral("C&harger un bureau..."), this, &TMDIHtml::ChargerUnBureau);
    connect(WindowMenu, &QMenu::aboutToShow, this, &TMDIHtml::MajMenuFenetres);

    OptionsMenu = new QMenu(QStringLiteral("&Options"), this);
    OptionsMenu->addAction(QStringLiteral("Choix du &navigateur..."), this, &TMDIHtml::ChoixDuNavigateur)
        ->setObjectName("Choixdunavigateur1");
    OptionsMenu->addAction(QStringLiteral("&Fonte..."), this, &TMDIHtml::Fonte)->setObjectName("Fonte1");

    AideMenu = new QMenu(QStringLiteral("&Aide"), this);
    AideMenu->addAction(QStringLiteral("&Aide..."), this, &TMDIHtml::AfficheAide)->setObjectName("Aide1");
    AideMenu->addSeparator();
    AideMenu->addAction(QStringLiteral("A &propos..."), this, &TMDIHtml::APropos)->setObjectName("HelpAboutItem");
}

void TMDIHtml::CreeBarres()
{
    struct Bouton {
        const char *nom;
        const char *icone;
        const char *texte;
        std::function<void()> commande;
    };
    auto remplit = [this](QToolBar *barre, std::initializer_list<std::initializer_list<Bouton>> groupes) {
        bool premier = true;
        for (const auto &groupe : groupes) {
            if (!premier)
                barre->addSeparator();
            premier = false;
            for (const Bouton &bouton : groupe) {
                const QString texte = QString::fromUtf8(bouton.texte);
                QAction *action = bouton.icone ? barre->addAction(Icone(bouton.icone), texte) : barre->addAction(texte);
                action->setObjectName(QLatin1String(bouton.nom));
                action->setToolTip(texte);
                connect(action, &QAction::triggered, this, bouton.commande);
            }
        }
    };
    auto paire = [this](IndexPaire p) { return [this, p] { Formate(p); }; };

    auto *SpeedBar = addToolBar(QStringLiteral("SpeedBar"));
    SpeedBar->setObjectName("SpeedBar");
    remplit(SpeedBar, {
                          {{"sbNouveau", "nouveau", "Nouveau...", [this] { FileNew(); }},
                           {"sbOuvrir", "ouvrir", "Ouvrir...", [this] { FileOpen(); }},
                           {"sbEnregistrer", "enregistrer", "Enregistrer...", [this] { FileSave(); }}},
                          {{"sbApercu", "apercu", "Aperçu...", [this] { FichierApercu(); }}},
                          {{"sbCouper", "couper", "Couper", [this] { EditCut(); }},
                           {"sbCopier", "copier", "Copier", [this] { EditCopy(); }},
                           {"sbColler", "coller", "Coller", [this] { EditPaste(); }}},
                          {{"sbGras", "gras", "Gras", paire(PaireGras)},
                           {"sbItalique", "italique", "Italique", paire(PaireItalique)},
                           {"sbSouligne", "souligne", "Souligné", paire(PaireSouligne)}},
                          {{"sbGauche", "gauche", "Alignement à gauche", paire(PaireGauche)},
                           {"sbCentre", "centre", "Alignement centré", paire(PaireCentre)},
                           {"sbDroite", "droite", "Alignement à droite", paire(PaireDroite)}},
                      });

    auto *SpeedBar2 = new QToolBar(QStringLiteral("SpeedBar2"), this);
    SpeedBar2->setObjectName("SpeedBar2");
    addToolBar(Qt::LeftToolBarArea, SpeedBar2);
    remplit(SpeedBar2, {
                           {{"sbH1", nullptr, "H1", paire(PaireH1)},
                            {"sbH2", nullptr, "H2", paire(PaireH2)},
                            {"sbH3", nullptr, "H3", paire(PaireH3)},
                            {"sbH4", nullptr, "H4", paire(PaireH4)},
                            {"sbH5", nullptr, "H5", paire(PaireH5)},
                            {"sbH6", nullptr, "H6", paire(PaireH6)}},
                           {{"sbHR", "hr", "HR", paire(PaireHR)},
                            {"sbParagraphe", "paragraphe", "P", paire(PaireP)},
                            {"sbBR", "br", "BR", paire(PaireBR)}},
                           {{"snnbsp", "nbsp", "Espace insécable", paire(PaireNbsp)}},
                       });
    for (QToolBar *barre : {SpeedBar, SpeedBar2}) {
        barre->setMovable(false);
        barre->setIconSize(QSize(16, 16));
    }
}

void TMDIHtml::MajMenus()
{
    menuBar()->clear();
    if (TWndHTML *w = FenetreActive()) {
        menuBar()->addMenu(w->FichierMenu);
        menuBar()->addMenu(w->EditMenu);
        menuBar()->addMenu(w->InsertionMenu);
    } else {
        menuBar()->addMenu(FichierMenu);
    }
    menuBar()->addMenu(WindowMenu);
    menuBar()->addMenu(OptionsMenu);
    menuBar()->addMenu(AideMenu);
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
        QString titre = w->FileName;
        titre.replace(u'&', QStringLiteral("&&"));
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
    auto *w = new TWndHTML(*this);
    QMdiSubWindow *cadre = mdiArea->addSubWindow(w);
    cadre->setGeometry(PlaceEnCascade(rang));
    connect(w, &QObject::destroyed, this, &TMDIHtml::MajMenus, Qt::QueuedConnection);
    cadre->show();
    mdiArea->setActiveSubWindow(cadre);
    MajMenus();
    return w;
}

TWndHTML *TMDIHtml::FenetreResultat(const std::string &nom)
{
    TWndHTML *w = NouvelleFenetre();
    w->ChangeNom(QFile::decodeName(QByteArray::fromStdString(nom)));
    return w;
}

void TMDIHtml::Demarrage(const QStringList &arguments)
{
    if (arguments.isEmpty())
        return;
    std::vector<std::string> morceaux;
    for (const QString &argument : arguments)
        morceaux.push_back(QFile::encodeName(argument).toStdString());
    const std::string nom = NomDeLigneDeCommande(morceaux);
    const QString fichier = QFile::decodeName(QByteArray::fromStdString(nom));
    const QFileInfo info(fichier);
    if (!info.exists() || info.isDir())
        return;
    if (EstUnBureau(nom))
        ChargeBureau(fichier);
    else
        NouvelleFenetre()->OpenFile(fichier);
}

void TMDIHtml::FileNew()
{
    TWndHTML *w = NouvelleFenetre();
    const FinDeLigne fin = w->EditHTML->FinDeLigneDocument();
    w->InsertionTexte(AvecFinsDeLigne(TextPairs[PaireModele].ouverture, fin),
                      AvecFinsDeLigne(TextPairs[PaireModele].fermeture, fin));
}

void TMDIHtml::FileOpen()
{
    const QString nom = utilisateur->FichierAOuvrir(this, OpenDialog);
    if (nom.isEmpty())
        return;
    OpenDialog.nomPropose = nom;
    NouvelleFenetre()->OpenFile(CheminLong(nom));
}

void TMDIHtml::FileSave()
{
    if (TWndHTML *w = FenetreActive())
        w->FileSave();
}

void TMDIHtml::FileExit()
{
    close();
}

void TMDIHtml::EditCut()
{
    if (TWndHTML *w = FenetreActive())
        w->EditionCouper();
}

void TMDIHtml::EditCopy()
{
    if (TWndHTML *w = FenetreActive())
        w->EditionCopier();
}

void TMDIHtml::EditPaste()
{
    if (TWndHTML *w = FenetreActive())
        w->EditionColler();
}

void TMDIHtml::Formate(IndexPaire paire)
{
    if (TWndHTML *w = FenetreActive())
        w->InsertionTexte(TextPairs[paire].ouverture, TextPairs[paire].fermeture);
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
                    .arg(fichier));
            continue;
        }
        noms.push_back(QFile::encodeName(fichier).toStdString());
    }
    const std::string contenu = EcritBureau(noms);
    if (!EcritFichier(nom, {contenu}))
        utilisateur->Erreur(this, QStringLiteral("Ne peut créer le fichier %1").arg(nom));
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
        const QString fichier = QFile::decodeName(QByteArray::fromStdString(ligne));
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
    if (!parametres.EcritFonte(DlgFonte.family()) || !parametres.EcritTaille(DlgFonte.pointSize())) {
        utilisateur->Erreur(this, parametres.MessageEcritureImpossible());
        return;
    }
    for (TWndHTML *w : fenetres)
        w->EditHTML->AppliqueFonte(DlgFonte);
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

void TMDIHtml::Suivant()
{
    if (TWndHTML *w = FenetreActive())
        w->EditionSuivant();
}

bool TMDIHtml::ChoixDuNavigateur()
{
    for (;;) {
        const QString nom = utilisateur->FichierAOuvrir(this, NavigateurDialog);
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

void TMDIHtml::FichierApercu()
{
    if (TWndHTML *w = FenetreActive())
        w->FichierApercu();
}

void TMDIHtml::AfficheAide()
{
    LanceNavigateur(CheminDonnees(QStringLiteral("Aide/depart.htm")));
}

void TMDIHtml::LanceNavigateur(const QString &page)
{
    // The page goes as one argument, never through a shell, and as an absolute path so that no browser takes a
    // name starting with "-" for one of its options.
    const QStringList arguments{QFileInfo(page).absoluteFilePath()};
    for (;;) {
        const QString navigateur = parametres.LitNavigateur();
        if (!navigateur.isEmpty() && QProcess::startDetached(navigateur, arguments))
            return;
        // A cancelled choice ends the command, even when the stored browser no longer starts.
        if (!ChoixDuNavigateur() || parametres.LitNavigateur().isEmpty())
            return;
    }
}
