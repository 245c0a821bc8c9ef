"""The release builds the benchmarks measure: the bench preset, configured
and built in build-bench/ (avto and the floor program, no tests), and the
static x86-64 release build made with zig."""
import os
import subprocess

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
BUILD = os.path.join(ROOT, "build-bench")
STATIC_PRESET = "release-x86_64-linux-musl"


def configure_and_build(preset, *options):
    for command in (["cmake", "--preset", preset, *options],
                    ["cmake", "--build", "--preset", preset]):
        subprocess.run(command, cwd=ROOT, check=True,
                       stdout=subprocess.DEVNULL)


def build():
    configure_and_build("bench")


def build_static():
    """Builds the static program and returns its path."""
    zig = subprocess.run([os.path.join(ROOT, ".ci", "zig")], check=True,
                         stdout=subprocess.PIPE, text=True).stdout.strip()
    configure_and_build(STATIC_PRESET, f"-DAVTO_ZIG={zig}")
    return os.path.join(ROOT, "build-release", STATIC_PRESET, "avto")
