#!/usr/bin/env bash
# Runs the whole test suite again and again on a busy machine, to find tests
# that hold only on a quiet one and races in the program that only a busy
# machine shows.
#
# In every build folder given, COPIES loops run at once, each running the
# whole suite ROUNDS times (`ctest -j JOBS`, more jobs than cores); BURNERS
# processes spin the CPU beside them. Every suite run counts; the log of one
# that failed is kept in LOGS. The last line sums up, and the exit status is
# not zero when any run failed.
#
# Usage: tools/stress_tests.sh [BUILD_DIR...]        (default: build)
#   e.g. tools/stress_tests.sh build build-asan
# Environment: ROUNDS (10), COPIES (2), JOBS (twice the cores), BURNERS (0),
#              LOGS (stress-logs)
# Build the folders first (`make test` builds build/ and build-asan/).
set -uo pipefail

ROUNDS=${ROUNDS:-10}
COPIES=${COPIES:-2}
JOBS=${JOBS:-$(($(nproc) * 2))}
BURNERS=${BURNERS:-0}
LOGS=$(realpath -m "${LOGS:-stress-logs}")
BUILDS=("$@")
[ ${#BUILDS[@]} -gt 0 ] || BUILDS=(build)

for build in "${BUILDS[@]}"; do
    [ -f "$build/CTestTestfile.cmake" ] || {
        echo "$build holds no built test suite" >&2
        exit 2
    }
done
mkdir -p "$LOGS"
rm -f "$LOGS"/*.log "$LOGS"/*.result

# The sanitizer builds run with the options and suppressions `make test`
# gives them (the other builds ignore these).
here=$(dirname "$(realpath "$0")")/..
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:strict_init_order=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$here/tests/lsan.supp:print_suppressions=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export TSAN_OPTIONS=${TSAN_OPTIONS:-suppressions=$here/tests/tsan.supp:second_deadlock_stack=1}

PIDS=()
stop_all() {
    for pid in "${PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
}
trap stop_all EXIT

for _ in $(seq 1 "$BURNERS"); do
    (while :; do :; done) &
    PIDS+=($!)
done

# One loop: ROUNDS whole-suite runs in one build folder; one result file per run.
suite_loop() {  # build folder, copy number
    local build=$1 copy=$2 name round log
    name=$(basename "$(realpath "$build")")
    for round in $(seq 1 "$ROUNDS"); do
        log="$LOGS/$name-$copy-$round.log"
        if (cd "$build" && ctest -j "$JOBS" --output-on-failure) > "$log" 2>&1; then
            echo pass > "$LOGS/$name-$copy-$round.result"
            rm -f "$log"
        else
            echo fail > "$LOGS/$name-$copy-$round.result"
        fi
    done
}

LOOPS=()
started=$(date +%s)
for build in "${BUILDS[@]}"; do
    for copy in $(seq 1 "$COPIES"); do
        suite_loop "$build" "$copy" &
        LOOPS+=($!)
    done
done
wait "${LOOPS[@]}"
stop_all
PIDS=()

runs=$(cat "$LOGS"/*.result 2>/dev/null | wc -l)
failed=$(grep -l fail "$LOGS"/*.result 2>/dev/null | wc -l)
if [ "$failed" -gt 0 ]; then
    echo "Failed tests (runs), logs in $LOGS:"
    # ctest lists them after "The following tests FAILED:" as "  12 - name (Failed)".
    sed -n '/The following tests FAILED:/,/Errors while running/p' "$LOGS"/*.log |
        sed -n 's/^[[:space:]]*[0-9]* - \(.*\) (.*)$/\1/p' | sort | uniq -c | sort -rn
fi
echo "stress: $runs whole-suite runs under load ($COPIES at once in each of ${BUILDS[*]}," \
    "ctest -j $JOBS on $(nproc) cores, $BURNERS CPU burners, $(($(date +%s) - started)) s)," \
    "$failed failed"
[ "$failed" -eq 0 ] && [ "$runs" -eq $((ROUNDS * COPIES * ${#BUILDS[@]})) ]
