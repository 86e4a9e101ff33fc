#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A whole page written and saved with the keyboard only, on a virtual X display: a new page, its title, a line
# chosen by number, formatting keys, an accented letter, then saving under a name typed in the file dialog, and
# quitting.
set -euo pipefail
balizo=$1
source "$(dirname "$0")/ecran-virtuel.sh"

"$balizo" &
pid=$!
touches '^Balizo$' ctrl+n
# The title, through the menus.
touches '^Balizo$' alt+i t
tape '^Insertion d.un titre' 'Essai'
touches '^Insertion d.un titre' Return
# The empty line of the body, by its number.
touches '^Balizo$' ctrl+g
touches '^Aller à la ligne$' ctrl+a
tape '^Aller à la ligne$' '8'
touches '^Aller à la ligne$' Return
touches '^Balizo$' ctrl+b
tape '^Balizo$' 'gras'
touches '^Balizo$' End space
tape '^Balizo$' 'café'
touches '^Balizo$' shift+Return ctrl+Return
tape '^Balizo$' 'fin'
enregistre_page
attendu='<!DOCTYPE html>
<HTML>
<HEAD>
<META HTTP-EQUIV="Content-Type" CONTENT="text/html; charset=utf-8">
<TITLE>Essai</TITLE>
</HEAD>
<BODY>
<B>gras</B> café<BR><P>fin</P>
</BODY>
</HTML>'
page_tapee "$attendu"
# Saved: quitting asks nothing.
touches '^Balizo$' ctrl+q
attend '! kill -0 "$pid"'
pid=
