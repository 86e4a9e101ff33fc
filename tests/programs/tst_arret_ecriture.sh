#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The editor killed while a large page's journal is being written, at several moments of the write: the next start
# offers back the page as the last journal written holds it, whole, never a page cut short or mixed. Driven through a
# virtual X display, with the keyboard only.
set -euo pipefail
balizo=$1
source "$(dirname "$0")/ecran-virtuel.sh"
source "$(dirname "$0")/recuperation.sh"

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
    recupere_et_enregistre 0
    quitte
    if ! cmp -s "$dossier/grande.htm" <(printf a; cat "$dossier/originale.htm") &&
        ! cmp -s "$dossier/grande.htm" <(printf ab; cat "$dossier/originale.htm"); then
        echo "Page récupérée abîmée, arrêtée $attente s après le début de l'écriture de sa copie" >&2
        exit 1
    fi
    # What was being written went with the program that wrote it.
    [ -z "$(find "$journaux" -name '*.nouveau')" ]
done
