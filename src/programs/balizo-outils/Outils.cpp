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
#include "programs/balizo-outils/Lecture.h"
#include "programs/balizo-outils/Parallele.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
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

#ifndef BALIZO_DOSSIER_DONNEES
#define BALIZO_DOSSIER_DONNEES "/usr/local/share/balizo"
#endif

namespace {

constexpr std::string_view Aide =
    "Usage : balizo-outils COMMANDE [OPTIONS] [FICHIER]\n"
    "\n"
    "Applique à une page HTML une transformation de l'éditeur Balizo. La page est lue dans\n"
    "FICHIER, ou sur l'entrée standard quand FICHIER manque ou vaut « - » ; le résultat va sur\n"
    "la sortie standard, dans l'encodage de la page : UTF-8 (avec ou sans marque d'ordre des\n"
    "octets, gardée telle quelle), sinon Windows-1252.\n"
    "\n"
    "Commandes :\n"
    "  supprimer-tags [--remplacement=rien|espace|tabulation] [--sans-restauration]\n"
    "                 [--accents=TABLE] [FICHIER]\n"
    "      Ôte toutes les balises et ne garde que le texte ; les entités redeviennent\n"
    "      des caractères, sauf avec --sans-restauration.\n"
    "  supprimer-tableaux [FICHIER]\n"
    "      Ôte les balises des tableaux (TABLE, TR, TD et TH).\n"
    "  corriger-accents [--accents=TABLE] [FICHIER]\n"
    "      Remplace les caractères accentués par leurs entités HTML.\n"
    "  restaurer-accents [--accents=TABLE] [FICHIER]\n"
    "      Remplace les entités HTML par les caractères qu'elles désignent.\n"
    "  ancres [FICHIER]\n"
    "      Donne le nom de chaque ancre (<A NAME=...>) de la page, un par ligne.\n"
    "  couper-lignes [--seuil=N] [FICHIER]\n"
    "      Coupe les lignes trop longues, celles des pages minifiées : une fin de ligne\n"
    "      va avant les balises des blocs (DIV, P, LI, TD, BR...), là où le navigateur\n"
    "      n'en montre rien, jamais dans une balise, un commentaire, ni dans PRE,\n"
    "      TEXTAREA, SCRIPT ou STYLE. Une page sans rien à couper ressort telle quelle.\n"
    "  chemin-relatif CIBLE BASE\n"
    "      Donne le chemin qui mène au fichier CIBLE depuis le dossier du fichier BASE.\n"
    "  verifier-liens [--site=DOSSIER] [--externes] FICHIER...\n"
    "      Vérifie les liens et les images des pages : fichier absent ou écrit dans une\n"
    "      autre casse que sur le disque, ancre absente, chemin absolu vers un fichier\n"
    "      local ou qui sort du dossier du site. Donne une ligne par problème,\n"
    "      « fichier:ligne:colonne: message », puis le nombre de liens vers d'autres\n"
    "      sites, qui ne sont pas vérifiés. Les pages sont lues dans leurs fichiers,\n"
    "      jamais sur l'entrée standard.\n"
    "\n"
    "Options :\n"
    "  --remplacement=MODE   ce qui prend la place d'une balise ôtée : rien (par défaut),\n"
    "                        espace ou tabulation\n"
    "  --sans-restauration   laisse les entités telles quelles\n"
    "  --accents=TABLE       la table des accents à utiliser, en UTF-8 ou en Windows-1252 ;\n"
    "                        par défaut Accents.txt à côté du programme, sinon dans\n"
    "                        ../share/balizo, sinon dans " BALIZO_DOSSIER_DONNEES "\n"
    "  --seuil=N             coupe les lignes de plus de N octets (fins de ligne non\n"
    "                        comprises) ; 100000 par défaut, comme l'éditeur\n"
    "  --site=DOSSIER        le dossier du site, d'où partent les liens qui commencent par\n"
    "                        « / » ; par défaut le dossier le plus profond qui contient\n"
    "                        toutes les pages\n"
    "  --externes            donne aussi une ligne par lien vers un autre site, au lieu\n"
    "                        de leur nombre\n"
    "  -h, --help            affiche cette aide\n"
    "  --version             affiche la version\n"
    "\n"
    "Les lignes produites par supprimer-tags, supprimer-tableaux et couper-lignes finissent comme\n"
    "la première ligne de la page (CR LF, LF ou CR seul), par LF quand la page n'a pas de fin de\n"
    "ligne.\n"
    "\n"
    "Codes de retour : 0 réussite, 1 erreur d'écriture (pour verifier-liens, aussi un lien\n"
    "qui ne mène nulle part), 2 erreur d'utilisation ou de lecture.\n";

// A failure that ends the program: its message goes to standard error, nothing to standard output.
struct Echec {
    std::string message;
    int code = 2;
};

Echec Usage(std::string message)
{
    return {std::move(message) + "\nEssayez « balizo-outils --help »."};
}

// --- The command line -----------------------------------------------------------------------------------------

enum class Action {
    Aide,
    Version,
    SupprimerTags,
    SupprimerTableaux,
    CorrigerAccents,
    RestaurerAccents,
    Ancres,
    CouperLignes,
    CheminRelatif,
    VerifierLiens
};

enum Option : unsigned { Remplacement = 1, SansRestauration = 2, Accents = 4, Seuil = 8, Site = 16, Externes = 32 };

// A subcommand: its name, and the options that it takes.
struct Sorte {
    std::string_view nom;
    Action action;
    unsigned options;
};

constexpr Sorte Sortes[] = {
    {"supprimer-tags", Action::SupprimerTags, Remplacement | SansRestauration | Accents},
    {"supprimer-tableaux", Action::SupprimerTableaux, 0},
    {"corriger-accents", Action::CorrigerAccents, Accents},
    {"restaurer-accents", Action::RestaurerAccents, Accents},
    {"ancres", Action::Ancres, 0},
    {"couper-lignes", Action::CouperLignes, Seuil},
    {"chemin-relatif", Action::CheminRelatif, 0},
    {"verifier-liens", Action::VerifierLiens, Site | Externes},
};

struct Commande {
    Action action = Action::Aide;
    RemplacementTag remplacement = RemplacementTag::Rien;
    bool restauration = true;
    std::optional<std::string> accents;
    // The length above which couper-lignes cuts a line: the editor's.
    std::size_t seuil = LongueurMaximaleDeLigne;
    std::optional<std::string> site;
    // verifier-liens lists the links to other sites, instead of counting them.
    bool externes = false;
    std::vector<std::string> arguments;
};

// The value of "--nom=valeur" when the argument is that option, with or without a value.
std::optional<std::string_view> Valeur(std::string_view argument, std::string_view nom, bool &avecValeur)
{
    if (!argument.starts_with(nom))
        return std::nullopt;
    argument.remove_prefix(nom.size());
    avecValeur = argument.starts_with('=');
    if (!avecValeur && !argument.empty())
        return std::nullopt;
    return avecValeur ? argument.substr(1) : argument;
}

Commande Analyse(int argc, char **argv)
{
    Commande commande;
    if (argc < 2)
        return commande;
    const std::string_view premier = argv[1];
    if (premier == "--help" || premier == "-h")
        return commande;
    if (premier == "--version") {
        commande.action = Action::Version;
        return commande;
    }
    const Sorte *sorte = nullptr;
    for (const Sorte &s : Sortes) {
        if (s.nom == premier)
            sorte = &s;
    }
    if (!sorte) {
        if (premier.starts_with('-'))
            throw Usage("balizo-outils: option inconnue: " + std::string(premier));
        throw Usage("balizo-outils: commande inconnue: " + std::string(premier));
    }
    commande.action = sorte->action;

    bool options = true;
    for (int i = 2; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (!options || argument == "-" || !argument.starts_with('-')) {
            commande.arguments.emplace_back(argument);
            continue;
        }
        bool avecValeur = false;
        if (argument == "--") {
            options = false;
        } else if (argument == "--help" || argument == "-h") {
            commande.action = Action::Aide;
            return commande;
        } else if (auto mode = Valeur(argument, "--remplacement", avecValeur); mode && sorte->options & Remplacement) {
            if (!avecValeur)
                throw Usage("balizo-outils: l'option --remplacement demande une valeur (rien, espace ou tabulation)");
            if (*mode == "rien")
                commande.remplacement = RemplacementTag::Rien;
            else if (*mode == "espace")
                commande.remplacement = RemplacementTag::Espace;
            else if (*mode == "tabulation")
                commande.remplacement = RemplacementTag::Tabulation;
            else
                throw Usage("balizo-outils: remplacement inconnu: " + std::string(*mode) +
                            " (rien, espace ou tabulation)");
        } else if (argument == "--sans-restauration" && sorte->options & SansRestauration) {
            commande.restauration = false;
        } else if (auto table = Valeur(argument, "--accents", avecValeur); table && sorte->options & Accents) {
            if (!avecValeur || table->empty())
                throw Usage("balizo-outils: l'option --accents demande un fichier (--accents=FICHIER)");
            commande.accents = std::string(*table);
        } else if (auto seuil = Valeur(argument, "--seuil", avecValeur); seuil && sorte->options & Seuil) {
            const char *fin = seuil->data() + seuil->size();
            const auto [arret, erreur] = std::from_chars(seuil->data(), fin, commande.seuil);
            if (!avecValeur || seuil->empty() || erreur != std::errc() || arret != fin)
                throw Usage("balizo-outils: l'option --seuil demande un nombre d'octets (--seuil=N)");
        } else if (auto dossier = Valeur(argument, "--site", avecValeur); dossier && sorte->options & Site) {
            if (!avecValeur || dossier->empty())
                throw Usage("balizo-outils: l'option --site demande un dossier (--site=DOSSIER)");
            commande.site = std::string(*dossier);
        } else if (argument == "--externes" && sorte->options & Externes) {
            commande.externes = true;
        } else {
            throw Usage("balizo-outils: option inconnue: " + std::string(argument));
        }
    }

    const std::size_t nombre = commande.arguments.size();
    if (sorte->action == Action::CheminRelatif) {
        if (nombre != 2)
            throw Usage("balizo-outils: chemin-relatif demande deux arguments, CIBLE et BASE");
    } else if (sorte->action == Action::VerifierLiens) {
        if (nombre == 0)
            throw Usage("balizo-outils: verifier-liens demande au moins un FICHIER");
        if (std::ranges::find(commande.arguments, "-") != commande.arguments.end())
            throw Usage("balizo-outils: verifier-liens ne lit pas l'entrée standard : les liens d'une page se "
                        "lisent depuis son dossier");
    } else if (nombre > 1) {
        throw Usage("balizo-outils: trop d'arguments pour " + std::string(sorte->nom) + " (un seul FICHIER)");
    }
    return commande;
}

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

// The folder that holds the running program; empty when the system does not tell.
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

// The table used without --accents, found where the editor finds its data files.
std::string TableParDefaut()
{
    const std::vector<std::string> candidats =
        CandidatsDonnees(DossierDuProgramme(), BALIZO_DOSSIER_DONNEES, "Accents.txt");
    struct stat etat;
    for (const std::string &candidat : candidats) {
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
    const std::string site = commande.site ? CheminLong(*commande.site) : DossierCommun(chemins);
    struct stat etat;
    const int erreur = stat(site.c_str(), &etat) != 0 ? errno : S_ISDIR(etat.st_mode) ? 0 : ENOTDIR;
    if (erreur)
        throw Echec{"balizo-outils: ne peut ouvrir le dossier du site " + site + ": " + Raison(erreur)};

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
        resultat.morceaux.emplace_back(Aide);
    } else if (commande.action == Action::Version) {
        resultat.morceaux.emplace_back("balizo-outils " BALIZO_VERSION "\n");
    } else if (commande.action == Action::CheminRelatif) {
        resultat.morceaux.push_back(CheminRelatif(commande.arguments[0], commande.arguments[1]) + '\n');
    } else if (commande.action == Action::VerifierLiens) {
        resultat = VerifieFichiers(commande);
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
