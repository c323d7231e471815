#!/usr/bin/env bash
# The program started as a person starts it, on a code page other than 932: one box says
# why, a click on its OK button ends the program with exit code 1, and the registry key
# was never made. Runs inside the test prefix and virtual display: code_page_refusal.sh
# path/to/Vexil32.exe
set -uo pipefail
program="$1"
key='HKCU\Software\Brask\Vexil32'
failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }

for lang in en_US.UTF-8 C.UTF-8; do
  wine reg delete "$key" /f >/dev/null 2>&1
  env -u LC_ALL -u LC_CTYPE -u LC_MESSAGES LANG="$lang" wine "$program" >/dev/null 2>&1 &
  child=$!
  box=""
  for _ in $(seq 100); do
    box="$(xdotool search --onlyvisible --name '^Vexil32$' 2>/dev/null | head -1)"
    [ -n "$box" ] && break
    sleep 0.2
  done
  if [ -z "$box" ]; then
    fail "LANG=$lang: no box shown"
    kill "$child" 2>/dev/null
    continue
  fi
  # A main window would be far wider than the box and carry a menu; the box is a
  # column of text with its one button centred at the bottom.
  eval "$(xdotool getwindowgeometry --shell "$box")"
  [ "$WIDTH" -lt 500 ] || fail "LANG=$lang: a window ${WIDTH}x${HEIGHT} rather than the box"
  xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT - 21)) click 1
  for _ in $(seq 100); do kill -0 "$child" 2>/dev/null || break; sleep 0.2; done
  if kill -0 "$child" 2>/dev/null; then
    fail "LANG=$lang: still running after OK"
    kill "$child" 2>/dev/null
  fi
  wait "$child"
  status=$?
  [ "$status" -eq 1 ] || fail "LANG=$lang: exit code $status, not 1"
  if wine reg query "$key" >/dev/null 2>&1; then fail "LANG=$lang: $key was made"; fi
  echo "LANG=$lang: refused, exit $status"
done
exit $((failures > 0))
