// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string_view>

// The texts that the new-document template and the formatting commands put around the selection.
struct PaireTextes {
    std::string_view ouverture;
    std::string_view fermeture;
};

enum IndexPaire {
    PaireModele,
    PaireGras,
    PaireItalique,
    PaireSouligne,
    PaireH1,
    PaireH2,
    PaireH3,
    PaireH4,
    PaireH5,
    PaireH6,
    PaireHR,
    PaireBR,
    PaireP,
    PaireGauche,
    PaireCentre,
    PaireDroite,
    PaireNbsp,
};

inline constexpr std::array<PaireTextes, 17> TextPairs{{
    // A new page is saved in UTF-8: it says so, or a browser may take its accents for another encoding. It declares
    // itself HTML5, so that it passes the check of its mark-up.
    {"<!DOCTYPE html>\r\n"
     "<HTML>\r\n<HEAD>\r\n<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=utf-8\">\r\n"
     "<TITLE>Sans Titre</TITLE>\r\n</HEAD>\r\n<BODY>\r\n",
     "\r\n</BODY>\r\n</HTML>\r\n"},
    {"<B>", "</B>"},
    {"<I>", "</I>"},
    {"<U>", "</U>"},
    {"<H1>", "</H1>"},
    {"<H2>", "</H2>"},
    {"<H3>", "</H3>"},
    {"<H4>", "</H4>"},
    {"<H5>", "</H5>"},
    {"<H6>", "</H6>"},
    {"<HR>", ""},
    {"<BR>", ""},
    {"<P>", "</P>"},
    {"<P ALIGN=LEFT>", "</P>"},
    {"<P ALIGN=CENTER>", "</P>"},
    {"<P ALIGN=RIGHT>", "</P>"},
    {"&nbsp;", ""},
}};
