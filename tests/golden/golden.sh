#!/usr/bin/env bash
# Runs kolvar-extract over the sample files of each dialect and compares its records, its track
# (as CSV and as GPX) and its probe line with the references in expected/; --update writes them instead.
#   golden.sh [--update] KOLVAR_EXTRACT SAMPLES_DIR [DIALECT...]
# SAMPLES_DIR holds one folder per dialect; the references of DIALECT/FILE are expected/DIALECT/FILE.*.
# Only the videos are run: side files, notes and licences beside them are read through them. Runs
# in UTC and the C locale, whatever the caller's.
set -uo pipefail
export TZ=UTC LC_ALL=C
update=0
[ "${1:-}" = --update ] && { update=1; shift; }
extract=$(realpath "$1") samples=$(realpath "$2"); shift 2
expected=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/expected
[ -d "$samples" ] || { echo "no samples at $samples"; exit 77; }
dialects=("$@")
[ ${#dialects[@]} -eq 0 ] && mapfile -t dialects < <(ls "$samples")
declare -A options=([records.csv]=--records [track.csv]= [track.gpx]="--format gpx" [probe.csv]=--probe)

run() {  # sample, options: what kolvar-extract prints, and its status when it fails
  local out status
  # shellcheck disable=SC2086  # the options are words
  out=$(cd "$(dirname "$1")" && "$extract" $2 "$(basename "$1")" 2>/dev/null)
  status=$?
  printf '%s\n' "$out"
  [ "$status" -eq 0 ] || echo "[exit $status]"
}

failures=0 compared=0
for dialect in "${dialects[@]}"; do
  for sample in "$samples/$dialect"/*; do
    case "${sample,,}" in *.mov|*.mp4|*.3gp|*.avi|*.ts|*.m2ts|*.mts|*.insv) ;; *) continue ;; esac
    for kind in records.csv track.csv track.gpx probe.csv; do
      reference=$expected/$dialect/$(basename "$sample").$kind
      if [ $update -eq 1 ]; then
        mkdir -p "$(dirname "$reference")"
        run "$sample" "${options[$kind]}" >"$reference"
      elif ! diff -u --label "$reference" --label "kolvar-extract ${options[$kind]} $(basename "$sample")" \
                "$reference" <(run "$sample" "${options[$kind]}"); then
        failures=$((failures + 1))
      fi
      compared=$((compared + 1))
    done
  done
done
[ $update -eq 1 ] && { echo "wrote $compared references"; exit 0; }
echo "$((compared - failures)) passed, $failures failed"
[ $failures -eq 0 ]
