#!/usr/bin/env bash
# Builds every fuzz/*_fuzz.cpp with clang (libFuzzer, ASan, UBSan) and runs each
# for the given number of seconds (default 15). Exits non-zero on a finding.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${1:-15}"
out="$root/build-fuzz"
mkdir -p "$out"

flags=(-std=c++20 -O1 -g -fsanitize=address,undefined -fno-sanitize-recover=undefined
       -I"$root/extract" -I"$root/track")

# The libraries are compiled once and shared by every target.
objects=()
mkdir -p "$out/obj"
for source in "$root"/extract/*.cpp "$root"/track/*.cpp; do
  object="$out/obj/$(basename "$(dirname "$source")")_$(basename "$source" .cpp).o"
  if [[ ! -f "$object" || "$source" -nt "$object" ||
        -n "$(find "$(dirname "$source")" -name '*.h' -newer "$object" -print -quit)" ]]; then
    clang++ "${flags[@]}" -fsanitize=fuzzer-no-link -c "$source" -o "$object"
  fi
  objects+=("$object")
done

status=0
for target in "$root"/fuzz/*_fuzz.cpp; do
  name="$(basename "$target" .cpp)"
  clang++ "${flags[@]}" -fsanitize=fuzzer "$target" "${objects[@]}" -o "$out/$name"
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
