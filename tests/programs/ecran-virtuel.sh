# SPDX-License-Identifier: GPL-3.0-or-later
# The harness of the tests that drive the editor on a virtual X display with the keyboard, sourced by them: a
# temporary home, an Xvfb server on a free display (it never resets, so that a program killed leaves it ready for
# the next), and the functions that wait for windows and type into them. Skips the test without Xvfb and xdotool.
command -v Xvfb >/dev/null && command -v xdotool >/dev/null || exit 77

dossier=$(mktemp -d)
Xvfb -displayfd 5 -screen 0 1280x900x24 -nolisten tcp -noreset 5>"$dossier/ecran" 2>/dev/null &
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
# The window whose title matches, once it is mapped: focusing one that is not yet fails (BadMatch).
fenetre() {
    attend "xdotool search --onlyvisible --name '$1'"
    xdotool search --onlyvisible --name "$1" | head -1
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

# Saves the new page as page.htm of the temporary home, with the keyboard.
enregistre_page() {
    touches '^Balizo$' ctrl+s
    touches '^Enregistrer sous' ctrl+a
    tape '^Enregistrer sous' "$dossier/page.htm"
    touches '^Enregistrer sous' Return
    attend '[ -s "$dossier/page.htm" ]'
}
# Fails unless the saved page.htm of the temporary home holds exactly the text given.
page_tapee() {
    [ "$(cat "$dossier/page.htm")" = "$1" ] && return 0
    echo "La page enregistrée n'est pas celle qui a été tapée :" >&2
    cat "$dossier/page.htm" >&2
    exit 1
}

attend '[ -s "$dossier/ecran" ]'
export DISPLAY=:$(cat "$dossier/ecran")
attend 'xdotool getmouselocation'
