#!/usr/bin/env bash
# Runs every test that opens a real X window, many copies at once for many rounds, to catch what only
# shows under load. Each copy runs its own private Xvfb.
#   tools/x11-soak.sh [build folder] [copies] [rounds]
# Prints the figures, keeps the log of each failed run, and exits non-zero on any failure or on an Xvfb
# left running by the soak.
set -u

build=$(realpath "${1:-build}")
copies=${2:-8}
rounds=${3:-40}

# Binary and filter: the X window tests of each suite (the plug-in's: its editor in a host window).
suites=(
    "tests/vstgui/test_vstgui X11*:XvfbServer*"
    "tests/gui/test_gui *X11*"
    "tests/editor/test_editor *X11*"
    "tests/plugin/test_plugin *InHost.*"
)

for suite in "${suites[@]}"; do
    read -r binary _ <<<"$suite"
    [[ -x $build/$binary ]] || { echo "missing $build/$binary: build first" >&2; exit 2; }
done

logs=$(mktemp -d "${TMPDIR:-/tmp}/x11-soak.XXXXXX")
# The tests run in a folder of their own, and so do the servers they start: a server still running
# there after the soak is one it left behind, whatever else runs on the machine.
work=$logs/work
mkdir "$work"
running() { ps -C Xvfb -o pid=,stat= | awk '$2 !~ /^Z/ { print $1 }'; }
ours() { for pid in $(running); do [[ $(readlink "/proc/$pid/cwd") == "$work" ]] && echo "$pid"; done; }
orphans() { for pid in $(running); do [[ $(ps -o ppid= -p "$pid" | tr -d ' ') == 1 ]] && echo "$pid"; done; }
before=$(orphans | grep -c .)

testsPerRound=0
for suite in "${suites[@]}"; do
    read -r binary filter <<<"$suite"
    count=$("$build/$binary" --gtest_filter="$filter" --gtest_list_tests | grep -c '^  ')
    testsPerRound=$((testsPerRound + count))
done

# One copy: every suite once; a failed suite keeps its output.
runCopy() {
    local round=$1 copy=$2 suite binary filter log
    for suite in "${suites[@]}"; do
        read -r binary filter <<<"$suite"
        log=$logs/round$round-copy$copy-$(basename "$binary").log
        (cd "$work" && "$build/$binary" --gtest_filter="$filter") >"$log" 2>&1 && rm -f "$log"
    done
}

for ((round = 1; round <= rounds; ++round)); do
    for ((copy = 1; copy <= copies; ++copy)); do
        runCopy "$round" "$copy" &
    done
    wait
done

# Failed tests of the kept logs; a run that died before its summary counts as one.
failures=0
for log in "$logs"/*.log; do
    [[ -e $log ]] || continue
    failed=$(grep -c '^\[  FAILED  \] .* ms)$' "$log")
    failures=$((failures + (failed > 0 ? failed : 1)))
done

left=$(ours | grep -c .)
echo "copies $copies, rounds $rounds, tests per copy and round $testsPerRound," \
     "test runs $((copies * rounds * testsPerRound)), failed $failures," \
     "orphaned Xvfb on the machine before $before, after $(orphans | grep -c .), left by the soak $left"
if ((failures > 0)); then
    echo "logs of the failed runs: $logs"
elif ((left == 0)); then
    rm -rf "$logs"
fi
((failures == 0 && left == 0))
