#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Balizo, then runs every test, headless.
set -euo pipefail
racine=$(cd "$(dirname "$0")/.." && pwd)

"$racine/scripts/construire.sh"
QT_QPA_PLATFORM=offscreen ctest --test-dir "$racine/build" --output-on-failure
