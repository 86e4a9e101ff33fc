#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A page typed with the keyboard alone on a virtual X display, with the aids of writing mark-up: end tags written as
# start tags are typed, then not once the option is turned off in the menu, "</" finished, an element name and a
# character reference chosen in their lists with Return, two lines put in comments (Ctrl+D, Ctrl+/), and the caret
# taken from a start tag to its end tag (Ctrl+M); the saved bytes are exactly the page expected.
set -euo pipefail
balizo=$1
source "$(dirname "$0")/ecran-virtuel.sh"

"$balizo" &
pid=$!
touches '^Balizo$' ctrl+n
# "</h1>" is written after the caret, and End steps over it.
tape '^Balizo$' '<h1>Titre'
touches '^Balizo$' End Return
# Without the closing, "<p>" stays alone; with it again, "</" is finished with the paragraph's name.
touches '^Balizo$' alt+o b
tape '^Balizo$' '<p>Caf&eac'
touches '^Balizo$' Return
touches '^Balizo$' alt+o b
tape '^Balizo$' '</'
touches '^Balizo$' Return
# An element name from its list.
tape '^Balizo$' '<stro'
touches '^Balizo$' Return
tape '^Balizo$' '>fort'
touches '^Balizo$' End Return
tape '^Balizo$' 'note'
touches '^Balizo$' ctrl+d Return
tape '^Balizo$' 'autre'
touches '^Balizo$' ctrl+slash Return
# From inside the start tag to the end tag.
tape '^Balizo$' '<em>mot'
touches '^Balizo$' Home Right ctrl+m
tape '^Balizo$' '!'
enregistre_page
attendu='<!DOCTYPE html>
<HTML>
<HEAD>
<META HTTP-EQUIV="Content-Type" CONTENT="text/html; charset=utf-8">
<TITLE>Sans Titre</TITLE>
</HEAD>
<BODY>
<h1>Titre</h1>
<p>Caf&eacute;</p>
<strong>fort</strong>
<!-- note -->
<!-- autre -->
<em>mot!</em>
</BODY>
</HTML>'
page_tapee "$attendu"
touches '^Balizo$' ctrl+q
attend '! kill -0 "$pid"'
pid=
