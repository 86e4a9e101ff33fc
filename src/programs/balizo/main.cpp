#include "core/session/LigneDeCommande.h"
#include "gui/app/Application.h"
#include "gui/app/MDIHtml.h"
#include "gui/app/Session.h"
#include "gui/app/Traductions.h"
#include "gui/settings/CheminsQt.h"
#include "gui/settings/Emplacements.h"

#include <QScreen>

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr const char *Aide =
    "Usage : balizo [FICHIER]\n"
    "        balizo --help | --version\n"
    "\n"
    "Éditeur de pages HTML écrites à la main.\n"
    "\n"
    "Ouvre FICHIER dans une fenêtre ; un fichier dont le nom finit par .dsk est un bureau :\n"
    "les pages qu'il nomme s'ouvrent. Tous les arguments forment ensemble un seul nom de\n"
    "fichier, joints par des espaces : un nom qui contient des espaces s'écrit sans\n"
    "guillemets. Un argument qui commence par un seul tiret fait partie du nom ; après « -- »,\n"
    "tous les arguments en font partie.\n"
    "\n"
    "Options :\n"
    "  --help      affiche cette aide\n"
    "  --version   affiche la version\n"
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

    TApplication application(argv);
    QApplication::setApplicationName(QStringLiteral("Balizo"));
    // The desktop matches the windows with the launcher that it installs.
    QGuiApplication::setDesktopFileName(QStringLiteral("balizo"));

    TraduitEnFrancais(application);

    TMDIHtml MDIHtml(CheminParametres(), std::make_unique<UtilisateurQt>(), CheminDonnees(QStringLiteral("Accents.txt")),
                     DossierRecuperation());
    // The size the frame takes back when it leaves the maximised state, and the one its first documents see.
    MDIHtml.setGeometry(MDIHtml.screen()->availableGeometry().adjusted(1, 1, 0, 0));
    QStringList noms;
    for (const std::string &nom : demande.noms)
        noms << DecodeNom(nom);
    MDIHtml.Session().Demarrage(noms);
    MDIHtml.showMaximized();
    MDIHtml.Session().ProposeRecuperation();
    return QApplication::exec();
}
