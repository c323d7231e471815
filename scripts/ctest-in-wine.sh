#!/usr/bin/env bash
# Runs CTest in a fresh Wine prefix with one persistent wine server (inside Xvfb).
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
source "$root/scripts/wine-env.sh"
# File dates in the tests read the same on every machine.
export TZ=Asia/Tokyo
build="${VEXIL_BUILD_DIR:-$root/build}"
fresh_wine_prefix "$build/wineprefix"
cd "$build"
ctest --output-on-failure "$@"
status=$?
wineserver -k 2>/dev/null || true
exit $status
