// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/verification/Probleme.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// An address that a page or a style sheet leads to or loads: where it is written in the text (without its quotes)
// and what it says once its entities, or its CSS escapes, are read.
struct Lien {
    enum class Sorte {
        Adresse, // a file, a page or another site
        Feuille, // a style sheet, whose own addresses are loaded too
        Carte,   // the image map of a USEMAP, "#name" of a MAP element of the page
        Ancre,   // a url() of a style that is "#name" alone: an element of the page that the style applies to
    };

    std::size_t debut = 0;
    std::size_t fin = 0;
    std::string cible;
    Sorte sorte = Sorte::Adresse;

    bool operator==(const Lien &) const = default;
};

// The addresses of the page, in text order: every HREF, SRC and BACKGROUND, OBJECT's DATA, VIDEO's POSTER, each
// address of the SRCSET of IMG and SOURCE, each USEMAP, and the url() and @import of STYLE attributes and elements
// (ListeUrlsCss); the HREF of a LINK whose REL holds "stylesheet" is a Feuille. Comments, scripts and the other
// elements whose content is text hold none.
std::vector<Lien> ListeLiens(std::string_view texte);

// The addresses that a style sheet loads, in text order: each url() (quoted or not), an Ancre when it is "#name"
// alone, and the address of each @import, a Feuille; comments hold none, nor strings but those of url() and
// @import, nor a url() that the browser drops (a blank or a quote inside its unquoted address).
std::vector<Lien> ListeUrlsCss(std::string_view css);

// The UTF-8 text of a page or a style sheet open in the editor, given its absolute "/"-separated path, as it stands
// in its window; nothing for one that is read from its file.
using LecteurPage = std::function<std::optional<std::string>(const std::string &chemin)>;

// What the link checks of the pages of one site read from its files, kept from one page to the next: the listings of
// the folders and the anchors of the pages that links lead to. For a run over files that do not change meanwhile;
// one thread at a time.
class LecturesDuSite {
public:
    LecturesDuSite();
    ~LecturesDuSite();
    LecturesDuSite(const LecturesDuSite &) = delete;
    LecturesDuSite &operator=(const LecturesDuSite &) = delete;

    struct Lues;
    Lues &Contenu() { return *lues; }

private:
    std::unique_ptr<Lues> lues;
};

// The most bytes of a page's file read for its anchors: a page may be gigabytes long.
inline constexpr std::size_t TailleMaximaleCible = 64 << 20;

// The links of a page that lead nowhere, each as a Probleme::Sorte::Lien with a French message, and the links to
// other sites as Probleme::Sorte::NonVerifie with autreSite set. chemin is the page's absolute path, site the
// absolute path of the site's folder, against which links that start with "/" are read.
//
// A link is read as the browser reads it: blanks at its ends dropped, its query and fragment apart from its path,
// the path's backslashes taken as slashes and its "%XX" decoded; and read from the href of the page's first <base>
// that has one, wherever it stands, as the browser reads it, "#x" alone included (the base's own href is read from
// the page), but for a style's "#name" alone (Lien::Sorte::Ancre), which names an element of the page itself as a
// USEMAP does. Then:
// - a base with a host ("https://host/...", "//host") leads every relative link to that site, and one without a
//   path (mailto:...) leads them nowhere; a base "/..." is read from the site's folder; the problems of a link read
//   from the base say so. The base names the folder that links are read from: that folder must exist, and a base
//   that names a folder without its final "/" is reported, since links are then read from the folder above;
// - http:, https:, ftp: and the like, and "//host/...", lead to other sites, which are not checked;
// - an empty link, "#" alone, and the other schemes (mailto:, tel:, javascript:, data:...) lead to no file;
// - file: addresses, Windows paths ("C:\...", "\\server\...") and "/..." paths that are not in the site but stand on
//   this disk as written are absolute paths that the server will not have; the relative link is proposed for a file
//   of the site;
// - a path that climbs with ".." out of the site's folder, from a page of the site, leads on the server to another
//   file than on this disk: it is reported as such, and what it leads to is not looked at;
// - any other path, from the page's folder or from the site's, must lead to a file or a folder, each component
//   looked up in its folder's listing: a name written in another case than on disk works on this disk perhaps, but
//   not on the server, and is reported with the path as it should be written; a symbolic link that leads to no file,
//   and a named pipe, a device or a socket, are reported too;
// - a folder must hold the page that a server sends for it, "index.html" or else "index.htm", named in that case;
//   without one the server answers with an error or the list of its files, and the link is reported;
// - a fragment must name an anchor of the page it leads to (this one, a folder's index page, or another HTML page):
//   a name that ListeAncres finds, an id, or the name of an A element; names are compared as browsers compare them,
//   letter case included, and "#top" always leads to the top. Another page is the text that `lecture` gives,
//   otherwise its file, opened without waiting, when it lies in the site's folder once its symbolic links are
//   followed; only its first TailleMaximaleCible bytes are read, and an anchor not found in them is reported as not
//   checked;
// - a USEMAP must name, after its '#', a MAP element of the page by its name or its id, letter case included;
// - a style sheet of the site that a Feuille loads is read as another page is, and its own addresses, and those of
//   the sheets it imports, are checked from its folder; each problem is reported once in the page, on the first
//   Feuille that loads it, its message naming the sheet, the address and its line there; a sheet's links to other
//   sites, and its "#name" (an element of whichever page uses it), are left out.
// A message names a path or an anchor decoded, or as the page writes it when its "%XX" give bytes that are not UTF-8;
// a message is always UTF-8, the other bytes of a name on disk written "%XX". The problems come in text order. The
// folders are listed, and the other pages and sheets read, at most once per call, or once for all the calls given
// the same `lues`; the function keeps no other state between calls and may run on any thread, as long as `lecture`
// may.
std::vector<Probleme> VerifieLiens(std::string_view texte, const std::string &chemin, const std::string &site,
                                   const LecteurPage &lecture, LecturesDuSite *lues = nullptr);

// The deepest folder that holds every one of the files, given by their absolute paths: the site's folder when the
// user names none. "/" when they share no other; nothing without files.
std::string DossierCommun(const std::vector<std::string> &chemins);
