#!/usr/bin/env bash
# Sets up, builds and runs every test: the full build with warnings as errors,
# then the core tests again under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)")

cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DRB_WERROR=ON -DRB_SANITIZE=ON -DRB_CORE_ONLY=ON >/dev/null
cmake --build build-sanitize -j"$(nproc)" --target core_tests
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 build-sanitize/tests/core_tests --gtest_brief=1
