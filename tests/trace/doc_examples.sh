#!/usr/bin/env bash
# doc_examples.sh QRVL DOC.md: runs every "$ qrvl ..." line of the document's
# text blocks and compares the output with the lines that follow it in the
# document, up to the next command or the end of the block.
set -u
qrvl=$1
doc=$2
failed=0
cases=0
command=""
want=""

finish() {
  [ -n "$command" ] || return
  cases=$((cases + 1))
  local got
  got=$(eval "\"\$qrvl\" ${command#qrvl }" 2>&1)
  if [ "$got" != "$want" ]; then
    echo "FAIL: $command"
    diff <(printf '%s\n' "$want") <(printf '%s\n' "$got")
    failed=1
  fi
  command=""
  want=""
}

in_block=0
while IFS= read -r line; do
  if [ "${line:0:3}" = '```' ]; then
    finish
    in_block=$((1 - in_block))
  elif [ $in_block = 1 ] && [ "${line:0:7}" = '$ qrvl ' ]; then
    finish
    command=${line:2}
  elif [ -n "$command" ]; then
    want+="${want:+$'\n'}$line"
  fi
done <"$doc"

if [ $cases = 0 ]; then
  echo "FAIL: no examples found in $doc"
  exit 1
fi
[ $failed = 0 ] && echo "$doc: all $cases examples agree"
exit $failed
