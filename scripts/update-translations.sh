#!/usr/bin/env bash
# Brings the window's translations (app/translations/shirakaba_*.ts) up to date with
# the texts in the sources: new texts come in unfinished, texts no longer used go.
# Translate the unfinished ones with Qt Linguist (linguist) or any editor; the build
# turns the .ts files into the program's translations.
# A new language: scripts/update-translations.sh LL (a two-letter code, e.g. ko).
set -euo pipefail
shopt -s nullglob
cd "$(dirname "$0")/.."
LUPDATE=${LUPDATE:-/usr/lib/qt6/bin/lupdate}
[ -x "$LUPDATE" ] || LUPDATE=$(command -v lupdate)
ts_files=(app/translations/shirakaba_*.ts)
for lang in "$@"; do
  [[ $lang =~ ^[a-z][a-z]$ ]] || { echo "usage: $0 [LL ...] (two-letter language codes)" >&2; exit 2; }
  ts_files+=("app/translations/shirakaba_$lang.ts")
done
# No line numbers: they would change the files at every edit of the code.
[ ${#ts_files[@]} -gt 0 ] || { echo "no translations yet: name a language, e.g. $0 ja" >&2; exit 2; }
"$LUPDATE" -I . -locations none -no-obsolete -source-language en app -ts "${ts_files[@]}"
