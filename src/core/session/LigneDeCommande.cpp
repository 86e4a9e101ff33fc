#include "core/session/LigneDeCommande.h"

#include "core/texte/Casse.h"

std::string NomDeLigneDeCommande(const std::vector<std::string> &arguments)
{
    std::string nom;
    for (const std::string &argument : arguments) {
        if (&argument != &arguments.front())
            nom += ' ';
        nom += argument;
    }
    return nom;
}

DemandeLigneDeCommande AnalyseLigneDeCommande(const std::vector<std::string> &arguments)
{
    using Genre = DemandeLigneDeCommande::Genre;
    DemandeLigneDeCommande demande;
    bool options = true;
    for (const std::string &argument : arguments) {
        if (!options || !argument.starts_with("--")) {
            demande.noms.push_back(argument);
        } else if (argument == "--") {
            options = false;
        } else if (demande.genre == Genre::Fichier) {
            // The first option decides.
            demande.genre = argument == "--help"      ? Genre::Aide
                            : argument == "--version" ? Genre::Version
                                                      : Genre::OptionInconnue;
            demande.option = argument;
        }
    }
    return demande;
}

std::string_view Extension(std::string_view nom)
{
    const std::size_t barre = nom.rfind('/');
    const std::string_view dernier = barre == std::string_view::npos ? nom : nom.substr(barre + 1);
    const std::size_t point = dernier.rfind('.');
    return point == std::string_view::npos ? std::string_view() : dernier.substr(point);
}

bool EstUnBureau(std::string_view nom)
{
    return EgauxSansCasseAscii(Extension(nom), ".DSK");
}
