// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The file name that the command-line arguments form: all of them joined by single spaces.
std::string NomDeLigneDeCommande(const std::vector<std::string> &arguments);

// What the editor's command line asks for. "--help", or "-h" as the only argument, and "--version" print and end;
// "--nouvelle-instance" starts an editor of its own instead of handing the files to the one running; any other
// argument that starts with "--" is refused. Every other argument names files, and so does every argument after a
// lone "--", which itself names nothing: "-x" and "-- --x" name files.
struct DemandeLigneDeCommande {
    enum class Genre { Fichier, Aide, Version, OptionInconnue } genre = Genre::Fichier;
    // The refused option.
    std::string option;
    // The arguments that name the files.
    std::vector<std::string> noms;
    bool nouvelleInstance = false;
};
DemandeLigneDeCommande AnalyseLigneDeCommande(const std::vector<std::string> &arguments);

// The files that the arguments name, in order: the name they form together when it names a file (one with spaces
// typed without quotes), otherwise each argument that names one; none when neither does.
std::vector<std::string> FichiersNommes(const std::vector<std::string> &arguments,
                                        const std::function<bool(const std::string &)> &estUnFichier);

// Whether the name is that of something on disk that is not a folder.
bool EstUnFichier(const std::string &nom);

// The display of an editor started with these values of QT_QPA_PLATFORM, DISPLAY and WAYLAND_DISPLAY.
struct Affichage {
    // Whether Qt has a display to open: X or Wayland, as the platform asks or else whichever is there; a platform
    // that needs none ("offscreen", "minimal"...) always has one.
    bool accessible = false;
    // What names the display that every editor started there shows on, the X one without its screen number; empty
    // when no one else sees its windows.
    std::string nom;
};
Affichage AffichageDe(std::string_view plateformes, std::string_view x11, std::string_view wayland);

// The message by which a starting editor hands the files it names to the one running: "BLZ1", the number of names,
// then each name's length and bytes, every number on four bytes, the most significant first.
std::string MessageDeFichiers(const std::vector<std::string> &noms);

// What the bytes received so far hold of such a message.
struct LectureMessage {
    enum class Etat { Incomplet, Complet, Invalide } etat = Etat::Incomplet;
    // The names of a complete message.
    std::vector<std::string> noms;
    // The length of a complete message: the bytes after it do not belong to it.
    std::size_t longueur = 0;
};
// Anything else than the start of a message is invalid, and so are a message longer than TailleMessageMaximale and
// an empty name or one holding a NUL byte, which no file has.
LectureMessage LitMessageDeFichiers(std::string_view octets);
inline constexpr std::size_t TailleMessageMaximale = 1 << 20;

// The extension of a file name: from the last dot of its last component, the dot included; empty when it has none.
std::string_view Extension(std::string_view nom);

// Whether the file name's extension is ".DSK" in any case: such a file is loaded as a desktop.
bool EstUnBureau(std::string_view nom);
