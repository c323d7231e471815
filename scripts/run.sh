#!/usr/bin/env bash
# Installs what is missing, builds, and starts Vexil32 under Wine in the sample folders.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh"
"$root/scripts/build.sh" --target Vexil32
source "$root/scripts/wine-env.sh"
export WINEPREFIX="${WINEPREFIX:-$HOME/.wine-vexil32}"
[ -d "$WINEPREFIX" ] || { wineboot -i >/dev/null 2>&1 || true; wineserver -w; }
"$root/samples/set-dates.sh"
cd "$root/samples"
exe="${VEXIL_BUILD_DIR:-$root/build}/mainwindow/Vexil32.exe"
if [ -n "${DISPLAY:-}" ]; then
  exec wine "$exe"
else
  echo "No display: starting under Xvfb (screen :99 is not shown; set DISPLAY to see it)."
  exec xvfb-run -a -s "-screen 0 1280x1024x24" wine "$exe"
fi
