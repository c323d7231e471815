#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test under Wine and Xvfb through CTest.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh"
# VEXIL_BUILD_TARGET builds one test program only (while other folders are being written).
"$root/scripts/build.sh" ${VEXIL_BUILD_TARGET:+--target "$VEXIL_BUILD_TARGET"}
# The prefix is made inside the virtual display: Wine's desktop process, started with
# the prefix, must have a display for every later window.
exec xvfb-run -a -s "-screen 0 1280x1024x24" "$root/scripts/ctest-in-wine.sh" "$@"
