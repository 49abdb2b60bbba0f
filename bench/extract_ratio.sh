#!/usr/bin/env bash
# Times `kolvar-extract --records FILE` against `dd if=FILE of=/dev/null bs=1M`
# on the same file, both from the page cache, for a 1 GiB clip of each
# container and dialect, and says which speed targets are met. Each time is
# the best of $KOLVAR_BENCH_RUNS runs (5). Starting a process costs about as
# much as a 0.02x target allows, so ratios are net: both times less the same
# command's time on an empty file. Targets are judged on processor time,
# which other work on a shared machine disturbs far less than wall time. The clips are
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

# The best wall-clock time and the best processor time (user + system) of
# $runs runs of a command, in seconds. With other work on the machine the
# processor time is the steadier figure.
best_of() {
  python3 - "$runs" "$@" <<'PY'
import os, resource, subprocess, sys, time
runs, command = int(sys.argv[1]), sys.argv[2:]
best_wall = best_cpu = float("inf")
for _ in range(runs):
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    start = time.perf_counter()
    subprocess.run(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    wall = time.perf_counter() - start
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    cpu = (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)
    best_wall, best_cpu = min(best_wall, wall), min(best_cpu, cpu)
print(f"{best_wall:.6f} {best_cpu:.6f}")
PY
}

# What each command costs before it reads a byte.
empty="$data/empty.MOV"
: >"$empty"
read -r e0 ec0 < <(best_of "$extract" --records "$empty")
read -r d0 dc0 < <(best_of dd if="$empty" of=/dev/null bs=1M)
printf 'on an empty file: extract %.4f s (cpu %.4f s), dd %.4f s (cpu %.4f s)\n' "$e0" "$ec0" "$d0" "$dc0"

# (time - time on the empty file) / (dd's time - dd's time on the empty file)
net_ratio() {
  awk -v e="$1" -v e0="$2" -v d="$3" -v d0="$4" 'BEGIN { e -= e0; if (e < 0) e = 0; printf "%.3f", e / (d - d0) }'
}

missed=0
printf '%-14s %7s %10s %8s %6s %9s %8s %7s %7s %4s  %s\n' \
  file records extract_s dd_s net extract_cpu dd_cpu net_cpu target met clip
for clip in "${clips[@]}"; do
  read -r file target what <<<"$clip"
  path="$data/$file"
  dd if="$path" of=/dev/null bs=1M status=none  # into the page cache
  records=$(($("$extract" --records "$path" | wc -l) - 1))
  read -r t_extract c_extract < <(best_of "$extract" --records "$path")
  read -r t_dd c_dd < <(best_of dd if="$path" of=/dev/null bs=1M)
  net=$(net_ratio "$t_extract" "$e0" "$t_dd" "$d0")
  net_cpu=$(net_ratio "$c_extract" "$ec0" "$c_dd" "$dc0")
  met=-
  if [[ $target != - ]]; then
    met=$(awk -v r="$net_cpu" -v t="$target" 'BEGIN { print (r <= t) ? "yes" : "NO" }')
    [[ $met == yes ]] || missed=$((missed + 1))
    target="<=$target"
  fi
  printf '%-14s %7d %10.4f %8.4f %6s %11.4f %8.4f %7s %7s %4s  %s\n' "$file" "$records" "$t_extract" "$t_dd" "$net" \
    "$c_extract" "$c_dd" "$net_cpu" "$target" "$met" "$what"
done
if ((missed == 0)); then echo "every target met (judged on net_cpu)"; else echo "$missed target(s) missed (judged on net_cpu)"; fi
exit $((missed > 0))
