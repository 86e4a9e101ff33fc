#include "gui/settings/FichierINI.h"

#include "gui/settings/CheminsQt.h"
#include "gui/settings/Fichiers.h"
#include "core/settings/Entier.h"
#include "core/settings/ProfilINI.h"

#include <QFile>

#include <algorithm>
#include <array>
#include <cerrno>
#include <string>

namespace {
constexpr std::string_view Section = "Balizo";
constexpr std::string_view SectionRecents = "Recents";

std::string CleRecent(int rang)
{
    return "Fichier" + std::to_string(rang + 1);
}

// The names of the colour schemes in the file, in the order of Schema.
constexpr std::array NomsSchemas{"Clair", "Sombre", "Bureau"};

std::string_view Vue(const QByteArray &octets)
{
    return {octets.constData(), static_cast<std::size_t>(octets.size())};
}
} // namespace

TFichierINI::TFichierINI(const QString &nomFichier)
    : nom(nomFichier)
{
}

// The file's bytes; empty when there is no file; nothing when it cannot be read or is not a regular file.
std::optional<QByteArray> TFichierINI::Contenu() const
{
    QFile fichier;
    if (!OuvreEnLecture(nom, fichier))
        return errno == ENOENT ? std::optional<QByteArray>(QByteArray()) : std::nullopt;
    QByteArray octets = fichier.readAll();
    if (fichier.error() != QFileDevice::NoError)
        return std::nullopt;
    return octets;
}

QString TFichierINI::LitTexte(const char *cle, const QString &defaut) const
{
    const std::optional<QByteArray> octets = Contenu();
    if (!octets)
        return defaut;
    const std::optional<std::string> valeur = LitProfil(Vue(*octets), Section, cle);
    return valeur ? QString::fromStdString(*valeur) : defaut;
}

bool TFichierINI::EcritTexte(const char *cle, const QString &valeur)
{
    // A file that cannot be read is never replaced: what it holds would be lost.
    const std::optional<QByteArray> octets = Contenu();
    if (!octets)
        return false;
    const auto nouveau = EcritProfil(Vue(*octets), Section, cle, valeur.toStdString());
    return nouveau && EcritFichier(nom, {*nouveau});
}

QString TFichierINI::LitNavigateur()
{
    return LitTexte("Navigateur", QString());
}

bool TFichierINI::EcritNavigateur(const QString &navigateur)
{
    return EcritTexte("Navigateur", navigateur);
}

QString TFichierINI::LitFonte()
{
    return LitTexte("Fonte", QString());
}

bool TFichierINI::EcritFonte(const QString &fonte)
{
    return EcritTexte("Fonte", fonte);
}

int TFichierINI::LitTaille(int defaut)
{
    constexpr int Minimum = 4;
    constexpr int Maximum = 96;
    return std::clamp(LitEntier(LitTexte("Taille", QString()).toStdString(), defaut), Minimum, Maximum);
}

bool TFichierINI::EcritTaille(int taille)
{
    return EcritTexte("Taille", QString::number(taille));
}

bool TFichierINI::LitOrthographe()
{
    return LitEntier(LitTexte("Orthographe", QString()).toStdString(), 1) != 0;
}

bool TFichierINI::EcritOrthographe(bool active)
{
    return EcritTexte("Orthographe", active ? QStringLiteral("1") : QStringLiteral("0"));
}

bool TFichierINI::LitFermeBalises()
{
    return LitEntier(LitTexte("FermerBalises", QString()).toStdString(), 1) != 0;
}

bool TFichierINI::EcritFermeBalises(bool ferme)
{
    return EcritTexte("FermerBalises", ferme ? QStringLiteral("1") : QStringLiteral("0"));
}

bool TFichierINI::LitRouvrirSession()
{
    return LitEntier(LitTexte("RouvrirSession", QString()).toStdString(), 1) != 0;
}

bool TFichierINI::EcritRouvrirSession(bool oui)
{
    return EcritTexte("RouvrirSession", oui ? QStringLiteral("1") : QStringLiteral("0"));
}

bool TFichierINI::LitOnglets()
{
    return LitEntier(LitTexte("Onglets", QString()).toStdString(), 0) != 0;
}

bool TFichierINI::EcritOnglets(bool oui)
{
    return EcritTexte("Onglets", oui ? QStringLiteral("1") : QStringLiteral("0"));
}

bool TFichierINI::LitFenetresMaximisees()
{
    return LitEntier(LitTexte("FenetresMaximisees", QString()).toStdString(), 0) != 0;
}

bool TFichierINI::EcritFenetresMaximisees(bool oui)
{
    return EcritTexte("FenetresMaximisees", oui ? QStringLiteral("1") : QStringLiteral("0"));
}

Schema TFichierINI::LitSchema()
{
    const QString nom = LitTexte("Schema", QString());
    const auto trouve = std::ranges::find(NomsSchemas, nom, [](const char *connu) { return QLatin1String(connu); });
    return trouve == NomsSchemas.end() ? Schema::Clair : static_cast<Schema>(trouve - NomsSchemas.begin());
}

bool TFichierINI::EcritSchema(Schema schema)
{
    return EcritTexte("Schema", QLatin1String(NomsSchemas[static_cast<std::size_t>(schema)]));
}

QString TFichierINI::LitDictionnaire()
{
    return LitTexte("Dictionnaire", QString());
}

bool TFichierINI::EcritDictionnaire(const QString &dictionnaire)
{
    return EcritTexte("Dictionnaire", dictionnaire);
}

bool TFichierINI::LitCode()
{
    return LitEntier(LitTexte("VerifierCode", QString()).toStdString(), 0) != 0;
}

bool TFichierINI::EcritCode(bool verifie)
{
    return EcritTexte("VerifierCode", verifie ? QStringLiteral("1") : QStringLiteral("0"));
}

QStringList TFichierINI::LitRecents()
{
    QStringList pages;
    const std::optional<QByteArray> octets = Contenu();
    if (!octets)
        return pages;
    for (int rang = 0; rang < NombreRecents; ++rang) {
        const std::optional<std::string> page = LitProfil(Vue(*octets), SectionRecents, CleRecent(rang));
        if (page && !page->empty())
            pages << QString::fromStdString(*page);
    }
    return pages;
}

bool TFichierINI::EcritRecents(const QStringList &pages)
{
    // A file that cannot be read is never replaced.
    const std::optional<QByteArray> octets = Contenu();
    if (!octets)
        return false;
    std::string nouveau = octets->toStdString();
    int rang = 0;
    for (const QString &page : pages) {
        if (rang == NombreRecents || page.contains(u'\n') || page.contains(u'\r') ||
            std::size_t(page.toUcs4().size()) > LongueurMaximaleValeur || EncodeNom(page) != page.toUtf8())
            continue;
        nouveau = *EcritProfil(nouveau, SectionRecents, CleRecent(rang++), page.toStdString());
    }
    // The older names that the list no longer holds are emptied; the keys that never held one stay out.
    for (; rang < NombreRecents; ++rang)
        if (LitProfil(nouveau, SectionRecents, CleRecent(rang)))
            nouveau = *EcritProfil(nouveau, SectionRecents, CleRecent(rang), {});
    return EcritFichier(nom, {nouveau});
}

QString TFichierINI::MessageEcritureImpossible() const
{
    return QStringLiteral("Ne peut écrire dans %1").arg(nom);
}
