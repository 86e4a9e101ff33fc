# SPDX-License-Identifier: GPL-3.0-or-later
# What the tests of the editor killed with modified pages share, sourced after ecran-virtuel.sh: the journals of the
# unsaved pages, the kill, and the start that takes the pages back.
journaux=$XDG_STATE_HOME/balizo/recuperation
nombre_de_journaux() { find "$journaux" -name '*.journal' 2>/dev/null | wc -l; }
# Stops the editor as a crash would, nothing written on the way out.
arrete() {
    kill -9 "$pid"
    wait "$pid" 2>/dev/null || true
    pid=
}
# Starts the editor, takes back the pages it offers, saves the first of the window list where it belongs and waits
# until $1 journals are left.
recupere_et_enregistre() {
    "$balizo" &
    pid=$!
    attend 'xdotool search --name "R.*cup.*ration"'
    touches 'R.*cup.*ration' Return
    attend '! xdotool search --name "R.*cup.*ration"'
    touches '^Balizo$' alt+t 1 alt+f e
    attend "[ \"\$(nombre_de_journaux)\" -eq $1 ]"
}
# Quits the editor, giving up the pages left unsaved, and waits for its end.
quitte() {
    touches '^Balizo$' alt+f q
    if [ "$(nombre_de_journaux)" -gt 0 ]; then
        attend 'xdotool search --name "^Confirmation$"'
        touches '^Confirmation$' alt+n
    fi
    wait "$pid" || true
    pid=
}
