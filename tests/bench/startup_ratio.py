#!/usr/bin/env python3
"""Start-up cost of the program against a plain Qt Widgets window of the same size.

Each probe is started afresh many times, alternating, until its window is active; the median wall time and
the median peak memory are compared. The program may take at most 1.5 times the time and 30 MB more memory.
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


def measure(command, env):
    start = time.perf_counter()
    out = subprocess.run(command, env=env, capture_output=True, text=True, timeout=60, check=True).stdout
    elapsed = time.perf_counter() - start
    return elapsed, int(out.strip().splitlines()[-1])


def main():
    program, reference = sys.argv[1], sys.argv[2]
    runs = int(sys.argv[3]) if len(sys.argv) > 3 else 15
    env = dict(os.environ)
    env.setdefault("QT_QPA_PLATFORM", "xcb" if env.get("DISPLAY") else "offscreen")
    config = tempfile.mkdtemp(prefix="trombus-bench-")
    commands = {program: [program, config], reference: [reference]}
    results = {program: [], reference: []}
    # The first run writes the first-run settings and warms the file cache; it is not counted.
    for probe in (program, reference):
        measure(commands[probe], env)
    for _ in range(runs):
        for probe in (program, reference):
            results[probe].append(measure(commands[probe], env))
    shutil.rmtree(config, ignore_errors=True)
    t_prog = statistics.median(r[0] for r in results[program])
    t_ref = statistics.median(r[0] for r in results[reference])
    m_prog = statistics.median(r[1] for r in results[program]) / 1024
    m_ref = statistics.median(r[1] for r in results[reference]) / 1024
    ratio = t_prog / t_ref
    extra = m_prog - m_ref
    print(f"time: program {t_prog * 1000:.0f} ms, plain window {t_ref * 1000:.0f} ms, ratio {ratio:.2f} (limit 1.50)")
    print(f"peak memory: program {m_prog:.1f} MB, plain window {m_ref:.1f} MB, extra {extra:.1f} MB (limit 30)")
    ok = ratio <= 1.5 and extra <= 30
    print("within target" if ok else "OVER TARGET")
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
