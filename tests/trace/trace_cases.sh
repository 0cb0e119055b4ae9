#!/usr/bin/env bash
# trace_cases.sh QRVL: runs qrvl trace on each macro below and compares its
# standard output and exit status with the expected ones.
set -u
qrvl=$1
failed=0

# expect STATUS ARGS... <<< EXPECTED_OUTPUT
expect() {
  local status=$1
  shift
  local want got rc
  want=$(cat)
  got=$("$qrvl" trace "$@" 2>/dev/null)
  rc=$?
  if [ "$rc" != "$status" ] || [ "$got" != "$want" ]; then
    echo "FAIL: qrvl trace $* (status $rc, expected $status)"
    diff <(echo "$want") <(echo "$got")
    failed=1
  fi
}

expect 0 '+ab{NUMLOCK}' <<'OUT'
key 16 42 0
key 65 30 0
key 65 30 2
key 16 42 2
key 66 48 0
key 66 48 2
numlock 1
result true
OUT

expect 0 --no-wait '+{FOO}{LEFT 2}x{' <<'OUT'
key 16 42 0
box Invalid Key Name
key 37 75 1
key 37 75 3
key 37 75 1
key 37 75 3
key 16 42 2
key 88 45 0
key 88 45 2
box No Close
result false
OUT

expect 0 'a{left x}' <<'OUT'
key 65 30 0
key 65 30 2
error 'X' is not a valid integer value
OUT

expect 0 '' <<'OUT'
result false
OUT

expect 2 <<'OUT'
OUT

expect 2 --no-wait <<'OUT'
OUT

[ $failed = 0 ] && echo "qrvl trace: all cases passed"
exit $failed
