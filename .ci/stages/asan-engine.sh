#!/usr/bin/env bash
# The synth tests (grain engine included) under AddressSanitizer and
# UndefinedBehaviorSanitizer: no grain may read outside its sound.
set -euo pipefail
cd "$(dirname "$0")/../.."
source .ci/stages/lib/asan-build.sh

asan_build_targets test_synth
"$asan_build/tests/synth/test_synth"
