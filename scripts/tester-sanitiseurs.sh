#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Balizo with AddressSanitizer and UndefinedBehaviorSanitizer in build-asan/, then runs every test, headless:
# the first fault they find fails its test, with the report on the test's output.
set -euo pipefail
racine=$(cd "$(dirname "$0")/.." && pwd)

"$racine/scripts/installer-dependances.sh"
cmake -S "$racine" -B "$racine/build-asan" -G Ninja -DBALIZO_SANITISEURS=ON -DBALIZO_WERROR="${BALIZO_WERROR:-OFF}"
cmake --build "$racine/build-asan"
QT_QPA_PLATFORM=offscreen ctest --test-dir "$racine/build-asan" --output-on-failure
