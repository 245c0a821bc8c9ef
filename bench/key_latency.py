#!/usr/bin/env python3
"""Measures how soon the release build ends after a key: avto runs in a
pseudo-terminal, each key is written once the second display is out and
echo is off, and the time from the key's first write to the end of the
process is taken over RUNS runs. Afterwards the shell finds nothing left.

Usage: bench/key_latency.py [RUNS]   (default 15)
"""
import os
import statistics
import sys
import time

import pexpect

import bench_build

AVTO = os.path.join(bench_build.BUILD, "avto")
KEYS = [("q", ["q"]), ("Enter", ["\r"]), ("Ctrl-C", ["\x03"]),
        ("Up arrow", ["\x1b[A"]), ("F5", ["\x1b[15~"]), ("Alt+x", ["\x1bx"]),
        ("é (2 bytes)", ["\xc3\xa9"]), ("€ (3 bytes)", ["\xe2\x82\xac"]),
        ("lone Esc", ["\x1b"]), ("arrow split 20 ms", ["\x1b", "[A"])]
# The shell reports the end of the run, then whatever it left unread.
RUN = ('"$0" </dev/null; echo end; stty -icanon min 0 time 2; '
       'printf "left=[%s]\\n" "$(cat -v)"')


def one_run(pieces):
    child = pexpect.spawn("sh", ["-c", RUN, AVTO], encoding="latin-1",
                          timeout=5)
    child.delaybeforesend = None
    child.expect(r"wrong choice\r\n\r\nparam: \S+\$\r\n")
    child.waitnoecho()
    time.sleep(0.05)  # keys typed before the wait begins are dropped
    start = time.perf_counter()
    for i, piece in enumerate(pieces):
        if i:
            time.sleep(0.02)
        child.send(piece)
    child.expect_exact("end\r\n")
    elapsed = (time.perf_counter() - start) * 1000
    child.expect(r"left=\[(.*)\]\r\n")
    left = child.match.group(1)
    child.close()
    return elapsed, left


def main():
    runs = int(sys.argv[1]) if len(sys.argv) > 1 else 15
    bench_build.build()
    print(f"| key | median (ms) | max (ms) | left for the shell |")
    print(f"|---|---:|---:|---|")
    for name, pieces in KEYS:
        times, lefts = [], set()
        for _ in range(runs):
            elapsed, left = one_run(pieces)
            times.append(elapsed)
            lefts.add(left)
        left = "nothing" if lefts == {""} else repr(sorted(lefts))
        print(f"| {name} | {statistics.median(times):.1f} | "
              f"{max(times):.1f} | {left} |")


if __name__ == "__main__":
    main()
