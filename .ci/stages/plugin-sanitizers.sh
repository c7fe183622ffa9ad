#!/usr/bin/env bash
# The plug-in base classes, the host tool and plug-in modules loaded through dlopen,
# under AddressSanitizer (with leak checks) and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/../.."

cmake -S . -B build-plugin-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQUILLMAR_SANITIZE=address,undefined -DQUILLMAR_BENCH=OFF
cmake --build build-plugin-asan -j"$(nproc)" --target test_plugin
UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 build-plugin-asan/tests/plugin/test_plugin
