#include "core/app/LigneDeCommande.h"

#include "core/settings/Casse.h"

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
