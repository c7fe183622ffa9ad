#!/usr/bin/env bash
# Fuzzes the sound file reader and sound pack for 60 seconds under address and
# undefined-behaviour sanitizers, starting from seeds our own builder writes.
# Fails on any crash, sanitizer report or broken pack.
set -euo pipefail
cd "$(dirname "$0")/../.."

build=build-fuzz
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQUILLMAR_FUZZ=ON -DQUILLMAR_SANITIZE=address,undefined -DQUILLMAR_TESTS=OFF -DQUILLMAR_BENCH=OFF \
    "-DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link -fno-sanitize-recover=all" >/dev/null
cmake --build "$build" --target fuzz_soundfile soundfile-seeds -j"$(nproc)"

corpus="$build/soundfile-corpus"
rm -rf "$corpus"
"$build/tools/soundfile-seeds/soundfile-seeds" "$corpus"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
"$build/fuzz/fuzz_soundfile" -max_total_time=60 -timeout=10 -rss_limit_mb=2048 -max_len=8192 \
    -dict=tools/soundfile-seeds/soundfile.dict -artifact_prefix="$build/" -print_final_stats=1 "$corpus"
