#!/usr/bin/env bash
# The toolkit, the views and the editor window under AddressSanitizer and UndefinedBehaviorSanitizer,
# leaks included: reference counting and view-tree teardown must free everything they own.
set -euo pipefail
cd "$(dirname "$0")/../.."
source .ci/stages/lib/asan-build.sh

asan_build_targets test_vstgui test_gui test_editor

suppress_font_cache_leaks
for suite in vstgui/test_vstgui gui/test_gui editor/test_editor; do
    ASAN_OPTIONS=detect_leaks=1 "$asan_build/tests/$suite"
done
