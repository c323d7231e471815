#!/usr/bin/env bash
# Installs what building and running Vexil32 under Wine needs on Debian, when missing.
set -euo pipefail
# Every outside program a test, script or benchmark calls comes from one of these:
# xdotool (the start test's clicks and keys), imagemagick (import, compare), libcap2-bin
# (capsh), patch and diffutils (diff round trips and peers), python3 and g++ (the benchmarks'
# data and native floors), xclip (reading the clipboard from X), x11-utils (xwininfo), time
# and procps (the benchmarks' CPU and memory figures: /usr/bin/time, pgrep).
packages=(g++-mingw-w64-x86-64-posix wine wine64 fonts-wine xvfb xauth fonts-ipafont-gothic locales cmake
          make googletest imagemagick libcap2-bin x11-utils xdotool xclip patch diffutils python3 g++ time procps)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""; [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
# Wine answers in code page 932 only when the Japanese locale exists; the English one
# lets a test start the program with another code page (1252).
for locale in ja_JP en_US; do
  if ! locale -a 2>/dev/null | grep -qi "^$locale.utf8$"; then
    sudo=""; [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo sed -i "s/^# *$locale.UTF-8 UTF-8/$locale.UTF-8 UTF-8/" /etc/locale.gen
    grep -q "^$locale.UTF-8 UTF-8" /etc/locale.gen || echo "$locale.UTF-8 UTF-8" | $sudo tee -a /etc/locale.gen >/dev/null
    $sudo locale-gen >/dev/null
  fi
done
