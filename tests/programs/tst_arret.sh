#!/usr/bin/env bash
# The editor killed while two pages are modified, a named one and an untitled one: the next start offers them back,
# whole and under their names; once saved or given up, nothing is offered any more. Driven through a virtual X
# display, with the keyboard only.
set -euo pipefail
balizo=$1
command -v Xvfb >/dev/null && command -v xdotool >/dev/null || exit 77

dossier=$(mktemp -d)
# The server picks a free display and writes its number; it never resets, so that a program killed leaves it
# ready for the next.
Xvfb -displayfd 5 -screen 0 1280x900x24 -nolisten tcp -noreset 5>"$dossier/ecran" 2>/dev/null &
xvfb=$!
pid=
trap '[ -n "$pid" ] && kill -9 "$pid" 2>/dev/null; kill "$xvfb" 2>/dev/null; rm -rf "$dossier"' EXIT
export QT_QPA_PLATFORM=xcb HOME=$dossier XDG_STATE_HOME=$dossier/etat XDG_CONFIG_HOME=$dossier/config
journaux=$XDG_STATE_HOME/balizo/recuperation

# Waits up to 20 s for the command to succeed.
attend() {
    for _ in $(seq 200); do
        if eval "$1" >/dev/null 2>&1; then return 0; fi
        sleep 0.1
    done
    echo "Toujours faux après 20 s : $1" >&2
    return 1
}
nombre_de_journaux() { find "$journaux" -name '*.journal' 2>/dev/null | wc -l; }
# Each key in turn, to the window whose title matches.
touches() {
    local titre=$1
    shift
    for touche in "$@"; do
        sleep 0.3
        xdotool windowfocus --sync "$(xdotool search --name "$titre" | head -1)" key "$touche"
    done
}

attend '[ -s "$dossier/ecran" ]'
export DISPLAY=:$(cat "$dossier/ecran")
attend 'xdotool getmouselocation'
printf '<P>caf\xe9</P>\r\n' >"$dossier/page.htm"
"$balizo" "$dossier/page.htm" &
pid=$!
attend 'xdotool search --name "^Balizo$"'
touches '^Balizo$' a v a n t space alt+f n n o u v e l l e
attend '[ "$(nombre_de_journaux)" -eq 2 ]'
kill -9 "$pid"

"$balizo" &
pid=$!
attend 'xdotool search --name "R.*cup.*ration"'
touches 'R.*cup.*ration' Return
attend '! xdotool search --name "R.*cup.*ration"'
# The named page, first in the window list, saved where it belongs and in its encoding.
touches '^Balizo$' alt+t 1 alt+f e
attend 'cmp -s "$dossier/page.htm" <(printf "avant <P>caf\xe9</P>\r\n")'
attend '[ "$(nombre_de_journaux)" -eq 1 ]'
# Quitting, the untitled page given up.
touches '^Balizo$' alt+f q
attend 'xdotool search --name "^Confirmation$"'
touches '^Confirmation$' alt+n
wait "$pid" || true
pid=
[ "$(nombre_de_journaux)" -eq 0 ]

"$balizo" &
pid=$!
attend 'xdotool search --name "^Balizo$"'
sleep 2
if xdotool search --name "R.*cup.*ration" >/dev/null; then
    echo "Une page est encore offerte" >&2
    exit 1
fi
