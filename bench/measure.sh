#!/usr/bin/env bash
# The measurements of run.sh, inside its virtual display; prints RESULT lines.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
source "$root/scripts/wine-env.sh"
export TZ=Asia/Tokyo  # the same zone as the tests, whatever the machine's
work="$BENCH_WORK"
reps="$BENCH_REPS"
parts="${BENCH_PARTS:-contents collection quick run whole windows memory panes console text}"  # a subset while developing
contents_sizes="$(printf '%s\n' ${BENCH_CONTENTS_MIB:-256 $BENCH_BIG_MIB} | awk '!seen[$0]++' | xargs)"
part() { [[ " $parts " == *" $1 "* ]]; }
bin="$BENCH_BUILD/bench"
win() { echo "Z:${1//\//\\}"; }

# min and median of nanosecond samples, as a RESULT line; an empty sample (a program that
# failed) is left out, and a figure without samples is not printed.
result_of() {
  local name="$1" note="$2"
  shift 2
  printf '%s\n' "$@" | sort -n | awk -v name="$name" -v note="$note" '
    $1 != "" { t[++n] = $1 / 1e9 }
    END { if (!n) { print "FAILED: no figure for " name > "/dev/stderr"; exit }
          m = (n % 2) ? t[(n + 1) / 2] : (t[n / 2] + t[n / 2 + 1]) / 2
          printf "RESULT %s %.6f %.6f %s\n", name, t[1], m, note }'
}
# The first figure of a program's RESULT line (one repetition), in nanoseconds.
ns_of() { "$@" </dev/null 2>/dev/null | awk '/^RESULT/ { printf "%.0f\n", $3 * 1e9; exit }'; }
# One run of a Linux tool, in nanoseconds.
ns_of_tool() {
  local start end
  start=$(date +%s%N)
  "$@" >/dev/null 2>&1 || true
  end=$(date +%s%N)
  echo $((end - start))
}
# CPU of the prefix's Wine server, in clock ticks: the file calls of a Wine program are
# partly its server's work.
server_pid=""
server_ticks() {
  if [ -z "$server_pid" ]; then
    local want p
    want="$(printf 'server-%x-%x' $(stat -c '%d %i' "$WINEPREFIX"))"
    for p in $(pgrep wineserver); do
      [[ "$(readlink "/proc/$p/cwd")" == *"/$want" ]] && server_pid=$p
    done
  fi
  if [ -n "$server_pid" ]; then awk '{ print $14 + $15 }' "/proc/$server_pid/stat"; else echo 0; fi
}
# Runs a program (its output in $work/process.out); sets last_wall_ns, and last_cpu_ns: its
# own CPU time with its Wine server's.
measure_process() {
  local s0 s1 start end u s
  s0=$(server_ticks)
  start=$(date +%s%N)
  /usr/bin/time -f "%U %S" -o "$work/process.time" "$@" >"$work/process.out" 2>/dev/null \
    </dev/null || true
  end=$(date +%s%N)
  s1=$(server_ticks)
  read -r u s <"$work/process.time"
  last_wall_ns=$((end - start))
  last_cpu_ns=$(awk -v u="$u" -v s="$s" -v d=$((s1 - s0)) -v t="$(getconf CLK_TCK)" \
    'BEGIN { printf "%.0f", (u + s + d / t) * 1e9 }')
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

# 1. Contents check: pairs of each size (256 MiB and the big size), identical and then
# differing in the last byte. Each repetition runs the native floor, cmp, Wine's ReadFile
# loop and ours one after another, so that every ratio compares runs under the same load.
# A cold-cache row follows where the page cache can be dropped (root only).
cold_ok=0
if part contents && (sync && echo 3 >/proc/sys/vm/drop_caches) 2>/dev/null; then cold_ok=1; fi
part contents && ! ((cold_ok)) && echo "note: the page cache cannot be dropped here: no cold-cache row" >&2
drop_cache() { sync; echo 3 >/proc/sys/vm/drop_caches; }
part contents && for mib in $contents_sizes; do
  a="$work/c${mib}_a.bin" b="$work/c${mib}_b.bin"
  python3 "$root/bench/gen_data.py" big "$a" "$mib"
  cp "$a" "$b"
  warm "$a" "$b"
  for kind in same last; do
    if [ "$kind" = last ]; then python3 "$root/bench/gen_data.py" flip "$b"; fi
    native=() peer=() wfloor=() ours=() shown=()
    for ((i = 0; i < reps; i++)); do
      native+=("$(ns_of "$work/readcmp" x "$a" "$b" 1)")
      peer+=("$(ns_of_tool cmp "$a" "$b")")
      wfloor+=("$(ns_of wine "$bin/bench_floor.exe" contents x "$(win "$a")" "$(win "$b")" 1)")
      ours+=("$(ns_of wine "$bin/bench_engine.exe" contents x "$(win "$a")" "$(win "$b")" 1)")
      if [ "$kind" = same ]; then
        shown+=("$(ns_of wine "$bin/bench_engine.exe" contentswindow x "$(win "$a")" "$(win "$b")" 1)")
      fi
    done
    result_of "native_contents_${kind}_$mib" "${mib}MiB" "${native[@]}"
    result_of "cmp_${kind}_$mib" "${mib}MiB" "${peer[@]}"
    result_of "wine_contents_${kind}_$mib" "${mib}MiB" "${wfloor[@]}"
    result_of "contents_${kind}_$mib" "${mib}MiB" "${ours[@]}"
    if [ "$kind" = same ]; then result_of "contents_window_same_$mib" "${mib}MiB" "${shown[@]}"; fi
  done
  # Cold: the identical pair read from the disk, each program after the cache was dropped.
  if ((cold_ok)) && [ "$mib" = "${contents_sizes##* }" ]; then
    cp "$a" "$b"
    native=() peer=() ours=()
    for ((i = 0; i < ${BENCH_COLD_REPS:-3}; i++)); do
      drop_cache; native+=("$(ns_of "$work/readcmp" x "$a" "$b" 1)")
      drop_cache; peer+=("$(ns_of_tool cmp "$a" "$b")")
      drop_cache; ours+=("$(ns_of wine "$bin/bench_engine.exe" contents x "$(win "$a")" "$(win "$b")" 1)")
    done
    result_of native_contents_cold "${mib}MiB" "${native[@]}"
    result_of cmp_cold "${mib}MiB" "${peer[@]}"
    result_of contents_cold "${mib}MiB" "${ours[@]}"
  fi
  rm -f "$a" "$b" # frees the page cache for the trees
done

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

# 2c. The two folders compared whole against the same run with every item selected, in
# turns, on the identical trees: dates and sizes only, then the whole comparison.
if part whole; then
  warm "$work/src" "$work/des"
  wrun "$bin/bench_engine.exe" whole whole_quick "$(win "$work/src")" "$(win "$work/des")" \
    top "$reps" 1
  wrun "$bin/bench_engine.exe" whole whole_run "$(win "$work/src")" "$(win "$work/des")" \
    top "$runs" 0
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
# The same change again flips the bytes back: the trees are identical for what follows.
part run && python3 "$root/bench/gen_data.py" change "$work/des" 10 >&2

# 3b. The console program on the identical trees (its whole process, output to a file)
# against the window program's run, one after the other in each repetition so that both
# meet the same load; CPU seconds of each process with the Wine server's share; the
# console's steps (collection, loop, output) in one process; diff -rq in the same run. Then
# its byte list of the 1 MiB pair that differs everywhere, to a file, and its peak memory
# against an identical pair.
if part console; then
  console="$BENCH_BUILD/console/Vexil32c.exe"
  warm "$work/src" "$work/des"
  part run || time_tool diff_same "$runs" diff -rq "$work/src/top" "$work/des/top"
  figure() { awk -v n="$1" '$2 == n { printf "%.0f", $3 * 1e9 }' "$work/process.out"; }
  wall=() cpu=() window=() wcollect=() wloop=() wcpu=() steps=() scollect=() sloop=() soutput=()
  for ((i = 0; i < runs; i++)); do
    measure_process wine "$console" "$(win "$work/src/top")" "$(win "$work/des/top")"
    wall+=("$last_wall_ns") cpu+=("$last_cpu_ns")
    measure_process wine "$bin/bench_engine.exe" run x "$(win "$work/src")" "$(win "$work/des")" top 1
    window+=("$(figure x)") wcollect+=("$(figure x_collect)") wloop+=("$(figure x_loop)")
    wcpu+=("$last_cpu_ns")
    note="$(awk '$2 == "x" { print $5 }' "$work/process.out")"
    measure_process wine "$bin/bench_console.exe" console x "$(win "$work/src/top")" \
      "$(win "$work/des/top")" 1
    steps+=("$(figure x)") scollect+=("$(figure x_collect)") sloop+=("$(figure x_loop)")
    soutput+=("$(figure x_output)")
  done
  result_of console_same - "${wall[@]}"
  result_of window_run_same "$note" "${window[@]}"
  result_of window_run_same_collect - "${wcollect[@]}"
  result_of window_run_same_loop - "${wloop[@]}"
  result_of console_steps - "${steps[@]}"
  result_of console_steps_collect - "${scollect[@]}"
  result_of console_steps_loop - "${sloop[@]}"
  result_of console_steps_output - "${soutput[@]}"
  result_of console_same_cpu - "${cpu[@]}"
  result_of window_run_same_cpu - "${wcpu[@]}"
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
# 7. Text pairs: the console's unified diff against GNU diff -u on the same pair (whole
# processes, output to a file), the changed lines of each, and the text view.
if part text; then
  console="$BENCH_BUILD/console/Vexil32c.exe"
  warm "$work/text" "$work/different"
  for pair in text different; do
    time_tool "diff_u_$pair" "$reps" diff -u "$work/$pair/a.txt" "$work/$pair/b.txt"
    time_tool "console_diff_$pair" "$reps" wine "$console" /diff "$(win "$work/$pair/a.txt")" \
      "$(win "$work/$pair/b.txt")"
  done
  changed() { grep -c '^[-+]' "$1" || true; }
  wine "$console" /diff "$(win "$work/text/a.txt")" "$(win "$work/text/b.txt")" >"$work/ours.diff" || true
  diff -u "$work/text/a.txt" "$work/text/b.txt" >"$work/gnu.diff" || true
  ours=$(($(changed "$work/ours.diff") - 2)) gnu=$(($(changed "$work/gnu.diff") - 2))
  echo "RESULT text_changed_lines $ours $gnu gnu=$gnu"
  patch -s -o "$work/patched.txt" "$work/text/a.txt" "$work/ours.diff" >/dev/null 2>&1 &&
    cmp -s "$work/patched.txt" "$work/text/b.txt" && echo "RESULT text_patch_ok 1 1 -" ||
    echo "RESULT text_patch_ok 0 0 -"
  rm -f "$work/ours.diff" "$work/gnu.diff" "$work/patched.txt"
  wrun "$bin/bench_text.exe" "$(win "$work/text/a.txt")" "$(win "$work/text/b.txt")" "$reps"
fi
true
