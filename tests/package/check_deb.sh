#!/usr/bin/env bash
# Builds the Debian package of the build tree BUILD into a temporary folder and
# checks what it installs and declares, and that the desktop entry and the
# AppStream metainfo it ships pass their validators.
# Usage: check_deb.sh BUILD APP_ID
set -euo pipefail
build="$1" app_id="$2"

for tool in cpack dpkg-deb desktop-file-validate appstreamcli; do
  command -v "$tool" >/dev/null || { echo "check_deb: $tool is missing; scripts/setup.sh installs it" >&2; exit 1; }
done

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
if ! cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log" >&2
  exit 1
fi
debs=("$work"/*.deb)
deb="${debs[0]}"
[[ -f "$deb" ]] || { echo "check_deb: cpack made no .deb" >&2; exit 1; }

failed=0
contents="$(dpkg-deb -c "$deb" | awk '{print $6}')"
expected=(
  usr/bin/kolvar usr/bin/kolvar-extract usr/bin/kolvar-charts
  "usr/share/applications/$app_id.desktop"
  "usr/share/metainfo/$app_id.metainfo.xml"
  usr/share/icons/hicolor/scalable/apps/kolvar.svg
)
for size in 16 32 48 64 128 256; do expected+=("usr/share/icons/hicolor/${size}x${size}/apps/kolvar.png"); done
for path in "${expected[@]}"; do
  grep -qFx "./$path" <<<"$contents" || { echo "check_deb: the package lacks /$path" >&2; failed=1; }
done

# Both halves of Depends: what dpkg-shlibdeps found and what Qt loads at run time.
depends="$(dpkg-deb -f "$deb" Depends)"
for dependency in libqt6widgets6 libqt6webenginewidgets6 qt6-qpa-plugins libqt6webenginecore6-bin; do
  grep -qw -- "$dependency" <<<"$depends" || { echo "check_deb: Depends lacks $dependency: $depends" >&2; failed=1; }
done

dpkg-deb -x "$deb" "$work/root"
desktop-file-validate "$work/root/usr/share/applications/$app_id.desktop" || failed=1
appstreamcli validate --no-net "$work/root/usr/share/metainfo/$app_id.metainfo.xml" >&2 || failed=1
exit "$failed"
