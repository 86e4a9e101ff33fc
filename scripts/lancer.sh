#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Balizo, then starts it with the given files.
set -euo pipefail
racine=$(cd "$(dirname "$0")/.." && pwd)

"$racine/scripts/construire.sh"
exec "$racine/build/balizo" "$@"
