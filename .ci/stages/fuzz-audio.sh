#!/usr/bin/env bash
# Fuzzes the sound file reader and sound pack under address and undefined-behaviour
# sanitizers, starting from seeds our own builder writes. Fails on any crash,
# sanitizer report or broken pack.
set -euo pipefail
cd "$(dirname "$0")/../.."
source .ci/stages/lib/fuzz-build.sh

fuzz_build_targets fuzz_soundfile soundfile-seeds

corpus="$fuzz_build/soundfile-corpus"
rm -rf "$corpus"
"$fuzz_build/tools/soundfile-seeds/soundfile-seeds" "$corpus"

fuzz_run soundfile "$corpus" -rss_limit_mb=2048 -dict=tools/soundfile-seeds/soundfile.dict
