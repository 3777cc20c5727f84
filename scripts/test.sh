#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: unit and screen tests,
# the unit tests again under AddressSanitizer and UndefinedBehaviorSanitizer,
# and a short fuzzing run of the file readers and the network message decoder.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh --tests
jobs=$(nproc)

# The options are named: the play command configures the same build directory
# without tests, and CMake keeps that choice until told otherwise.
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DHOOFBRAWL_TESTS=ON -DHOOFBRAWL_BENCH=ON >/dev/null
cmake --build build -j"$jobs"
# Screen tests need an X server: a private Xvfb with a 24-bit screen larger than the window.
(cd build && xvfb-run -a -s "-screen 0 1024x768x24 -noreset" ctest --output-on-failure --no-tests=error)

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DHOOFBRAWL_SANITIZE=ON -DHOOFBRAWL_TESTS=ON -DHOOFBRAWL_BENCH=OFF >/dev/null
cmake --build build-asan -j"$jobs" --target unit_tests
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 ctest --output-on-failure --no-tests=error -L unit)

if [ -f fuzz/CMakeLists.txt ]; then
  CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DHOOFBRAWL_FUZZ=ON -DHOOFBRAWL_TESTS=OFF -DHOOFBRAWL_BENCH=OFF >/dev/null
  cmake --build build-fuzz -j"$jobs" --target fuzz_targets
  fuzz/run.sh build-fuzz 30
fi
