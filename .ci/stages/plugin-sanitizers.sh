#!/usr/bin/env bash
# The plug-in base classes, the host tool and plug-in modules loaded through dlopen,
# under AddressSanitizer (with leak checks) and UndefinedBehaviorSanitizer; among them
# QuillmarConcurrentHost, chunks restored while program changes read the slots.
set -euo pipefail
cd "$(dirname "$0")/../.."
source .ci/stages/lib/asan-build.sh

asan_build_targets test_plugin
# The editor opened in a host draws text, so the font libraries' caches are there too.
suppress_font_cache_leaks
"$asan_build/tests/plugin/test_plugin"
