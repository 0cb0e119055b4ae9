#!/usr/bin/env bash
# commands.sh QRVL EDITORS.INI: each subcommand's main path, its --help and its
# error exits, checked by exit status and by what it prints.
set -u
qrvl=$(realpath "$1")
ini=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failed=0

# run STATUS ARGS...: runs qrvl, keeps its output in $tmp/out and $tmp/err.
run() {
  local want=$1
  shift
  "$qrvl" "$@" >"$tmp/out" 2>"$tmp/err"
  local rc=$?
  if [ "$rc" != "$want" ]; then
    echo "FAIL: qrvl $* exited $rc, expected $want"
    cat "$tmp/out" "$tmp/err"
    failed=1
    return 1
  fi
}

# has FILE TEXT: the file holds a line with exactly TEXT.
has() {
  if ! grep -qxF -- "$2" "$tmp/$1"; then
    echo "FAIL: no line '$2' in the $1 of the last command:"
    cat "$tmp/$1"
    failed=1
  fi
}

# lines FILE N: the file has N lines.
lines() {
  local n
  n=$(wc -l <"$tmp/$1")
  if [ "$n" != "$2" ]; then
    echo "FAIL: $n lines in the $1 of the last command, expected $2:"
    cat "$tmp/$1"
    failed=1
  fi
}

# The command itself.
run 2 && grep -q "^usage: qrvl COMMAND" "$tmp/out" || { echo "FAIL: no usage without a command"; failed=1; }
run 2 nope && has err "qrvl: unknown command 'nope' (qrvl --help lists them)"
run 0 --help && for c in kinds reg check trace; do
  grep -q "^  qrvl $c " "$tmp/out" || { echo "FAIL: --help does not list $c"; failed=1; }
done
for c in kinds reg check trace; do
  run 0 "$c" --help && grep -q "^usage: qrvl $c" "$tmp/out" ||
    { echo "FAIL: qrvl $c --help gives no usage line"; failed=1; }
done

# kinds: a header and the eighteen kinds, descriptions from the settings file.
run 0 kinds "$ini" && lines out 19
grep -q '^0 *Custom_ *TIDE *0 *Windows Notepad$' "$tmp/out" ||
  { echo "FAIL: kinds shows no Notepad profile for kind 0"; failed=1; }
run 1 kinds "$tmp/missing.ini" && has err "qrvl kinds: cannot read $tmp/missing.ini"
run 2 kinds a b && has err "qrvl kinds: too many arguments"

# reg: a key that no one made does not exist and cannot be read.
run 0 reg exists HKCU 'Software\QrvlCommandTest' && has out missing
run 1 reg get HKCU 'Software\QrvlCommandTest' Value && has err "qrvl reg: get failed"
run 2 reg get HKXX Key && has err "qrvl reg: unknown root 'HKXX'"
run 2 reg rename HKCU Key && has err "qrvl reg: unknown verb or wrong number of arguments"
run 2 reg exists && has err "qrvl reg: missing arguments"

# check: the shipped file is clean; a broken one gives FILE:LINE:COL lines.
run 0 check "$ini" && lines out 0
printf '[Editors]\r\nCustom_Open=^o#FILENAME#{ENTR}\r\nCustom_Goto=^g{ENTER}\r\n' >"$tmp/bad.ini"
run 1 check "$tmp/bad.ini" && lines out 2 &&
  has out "$tmp/bad.ini:2:26: unknown key name 'ENTR': it is skipped with the box \"Invalid Key Name\"" &&
  has out "$tmp/bad.ini:3:13: the Goto macro has no #LINENUM#: going to a line fails with the box \"Error going to line number.\""
(cd "$tmp" && cp bad.ini EDITORS.INI && "$qrvl" check >/dev/null)
[ $? = 1 ] || { echo "FAIL: check without a file name does not read ./EDITORS.INI"; failed=1; }
run 2 check "$tmp/missing.ini" && lines err 1 && has err "qrvl check: cannot read $tmp/missing.ini"
run 2 check "$tmp" && has err "qrvl check: cannot read $tmp"
run 2 check a b && has err "qrvl check: too many arguments"

# trace: the keys of a macro, then its result.
run 0 trace '^o' && lines out 5 && has out "key 17 29 0" && has out "result true"
run 2 trace a b && has err "qrvl trace: expected one MACRO"

[ $failed = 0 ] && echo "qrvl commands: all cases passed"
exit $failed
