#!/usr/bin/env bash
# Builds the fuzz targets (preset `fuzz`: clang, libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) and runs each for SECONDS (default 20). Fails
# when a target finds a crash or a broken property; the input that did it is
# kept in build/fuzz/artifacts/. New inputs found go to build/fuzz/corpus/,
# seeded from tests/fuzz/corpus/.
#   scripts/fuzz.sh            the short stage of scripts/test.sh
#   scripts/fuzz.sh 1800       half an hour a target
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
scripts/setup.sh fuzz

targets=(records update_file cp932 sim_parsers conversation)
mkdir -p build/fuzz/artifacts
failed=()
for name in "${targets[@]}"; do
    corpus=build/fuzz/corpus/$name
    mkdir -p "$corpus"
    echo "== $name: ${seconds} s"
    if ! build/fuzz/tests/fuzz/${name}_fuzz "$corpus" "tests/fuzz/corpus/$name" \
            -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 -max_len=4096 \
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
