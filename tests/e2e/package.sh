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
missing=""
for name in Tappling.exe Linkery.exe tpm.exe TapplingFile.ico main.html README.txt; do
    case ";$names;" in *";$name;"*) ;; *) missing="$missing $name" ;; esac
done
if [ -z "$missing" ]; then e2e_pass "the zip holds $names"; else e2e_fail "the zip lacks$missing (it holds '$names')"; fi

unpacked="$drive_c/Tappling"
python3 -c 'import sys, zipfile; zipfile.ZipFile(sys.argv[1]).extractall(sys.argv[2])' "$zip" "$unpacked"
# Both programs carry their version resource (strings of the StringFileInfo block).
for exe in Tappling Linkery; do
    info=$(python3 - "$unpacked/$exe.exe" <<'PY'
import sys
data = open(sys.argv[1], "rb").read()
def value(key):
    at = data.find((key + "\0").encode("utf-16le"))
    if at < 0: return "?"
    start = at + len(key) * 2 + 2
    start += (4 - start % 4) % 4
    end = start
    while data[end:end + 2] != b"\0\0": end += 2
    return data[start:end].decode("utf-16le")
print(value("ProductName"), value("ProductVersion"), value("FileDescription").split()[0], sep=";")
PY
)
    if [ "$info" = "Tappling;2.00;$exe" ]; then e2e_pass "$exe.exe version resource: $info"
    else e2e_fail "$exe.exe version resource: '$info'"; fi
done

"$wine" 'C:\Tappling\Linkery.exe' >/dev/null 2>&1
"$TAPPLING_WINESERVER" -w

# The registered auto-run command (reg query prints the default value's line last).
rm -f "$drive_c/verb.reg"
"$wine" reg export 'HKCR\TapplingFile\shell\nodlg\command' 'C:\verb.reg' /y >/dev/null 2>&1
command=$( { iconv -f UTF-16 -t UTF-8 "$drive_c/verb.reg" 2>/dev/null || true; } | tr -d '\r' \
          | sed -n 's/^@="\(.*\)"$/\1/p' | sed 's/\\"/"/g; s/\\\\/\\/g')
if [ "$command" = '"C:\Tappling\Tappling.exe" %1-NODIG' ]; then e2e_pass "Linkery registered: $command"
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

# The packed tpm.exe runs from the unpacked folder on its own.
text=$("$wine" 'C:\Tappling\tpm.exe' text 'C:\m\wait.TPM' 2>/dev/null | tr -d '\r')
if printf '%s\n' "$text" | grep -q '^WaitOnly preWaitMs=0 postWaitMs=3000'; then e2e_pass "the packed tpm.exe reads the macro"
else e2e_fail "packed tpm.exe text: '$text'"; fi

e2e_finish package.sh
