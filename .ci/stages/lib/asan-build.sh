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

# fontconfig, cairo, Pango and the libraries under them keep process-wide caches until exit; they are not
# ours to free. Points LSAN_OPTIONS at a suppressions file for them, removed when the stage ends.
suppress_font_cache_leaks() {
    font_cache_suppressions=$(mktemp)
    trap 'rm -f "$font_cache_suppressions"' EXIT
    local library
    for library in libfontconfig libcairo libX11 libXcursor libpango libpangoft2 libpangocairo libglib libgobject \
                   libharfbuzz libfreetype; do
        printf 'leak:%s.so\n' "$library"
    done > "$font_cache_suppressions"
    export LSAN_OPTIONS=suppressions=$font_cache_suppressions
}
