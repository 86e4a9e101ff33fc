#!/usr/bin/env bash
# Installs what the build needs, then builds everything in build/.
set -euo pipefail
racine=$(cd "$(dirname "$0")/.." && pwd)

"$racine/scripts/installer-dependances.sh"
cmake -S "$racine" -B "$racine/build" -G Ninja
cmake --build "$racine/build"
