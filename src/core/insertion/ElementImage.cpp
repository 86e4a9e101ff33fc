// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/insertion/ElementImage.h"

#include "core/settings/Chemins.h"

#include <cstdint>
#include <limits>

namespace {

int ValeurChiffre(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Whether the path begins with a drive letter and a colon, as a Windows path does.
bool AvecLecteur(std::string_view chemin)
{
    return chemin.size() >= 2 && chemin[1] == ':';
}

} // namespace

int LitNombre(std::string_view texte)
{
    std::size_t i = 0;
    while (i < texte.size() && texte[i] == ' ')
        ++i;
    bool negatif = false;
    if (i < texte.size() && (texte[i] == '+' || texte[i] == '-')) {
        negatif = texte[i] == '-';
        ++i;
    }
    int base = 10;
    if (i < texte.size() && texte[i] == '$') {
        base = 16;
        ++i;
    }
    if (i == texte.size())
        return 0;

    // The magnitude may reach 2^31 for the smallest negative number; one digit more is already out of range.
    constexpr std::int64_t limite = std::int64_t(std::numeric_limits<std::int32_t>::max()) + 1;
    std::int64_t valeur = 0;
    for (; i < texte.size(); ++i) {
        const int chiffre = ValeurChiffre(texte[i]);
        if (chiffre < 0 || chiffre >= base)
            return 0;
        valeur = valeur * base + chiffre;
        if (valeur > limite)
            return 0;
    }
    if (negatif)
        return static_cast<int>(-valeur);
    return valeur == limite ? 0 : static_cast<int>(valeur);
}

std::string ValeurAttribut(std::string_view texte)
{
    std::string valeur;
    valeur.reserve(texte.size());
    for (const char c : texte) {
        if (c == '&')
            valeur += "&amp;";
        else if (c == '"')
            valeur += "&quot;";
        else
            valeur += c;
    }
    return valeur;
}

TextesImage ElementImage(const ChampsImage &champs)
{
    TextesImage textes;
    std::string &o = textes.ouverture;
    o += "<IMG SRC=\"";
    o += champs.fichier;
    // An empty ALT tells a screen reader that the picture is decorative; without ALT it reads the file name.
    o += "\" ALT=\"";
    o += ValeurAttribut(champs.alternatif);
    o += '"';
    if (!champs.alignement.empty()) {
        o += " ALIGN=";
        o += champs.alignement;
    }
    const struct {
        const char *attribut;
        std::string_view texte;
    } nombres[] = {{" BORDER=", champs.bordure}, {" HSPACE=", champs.hspace}, {" VSPACE=", champs.vspace}};
    for (const auto &n : nombres) {
        const int valeur = LitNombre(n.texte);
        if (valeur > 0) {
            o += n.attribut;
            o += std::to_string(valeur);
        }
    }
    if (!champs.largeur.empty()) {
        o += " WIDTH=";
        o += champs.largeur;
    }
    if (!champs.hauteur.empty()) {
        o += " HEIGHT=";
        o += champs.hauteur;
    }
    o += '>';
    if (!champs.legende.empty()) {
        o += champs.legende;
        textes.fermeture = "<P>";
    }
    return textes;
}

std::string ReferenceImage(std::string_view choisi, std::string_view relatif)
{
    // A relative path that starts with a drive only comes from a file on another drive than the page; on a system
    // without drives the picked name starts with "/", and a folder named like "C:" beside the page stays relative.
    if (relatif.size() >= 3 && relatif.substr(1, 2) == ":/" && AvecLecteur(choisi))
        return "file:///" + std::string(choisi);
    return std::string(relatif);
}

std::string FichierImageChoisi(std::string_view choisi, std::string_view document)
{
    return ReferenceImage(choisi, CheminRelatif(choisi, document));
}
