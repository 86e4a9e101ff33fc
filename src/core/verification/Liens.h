#pragma once

#include "core/verification/Probleme.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A value of an HREF or SRC attribute: where it is written in the page (the value, without its quotes) and what it
// says once its entities are read.
struct Lien {
    std::size_t debut = 0;
    std::size_t fin = 0;
    std::string cible;

    bool operator==(const Lien &) const = default;
};

// Every HREF and SRC of the page's tags, in text order; comments, scripts and styles hold none.
std::vector<Lien> ListeLiens(std::string_view texte);

// The UTF-8 text of another page, given its absolute "/"-separated path, for its anchors: the text of an open page
// as it stands in its window, otherwise the file as read from disk; nothing when it cannot be read.
using LecteurPage = std::function<std::optional<std::string>(const std::string &chemin)>;

// The links of a page that lead nowhere, each as a Probleme::Sorte::Lien with a French message, and the links to
// other sites as Probleme::Sorte::NonVerifie. chemin is the page's absolute path, site the absolute path of the
// site's folder, against which links that start with "/" are read.
std::vector<Probleme> VerifieLiens(std::string_view texte, const std::string &chemin, const std::string &site,
                                   const LecteurPage &lecture);
