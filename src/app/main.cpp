#include "app/MDIFenetre.h"
#include "settings/Emplacements.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Balizo"));

    QTranslator traduction;
    if (traduction.load(QLocale(QLocale::French), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&traduction);

    TMDIHtml MDIHtml(CheminParametres(), std::make_unique<UtilisateurQt>());
    MDIHtml.Demarrage(QApplication::arguments().mid(1));
    MDIHtml.showMaximized();
    return QApplication::exec();
}
