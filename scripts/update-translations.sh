#!/usr/bin/env bash
# Refreshes the English catalogues from the sources: new texts are added unfinished,
# texts no longer in the code are dropped. Then fill them in with Qt Linguist
# (/usr/lib/qt6/bin/linguist translations/vorda_en.ts) and run the catalogue test
# (ctest -R Catalogue).
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
LUPDATE="${LUPDATE:-/usr/lib/qt6/bin/lupdate}"
cd "$ROOT"

# The include folders let lupdate see the classes' namespaces, so that a window's context
# is the name its tr() looks up at run time ("vorda::MainWindow").
INCLUDES=(-I recorder -I common -I common/ui -I common/language -I presenter/ui -I presenter/reader)
# The source folders of each catalogue; tests/translations/catalogue_test.cpp holds the same table.
VORDA_SOURCES=(recorder/ui common/ui recorder/core recorder/link recorder/files recorder/calibration
               recorder/measure recorder/cli)
WIZOR_SOURCES=(presenter common/ui)

"$LUPDATE" -locations none -no-obsolete -target-language en "${INCLUDES[@]}" "${VORDA_SOURCES[@]}" \
  -ts translations/vorda_en.ts
"$LUPDATE" -locations none -no-obsolete -target-language en "${INCLUDES[@]}" "${WIZOR_SOURCES[@]}" \
  -ts translations/wizor_en.ts
