#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The live preview on a virtual X display, read from the screen's pixels: an image beside the page shows; a body
# background typed into the page shows in the dock, and again when the text changes; the page's image on a local
# web server, started here, is never asked for while the network is not allowed.
set -euo pipefail
balizo=$1
command -v python3 >/dev/null && command -v import >/dev/null && command -v convert >/dev/null || exit 77
source "$(dirname "$0")/ecran-virtuel.sh"
serveur=
trap '[ -n "$pid" ] && kill -9 "$pid" 2>/dev/null; [ -n "$serveur" ] && kill "$serveur" 2>/dev/null
      kill "$xvfb" 2>/dev/null; rm -rf "$dossier"' EXIT
# A machine without a graphics card; as root, the editor itself runs the engine without its sandbox.
export QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu

mkdir "$dossier/serveur"
convert -size 20x20 xc:'#101010' "$dossier/serveur/x.png"
python3 -u -m http.server 0 --bind 127.0.0.1 --directory "$dossier/serveur" >"$dossier/serveur.log" 2>&1 &
serveur=$!
attend 'grep -q " port " "$dossier/serveur.log"'
port=$(sed -n 's/.* port \([0-9]*\) .*/\1/p' "$dossier/serveur.log" | head -1)

convert -size 80x80 xc:'#00c853' "$dossier/vert.png"
cat >"$dossier/page.htm" <<FIN
<!DOCTYPE html>
<html><head><title>Aperçu</title></head>
<body>
<p><img src="vert.png" alt=""> <img src="http://127.0.0.1:$port/x.png" alt=""></p>
</body></html>
FIN

# How many pixels of the screen have this colour, give or take the rounding of the engine's colour management.
pixels() {
    import -window root "$dossier/ecran.png"
    convert "$dossier/ecran.png" -fuzz 2% -fill black +opaque "$1" -fill white -opaque "$1" -format '%[fx:int(mean*w*h)]' info:
}
# Waits up to a minute (a screenshot takes its time) until the colour covers at least that many pixels; prints how
# long after the last key the screenshot that first showed it was taken.
montre() {
    local depuis prise limite=$((SECONDS + 60))
    depuis=$(date +%s%N)
    while prise=$(date +%s%N); [ "$(pixels "$1")" -lt "$2" ]; do
        if [ $SECONDS -ge $limite ]; then
            echo "$1 n'est pas à l'écran après une minute" >&2
            exit 1
        fi
        sleep 0.2
    done
    echo "$1 à l'écran au plus $(( (prise - depuis) / 1000000 )) ms après la dernière touche"
}

"$balizo" "$dossier/page.htm" &
pid=$!
touches '^Balizo' F6
montre '#00c853' 6400
# The end tag is written as the start tag is typed.
touches '^Balizo' ctrl+End
tape '^Balizo' '<style>body{background:#c81e64}'
montre '#c81e64' 40000
touches '^Balizo' End
tape '^Balizo' '<style>body{background:#1e64c8}'
montre '#1e64c8' 40000
[ "$(pixels '#c81e64')" -lt 100 ]
if grep -q 'x\.png' "$dossier/serveur.log"; then
    echo "L'aperçu a demandé l'image du réseau :" >&2
    cat "$dossier/serveur.log" >&2
    exit 1
fi
