// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What the writing aids read around the caret: where it stands (text, a tag, a value, a comment...), which elements
// are still open there, which end tag a '>' or a "</" calls for, and the tags of the element around it. Positions are
// byte offsets in the page's UTF-8 or Windows-1252 bytes; the mark-up, which is ASCII, is read with the shared reader
// of mark-up, as a browser reads it. Each answer reads a bounded stretch of the page, so that it costs the same at the
// end of a 100 MB page as in a small one.

// How far the writing aids read from the caret: a 100 MB page stays instant. A tag that the limit cuts is read from
// its '<', a few KB further at most.
inline constexpr std::size_t PorteeEcriture = 256 * 1024;

// Where a position stands, as the writing aids see it.
enum class Lieu {
    Texte,       // text or content read as mark-up
    NomElement,  // in the name of a start tag being typed ("<d|")
    Balise,      // inside a start tag, after its name and a blank, not in a value: where an attribute name goes
    Valeur,      // in an attribute's value, quoted or not, or right after its '='
    Commentaire, // in a comment, a CDATA section, a declaration, a processing instruction, an end tag
    TexteBrut,   // in the content of script, style and the other elements read as text (ElementsTexte)
    Reference,   // in a character reference being typed ("&ea|", or "&|")
};

struct Contexte {
    Lieu lieu;
    // Where the word being typed begins: the name after '<', the attribute name, the name after '&'; the position
    // itself elsewhere.
    std::size_t debut;
    // The tag's element name as written, for NomElement, Balise and Valeur, and the element whose content is read
    // as text for TexteBrut (a view into texte); empty otherwise.
    std::string_view element;
};

// Where `position` stands, reading at most `portee` bytes before it.
Contexte ContexteEn(std::string_view texte, std::size_t position, std::size_t portee = PorteeEcriture);

struct ElementOuvert {
    std::string_view nom; // as written (a view into texte)
    std::size_t debut;    // its start tag's '<'
    std::size_t fin;      // past its start tag's '>'
};

// The elements still open at `position`, outermost first, reading at most `portee` bytes before it: void elements and
// self-closed tags never open, comments, scripts and styles are skipped, an end tag closes the elements opened inside
// it that were left open (an end tag that closes nothing open is ignored), the usual optional end tags close (li by
// li, dt and dd by dt and dd, p by a block, td and th by a cell or a row, tr by a row, thead, tbody and tfoot by each
// other, option by option and optgroup, head by body). A tag that the position cuts does not count; an element whose
// content is read as text and whose end tag comes after the position is open there. Names compare without regard to
// ASCII case.
std::vector<ElementOuvert> ElementsOuverts(std::string_view texte, std::size_t position,
                                           std::size_t portee = PorteeEcriture);

// What to write right after the caret once the '>' at `chevron` has been typed (it is in texte): the end tag of the
// start tag it ends, in the case its name was written ("</P>" for "<P>"), or "" (not a start tag, in a comment, a
// script, a style or a value, self-closed, a void element, or the text after the '>' already begins with that end
// tag, in any case).
std::string FermetureApresChevron(std::string_view texte, std::size_t chevron);

// What to write right after the caret once the '/' at `barre` has been typed right after a '<': the name of the
// innermost open element and '>' ("li>"), or "" when nothing is open or the '<' is not in text. In the content of an
// element read as text (a title, a script), that element is the innermost one.
std::string FermetureApresBarre(std::string_view texte, std::size_t barre);

// An element's tags: its start tag [debutOuvrante, finOuvrante) and its end tag [debutFermante, finFermante). An
// element that ends without an end tag (an optional one left out, closed by its parent's end tag or by the end of
// the page) has debutFermante == finFermante == where it ends; one whose end lies beyond the reach has
// debutFermante == finFermante == finOuvrante; a void element or a self-closed tag too.
struct Paire {
    std::size_t debutOuvrante, finOuvrante, debutFermante, finFermante;
};

// The tags of the innermost element whose extent [debutOuvrante, finFermante) holds [debut, fin) and is larger than
// it (so that calling it again on an element's extent gives its parent); a position in a tag, or at its '<', is in
// that tag's element. An element whose end lies beyond the reach holds only its start tag. Reads at most
// PorteeEcriture bytes on each side.
std::optional<Paire> ElementAutour(std::string_view texte, std::size_t debut, std::size_t fin,
                                   std::size_t portee = PorteeEcriture);

// The text "Mettre en commentaire" writes in place of the selection: "<!-- " + s + " -->", or, when s is exactly
// one comment, its content (without the blank after "<!--" and before "-->", when there is one).
std::string BasculeCommentaire(std::string_view selection);

// The end tag of a start tag the user typed ("<div class=\"note\">" gives "</div>"), blanks around it allowed; ""
// when it is not one start tag, or is self-closed, or is a void element.
std::string FermetureDe(std::string_view ouvrante);

// Whether the element `nom` (any case) is void: area, base, br, col, embed, hr, img, input, link, meta, param,
// source, track, wbr, basefont, frame, isindex.
bool EstElementVide(std::string_view nom);
