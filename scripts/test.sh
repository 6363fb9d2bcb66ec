#!/usr/bin/env bash
# Installs what is missing, builds the test trees, starts the services the tests need and runs
# every test: the whole suite under AddressSanitizer and UndefinedBehaviorSanitizer, the
# threading tests under ThreadSanitizer, the web engine tests (which cannot run under a
# sanitizer) in a plain build, and the fuzz targets briefly.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/setup.sh || exit 1
eval "$(scripts/test-services.sh)" || exit 1

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1

summary=$(mktemp)
trap 'rm -f "$summary"' EXIT
status=0

# run_suite NAME DIR CTEST_ARGS... -- CMAKE_OPTIONS...
run_suite() {
    local name=$1 dir=$2
    shift 2
    local ctest_args=()
    while [[ $# -gt 0 && $1 != "--" ]]; do ctest_args+=("$1"); shift; done
    shift
    echo "== $name"
    if ! scripts/build.sh "$dir" "$@"; then
        echo "$name: build failed"
        status=1
        return
    fi
    # ThreadSanitizer cannot map its shadow memory with the kernel's full address randomisation.
    local launcher=()
    [[ $name == threads ]] && launcher=(setarch "$(uname -m)" -R)
    "${launcher[@]}" ctest --test-dir "$dir" --output-on-failure -j"$(nproc)" "${ctest_args[@]}" | tee -a "$summary"
    [[ ${PIPESTATUS[0]} -eq 0 ]] || status=1
}

run_suite suite build-asan -LE webengine -- -DKORVEX_SANITIZE=address,undefined
run_suite webengine build-plain -L webengine -- -DKORVEX_WITH_BENCH=OFF
run_suite threads build-tsan -L threads -- -DKORVEX_SANITIZE=thread -DKORVEX_WITH_QT=OFF -DKORVEX_WITH_BENCH=OFF
run_suite fuzz build-fuzz -L fuzz -- -DKORVEX_FUZZ=ON -DKORVEX_WITH_QT=OFF -DKORVEX_WITH_BENCH=OFF \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++

# One closing line over every run.
passed=0
failed=0
while read -r _ _ _ fails _ _ _ _ total; do
    passed=$((passed + total - fails))
    failed=$((failed + fails))
done < <(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$summary")
echo "korvex: $passed passed, $failed failed"
[[ $failed -eq 0 ]] || status=1
exit $status
