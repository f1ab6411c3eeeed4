#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a minute, starting
# from its committed seeds, and says how many inputs each run tried. A crash,
# a sanitizer report or a broken promise fails the run; the input that caused
# it is kept under build-fuzz/artifacts/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${TOLVANE_FUZZ_SECONDS:-60}
targets=(fuzz_settingsstore fuzz_drivemap fuzz_batchfile fuzz_executableicon)
cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTOLVANE_FUZZ=ON -DTOLVANE_BUILD_TESTS=OFF -DTOLVANE_BUILD_BENCH=OFF >/dev/null
cmake --build build-fuzz --target "${targets[@]}"
mkdir -p build-fuzz/artifacts
for target in "${targets[@]}"; do
    # New inputs go to the first folder, so the committed seeds stay as they are.
    corpus=build-fuzz/corpus/$target
    log=build-fuzz/$target.log
    mkdir -p "$corpus"
    if ! "build-fuzz/tests/fuzz/$target" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="build-fuzz/artifacts/$target-" "$corpus" "tests/fuzz/corpus/$target" \
        >"$log" 2>&1; then
        tail -n 60 "$log"
        echo "$target: FAILED (log: $log)"
        exit 1
    fi
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    echo "$target: $runs inputs in $seconds s, no fault"
done
