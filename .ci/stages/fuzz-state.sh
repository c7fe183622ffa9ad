#!/usr/bin/env bash
# Fuzzes the state text reader (host chunks, state and patch files) under
# address and undefined-behaviour sanitizers; any crash, sanitizer report or
# changed state after an unreadable text fails the stage.
set -euo pipefail
cd "$(dirname "$0")/../.."
source .ci/stages/lib/fuzz-build.sh

fuzz_build_targets fuzz_state_deserialize

fuzz_temp_corpus
seed empty ''
seed globals '{"apply.changetime": 2, "apply.patch_controls": 0, "apply.patch_globals": 2, "apply.patch_random": 0.5, "apply.patch_soundfile": 1, "density.compensation": 1e999}'
seed keys '{"patch.-1": {"timestamp": 1}, "patch.130": {"timestamp": 1}, "patch. 7": {"timestamp": 1}, "patch.x": 1, "patch.99999999999": 1}'
seed slot '{
  "apply.changetime": 0.05,
  "patch.1": {
    "adsr1.points": [
      { "curve": 0, "delta": 0, "level": 0 },
      { "curve": 0, "delta": 12.5, "level": 1 },
      { "curve": 0, "delta": 100, "level": 0.8 },
      { "curve": 0.5, "delta": 2700, "level": 0.8 },
      { "curve": 0, "delta": 100000, "level": 0 }
    ],
    "grain.attack": 0.3,
    "grain.decay": 0.2,
    "grain.rate": 30,
    "grain.rate.controller.0": { "amount": 0.5, "clip": 0.25, "freq": 50, "skew": -0.5, "type": "lfo" },
    "grain.rate.controller.1": { "amount": 0.5, "param": "grain.length", "type": "inner" },
    "grain.pan.controller.0": { "amount": 0.5, "mix": 0.3, "offset": -2000, "type": "amp_noise" },
    "grain.length.controller.0": null,
    "sound.end": 4410000,
    "sound.start": 44100,
    "soundfile": "\/sounds\/d\u00e9j\u00e0 \ud83c\udfb5.wav",
    "timestamp": 1700000000
  },
  "patch.129": { "timestamp": 5, "grain.freq": [1] }
}
'
printf '\xef\xbb\xbf{"patch.0": {"timestamp": 1700000000}}' > "$corpus/bom"

fuzz_run state_deserialize "$corpus"
