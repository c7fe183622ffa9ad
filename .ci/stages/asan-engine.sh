#!/usr/bin/env bash
# The synth tests (grain engine included) under AddressSanitizer and
# UndefinedBehaviorSanitizer: no grain may read outside its sound.
set -euo pipefail
cd "$(dirname "$0")/../.."

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQUILLMAR_SANITIZE=address,undefined -DQUILLMAR_BENCH=OFF
cmake --build build-asan -j"$(nproc)" --target test_synth
UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 build-asan/tests/synth/test_synth
