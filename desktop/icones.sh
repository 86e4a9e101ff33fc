#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders the icon's PNG sizes from icones/balizo.svg into icones/NxN/balizo.png, with rsvg-convert (Debian package
# librsvg2-bin). Run it again after editing the drawing, and commit the PNG files with it.
set -euo pipefail
dossier=$(cd "$(dirname "$0")" && pwd)/icones

for taille in 16 22 24 32 48 64 128 256; do
    mkdir -p "$dossier/${taille}x$taille"
    rsvg-convert --width="$taille" --height="$taille" --format=png \
        --output="$dossier/${taille}x$taille/balizo.png" "$dossier/balizo.svg"
done
