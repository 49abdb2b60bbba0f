#!/usr/bin/env bash
# Sets up what is missing, builds, and runs Kolvar on the files given.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$root/scripts/setup.sh"
if (($# == 0)); then
  exec "$root/build/cli/kolvar-extract" --help
fi
exec "$root/build/cli/kolvar-extract" "$@"
