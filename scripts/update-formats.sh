#!/usr/bin/env bash
# Writes the table of dialects, as the reader registry gives it, into
# docs/formats.md and README.md between their "formats:begin/end" markers.
# Run after adding a dialect: scripts/update-formats.sh [BUILD_DIR]
# With --check first, changes nothing and fails when a table is stale.
set -euo pipefail
check=false
if [[ "${1:-}" == --check ]]; then check=true; shift; fi
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
extract="${1:-$root/build}/cli/kolvar-extract"
table="$("$extract" --formats)"
status=0
for doc in "$root/docs/formats.md" "$root/README.md"; do
  updated="$(awk -v table="$table" '
    /<!-- formats:begin -->/ { print; print table; skipping = 1; next }
    /<!-- formats:end -->/ { skipping = 0 }
    !skipping { print }' "$doc")"
  if $check; then
    if [[ "$updated" != "$(cat "$doc")" ]]; then
      echo "$doc: the table of dialects is not the registry's; run scripts/update-formats.sh" >&2
      status=1
    fi
  else
    printf '%s\n' "$updated" >"$doc"
  fi
done
exit $status
