#!/usr/bin/env bash
# Builds every fuzz/*_fuzz.cpp with clang (libFuzzer, ASan, UBSan) and runs each
# for the given number of seconds (default 15). Exits non-zero on a finding.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${1:-15}"
out="$root/build-fuzz"
mkdir -p "$out"

flags=(-std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined
       -I"$root/extract" -I"$root/track")
sources=("$root"/extract/*.cpp "$root"/track/*.cpp)

status=0
for target in "$root"/fuzz/*_fuzz.cpp; do
  name="$(basename "$target" .cpp)"
  if [[ ! -x "$out/$name" || "$target" -nt "$out/$name" ||
        -n "$(find "$root/extract" "$root/track" -newer "$out/$name" -print -quit)" ]]; then
    clang++ "${flags[@]}" "$target" "${sources[@]}" -o "$out/$name"
  fi
  corpus="$out/corpus/$name"
  mkdir -p "$corpus"
  seeds=()
  [[ -d "$root/fuzz/seeds/$name" ]] && seeds=("$root/fuzz/seeds/$name")
  echo "fuzz: $name for ${seconds}s" >&2
  if ! (cd "$out" && "./$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
          -print_final_stats=1 "$corpus" "${seeds[@]}" 2>"$out/$name.log"); then
    echo "fuzz: $name found a fault, see $out/$name.log" >&2
    tail -40 "$out/$name.log" >&2
    status=1
  else
    grep -E 'stat::number_of_executed_units' "$out/$name.log" >&2 || true
  fi
done
exit $status
