// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <span>
#include <string>
#include <string_view>

// The names of HTML that browsers know, in small letters and sorted: the elements and attributes of HTML as it is
// now written (ARIA's attributes and the event handlers included), and those of earlier HTML that browsers still
// honour (FONT, CENTER, BGCOLOR...), so that a page of either age reads as known mark-up.

namespace NomsHTML {

inline constexpr std::string_view Elements[] = {
    "a", "abbr", "acronym", "address", "applet", "area", "article", "aside", "audio", "b", "base", "basefont",
    "bdi", "bdo", "big", "blink", "blockquote", "body", "br", "button", "canvas", "caption", "center", "cite",
    "code", "col", "colgroup", "data", "datalist", "dd", "del", "details", "dfn", "dialog", "dir", "div", "dl",
    "dt", "em", "embed", "fieldset", "figcaption", "figure", "font", "footer", "form", "frame", "frameset", "h1",
    "h2", "h3", "h4", "h5", "h6", "head", "header", "hgroup", "hr", "html", "i", "iframe", "img", "input", "ins",
    "isindex", "kbd", "label", "legend", "li", "link", "listing", "main", "map", "mark", "marquee", "math", "menu",
    "meta", "meter", "nav", "nobr", "noembed", "noframes", "noscript", "object", "ol", "optgroup", "option",
    "output", "p", "param", "picture", "plaintext", "pre", "progress", "q", "rb", "rp", "rt", "rtc", "ruby", "s",
    "samp", "script", "search", "section", "select", "slot", "small", "source", "span", "strike", "strong", "style",
    "sub", "summary", "sup", "svg", "table", "tbody", "td", "template", "textarea", "tfoot", "th", "thead", "time",
    "title", "tr", "track", "tt", "u", "ul", "var", "video", "wbr", "xmp",
};
static_assert(std::ranges::is_sorted(Elements));

// Some of these are both elements and attributes (cite, data, form, label, span, style, summary, title...).
inline constexpr std::string_view Attributs[] = {
    "abbr", "accept", "accept-charset", "accesskey", "action", "align", "alink", "allow", "allowfullscreen", "alt",
    "archive", "aria-activedescendant", "aria-atomic", "aria-autocomplete", "aria-braillelabel",
    "aria-brailleroledescription", "aria-busy", "aria-checked", "aria-colcount", "aria-colindex",
    "aria-colindextext", "aria-colspan", "aria-controls", "aria-current", "aria-describedby", "aria-description",
    "aria-details", "aria-disabled", "aria-errormessage", "aria-expanded", "aria-flowto", "aria-haspopup",
    "aria-hidden", "aria-invalid", "aria-keyshortcuts", "aria-label", "aria-labelledby", "aria-level", "aria-live",
    "aria-modal", "aria-multiline", "aria-multiselectable", "aria-orientation", "aria-owns", "aria-placeholder",
    "aria-posinset", "aria-pressed", "aria-readonly", "aria-relevant", "aria-required", "aria-roledescription",
    "aria-rowcount", "aria-rowindex", "aria-rowindextext", "aria-rowspan", "aria-selected", "aria-setsize",
    "aria-sort", "aria-valuemax", "aria-valuemin", "aria-valuenow", "aria-valuetext", "as", "async",
    "autocapitalize", "autocomplete", "autocorrect", "autofocus", "autoplay", "axis", "background", "bgcolor",
    "blocking", "border", "cellpadding", "cellspacing", "char", "charoff", "charset", "checked", "cite", "class",
    "classid", "clear", "code", "codebase", "codetype", "color", "cols", "colspan", "compact", "content",
    "contenteditable", "controls", "coords", "crossorigin", "data", "datetime", "declare", "decoding", "default",
    "defer", "dir", "dirname", "disabled", "download", "draggable", "enctype", "enterkeyhint", "face",
    "fetchpriority", "for", "form", "formaction", "formenctype", "formmethod", "formnovalidate", "formtarget",
    "frame", "frameborder", "headers", "height", "hidden", "high", "href", "hreflang", "hspace", "http-equiv", "id",
    "imagesizes", "imagesrcset", "inert", "inputmode", "integrity", "is", "ismap", "itemid", "itemprop", "itemref",
    "itemscope", "itemtype", "kind", "label", "lang", "language", "link", "list", "loading", "longdesc", "loop",
    "low", "marginheight", "marginwidth", "max", "maxlength", "media", "method", "min", "minlength", "multiple",
    "muted", "name", "nohref", "nomodule", "nonce", "noresize", "noshade", "novalidate", "nowrap", "object",
    "onabort", "onafterprint", "onauxclick", "onbeforeinput", "onbeforematch", "onbeforeprint", "onbeforetoggle",
    "onbeforeunload", "onblur", "oncancel", "oncanplay", "oncanplaythrough", "onchange", "onclick", "onclose",
    "oncontextlost", "oncontextmenu", "oncontextrestored", "oncopy", "oncuechange", "oncut", "ondblclick", "ondrag",
    "ondragend", "ondragenter", "ondragleave", "ondragover", "ondragstart", "ondrop", "ondurationchange",
    "onemptied", "onended", "onerror", "onfocus", "onformdata", "onhashchange", "oninput", "oninvalid", "onkeydown",
    "onkeypress", "onkeyup", "onlanguagechange", "onload", "onloadeddata", "onloadedmetadata", "onloadstart",
    "onmessage", "onmessageerror", "onmousedown", "onmouseenter", "onmouseleave", "onmousemove", "onmouseout",
    "onmouseover", "onmouseup", "onoffline", "ononline", "onpagehide", "onpagereveal", "onpageshow", "onpageswap",
    "onpaste", "onpause", "onplay", "onplaying", "onpopstate", "onprogress", "onratechange", "onrejectionhandled",
    "onreset", "onresize", "onscroll", "onscrollend", "onsecuritypolicyviolation", "onseeked", "onseeking",
    "onselect", "onslotchange", "onstalled", "onstorage", "onsubmit", "onsuspend", "ontimeupdate", "ontoggle",
    "onunhandledrejection", "onunload", "onvolumechange", "onwaiting", "onwheel", "open", "optimum", "pattern",
    "ping", "placeholder", "playsinline", "popover", "popovertarget", "popovertargetaction", "poster", "preload",
    "profile", "prompt", "readonly", "referrerpolicy", "rel", "required", "rev", "reversed", "role", "rows",
    "rowspan", "rules", "sandbox", "scheme", "scope", "scrolling", "selected", "shadowrootclonable",
    "shadowrootdelegatesfocus", "shadowrootmode", "shape", "size", "sizes", "slot", "span", "spellcheck", "src",
    "srcdoc", "srclang", "srcset", "standby", "start", "step", "style", "summary", "tabindex", "target", "text",
    "title", "translate", "type", "usemap", "valign", "value", "valuetype", "version", "vlink", "vspace", "width",
    "wrap", "xmlns",
};
static_assert(std::ranges::is_sorted(Attributs));

} // namespace NomsHTML

constexpr std::span<const std::string_view> ElementsHtml()
{
    return NomsHTML::Elements;
}

constexpr std::span<const std::string_view> AttributsHtml()
{
    return NomsHTML::Attributs;
}

// The element names, then the attribute names, separated by spaces: the word list of Scintilla's HTML colouring,
// which knows a tag or an attribute by its name in small letters.
std::string MotsClesHtml();
