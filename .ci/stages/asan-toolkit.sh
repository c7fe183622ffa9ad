#!/usr/bin/env bash
# The toolkit tests under AddressSanitizer and UndefinedBehaviorSanitizer, leaks included:
# reference counting and view-tree teardown must free everything they own.
set -euo pipefail
cd "$(dirname "$0")/../.."

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQUILLMAR_SANITIZE=address,undefined -DQUILLMAR_BENCH=OFF >/dev/null
cmake --build build-asan -j"$(nproc)" --target test_vstgui

# fontconfig and cairo keep process-wide font caches until exit; they are not ours to free.
suppressions=$(mktemp)
trap 'rm -f "$suppressions"' EXIT
printf 'leak:libfontconfig.so\nleak:libcairo.so\nleak:libX11.so\nleak:libXcursor.so\n' > "$suppressions"

ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions="$suppressions" \
UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 build-asan/tests/vstgui/test_vstgui
