#!/usr/bin/env bash
# Git keeps no file times: gives the sample pair one common time and the target's
# dated files their own, so that each date verdict shows once: newer.txt newer,
# older.txt older, two-seconds.txt two seconds later (one step of the packed time).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
find "$here/src" "$here/des" -type f -exec touch -d "2024-04-01 10:00:00" {} +
touch -d "2024-05-01 12:30:00" "$here/des/newer.txt"
touch -d "2024-03-01 09:00:00" "$here/des/older.txt"
touch -d "2024-04-01 10:00:02" "$here/des/two-seconds.txt"
