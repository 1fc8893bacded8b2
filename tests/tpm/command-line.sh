#!/usr/bin/env bash
# The built tpm on the command line: one table of cases, each a shell command run in a fresh
# copy of a temporary folder, with the exit status, standard output and standard error it must
# give (a * in an expected text stands for anything). Never touches a device node: a FIFO
# serves as an output that is no regular file. Usage: command-line.sh PATH/TO/tpm
set -u
tpm=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
text=$'macro loopEnabled\nLeftClick x=10 y=20\nKeyboardInput inputText="こんにちは"\nSkip trueJump=1\n'
mkdir "$work/base"
printf '@top LeftClick x=10 y=20\nKeyboardInput inputText="こんにちは"\nSkip trueJump=@top\n' |
  sed '1i macro loopEnabled' >"$work/base/m.txt"
"$tpm" build "$work/base/m.txt" || exit 1
failures=0 count=0

# row STATUS COMMAND STDOUT STDERR
row() {
  count=$((count + 1))
  local dir="$work/case$count"
  cp -a "$work/base" "$dir"
  local out err status
  out=$(cd "$dir" && PATH="$(dirname "$tpm"):$PATH" bash -c "$2" 2>"$dir.err"; echo "[$?]")
  status=${out##*\[} status=${status%\]} out=${out%\[*\]} out=${out%$'\n'}
  err=$(cat "$dir.err")
  # shellcheck disable=SC2053 # the expected texts are patterns
  if [[ $status != "$1" || $out != $3 || $err != $4 ]]; then
    failures=$((failures + 1))
    printf 'FAIL: %s\n  status %s (want %s)\n  stdout: %q\n  want:   %q\n  stderr: %q\n  want:   %q\n' \
      "$2" "$status" "$1" "$out" "$3" "$err" "$4"
  fi
}

# Help, version and usage errors.
row 0 'tpm --version' 'tpm [0-9]*' ''
row 0 'tpm --help' $'usage:\n  tpm show FILE.TPM*' ''
row 0 'tpm show --help' 'usage: tpm show FILE.TPM*' ''
row 0 'tpm build -h' 'usage: tpm build TEXT*' ''
row 2 'tpm bogus' '' $'tpm: unknown command "bogus"\nusage:\n*'
row 2 'tpm' '' $'tpm: no command given\nusage:\n*'
row 2 'tpm show' '' $'tpm show: name the file to read (or - for standard input)\nusage: tpm show*'
row 2 'tpm text m.TPM --bogus' '' $'tpm text: unknown option "--bogus"\nusage: tpm text*'
row 2 'tpm show m.TPM m.TPM' '' 'tpm show: one file at a time*'
row 2 'tpm text none.TPM' '' 'none.TPM: cannot open: No such file or directory'
# Standard streams and pipes.
row 0 'cat m.TPM | tpm text -' "${text%$'\n'}" ''
row 0 'cat m.TPM | tpm text /dev/stdin' "${text%$'\n'}" ''
row 0 'mkfifo in; cat m.TPM >in & tpm text in' "${text%$'\n'}" ''
row 0 'tpm build - <m.txt | cmp - m.TPM && echo same' 'same' ''
row 0 'tpm build m.txt -o - | cmp - m.TPM && echo same' 'same' ''
row 0 'tpm text --labels m.TPM | tpm build - | cmp - m.TPM && echo same' 'same' ''
row 0 'tpm text m.TPM -o out.txt && cat out.txt' "${text%$'\n'}" ''
row 2 'tpm text m.TPM >&-' '' 'tpm: standard output: cannot write: Bad file descriptor'
# Outputs that would destroy data are refused; links are written through, modes kept.
row 2 'cp m.txt keep; tpm build m.txt -o m.txt; s=$?; cmp m.txt keep && echo kept; exit $s' 'kept' \
  'm.txt: this is the input file; write to another file'
row 2 'ln m.txt hard; tpm build m.txt -o hard' '' 'hard: this is the input file; write to another file'
row 2 'mkfifo fifo; tpm build m.txt -o fifo' '' 'fifo: not a regular file; tpm writes only regular files'
row 0 'ln -s t.TPM link.TPM; tpm build m.txt -o link.TPM; test -L link.TPM && cmp t.TPM m.TPM && echo through' \
  'through' ''
row 0 'cp m.TPM ro.TPM; chmod 444 ro.TPM; tpm build m.txt -o ro.TPM; stat -c %a ro.TPM' '444' ''
row 0 'tpm build m.txt -o m.bin && cmp m.bin m.TPM && echo same' 'same' \
  'm.bin: warning: the name does not end in .TPM, which Tappling opens'
# Texts in other encodings: one message, no raw bytes.
row 2 "printf 'L\\0e\\0f\\0t\\0' >u.txt; tpm build u.txt" '' \
  'u.txt: the text is in UTF-16 (little-endian, without a byte order mark); tpm reads texts in UTF-8: save it as UTF-8'
row 2 "printf 'KeyboardInput inputText=\"\\x82\\xa0\"\\n' >s.txt; tpm check s.txt" '' \
  's.txt: the text is in code page 932 (Shift_JIS); tpm reads texts in UTF-8: save it as UTF-8'
# check and the git textconv mode.
row 0 'tpm check m.TPM' 'm.TPM: no findings' ''
row 0 'head -c 40 m.TPM >bad.TPM; tpm textconv bad.TPM' \
  $'macro loopEnabled\n# tpm: bad.TPM: byte 40: the file ends early, in record 1 of 3 (40 bytes in all); the text stops here' ''
row 0 "git init -q r && cd r && echo '*.TPM diff=tpm' >.gitattributes && git config diff.tpm.textconv 'tpm textconv' &&
  cp ../m.TPM a.TPM && cp ../m.TPM b.TPM && git add . && git -c user.name=t -c user.email=t@t commit -qm 1 &&
  head -c 40 ../m.TPM >a.TPM && printf 'macro\n' | tpm build - -o b.TPM && git diff >d && grep -c '^diff --git' d &&
  grep '^+# tpm' d" $'2\n+# tpm: a.TPM: byte 40: the file ends early*' ''

echo "$((count - failures)) of $count command-line cases passed"
[ "$failures" -eq 0 ]
