#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages that Balizo needs to build, run and test; does nothing when they are all there.
set -euo pipefail

paquets=(
    g++ cmake ninja-build pkg-config libicu-dev libpcre2-dev
    qt6-base-dev qt6-qpa-plugins libqscintilla2-qt6-dev qt6-translations-l10n
    qt6-webengine-dev libqt6webenginecore6-bin
    qt6-image-formats-plugins libqt6svg6
    libtidy-dev libhunspell-dev hunspell-fr
    fonts-dejavu-core libbenchmark-dev
    xvfb xauth xdotool
    desktop-file-utils appstream dpkg-dev man-db lintian imagemagick
)

manquants=()
for paquet in "${paquets[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$paquet" 2>/dev/null | grep -q 'install ok installed'; then
        manquants+=("$paquet")
    fi
done
[ ${#manquants[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo=sudo
$sudo apt-get update
$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y "${manquants[@]}"
