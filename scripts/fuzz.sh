#!/usr/bin/env bash
# Builds the input doors as libFuzzer targets with AddressSanitizer and UndefinedBehaviorSanitizer
# in build-fuzz/ (clang; only the core libraries the doors link) and runs each door on a copy of
# its committed corpus. Fails on any crash, leak, input slower than 10 s or RSS over 2 GB, and
# prints the executions per door. Findings land in build-fuzz/findings/<door>/.
#
#   scripts/fuzz.sh                 every door for 60 s
#   scripts/fuzz.sh pdf profile     only these doors
#   NOMIRA_FUZZ_SECONDS=3600 scripts/fuzz.sh pdf     one door for an hour
#   NOMIRA_FUZZ_SEED=0 scripts/fuzz.sh              a new random seed (the default seed is 1)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

seconds=${NOMIRA_FUZZ_SECONDS:-60}
# A fixed seed by default, so that a failing run is repeated exactly; NOMIRA_FUZZ_SEED=0 lets
# libFuzzer pick a new one each time.
seed=${NOMIRA_FUZZ_SEED:-1}
all_doors=(renamelist profile tiff jpeg pdf plot journal workdata template)
doors=("$@")
((${#doors[@]} > 0)) || doors=("${all_doors[@]}")

cc=$(command -v clang-14 || command -v clang || true)
cxx=$(command -v clang++-14 || command -v clang++ || true)
if [[ -z $cc || -z $cxx ]]; then
    echo "fuzz.sh: clang is missing (scripts/setup.sh installs clang-14 and libclang-rt-14-dev)" >&2
    exit 1
fi

launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER="$cc" -DCMAKE_CXX_COMPILER="$cxx" "${launcher[@]}" \
    -DNOMIRA_FUZZ=ON -DNOMIRA_BUILD_TESTS=OFF -DNOMIRA_BUILD_BENCH=OFF >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target "${doors[@]/#/fuzz_}"

export ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

status=0
summary=()
for door in "${doors[@]}"; do
    findings=build-fuzz/findings/$door
    work=build-fuzz/work/$door
    rm -rf "$work"
    mkdir -p "$findings" "$work"
    # A copy, so that what the run adds never changes the committed corpus.
    cp fuzz/corpus/"$door"/* "$work"/
    log=build-fuzz/findings/$door.log
    echo "== fuzzing $door for ${seconds} s"
    if build-fuzz/fuzz/fuzz_"$door" -max_total_time="$seconds" -seed="$seed" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$findings/" "$work" >"$log" 2>&1; then
        verdict=ok
    else
        verdict=FAILED
        status=1
        tail -n 60 "$log" >&2
    fi
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    summary+=("$(printf '%-12s %10s executions  %s' "$door" "${runs:-?}" "$verdict")")
done

echo "== fuzzing summary (${seconds} s per door)"
printf '%s\n' "${summary[@]}"
if ((status != 0)); then
    echo "fuzz.sh: FAILED (inputs in build-fuzz/findings/, see docs/FUZZING.md)" >&2
fi
exit "$status"
