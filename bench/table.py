#!/usr/bin/env python3
"""Turns the RESULT lines of one bench run into the table of operations and targets.

Ratio targets compare minimums measured in the same run (the median ratio follows in
parentheses); absolute targets are judged on the median."""
import sys

results = {}
for line in open(sys.argv[1], encoding="utf-8", errors="replace"):
    parts = line.split()
    if len(parts) >= 4 and parts[0] == "RESULT":
        results[parts[1]] = (float(parts[2]), float(parts[3]), " ".join(parts[4:]))


def fmt(name, unit="s"):
    if name not in results:
        return "n/a"
    low, med, _ = results[name]
    if unit == "MB":
        return "%.1f MB" % low
    return "%.3f / %.3f" % (low, med)


def ratio(a, b):
    if a not in results or b not in results or results[b][0] <= 0 or results[b][1] <= 0:
        return None
    return results[a][0] / results[b][0], results[a][1] / results[b][1]


rows = []


def number(value):
    return ("%.2f" % value).rstrip("0").rstrip(".")


def relative(label, ours, floor, peer, limit, peer_limit=None, peer_note=""):
    """A ratio to a floor, within limit; with peer_limit, also at most that ratio to the peer."""
    r = ratio(ours, floor)
    rp = ratio(ours, peer)
    ratio_text = "n/a" if r is None else "%.2fx floor (%.2fx)" % r
    if rp is not None:
        ratio_text += "; %.2fx %s (%.2fx)" % (rp[0], peer_note or "peer", rp[1])
    if limit is None:
        rows.append((label, fmt(ours), fmt(floor), fmt(peer), ratio_text, "-", "-"))
        return
    target = "<= %sx floor" % number(limit)
    if peer_limit is not None:
        target += ", <= %sx %s" % (number(peer_limit), peer_note or "peer")
    if r is None:
        verdict = "not measured"
    else:
        ok = r[0] <= limit and (peer_limit is None or (rp is not None and rp[0] <= peer_limit))
        verdict = "yes" if ok else "NO"
    rows.append((label, fmt(ours), fmt(floor), fmt(peer), ratio_text, target, verdict))


def absolute(label, ours, limit):
    if ours not in results:
        rows.append((label, "n/a", "-", "-", "-", "-" if limit is None else "< %.2f s" % limit,
                     "not measured"))
        return
    med = results[ours][1]
    if limit is None:
        rows.append((label, fmt(ours), "-", "-", "-", "-", "-"))
        return
    rows.append((label, fmt(ours), "-", "-", "-", "< %.2f s" % limit, "yes" if med < limit else "NO"))


def memory(label, name, limit_mb):
    if name not in results:
        rows.append((label, "n/a", "-", "-", "-", "< %d MB" % limit_mb, "not measured"))
        return
    mb = results[name][0]
    rows.append((label, "%.1f MB" % mb, "-", "-", "-", "< %d MB" % limit_mb,
                 "yes" if mb < limit_mb else "NO"))


sizes = sorted(int(name.rsplit("_", 1)[1]) for name in results
               if name.startswith("native_contents_same_"))
for mib in sizes:
    relative("contents check, identical %d MiB pair" % mib, "contents_same_%d" % mib,
             "native_contents_same_%d" % mib, "cmp_same_%d" % mib, 1.1, 0.8, "cmp")
    relative("contents check, %d MiB, last byte differs" % mib, "contents_last_%d" % mib,
             "native_contents_last_%d" % mib, "cmp_last_%d" % mib, 1.1, 0.8, "cmp")
    relative("  (info) Wine ReadFile loop, identical %d MiB" % mib, "wine_contents_same_%d" % mib,
             "native_contents_same_%d" % mib, "cmp_same_%d" % mib, None, None, "cmp")
    relative("  (info) identical %d MiB with the progress window shown and pumped" % mib,
             "contents_window_same_%d" % mib, "native_contents_same_%d" % mib,
             "cmp_same_%d" % mib, None, None, "cmp")
if "contents_cold" in results:
    relative("contents check, identical %s pair, cold cache" % results["contents_cold"][2],
             "contents_cold", "native_contents_cold", "cmp_cold", None, None, "cmp")
relative("collection, %s" % results.get("collect", (0, 0, "?"))[2], "collect", "wine_walk",
         "native_walk", 1.3, None, "native walk")
relative("  (info) Wine FindFirstFileA walk", "wine_walk", "native_walk", "find_walk", None,
         None, "find")
relative("  (info) SearchFolder alone, no window", "collect_search", "native_walk", "wine_walk",
         None, None, "Wine walk")
relative("  (info) AddEntry of the same records alone", "collect_records", "native_walk",
         "wine_walk", None, None, "Wine walk")
relative("dates and sizes run, identical trees", "quick_same", "floor_walk_both", "-", 1.3)
relative("  (info) dates and sizes run: collection part", "quick_same_collect", "floor_walk_both",
         "-", None)
relative("  (info) dates and sizes run: loop part", "quick_same_loop", "floor_walk_both", "-", None)
relative("dates and sizes run, target only on, 10% extra in target", "quick_targetonly",
         "floor_walk_both", "-", 1.4)
relative("  (info) the same against both searches with the extra files", "quick_targetonly",
         "floor_walk_both_extra", "-", None)
relative("compare run, identical trees", "run_same", "floor_run_same", "diff_same", 1.5,
         None, "diff -rq")
relative("  (info) run: collection part", "run_same_collect", "floor_run_same_walk", "-", None)
relative("  (info) run: loop part", "run_same_loop", "floor_run_same_checks", "-", None)
relative("whole-folder compare run, identical trees (floor: every item selected)", "whole_run_whole",
         "whole_run_all", "-", 1.05)
relative("  (info) the same, dates and sizes only", "whole_quick_whole", "whole_quick_all", "-",
         None)
relative("compare run, 10% changed", "run_changed", "floor_run_changed", "diff_changed", 1.5,
         None, "diff -rq")
relative("console run, identical trees (floor: the window program's run)", "console_same",
         "window_run_same", "diff_same", 1.05, None, "diff -rq")
absolute("  (info) the window program's run: collection part", "window_run_same_collect", None)
absolute("  (info) the window program's run: loop part", "window_run_same_loop", None)
relative("  (info) console's steps in its process: all (floor: the window program's run)",
         "console_steps", "window_run_same", "-", None)
relative("  (info) console's steps: collection (floor: the window program's)",
         "console_steps_collect", "window_run_same_collect", "-", None)
relative("  (info) console's steps: loop (floor: the window program's)", "console_steps_loop",
         "window_run_same_loop", "-", None)
absolute("  (info) console's steps: output", "console_steps_output", None)
relative("  (info) CPU seconds with the Wine server's: console process vs window program's",
         "console_same_cpu", "window_run_same_cpu", "-", None)
absolute("  (info) console start and exit (/?)", "console_start", None)
absolute("console /bytes, 1 MiB all differ, to a CSV file", "console_bytes", 1.0)
if "console_bytes_peak_kib" in results:
    differ, same, _ = results["console_bytes_peak_kib"]
    lines = results.get("console_bytes_lines", (0, 0, ""))[0]
    per = (differ - same) * 1024 / lines if lines else 0
    rows.append(("  (info) console /bytes: memory per differing byte",
                 "%.3f bytes (peak %d KiB, identical pair %d KiB, %d lines)"
                 % (per, differ, same, lines), "-", "-", "-", "-", "-"))
absolute("result window 200,001 rows: open to first paint", "result_open", 0.1)
for column in ("name", "folder", "date", "size", "contents"):
    absolute("result window: sort by %s" % column, "result_sort_" + column, 0.3)
for column, caption in (("srcdate", "reference date"), ("desdate", "target date"),
                        ("srcsize", "reference size"), ("dessize", "target size")):
    absolute("result window: sort by %s (value)" % caption, "result_sort_" + column, 0.3)
absolute("  (info) rows (record addresses) put in name order", "result_rows", None)
absolute("  (info) window created and filled, not shown", "result_create", None)
absolute("  (info) the same window with no rows, not shown", "result_create_empty", None)
absolute("result window: close", "result_close", 0.05)
absolute("result window: a typed letter no row starts with", "result_find_none", 0.1)
absolute("  (info) close of an empty shown window", "empty_close", None)
absolute("byte view 1 MiB all differ: open to first paint", "dump_open", 0.3)
absolute("  (info) byte view: scroll to end", "dump_scroll", None)
absolute("  (info) byte view: close", "dump_close", None)
absolute("byte view: a typed letter no row starts with", "dump_find_none", 0.1)
if "dump_row_bytes" in results:
    low, med, _ = results["dump_row_bytes"]
    rows.append(("  (info) byte view: memory per row, whole open view", "%.1f / %.1f bytes" % (low, med),
                 "-", "-", "-", "-", "-"))
absolute("CSV export of 200,001 rows", "export", 0.5)
absolute("  (info) WriteFile of the same bytes, 64 KiB blocks", "export_write_floor", None)
memory("peak working set, run + result window, 200,001 records", "memory_peak", 150)
text_lines = results.get("textview_open", (0, 0, "lines=?"))[2].split(",")[0]
relative("/diff, text pair of %s, 1,000 scattered edits (floor: diff -u)" % text_lines,
         "console_diff_text", "diff_u_text", "-", 1.5)
if "text_changed_lines" in results:
    ours, gnu, _ = results["text_changed_lines"]
    rows.append(("  (info) /diff changed lines against diff -u", "%d" % ours, "%d" % gnu, "-",
                 "-", "<= GNU's", "yes" if ours <= gnu else "NO"))
if "text_patch_ok" in results:
    rows.append(("  (info) patch of /diff's output gives the target", "yes"
                 if results["text_patch_ok"][0] else "NO", "-", "-", "-", "-", "-"))
relative("/diff, two 200,000-line files with no line in common", "console_diff_different",
         "diff_u_different", "-", None)
absolute("  the same, absolute", "console_diff_different", 1.0)
absolute("text view, the same pair: open to first paint", "textview_open", 1.0)
absolute("text view: next difference", "textview_next", 0.05)
absolute("text view: scroll to end", "textview_end", 0.05)
if "textview_peak_ratio" in results:
    r = results["textview_peak_ratio"]
    rows.append(("text view: peak working set / the two files", "%.2fx (%s)" % (r[0], r[2]), "-",
                 "-", "-", "<= 3x", "yes" if r[0] <= 3 else "NO"))


def extra(label, name, base_names, limit):
    """Absolute time of an action less the parts measured on their own (medians)."""
    if name not in results or any(b not in results for b in base_names):
        rows.append((label, "n/a", "-", "-", "-", "< %.2f s" % limit, "not measured"))
        return
    low = results[name][0] - sum(results[b][0] for b in base_names)
    med = results[name][1] - sum(results[b][1] for b in base_names)
    rows.append((label, "%.3f / %.3f" % (low, med), "-", "-", "-", "< %.2f s" % limit,
                 "yes" if med < limit else "NO"))


for tag, count in (("10k", "10,000"), ("50k", "50,000")):
    relative("pane, %s files: open the folder (to first paint)" % count, "panes_open_" + tag,
             "panes_floor_" + tag, "-", 1.3)
    relative("pane, %s files: F5 with every item selected" % count, "panes_f5_" + tag,
             "panes_floor_" + tag, "-", 1.3)
    absolute("pane, %s files: select all" % count, "panes_selectall_" + tag, 0.3)
    absolute("pane, %s files: one status bar refresh, all selected" % count,
             "panes_status_" + tag, 0.05)
    absolute("  (info) swap folders, all selected", "panes_swap_" + tag, None)
    extra("pane, %s files: swap's extra (swap - open - step)" % count, "panes_swap_" + tag,
          ["panes_open_" + tag, "panes_step_" + tag], 0.3)
    absolute("  (info) leave the folder, all selected", "panes_away_" + tag, None)
    absolute("  (info) the same step between two small folders", "panes_step_" + tag, None)
    extra("pane, %s files: leaving's extra (leave - step)" % count, "panes_away_" + tag,
          ["panes_step_" + tag], 0.3)
    absolute("pane, %s files: exit with every item selected" % count, "panes_exit_" + tag, 0.3)

header = ("operation", "ours min / med (s)", "floor min / med", "peer min / med", "ratio",
          "target", "within")
print("| " + " | ".join(header) + " |")
print("|" + "---|" * len(header))
for row in rows:
    print("| " + " | ".join(row) + " |")
notes = [(k, v[2]) for k, v in sorted(results.items()) if v[2] not in ("-", "")]
print()
print("Notes of the measured programs:")
for name, note in notes:
    print("- %s: %s" % (name, note))
