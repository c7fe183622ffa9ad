#!/usr/bin/env bash
# The toolkit tests under AddressSanitizer and UndefinedBehaviorSanitizer, leaks included:
# reference counting and view-tree teardown must free everything they own.
set -euo pipefail
cd "$(dirname "$0")/../.."
source .ci/stages/lib/asan-build.sh

asan_build_targets test_vstgui

# fontconfig and cairo keep process-wide font caches until exit; they are not ours to free.
suppressions=$(mktemp)
trap 'rm -f "$suppressions"' EXIT
printf 'leak:libfontconfig.so\nleak:libcairo.so\nleak:libX11.so\nleak:libXcursor.so\n' > "$suppressions"

ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions="$suppressions" "$asan_build/tests/vstgui/test_vstgui"
