#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what the build needs, then builds everything in build/.
set -euo pipefail
racine=$(cd "$(dirname "$0")/.." && pwd)

"$racine/scripts/installer-dependances.sh"
# BALIZO_WERROR=ON (as the continuous integration sets it) makes every compiler warning an error.
cmake -S "$racine" -B "$racine/build" -G Ninja -DBALIZO_WERROR="${BALIZO_WERROR:-OFF}"
cmake --build "$racine/build"
