#pragma once

#include <string>
#include <string_view>
#include <vector>

// The file name that the command-line arguments form: all of them joined by single spaces.
std::string NomDeLigneDeCommande(const std::vector<std::string> &arguments);

// What the editor's command line asks for. "--help" and "--version" print and end; any other argument that starts
// with "--" is refused. Every other argument belongs to the file name, and so does every argument after a lone "--",
// which itself belongs to nothing: "-x" and "-- --x" name files.
struct DemandeLigneDeCommande {
    enum class Genre { Fichier, Aide, Version, OptionInconnue } genre = Genre::Fichier;
    // The refused option.
    std::string option;
    // The arguments that form the file name.
    std::vector<std::string> noms;
};
DemandeLigneDeCommande AnalyseLigneDeCommande(const std::vector<std::string> &arguments);

// The extension of a file name: from the last dot of its last component, the dot included; empty when it has none.
std::string_view Extension(std::string_view nom);

// Whether the file name's extension is ".DSK" in any case: such a file is loaded as a desktop.
bool EstUnBureau(std::string_view nom);
