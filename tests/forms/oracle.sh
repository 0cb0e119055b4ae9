#!/usr/bin/env bash
# oracle.sh ORACLE_DIR QRVL CORPUS_DIR
# For every CORPUS_DIR/*.txt: Free Pascal makes a binary form A of it, qrvl
# dfm2txt turns A into text, Free Pascal makes a binary form B of that text, and
# Free Pascal must print A and B identically. Exit 77 (skipped) without fpc.
set -u
oracle=$1 qrvl=$2 corpus=$3
txt2dfm=$oracle/fpc_txt2dfm dfm2txt=$oracle/fpc_dfm2txt
if [ ! -x "$txt2dfm" ] || [ ! -x "$dfm2txt" ]; then
  echo "skipped: the Free Pascal oracle programs were not built (fpc missing)"
  exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0 count=0
for form in "$corpus"/*.txt; do
  name=$(basename "$form" .txt)
  count=$((count + 1))
  if ! "$txt2dfm" "$form" "$work/$name.a.dfm" >"$work/log" 2>&1; then
    echo "FAIL $name: Free Pascal cannot read the corpus form"; cat "$work/log"; failed=1; continue
  fi
  if ! "$qrvl" dfm2txt "$work/$name.a.dfm" "$work/$name.ours.txt"; then
    echo "FAIL $name: our conversion failed"; failed=1; continue
  fi
  if ! "$txt2dfm" "$work/$name.ours.txt" "$work/$name.b.dfm" >"$work/log" 2>&1; then
    echo "FAIL $name: Free Pascal cannot read our text"; cat "$work/log"
    cat "$work/$name.ours.txt"; failed=1; continue
  fi
  "$dfm2txt" "$work/$name.a.dfm" "$work/$name.a.txt" && "$dfm2txt" "$work/$name.b.dfm" "$work/$name.b.txt"
  if ! diff -u "$work/$name.a.txt" "$work/$name.b.txt"; then
    echo "FAIL $name: the values differ after our conversion"; failed=1; continue
  fi
  echo "ok   $name"
done
[ "$count" -gt 0 ] || { echo "FAIL: empty corpus"; exit 1; }
exit $failed
