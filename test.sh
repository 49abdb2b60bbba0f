#!/usr/bin/env bash
# Sets up what is missing, builds, and runs every test; then the parsers' tests
# again under AddressSanitizer and UndefinedBehaviorSanitizer, and each fuzz
# target briefly.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
scripts/setup.sh
ctest --test-dir build --output-on-failure --timeout 300 -j"$(nproc)"

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKOLVAR_BUILD_GUI=OFF \
  -DKOLVAR_BUILD_BENCH=OFF -DKOLVAR_SANITIZE=ON >/dev/null
cmake --build build-asan -- -j"$(nproc)" >&2
ctest --test-dir build-asan --output-on-failure --timeout 300 -j"$(nproc)"

if command -v clang++ >/dev/null 2>&1; then
  scripts/fuzz.sh "${KOLVAR_FUZZ_SECONDS:-15}"
fi
