#!/usr/bin/env bash
# The libraries, the plug-in and the tools built for Debug (no optimisation): g++ takes other
# paths through the code at -O0 and has stopped there with an internal compiler error that the
# optimised builds never meet. Compiling is what is checked, so no tests or benchmarks.
set -euo pipefail
cd "$(dirname "$0")/../.."

cmake -S . -B build-debug -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUILLMAR_TESTS=OFF -DQUILLMAR_BENCH=OFF >/dev/null
cmake --build build-debug -j"${QUILLMAR_JOBS:-$(nproc)}"
