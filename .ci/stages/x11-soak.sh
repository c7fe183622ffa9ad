#!/usr/bin/env bash
# The real-X-window tests, 8 copies at once for 10 rounds on the main build: a test that waits on
# timing instead of an event, or a test process that leaves its Xvfb running, shows here.
set -euo pipefail
cd "$(dirname "$0")/../.."

tools/x11-soak.sh build 8 10
