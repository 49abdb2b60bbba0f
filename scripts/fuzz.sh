#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan, UBSan) and runs each for the
# given number of seconds (default 15): every fuzz/*_fuzz.cpp, and
# reader_fuzz once per reader of the registry and once on the whole front end.
# Exits non-zero on a finding. FUZZ_ONLY=NAME runs one target (a reader's id,
# "front-end" or a *_fuzz name).
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
# Objects of sources that are gone would be linked in twice.
for object in "$out"/obj/*.o; do
  base="$(basename "$object" .o)"
  [[ -f "$root/${base%%_*}/${base#*_}.cpp" ]] || rm -f "$object"
done
objects=("$out"/obj/*.o)

for target in "$root"/fuzz/*_fuzz.cpp; do
  clang++ "${flags[@]}" -fsanitize=fuzzer "$target" "${objects[@]}" -o "$out/$(basename "$target" .cpp)"
done

# name, binary, reader id ("" for none)
runs=()
for target in "$root"/fuzz/*_fuzz.cpp; do
  name="$(basename "$target" .cpp)"
  [[ "$name" == reader_fuzz ]] || runs+=("$name:$name:")
done
runs+=("front-end:reader_fuzz:")
for id in $(KOLVAR_FUZZ_LIST=1 "$out/reader_fuzz"); do runs+=("$id:reader_fuzz:$id"); done

status=0
for run in "${runs[@]}"; do
  IFS=: read -r name binary reader <<<"$run"
  [[ -z "${FUZZ_ONLY:-}" || "$FUZZ_ONLY" == "$name" ]] || continue
  corpus="$out/corpus/$name"
  mkdir -p "$corpus"
  seeds=()
  [[ -d "$root/fuzz/seeds/$name" ]] && seeds=("$root/fuzz/seeds/$name")
  echo "fuzz: $name for ${seconds}s" >&2
  if ! (cd "$out" && KOLVAR_FUZZ_READER="$reader" "./$binary" -max_total_time="$seconds" -timeout=10 \
          -rss_limit_mb=2048 -print_final_stats=1 "$corpus" "${seeds[@]}" 2>"$out/$name.log"); then
    echo "fuzz: $name found a fault, see $out/$name.log" >&2
    tail -40 "$out/$name.log" >&2
    status=1
  else
    grep -E 'stat::number_of_executed_units' "$out/$name.log" >&2 || true
  fi
done
exit $status
