#!/usr/bin/python3
"""The launcher's costs, each as a ratio to a yardstick measured in the same run.

- size: the 32-bit launcher's code and data (the file without its resources)
  against shell_only, a C GUI program that only calls ShellExecuteA, built
  with the same toolchain and flags.
- class path: getDirJars against a bare opendir/readdir loop over the same
  lib of 1,000, 10,000 and 100,000 entries, under wine64.
- launch: the whole launcher process against shell_only asking for the same
  javaw with a parameter string of the same length, in alternating pairs of
  runs under wine64.

Run it through bench/run.sh, which builds what it needs first.
"""
import os
import shutil
import statistics
import subprocess
import sys
import time

ROOT = os.path.abspath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
sys.path.insert(0, os.path.join(ROOT, "tests", "static"))
# The size that the size test holds to its ceiling.
from test_executables import code_and_data_size  # noqa: E402
BUILD = os.path.join(ROOT, "build", "test")
WORK = os.path.join(ROOT, "build", "bench")
WINE = "/usr/lib/wine/wine64"
ENV = dict(os.environ, WINEPREFIX=os.path.join(BUILD, "wineprefix"), WINEDEBUG="-all",
           WINEDLLOVERRIDES="mscoree,mshtml=")
ENV.pop("KORVEL_OPTS", None)

CLASS_PATH_SIZES = [(1000, 21), (10000, 11), (100000, 5)]  # (entries, rounds)
LAUNCH_PAIRS = 30
# The parameter string for a lib holding client.jar, no options, no arguments.
PARAMS = ('-cp "lib\\.;lib\\..;lib\\client.jar"  -Xms32m -Xmx128m -Dsun.java2d.d3d=false '
          '-Dkvl.exe.ver="3" -Dkvl.launcher.args="" com.korvel.client.swing.Launcher')


def winpath(path):
    return "Z:" + path.replace("/", "\\")


def size():
    launcher = code_and_data_size(os.path.join(ROOT, "dist", "korvel.exe"))
    yardstick = code_and_data_size(os.path.join(BUILD, "x86", "bench", "shell_only.exe"))
    print("size: launcher %d bytes of code and data (%.1f KiB), shell_only %d bytes: ratio %.2f"
          % (launcher, launcher / 1024, yardstick, launcher / yardstick))


def lib_of(entries):
    lib = os.path.join(WORK, "lib-%d" % entries)
    if not os.path.isdir(lib) or len(os.listdir(lib)) != entries:
        shutil.rmtree(lib, ignore_errors=True)
        os.makedirs(lib)
        for i in range(entries):
            open(os.path.join(lib, "client-module-%06d.jar" % i), "wb").close()
    return lib


def class_path():
    bench = os.path.join(BUILD, "x64", "bench", "classpath_bench.exe")
    per_entry, listing_per_entry = {}, {}
    for entries, rounds in CLASS_PATH_SIZES:
        lib = lib_of(entries)
        out = subprocess.run([WINE, bench, winpath(lib), str(rounds)], env=ENV, check=True,
                             capture_output=True, text=True).stdout
        fields = dict(item.split("=") for item in out.split())
        builder, listing = float(fields["builder_us"]), float(fields["listing_us"])
        listed = int(fields["entries"])
        per_entry[entries] = builder / listed
        listing_per_entry[entries] = listing / listed
        print("class path: %6d entries: builder %9.0f us, bare listing %9.0f us: ratio %.3f, "
              "builder %.3f us per entry" % (entries, builder, listing, builder / listing, per_entry[entries]))
    first, last = CLASS_PATH_SIZES[0][0], CLASS_PATH_SIZES[-1][0]
    print("class path: cost per entry at %d entries / at %d entries: builder %.3f, bare listing %.3f"
          % (last, first, per_entry[last] / per_entry[first], listing_per_entry[last] / listing_per_entry[first]))


def timed(args, cwd):
    start = time.perf_counter()
    done = subprocess.run(args, cwd=cwd, env=ENV, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    elapsed = time.perf_counter() - start
    if done.returncode <= 32:
        sys.exit("%s: the shell refused the start (%d)" % (args[1], done.returncode))
    return elapsed


def launch():
    install = os.path.join(WORK, "install")
    shutil.rmtree(install, ignore_errors=True)
    os.makedirs(os.path.join(install, "lib"))
    os.makedirs(os.path.join(install, "jre6", "bin"))
    open(os.path.join(install, "lib", "client.jar"), "wb").close()
    shutil.copy(os.path.join(BUILD, "x64", "bench", "noop.exe"), os.path.join(install, "jre6", "bin", "javaw.exe"))
    shutil.copy(os.path.join(ROOT, "dist", "x64", "korvel.exe"), install)
    shutil.copy(os.path.join(BUILD, "x64", "bench", "shell_only.exe"), install)
    launcher = [WINE, os.path.join(install, "korvel.exe")]
    yardstick = [WINE, os.path.join(install, "shell_only.exe"), str(len(PARAMS))]
    for args in (launcher, yardstick):  # warm both up
        timed(args, install)
    ratios, times = [], {"launcher": [], "shell_only": []}
    for i in range(LAUNCH_PAIRS):
        order = [("launcher", launcher), ("shell_only", yardstick)]
        if i % 2:
            order.reverse()
        pair = {name: timed(args, install) for name, args in order}
        for name in pair:
            times[name].append(pair[name])
        ratios.append(pair["launcher"] / pair["shell_only"])
    print("launch: median launcher %.1f ms, shell_only %.1f ms, median paired ratio %.3f over %d pairs"
          % (statistics.median(times["launcher"]) * 1e3, statistics.median(times["shell_only"]) * 1e3,
             statistics.median(ratios), LAUNCH_PAIRS))


def main():
    os.makedirs(WORK, exist_ok=True)
    # The tests' own script: it makes the prefix if need be and starts a
    # wineserver that stays up until the stop, with wine's services detached.
    server = os.path.join(ROOT, "tests", "wine-server.sh")
    subprocess.run(["sh", server, "start"], env=dict(ENV, KVL_TMP=WORK), check=True)
    try:
        size()
        class_path()
        launch()
    finally:
        subprocess.run(["sh", server, "stop"], env=ENV)


if __name__ == "__main__":
    main()
