// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <string>
#include <string_view>
#include <utility>

// The colours of the pages and of the frame: light, dark, or as the desktop's are.
enum class Schema { Clair, Sombre, Bureau };

// The program's settings (browser, document font name and size, spelling, its dictionary and whether it reads code,
// the closing of the tags typed) in section "Balizo" of "Balizo.ini", and the pages last opened or saved in section
// "Recents". Every read and write goes to the file, so two running copies see each other's changes; a write changes
// only the line of its key and keeps the rest of the file as the user wrote it.
class TFichierINI {
public:
    explicit TFichierINI(const QString &nomFichier);

    QString LitNavigateur();
    bool EcritNavigateur(const QString &navigateur);
    // The stored font name; empty when there is none.
    QString LitFonte();
    bool EcritFonte(const QString &fonte);
    // The font size in points, brought within 4 to 96 so that any stored number leaves a readable page; the default
    // when none is stored.
    int LitTaille(int defaut);
    bool EcritTaille(int taille);
    // Whether the spelling of the pages is checked as they are shown (on when nothing is stored), and the name of
    // the Hunspell dictionary chosen ("fr_FR"; empty when none is stored).
    bool LitOrthographe();
    bool EcritOrthographe(bool active);
    QString LitDictionnaire();
    bool EcritDictionnaire(const QString &dictionnaire);
    // Whether the text of the elements that show code (code, pre, kbd...) is checked too: off when nothing is stored.
    bool LitCode();
    bool EcritCode(bool verifie);
    // Whether a start tag typed gets its end tag written after the caret: on when nothing is stored.
    bool LitFermeBalises();
    bool EcritFermeBalises(bool ferme);
    // Whether the pages open at the last clean exit come back at start when no file is named: on when nothing is stored.
    bool LitRouvrirSession();
    bool EcritRouvrirSession(bool oui);
    // Whether the pages show as tabs instead of windows: off when nothing is stored.
    bool LitOnglets();
    bool EcritOnglets(bool oui);
    // Whether new windows open maximised: off when nothing is stored.
    bool LitFenetresMaximisees();
    bool EcritFenetresMaximisees(bool oui);
    // The colour scheme: "Clair" when nothing, or a name this program does not know, is stored.
    Schema LitSchema();
    bool EcritSchema(Schema schema);
    // The pages last opened or saved, newest first, at most `NombreRecents`; empty keys are skipped.
    QStringList LitRecents();
    // Stores the list, less the names that a line of the file cannot give back (a line break, too long, bytes that
    // are not UTF-8).
    bool EcritRecents(const QStringList &pages);
    static constexpr int NombreRecents = 8;
    // The site's folder chosen, empty when none is, and the sites last chosen, newest first, at most
    // `NombreRecents`, in section "Sites".
    QString LitSite();
    QStringList LitSitesRecents();
    // Stores both; a folder that a line of the file cannot give back is left out.
    bool EcritSites(const QString &site, const QStringList &recents);
    // The pages open at the last clean exit, in their order, at most `NombrePages`, in section "Session", and the
    // rank of the one that was active (-1 when none was).
    struct PagesOuvertes {
        QStringList pages;
        qsizetype active = -1;
    };
    PagesOuvertes LitDernieresPages();
    bool EcritDernieresPages(const PagesOuvertes &session);
    // Where the last pages closed were left, newest first, at most `NombrePages`, in section "Positions"; each
    // value is one that the caller wrote, which only it reads.
    QStringList LitPositions();
    bool EcritPositions(const QStringList &positions);
    static constexpr int NombrePages = 100;

    // "Ne peut écrire dans %s": what a refused write reports.
    QString MessageEcritureImpossible() const;

private:
    std::optional<QByteArray> Contenu() const;
    QString LitTexte(const char *cle, const QString &defaut) const;
    bool EcritTexte(const char *cle, const QString &valeur);
    // A setting that is on or off, stored as "1" or "0"; any other stored number is on.
    bool LitInterrupteur(const char *cle, bool defaut) const;
    bool EcritInterrupteur(const char *cle, bool oui);
    // The values of the keys "<prefixe>1" to "<prefixe><nombre>" of the section, empty ones left out.
    QStringList LitListe(std::string_view section, std::string_view prefixe, int nombre) const;
    // Stores the values in those keys, less those that a line of the file cannot give back, and empties the keys
    // that the list no longer fills; the other value of the section, if any, is written too.
    bool EcritListe(std::string_view section, std::string_view prefixe, int nombre, const QStringList &valeurs,
                    std::optional<std::pair<std::string_view, std::string>> autre = std::nullopt);

    QString nom;
};
