#!/usr/bin/env bash
# Fuzzes the JSON reader under address and undefined-behaviour sanitizers;
# any crash or sanitizer report fails the stage.
set -euo pipefail
cd "$(dirname "$0")/../.."
source .ci/stages/lib/fuzz-build.sh

fuzz_build_targets fuzz_json_reader

fuzz_temp_corpus
seed empty ''
seed literals '[true, false, null, nullx]'
seed numbers '[0, -0.5, 1.25e3, 1E-7, +2, 1e400, 0e400, 1e99999999999, -, .5]'
seed strings '["a\"b\\c\/d", "\b\f\n\r\t", "\u00e9\u0416", "\ud83d\ude00", "\ud800x", "\u00G0"]'
seed nested '{"a": [1 2 3,], "b": {"c": {"d": [[], {}]}}, "a": 2}'
seed malformed '{a: 1, "b" 2, [1,,2], "\u00'
seed state '{
  "apply.changetime": 0.05,
  "density.compensation": 1,
  "patch.1": {
    "adsr1.points": [
      { "curve": 0, "delta": 4410, "level": 1 },
      { "curve": 0, "delta": 2205, "level": 0.7 }
    ],
    "grain.rate.controller.0": {
      "amount": 0.5,
      "freq": 0.25,
      "type": "lfo"
    },
    "soundfile": "C:\/sounds\/d\u00e9j\u00e0.wav",
    "timestamp": 1700000000
  }
}
'
printf '\xef\xbb\xbf{"bom": 1}' > "$corpus/bom"

fuzz_run json_reader "$corpus"
