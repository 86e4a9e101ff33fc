// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

// The addresses of links as the check of links reads them: the browser's reading of an address (its blanks, scheme,
// "%XX", base), and where a path leads on this disk, each component looked up in its folder's listing.

namespace AdressesLiens {

bool EstChiffre(char c, bool hexa);

// The bytes that "%XX" stand for put back; a '%' without two hexadecimal digits stays.
std::string DecodePourcents(std::string_view texte);

// The address as the browser takes it: without the blanks and control characters at its ends, nor tabs and line
// ends inside.
std::string Adresse(std::string_view cible);

// The address's scheme in small letters ("http" for "HTTP://..."); empty when it has none. A single letter is a
// Windows drive, not a scheme.
std::string Schema(std::string_view adresse);

bool EstLecteurWindows(std::string_view chemin);

// The address as the browser reads it from the base, itself read from the page: absolute when the base names a
// scheme or a host; otherwise still written from the page's folder, or from the site's with a leading "/", its ".."
// kept, so that it is judged as any other link. Nothing when the base has no path to read it from (mailto:, data:...).
std::optional<std::string> LuDepuis(std::string_view base, const std::string &adresse);

// The text with each byte that is not part of a UTF-8 character written "%XX", as a link writes it.
std::string EnUtf8(std::string_view texte);

bool EstPageHtml(const std::string &chemin);

bool Existe(const std::string &chemin);

// Whether the path is the folder or lies in it; the folder "" is the root.
bool Dans(std::string_view chemin, std::string_view dossier);

// Whether the path, read from the base folder, climbs with ".." out of the site's folder, as long as the base lies in
// it. On the server, the climb stops at the site's top, and the link leads elsewhere than on this disk.
bool SortDuSite(const std::string &base, const std::string &site, std::string_view ecrit);

// Where a path written in a link leads, each component looked up in its folder's listing.
struct Resolution {
    bool existe = false;
    bool autreCasse = false;
    std::string chemin;  // absolute, spelled as on disk; meaningful when the path exists
    std::string correct; // the path as the link should write it
};

// The listings of the folders that links lead through, each read once.
class ListesDossiers {
public:
    Resolution Resout(const std::string &base, std::string_view ecrit);

    // The page that a server sends for the folder: its index.html, or else its index.htm, named in that case.
    std::optional<std::string> Index(const std::string &dossier);

private:
    struct Dossier {
        bool lu = false;
        std::unordered_set<std::string> noms;
        std::unordered_map<std::string, std::string> plies;
    };

    // The name in the folder, spelled as its listing spells it, in the same case or else in another; nothing when
    // it has neither.
    std::optional<std::string> NomSurDisque(const std::string &dossier, const std::string &nom);

    std::map<std::string, Dossier> dossiers;
};

} // namespace AdressesLiens
