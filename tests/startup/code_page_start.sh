#!/usr/bin/env bash
# The program started as a person starts it, on a system whose code page is not 932. Its
# manifest asks for 932 and gets it (the probe, with the same manifest, prints what it got):
# the main window opens and Alt+F4 ends it with exit code 0. Without that request one box
# says why, a click on its OK button ends it with exit code 1, and the registry key was
# never made. Runs inside the test prefix and virtual display:
# code_page_start.sh Vexil32.exe code_page_probe.exe Vexil32_nocodepage.exe
set -uo pipefail
source "$(dirname "$0")/../../scripts/require-tools.sh"
require_tools xdotool wine || exit 1
program="$1" probe="$2" unasked="$3"
key='HKCU\Software\Brask\Vexil32'
failures=0
errors="$(mktemp)"
trap 'rm -f "$errors"' EXIT
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }
on() { env -u LC_ALL -u LC_CTYPE -u LC_MESSAGES LANG="$lang" "$@"; }

# program, what a person sees first, exit code after closing it
cases="$program main 0
$unasked box 1"
for lang in en_US.UTF-8 C.UTF-8; do
  page="$(on wine "$probe" 2>"$errors" | tr -d '\r')"
  [ "$page" = 932 ] || fail "LANG=$lang: the manifest gave code page '$page', not 932: $(cat "$errors")"
  while read -r exe expected code; do
    name="LANG=$lang $(basename "$exe")"
    wine reg delete "$key" /f >/dev/null 2>&1
    on wine "$exe" >/dev/null 2>&1 &
    child=$!
    window=""
    for _ in $(seq 100); do
      window="$(xdotool search --onlyvisible --name '^Vexil32$' 2>"$errors" | head -1)"
      [ -n "$window" ] && break
      sleep 0.2
    done
    if [ -z "$window" ]; then
      fail "$name: no window shown$([ -s "$errors" ] && echo ": $(cat "$errors")")"
      kill "$child" 2>/dev/null
      continue
    fi
    # The box is a narrow column of text with its one button centred at the bottom; the
    # main window is far wider.
    eval "$(xdotool getwindowgeometry --shell "$window")"
    seen=main
    [ "$WIDTH" -lt 500 ] && seen=box
    [ "$seen" = "$expected" ] || fail "$name: a ${WIDTH}x${HEIGHT} window, not the $expected"
    if [ "$seen" = box ]; then
      xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT - 21)) click 1
    else
      xdotool windowfocus --sync "$window" key alt+F4
    fi
    for _ in $(seq 100); do kill -0 "$child" 2>/dev/null || break; sleep 0.2; done
    if kill -0 "$child" 2>/dev/null; then
      fail "$name: still running after closing"
      kill "$child" 2>/dev/null
    fi
    wait "$child"
    status=$?
    [ "$status" -eq "$code" ] || fail "$name: exit code $status, not $code"
    if [ "$seen" = box ] && wine reg query "$key" >/dev/null 2>&1; then
      fail "$name: $key was made"
    fi
    echo "$name: $seen, exit $status"
  done <<<"$cases"
done
exit $((failures > 0))
