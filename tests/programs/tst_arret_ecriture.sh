#!/usr/bin/env bash
# The editor killed while the user types without ever pausing, then while a large page's journal is being written,
# at several moments of the write: the next start offers back the page as the last journal written holds it, whole,
# never a page cut short or mixed. Driven through a virtual X display, with the keyboard only.
set -euo pipefail
balizo=$1
source "$(dirname "$0")/ecran-virtuel.sh"
journaux=$XDG_STATE_HOME/balizo/recuperation
nombre_de_journaux() { find "$journaux" -name '*.journal' 2>/dev/null | wc -l; }
# Stops the editor as a crash would, nothing written on the way out.
arrete() {
    kill -9 "$pid"
    wait "$pid" 2>/dev/null || true
    pid=
}

# Starts the editor, recovers the page offered, saves it where it belongs and quits.
recupere_et_enregistre() {
    "$balizo" &
    pid=$!
    attend 'xdotool search --name "R.*cup.*ration"'
    touches 'R.*cup.*ration' Return
    attend '! xdotool search --name "R.*cup.*ration"'
    touches '^Balizo$' alt+t 1 alt+f e
    attend '[ "$(nombre_de_journaux)" -eq 0 ]'
    touches '^Balizo$' alt+f q
    wait "$pid" || true
    pid=
}

# Nine seconds of typing, a key every 150 ms (xdotool waits half the delay after a key goes down, half after it goes
# up), never two seconds without one: what was typed up to a few seconds before the kill comes back.
printf '<P>fin</P>\n' >"$dossier/page.htm"
"$balizo" "$dossier/page.htm" &
pid=$!
texte=abcdefghijklmnopqrstuvwxyzabcdefghijklmnopqrstuvwxyz01234567
xdotool windowfocus --sync "$(fenetre "^Balizo$")" type --delay 300 "$texte"
arrete
if [ "$(nombre_de_journaux)" -ne 1 ]; then
    echo "Aucune copie de secours après neuf secondes de frappe" >&2
    exit 1
fi
recupere_et_enregistre
contenu=$(cat "$dossier/page.htm")
tape_avant=${contenu%'<P>fin</P>'}
[ -n "$tape_avant" ] && [ "$tape_avant" != "$contenu" ] && [[ $texte == "$tape_avant"* ]]

# A page of 32 MB, killed as its second journal is being written, from its very start to after its end.
head -c 32M <(yes '<P>Une ligne de la page, avec des accents : été.</P>') >"$dossier/originale.htm"
for attente in 0 0.01 0.03 0.06 0.1 0.3; do
    cp "$dossier/originale.htm" "$dossier/grande.htm"
    "$balizo" "$dossier/grande.htm" &
    pid=$!
    fenetre "^Balizo$" >/dev/null
    touches '^Balizo$' a
    attend '[ "$(nombre_de_journaux)" -eq 1 ]'
    touches '^Balizo$' b
    # The write begins beside the journal.
    commencee=
    for _ in $(seq 20000); do
        if compgen -G "$journaux/*.journal.nouveau" >/dev/null; then
            commencee=1
            break
        fi
        sleep 0.001
    done
    if [ -z "$commencee" ]; then
        echo "La copie de la page modifiée n'a pas commencé" >&2
        exit 1
    fi
    sleep "$attente"
    arrete
    recupere_et_enregistre
    if ! cmp -s "$dossier/grande.htm" <(printf a; cat "$dossier/originale.htm") &&
        ! cmp -s "$dossier/grande.htm" <(printf ab; cat "$dossier/originale.htm"); then
        echo "Page récupérée abîmée, arrêtée $attente s après le début de l'écriture de sa copie" >&2
        exit 1
    fi
    # What was being written went with the program that wrote it.
    [ -z "$(find "$journaux" -name '*.nouveau')" ]
done
