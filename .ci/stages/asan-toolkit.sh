#!/usr/bin/env bash
# The toolkit, the views and the editor window under AddressSanitizer and UndefinedBehaviorSanitizer,
# leaks included: reference counting and view-tree teardown must free everything they own.
set -euo pipefail
cd "$(dirname "$0")/../.."
source .ci/stages/lib/asan-build.sh

asan_build_targets test_vstgui test_gui test_editor

# fontconfig, cairo, Pango and the libraries under it keep process-wide caches until exit; they are not
# ours to free.
suppressions=$(mktemp)
trap 'rm -f "$suppressions"' EXIT
for library in libfontconfig libcairo libX11 libXcursor libpango libpangoft2 libpangocairo libglib libgobject \
               libharfbuzz libfreetype; do
    printf 'leak:%s.so\n' "$library"
done > "$suppressions"

for suite in vstgui/test_vstgui gui/test_gui editor/test_editor; do
    ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions="$suppressions" "$asan_build/tests/$suite"
done
