#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test under Wine and Xvfb through CTest.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh"
source "$root/scripts/require-tools.sh"
# The build with its Wine prefix takes about 0.8 GiB; the tests' files go into the prefix.
require_free_space "${VEXIL_BUILD_DIR:-$root/build}" 2048
# VEXIL_BUILD_TARGET builds one test program only (while other folders are being written).
"$root/scripts/build.sh" ${VEXIL_BUILD_TARGET:+--target "$VEXIL_BUILD_TARGET"}
# The prefix is made inside the virtual display: Wine's desktop process, started with
# the prefix, must have a display for every later window.
exec xvfb-run -a -s "-screen 0 1280x1024x24" "$root/scripts/ctest-in-wine.sh" "$@"
