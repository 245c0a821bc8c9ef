#!/usr/bin/env python3
"""Builds avto and the floor program (the same stream reads and writes with
no logic) with the same compiler and flags, and the static avto that zig
builds, runs each on the same scripted input with no controlling terminal,
and prints what each costs, one row a program.

Usage: bench/compare.py [RUNS]   (RUNS of each for the medians; default 21)
"""
import os
import re
import statistics
import subprocess
import sys
import tempfile
import time

import bench_build

INPUT = b"3 CYAN\n"


def run(command):
    """Runs `command` in a new session (no terminal) on the scripted input
    and returns what it wrote to standard error."""
    done = subprocess.run(command, input=INPUT, stdout=subprocess.DEVNULL,
                          stderr=subprocess.PIPE, start_new_session=True,
                          check=True, timeout=120)
    return done.stderr.decode()


def number(pattern, text):
    return int(re.search(pattern, text).group(1).replace(",", ""))


def measure(program, runs):
    with tempfile.TemporaryDirectory() as scratch:
        out = os.path.join(scratch, "callgrind.out")
        run(["valgrind", "--tool=callgrind", f"--callgrind-out-file={out}",
             program])
        with open(out, encoding="ascii") as profile:
            instructions = number(r"\nsummary: (\d+)", profile.read())
        memcheck = run(["valgrind", "--tool=memcheck", program])
        dhat = run(["valgrind", "--tool=dhat",
                    f"--dhat-out-file={os.path.join(scratch, 'dhat.out')}",
                    program])
    rss, wall = [], []
    for _ in range(runs):
        start = time.perf_counter()
        rss.append(number(r"Maximum resident set size \(kbytes\): (\d+)",
                          run(["/usr/bin/time", "-v", program])))
        wall.append((time.perf_counter() - start) * 1000)
    # valgrind sees the heap through the C library's shared malloc, which a
    # static program does not call; its heap is not measured.
    heap = "heap usage: 0 allocs" not in memcheck
    return {
        "instructions": instructions,
        "heap allocations": number(r"total heap usage: ([\d,]+) allocs",
                                   memcheck) if heap else None,
        "heap bytes allocated": number(r"frees, ([\d,]+) bytes allocated",
                                       memcheck) if heap else None,
        "peak heap (bytes)": number(r"At t-gmax:\s+([\d,]+) bytes", dhat)
                             if heap else None,
        "peak resident (KiB, median)": statistics.median(rss),
        "wall time (ms, median)": round(statistics.median(wall), 2),
    }


def main():
    runs = int(sys.argv[1]) if len(sys.argv) > 1 else 21
    bench_build.build()
    programs = {
        "avto": os.path.join(bench_build.BUILD, "avto"),
        "avto, static (musl)": bench_build.build_static(),
        "floor": os.path.join(bench_build.BUILD, "bench", "avto_floor"),
    }
    rows = {name: measure(path, runs) for name, path in programs.items()}
    measures = list(rows["avto"])
    print("| program | " + " | ".join(measures) + " |")
    print("|---|" + "---:|" * len(measures))
    for name, row in rows.items():
        cells = ["n/a" if row[key] is None else f"{row[key]:,}"
                 for key in measures]
        print(f"| {name} | " + " | ".join(cells) + " |")


if __name__ == "__main__":
    main()
