#!/usr/bin/env bash
# End-to-end check of the Windows package: tools/package packs the six files; unpacked
# into this fresh prefix, Linkery registers the file type from there and the registered
# "自動実行" verb plays a macro, Tappling ending by itself.
# Run through the harness: tools/with-wine-display bash tests/e2e/package.sh [BIN_DIR]
set -uo pipefail
source "$(dirname "$0")/lib.sh"
e2e_init "${1:-build/windows/bin}"

zip="$TAPPLING_WINE_WORK/Tappling-win64.zip"
if ! "$e2e_repo/tools/package" --bin "$bin_dir" --out "$zip" >/dev/null; then
    e2e_fail "tools/package failed"; e2e_finish package.sh; exit 1
fi
names=$(python3 -c 'import sys, zipfile; print(";".join(sorted(zipfile.ZipFile(sys.argv[1]).namelist())))' "$zip")
expected="Linkery.exe;README.txt;Tappling.exe;TapplingFile.ico;main.html;tpm.exe"
if [ "$names" = "$expected" ]; then e2e_pass "the zip holds $names"; else e2e_fail "the zip holds '$names'"; fi

unpacked="$drive_c/Tappling"
python3 -c 'import sys, zipfile; zipfile.ZipFile(sys.argv[1]).extractall(sys.argv[2])' "$zip" "$unpacked"
"$wine" 'C:\Tappling\Linkery.exe' >/dev/null 2>&1
"$TAPPLING_WINESERVER" -w

# The registered auto-run command (reg query prints the default value's line last).
rm -f "$drive_c/verb.reg"
"$wine" reg export 'HKCR\TapplingFile\shell\nodlg\command' 'C:\verb.reg' /y >/dev/null 2>&1
command=$( { iconv -f UTF-16 -t UTF-8 "$drive_c/verb.reg" 2>/dev/null || true; } | tr -d '\r' \
          | sed -n 's/^@="\(.*\)"$/\1/p' | sed 's/\\"/"/g; s/\\\\/\\/g')
if [ "$command" = 'C:\Tappling\Tappling.exe %1-NODIG' ]; then e2e_pass "Linkery registered: $command"
else e2e_fail "registered command '$command'"; fi

# The verb with %1 replaced, as the shell runs it: one wait of 3 s, then the end.
mkdir -p "$drive_c/m"
e2e_macro "$drive_c/m/wait.TPM" wait 3000
start_ms=$(( $(date +%s%N) / 1000000 ))
status=0
timeout 60 "$wine" 'C:\Tappling\Tappling.exe' 'C:\m\wait.TPM-NODIG' >/dev/null 2>&1 || status=$?
elapsed=$(( $(date +%s%N) / 1000000 - start_ms ))
if [ "$status" -eq 0 ] && [ "$elapsed" -ge 3000 ]; then e2e_pass "auto-run verb played the macro and ended ($elapsed ms)"
else e2e_fail "auto-run verb: status $status after $elapsed ms"; fi

e2e_finish package.sh
