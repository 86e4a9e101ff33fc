#include "app/LigneDeCommande.h"

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
    const std::string_view extension = Extension(nom);
    constexpr std::string_view Bureau = ".DSK";
    if (extension.size() != Bureau.size())
        return false;
    for (std::size_t i = 0; i < Bureau.size(); ++i) {
        char c = extension[i];
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
        if (c != Bureau[i])
            return false;
    }
    return true;
}
