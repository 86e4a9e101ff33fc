#!/usr/bin/env bash
# A whole page written and saved with the keyboard only, on a virtual X display: a new page, its title, a line
# chosen by number, formatting keys, an accented letter, then saving under a name typed in the file dialog, and
# quitting.
set -euo pipefail
balizo=$1
command -v Xvfb >/dev/null && command -v xdotool >/dev/null || exit 77

dossier=$(mktemp -d)
Xvfb -displayfd 5 -screen 0 1280x900x24 -nolisten tcp 5>"$dossier/ecran" 2>/dev/null &
xvfb=$!
pid=
trap '[ -n "$pid" ] && kill -9 "$pid" 2>/dev/null; kill "$xvfb" 2>/dev/null; rm -rf "$dossier"' EXIT
export QT_QPA_PLATFORM=xcb HOME=$dossier XDG_STATE_HOME=$dossier/etat XDG_CONFIG_HOME=$dossier/config

# Waits up to 20 s for the command to succeed.
attend() {
    for _ in $(seq 200); do
        if eval "$1" >/dev/null 2>&1; then return 0; fi
        sleep 0.1
    done
    echo "Toujours faux après 20 s : $1" >&2
    return 1
}
# The window whose title matches, once it is there.
fenetre() {
    attend "xdotool search --name '$1'"
    xdotool search --name "$1" | head -1
}
# Each key in turn, to the window whose title matches.
touches() {
    local titre=$1
    shift
    for touche in "$@"; do
        sleep 0.3
        xdotool windowfocus --sync "$(fenetre "$titre")" key "$touche"
    done
}
# The text typed into the window whose title matches.
tape() {
    sleep 0.3
    xdotool windowfocus --sync "$(fenetre "$1")" type --delay 50 "$2"
}

attend '[ -s "$dossier/ecran" ]'
export DISPLAY=:$(cat "$dossier/ecran")
attend 'xdotool getmouselocation'
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
tape '^Aller à la ligne$' '7'
touches '^Aller à la ligne$' Return
touches '^Balizo$' ctrl+b
tape '^Balizo$' 'gras'
touches '^Balizo$' End space
tape '^Balizo$' 'café'
touches '^Balizo$' shift+Return ctrl+Return
tape '^Balizo$' 'fin'
touches '^Balizo$' ctrl+s
touches '^Enregistrer sous' ctrl+a
tape '^Enregistrer sous' "$dossier/page.htm"
touches '^Enregistrer sous' Return
attend '[ -s "$dossier/page.htm" ]'
attendu='<HTML>
<HEAD>
<META HTTP-EQUIV="Content-Type" CONTENT="text/html; charset=utf-8">
<TITLE>Essai</TITLE>
</HEAD>
<BODY>
<B>gras</B> café<BR><P>fin</P>
</BODY>
</HTML>'
if [ "$(cat "$dossier/page.htm")" != "$attendu" ]; then
    echo "La page enregistrée n'est pas celle qui a été tapée :" >&2
    cat "$dossier/page.htm" >&2
    exit 1
fi
# Saved: quitting asks nothing.
touches '^Balizo$' ctrl+q
attend '! kill -0 "$pid"'
pid=
