#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Takes the screenshot of the software-centre entry, desktop/capture.png: the editor built in build/ (or the one
# given) opens a sample page that this script writes, alone on a virtual display of 1280x720, and ImageMagick's
# import takes the screen once the page is drawn. Run it again after a change that shows, look at the picture and
# commit it. Needs xvfb-run, xdotool and ImageMagick.
set -euo pipefail
racine=$(cd "$(dirname "$0")/.." && pwd)
balizo=$(realpath "${1:-$racine/build/balizo}")
sortie=$racine/desktop/capture.png

dossier=$(mktemp -d)
trap 'rm -rf "$dossier"' EXIT
# A page that shows the colouring of mark-up, an entity, a style and a script; the settings start empty.
cat >"$dossier/atelier.htm" <<'PAGE'
<!DOCTYPE html>
<HTML>
<HEAD>
<META HTTP-EQUIV="Content-Type" CONTENT="text/html; charset=utf-8">
<TITLE>L'atelier de reliure</TITLE>
<STYLE>
  body { font-family: serif; max-width: 40em; margin: auto; }
  h1 { color: #7a3b12; }
</STYLE>
</HEAD>
<BODY>
<H1>L'atelier de reliure</H1>
<!-- Les horaires changent en &eacute;t&eacute;. -->
<P>Ouvert du <B>mardi</B> au <B>samedi</B>, de 9&nbsp;h à 18&nbsp;h.</P>
<UL>
  <LI><A HREF="reliure.htm">Reliure à la main</A></LI>
  <LI><A HREF="restauration.htm#devis">Restauration de livres anciens</A></LI>
  <LI><A HREF="mailto:atelier@exemple.fr">Nous écrire</A></LI>
</UL>
<IMG SRC="images/presse.jpg" WIDTH="320" HEIGHT="200" ALT="La presse à percussion">
<SCRIPT>
  document.querySelector('h1').title = 'Bienvenue';
</SCRIPT>
</BODY>
</HTML>
PAGE

# On the virtual display: the editor's window, made as large as the screen, is taken once it has been drawn.
export HOME=$dossier XDG_CONFIG_HOME=$dossier/config XDG_STATE_HOME=$dossier/etat QT_QPA_PLATFORM=xcb
xvfb-run -a -s '-screen 0 1280x720x24 -nolisten tcp' bash -c '
    set -euo pipefail
    "$1" "$2" &
    balizo=$!
    trap "kill \$balizo 2>/dev/null" EXIT
    fenetre=$(xdotool search --sync --onlyvisible --name "^Balizo")
    xdotool windowmove --sync "$fenetre" 0 0 windowsize --sync "$fenetre" 1280 720
    # The page is drawn some time after the window is mapped and sized; a double click on its title bar then
    # maximises it in the frame, which hides the temporary folder that the title names.
    sleep 2
    xdotool mousemove --sync 300 62 click --repeat 2 --delay 100 1 mousemove --sync 1279 719
    sleep 1
    import -window root -strip "$3"
' capture "$balizo" "$dossier/atelier.htm" "$sortie"
echo "$sortie"
