#!/usr/bin/env bash
# Times `kolvar-extract --records` on a 1 GiB clip of each container against a
# sequential read of the same file, both from the page cache, and prints the
# ratio. The clips are written once into $KOLVAR_BENCH_DATA (default
# build/bench-data). Run after a build: bench/extract_ratio.sh [BUILD_DIR]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build}"
data="${KOLVAR_BENCH_DATA:-$build/bench-data}"
runs="${KOLVAR_BENCH_RUNS:-5}"
extract="$build/cli/kolvar-extract"

if [[ ! -f "$data/clip.TS" ]]; then
  echo "writing the clips into $data" >&2
  "$build/bench/make_gps_clips" "$data"
fi

# Best wall-clock time of $runs runs, in seconds.
best_of() {
  local best="" start end elapsed
  for ((i = 0; i < runs; i++)); do
    start=$EPOCHREALTIME
    "$@" >/dev/null
    end=$EPOCHREALTIME
    elapsed=$(awk -v a="$start" -v b="$end" 'BEGIN { print b - a }')
    if [[ -z "$best" ]] || awk -v e="$elapsed" -v b="$best" 'BEGIN { exit !(e < b) }'; then best=$elapsed; fi
  done
  echo "$best"
}

printf '%-12s %10s %8s %12s %8s %8s\n' file size_MiB records extract_s cat_s ratio
for file in text.MOV blocks.MOV clip.AVI clip.TS; do
  path="$data/$file"
  cat "$path" >/dev/null  # into the page cache
  records=$(($("$extract" --records "$path" | wc -l) - 1))
  t_extract=$(best_of "$extract" --records "$path")
  t_cat=$(best_of cat "$path")
  printf '%-12s %10d %8d %12.4f %8.4f %8.3f\n' "$file" $(($(stat -c %s "$path") >> 20)) "$records" \
    "$t_extract" "$t_cat" "$(awk -v e="$t_extract" -v c="$t_cat" 'BEGIN { print e / c }')"
done
