# shellcheck shell=bash
# Sourced by the fuzz stages: one clang build under address and undefined-behaviour
# sanitizers serves every fuzz target, so the libraries compile once.
fuzz_build=build-fuzz
# CI fuzzes each target for 60 seconds; set QUILLMAR_FUZZ_SECONDS for a shorter local run.
fuzz_seconds=${QUILLMAR_FUZZ_SECONDS:-60}

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1

# Configures the shared build and builds only the targets named.
fuzz_build_targets() {
    CC=clang CXX=clang++ cmake -S . -B "$fuzz_build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DQUILLMAR_FUZZ=ON -DQUILLMAR_SANITIZE=address,undefined -DQUILLMAR_TESTS=OFF -DQUILLMAR_BENCH=OFF \
        -DCMAKE_CXX_FLAGS=-fno-sanitize-recover=all >/dev/null
    cmake --build "$fuzz_build" --target "$@" -j"${QUILLMAR_JOBS:-$(nproc)}"
}

# Makes $corpus a fresh folder, removed when the stage ends.
fuzz_temp_corpus() {
    corpus=$(mktemp -d)
    trap 'rm -rf "$corpus"' EXIT
}

# seed NAME TEXT: one corpus file holding TEXT.
seed() { printf '%s' "$2" > "$corpus/$1"; }

# Runs fuzz_<name> over the corpus folder; further arguments go to libFuzzer.
# Any crash, sanitizer report or broken property fails the stage.
fuzz_run() {
    local name=$1 corpus=$2
    shift 2
    "$fuzz_build/fuzz/fuzz_$name" -max_total_time="$fuzz_seconds" -timeout=10 -max_len=8192 \
        -artifact_prefix="$fuzz_build/" -print_final_stats=1 "$@" "$corpus"
}
