// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/document/Couleurs.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// What a style shows, whose colour each scheme gives.
enum Encre { Texte, Balise, Inconnu, Attribut, Nombre, Chaine, Autre, Commentaire, Entite, Special, Valeur, MotCle,
             CommentaireCode, Nom, Variable, NombreEncres };
// Where it stands: the page, a script run by the browser, code run by the server, a fragment's start, a declaration
// of the document, an unclosed string.
enum Fond { Page, Script, Serveur, Marque, Sgml, Erreur, NombreFonds };

struct Role {
    int style;
    Encre encre;
    Fond fond;
};

// The styles of the HTML lexer, its embedded JavaScript, VBScript, Python and PHP, and the same scripts in ASP.
// Each script's styles follow the order of Scintilla's numbers: default, comments, number, words, strings...
constexpr Role Roles[] = {
    {0, Texte, Page}, {1, Balise, Page}, {2, Inconnu, Page}, {3, Attribut, Page}, {4, Inconnu, Page},
    {5, Nombre, Page}, {6, Chaine, Page}, {7, Chaine, Page}, {8, Autre, Page}, {9, Commentaire, Page},
    {10, Entite, Page}, {11, Balise, Page}, {12, Special, Page}, {13, Special, Page}, {14, Balise, Page},
    {15, Texte, Marque}, {16, Texte, Marque}, {17, Texte, Marque}, {18, Special, Marque}, {19, Valeur, Page},
    {20, Commentaire, Page}, {21, Balise, Sgml}, {22, MotCle, Sgml}, {23, Attribut, Sgml}, {24, Chaine, Sgml},
    {25, Chaine, Sgml}, {26, Texte, Erreur}, {27, Entite, Sgml}, {29, Commentaire, Sgml}, {30, Commentaire, Page},
    {31, Balise, Sgml},
    {40, Balise, Page}, {41, Texte, Script}, {42, CommentaireCode, Script}, {43, CommentaireCode, Script},
    {44, CommentaireCode, Script}, {45, Nombre, Script}, {46, Texte, Script}, {47, MotCle, Script},
    {48, Chaine, Script}, {49, Chaine, Script}, {50, Texte, Script}, {51, Chaine, Erreur}, {52, Valeur, Script},
    {55, Balise, Page}, {56, Texte, Serveur}, {57, CommentaireCode, Serveur}, {58, CommentaireCode, Serveur},
    {59, CommentaireCode, Serveur}, {60, Nombre, Serveur}, {61, Texte, Serveur}, {62, MotCle, Serveur},
    {63, Chaine, Serveur}, {64, Chaine, Serveur}, {65, Texte, Serveur}, {66, Chaine, Erreur}, {67, Valeur, Serveur},
    {70, Balise, Page}, {71, Texte, Script}, {72, CommentaireCode, Script}, {73, Nombre, Script},
    {74, MotCle, Script}, {75, Chaine, Script}, {76, Variable, Script}, {77, Chaine, Erreur},
    {80, Balise, Page}, {81, Texte, Serveur}, {82, CommentaireCode, Serveur}, {83, Nombre, Serveur},
    {84, MotCle, Serveur}, {85, Chaine, Serveur}, {86, Variable, Serveur}, {87, Chaine, Erreur},
    {90, Balise, Page}, {91, Texte, Script}, {92, CommentaireCode, Script}, {93, Nombre, Script},
    {94, Chaine, Script}, {95, Chaine, Script}, {96, MotCle, Script}, {97, Chaine, Script}, {98, Chaine, Script},
    {99, Nom, Script}, {100, Nom, Script}, {101, Texte, Script}, {102, Texte, Script},
    {105, Balise, Page}, {106, Texte, Serveur}, {107, CommentaireCode, Serveur}, {108, Nombre, Serveur},
    {109, Chaine, Serveur}, {110, Chaine, Serveur}, {111, MotCle, Serveur}, {112, Chaine, Serveur},
    {113, Chaine, Serveur}, {114, Nom, Serveur}, {115, Nom, Serveur}, {116, Texte, Serveur},
    {117, Texte, Serveur},
    {118, Texte, Serveur}, {119, Chaine, Serveur}, {120, Chaine, Serveur}, {121, MotCle, Serveur},
    {122, Nombre, Serveur}, {123, Variable, Serveur}, {124, CommentaireCode, Serveur},
    {125, CommentaireCode, Serveur}, {126, Variable, Serveur}, {127, Texte, Serveur},
};

struct Schema {
    std::array<Rgb, NombreEncres> encres;
    std::array<Rgb, NombreFonds> fonds;
};

// The light scheme keeps the hues of QScintilla's own colours, darkened where they were too pale to read.
constexpr Schema Clair{{0x000000, 0x000080, 0xc00000, 0x007070, 0x006a6a, 0x7f007f, 0x800080, 0x666600, 0x800080,
                        0x0000ff, 0x9c009c, 0x00007f, 0x006e00, 0x0000ff, 0x00007f},
                       {0xffffff, 0xf0f0ff, 0xfff8f8, 0xffdf00, 0xefefff, 0xffbbb0}};
constexpr Schema Sombre{{0xd4d4d4, 0x569cd6, 0xf48771, 0x9cdcfe, 0xb5cea8, 0xce9178, 0xc586c0, 0x7fae6a, 0xd7ba7d,
                         0x4fc1ff, 0xdcaadc, 0xc586c0, 0x7fae6a, 0x4ec9b0, 0x9cdcfe},
                        {0x1e1e1e, 0x23232f, 0x2c2226, 0x4a4000, 0x262638, 0x5a1d1d}};

using Table = std::array<CouleursStyle, std::size(Roles)>;

constexpr Table Resout(const Schema &schema)
{
    Table table{};
    std::ranges::transform(Roles, table.begin(), [&](const Role &role) {
        return CouleursStyle{role.style, schema.encres[role.encre], schema.fonds[role.fond]};
    });
    return table;
}

constexpr Table TableClaire = Resout(Clair);
constexpr Table TableSombre = Resout(Sombre);

constexpr CouleursAutour AutourClair{0x606060, 0xe8e8e8, 0xf4f4f4, 0xffffff, 0x808080,
                                     0x000000, 0xffffff, 0x2f65ca, 0x3060c0};
constexpr CouleursAutour AutourSombre{0x9a9a9a, 0x252526, 0x252526, 0x1e1e1e, 0x9a9a9a,
                                      0xe8e8e8, 0xffffff, 0x264f78, 0x6fa8ff};

// The relative luminance of a colour, from its sRGB channels made linear.
double Luminance(Rgb couleur)
{
    const auto lineaire = [](Rgb canal) {
        const double c = static_cast<double>(canal & 0xff) / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * lineaire(couleur >> 16) + 0.7152 * lineaire(couleur >> 8) + 0.0722 * lineaire(couleur);
}

} // namespace

std::span<const CouleursStyle> CouleursHtml(bool sombre)
{
    return sombre ? TableSombre : TableClaire;
}

const CouleursAutour &CouleursAutourDuTexte(bool sombre)
{
    return sombre ? AutourSombre : AutourClair;
}

double Contraste(Rgb une, Rgb autre)
{
    const auto [sombre, claire] = std::minmax({Luminance(une), Luminance(autre)});
    return (claire + 0.05) / (sombre + 0.05);
}
