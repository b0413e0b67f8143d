#!/usr/bin/env python3
"""Prints the benchmark rows of bench/rows.tsv from Google Benchmark JSON files.

    report.py ROWS_FILE RESULTS_DIR

RESULTS_DIR holds one SUITE.json per suite. A figure is the median CPU time
of a benchmark's repetitions (the median wall-clock time for a benchmark
measured in real time, whose name ends in "/real_time"); since the repetitions of all benchmarks of a
suite run interleaved in one process, a figure and its floor see the same
machine load, and their ratio is what stays stable on a noisy machine.
Exits with 1 when a row misses its target or its figures are missing.
"""
import json
import os
import statistics
import sys

UNITS = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}


def load(results_dir):
    times = {}
    for name in sorted(os.listdir(results_dir)):
        if not name.endswith(".json"):
            continue
        suite = name[:-5]
        with open(os.path.join(results_dir, name)) as f:
            data = json.load(f)
        for b in data.get("benchmarks", []):
            if b.get("run_type") != "iteration" or b.get("error_occurred"):
                continue
            kind = "real_time" if b["run_name"].endswith("/real_time") else "cpu_time"
            seconds = b[kind] * UNITS[b.get("time_unit", "ns")]
            times.setdefault(f"{suite}:{b['run_name']}", []).append(seconds)
    return {k: statistics.median(v) for k, v in times.items()}


def fixed(text):
    for unit in ("ms", "us", "ns", "s"):
        if text.endswith(unit):
            try:
                return float(text[: -len(unit)]) * UNITS[unit]
            except ValueError:
                return None
    return None


def show(seconds):
    if seconds is None:
        return "-"
    if seconds >= 1e-3:
        return f"{seconds * 1e3:.3f} ms"
    return f"{seconds * 1e6:.1f} us"


def main():
    rows_file, results_dir = sys.argv[1], sys.argv[2]
    times = load(results_dir)
    rows = []
    with open(rows_file) as f:
        for line in f:
            if line.startswith("#") or not line.strip():
                continue
            rows.append(line.rstrip("\n").split("\t"))
    header = ("What", "Figure", "Floor", "Ratio", "Target", "")
    table = []
    failed = False
    for what, figure, floor, compare, target in rows:
        value = times.get(figure)
        base = fixed(floor)
        base = times.get(floor) if base is None else base
        target = float(target)
        if value is None or base is None or value <= 0:
            table.append((what, show(value), show(base), "-", "", "not measured"))
            failed = True
            continue
        if compare == "speed":
            ratio = base / value
            ok = ratio >= target
            goal = f">= {target:g}x"
        else:
            ratio = value / base
            ok = ratio <= target
            goal = f"<= {target:g}x"
        failed |= not ok
        table.append((what, show(value), show(base), f"{ratio:.2f}x", goal,
                      "ok" if ok else "MISSED"))
    widths = [max(len(r[i]) for r in [header] + table) for i in range(len(header))]
    for r in [header] + table:
        print("  ".join(c.ljust(w) for c, w in zip(r, widths)).rstrip())
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
