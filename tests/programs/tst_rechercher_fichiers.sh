#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The search and the replacement across the site's files, with the keyboard, on a virtual X display: a search from
# the open page lists the occurrences of the other pages, Return on one opens its page with the occurrence selected;
# a replacement then changes the open pages in their windows, unsaved, and the others on disk, and leaves the files
# that the filter leaves out.
set -euo pipefail
balizo=$1
source "$(dirname "$0")/ecran-virtuel.sh"
site=$dossier/site
mkdir -p "$site/sous"
printf '<P>un mot</P>\n' >"$site/index.htm"
printf '<P>deux mots</P>\n' >"$site/sous/autre.htm"
printf '<p>trois mot</p>\n' >"$site/sous/trois.html"
printf 'mot\n' >"$site/notes.txt"

# Fails unless the file holds exactly the text given.
contient() {
    [ "$(cat "$1")" = "$2" ] && return 0
    echo "$1 n'est pas « $2 » :" >&2
    cat "$1" >&2
    exit 1
}

"$balizo" "$site/index.htm" &
pid=$!
fenetre '^Balizo$' >/dev/null
touches '^Balizo$' ctrl+shift+f
tape '^Rechercher dans les fichiers$' 'mot'
touches '^Rechercher dans les fichiers$' Return
# The results, by file: index.htm, sous/autre.htm, sous/trois.html; the second opens with its occurrence selected,
# which typing replaces.
attend '! xdotool search --onlyvisible --name "^Rechercher dans les fichiers$"'
touches '^Balizo$' Home Down Return
tape '^Balizo$' 'MOT'
touches '^Balizo$' ctrl+s
attend 'grep -q MOTs "$site/sous/autre.htm"'
contient "$site/sous/autre.htm" '<P>deux MOTs</P>'

touches '^Balizo$' ctrl+shift+h
tape '^Rechercher dans les fichiers$' 'terme'
touches '^Rechercher dans les fichiers$' alt+m
touches '^Remplacements prévus$' Return
touches '^Remplacer dans les fichiers$' Return
contient "$site/sous/trois.html" '<p>trois terme</p>'
contient "$site/index.htm" '<P>un mot</P>'
contient "$site/sous/autre.htm" '<P>deux MOTs</P>'
contient "$site/notes.txt" 'mot'
# The open pages were changed in their windows: saving them all writes the replacements.
touches '^Balizo$' ctrl+alt+s
attend 'grep -q terme "$site/index.htm"'
contient "$site/index.htm" '<P>un terme</P>'
contient "$site/sous/autre.htm" '<P>deux termes</P>'
touches '^Balizo$' ctrl+q
attend '! kill -0 "$pid"'
pid=
