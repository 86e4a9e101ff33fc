// SPDX-License-Identifier: GPL-3.0-or-later
#include "programs/balizo-outils/Outils.h"

#include "core/document/Ancres.h"
#include "core/document/CoupeLignes.h"
#include "core/document/GrandDocument.h"
#include "core/entities/Remplacement.h"
#include "core/entities/TableAccents.h"
#include "core/settings/Chemins.h"
#include "core/tagremoval/SuppressionTags.h"
#include "core/texte/CodecFichier.h"
#include "core/verification/Liens.h"
#include "programs/balizo-outils/Arguments.h"
#include "programs/balizo-outils/ChercheRemplace.h"
#include "programs/balizo-outils/Lecture.h"
#include "programs/balizo-outils/Parallele.h"
#include "programs/balizo-outils/Verifier.h"
#include "programs/balizo-outils/Renommer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <clocale>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

// --- Input and output -----------------------------------------------------------------------------------------

std::string Raison(int erreur)
{
    return std::strerror(erreur);
}

// The file's bytes, or standard input's when the name is empty or "-"; `quoi` names the file in messages. With
// `projection` a regular file is mapped; standard input is always read, from where it stands.
Octets LitFichier(const std::string &nom, std::string_view quoi, bool projection)
{
    Octets octets;
    if (nom.empty() || nom == "-") {
        if (const int erreur = octets.Lit(STDIN_FILENO, false))
            throw Echec{"balizo-outils: ne peut lire l'entrée standard: " + Raison(erreur)};
        return octets;
    }
    const int fd = open(nom.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw Echec{"balizo-outils: ne peut ouvrir " + std::string(quoi) + nom + ": " + Raison(errno)};
    const int erreur = octets.Lit(fd, projection);
    close(fd);
    if (erreur == EISDIR)
        throw Echec{"balizo-outils: ne peut ouvrir " + std::string(quoi) + nom + ": " + Raison(erreur)};
    if (erreur)
        throw Echec{"balizo-outils: ne peut lire " + std::string(quoi) + nom + ": " + Raison(erreur)};
    return octets;
}

// Writes the bytes, then the pieces, to standard output in order, with as few calls as the system allows; 0, or the
// error number.
int Ecrit(std::string_view octets, const std::vector<std::string> &morceaux)
{
    std::vector<iovec> restants;
    restants.push_back({const_cast<char *>(octets.data()), octets.size()});
    for (const std::string &morceau : morceaux)
        restants.push_back({const_cast<char *>(morceau.data()), morceau.size()});
    std::size_t premier = 0;
    while (premier < restants.size()) {
        if (restants[premier].iov_len == 0) {
            ++premier;
            continue;
        }
        const int nombre = static_cast<int>(std::min<std::size_t>(restants.size() - premier, IOV_MAX));
        ssize_t ecrit = writev(STDOUT_FILENO, restants.data() + premier, nombre);
        if (ecrit < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        for (; premier < restants.size() && std::size_t(ecrit) >= restants[premier].iov_len; ++premier)
            ecrit -= static_cast<ssize_t>(restants[premier].iov_len);
        if (premier < restants.size()) {
            restants[premier].iov_base = static_cast<char *>(restants[premier].iov_base) + ecrit;
            restants[premier].iov_len -= std::size_t(ecrit);
        }
    }
    return 0;
}

// --- The accent table -----------------------------------------------------------------------------------------

// The folders where the data files are looked for, in order: the program's own, then ../share/balizo from it, where
// an install under any prefix puts them (the editor looks there too); none when the system does not tell where the
// program is.
std::vector<std::string> DossiersDonnees()
{
    const std::string programme = DossierDuProgramme();
    if (programme.empty())
        return {};
    return {programme, CheminLong(programme + "/../share/balizo")};
}

// The table used without --accents.
std::string TableParDefaut()
{
    std::vector<std::string> candidats = DossiersDonnees();
    struct stat etat;
    for (std::string &candidat : candidats) {
        candidat += "/Accents.txt";
        if (stat(candidat.c_str(), &etat) == 0 && !S_ISDIR(etat.st_mode))
            return candidat;
    }
    std::string message = "balizo-outils: table des accents introuvable; cherchée dans";
    for (const std::string &candidat : candidats)
        message += "\n  " + candidat;
    throw Echec{message + "\nIndiquez-la avec --accents=FICHIER."};
}

// The table's rows in the page's encoding, whatever the table's own: UTF-8, or converted to Windows-1252 without the
// rows that Windows-1252 cannot write.
std::vector<LigneAccent> Table(const Commande &commande, Encodage encodage)
{
    const std::string chemin = commande.accents ? *commande.accents : TableParDefaut();
    const Octets octets = LitFichier(chemin, "la table des accents ", false);
    std::vector<LigneAccent> lignes = ChargeTableAccents(octets.Vue());
    return encodage == Encodage::Windows1252 ? EnWindows1252(lignes) : lignes;
}

// --- The transformations --------------------------------------------------------------------------------------

// What goes to standard output, in order: bytes of the page as they are (its byte-order mark, or the whole page when
// the command leaves it unchanged), then the pieces of the text, written as they were built, without joining them.
struct Sortie {
    std::string_view telQuel;
    std::vector<std::string> morceaux;
    // The page read, which `telQuel` shows.
    Octets page;
    // The exit code once the output is written.
    int code = 0;
};

bool UtiliseLaTable(const Commande &commande)
{
    return commande.action == Action::CorrigerAccents || commande.action == Action::RestaurerAccents ||
           (commande.action == Action::SupprimerTags && commande.restauration);
}

// The page is transformed in its own encoding, never decoded: its mark-up is ASCII in both, and the table is put in
// the page's encoding instead. Its encoding is DecodeFichier's: valid UTF-8 after a byte-order mark, valid UTF-8,
// otherwise Windows-1252. It matters only for the form of the table and for whether a leading mark is one, so it is
// checked only then, on every core, before the rest.
Sortie Transforme(const Commande &commande, std::string_view page)
{
    Sortie resultat;
    if (commande.action == Action::Ancres) {
        // No anchor name can hold a mark at the head of the page.
        std::vector<std::string> ancres;
        ListeAncres(page, ancres);
        std::string texte;
        for (const std::string &ancre : ancres) {
            texte += ancre;
            texte += '\n';
        }
        resultat.morceaux.push_back(std::move(texte));
        return resultat;
    }
    if (commande.action == Action::CouperLignes) {
        // On the bytes, whatever the encoding: a leading mark stays in front of the first line.
        const std::string_view marque = page.starts_with(MarqueUtf8) ? MarqueUtf8 : std::string_view();
        std::optional<std::string> coupee =
            CoupeLignes(page.substr(marque.size()), TexteFinDeLigne(DetecteFinDeLigne(page)), commande.seuil);
        if (!coupee) {
            resultat.telQuel = page;
            return resultat;
        }
        resultat.telQuel = marque;
        resultat.morceaux.push_back(std::move(*coupee));
        return resultat;
    }

    const bool marque = page.starts_with(MarqueUtf8);
    const bool table = UtiliseLaTable(commande);
    Encodage encodage = marque ? Encodage::Utf8Bom : Encodage::Utf8;
    if ((marque || table) && !ValidationUtf8(page.substr(MarqueDe(encodage).size())).Valide())
        encodage = Encodage::Windows1252;
    // In Windows-1252 text that begins with the mark's bytes, they are text.
    const std::string_view contenu = page.substr(MarqueDe(encodage).size());
    resultat.telQuel = MarqueDe(encodage);

    // The mark's bytes hold no line end: the text and the page end their lines alike.
    const std::string_view fin = TexteFinDeLigne(DetecteFinDeLigne(page));
    std::optional<SerieRemplacements> serie;
    if (table) {
        const std::vector<LigneAccent> lignes = Table(commande, encodage);
        serie.emplace(commande.action == Action::CorrigerAccents ? Correction(lignes) : Restauration(lignes));
    }
    if (commande.action == Action::SupprimerTags)
        resultat.morceaux =
            SupprimeTagsEnMorceaux(contenu, commande.remplacement, fin, serie ? &*serie : nullptr);
    else if (commande.action == Action::SupprimerTableaux)
        resultat.morceaux.push_back(SupprimeTableaux(contenu, fin));
    else
        resultat.morceaux = AppliqueEnMorceaux(*serie, contenu);
    return resultat;
}

// --- The link check -------------------------------------------------------------------------------------------

// One line per problem, "fichier:ligne:colonne: message", the file named as given; the links to other sites, which
// a site holds by thousands, only counted on a last line unless the user asks for them. A page that cannot be read
// is reported on standard error and the others are checked all the same.
Sortie VerifieFichiers(const Commande &commande)
{
    std::vector<std::string> chemins;
    for (const std::string &nom : commande.arguments)
        chemins.push_back(CheminLong(nom));
    const std::string site = DossierDuSite(commande, chemins);

    Sortie resultat;
    std::size_t autresSites = 0;
    for (std::size_t k = 0; k < chemins.size(); ++k) {
        const std::string &nom = commande.arguments[k];
        Octets octets;
        try {
            octets = LitFichier(nom, "le fichier ", false);
        } catch (const Echec &echec) {
            std::fprintf(stderr, "%s\n", echec.message.c_str());
            resultat.code = 2;
            continue;
        }
        std::string tampon;
        const std::string_view texte = DecodeFichier(octets.Vue(), tampon).texte;
        CompteurLignes compteur(texte);
        std::string lignes;
        for (const Probleme &probleme : VerifieLiens(texte, chemins[k], site, {})) {
            if (probleme.autreSite && !commande.externes) {
                ++autresSites;
                continue;
            }
            const LigneColonne position = compteur.Position(probleme.debut);
            lignes += nom + ':' + std::to_string(position.ligne) + ':' + std::to_string(position.colonne) + ": " +
                      probleme.message + '\n';
            if (probleme.sorte == Probleme::Sorte::Lien && resultat.code == 0)
                resultat.code = 1;
        }
        resultat.morceaux.push_back(std::move(lignes));
    }
    if (autresSites == 1)
        resultat.morceaux.emplace_back("1 lien vers un autre site, non vérifié (--externes pour le voir).\n");
    else if (autresSites > 1)
        resultat.morceaux.push_back(std::to_string(autresSites) +
                                    " liens vers d'autres sites, non vérifiés (--externes pour les lister).\n");
    return resultat;
}

Sortie Execute(const Commande &commande)
{
    Sortie resultat;
    if (commande.action == Action::Aide) {
        resultat.morceaux.push_back(Aide(DossiersDonnees()));
    } else if (commande.action == Action::Version) {
        resultat.morceaux.emplace_back("balizo-outils " BALIZO_VERSION "\n");
    } else if (commande.action == Action::CheminRelatif) {
        resultat.morceaux.push_back(CheminRelatif(commande.arguments[0], commande.arguments[1]) + '\n');
    } else if (commande.action == Action::VerifierLiens) {
        resultat = VerifieFichiers(commande);
    } else if (commande.action == Action::Chercher || commande.action == Action::Remplacer) {
        SortieRecherche recherche = ChercheOuRemplace(commande);
        resultat.morceaux.push_back(std::move(recherche.texte));
        resultat.code = recherche.code;
    } else if (commande.action == Action::Verifier) {
        Verification verification = VerifiePages(commande);
        resultat.morceaux.push_back(std::move(verification.lignes));
        resultat.code = verification.code;
    } else if (commande.action == Action::Renommer) {
        CompteRendu compte = Renomme(commande);
        resultat.morceaux.push_back(std::move(compte.texte));
        resultat.code = compte.code;
    } else {
        const std::string nom = commande.arguments.empty() ? std::string() : commande.arguments[0];
        Octets page = LitFichier(nom, "le fichier ", true);
        resultat = Transforme(commande, page.Vue());
        if (page.Tronque()) {
            // Another program shortened the file while it was mapped: the result is dropped, and the file read as
            // it now is.
            page = LitFichier(nom, "le fichier ", false);
            resultat = Transforme(commande, page.Vue());
        }
        resultat.page = std::move(page);
    }
    return resultat;
}

} // namespace

std::string DossierDuProgramme()
{
    std::string chemin(256, '\0');
    for (;;) {
        const ssize_t longueur = readlink("/proc/self/exe", chemin.data(), chemin.size());
        if (longueur < 0)
            return {};
        if (std::size_t(longueur) < chemin.size()) {
            chemin.resize(std::size_t(longueur));
            break;
        }
        chemin.resize(chemin.size() * 2);
    }
    const std::size_t barre = chemin.rfind('/');
    return barre == std::string::npos ? std::string() : chemin.substr(0, barre);
}

int LanceOutils(int argc, char **argv)
{
    // System messages (the reasons for a failure) in the user's language; nothing else depends on the locale.
    std::setlocale(LC_MESSAGES, "");
    // Past the size limit on files, a write then fails with EFBIG and is reported, instead of the signal ending the
    // program without a word.
    std::signal(SIGXFSZ, SIG_IGN);
    Sortie resultat;
    try {
        resultat = Execute(Analyse(argc, argv));
    } catch (const Echec &echec) {
        std::fprintf(stderr, "%s\n", echec.message.c_str());
        return echec.code;
    } catch (const std::bad_alloc &) {
        std::fprintf(stderr, "balizo-outils: mémoire insuffisante\n");
        return 2;
    } catch (const std::exception &erreur) {
        std::fprintf(stderr, "balizo-outils: %s\n", erreur.what());
        return 2;
    }
    if (const int erreur = Ecrit(resultat.telQuel, resultat.morceaux)) {
        std::fprintf(stderr, "balizo-outils: ne peut écrire sur la sortie standard: %s\n", Raison(erreur).c_str());
        return 1;
    }
    return resultat.code;
}
