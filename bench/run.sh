#!/bin/sh
# Builds the launcher and the benchmark programs, then prints the benchmarks.
set -eu
cd "$(dirname "$0")/.."
bash cmake/prereqs.sh test
cmake --preset test >/dev/null
cmake --build --preset test >/dev/null
/usr/bin/python3 bench/bench.py
