"""The release builds the benchmarks measure: the bench preset, configured
and built in build-bench/ (avto and the floor program, no tests), and the
static x86-64 release build made with zig."""
import os
import subprocess

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
BUILD = os.path.join(ROOT, "build-bench")
STATIC_TARGET = "x86_64-linux-musl"


def configure_and_build(preset, build_dir, *options):
    for command in (["cmake", "--preset", preset, "-B", build_dir, *options],
                    ["cmake", "--build", build_dir]):
        subprocess.run(command, cwd=ROOT, check=True,
                       stdout=subprocess.DEVNULL)


def build():
    configure_and_build("bench", BUILD)


def build_static():
    """Builds the static program as the release does and returns its path."""
    zig = subprocess.run([os.path.join(ROOT, ".ci", "zig")], check=True,
                         stdout=subprocess.PIPE, text=True).stdout.strip()
    build_dir = os.path.join(ROOT, "build-release", STATIC_TARGET)
    configure_and_build("release-zig", build_dir, f"-DAVTO_ZIG={zig}",
                        f"-DAVTO_ZIG_TARGET={STATIC_TARGET}")
    return os.path.join(build_dir, "avto")
