#!/usr/bin/env bash
# Rewrites the golden references from BUILD_DIR's kolvar-extract, so that a change shows as their
# diff: read it before committing.
#   scripts/update-golden.sh BUILD_DIR [SHARED_SAMPLES_DIR]
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(cd "${1:?usage: update-golden.sh BUILD_DIR [SHARED_SAMPLES_DIR]}" && pwd)
shared=${2:-$root/../shared/data/samples}
golden=$root/tests/golden
rm -rf "$golden/expected"
"$golden/golden.sh" --update "$build/cli/kolvar-extract" "$golden/dialects"
if [ -d "$shared" ]; then
  "$golden/golden.sh" --update "$build/cli/kolvar-extract" "$(dirname "$shared")" "$(basename "$shared")"
else
  echo "no shared recordings at $shared: their references are gone from the diff" >&2
fi
git -C "$root" status --short -- tests/golden/expected
