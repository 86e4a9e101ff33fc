#include "gui/app/Application.h"
#include "gui/app/MDIFenetre.h"
#include "gui/settings/Emplacements.h"

#include <QLibraryInfo>
#include <QScreen>
#include <QTranslator>

int main(int argc, char *argv[])
{
    TApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Balizo"));

    QTranslator traduction;
    if (traduction.load(QLocale(QLocale::French), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&traduction);

    TMDIHtml MDIHtml(CheminParametres(), std::make_unique<UtilisateurQt>(), CheminDonnees(QStringLiteral("Accents.txt")),
                     DossierRecuperation());
    // The size the frame takes back when it leaves the maximised state, and the one its first documents see.
    MDIHtml.setGeometry(MDIHtml.screen()->availableGeometry().adjusted(1, 1, 0, 0));
    MDIHtml.Demarrage(application.Arguments());
    MDIHtml.showMaximized();
    MDIHtml.ProposeRecuperation();
    return QApplication::exec();
}
