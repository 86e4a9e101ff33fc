#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Quitting while HTML Tidy checks a long page (50,000 tables one inside the other) ends the editor at once, without
# waiting for the check: the editor is gone, with success, while the same check, started alone before it, still
# runs. Driven through a virtual X display, with the keyboard only.
set -euo pipefail
balizo=$1
balisage=$2
source "$(dirname "$0")/ecran-virtuel.sh"
seule=
trap '[ -n "$seule" ] && kill "$seule" 2>/dev/null; [ -n "$pid" ] && kill -9 "$pid" 2>/dev/null; kill "$xvfb" 2>/dev/null; rm -rf "$dossier"' EXIT

page=$dossier/tables.htm
{
    printf '<!DOCTYPE html>\n<html><head><title>Tables</title></head><body>\n'
    # One line a table, so that no line is long enough for the editor to offer to cut it.
    printf '<table><tr><td>\n%.0s' $(seq 50000)
    printf 'x\n'
    printf '</td></tr></table>\n%.0s' $(seq 50000)
    printf '\n</body></html>\n'
} >"$page"

"$balisage" "$page" >/dev/null &
seule=$!
"$balizo" "$page" &
pid=$!
attend 'xdotool search --name "^Balizo"'
touches '^Balizo' F7 alt+f q
wait "$pid"
pid=
if ! kill -0 "$seule" 2>/dev/null; then
    echo "L'éditeur a attendu la fin de la vérification pour s'arrêter" >&2
    exit 1
fi
