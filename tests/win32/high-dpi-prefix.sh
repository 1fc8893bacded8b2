#!/usr/bin/env bash
# high-dpi-prefix.sh PROGRAM [ARGS...]
# Runs a Win32 test program in a Wine prefix of its own at 144 dpi (150 %), inside
# tools/with-wine-display (its display and work folder). The dialogs' font is mapped to
# an installed proportional font, so a cut label is the program's own. The shared prefix
# of the other tests stays at 96 dpi; this one is removed at the end.
set -euo pipefail
: "${TAPPLING_WINE_WORK:?run through tools/with-wine-display}"
export WINEPREFIX
WINEPREFIX=$(mktemp -d "$TAPPLING_WINE_WORK/dpi144.XXXXXX")
cleanup() {
  status=$?
  "$TAPPLING_WINESERVER" -k >/dev/null 2>&1 || true
  rm -rf "$WINEPREFIX"
  exit $status
}
trap cleanup EXIT INT TERM

wine() { "$TAPPLING_WINE" "$@" >/dev/null 2>&1; }
wine wineboot --init || true
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f
wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'ＭＳ Ｐゴシック' /d IPAPGothic /f
"$TAPPLING_WINESERVER" -w   # the DPI is read when a process starts
"$TAPPLING_WINE" "$@"
