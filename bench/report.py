#!/usr/bin/env python3
"""Runs every performance measurement in one go and prints the tables of docs/performance.md.

Usage: bench/report.py BUILD_DIR SCENARIO_RUNNER [BEFORE_BUILD_DIR]

With a second build (of an earlier commit, with these benchmarks), its figures
are measured in the same run, alternating with this build's, beside them.
"""
import json
import os
import platform
import statistics
import subprocess
import sys
import time

build, runner = sys.argv[1], sys.argv[2]
before = sys.argv[3] if len(sys.argv) > 3 else None
env = dict(os.environ, QT_QPA_PLATFORM="offscreen", LANG="hu_HU.UTF-8")
CASES = (0, 1, 2)
CASE_NAMES = ("start state (148 points)", "worst case (1,251 points)",
              "worst case and four kept curves")


def bench_program(tree, name):
    return os.path.join(tree, "bench", name)


def benchmarks(tree, scale, pattern):
    out = subprocess.run(
        [bench_program(tree, "efficiency_bench"), "--benchmark_format=json",
         "--benchmark_repetitions=11", "--benchmark_report_aggregates_only=true",
         "--benchmark_min_time=0.5", f"--benchmark_filter={pattern}"],
        env=dict(env, QT_SCALE_FACTOR=str(scale)), capture_output=True, text=True, check=True)
    medians = {}
    for b in json.loads(out.stdout)["benchmarks"]:
        if b.get("aggregate_name") == "median":
            medians[b["run_name"]] = b["real_time"]  # microseconds
    return medians


def scroll_over_floor(tree, scale, rounds=300):
    """A Scroll event's time over the floor's, median of alternating rounds, per case."""
    out = subprocess.run([bench_program(tree, "efficiency_bench"), "--scroll-over-floor",
                          str(rounds)], env=dict(env, QT_SCALE_FACTOR=str(scale)),
                         capture_output=True, text=True, check=True)
    return json.loads(out.stdout)


def runner_seconds(commands, runs=7):
    times = []
    for _ in range(runs):
        start = time.monotonic()
        subprocess.run([runner], input=commands, env=env, capture_output=True, text=True,
                       check=True)
        times.append(time.monotonic() - start)
    return statistics.median(times)


trees = [("after", build)] + ([("before", before)] if before else [])
ratios = {(label, scale): scroll_over_floor(tree, scale) for scale in (1, 2)
          for label, tree in trees}
scale1 = benchmarks(build, 1, ".")
scale2 = benchmarks(build, 2, "ScrollEndToEnd")
probes = [bench_program(build, "startup_efficiency")]
if before:
    probes.append(bench_program(before, "startup_efficiency"))
probes += [bench_program(build, "startup_bare"), bench_program(build, "startup_bare_text")]
started = json.loads(subprocess.run(
    [bench_program(build, "startup_driver"), "151"] + probes,
    env=env, capture_output=True, text=True, check=True).stdout)["programs"]
program = started[0]
earlier = started[1] if before else None
bare, bare_text = started[-2], started[-1]
no_drag = runner_seconds("set 3 1\n")
drag = runner_seconds("set 3 1\ndrag 3 1300\n")

cpu = next((line.split(":", 1)[1].strip() for line in open("/proc/cpuinfo")
            if line.startswith("model name")), platform.processor())
print(f"Measured on {cpu}, {os.cpu_count()} cores, Linux {platform.release()}, "
      f"Qt offscreen platform, release build.\n")

print("A Scroll event of HScroll3 against the drawing floor (the same chart's lines and tick "
      "texts and the five captions, drawn by QPainter alone from prepared coordinates and "
      "texts into an image of the window's size): the median over 300 rounds of 16 floors "
      "and 16 events alternated.\n")
columns = [label for label, _ in trees][::-1]
print("| case | " + " | ".join(f"{label}, scale {s}" for s in (1, 2) for label in columns)
      + " |")
print("|---|" + "---|" * (2 * len(columns)))
for c in CASES:
    cells = " | ".join(f"{ratios[(label, s)][c]:.2f}" for s in (1, 2) for label in columns)
    print(f"| {CASE_NAMES[c]} | {cells} |")
print("\nTarget: at most 1.3.\n")

print("| piece, this build (medians of 11 repetitions) | "
      + " | ".join(CASE_NAMES) + " |")
print("|---|---|---|---|")


def row(label, key, source=scale1):
    cells = " | ".join(
        f"{source[key.format(c)]:.1f} µs" if key.format(c) in source else "–" for c in CASES)
    print(f"| {label} | {cells} |")


row("evaluation alone", "Evaluation/worst:{}")
row("one chart run, recorded", "ChartRun/worst:{}")
for s in (1, 2):
    row(f"painting the recording, scale {s}", "PaintRecorded/worst:{}/scale:" + str(s))
    row(f"floor, scale {s}", "Floor/worst:{}/scale:" + str(s))
row("end to end: one Scroll event, scale 1", "ScrollEndToEnd/worst:{}", scale1)
row("end to end: one Scroll event, scale 2", "ScrollEndToEnd/worst:{}", scale2)

print()
print("Start-up: from fork to the first painted frame, and on to the exit (the probe quits "
      "at that frame), medians of 151 rounds that alternate the programs.\n")
print("| program | to the first frame | to the first frame and exit | peak memory |")
print("|---|---|---|---|")
listed = [("the program, this build", program)]
if earlier:
    listed.append(("the program, the earlier build", earlier))
listed += [("bare Qt window, one painted child", bare),
           ("the same bare window drawing one line of text", bare_text)]
for label, p in listed:
    print(f"| {label} | {p['ms']:.1f} ms | {p['exitMs']:.1f} ms | {p['kb'] / 1024:.1f} MiB |")
for label, p in listed[:2 if earlier else 1]:
    print(f"| {label.replace('the program', 'program')} / bare window with text | "
          f"{p['ms'] / bare_text['ms']:.2f} | {p['exitMs'] / bare_text['exitMs']:.2f} | "
          f"{p['kb'] / bare_text['kb']:.2f} |")
print("\nTarget: at most 1.25 to the first frame and exit.\n")
print(f"Dragging HScroll3 from 1 to 1300 through the scenario runner (1,299 Scroll events, "
      f"each painted): {drag:.2f} s against {no_drag:.2f} s without the drag, "
      f"{drag - no_drag:.2f} s more (target < 1.5 s).")


# A collector's year at a site, beside the plain loop over the same arrays.
annual = {b["run_name"]: b["real_time"] for b in json.loads(subprocess.run(
    [bench_program(build, "annual_bench"), "--benchmark_format=json",
     "--benchmark_repetitions=7", "--benchmark_report_aggregates_only=true",
     "--benchmark_min_time=0.3"], env=env, capture_output=True, text=True,
    check=True).stdout)["benchmarks"] if b.get("aggregate_name") == "median"}
print("\nThe annual yield on the shared PVGIS year (8,760 hours), medians of 7 repetitions:\n")
print("| case | time | target |")
print("|---|---|---|")
print(f"| reading the CSV file | {annual['readWeather']:.1f} ms | |")
print(f"| reading it and preparing the sun and the plane | {annual['readAndPrepare']:.1f} ms "
      "| under 50 ms |")
print(f"| one collector's year at 25, 50 and 75 °C | {annual['collectorYear']:.1f} µs | |")
print(f"| the plain loop over the same arrays (the floor) | {annual['plainLoop']:.1f} µs | |")
print(f"| collector over floor | {annual['collectorYear'] / annual['plainLoop']:.2f} "
      "| at most 3 |")
print(f"| 1,000 library collectors, converted and calculated | "
      f"{annual['thousandLibraryCollectors']:.0f} ms | under 1 s |")

# The batch's figures, measured by their own script in the same run.
subprocess.run([sys.executable, os.path.join(os.path.dirname(os.path.abspath(__file__)),
                                             "batch_report.py"), build], env=env, check=True)
