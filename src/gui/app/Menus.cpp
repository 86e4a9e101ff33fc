// SPDX-License-Identifier: GPL-3.0-or-later
// The frame's actions, menus and tool bars, built from the table of commands, and the commands enabled as the
// active document allows.

#include "gui/app/MDIHtml.h"

#include "gui/app/EtatPage.h"
#include "gui/app/ListeCommandes.h"
#include "gui/app/Session.h"
#include "gui/dialogs/DlgChercher.h"
#include "gui/document/WndHTML.h"
#include "gui/settings/CheminsQt.h"
#include "gui/verification/Dictionnaires.h"
#include "gui/verification/PanneauProblemes.h"
#include "gui/verification/Verification.h"

#include <QAction>
#include <QActionGroup>
#include <QClipboard>
#include <QGuiApplication>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QToolBar>
#include <QTreeView>

namespace {

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

void TMDIHtml::CreeCommandes()
{
    for (const Commande &commande : Commandes()) {
        auto *action = new QAction(commande.texte, this);
        action->setObjectName(QLatin1String(commande.nom));
        action->setShortcuts(commande.touches);
        connect(action, &QAction::triggered, this, [this, &commande] { commande.execute(*this); });
        if (commande.document)
            actionsDocument << action;
        // Its keys work whichever menus the bar holds, and for the commands in no menu.
        addAction(action);
        actions[commande.nom] = action;
    }
    RecentsMenu = new QMenu(QStringLiteral("Fichiers ré&cents"), this);
    RecentsMenu->setObjectName("Recents");
    // All the menus first, so that a menu finds its submenus by name.
    for (const Rangee &rangee : Menus())
        (new QMenu(rangee.titre, this))->setObjectName(QLatin1String(rangee.nom));
    for (const Rangee &rangee : Menus()) {
        QMenu *menu = Menu(rangee.nom);
        for (const std::string_view entree : rangee.entrees) {
            if (entree == "-")
                menu->addSeparator();
            else if (entree.starts_with('@'))
                AjoutePartie(*menu, entree);
            else if (entree.starts_with('>'))
                menu->addMenu(Menu(std::string(entree.substr(1)).c_str()));
            else
                menu->addAction(Action(entree));
        }
    }
    connect(Menu("Edition"), &QMenu::aboutToShow, this, &TMDIHtml::MajActions);
    connect(Menu("Fenetres"), &QMenu::aboutToShow, this, &TMDIHtml::MajMenuFenetres);
    connect(Menu("Pliage"), &QMenu::aboutToShow, this, &TMDIHtml::MajActions);
    for (const Rangee &rangee : Barres()) {
        auto *barre = new QToolBar(rangee.titre, this);
        barre->setObjectName(QLatin1String(rangee.nom));
        barre->setMovable(false);
        barre->setIconSize(QSize(16, 16));
        addToolBar(barres.empty() ? Qt::TopToolBarArea : Qt::LeftToolBarArea, barre);
        barres.push_back(barre);
        for (const std::string_view entree : rangee.entrees)
            if (entree == "-")
                barre->addSeparator();
            else
                barre->addAction(Action(entree));
    }
    for (const Commande &commande : Commandes()) {
        if (commande.bulle.isEmpty())
            continue;
        QAction *action = Action(commande.nom);
        if (commande.icone) {
            action->setIcon(Icone(commande.icone));
            // The menus show no icons.
            action->setIconVisibleInMenu(false);
        }
        // The bubble tells the key, as the menus do.
        action->setToolTip(commande.touches.isEmpty()
                               ? commande.bulle
                               : QStringLiteral("%1 (%2)").arg(commande.bulle, commande.touches.first().toString(
                                                                                   QKeySequence::NativeText)));
    }
}

void TMDIHtml::AjoutePartie(QMenu &menu, std::string_view partie)
{
    if (partie == "@recents") {
        menu.addMenu(RecentsMenu);
        connect(&menu, &QMenu::aboutToShow, session, [this] { session->RemplitRecents(*RecentsMenu); });
    } else if (partie == "@sites") {
        menu.addMenu(MenuSites());
    } else if (partie == "@problemes") {
        // The list's own action would take its title, which counts the problems, and has no access letter.
        QAction *liste = menu.addAction(QStringLiteral("Liste des &problèmes"));
        liste->setObjectName("ListeProblemes");
        liste->setCheckable(true);
        connect(panneau->toggleViewAction(), &QAction::toggled, liste, &QAction::setChecked);
        // Shown from the menu, the list takes the keyboard: the arrows choose a problem, Return goes to it.
        connect(liste, &QAction::triggered, this, [this] {
            panneau->toggleViewAction()->trigger();
            if (panneau->isVisible())
                panneau->Liste->setFocus();
        });
    } else if (partie == "@orthographe") {
        AjouteInterrupteur(menu, "Orthographe", QStringLiteral("&Orthographe"), &TVerification::ActiveOrthographe,
                           &TVerification::OrthographeActive);
    } else if (partie == "@code") {
        AjouteInterrupteur(menu, "VerifierCode", QStringLiteral("Vérifier le &code (code, pre, kbd…)"),
                           &TVerification::VerifieCode, &TVerification::CodeVerifie);
    } else if (partie == "@fermeture") {
        QAction *fermeture = menu.addAction(QStringLiteral("Fermer les &balises automatiquement"));
        fermeture->setObjectName("FermerBalises");
        fermeture->setCheckable(true);
        fermeture->setChecked(fermeBalises);
        connect(fermeture, &QAction::triggered, this, &TMDIHtml::FermeBalises);
    } else if (partie == "@onglets") {
        QAction *onglets = menu.addAction(QStringLiteral("&Onglets"));
        onglets->setObjectName("Onglets");
        onglets->setCheckable(true);
        connect(onglets, &QAction::triggered, this, &TMDIHtml::Onglets);
    } else if (partie == "@dictionnaires") {
        QMenu *dictionnaires = menu.addMenu(QStringLiteral("&Dictionnaire"));
        connect(&menu, &QMenu::aboutToShow, dictionnaires, [this, dictionnaires] { RemplitDictionnaires(*dictionnaires); });
    }
}

void TMDIHtml::AjouteInterrupteur(QMenu &menu, const char *nom, const QString &texte,
                                  void (TVerification::*change)(bool), bool (TVerification::*etat)() const)
{
    QAction *interrupteur = menu.addAction(texte);
    interrupteur->setObjectName(QLatin1String(nom));
    interrupteur->setCheckable(true);
    connect(interrupteur, &QAction::triggered, verification, change);
    connect(&menu, &QMenu::aboutToShow, interrupteur,
            [this, interrupteur, etat] { interrupteur->setChecked((verification->*etat)()); });
}

void TMDIHtml::RemplitDictionnaires(QMenu &menu)
{
    // The installed dictionaries, the one in use checked.
    menu.clear();
    const QString choisi = verification->Dictionnaire();
    auto *groupe = new QActionGroup(&menu);
    for (const DictionnaireInstalle &installe : verification->Dictionnaires()) {
        const QString nom = QString::fromStdString(installe.nom);
        QAction *action = menu.addAction(NomDeDictionnaire(nom));
        action->setCheckable(true);
        action->setChecked(nom == choisi);
        groupe->addAction(action);
        connect(action, &QAction::triggered, this, [this, nom] { verification->ChoisitDictionnaire(nom); });
    }
    if (menu.isEmpty())
        menu.addAction(QStringLiteral("Aucun dictionnaire installé"))->setEnabled(false);
}

QAction *TMDIHtml::Action(std::string_view nom) const
{
    return actions.at(nom);
}

QMenu *TMDIHtml::Menu(const char *nom) const
{
    return findChild<QMenu *>(QLatin1String(nom), Qt::FindDirectChildrenOnly);
}

void TMDIHtml::MajMenus()
{
    menuBar()->clear();
    static const std::vector<const char *> avecDocument{"FichierDocument", "Edition", "Insertion", "Fenetres",
                                                         "Options", "Aide"};
    static const std::vector<const char *> sansDocument{"Fichier", "Fenetres", "Options", "Aide"};
    for (const char *nom : FenetreActive() ? avecDocument : sansDocument)
        menuBar()->addMenu(Menu(nom));
    MajActions();
    etat->Montre(FenetreActive());
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
    Action("Couper")->setEnabled(selection);
    Action("Copier")->setEnabled(selection);
    const QMimeData *donnees = QGuiApplication::clipboard()->mimeData();
    Action("Coller")->setEnabled(donnees && donnees->hasText());
    Action("Suivant")->setEnabled(!dlgChercher->Texte().isEmpty());
    for (const char *pliage : {"Replier", "Deplier", "ToutReplier", "ToutDeplier"})
        Action(pliage)->setEnabled(w->EditHTML->Pliable());
}

void TMDIHtml::MajAnnulation()
{
    TWndHTML *w = FenetreActive();
    Action("Defaire")->setEnabled(w && w->EditHTML->isUndoAvailable());
    Action("Retablir")->setEnabled(w && w->EditHTML->isRedoAvailable());
}

void TMDIHtml::MajMenuFenetres()
{
    qDeleteAll(actionsFenetres);
    actionsFenetres.clear();
    // In the order in which they were opened, whichever is in front.
    const QList<TWndHTML *> fenetres = Fenetres(QMdiArea::CreationOrder);
    if (fenetres.isEmpty())
        return;
    QMenu *menu = Menu("Fenetres");
    actionsFenetres << menu->addSeparator();
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
        QAction *action = menu->addAction(titre);
        action->setCheckable(true);
        action->setChecked(w == active);
        connect(action, &QAction::triggered, this, [this, w] {
            if (QMdiSubWindow *cadre = Cadre(w))
                mdiArea->setActiveSubWindow(cadre);
        });
        actionsFenetres << action;
    }
}
