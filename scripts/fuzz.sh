#!/usr/bin/env bash
# Builds the fuzz targets (preset `fuzz`: clang, libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) and runs each of them.
#   scripts/fuzz.sh            the short stage of scripts/test.sh: a fixed seed
#                              and a fixed number of runs, from the seeds in
#                              tests/fuzz/corpus/ only, so that every run
#                              starts alike and takes the same work, however
#                              busy the machine
#   scripts/fuzz.sh 1800       exploring: half an hour a target, new inputs
#                              kept in build/fuzz/corpus/
# Fails when a target finds a crash or a broken property; the input that did
# it is kept in build/fuzz/artifacts/. An input worth keeping goes into
# tests/fuzz/corpus/, where the short stage replays it from then on.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-}
scripts/setup.sh fuzz

# Runs a target in the short stage: about ten seconds each on this machine.
declare -A short_runs=([records]=400000 [update_file]=60000 [cp932]=100000
                       [sim_parsers]=200000 [conversation]=25000 [viewer_files]=30000)
mkdir -p build/fuzz/artifacts
failed=()
for name in "${!short_runs[@]}"; do
    if [ -n "$seconds" ]; then
        corpus=build/fuzz/corpus/$name
        limit=(-max_total_time="$seconds")
        echo "== $name: ${seconds} s"
    else
        corpus=build/fuzz/short/$name
        rm -rf "$corpus"
        limit=(-seed=1 -runs="${short_runs[$name]}")
        echo "== $name: ${short_runs[$name]} runs"
    fi
    mkdir -p "$corpus"
    if ! build/fuzz/tests/fuzz/${name}_fuzz "$corpus" "tests/fuzz/corpus/$name" "${limit[@]}" \
            -timeout=20 -rss_limit_mb=2048 -max_len=4096 \
            -artifact_prefix="build/fuzz/artifacts/$name-" -print_final_stats=1 \
            >"build/fuzz/$name.log" 2>&1; then
        failed+=("$name")
        tail -n 40 "build/fuzz/$name.log"
    fi
    grep -E '^stat::number_of_executed_units' "build/fuzz/$name.log" || true
done
if [ ${#failed[@]} -gt 0 ]; then
    echo "Fuzzing found faults in: ${failed[*]} (inputs in build/fuzz/artifacts/)" >&2
    exit 1
fi
