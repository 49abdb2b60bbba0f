#!/usr/bin/env bash
# Lines of code in the tests against the product, blank lines and comments left out.
# Counts the tracked source files (C++, CMake, shell, Python, HTML, JavaScript, CSS); data
# the tests compare with (expected outputs, golden files, schemas) is not code.
#   scripts/count-lines.sh [REV]      (default: the work tree)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
rev=${1:-}
PRODUCT=(extract track cli views app packaging scripts resources)
TESTS=(tests)

files() {  # tracked code files under the given folders
  if [ -n "$rev" ]; then git ls-tree -r --name-only "$rev" -- "$@"; else git ls-files -- "$@"; fi |
    grep -E '\.(cpp|h|hpp|c|cmake|sh|py|html|js|css)$|(^|/)CMakeLists\.txt$'
}
show() {  # file contents, from the work tree or from REV
  if [ -n "$rev" ]; then git show "$rev:$1"; else cat "$1"; fi
}
count() {
  local total=0 f n
  while IFS= read -r f; do
    [ -n "$rev" ] || [ -f "$f" ] || continue
    case "$f" in
      *.sh|*.py|*.cmake|*CMakeLists.txt) n=$(show "$f" | grep -cvE '^\s*(#.*)?$' || true) ;;
      *)  # C-like: // lines and /* */ blocks; <!-- --> in HTML
        n=$(show "$f" | awk '
          { line = $0
            if (inblock) { if (sub(/.*(\*\/|-->)/, "", line)) inblock = 0; else next }
            while (match(line, /\/\*|<!--/)) {
              rest = substr(line, RSTART + RLENGTH); pre = substr(line, 1, RSTART - 1)
              if (match(rest, /\*\/|-->/)) line = pre substr(rest, RSTART + RLENGTH)
              else { line = pre; inblock = 1 }
            }
            sub(/^[ \t]*\/\/.*/, "", line)
            if (line ~ /[^ \t\r]/) n++ }
          END { print n + 0 }') ;;
    esac
    total=$((total + n))
  done < <(files "$@")
  echo "$total"
}
product=$(count "${PRODUCT[@]}")
tests=$(count "${TESTS[@]}")
echo "product: $product lines (${PRODUCT[*]})"
echo "tests:   $tests lines (${TESTS[*]})"
awk -v t="$tests" -v p="$product" 'BEGIN { printf "ratio:   %.3f\n", t / p }'
