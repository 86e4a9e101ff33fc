// SPDX-License-Identifier: GPL-3.0-or-later
#include "programs/balizo-outils/Arguments.h"

#include <algorithm>
#include <charconv>
#include <utility>

namespace {

// The help up to the folders where the accent table is looked for.
constexpr std::string_view AideAvantDossiers =
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
    "  chercher [--expression] [--casse] [--mot-entier] [--filtre=MOTIFS] TEXTE [CHEMIN...]\n"
    "      Cherche TEXTE dans les fichiers CHEMIN, et dans ceux des dossiers CHEMIN et de\n"
    "      leurs sous-dossiers dont le nom convient au filtre ; dans le dossier courant\n"
    "      quand CHEMIN manque. Donne une ligne par occurrence, « fichier:ligne:colonne:\n"
    "      ligne », la colonne en caractères. Chaque fichier est lu dans son encodage ;\n"
    "      les fichiers binaires et ceux de plus de 64 Mo sont laissés, et dits.\n"
    "  remplacer [--expression] [--casse] [--mot-entier] [--filtre=MOTIFS] [--ecrire]\n"
    "            TEXTE REMPLACEMENT [CHEMIN...]\n"
    "      Montre chaque ligne où TEXTE serait remplacé, avant (-) et après (+), sans rien\n"
    "      écrire. Avec --ecrire, écrit les fichiers, chacun dans son encodage, avec ses\n"
    "      fins de ligne, son propriétaire et ses droits, jamais un fichier modifié depuis\n"
    "      sa lecture. Finit par le bilan : fichiers modifiés, remplacements, fichiers\n"
    "      laissés et pourquoi.\n"
    "  verifier [--site=DOSSIER] [--balisage=oui|non] [--orthographe=DICTIONNAIRE|non]\n"
    "           FICHIER...\n"
    "      Vérifie les pages comme « Vérifier la page » (F7) de l'éditeur : leur balisage\n"
    "      (HTML Tidy), leurs liens et images, l'orthographe de ce qu'un lecteur voit, les\n"
    "      mots du dictionnaire personnel de l'éditeur connus. Donne une ligne par problème,\n"
    "      « fichier:ligne:colonne: sorte: message », la sorte étant erreur, avertissement,\n"
    "      lien ou orthographe, triées par fichier puis par position ; les liens vers\n"
    "      d'autres sites ne sont pas vérifiés. Les pages sont vérifiées sur tous les\n"
    "      cœurs, lues dans leurs fichiers, jamais sur l'entrée standard.\n"
    "  renommer [--site=DOSSIER] [--essai] ANCIEN NOUVEAU\n"
    "      Renomme ou déplace une page, une image, une feuille de style ou un dossier\n"
    "      du site, et récrit chaque lien qui y mène dans les pages et les feuilles de\n"
    "      style du site, ainsi que les liens de la page déplacée ; seul le chemin du\n"
    "      lien change. Donne une ligne par lien, « fichier:ligne:colonne: ancien ->\n"
    "      nouveau ». Le site est par défaut le dossier courant.\n"
    "\n"
    "Options :\n"
    "  --remplacement=MODE   ce qui prend la place d'une balise ôtée : rien (par défaut),\n"
    "                        espace ou tabulation\n"
    "  --sans-restauration   laisse les entités telles quelles\n"
    "  --accents=TABLE       la table des accents à utiliser, en UTF-8 ou en Windows-1252 ;\n"
    "                        par défaut Accents.txt, cherchée dans ces dossiers :\n";

// The help after the folders of the accent table.
constexpr std::string_view AideApresDossiers =
    "  --seuil=N             coupe les lignes de plus de N octets (fins de ligne non\n"
    "                        comprises) ; 100000 par défaut, comme l'éditeur\n"
    "  --site=DOSSIER        le dossier du site, d'où partent les liens qui commencent par\n"
    "                        « / » ; par défaut le dossier le plus profond qui contient\n"
    "                        toutes les pages\n"
    "  --externes            donne aussi une ligne par lien vers un autre site, au lieu\n"
    "                        de leur nombre\n"
    "  --expression          TEXTE est une expression régulière (PCRE2) ; \\0 à \\9 dans\n"
    "                        REMPLACEMENT reprennent l'occurrence et ses groupes\n"
    "  --casse               respecte la casse (sans elle, « été » trouve « ÉTÉ »)\n"
    "  --mot-entier          ne prend que les occurrences qui sont des mots entiers\n"
    "  --filtre=MOTIFS       les noms des fichiers cherchés dans les dossiers, séparés\n"
    "                        par « ; » ; « *.htm;*.html » par défaut, « * » pour tous\n"
    "  --ecrire              remplacer écrit les fichiers au lieu de montrer les changements\n"
    "  --balisage=oui|non    vérifie le balisage avec HTML Tidy (oui par défaut)\n"
    "  --orthographe=DICTIONNAIRE|non\n"
    "                        le dictionnaire Hunspell de l'orthographe (fr_FR, en_US...),\n"
    "                        non pour ne pas la vérifier ; par défaut celui de l'éditeur\n"
    "                        quand l'utilisateur n'en a pas choisi : fr_FR, sinon un autre\n"
    "                        dictionnaire français installé, sinon aucun\n"
    "  --essai               (renommer) montre les liens à changer, sans rien renommer\n"
    "                        ni écrire\n"
    "  -h, --help            affiche cette aide\n"
    "  --version             affiche la version\n"
    "\n"
    "Les lignes produites par supprimer-tags, supprimer-tableaux et couper-lignes finissent comme\n"
    "la première ligne de la page (CR LF, LF ou CR seul), par LF quand la page n'a pas de fin de\n"
    "ligne.\n"
    "\n"
    "Codes de retour : 0 réussite, 1 erreur d'écriture (pour verifier-liens, aussi un lien\n"
    "qui ne mène nulle part ; pour verifier, aussi un problème trouvé), 2 erreur\n"
    "d'utilisation ou de lecture (pour verifier, aussi un fichier binaire).\n"
    "Pour chercher, 1 quand rien n'est trouvé ; pour remplacer, 1 quand un fichier n'a pu être\n"
    "écrit.\n"
    "Pour renommer, 1 dit aussi qu'un fichier du site n'a pu être lu ou écrit : ses liens\n"
    "sont restés tels quels.\n";

Echec Usage(std::string message)
{
    return {std::move(message) + "\nEssayez « balizo-outils --help »."};
}

enum Option : unsigned {
    Remplacement = 1,
    SansRestauration = 2,
    Accents = 4,
    Seuil = 8,
    Site = 16,
    Externes = 32,
    Recherche = 64,
    Ecrire = 128,
    Balisage = 256,
    Orthographe = 512,
    Essai = 1024
};

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
    {"chercher", Action::Chercher, Recherche},
    {"remplacer", Action::Remplacer, Recherche | Ecrire},
    {"verifier", Action::Verifier, Site | Balisage | Orthographe},
    {"renommer", Action::Renommer, Site | Essai},
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

} // namespace

std::string Aide(const std::vector<std::string> &dossiers)
{
    std::string texte(AideAvantDossiers);
    for (const std::string &dossier : dossiers)
        texte.append("                          ").append(dossier).append("\n");
    if (dossiers.empty())
        texte.append("                          (aucun : le dossier du programme est inconnu)\n");
    return texte.append(AideApresDossiers);
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
        } else if (argument == "--expression" && sorte->options & Recherche) {
            commande.motif.expression = true;
        } else if (argument == "--casse" && sorte->options & Recherche) {
            commande.motif.casse = true;
        } else if (argument == "--mot-entier" && sorte->options & Recherche) {
            commande.motif.motEntier = true;
        } else if (auto filtre = Valeur(argument, "--filtre", avecValeur); filtre && sorte->options & Recherche) {
            if (!avecValeur)
                throw Usage("balizo-outils: l'option --filtre demande des motifs de noms (--filtre=\"*.htm;*.html\")");
            commande.filtre = std::string(*filtre);
        } else if (argument == "--ecrire" && sorte->options & Ecrire) {
            commande.ecrire = true;
        } else if (auto choix = Valeur(argument, "--balisage", avecValeur); choix && sorte->options & Balisage) {
            if (!avecValeur || (*choix != "oui" && *choix != "non"))
                throw Usage("balizo-outils: l'option --balisage demande oui ou non (--balisage=non)");
            commande.balisage = *choix == "oui";
        } else if (auto nom = Valeur(argument, "--orthographe", avecValeur); nom && sorte->options & Orthographe) {
            if (!avecValeur || nom->empty())
                throw Usage("balizo-outils: l'option --orthographe demande un dictionnaire ou non "
                            "(--orthographe=fr_FR)");
            commande.orthographe = std::string(*nom);
        } else if (argument == "--essai" && sorte->options & Essai) {
            commande.essai = true;
        } else {
            throw Usage("balizo-outils: option inconnue: " + std::string(argument));
        }
    }

    const std::size_t nombre = commande.arguments.size();
    if (sorte->action == Action::CheminRelatif) {
        if (nombre != 2)
            throw Usage("balizo-outils: chemin-relatif demande deux arguments, CIBLE et BASE");
    } else if (sorte->action == Action::VerifierLiens || sorte->action == Action::Verifier) {
        if (nombre == 0)
            throw Usage("balizo-outils: " + std::string(sorte->nom) + " demande au moins un FICHIER");
        if (std::ranges::find(commande.arguments, "-") != commande.arguments.end())
            throw Usage("balizo-outils: " + std::string(sorte->nom) +
                        " ne lit pas l'entrée standard : les liens d'une page se lisent depuis son dossier");
    } else if (sorte->action == Action::Chercher || sorte->action == Action::Remplacer) {
        const bool remplacer = sorte->action == Action::Remplacer;
        if (nombre < (remplacer ? 2u : 1u))
            throw Usage(remplacer ? "balizo-outils: remplacer demande un TEXTE et son REMPLACEMENT"
                                  : "balizo-outils: chercher demande un TEXTE");
        if (commande.arguments[0].empty())
            throw Usage("balizo-outils: " + std::string(sorte->nom) + " demande un TEXTE non vide");
        if (std::find(commande.arguments.begin() + (remplacer ? 2 : 1), commande.arguments.end(), "-") !=
            commande.arguments.end())
            throw Usage("balizo-outils: " + std::string(sorte->nom) + " ne lit pas l'entrée standard : il cherche "
                        "dans des fichiers et des dossiers");
    } else if (sorte->action == Action::Renommer) {
        if (nombre != 2 || std::ranges::find(commande.arguments, "-") != commande.arguments.end())
            throw Usage("balizo-outils: renommer demande deux arguments, ANCIEN et NOUVEAU");
    } else if (nombre > 1) {
        throw Usage("balizo-outils: trop d'arguments pour " + std::string(sorte->nom) + " (un seul FICHIER)");
    }
    return commande;
}
