#!/usr/bin/env bash
# The editor killed while two pages are modified, a named one and an untitled one: the next start offers them back,
# whole and under their names; once saved or given up, nothing is offered any more. Driven through a virtual X
# display, with the keyboard only.
set -euo pipefail
balizo=$1
source "$(dirname "$0")/ecran-virtuel.sh"
journaux=$XDG_STATE_HOME/balizo/recuperation
nombre_de_journaux() { find "$journaux" -name '*.journal' 2>/dev/null | wc -l; }

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
