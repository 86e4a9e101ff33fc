// SPDX-License-Identifier: GPL-3.0-or-later
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

constexpr std::string_view SectionSession = "Session";
constexpr std::string_view SectionSites = "Sites";
constexpr std::string_view SectionPositions = "Positions";

std::string Cle(std::string_view prefixe, int rang)
{
    return std::string(prefixe) + std::to_string(rang + 1);
}

// Whether a line of the file gives the value back as it is: no line break, not too long, no name bytes that are not
// UTF-8 (a text file of settings reads Latin-1 bytes as letters).
bool TientSurUneLigne(const QString &valeur)
{
    return !valeur.contains(u'\n') && !valeur.contains(u'\r') &&
           std::size_t(valeur.toUcs4().size()) <= LongueurMaximaleValeur && EncodeNom(valeur) == valeur.toUtf8();
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

bool TFichierINI::LitInterrupteur(const char *cle, bool defaut) const
{
    return LitEntier(LitTexte(cle, QString()).toStdString(), defaut ? 1 : 0) != 0;
}

bool TFichierINI::EcritInterrupteur(const char *cle, bool oui)
{
    return EcritTexte(cle, oui ? QStringLiteral("1") : QStringLiteral("0"));
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
    return LitInterrupteur("Orthographe", true);
}

bool TFichierINI::EcritOrthographe(bool active)
{
    return EcritInterrupteur("Orthographe", active);
}

bool TFichierINI::LitFermeBalises()
{
    return LitInterrupteur("FermerBalises", true);
}

bool TFichierINI::EcritFermeBalises(bool ferme)
{
    return EcritInterrupteur("FermerBalises", ferme);
}

bool TFichierINI::LitRouvrirSession()
{
    return LitInterrupteur("RouvrirSession", true);
}

bool TFichierINI::EcritRouvrirSession(bool oui)
{
    return EcritInterrupteur("RouvrirSession", oui);
}

bool TFichierINI::LitOnglets()
{
    return LitInterrupteur("Onglets", false);
}

bool TFichierINI::EcritOnglets(bool oui)
{
    return EcritInterrupteur("Onglets", oui);
}

bool TFichierINI::LitFenetresMaximisees()
{
    return LitInterrupteur("FenetresMaximisees", false);
}

bool TFichierINI::EcritFenetresMaximisees(bool oui)
{
    return EcritInterrupteur("FenetresMaximisees", oui);
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
    return LitInterrupteur("VerifierCode", false);
}

bool TFichierINI::EcritCode(bool verifie)
{
    return EcritInterrupteur("VerifierCode", verifie);
}

QStringList TFichierINI::LitListe(std::string_view section, std::string_view prefixe, int nombre) const
{
    QStringList valeurs;
    const std::optional<QByteArray> octets = Contenu();
    if (!octets)
        return valeurs;
    for (int rang = 0; rang < nombre; ++rang) {
        const std::optional<std::string> valeur = LitProfil(Vue(*octets), section, Cle(prefixe, rang));
        if (valeur && !valeur->empty())
            valeurs << QString::fromStdString(*valeur);
    }
    return valeurs;
}

bool TFichierINI::EcritListe(std::string_view section, std::string_view prefixe, int nombre,
                             const QStringList &valeurs, std::optional<std::pair<std::string_view, std::string>> autre)
{
    // A file that cannot be read is never replaced.
    const std::optional<QByteArray> octets = Contenu();
    if (!octets)
        return false;
    std::string nouveau = octets->toStdString();
    if (autre)
        nouveau = *EcritProfil(nouveau, section, autre->first, autre->second);
    int rang = 0;
    for (const QString &valeur : valeurs) {
        if (rang == nombre || !TientSurUneLigne(valeur))
            continue;
        nouveau = *EcritProfil(nouveau, section, Cle(prefixe, rang++), valeur.toStdString());
    }
    // The older values that the list no longer holds are emptied; the keys that never held one stay out.
    for (; rang < nombre; ++rang)
        if (LitProfil(nouveau, section, Cle(prefixe, rang)))
            nouveau = *EcritProfil(nouveau, section, Cle(prefixe, rang), {});
    return EcritFichier(nom, {nouveau});
}

QStringList TFichierINI::LitRecents()
{
    return LitListe(SectionRecents, "Fichier", NombreRecents);
}

bool TFichierINI::EcritRecents(const QStringList &pages)
{
    return EcritListe(SectionRecents, "Fichier", NombreRecents, pages);
}

QString TFichierINI::LitSite()
{
    const std::optional<QByteArray> octets = Contenu();
    const std::optional<std::string> site = octets ? LitProfil(Vue(*octets), SectionSites, "Choisi") : std::nullopt;
    return site ? QString::fromStdString(*site) : QString();
}

QStringList TFichierINI::LitSitesRecents()
{
    return LitListe(SectionSites, "Site", NombreRecents);
}

bool TFichierINI::EcritSites(const QString &site, const QStringList &recents)
{
    return EcritListe(SectionSites, "Site", NombreRecents, recents,
                      std::pair{std::string_view("Choisi"), TientSurUneLigne(site) ? site.toStdString() : std::string()});
}

TFichierINI::PagesOuvertes TFichierINI::LitDernieresPages()
{
    PagesOuvertes session{LitListe(SectionSession, "Page", NombrePages)};
    const std::optional<QByteArray> octets = Contenu();
    const std::optional<std::string> active = octets ? LitProfil(Vue(*octets), SectionSession, "Active") : std::nullopt;
    // Counted from 1 in the file, so that 0 says that no page was active.
    if (const int rang = active ? LitEntier(*active, 0) : 0; rang > 0 && rang <= session.pages.size())
        session.active = rang - 1;
    return session;
}

bool TFichierINI::EcritDernieresPages(const PagesOuvertes &session)
{
    // The active page's rank among those that the file keeps.
    PagesOuvertes gardees;
    for (qsizetype rang = 0; rang < session.pages.size(); ++rang) {
        if (!TientSurUneLigne(session.pages[rang]))
            continue;
        if (rang == session.active)
            gardees.active = gardees.pages.size();
        gardees.pages << session.pages[rang];
    }
    return EcritListe(SectionSession, "Page", NombrePages, gardees.pages,
                      std::pair{std::string_view("Active"), std::to_string(gardees.active + 1)});
}

QStringList TFichierINI::LitPositions()
{
    return LitListe(SectionPositions, "Position", NombrePages);
}

bool TFichierINI::EcritPositions(const QStringList &positions)
{
    return EcritListe(SectionPositions, "Position", NombrePages, positions);
}

QString TFichierINI::MessageEcritureImpossible() const
{
    return QStringLiteral("Ne peut écrire dans %1").arg(nom);
}
