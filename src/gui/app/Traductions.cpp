// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/Traductions.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <string_view>
#include <tuple>

namespace {

// The words that Qt's French catalogs leave in English in the widgets that this program shows: the kind of a folder
// in the file dialogs. Consulted after Qt's own catalogs.
class TraductionsManquantes : public QTranslator {
public:
    using QTranslator::QTranslator;

    bool isEmpty() const override { return false; }

    QString translate(const char *contexte, const char *texte, const char *, int) const override
    {
        static constexpr std::tuple<std::string_view, std::string_view, const char *> Textes[] = {
            {"QAbstractFileIconProvider", "Folder", "Dossier"},
            {"QAbstractFileIconProvider", "Drive", "Lecteur"},
            {"QAbstractFileIconProvider", "Unknown", "Inconnu"},
        };
        if (!contexte || !texte)
            return {};
        for (const auto &[sien, anglais, francais] : Textes)
            if (sien == contexte && anglais == texte)
                return QString::fromUtf8(francais);
        return {};
    }
};

} // namespace

void TraduitEnFrancais(QCoreApplication &application)
{
    // A French system keeps its own country's ways (Belgium, Canada, Switzerland...).
    const QLocale francais =
        QLocale::system().language() == QLocale::French ? QLocale::system() : QLocale(QLocale::French, QLocale::France);
    QLocale::setDefault(francais);
    // The last installed is asked first.
    QCoreApplication::installTranslator(new TraductionsManquantes(&application));
    const QString dossier = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    for (const char *catalogue : {"qt", "qscintilla"}) {
        auto *traduction = new QTranslator(&application);
        if (traduction->load(francais, QLatin1String(catalogue), QStringLiteral("_"), dossier))
            QCoreApplication::installTranslator(traduction);
        else
            delete traduction;
    }
}
