#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# What "cmake --install" puts in a fresh prefix, and the Debian package that cpack builds: the programs and their
# data, the launcher, the software-centre entry and its screenshot, the icon in every size and the manual pages, each
# valid for the desktop's own tools and naming the others as they are installed; the programs run from there without
# a display. The package holds its copyright file and changelog, and lintian finds no error and no warning in it.
# Skipped when one of those tools is missing.
set -euo pipefail
construction=$1
source=$2
for outil in desktop-file-validate appstreamcli cpack dpkg-deb dpkg-shlibdeps man lintian readelf; do
    command -v "$outil" >/dev/null || exit 77
done

dossier=$(mktemp -d)
trap 'rm -rf "$dossier"' EXIT
racine=$dossier/usr
echecs=0
echec() {
    echo "ÉCHEC : $*" >&2
    echecs=$((echecs + 1))
}
present() {
    [ -f "$racine/$1" ] || echec "$1 n'est pas installé"
}
# The width and height that a PNG file's header gives, as WxH.
taille_png() {
    local o
    read -r -a o < <(od -An -tu1 -j16 -N8 "$1")
    echo "$(((o[0] << 24) | (o[1] << 16) | (o[2] << 8) | o[3]))x$(((o[4] << 24) | (o[5] << 16) | (o[6] << 8) | o[7]))"
}

cmake --install "$construction" --prefix "$racine" >/dev/null

# The package's version is the project's: every text that names a version must name this one.
cpack --config "$construction/CPackConfig.cmake" -G DEB -B "$dossier/paquet" >/dev/null
paquet=$(find "$dossier/paquet" -maxdepth 1 -name '*.deb')
if [ -z "$paquet" ]; then
    echo "ÉCHEC : cpack -G DEB n'a produit aucun paquet" >&2
    exit 1
fi
contenu=$(dpkg-deb -c "$paquet")
for fichier in ./usr/bin/balizo ./usr/bin/balizo-outils ./usr/share/applications/balizo.desktop \
    ./usr/share/doc/balizo/copyright ./usr/share/doc/balizo/changelog.gz; do
    grep -q " $fichier\$" <<<"$contenu" || echec "le paquet ne contient pas $fichier"
done
# Every informational note is shown; a warning or an error fails.
lintian --fail-on error,warning --display-info "$paquet" >&2 || echec "lintian trouve des erreurs ou des avertissements"
dependances=$(dpkg-deb -f "$paquet" Depends)
for bibliotheque in libqscintilla2 libtidy libhunspell; do
    grep -q "$bibliotheque" <<<"$dependances" || echec "le paquet ne dépend pas de $bibliotheque : $dependances"
done
grep -q hunspell-fr <<<"$(dpkg-deb -f "$paquet" Recommends)" || echec "le paquet ne recommande pas hunspell-fr"
version=$(dpkg-deb -f "$paquet" Version)
journal=$(zcat "$racine/share/doc/balizo/changelog.gz" | head -1) || true
[[ $journal == "balizo ($version) "* ]] || echec "le changelog commence par « $journal », pas par la version $version"

for programme in balizo balizo-outils; do
    [ -x "$racine/bin/$programme" ] || echec "bin/$programme n'est pas un programme installé"
done
# Debian's hardening: relocations read-only and bound at start, a position-independent program, the stack protector
# and the checked copies of the C library's functions.
for programme in balizo balizo-outils; do
    elf=$(readelf -lWd --dyn-syms "$racine/bin/$programme")
    for marque in GNU_RELRO BIND_NOW 'Flags:.* PIE' __stack_chk_fail '__[a-z]*_chk@'; do
        grep -q -- "$marque" <<<"$elf" || echec "bin/$programme n'est pas durci : « $marque » manque"
    done
done
diff -r "$source/data" "$racine/share/balizo" >&2 || echec "share/balizo n'est pas une copie de data/"

bureau=share/applications/balizo.desktop
present "$bureau"
messages=$(desktop-file-validate "$racine/$bureau" 2>&1) || echec "desktop-file-validate refuse $bureau"
[ -z "$messages" ] || echec "desktop-file-validate : $messages"
# The launcher starts an installed program, under an icon that is installed.
commande=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$racine/$bureau")
[ -x "$racine/bin/$commande" ] || echec "Exec=$commande : aucun programme installé de ce nom"
icone=$(sed -n 's/^Icon=//p' "$racine/$bureau")
[ "$icone" = balizo ] || echec "Icon=$icone : l'icône installée s'appelle balizo"

metainfos=("$racine"/share/metainfo/*.metainfo.xml)
if [ ${#metainfos[@]} -ne 1 ] || [ ! -f "${metainfos[0]}" ]; then
    echec "share/metainfo doit contenir un seul fichier .metainfo.xml"
else
    metainfo=${metainfos[0]}
    appstreamcli validate --no-net "$metainfo" >&2 || echec "appstreamcli refuse $metainfo"
    identifiant=$(sed -n 's:.*<id>\(.*\)</id>.*:\1:p' "$metainfo")
    [ "$(basename "$metainfo")" = "$identifiant.metainfo.xml" ] ||
        echec "$(basename "$metainfo") ne porte pas le nom de son composant, $identifiant"
    grep -q '<launchable type="desktop-id">balizo.desktop</launchable>' "$metainfo" ||
        echec "la fiche AppStream ne désigne pas le lanceur installé, balizo.desktop"
    # The screenshot published at the entry's address is the one in desktop/, of the size that the entry gives.
    image=$(grep -o '<image type="source" width="[0-9]*" height="[0-9]*">[^<]*' "$metainfo" || true)
    capture=$source/desktop/${image##*/}
    if [ -z "$image" ] || [ ! -f "$capture" ]; then
        echec "la capture d'écran de la fiche AppStream, « ${image##*>} », n'est pas dans desktop/"
    else
        taille=$(sed 's/.*width="\([0-9]*\)" height="\([0-9]*\)".*/\1x\2/' <<<"$image")
        [ "$(taille_png "$capture")" = "$taille" ] || echec "$capture mesure $(taille_png "$capture"), non $taille"
    fi
    derniere=$(sed -n 's:.*<release version="\([^"]*\)".*:\1:p' "$metainfo" | head -1)
    [ "$derniere" = "$version" ] ||
        echec "la dernière version de la fiche AppStream, ${derniere:-aucune}, n'est pas celle du paquet, $version"
fi

present share/icons/hicolor/scalable/apps/balizo.svg
for taille in 16 22 24 32 48 64 128 256; do
    png=share/icons/hicolor/${taille}x$taille/apps/balizo.png
    present "$png"
    [ ! -f "$racine/$png" ] || [ "$(taille_png "$racine/$png")" = "${taille}x$taille" ] ||
        echec "$png mesure $(taille_png "$racine/$png")"
done

for page in man/man1/balizo.1.gz man/man1/balizo-outils.1.gz man/fr/man1/balizo.1.gz \
    man/fr/man1/balizo-outils.1.gz; do
    present "share/$page"
    [ -f "$racine/share/$page" ] || continue
    # man's system-call filter is left out: some containers refuse it, and the page is ours.
    avertissements=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MAN_DISABLE_SECCOMP=1 man --warnings -l "$racine/share/$page" \
        2>&1 >/dev/null)
    [ -z "$avertissements" ] || echec "man share/$page : $avertissements"
    zcat "$racine/share/$page" | grep -q "^\.TH .*\"Balizo $version\"" || echec "share/$page ne dit pas Balizo $version"
done

# The installed tool finds its accent table at ../share/balizo from its own folder.
accent=$(printf 'caf\xc3\xa9\n' | "$racine/bin/balizo-outils" corriger-accents) || true
[ "$accent" = "caf&eacute;" ] || echec "balizo-outils corriger-accents installé donne « $accent »"

# The options that print a text and exit need no display: none is given.
cd "$dossier"
sansEcran=(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM= HOME="$dossier" XDG_CONFIG_HOME="$dossier/config"
    XDG_STATE_HOME="$dossier/etat" timeout 30)
if aide=$("${sansEcran[@]}" "$racine/bin/balizo" --help); then
    [[ $aide == Usage* ]] || echec "balizo --help n'affiche pas l'usage : $aide"
else
    echec "balizo --help sort en échec : $aide"
fi
sortie=$("${sansEcran[@]}" "$racine/bin/balizo" --version) || true
[ "$sortie" = "balizo $version" ] || echec "balizo --version affiche « $sortie », et non « balizo $version »"
sortie=$("$racine/bin/balizo-outils" --version) || true
[ "$sortie" = "balizo-outils $version" ] ||
    echec "balizo-outils --version affiche « $sortie », et non « balizo-outils $version »"

[ "$echecs" -eq 0 ]
