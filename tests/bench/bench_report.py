#!/usr/bin/env python3
"""Runs every published benchmark and prints one Markdown table: each figure of the program, the same
figure of a plain Qt Widgets window measured in the same run where one applies, and the target where
there is one.

usage: bench_report.py <folder of the built benchmarks> [--quick] [--strict] [--log FOLDER]

  --quick   shorter runs (10 s instead of 60 s, fewer starts) to check that every benchmark still works;
            its figures are not the published ones
  --strict  also exit non-zero when a figure misses its target
  --log     keep each benchmark's own full output in FOLDER

It is meant to run on an X server with a window manager (scripts/bench.sh puts it on a private Xvfb with
openbox); without DISPLAY the probes fall back to Qt's offscreen platform. The exit status is non-zero when a
benchmark could not be run or gave no figures.
"""
import argparse
import json
import os
import platform
import re
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import startup_ratio  # noqa: E402

PLAYLIST_LIMIT_MS = 100
# The resident memory once the window has settled, over the plain window's.
IDLE_EXTRA_MB_LIMIT = 30


class BenchError(Exception):
    pass


class Table:
    def __init__(self):
        self.rows = []
        self.missed = []

    def add(self, figure, program, plain="—", target="—", met=None):
        verdict = "" if met is None else ("met" if met else "**missed**")
        if met is False:
            self.missed.append(figure)
        self.rows.append((figure, program, plain, target, verdict))

    def failed(self, figure, why):
        self.rows.append((figure, f"failed: {why}", "—", "—", "**not run**"))

    def markdown(self):
        lines = ["| Figure | Тромбус | Plain Qt window | Target | |", "|---|---|---|---|---|"]
        lines += ["| " + " | ".join(row) + " |" for row in self.rows]
        return "\n".join(lines)


def keep_log(args, name, text):
    if args.log:
        with open(os.path.join(args.log, name), "w", encoding="utf-8") as f:
            f.write(text)


def run(args, name, command, timeout, env=None):
    """Runs a benchmark program, keeps its output in the log folder and returns its standard output."""
    try:
        done = subprocess.run(command, env=env, capture_output=True, text=True, timeout=timeout)
    except subprocess.TimeoutExpired as e:
        raise BenchError(f"no answer within {timeout} s") from e
    keep_log(args, name + ".out", done.stdout)
    keep_log(args, name + ".err", done.stderr)
    if done.returncode != 0:
        tail = done.stderr.strip().splitlines()[-3:]
        raise BenchError(f"exit status {done.returncode}: " + " / ".join(tail))
    return done.stdout


def ms(seconds):
    return f"{seconds * 1000:.0f} ms"


# ----------------------------------------------------------------------------------------------------------------
# Start-up and memory at the first activation


def startup(args, table, config):
    runs = 5 if args.quick else 15
    r = startup_ratio.compare(args.probe("startup_probe_trombus"), args.probe("startup_probe_plain"), runs,
                              config, startup_ratio.probe_environment())
    # The verdict goes by the figure as printed, so that a row never reads "1.30 ×" beside "missed".
    ratio = r["time_program"] / r["time_plain"]
    table.add(f"Start-up to the first activated window (median of {runs} starts each)",
              f"{ms(r['time_program'])}, **{ratio:.2f} ×** the plain window", ms(r["time_plain"]),
              f"≤ {startup_ratio.RATIO_LIMIT:.1f} ×", round(ratio, 2) <= startup_ratio.RATIO_LIMIT)
    extra = r["peak_mb_program"] - r["peak_mb_plain"]
    table.add("Peak resident memory at the first activation (VmHWM, median)",
              f"{r['peak_mb_program']:.1f} MB, **{extra:+.1f} MB**", f"{r['peak_mb_plain']:.1f} MB",
              f"≤ +{startup_ratio.EXTRA_MB_LIMIT} MB", round(extra, 1) <= startup_ratio.EXTRA_MB_LIMIT)


# ----------------------------------------------------------------------------------------------------------------
# Idle processor time and resident memory with the window shown


def cpu_ticks(pid):
    """utime + stime of the whole process (all its threads), in clock ticks, from /proc/<pid>/stat."""
    with open(f"/proc/{pid}/stat", encoding="ascii") as f:
        stat = f.read()
    # The command name may hold spaces and parentheses: the fields follow the last ')'.
    fields = stat[stat.rindex(")") + 2:].split()
    return int(fields[11]) + int(fields[12])


def status_kb(pid, key):
    with open(f"/proc/{pid}/status", encoding="ascii") as f:
        for line in f:
            if line.startswith(key + ":"):
                return int(line.split()[1])
    raise BenchError(f"no {key} in /proc/{pid}/status")


def idle_run(command, settle, seconds, env):
    """Starts a probe that stays open, waits for its window to be active and to settle, then measures."""
    process = subprocess.Popen(command, env=env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    try:
        ready, _, _ = select.select([process.stdout], [], [], 60)
        line = process.stdout.readline() if ready else ""
        if not line.strip().isdigit():
            raise BenchError(f"{os.path.basename(command[0])} did not report an active window")
        time.sleep(settle)
        ticks0, wall0 = cpu_ticks(process.pid), time.monotonic()
        time.sleep(seconds)
        ticks1, wall1 = cpu_ticks(process.pid), time.monotonic()
        rss = status_kb(process.pid, "VmRSS") / 1024
        hwm = status_kb(process.pid, "VmHWM") / 1024
    finally:
        process.send_signal(signal.SIGTERM)
        try:
            process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()
    cpu = 100.0 * (ticks1 - ticks0) / os.sysconf("SC_CLK_TCK") / (wall1 - wall0)
    return {"cpu": cpu, "rss": rss, "hwm": hwm}


def idle(args, table, config):
    seconds = 10 if args.quick else 60
    settle = 5
    env = startup_ratio.probe_environment()
    program = idle_run([args.probe("startup_probe_trombus"), config, "--stay"], settle, seconds, env)
    plain = idle_run([args.probe("startup_probe_plain"), "--stay"], settle, seconds, env)
    table.add(f"Idle processor time over {seconds} s with the window shown (utime + stime, % of one core)",
              f"{program['cpu']:.2f} %", f"{plain['cpu']:.2f} %")
    extra = program["rss"] - plain["rss"]
    table.add(f"Resident memory after those {seconds} s (VmRSS)", f"{program['rss']:.1f} MB, **{extra:+.1f} MB**",
              f"{plain['rss']:.1f} MB", f"≤ +{IDLE_EXTRA_MB_LIMIT} MB", extra <= IDLE_EXTRA_MB_LIMIT)
    table.add("Peak resident memory by then (VmHWM)", f"{program['hwm']:.1f} MB, {program['hwm'] - plain['hwm']:+.1f} MB",
              f"{plain['hwm']:.1f} MB")


# ----------------------------------------------------------------------------------------------------------------
# The stopwatch with the event loop stalled


def stopwatch(args, table):
    seconds = 10 if args.quick else 60
    out = run(args, "stopwatch", [args.probe("stopwatch_probe"), str(seconds)], seconds + 60)
    values = dict(re.findall(r"(\w+)=(-?\d+)", out))
    needed = ("elapsed_ms", "shown_ms", "stop_elapsed_ms", "stopped_ms", "tick_count_ms", "stalled_ms")
    if any(k not in values for k in needed):
        raise BenchError("no figures in its output")
    v = {k: int(values[k]) for k in needed}
    shown_error = v["shown_ms"] - v["elapsed_ms"]
    stopped_error = v["stopped_ms"] - v["stop_elapsed_ms"]
    tick_error = v["tick_count_ms"] - v["elapsed_ms"]
    table.add(f"Stopwatch after {seconds} s with the event loop blocked {v['stalled_ms'] / 1000:.1f} s of them: "
              "reading on screen / frozen by \"стоп\", against a monotonic clock",
              f"{shown_error:+d} ms / {stopped_error:+d} ms",
              f"{tick_error:+d} ms (a 10 ms timer counting one hundredth per tick)")


# ----------------------------------------------------------------------------------------------------------------
# Google Benchmark programs


def google_benchmark(args, name, command, timeout, env=None):
    out = run(args, name, command + ["--benchmark_format=json"], timeout, env)
    try:
        results = json.loads(out)["benchmarks"]
    except (ValueError, KeyError) as e:
        raise BenchError("unreadable benchmark output") from e
    figures = {}
    for b in results:
        if b.get("error_occurred"):
            raise BenchError(f"{b['name']}: {b.get('error_message', 'error')}")
        scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[b["time_unit"]]
        figures[b["name"].split("/iterations:")[0]] = b["real_time"] * scale
    if not figures:
        raise BenchError("no benchmarks ran")
    return figures


HELP_SHAPES = ("one type", "one name per type", "1000 types x 100")
HELP_LIMIT_MS = 20


def help_dictionary(args, table):
    steps = 3 if args.quick else 20
    f = google_benchmark(args, "helpdictionary", [args.probe("helpdictionary_bench"), f"--steps={steps}"], 600)

    def worst(step, when=None):
        keys = [f"{step}/{shape}" + (f"/{when}" if when else "") for shape in HELP_SHAPES]
        missing = [k for k in keys if k not in f]
        if missing:
            raise BenchError(f"no figure for {missing[0]}")
        key = max(keys, key=lambda k: f[k])
        return f[key], key.split("/")[1]

    after_edit = []
    for step, what in (("type list", "type list reloaded on a tab change"),
                       ("name list", "name list reloaded for a new type"),
                       ("definition", "definition read for a new name")):
        unchanged, shape_u = worst(step, "file unchanged")
        edited, shape_e = worst(step, "after an outside edit")
        after_edit.append((edited, f"{step}, {shape_e}"))
        table.add(f"Help dictionary, 100 000 entries: {what} (file unchanged / after an outside edit; "
                  f"slowest of three shapes: {shape_u} / {shape_e})", f"{unchanged:.1f} ms / {edited:.1f} ms")
    slowest, which = max(after_edit)
    table.add(f"Help dictionary, 100 000 entries: slowest step in any shape after an outside edit ({which})",
              f"{slowest:.1f} ms", target=f"≤ {HELP_LIMIT_MS} ms", met=slowest <= HELP_LIMIT_MS)
    for step, what in (("typing a type, two keys", "two keys typed into the type box"),
                       ("opening both lists", "both drop-down lists opened and closed")):
        value, shape = worst(step)
        table.add(f"Help dictionary, 100 000 entries: {what} (slowest shape: {shape})", f"{value:.1f} ms")
    (replaced, shape_r), (added, shape_a) = worst("storing an entry"), worst("storing a new entry")
    table.add("Help dictionary, 100 000 entries: \"Ввод\" of one entry, a new definition / a new name (slowest "
              f"shape: {shape_r} / {shape_a})", f"{replaced:.1f} ms / {added:.1f} ms", target=f"≤ {HELP_LIMIT_MS} ms",
              met=max(replaced, added) <= HELP_LIMIT_MS)


def playlist(args, table):
    command = [args.probe("playlist_bench")]
    if args.quick:
        command.append("--benchmark_min_time=0.05")
    f = google_benchmark(args, "playlist", command, 300)
    table.add("Playlist, a folder of 10 000 files: the folder scan alone", f"{f['10000 files/scan']:.1f} ms")
    for key, what in (("10000 files/open, list order", "in list order"), ("10000 files/open, sorted", "kept sorted")):
        if key not in f:
            raise BenchError(f"no figure for {key}")
        table.add(f"Playlist, a folder of 10 000 files: the whole \"открыть\", {what}", f"{f[key]:.1f} ms",
                  target=f"≤ {PLAYLIST_LIMIT_MS} ms", met=f[key] <= PLAYLIST_LIMIT_MS)


def player(args, table):
    seconds = 5 if args.quick else 20
    out = run(args, "player_cpu", [args.probe("player_cpu_probe"), str(seconds)], seconds + 60)
    m = re.search(r"playing (\w+) for ([\d.]+) s: window \(main thread\) ([\d.]+) % of one core, whole process "
                  r"([\d.]+) %", out)
    if not m:
        raise BenchError("no figures in its output")
    playing = "" if m.group(1) == "on" else " (the track did not play: no sound output?)"
    table.add(f"Processor time while a track plays for {seconds} s: the window's main thread / the whole process "
              "(% of one core)" + playing, f"{m.group(3)} % / {m.group(4)} %")


PLAYER_STALL_LIMIT_MS = 50


def player_stall(args, table):
    rounds = 3 if args.quick else 10
    out = run(args, "player_stall", [args.probe("player_stall_probe"), str(rounds)], 60 + rounds * 40)
    values = dict(re.findall(r"(\w+)=(\d+)", out))
    needed = ("open_stall_ms", "change_stall_ms", "failed", "errors")
    if any(k not in values for k in needed):
        raise BenchError("no figures in its output")
    if int(values["failed"]) or int(values["errors"]):
        raise BenchError(f"{values['failed']} press(es) never played, {values['errors']} error report(s)")
    opened, changed = int(values["open_stall_ms"]), int(values["change_stall_ms"])
    table.add(f"Longest stall of the window's event loop while the player opens an MP3 / changes track "
              f"(a 5 ms timer's lateness, worst of {rounds} each)", f"{opened} ms / {changed} ms",
              target=f"≤ {PLAYER_STALL_LIMIT_MS} ms", met=max(opened, changed) <= PLAYER_STALL_LIMIT_MS)


# ----------------------------------------------------------------------------------------------------------------


def machine():
    model = cores = "?"
    try:
        lscpu = subprocess.run(["lscpu"], capture_output=True, text=True, env={**os.environ, "LC_ALL": "C"}).stdout
        for line in lscpu.splitlines():
            key, _, value = line.partition(":")
            if key.strip() == "Model name":
                model = value.strip()
            elif key.strip() == "CPU(s)":
                cores = value.strip()
    except OSError:
        pass
    ram = "?"
    with open("/proc/meminfo", encoding="ascii") as f:
        for line in f:
            if line.startswith("MemTotal:"):
                ram = f"{int(line.split()[1]) / 1024 / 1024:.1f} GiB"
    system = platform.freedesktop_os_release().get("PRETTY_NAME", "?") if hasattr(platform, "freedesktop_os_release") \
        else "?"
    display = "X server " + os.environ["DISPLAY"] if os.environ.get("DISPLAY") else "Qt offscreen platform"
    return f"{model}, {cores} CPUs, {ram} RAM, {system}, {display}"


def stale_icon_caches():
    """Icon theme caches older than a folder of their theme: Qt ignores such a cache and probes the disk for
    every icon, which slows the start of any window with icons several times (scripts/setup.sh refreshes them)."""
    stale = []
    folders = os.environ.get("XDG_DATA_DIRS") or "/usr/local/share:/usr/share"
    for share in folders.split(":"):
        icons = os.path.join(share, "icons")
        if not os.path.isdir(icons):
            continue
        for theme in sorted(os.listdir(icons)):
            cache = os.path.join(icons, theme, "icon-theme.cache")
            if not os.path.isfile(cache):
                continue
            written = os.stat(cache).st_mtime_ns
            for folder, _, _ in os.walk(os.path.join(icons, theme)):
                if os.stat(folder).st_mtime_ns > written:
                    stale.append(cache)
                    break
    return stale


def load():
    return "/".join(f"{x:.2f}" for x in os.getloadavg())


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("bench_dir")
    parser.add_argument("--quick", action="store_true")
    parser.add_argument("--strict", action="store_true")
    parser.add_argument("--log")
    args = parser.parse_args()
    if args.log:
        os.makedirs(args.log, exist_ok=True)
    args.probe = lambda name: os.path.join(args.bench_dir, name)

    started = time.monotonic()
    print(f"Machine: {machine()}", flush=True)
    print(f"Load average (1/5/15 min) at the start: {load()}", flush=True)
    for cache in stale_icon_caches():
        print(f"Note: {cache} is older than a folder of its theme, so Qt looks for every icon on disk and the "
              "program starts slower than it would with the cache (scripts/setup.sh refreshes it)", flush=True)
    table = Table()
    failures = 0
    config = tempfile.mkdtemp(prefix="trombus-bench-")
    stages = (
        ("start-up", lambda: startup(args, table, config)),
        ("idle", lambda: idle(args, table, config)),
        ("stopwatch", lambda: stopwatch(args, table)),
        ("help dictionary", lambda: help_dictionary(args, table)),
        ("playlist", lambda: playlist(args, table)),
        ("player", lambda: player(args, table)),
        ("player stall", lambda: player_stall(args, table)),
    )
    loads = []
    try:
        for name, stage in stages:
            print(f"… {name}", file=sys.stderr, flush=True)
            loads.append(f"{name} {os.getloadavg()[0]:.2f}")
            try:
                stage()
            except (BenchError, OSError, subprocess.SubprocessError, ValueError) as e:
                failures += 1
                table.failed(name, str(e).replace("|", "/"))
    finally:
        shutil.rmtree(config, ignore_errors=True)
    print("Load average (1 min) as each benchmark started: " + ", ".join(loads))
    print(f"Load average (1/5/15 min) at the end: {load()}; the run took {time.monotonic() - started:.0f} s"
          + (" (--quick: not the published figures)" if args.quick else ""))
    print()
    print(table.markdown())
    print()
    if table.missed:
        print("Targets missed: " + "; ".join(table.missed))
    if failures:
        print(f"{failures} benchmark(s) could not be run")
        return 1
    return 1 if args.strict and table.missed else 0


if __name__ == "__main__":
    sys.exit(main())
