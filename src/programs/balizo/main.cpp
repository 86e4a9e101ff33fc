// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/session/LigneDeCommande.h"
#include "gui/app/Application.h"
#include "gui/app/Instance.h"
#include "gui/app/MDIHtml.h"
#include "gui/app/Session.h"
#include "gui/app/Traductions.h"
#include "gui/settings/CheminsQt.h"
#include "gui/settings/Emplacements.h"

#include <QLoggingCategory>
#include <QScreen>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <unistd.h>

namespace {

constexpr const char *Aide =
    "Usage : balizo [--nouvelle-instance] [FICHIER...]\n"
    "        balizo --help | -h | --version\n"
    "\n"
    "Éditeur de pages HTML écrites à la main.\n"
    "\n"
    "Ouvre chaque FICHIER dans sa fenêtre, dans l'ordre ; un fichier dont le nom finit par .dsk\n"
    "est un bureau : les pages qu'il nomme s'ouvrent. Les arguments joints par des espaces\n"
    "forment d'abord un seul nom : quand c'est celui d'un fichier, lui seul s'ouvre, si bien\n"
    "qu'un nom qui contient des espaces s'écrit sans guillemets. Un argument qui commence par\n"
    "un seul tiret est un nom, sauf « -h » seul ; après « -- », tous les arguments en sont.\n"
    "\n"
    "Un seul Balizo tourne par utilisateur et par écran : quand il y en a déjà un, c'est lui\n"
    "qui ouvre les fichiers et passe au premier plan, et la commande se termine aussitôt.\n"
    "\n"
    "Options :\n"
    "  --nouvelle-instance  démarre un Balizo à part, même quand un autre tourne déjà\n"
    "  -h, --help           affiche cette aide\n"
    "  --version            affiche la version\n"
    "\n"
    "Les réglages sont dans Balizo.ini : à côté du programme quand il y en a déjà un (une\n"
    "copie portable), sinon dans $XDG_CONFIG_HOME/balizo (par défaut ~/.config/balizo).\n";

} // namespace

int main(int argc, char *argv[])
{
    // The options are read before Qt starts: they need no display.
    const DemandeLigneDeCommande demande = AnalyseLigneDeCommande(std::vector<std::string>(argv + 1, argv + argc));
    switch (demande.genre) {
    case DemandeLigneDeCommande::Genre::Aide: std::fputs(Aide, stdout); return 0;
    case DemandeLigneDeCommande::Genre::Version: std::puts("balizo " BALIZO_VERSION); return 0;
    case DemandeLigneDeCommande::Genre::OptionInconnue:
        std::fprintf(stderr, "balizo : option inconnue : %s\nEssayez « balizo --help ».\n", demande.option.c_str());
        return 2;
    case DemandeLigneDeCommande::Genre::Fichier: break;
    }

    // Qt would abort, in English, without a display to open.
    const auto variable = [](const char *nom) { return std::string_view(std::getenv(nom) ? std::getenv(nom) : ""); };
    const Affichage affichage =
        AffichageDe(variable("QT_QPA_PLATFORM"), variable("DISPLAY"), variable("WAYLAND_DISPLAY"));
    if (!affichage.accessible) {
        if (variable("QT_QPA_PLATFORM").empty())
            std::fputs("balizo : aucun affichage disponible (ni DISPLAY ni WAYLAND_DISPLAY).\n", stderr);
        else
            std::fprintf(stderr, "balizo : aucun affichage disponible pour QT_QPA_PLATFORM=%s.\n",
                         std::getenv("QT_QPA_PLATFORM"));
        return 2;
    }

    // The preview's browser engine draws with the interface's OpenGL contexts, which must be shared from the start.
    // Its sandbox refuses to run as root (a container, a rescue session): the preview then runs without it, the
    // limits it sets on the page kept.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    if (geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    // Drawn with OpenGL, the engine's view would make the whole main window go through OpenGL at each of its paints:
    // on a machine that draws OpenGL in software, the caret's blinking alone would keep a core busy. Drawn by the
    // processor, a page shows as well; WebGL is then unavailable in the preview.
    if (!qEnvironmentVariableIsSet("QT_QUICK_BACKEND"))
        qputenv("QT_QUICK_BACKEND", "software");
    TApplication application(argv);
    // The engine would write its settings on the terminal each time it starts; QT_LOGGING_RULES still shows them.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.webenginecontext.info=false"));

    // The editor already running on this display takes the files, each by its full name from this folder.
    const QString serveur = demande.nouvelleInstance ? QString() : TInstance::NomDuServeur(affichage.nom);
    if (!serveur.isEmpty()) {
        std::vector<std::string> fichiers;
        for (const std::string &fichier : FichiersNommes(demande.noms, EstUnFichier))
            fichiers.push_back(EncodeNom(CheminLong(DecodeNom(fichier))).toStdString());
        if (TInstance::Confie(serveur, fichiers))
            return 0;
    }

    QApplication::setApplicationName(QStringLiteral("Balizo"));
    // The desktop matches the windows with the launcher that it installs.
    QGuiApplication::setDesktopFileName(QStringLiteral("balizo"));

    TraduitEnFrancais(application);

    TMDIHtml MDIHtml(CheminParametres(), std::make_unique<UtilisateurQt>(), CheminDonnees(QStringLiteral("Accents.txt")),
                     DossierRecuperation());
    // The size the frame takes back when it leaves the maximised state, and the one its first documents see.
    MDIHtml.setGeometry(MDIHtml.screen()->availableGeometry().adjusted(1, 1, 0, 0));
    if (!serveur.isEmpty())
        new TInstance(serveur, MDIHtml);
    QStringList noms;
    for (const std::string &nom : demande.noms)
        noms << DecodeNom(nom);
    MDIHtml.Session().Demarrage(noms);
    MDIHtml.showMaximized();
    MDIHtml.Session().ProposeRecuperation();
    return QApplication::exec();
}
