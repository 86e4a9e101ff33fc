// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/Entier.h"

#include <charconv>

namespace {

bool EstEspace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

bool EstChiffre(char c, int base)
{
    if (c >= '0' && c <= '9')
        return true;
    return base == 16 && ((c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'));
}

} // namespace

int LitEntier(std::string_view valeur, int defaut)
{
    while (!valeur.empty() && EstEspace(valeur.front()))
        valeur.remove_prefix(1);
    while (!valeur.empty() && EstEspace(valeur.back()))
        valeur.remove_suffix(1);

    int base = 10;
    std::size_t premier = 0;
    if (valeur.size() > 2 && valeur[0] == '0' && (valeur[1] == 'x' || valeur[1] == 'X')) {
        base = 16;
        valeur.remove_prefix(2);
    } else if (!valeur.empty() && valeur.front() == '+') {
        valeur.remove_prefix(1);
    } else if (!valeur.empty() && valeur.front() == '-') {
        premier = 1;
    }
    // from_chars reads a minus sign of its own: check that a digit follows the one sign allowed.
    if (valeur.size() <= premier || !EstChiffre(valeur[premier], base))
        return defaut;

    int resultat = 0;
    const char *fin = valeur.data() + valeur.size();
    const auto [arret, erreur] = std::from_chars(valeur.data(), fin, resultat, base);
    if (erreur != std::errc() || arret != fin)
        return defaut;
    return resultat;
}
