#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the whole
# suite in a normal build, then the core, fuzz and case tests again under
# AddressSanitizer and UndefinedBehaviorSanitizer, the core and case tests
# built by clang, and last the libFuzzer targets for a minute, side by side.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_missing_packages "${RUN_PACKAGES[@]}" "${TEST_PACKAGES[@]}"

echo "== Build and test"
configure_and_build "$BUILD_DIR" -DNUMERELLE_TESTS=ON -DNUMERELLE_BENCH=ON
# A decimal-comma locale, generated beside the build (no root needed): the
# core test of foreign locales uses it, and the core, case and GUI tests run
# once more under it, as a user with LANG=de_DE.UTF-8 would run the window.
export LOCPATH="$BUILD_DIR/locales"
mkdir -p "$LOCPATH"
[ -d "$LOCPATH/de_DE.UTF-8" ] || localedef -i de_DE -f UTF-8 "$LOCPATH/de_DE.UTF-8"
(cd "$BUILD_DIR" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$JOBS")

echo "== Core, case and GUI tests under a decimal-comma locale"
(cd "$BUILD_DIR" && LC_ALL=de_DE.UTF-8 QT_QPA_PLATFORM=offscreen \
  ctest --output-on-failure -j "$JOBS" -L 'core|cases|gui')

echo "== Core tests under AddressSanitizer and UndefinedBehaviorSanitizer"
SANITIZE_DIR="${BUILD_DIR}-sanitize"
cmake -S "$ROOT" -B "$SANITIZE_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_COMPILE_WARNING_AS_ERROR=ON \
  -DNUMERELLE_GUI=OFF -DNUMERELLE_TESTS=ON -DNUMERELLE_SANITIZE=ON
cmake --build "$SANITIZE_DIR" -j "$JOBS"
(cd "$SANITIZE_DIR" && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --output-on-failure -j "$JOBS" -L 'core|fuzz|cases')

echo "== Core and case tests built by clang"
CLANG_DIR="${BUILD_DIR}-clang"
configure "$CLANG_DIR" -DCMAKE_CXX_COMPILER=clang++ -DNUMERELLE_GUI=OFF -DNUMERELLE_TESTS=ON
# Only what those tests run: the core, the command line's library and their tests.
cmake --build "$CLANG_DIR" -j "$JOBS" --target \
  common_tests expr_tests bignum_tests matrix_tests numtools_tests calculus_tests case_tests
(cd "$CLANG_DIR" && ctest --output-on-failure -j "$JOBS" -L 'core|cases')

echo "== Coverage-guided fuzzing, a minute for each target, side by side"
# New inputs go to a scratch corpus in the build folder; the seeds in
# tests/fuzz/corpus are only read. A failing input is saved under
# $FUZZ_DIR/artifacts; replay it with the target itself or, in the normal
# build, with tests/replay_TARGET FILE. Then make it a seed or a test.
FUZZ_DIR="${BUILD_DIR}-fuzz"
FUZZ_TARGETS=(formula decimal matrix_file)
# Longest input of each: long operands reach the fast products; a matrix
# file of order 12 is 1164 bytes.
declare -A FUZZ_MAX_LEN=([formula]=2048 [decimal]=12000 [matrix_file]=1200)
CXX=clang++ cmake -S "$ROOT" -B "$FUZZ_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DNUMERELLE_GUI=OFF -DNUMERELLE_TESTS=OFF -DNUMERELLE_FUZZ=ON
cmake --build "$FUZZ_DIR" -j "$JOBS" --target "${FUZZ_TARGETS[@]/#/fuzz_}"
declare -A fuzz_pid
for target in "${FUZZ_TARGETS[@]}"; do
  mkdir -p "$FUZZ_DIR/corpus/$target" "$FUZZ_DIR/artifacts/$target"
  "$FUZZ_DIR/tests/fuzz/targets/fuzz_$target" -max_total_time="${NUMERELLE_FUZZ_SECONDS:-60}" \
    -timeout=10 -rss_limit_mb=2048 -max_len="${FUZZ_MAX_LEN[$target]}" -print_final_stats=1 \
    -artifact_prefix="$FUZZ_DIR/artifacts/$target/" \
    "$FUZZ_DIR/corpus/$target" "$ROOT/tests/fuzz/corpus/$target" >"$FUZZ_DIR/$target.log" 2>&1 &
  fuzz_pid[$target]=$!
done
fuzz_failed=()
for target in "${FUZZ_TARGETS[@]}"; do
  if wait "${fuzz_pid[$target]}"; then
    echo "fuzz_$target: $(grep -m1 'number_of_executed_units' "$FUZZ_DIR/$target.log" | tr -s ' ' | cut -d' ' -f2) runs, no finding"
  else
    fuzz_failed+=("$target")
    echo "fuzz_$target FAILED:"
    tail -n 40 "$FUZZ_DIR/$target.log"
  fi
done
((${#fuzz_failed[@]} == 0))
