#!/usr/bin/env bash
# Runs every benchmark once and prints the table: bash bench/run.sh
# Builds with VEXIL_BENCH=ON into build-bench/, generates the data in a temporary folder
# (removed afterwards) and measures inside one virtual display with one Wine server.
# Smaller runs while developing: BENCH_BIG_MIB (the large contents pair; BENCH_CONTENTS_MIB
# lists every size, "256 1024" by default), BENCH_TOPS (folders of 100 x 100 files),
# BENCH_REPS, BENCH_PARTS (any of: contents collection quick whole run windows memory panes
# console text), BENCH_TEXT_LINES (lines of the text pair, 1,000,000), BENCH_PANE_REPS
# (repetitions of the pane figures, 3: a fill of 50,000 files takes seconds).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh"
source "$root/scripts/require-tools.sh"
require_tools python3 g++ cmp diff patch xvfb-run wine wineserver /usr/bin/time pgrep
VEXIL_BENCH=ON VEXIL_BUILD_DIR="$root/build-bench" "$root/scripts/build.sh" \
  --target bench_floor bench_engine bench_windows bench_panes bench_console bench_text Vexil32c

work="$(mktemp -d /tmp/vexil-bench.XXXXXX)"
cleanup() {
  if [ -d "$work/prefix" ]; then WINEPREFIX="$work/prefix" wineserver -k 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

g++ -O2 -Wall -Wextra -o "$work/readcmp" "$root/bench/native/readcmp.cpp"
g++ -O2 -Wall -Wextra -o "$work/walk" "$root/bench/native/walk.cpp"

# The 1 GiB pair needs 2 GiB (one pair at a time), the trees about 1.3 GiB, the prefix 0.7 GiB.
big_mib="${BENCH_BIG_MIB:-1024}"
free_kib="$(df -Pk "$work" | awk 'NR==2 {print $4}')"
if [ -z "${BENCH_BIG_MIB:-}" ] && [ "$free_kib" -lt $((6 * 1024 * 1024)) ]; then
  big_mib=512
  echo "note: less than 6 GiB free; the contents pair is scaled down to 512 MiB"
fi
export BENCH_BIG_MIB="$big_mib" BENCH_TOPS="${BENCH_TOPS:-10}" BENCH_REPS="${BENCH_REPS:-5}"
export BENCH_BUILD="$root/build-bench" BENCH_WORK="$work"

echo "generating data in $work"
python3 "$root/bench/gen_data.py" tree "$work/src" "$BENCH_TOPS" 100 100
cp -a "$work/src" "$work/des"
mkdir -p "$work/dump"
python3 "$root/bench/gen_data.py" dumppair "$work/dump" $((1024 * 1024))
# Flat folders for the panes.
if [[ " ${BENCH_PARTS:-panes} " == *" panes "* ]]; then
  for n in 10000 50000; do python3 "$root/bench/gen_data.py" flat "$work/flat$n" "$n"; done
  for small in small small2; do python3 "$root/bench/gen_data.py" flat "$work/$small" 10; done
fi
# Text pairs: scattered edits in a long file, and two files with no line in common.
if [[ " ${BENCH_PARTS:-text} " == *" text "* ]]; then
  python3 "$root/bench/gen_data.py" textpair "$work/text" "${BENCH_TEXT_LINES:-1000000}" 1000
  python3 "$root/bench/gen_data.py" differentpair "$work/different" 200000
fi
# Two views of the source tree in one folder give more records than the list holds.
mkdir -p "$work/many"
ln -s "$work/src/top" "$work/many/one"
ln -s "$work/src/top" "$work/many/two"

xvfb-run -a -s "-screen 0 1280x1024x24" bash "$root/bench/measure.sh" | tee "$work/results.txt"
echo
python3 "$root/bench/table.py" "$work/results.txt"
