#!/usr/bin/env bash
# Installs what is missing, builds, and starts Vexil32 under Wine. On the first start in
# a prefix the panes open on the sample pair: samples/src above, samples/des below.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh"
"$root/scripts/build.sh" --target Vexil32
source "$root/scripts/wine-env.sh"
export WINEPREFIX="${WINEPREFIX:-$HOME/.wine-vexil32}"
[ -d "$WINEPREFIX" ] || { wineboot -i >/dev/null 2>&1 || true; wineserver -w; }
"$root/samples/set-dates.sh"
# The program keeps its folders in the registry; without a key yet (a first start) it
# would show its current folder. Seed the two folder values it reads at start.
key='HKCU\Software\Brask\Vexil32'
if ! wine reg query "$key" >/dev/null 2>&1; then
  for side in Src:src Des:des; do
    wine reg add "$key\\Main" /v "${side%%:*}Directory" /t REG_SZ \
      /d "$(winepath -w "$root/samples/${side#*:}")" /f >/dev/null 2>&1
  done
fi
cd "$root/samples"
exe="${VEXIL_BUILD_DIR:-$root/build}/mainwindow/Vexil32.exe"
if [ -n "${DISPLAY:-}" ]; then
  exec wine "$exe"
else
  echo "No display: starting under Xvfb (screen :99 is not shown; set DISPLAY to see it)."
  exec xvfb-run -a -s "-screen 0 1280x1024x24" wine "$exe"
fi
