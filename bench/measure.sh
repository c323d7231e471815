#!/usr/bin/env bash
# The measurements of run.sh, inside its virtual display; prints RESULT lines.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
source "$root/scripts/wine-env.sh"
export TZ=Asia/Tokyo  # the same zone as the tests, whatever the machine's
work="$BENCH_WORK"
reps="$BENCH_REPS"
parts="${BENCH_PARTS:-contents collection quick run windows memory panes console}"  # a subset while developing
part() { [[ " $parts " == *" $1 "* ]]; }
bin="$BENCH_BUILD/bench"
win() { echo "Z:${1//\//\\}"; }

# min and median of nanosecond samples, as a RESULT line
result_of() {
  local name="$1" note="$2"
  shift 2
  printf '%s\n' "$@" | sort -n | awk -v name="$name" -v note="$note" '
    { t[NR] = $1 / 1e9 }
    END { m = (NR % 2) ? t[(NR + 1) / 2] : (t[NR / 2] + t[NR / 2 + 1]) / 2
          printf "RESULT %s %.6f %.6f %s\n", name, t[1], m, note }'
}
# Times a Linux tool over the repetitions; its exit status (cmp, diff: 1 = differ) is kept as note.
time_tool() {
  local name="$1" count="$2" status=0 start end
  shift 2
  local samples=()
  for ((i = 0; i < count; i++)); do
    start=$(date +%s%N)
    status=0
    "$@" >/dev/null 2>&1 || status=$?
    end=$(date +%s%N)
    samples+=($((end - start)))
  done
  result_of "$name" "exit=$status" "${samples[@]}"
}
warm() { find "$@" -type f -print0 | xargs -0 cat >/dev/null; }

# A failing program leaves its rows unmeasured instead of stopping the run.
wrun() { wine "$@" </dev/null || echo "FAILED: $*" >&2; }

fresh_wine_prefix "$work/prefix" >/dev/null 2>&1
# Without a window manager, Wine waits 2 s for one on every shown window's destruction;
# unmanaged windows need no manager. This is the prefix's setting, not the program's.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
wine "$bin/bench_floor.exe" >/dev/null 2>&1 || true  # the first start of a prefix is slow

# 1. Contents check: identical pair, then the same pair differing in the last byte.
part contents && warm "$work/big_a.bin" "$work/big_b.bin"
part contents && for kind in same last; do
  if [ "$kind" = last ]; then python3 "$root/bench/gen_data.py" flip "$work/big_b.bin"; fi
  "$work/readcmp" "native_contents_$kind" "$work/big_a.bin" "$work/big_b.bin" "$reps" |
    sed "s/\$/ ${BENCH_BIG_MIB}MiB/"
  time_tool "cmp_$kind" "$reps" cmp "$work/big_a.bin" "$work/big_b.bin"
  wrun "$bin/bench_floor.exe" contents "wine_contents_$kind" "$(win "$work/big_a.bin")" \
    "$(win "$work/big_b.bin")" "$reps"
  wrun "$bin/bench_engine.exe" contents "contents_$kind" "$(win "$work/big_a.bin")" \
    "$(win "$work/big_b.bin")" "$reps"
done
rm -f "$work/big_a.bin" "$work/big_b.bin"  # frees the page cache for the trees

# 2. Collection of one tree.
warm "$work/src" "$work/des"
runs=3
if part collection; then
  "$work/walk" native_walk "$work/src/top" "$reps"
  time_tool find_walk "$reps" find "$work/src/top" -printf '%s %T@\n'
  wrun "$bin/bench_floor.exe" walk wine_walk "$(win "$work/src")" top "$reps"
  wrun "$bin/bench_engine.exe" collect collect "$(win "$work/src")" top "$reps"
fi

# 2b. Runs with dates and sizes only on identical trees, against the directory searches of
# both trees; then with target-only records on and 10% of the target's files extra.
if part quick; then
  warm "$work/src" "$work/des"
  wrun "$bin/bench_floor.exe" walk2 floor_walk_both "$(win "$work/src")" "$(win "$work/des")" \
    top "$runs"
  wrun "$bin/bench_engine.exe" quickrun quick_same "$(win "$work/src")" "$(win "$work/des")" \
    top "$runs" 0
  python3 "$root/bench/gen_data.py" extra "$work/des" 10 >&2
  wrun "$bin/bench_floor.exe" walk2 floor_walk_both_extra "$(win "$work/src")" \
    "$(win "$work/des")" top "$runs"
  wrun "$bin/bench_engine.exe" quickrun quick_targetonly "$(win "$work/src")" \
    "$(win "$work/des")" top "$runs" 1
  python3 "$root/bench/gen_data.py" noextra "$work/des" 10 >&2
fi

# 3. Whole compare runs without windows: identical trees, then 10% of the files changed.
part run && for kind in same changed; do
  if [ "$kind" = changed ]; then python3 "$root/bench/gen_data.py" change "$work/des" 10 >&2; fi
  warm "$work/src" "$work/des"
  time_tool "diff_$kind" "$runs" diff -rq "$work/src/top" "$work/des/top"
  wrun "$bin/bench_floor.exe" run "floor_run_$kind" "$(win "$work/src")" "$(win "$work/des")" \
    top "$runs"
  wrun "$bin/bench_engine.exe" run "run_$kind" "$(win "$work/src")" "$(win "$work/des")" \
    top "$runs"
done

# 3b. The console program on the identical trees (its whole process, output to a file), the
# window program's run and diff -rq in the same run; then its byte list of the 1 MiB pair
# that differs everywhere, to a file, and its peak memory against an identical pair.
if part console; then
  console="$BENCH_BUILD/console/Vexil32c.exe"
  warm "$work/src" "$work/des"
  part run || time_tool diff_same "$runs" diff -rq "$work/src/top" "$work/des/top"
  part run || wrun "$bin/bench_engine.exe" run run_same "$(win "$work/src")" "$(win "$work/des")" \
    top "$runs"
  time_tool console_same "$runs" wine "$console" "$(win "$work/src/top")" "$(win "$work/des/top")"
  time_tool console_start "$reps" wine "$console" /?
  time_tool console_bytes "$reps" wine "$console" /bytes "/csv:$(win "$work/bytes.csv")" \
    "$(win "$work/dump/src/pair.bin")" "$(win "$work/dump/des/pair.bin")"
  echo "RESULT console_bytes_lines $(($(wc -l <"$work/bytes.csv") - 1)) $(($(wc -l <"$work/bytes.csv") - 1)) -"
  peak() { { /usr/bin/time -f %M wine "$console" "$@" 2>&1 >/dev/null || true; } | tail -1; }
  differ=$(peak /bytes "/csv:$(win "$work/bytes.csv")" "$(win "$work/dump/src/pair.bin")" \
    "$(win "$work/dump/des/pair.bin")")
  same=$(peak /bytes "/csv:$(win "$work/bytes.csv")" "$(win "$work/dump/src/pair.bin")" \
    "$(win "$work/dump/src/pair.bin")")
  echo "RESULT console_bytes_peak_kib $differ $same identical-pair-KiB=$same"
fi

# 4. Windows, and 5. the peak working set of a run of 200,001 records (its own process).
part windows && wrun "$bin/bench_windows.exe" windows "$(win "$work/dump")" "$(win "$work")" "$reps"
part memory && wrun "$bin/bench_windows.exe" memory "$(win "$work/many")"

# 6. The main window's panes over flat folders of 10,000 and 50,000 files.
if part panes; then
  warm "$work/flat10000" "$work/flat50000"
  for n in 10000 50000; do
    wrun "$bin/bench_panes.exe" panes "$(win "$work/flat$n")" "$(win "$work/small")" \
      "$(win "$work/small2")" "$((n / 1000))k" "${BENCH_PANE_REPS:-3}"
  done
fi
true
