#!/usr/bin/env bash
# Sets up what is missing, builds, and starts the Kolvar player. Videos given
# are added to the library and the first is opened.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$root/scripts/setup.sh"
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" && -z "${QT_QPA_PLATFORM:-}" ]]; then
  echo "run.sh: Kolvar is a desktop program and there is no display; start it from a desktop" >&2
  echo "session, or take a picture of it under Xvfb with scripts/screenshot.sh." >&2
  exit 1
fi
# Chromium, behind the map view, will not run as root inside its sandbox.
if [[ $(id -u) -eq 0 ]]; then
  export QTWEBENGINE_DISABLE_SANDBOX=1
fi
exec "$root/build/app/kolvar" "$@"
