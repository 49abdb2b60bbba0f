#!/usr/bin/env bash
# Refreshes the translation sources from the code: every text a user reads in
# Simplified Chinese, and the English texts of the InfoPlist keys (the other
# English texts are the code's own). New texts come in unfinished, for a
# translator to fill in with Qt Linguist or by hand.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
lupdate=/usr/lib/qt6/bin/lupdate
cd "$root"
"$lupdate" -silent -no-obsolete -locations none app views resources/*.ui -ts resources/translations/kolvar_zh_Hans.ts
"$lupdate" -silent -no-obsolete -locations none views/StringTable.cpp -ts resources/translations/kolvar_en.ts
