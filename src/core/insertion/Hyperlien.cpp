// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/insertion/Hyperlien.h"

std::string UrlAbsolue(std::string_view protocole, std::string_view adresse)
{
    std::string url;
    url.reserve(protocole.size() + adresse.size());
    url.append(protocole);
    url.append(adresse);
    return url;
}

std::string UrlLocale(std::string_view ancre)
{
    std::string url = "#";
    url.append(ancre);
    return url;
}

std::string UrlRelative(std::string_view fichier, std::string_view ancre)
{
    std::string url(fichier);
    if (!ancre.empty()) {
        url += '#';
        url.append(ancre);
    }
    return url;
}

std::string OuvertureLien(std::string_view url, std::string_view description, bool italique)
{
    std::string ouverture;
    if (italique)
        ouverture = "<ADDRESS>";
    ouverture += "<A HREF=\"";
    ouverture.append(url);
    ouverture += "\">";
    ouverture.append(description);
    if (italique && !description.empty())
        ouverture += "</A></ADDRESS>";
    return ouverture;
}

std::string FermetureLien(std::string_view description, bool italique)
{
    if (!italique)
        return "</A>";
    return description.empty() ? "</A></ADDRESS>" : "";
}

std::string ElementAncreLocale(std::string_view nom)
{
    std::string element = "<A NAME=\"";
    for (const char c : nom)
        if (c != ' ')
            element += c;
    element += "\"></A>";
    return element;
}
