#!/usr/bin/env bash
# Git keeps no file times: gives the sample pair one common time, and the target's
# newer.txt a later one, so that only the intended files differ by date.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
find "$here/src" "$here/des" -type f -exec touch -d "2024-04-01 10:00:00" {} +
touch -d "2024-05-01 12:30:00" "$here/des/newer.txt"
