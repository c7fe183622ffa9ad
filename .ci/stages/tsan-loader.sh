#!/usr/bin/env bash
# The background sound loader's tests under ThreadSanitizer: workers, the
# editor's poll and the audio thread's recalls share the sound cache.
set -euo pipefail
cd "$(dirname "$0")/../.."

cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQUILLMAR_SANITIZE=thread -DQUILLMAR_BENCH=OFF
cmake --build build-tsan -j"$(nproc)" --target test_synth
TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 build-tsan/tests/synth/test_synth \
    --gtest_filter='SoundLoader*:LoaderRecallTest.*:AudioThreadRecallTest.*:Files/LoadStateTest.*:ReleaseOrder/FinishOrderTest.*:DeferredRecallsTest.*:SoundHandoverSlots.*'
