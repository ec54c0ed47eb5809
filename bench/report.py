#!/usr/bin/env python3
"""Runs every performance measurement in one go and prints the README table.

Usage: bench/report.py BUILD_DIR SCENARIO_RUNNER
"""
import json
import os
import platform
import statistics
import subprocess
import sys
import time

build, runner = sys.argv[1], sys.argv[2]
bench = os.path.join(build, "bench")
env = dict(os.environ, QT_QPA_PLATFORM="offscreen", LANG="hu_HU.UTF-8")


def benchmarks(scale, pattern):
    out = subprocess.run(
        [os.path.join(bench, "efficiency_bench"), "--benchmark_format=json",
         "--benchmark_repetitions=11", "--benchmark_report_aggregates_only=true",
         "--benchmark_min_time=0.5", f"--benchmark_filter={pattern}"],
        env=dict(env, QT_SCALE_FACTOR=str(scale)), capture_output=True, text=True, check=True)
    medians = {}
    for b in json.loads(out.stdout)["benchmarks"]:
        if b.get("aggregate_name") == "median":
            medians[b["run_name"]] = b["real_time"]  # microseconds
    return medians


def runner_seconds(commands, runs=7):
    times = []
    for _ in range(runs):
        start = time.monotonic()
        subprocess.run([runner], input=commands, env=env, capture_output=True, text=True,
                       check=True)
        times.append(time.monotonic() - start)
    return statistics.median(times)


scale1 = benchmarks(1, ".")
scale2 = benchmarks(2, "ScrollEndToEnd")
program, bare, bare_text = json.loads(subprocess.run(
    [os.path.join(bench, "startup_driver"), "151", os.path.join(bench, "startup_efficiency"),
     os.path.join(bench, "startup_bare"), os.path.join(bench, "startup_bare_text")],
    env=env, capture_output=True, text=True, check=True).stdout)["programs"]
no_drag = runner_seconds("set 3 1\n")
drag = runner_seconds("set 3 1\ndrag 3 1300\n")

cpu = next((line.split(":", 1)[1].strip() for line in open("/proc/cpuinfo")
            if line.startswith("model name")), platform.processor())
print(f"Measured on {cpu}, {os.cpu_count()} cores, Linux {platform.release()}, "
      f"Qt offscreen platform, release build; medians of 11 repetitions.\n")
print("| case | start state (148 points) | worst case (1,251 points) "
      "| worst case and four kept curves |")
print("|---|---|---|---|")
CASES = (0, 1, 2)


def row(label, key, source=scale1, unit="µs"):
    cells = " | ".join(
        f"{source[key.format(c)]:.1f} {unit}" if key.format(c) in source else "–" for c in CASES)
    print(f"| {label} | {cells} |")


row("evaluation alone", "Evaluation/worst:{}")
row("one chart run, recorded", "ChartRun/worst:{}")
for s in (1, 2):
    row(f"painting the recording, scale {s}", "PaintRecorded/worst:{}/scale:" + str(s))
    row(f"floor: QPainter alone, chart and five captions, scale {s}",
        "Floor/worst:{}/scale:" + str(s))
for s, source in ((1, scale1), (2, scale2)):
    row(f"end to end: one Scroll event, scale {s}", "ScrollEndToEnd/worst:{}", source)
for s, source in ((1, scale1), (2, scale2)):
    ratios = " | ".join(
        f"{source[f'ScrollEndToEnd/worst:{c}'] / scale1[f'Floor/worst:{c}/scale:{s}']:.2f}"
        for c in CASES)
    print(f"| end to end / floor, scale {s} (target ≤ 1.3) | {ratios} |")

print()
print("| start-up | to the first painted frame | to the first frame and exit | peak memory |")
print("|---|---|---|---|")
for label, p in (("the program", program), ("bare Qt window, one painted child", bare),
                 ("the same bare window drawing one line of text", bare_text)):
    print(f"| {label} | {p['ms']:.1f} ms | {p['exitMs']:.1f} ms | {p['kb'] / 1024:.1f} MiB |")
print(f"| program / bare window | {program['ms'] / bare['ms']:.2f} | "
      f"{program['exitMs'] / bare['exitMs']:.2f} | {program['kb'] / bare['kb']:.2f} |")
print(f"| program / bare window with text (target ≤ 1.25 to exit) | "
      f"{program['ms'] / bare_text['ms']:.2f} | {program['exitMs'] / bare_text['exitMs']:.2f} | "
      f"{program['kb'] / bare_text['kb']:.2f} |")
print()
print(f"Dragging HScroll3 from 1 to 1300 through the scenario runner (1,299 Scroll events, "
      f"each painted): {drag:.2f} s against {no_drag:.2f} s without the drag, "
      f"{drag - no_drag:.2f} s more (target < 1.5 s).")
