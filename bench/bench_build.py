"""The release build both benchmarks measure: the bench preset, configured
and built in build-bench/ (avto and the floor program, no tests)."""
import os
import subprocess

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
BUILD = os.path.join(ROOT, "build-bench")


def build():
    for command in (["cmake", "--preset", "bench"],
                    ["cmake", "--build", "--preset", "bench"]):
        subprocess.run(command, cwd=ROOT, check=True,
                       stdout=subprocess.DEVNULL)
