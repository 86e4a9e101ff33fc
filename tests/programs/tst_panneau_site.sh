#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A site opened from the menu, on a virtual X display: its panel lists the folder, folders first, a name typed
# filters it, and Return opens the page chosen, which the recent files then hold.
set -euo pipefail
balizo=$1
source "$(dirname "$0")/ecran-virtuel.sh"

mkdir -p "$dossier/site/a"
echo '<p>accueil</p>' >"$dossier/site/accueil.htm"
echo '<p>index</p>' >"$dossier/site/index.htm"
"$balizo" &
pid=$!
touches '^Balizo$' alt+f s
touches '^Ouverture d.un site' ctrl+a
tape '^Ouverture d.un site' "$dossier/site"
touches '^Ouverture d.un site' Return
attend 'grep -q "^Choisi=$dossier/site" "$dossier/config/balizo/Balizo.ini"'
# Without the filter, the row after the folder would be accueil.htm.
tape '^Balizo$' 'ind'
touches '^Balizo$' Return Down Return
attend 'grep -q "^Fichier1=$dossier/site/index.htm" "$dossier/config/balizo/Balizo.ini"'
touches '^Balizo$' ctrl+q
attend '! kill -0 "$pid"'
pid=
