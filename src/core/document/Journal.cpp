// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/document/Journal.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <optional>
#include <utility>

namespace {

constexpr std::string_view Signature = "BALIZO-JOURNAL ";
constexpr int Version = 1;

constexpr std::array<std::pair<Encodage, std::string_view>, 3> Encodages{{
    {Encodage::Utf8, "utf-8"},
    {Encodage::Utf8Bom, "utf-8-bom"},
    {Encodage::Windows1252, "windows-1252"},
}};
constexpr std::array<std::pair<FinDeLigne, std::string_view>, 3> Fins{{
    {FinDeLigne::CrLf, "crlf"},
    {FinDeLigne::Lf, "lf"},
    {FinDeLigne::Cr, "cr"},
}};

template <typename Valeur, std::size_t N>
std::string_view Nom(const std::array<std::pair<Valeur, std::string_view>, N> &table, Valeur valeur)
{
    for (const auto &[v, nom] : table)
        if (v == valeur)
            return nom;
    return table[0].second;
}

// Reads a journal's bytes in order; the first fault it meets is kept, and every later read then fails.
class Lecteur {
public:
    explicit Lecteur(std::string_view octets) : reste(octets) {}

    std::optional<ErreurJournal> erreur;

    // The rest of the line, which must start with the key and a space.
    std::string_view Ligne(std::string_view cle)
    {
        if (erreur)
            return {};
        const std::size_t fin = reste.find('\n');
        if (fin == std::string_view::npos)
            return Faute(ErreurJournal::Tronque);
        const std::string_view ligne = reste.substr(0, fin);
        reste.remove_prefix(fin + 1);
        if (!ligne.starts_with(cle) || ligne.size() <= cle.size() || ligne[cle.size()] != ' ')
            return Faute(ErreurJournal::Illisible);
        return ligne.substr(cle.size() + 1);
    }

    template <typename Entier>
    Entier Nombre(std::string_view &texte)
    {
        Entier valeur{};
        const auto [fin, code] = std::from_chars(texte.data(), texte.data() + texte.size(), valeur);
        if (code != std::errc() || erreur) {
            Faute(ErreurJournal::Illisible);
            return {};
        }
        texte.remove_prefix(static_cast<std::size_t>(fin - texte.data()));
        if (!texte.empty() && texte.front() == ' ')
            texte.remove_prefix(1);
        return valeur;
    }

    // A "key length" line, then that many bytes and a line end.
    std::string_view Bloc(std::string_view cle)
    {
        std::string_view ligne = Ligne(cle);
        const auto longueur = Nombre<std::size_t>(ligne);
        if (erreur)
            return {};
        if (reste.size() < longueur)
            return Faute(ErreurJournal::Tronque);
        const std::string_view bloc = reste.substr(0, longueur);
        reste.remove_prefix(longueur);
        return bloc;
    }

    template <typename Valeur, std::size_t N>
    Valeur Choix(std::string_view cle, const std::array<std::pair<Valeur, std::string_view>, N> &table)
    {
        const std::string_view texte = Ligne(cle);
        for (const auto &[valeur, nom] : table)
            if (nom == texte)
                return valeur;
        Faute(ErreurJournal::Illisible);
        return table[0].first;
    }

    bool Suit(std::string_view texte)
    {
        if (erreur)
            return false;
        if (reste.starts_with(texte)) {
            reste.remove_prefix(texte.size());
            return true;
        }
        Faute(texte.starts_with(reste) ? ErreurJournal::Tronque : ErreurJournal::Illisible);
        return false;
    }

    bool Fini() const { return reste.empty(); }
    std::size_t Reste() const { return reste.size(); }

private:
    std::string_view Faute(ErreurJournal e)
    {
        if (!erreur)
            erreur = e;
        return {};
    }

    std::string_view reste;
};

} // namespace

std::string DebutJournal(const EnteteJournal &entete, std::size_t longueurTexte)
{
    std::string debut;
    debut.append(Signature).append(std::to_string(Version)).append("\n");
    debut.append("nom ").append(std::to_string(entete.nom.size())).append("\n").append(entete.nom).append("\n");
    debut.append("sans-fichier ").append(entete.sansFichier ? "1" : "0").append("\n");
    debut.append("encodage ").append(Nom(Encodages, entete.encodage)).append("\n");
    debut.append("fin ").append(Nom(Fins, entete.fin)).append("\n");
    debut.append("modification ").append(std::to_string(entete.modification)).append("\n");
    debut.append("fichier ")
        .append(std::to_string(entete.dateFichier))
        .append(" ")
        .append(std::to_string(entete.tailleFichier))
        .append(" ")
        .append(std::to_string(entete.inodeFichier))
        .append("\n");
    debut.append("texte ").append(std::to_string(longueurTexte)).append("\n");
    return debut;
}

namespace {

// The header of the journal, up to its text.
Resultat<EnteteJournal, ErreurJournal> LitEntete(std::string_view octets, Lecteur &lecteur)
{
    if (!octets.starts_with(Signature))
        return Erreur(Signature.starts_with(octets) ? ErreurJournal::Tronque : ErreurJournal::Illisible);
    std::string_view version = lecteur.Ligne(Signature.substr(0, Signature.size() - 1));
    if (const int v = lecteur.Nombre<int>(version); !lecteur.erreur && v > Version)
        return Erreur(ErreurJournal::FormatPlusRecent);
    EnteteJournal entete;
    entete.nom = lecteur.Bloc("nom");
    lecteur.Suit("\n");
    std::string_view sans = lecteur.Ligne("sans-fichier");
    entete.sansFichier = lecteur.Nombre<int>(sans) != 0;
    entete.encodage = lecteur.Choix("encodage", Encodages);
    entete.fin = lecteur.Choix("fin", Fins);
    std::string_view modification = lecteur.Ligne("modification");
    entete.modification = lecteur.Nombre<std::int64_t>(modification);
    std::string_view fichier = lecteur.Ligne("fichier");
    entete.dateFichier = lecteur.Nombre<std::int64_t>(fichier);
    entete.tailleFichier = lecteur.Nombre<std::int64_t>(fichier);
    entete.inodeFichier = lecteur.Nombre<std::uint64_t>(fichier);
    if (lecteur.erreur)
        return Erreur(*lecteur.erreur);
    return entete;
}

} // namespace

Resultat<EnteteJournal, ErreurJournal> LitEnteteJournal(std::string_view debut)
{
    Lecteur lecteur(debut);
    return LitEntete(debut, lecteur);
}

Resultat<DebutJournalLu, ErreurJournal> LitDebutJournal(std::string_view debut, std::uint64_t taille)
{
    const std::string_view lu = debut.substr(0, TailleMaximaleEnteteJournal);
    Lecteur lecteur(lu);
    DebutJournalLu journal;
    std::optional<ErreurJournal> erreur;
    if (auto entete = LitEntete(lu, lecteur)) {
        journal.entete = std::move(*entete);
        std::string_view ligne = lecteur.Ligne("texte");
        journal.longueurTexte = lecteur.Nombre<std::uint64_t>(ligne);
        erreur = lecteur.erreur;
    } else {
        erreur = entete.Pourquoi();
    }
    if (erreur == ErreurJournal::Tronque && taille > lu.size())
        return Erreur(ErreurJournal::Illisible);
    if (erreur)
        return Erreur(*erreur);
    const std::uint64_t entete = lu.size() - lecteur.Reste();
    if (journal.longueurTexte > UINT64_MAX - entete - FinJournal.size())
        return Erreur(ErreurJournal::Illisible);
    const std::uint64_t attendue = entete + journal.longueurTexte + FinJournal.size();
    if (taille != attendue)
        return Erreur(taille < attendue ? ErreurJournal::Tronque : ErreurJournal::Illisible);
    return journal;
}

Resultat<JournalLu, ErreurJournal> LitJournal(std::string_view octets)
{
    Lecteur lecteur(octets);
    auto entete = LitEntete(octets, lecteur);
    if (!entete)
        return Erreur(entete.Pourquoi());
    JournalLu journal{std::move(*entete), lecteur.Bloc("texte")};
    lecteur.Suit(FinJournal);
    if (lecteur.erreur)
        return Erreur(*lecteur.erreur);
    if (!lecteur.Fini())
        return Erreur(ErreurJournal::Illisible);
    return journal;
}
