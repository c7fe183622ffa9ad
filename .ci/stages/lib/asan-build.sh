# shellcheck shell=bash
# Sourced by the gcc AddressSanitizer stages: one build under address and
# undefined-behaviour sanitizers, each stage building only the tests it runs.
asan_build=build-asan

export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1

# Configures the shared build and builds only the targets named.
asan_build_targets() {
    cmake -S . -B "$asan_build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DQUILLMAR_SANITIZE=address,undefined -DQUILLMAR_BENCH=OFF >/dev/null
    cmake --build "$asan_build" --target "$@" -j"${QUILLMAR_JOBS:-$(nproc)}"
}
