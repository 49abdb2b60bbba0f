#!/usr/bin/env bash
# Takes docs/screenshot.png: makes a sample clip with GPS texts in a mov_text
# track, opens it in kolvar under Xvfb with a temporary home, plays a few
# seconds and lets the program grab its own window (KOLVAR_TEST_PLAY_MS and
# KOLVAR_TEST_SCREENSHOT, see app/TestHooks.h). The map shows stand-in tiles
# that a local server hands out, so the picture needs no network and no tile
# host's consent. Builds kolvar first when build/app/kolvar is missing;
# KOLVAR_BIN names another binary; KOLVAR_SCREENSHOT_CONF adds lines to the
# settings file, after its [map] section.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
kolvar="${KOLVAR_BIN:-$root/build/app/kolvar}"
out="${1:-$root/docs/screenshot.png}"
[[ -x "$kolvar" ]] || "$root/scripts/setup.sh"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
seconds=40

# One cue per second along a curving road near Shenzhen, positions in degrees
# and minutes (ddmm.mmmm) as the cameras' texts carry them.
awk -v n="$seconds" 'function dm(v) { return int(v) * 100 + (v - int(v)) * 60 }
BEGIN {
  lat = 22.5400; lon = 113.9300; heading = 0.6;
  for (i = 0; i < n; i++) {
    speed = 38 + 12 * sin(i / 6);                       # km/h
    heading += 0.06 * sin(i / 9);
    step = speed / 3.6 / 111320;                        # degrees per second
    lat += step * cos(heading); lon += step * sin(heading) / cos(lat * 3.14159265 / 180);
    s = 30 * 60 + i;
    printf "%d\n00:00:%02d,000 --> 00:00:%02d,000\n", i + 1, i, i + 1;
    printf "A,150615,12%02d%02d,%.4f,N,%.4f,E,%.1f,%d,%d,%d\n\n", int(s / 60), s % 60,
           dm(lat), dm(lon), speed / 1.852, 20 * sin(i / 3), 35 * cos(i / 5), 98 + 10 * sin(i / 2);
  }
}' > "$work/gps.srt"
ffmpeg -v error -y -f lavfi -i "testsrc2=size=640x360:rate=15:duration=$seconds" -i "$work/gps.srt" \
  -map 0 -map 1 -c:v mpeg4 -q:v 5 -c:s mov_text -movflags +faststart "$work/Drive 2015-06-15.MOV"

# Four stand-in tiles in the colours of a street map: land, a park, a river
# and streets, so the route reads against something like a town.
mkdir -p "$work/tiles"
for n in 0 1 2 3; do
  convert -size 256x256 xc:'#f2efe9' -stroke '#d6d0c4' -strokewidth 1 \
    -draw "line 0,$((40 + 50 * n)) 256,$((90 + 30 * n))" -draw "line $((30 + 60 * n)),0 $((80 + 40 * n)),256" \
    -fill '#cde6c4' -stroke none -draw "rectangle $((140 - 30 * n)),$((150 - 20 * n)) $((220 - 30 * n)),$((230 - 20 * n))" \
    -stroke '#aad3df' -strokewidth $((6 + 2 * n)) -fill none -draw "bezier 0,$((200 - 40 * n)) 128,$((120 + 30 * n)) 256,$((210 - 50 * n))" \
    -stroke white -strokewidth 5 -draw "line 0,128 256,$((100 + 20 * n))" -draw "line 128,0 $((110 + 10 * n)),256" \
    "$work/tiles/$n.png"
done
port_file="$work/port"
python3 - "$work/tiles" "$port_file" <<'PY' &
import http.server, re, sys
tiles, port_file = sys.argv[1], sys.argv[2]
class Tiles(http.server.BaseHTTPRequestHandler):
    def do_GET(self):
        m = re.match(r"/(\d+)/(\d+)/(\d+)\.png$", self.path)
        if not m:
            self.send_error(404)
            return
        with open(f"{tiles}/{(int(m[2]) + 2 * int(m[3])) % 4}.png", "rb") as f:
            body = f.read()
        self.send_response(200)
        self.send_header("Content-Type", "image/png")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)
    def log_message(self, *args):
        pass
server = http.server.HTTPServer(("127.0.0.1", 0), Tiles)
open(port_file, "w").write(str(server.server_port))
server.serve_forever()
PY
server=$!
trap 'kill $server 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 50); do [[ -s "$port_file" ]] && break; sleep 0.1; done
mkdir -p "$work/home/.config/kolvar" "$(dirname "$out")"
cat > "$work/home/.config/kolvar/kolvar.conf" <<CONF
[map]
tiles=custom
customUrl=http://127.0.0.1:$(cat "$port_file")/{z}/{x}/{y}.png
customAttribution=Stand-in tiles
${KOLVAR_SCREENSHOT_CONF:-}
CONF
HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share" \
XDG_CACHE_HOME="$work/home/.cache" QTWEBENGINE_DISABLE_SANDBOX=1 \
KOLVAR_TEST_PLAY_MS="${KOLVAR_SCREENSHOT_AT_MS:-9000}" KOLVAR_TEST_SCREENSHOT="$out" \
  timeout 120 xvfb-run -a -s "-screen 0 1400x900x24" "$kolvar" "$work/Drive 2015-06-15.MOV" >/dev/null 2>&1
[[ -s "$out" ]] || { echo "screenshot: kolvar wrote no image" >&2; exit 1; }
echo "$out"
