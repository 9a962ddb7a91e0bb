#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the whole
# suite in a normal build, then the core, fuzz and case tests again under
# AddressSanitizer and UndefinedBehaviorSanitizer, and the core and case tests
# built by clang.
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
