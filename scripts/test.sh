#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the build with warnings as errors, the
# layering, format and clang-tidy gates, the whole suite, then the whole suite again built with
# AddressSanitizer and UndefinedBehaviorSanitizer. This is what CI runs.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
TALONEX_SANITIZE_BUILD="${TALONEX_SANITIZE_BUILD:-$TALONEX_ROOT/build-sanitize}"

# run_suite FOLDER [CTEST_OPTION...]
run_suite() {
    local folder="$1"
    shift
    (cd "$folder" && ctest --output-on-failure -j "$TALONEX_JOBS" --timeout 120 "$@")
}

talonex_step install talonex_install
talonex_step layers bash "$TALONEX_ROOT/scripts/check-layers.sh"
talonex_step build talonex_build "$TALONEX_BUILD" -DTALONEX_WERROR=ON
talonex_step format-check cmake --build "$TALONEX_BUILD" --target format-check
talonex_step tidy bash "$TALONEX_ROOT/scripts/tidy.sh" "$TALONEX_BUILD"
talonex_step tests run_suite "$TALONEX_BUILD"

# Qt and the system libraries are not instrumented; what they hold until exit is not ours, so leaks
# are judged by the suppressions file, every other report stops the test.
export ASAN_OPTIONS="halt_on_error=1:abort_on_error=1:detect_stack_use_after_return=1:strict_string_checks=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="suppressions=$TALONEX_ROOT/scripts/lsan.supp:print_suppressions=0"
# Without -Werror here: GCC 12 reports false "maybe uninitialized" warnings on the instrumented
# code; the main build above already holds every warning as an error.
talonex_step sanitize-build talonex_build "$TALONEX_SANITIZE_BUILD" -DTALONEX_SANITIZE=ON \
    -DTALONEX_BUILD_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug "-DCMAKE_CXX_FLAGS_DEBUG=-g -O1"
# The package test checks the release package, not instrumented programs.
talonex_step sanitize-tests run_suite "$TALONEX_SANITIZE_BUILD" -E '^package_deb$'
