#!/usr/bin/env python3
"""The command line's batch against the Python `decimal` script doing the same
arithmetic on the same rows (batch_reference.py), measured alternately in one
run: `--calc --csv --input` over 100,000 rows, `--json` against `--csv`, and
the peak memory at 1,000 and at 100,000 rows.

Usage: bench/batch_report.py BUILD_DIR
"""
import os
import statistics
import subprocess
import sys
import tempfile
import time

build = sys.argv[1]
env = dict(os.environ, LANG="hu_HU.UTF-8")


def batch_run(command, rows_file):
    """Seconds and peak memory (KiB) of one run, its output thrown away."""
    start = time.monotonic()
    with open(os.devnull, "w") as sink:
        process = subprocess.Popen(command + [rows_file], stdout=sink, env=env)
        _, status, usage = os.wait4(process.pid, 0)
    if status != 0:
        sys.exit(f"{command} {rows_file} failed: {status}")
    return time.monotonic() - start, usage.ru_maxrss


here = os.path.dirname(os.path.abspath(__file__))
program = os.path.join(build, "app", "efficiency")
with tempfile.TemporaryDirectory() as folder:
    files = {}
    for count in (1000, 100000):
        files[count] = os.path.join(folder, f"rows-{count}.csv")
        with open(files[count], "w") as out:
            subprocess.run([sys.executable, os.path.join(here, "batch_rows.py"), str(count)],
                           stdout=out, check=True)
    commands = {
        "python": [sys.executable, os.path.join(here, "batch_reference.py")],
        "csv": [program, "--calc", "--csv", "--input"],
        "json": [program, "--calc", "--json", "--input"],
    }
    seconds = {name: [] for name in commands}
    for _ in range(7):  # alternating, so that the machine's state weighs on each alike
        for name, command in commands.items():
            seconds[name].append(batch_run(command, files[100000])[0])
    median = {name: statistics.median(values) for name, values in seconds.items()}
    memory = {count: batch_run(commands["csv"], files[count])[1] for count in files}
print(f"Batch: `efficiency --calc --csv --input` over 100,000 rows took "
      f"{median['csv']:.3f} s against {median['python']:.3f} s for the Python `decimal` script "
      f"(bench/batch_reference.py, the same arithmetic and rows): "
      f"{median['csv'] / median['python']:.3f} of it (target at most 0.15). `--json` took "
      f"{median['json']:.3f} s, {median['json'] / median['csv']:.2f} times `--csv` "
      f"(target at most 1.3). Peak memory: {memory[100000] / 1024:.1f} MiB at 100,000 rows, "
      f"{memory[1000] / 1024:.1f} MiB at 1,000 (target: within 5 MiB). Medians of 7 "
      f"alternating runs.")
