#!/usr/bin/env bash
# qrvl_dfm2txt.sh QRVL FORM.dfm: the companion command's answers and files.
set -u
qrvl=$1 form=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
fail() { echo "FAIL: $*"; failed=1; }

"$qrvl" dfm2txt "$form" "$work/out.txt" 2>"$work/err" || fail "a good form: exit $?"
head -n 1 "$work/out.txt" | grep -q $'^object Form1: TForm1\r$' || fail "a good form: text"

printf 'object Form1: TForm1\r\nend\r\n' >"$work/text.dfm"
"$qrvl" dfm2txt "$work/text.dfm" "$work/out.txt" 2>"$work/err"
[ $? -eq 1 ] || fail "a text form: exit status"
[ "$(wc -l <"$work/err")" -eq 1 ] && grep -q '^qrvl dfm2txt: ' "$work/err" || fail "a text form: one line of reason"
[ -f "$work/out.txt" ] && [ ! -s "$work/out.txt" ] || fail "a text form: an empty output file"

"$qrvl" dfm2txt "$work/missing.dfm" "$work/new.txt" 2>"$work/err"
[ $? -eq 1 ] || fail "a missing input: exit status"
[ ! -e "$work/new.txt" ] || fail "a missing input: no output file"

"$qrvl" dfm2txt "$form" 2>/dev/null
[ $? -eq 2 ] || fail "one argument: usage error"
exit $failed
