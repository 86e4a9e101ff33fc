#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# One editor per user and display, on a virtual X display: a second start with two pages named from its own folder
# hands them to the first and ends, the first then holding three pages; a socket left by a killed editor keeps no
# later one from starting and taking the pages of the next start. Without a display, a French message and status 2.
set -euo pipefail
balizo=$1
source "$(dirname "$0")/ecran-virtuel.sh"
export XDG_RUNTIME_DIR=$dossier/execution
mkdir -m 700 "$XDG_RUNTIME_DIR"
for page in a b c d; do printf '<P>%s</P>\n' "$page" >"$dossier/$page.htm"; done

statut=0
message=$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM= "$balizo" "$dossier/a.htm" 2>&1) || statut=$?
[ "$statut" -eq 2 ] && [[ $message == "balizo : aucun affichage disponible"* ]] ||
    { echo "Sans affichage : code $statut, « $message »" >&2 && exit 1; }

# Fails unless the desktop that the running editor saves lists these pages of the temporary home, in this order.
pages() {
    rm -f "$dossier/pages.dsk"
    touches '^Balizo$' alt+t e
    touches '^Enregistrer sous' ctrl+a
    tape '^Enregistrer sous' "$dossier/pages.dsk"
    touches '^Enregistrer sous' Return
    attend '[ -s "$dossier/pages.dsk" ]'
    [ "$(cat "$dossier/pages.dsk")" = "$(printf "$dossier/%s.htm\n" "$@")" ] ||
        { echo "Les pages ouvertes ne sont pas $* :" >&2 && cat "$dossier/pages.dsk" >&2 && exit 1; }
}

cd /
"$balizo" "$dossier/a.htm" &
pid=$!
fenetre '^Balizo$' >/dev/null
cd "$dossier"
debut=$(date +%s%N)
timeout 30 "$balizo" b.htm c.htm
echo "Le second démarrage a rendu la main en $((($(date +%s%N) - debut) / 1000000)) ms"
pages a b c

kill -9 "$pid"
wait "$pid" 2>/dev/null || true
attend '! xdotool search --onlyvisible --name "^Balizo$"'
"$balizo" d.htm &
pid=$!
fenetre '^Balizo$' >/dev/null
timeout 30 "$balizo" a.htm
pages d a
