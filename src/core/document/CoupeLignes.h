// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Minified pages, whose mark-up stands on one line of megabytes, made editable: line ends are inserted in the lines
// that are too long, where a browser does not show them.
//
// A line end goes right before the start tag or the end tag (names without regard to ASCII case) of
//   html head body  address article aside blockquote center details div dl dt dd fieldset figcaption figure footer
//   form h1 h2 h3 h4 h5 h6 header hgroup hr legend li listing main nav ol p pre section summary ul
//   table caption colgroup col thead tbody tfoot tr td th  optgroup option  br
// as long as the style sheets leave these elements blocks, list items or table parts: the layout drops white space
// at the start and the end of a line, and a line ends at the start and the end of a block and at a <br>.
// And while the page is still in its head (up to the first tag or text of its body), before the tags of
//   base link meta noscript script style template title
// which the head holds and never shows; in the body they are not shown either, so that a line end before them would
// show as a space between the words around them. Elements laid out inline, even the large ones (iframe, select,
// textarea, img, button), get none, for the same reason.
//
// A line end never goes:
// - inside a tag, which ends at the first '>' outside a quoted attribute value; inside a comment ("<!--" to "-->"),
//   a CDATA section ("<![CDATA[" to "]]>"), a declaration or processing instruction ("<!" or "<?" to '>');
// - inside the content of pre and listing, where line ends show (to their matching end tag, nested ones counted);
// - inside the text that the browser does not read as mark-up: the content of script (with the escapes that "<!--"
//   opens in it), style, textarea, title, xmp, iframe, noembed, noframes and noscript, nor anywhere after plaintext;
// - at the start of the text, or where a line end already stands right before;
// - in a line of at most `seuil` bytes, line ends left out (lines end at CR LF, LF or a lone CR).

// The text with the line end `fin` inserted at every such place; nothing when it has none, the text to be kept as
// it is. Deleting exactly the inserted line ends gives back the text byte for byte. The text is read as bytes:
// its mark-up must be ASCII, as it is in UTF-8 and in Windows-1252.
std::optional<std::string> CoupeLignes(std::string_view texte, std::string_view fin, std::size_t seuil);
