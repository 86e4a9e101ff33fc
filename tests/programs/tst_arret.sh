#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The editor killed while two pages are modified, a named one as the user types without ever pausing, and an untitled
# one: the next start offers them back, whole and under their names; once saved or given up, nothing is offered any
# more. Driven through a virtual X display, with the keyboard only.
set -euo pipefail
balizo=$1
source "$(dirname "$0")/ecran-virtuel.sh"
source "$(dirname "$0")/recuperation.sh"

printf '<P>caf\xe9</P>\r\n' >"$dossier/page.htm"
"$balizo" "$dossier/page.htm" &
pid=$!
# Nine seconds of typing, a key every 150 ms (xdotool waits half the delay after a key goes down, half after it goes
# up), never two seconds without one: the page has its journal all the same.
texte=abcdefghijklmnopqrstuvwxyzabcdefghijklmnopqrstuvwxyz01234567
xdotool windowfocus --sync "$(fenetre "^Balizo$")" type --delay 300 "$texte"
if [ "$(nombre_de_journaux)" -ne 1 ]; then
    echo "Aucune copie de secours après neuf secondes de frappe" >&2
    exit 1
fi
touches '^Balizo$' alt+f n n o u v e l l e
attend '[ "$(nombre_de_journaux)" -eq 2 ]'
arrete

# The named page, first in the window list, saved in its encoding; the untitled one given up.
recupere_et_enregistre 1
attend 'cmp -s "$dossier/page.htm" <(printf "%s<P>caf\xe9</P>\r\n" "$texte")'
quitte
[ "$(nombre_de_journaux)" -eq 0 ]

"$balizo" &
pid=$!
attend 'xdotool search --name "^Balizo$"'
sleep 2
if xdotool search --name "R.*cup.*ration" >/dev/null; then
    echo "Une page est encore offerte" >&2
    exit 1
fi
