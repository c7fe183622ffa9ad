#!/usr/bin/env bash
# The engine, the loader and the plug-in under ThreadSanitizer: the audio
# thread, the editor's and host's threads, the load poller and the loading
# workers share parameters, slots, sounds and the sound cache; the audio
# thread never waits for a lock. Stress tests: ConcurrentEdit (controller
# types and jumps while rendering), AudioThreadTest (program changes on a
# fresh processing thread), QuillmarConcurrentHost (chunks while program
# changes play) and EditorStress (the editor opened, idled with X input and
# closed while an audio thread plays notes, program changes and automation,
# with chunks on the editor's thread, then on a thread of their own).
set -euo pipefail
cd "$(dirname "$0")/../.."

cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQUILLMAR_SANITIZE=thread -DQUILLMAR_BENCH=OFF
cmake --build build-tsan -j"$(nproc)" --target test_synth test_plugin
# Pango starts a font-set-up thread of its own that races fontconfig calls of the
# editor's thread inside those (uninstrumented) libraries, not in ours.
printf 'race:libfontconfig.so\n' > build-tsan/tsan.supp
export TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1:suppressions=$PWD/build-tsan/tsan.supp
build-tsan/tests/synth/test_synth
build-tsan/tests/plugin/test_plugin --gtest_filter=-EditorStress.*
# Each run of the editor stress lasts a minute and prints its opens, blocks and chunks; any report
# fails it (halt_on_error above), so a pass means none.
QUILLMAR_STRESS_SECONDS=${QUILLMAR_STRESS_SECONDS:-60} build-tsan/tests/plugin/test_plugin --gtest_filter=EditorStress.*
