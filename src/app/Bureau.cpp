#include "app/Bureau.h"

std::string EcritBureau(const std::vector<std::string> &noms)
{
    std::size_t taille = 0;
    for (const std::string &nom : noms)
        taille += nom.size() + 1;
    std::string contenu;
    contenu.reserve(taille);
    for (const std::string &nom : noms) {
        contenu += nom;
        contenu += '\n';
    }
    return contenu;
}

std::vector<std::string> LitBureau(std::string_view contenu)
{
    // Ctrl-Z marks the end of the text; whatever follows it is padding.
    contenu = contenu.substr(0, contenu.find('\x1A'));
    std::vector<std::string> noms;
    while (!contenu.empty()) {
        const std::size_t fin = contenu.find_first_of("\r\n");
        if (fin != 0)
            noms.emplace_back(contenu.substr(0, fin));
        if (fin == std::string_view::npos)
            break;
        const bool crlf = contenu[fin] == '\r' && fin + 1 < contenu.size() && contenu[fin + 1] == '\n';
        contenu.remove_prefix(fin + (crlf ? 2 : 1));
    }
    return noms;
}
