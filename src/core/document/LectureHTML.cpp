#include "core/document/LectureHTML.h"

namespace {

// The position `longueur` bytes after the one found, or the end of the text when nothing was found.
std::size_t Apres(std::string_view texte, std::size_t trouve, std::size_t longueur)
{
    return trouve >= texte.size() ? texte.size() : trouve + longueur;
}

// Whether the text at i begins with the motif, which is in lower case, without regard to ASCII case.
bool Commence(std::string_view texte, std::size_t i, std::string_view motif)
{
    if (texte.size() - i < motif.size())
        return false;
    for (std::size_t k = 0; k < motif.size(); ++k) {
        if (MinusculeAscii(texte[i + k]) != motif[k])
            return false;
    }
    return true;
}

// Whether the end tag of the element begins at i: "</", its name, then white space, '/' or '>'.
bool EstFin(std::string_view texte, std::size_t i, std::string_view nom)
{
    const std::size_t apres = i + 2 + nom.size();
    return Commence(texte, i, "</") && Commence(texte, i + 2, nom) && apres < texte.size() &&
           (EstEspaceHtml(texte[apres]) || texte[apres] == '/' || texte[apres] == '>');
}

std::size_t FinCommentaire(std::string_view texte, std::size_t tirets)
{
    for (std::size_t i = tirets;; ++i) {
        i = Suivant(texte, i, '-');
        if (i == texte.size())
            return i;
        if (Commence(texte, i, "-->"))
            return i + 3;
        if (i >= tirets + 2 && Commence(texte, i, "--!>"))
            return i + 4;
    }
}

std::size_t FinTexteBrut(std::string_view texte, std::size_t i, std::string_view nom)
{
    for (;; ++i) {
        i = Suivant(texte, i, '<');
        if (i == texte.size() || EstFin(texte, i, nom))
            return i;
    }
}

std::size_t FinScript(std::string_view texte, std::size_t i)
{
    enum { Donnees, Echappe, DoubleEchappe } etat = Donnees;
    const std::size_t taille = texte.size();
    while (i < taille) {
        if (etat == Donnees) {
            i = Suivant(texte, i, '<');
            if (i == taille || EstFin(texte, i, "script"))
                return i;
            if (Commence(texte, i, "<!--")) {
                // Its dashes count: "<!-->" opens and closes.
                etat = Echappe;
                i += 2;
            } else {
                ++i;
            }
        } else if (Commence(texte, i, "-->")) {
            etat = Donnees;
            i += 3;
        } else if (etat == Echappe && EstFin(texte, i, "script")) {
            return i;
        } else if (etat == Echappe && Commence(texte, i, "<script") && i + 7 < taille &&
                   (EstEspaceHtml(texte[i + 7]) || texte[i + 7] == '/' || texte[i + 7] == '>')) {
            etat = DoubleEchappe;
            i += 7;
        } else if (etat == DoubleEchappe && EstFin(texte, i, "script")) {
            etat = Echappe;
            i += 8;
        } else {
            ++i;
        }
    }
    return taille;
}

} // namespace

Ouverture OuvertureDe(std::string_view texte, std::size_t i)
{
    const char suivant = i + 1 < texte.size() ? texte[i + 1] : '\0';
    if (EstLettreAscii(suivant))
        return Ouverture::Ouvrante;
    if (suivant == '/' && i + 2 < texte.size())
        return EstLettreAscii(texte[i + 2]) ? Ouverture::Fermante : Ouverture::Autre;
    return suivant == '!' || suivant == '?' ? Ouverture::Autre : Ouverture::Texte;
}

std::size_t FinAutre(std::string_view texte, std::size_t i)
{
    if (Commence(texte, i, "<!--"))
        return FinCommentaire(texte, i + 2);
    if (texte.substr(i).starts_with("<![CDATA["))
        return Apres(texte, texte.find("]]>", i + 9), 3);
    return Apres(texte, Suivant(texte, i + 2, '>'), 1);
}

std::size_t FinNom(std::string_view texte, std::size_t i)
{
    while (i < texte.size() && !EstEspaceHtml(texte[i]) && texte[i] != '/' && texte[i] != '>')
        ++i;
    return i;
}

std::size_t FinContenu(std::string_view texte, std::size_t i, std::string_view nom, Contenu contenu)
{
    switch (contenu) {
    case Contenu::Balises:
    case Contenu::Preforme: return i;
    case Contenu::Brut: return FinTexteBrut(texte, i, nom);
    case Contenu::Script: return FinScript(texte, i);
    case Contenu::SansFin: break;
    }
    return texte.size();
}
