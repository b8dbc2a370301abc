#!/usr/bin/env python3
"""Start-up cost of the program against a plain Qt Widgets window of the same size.

Each probe is started afresh many times, alternating, until its window is active; the median wall time and
the median peak memory are compared. The program may take at most 1.3 times the time and 10 MB more memory.
Usage: startup_ratio.py <trombus probe> <reference probe> [runs]
It measures on the display in DISPLAY (an X server, as users have; Xvfb will do), and headless with Qt's
offscreen platform when there is none; the offscreen platform has no window-system cost of its own, so the
same program shows a larger ratio there.
"""
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

RATIO_LIMIT = 1.3
EXTRA_MB_LIMIT = 10


def probe_environment():
    env = dict(os.environ)
    env.setdefault("QT_QPA_PLATFORM", "xcb" if env.get("DISPLAY") else "offscreen")
    return env


def measure(command, env):
    start = time.perf_counter()
    out = subprocess.run(command, env=env, capture_output=True, text=True, timeout=60, check=True).stdout
    elapsed = time.perf_counter() - start
    return elapsed, int(out.strip().splitlines()[-1])


def compare(program, reference, runs, config, env):
    """Median start-up seconds and median peak memory in MB of both probes, the program using config."""
    commands = {program: [program, config], reference: [reference]}
    results = {program: [], reference: []}
    # The first run writes the first-run settings and warms the file cache; it is not counted.
    for probe in (program, reference):
        measure(commands[probe], env)
    for _ in range(runs):
        for probe in (program, reference):
            results[probe].append(measure(commands[probe], env))
    return {
        "time_program": statistics.median(r[0] for r in results[program]),
        "time_plain": statistics.median(r[0] for r in results[reference]),
        "peak_mb_program": statistics.median(r[1] for r in results[program]) / 1024,
        "peak_mb_plain": statistics.median(r[1] for r in results[reference]) / 1024,
    }


def main():
    program, reference = sys.argv[1], sys.argv[2]
    runs = int(sys.argv[3]) if len(sys.argv) > 3 else 15
    config = tempfile.mkdtemp(prefix="trombus-bench-")
    try:
        r = compare(program, reference, runs, config, probe_environment())
    finally:
        shutil.rmtree(config, ignore_errors=True)
    ratio = r["time_program"] / r["time_plain"]
    extra = r["peak_mb_program"] - r["peak_mb_plain"]
    print(f"time: program {r['time_program'] * 1000:.0f} ms, plain window {r['time_plain'] * 1000:.0f} ms, "
          f"ratio {ratio:.2f} (limit {RATIO_LIMIT:.2f})")
    print(f"peak memory: program {r['peak_mb_program']:.1f} MB, plain window {r['peak_mb_plain']:.1f} MB, "
          f"extra {extra:.1f} MB (limit {EXTRA_MB_LIMIT})")
    ok = round(ratio, 2) <= RATIO_LIMIT and round(extra, 1) <= EXTRA_MB_LIMIT
    print("within target" if ok else "OVER TARGET")
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
