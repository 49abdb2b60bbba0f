#!/usr/bin/env bash
# Times `kolvar-extract --records FILE` against `dd if=FILE of=/dev/null bs=1M`
# on the same file, both from the page cache, for a 1 GiB clip of each
# container and dialect, and says which speed targets are met. Each time is
# the best of $KOLVAR_BENCH_RUNS runs (5). Starting a process costs about as
# much as a 0.02x target allows, so the targets are judged on the net ratio:
# both times less the same command's time on an empty file. The clips are
# written once into $KOLVAR_BENCH_DATA (default BUILD_DIR/bench-data).
# Run after a build: bench/extract_ratio.sh [BUILD_DIR]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build}"
data="${KOLVAR_BENCH_DATA:-$build/bench-data}"
runs="${KOLVAR_BENCH_RUNS:-5}"
extract="$build/cli/kolvar-extract"

# clip, target ratio (- for none), what it stands for
clips=(
  "text.MOV     -    MOV text track"
  "blocks.MOV   -    MOV blocks on 32 KiB boundaries"
  "indexed.MOV  0.02 MOV freeGPS boxes with a 'gps ' index"
  "unindexed.MOV 1.2 MOV freeGPS boxes found by scanning"
  "gpmf.MP4     0.02 GoPro GPMF track"
  "camm.MP4     0.02 CAMM track"
  "clip.AVI     0.1  AVI 02gp chunks"
  "clip.TS      1.3  TS PID 0x1600"
)

for clip in "${clips[@]}"; do
  read -r file _ <<<"$clip"
  if [[ ! -f "$data/$file" ]]; then
    echo "writing the clips into $data" >&2
    "$build/bench/make_gps_clips" -- "$data"
    break
  fi
done

# Best wall-clock time of $runs runs of a command, in seconds.
best_of() {
  local best="" start end elapsed
  for ((i = 0; i < runs; i++)); do
    start=$EPOCHREALTIME
    "$@" >/dev/null 2>&1
    end=$EPOCHREALTIME
    elapsed=$(awk -v a="$start" -v b="$end" 'BEGIN { print b - a }')
    if [[ -z "$best" ]] || awk -v e="$elapsed" -v b="$best" 'BEGIN { exit !(e < b) }'; then best=$elapsed; fi
  done
  echo "$best"
}

# What each command costs before it reads a byte.
empty="$data/empty.MOV"
: >"$empty"
e0=$(best_of "$extract" --records "$empty")
d0=$(best_of dd if="$empty" of=/dev/null bs=1M)
printf 'on an empty file: extract %.4f s, dd %.4f s\n' "$e0" "$d0"

missed=0
printf '%-14s %8s %8s %10s %8s %6s %6s %7s %4s  %s\n' file size_MiB records extract_s dd_s ratio net target met

for clip in "${clips[@]}"; do
  read -r file target what <<<"$clip"
  path="$data/$file"
  dd if="$path" of=/dev/null bs=1M status=none  # into the page cache
  records=$(($("$extract" --records "$path" | wc -l) - 1))
  t_extract=$(best_of "$extract" --records "$path")
  t_dd=$(best_of dd if="$path" of=/dev/null bs=1M)
  ratio=$(awk -v e="$t_extract" -v d="$t_dd" 'BEGIN { printf "%.3f", e / d }')
  net=$(awk -v e="$t_extract" -v d="$t_dd" -v e0="$e0" -v d0="$d0" \
    'BEGIN { e -= e0; if (e < 0) e = 0; printf "%.3f", e / (d - d0) }')
  met=-
  if [[ $target != - ]]; then
    met=$(awk -v r="$net" -v t="$target" 'BEGIN { print (r <= t) ? "yes" : "NO" }')
    [[ $met == yes ]] || missed=$((missed + 1))
    target="<=$target"
  fi
  printf '%-14s %8d %8d %10.4f %8.4f %6s %6s %7s %4s  %s\n' "$file" $(($(stat -c %s "$path") >> 20)) "$records" \
    "$t_extract" "$t_dd" "$ratio" "$net" "$target" "$met" "$what"
done
if ((missed == 0)); then echo "every target met"; else echo "$missed target(s) missed"; fi
exit $((missed > 0))
