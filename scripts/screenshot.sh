#!/usr/bin/env bash
# Takes docs/screenshot.png: makes a sample clip with GPS texts in a mov_text
# track, opens it in kolvar under Xvfb with a temporary home, plays a few
# seconds and lets the program grab its own window (KOLVAR_TEST_PLAY_MS and
# KOLVAR_TEST_SCREENSHOT, see app/TestHooks.h). Builds kolvar first when
# build/app/kolvar is missing; KOLVAR_BIN names another binary.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
kolvar="${KOLVAR_BIN:-$root/build/app/kolvar}"
out="${1:-$root/docs/screenshot.png}"
[[ -x "$kolvar" ]] || "$root/scripts/setup.sh"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
seconds=40

# One cue per second along a curving road near Shenzhen. Positions are written
# as degrees x 100, the form the cameras' texts carry; the two trailing commas
# stand in for the two bytes the reader leaves off ffmpeg's samples.
awk -v n="$seconds" 'BEGIN {
  lat = 22.5400; lon = 113.9300; heading = 0.6;
  for (i = 0; i < n; i++) {
    speed = 38 + 12 * sin(i / 6);                       # km/h
    heading += 0.06 * sin(i / 9);
    step = speed / 3.6 / 111320;                        # degrees per second
    lat += step * cos(heading); lon += step * sin(heading) / cos(lat * 3.14159265 / 180);
    s = 30 * 60 + i;
    printf "%d\n00:00:%02d,000 --> 00:00:%02d,000\n", i + 1, i, i + 1;
    printf "A,150615,12%02d%02d,%.4f,N,%.4f,E,%.1f,%d,%d,%d,,\n\n", int(s / 60), s % 60,
           lat * 100, lon * 100, speed / 1.852, 20 * sin(i / 3), 35 * cos(i / 5), 98 + 10 * sin(i / 2);
  }
}' > "$work/gps.srt"
ffmpeg -v error -y -f lavfi -i "testsrc2=size=640x360:rate=15:duration=$seconds" -i "$work/gps.srt" \
  -map 0 -map 1 -c:v mpeg4 -q:v 5 -c:s mov_text -movflags +faststart "$work/Drive 2015-06-15.MOV"

mkdir -p "$work/home" "$(dirname "$out")"
HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share" \
XDG_CACHE_HOME="$work/home/.cache" QTWEBENGINE_DISABLE_SANDBOX=1 \
KOLVAR_TEST_PLAY_MS="${KOLVAR_SCREENSHOT_AT_MS:-9000}" KOLVAR_TEST_SCREENSHOT="$out" \
  timeout 120 xvfb-run -a -s "-screen 0 1400x900x24" "$kolvar" "$work/Drive 2015-06-15.MOV" >/dev/null 2>&1
[[ -s "$out" ]] || { echo "screenshot: kolvar wrote no image" >&2; exit 1; }
echo "$out"
