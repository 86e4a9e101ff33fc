#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a test program of the windows on a virtual X display rather than off screen, so that what it checks in the
# list and in the text is what a display shows; skipped without Xvfb and xdotool.
set -euo pipefail
. "$(dirname "$0")/ecran-virtuel.sh"
"$@"
