#!/usr/bin/env bash
# Sets up what is missing, builds, and runs every test, then each fuzz target briefly.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
scripts/setup.sh
ctest --test-dir build --output-on-failure --timeout 300 -j"$(nproc)"
if command -v clang++ >/dev/null 2>&1; then
  scripts/fuzz.sh "${KOLVAR_FUZZ_SECONDS:-15}"
fi
