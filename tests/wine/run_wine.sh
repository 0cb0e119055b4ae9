#!/usr/bin/env bash
# run_wine.sh LOADER BUILD_DIR HOST.EXE [ARGS...]
# Runs a test host under Wine, inside a fresh virtual desktop under Xvfb, with the
# build tree's own Wine prefix. The host prints its checks and ends with the line
# "N passed, M failed"; this script passes only when that line says 0 failed.
set -u
loader=$1 build=$2 exe=$3
shift 3

if ! "$loader" --version >/dev/null 2>&1; then
  echo "skipped: this machine cannot run $loader (32-bit programs need IA-32 emulation in the kernel)"
  exit 77
fi

export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wineserver=/usr/lib/wine/wineserver
(
  flock 9
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    "$loader" wineboot -i >/dev/null 2>&1
    "$wineserver" -w
  fi
) 9>"$build/wineprefix.lock"

out=$(mktemp)
desk="qrvl$$_$RANDOM"
cd "$(dirname "$exe")" || exit 1
timeout 600 xvfb-run -a -s "-screen 0 1024x768x24" \
  "$loader" explorer "/desktop=$desk,1024x768" "$(basename "$exe")" "$@" >"$out" 2>&1
status=$?
cat "$out"
if [ $status -ne 0 ] && [ $status -ne 1 ]; then
  echo "run_wine: Wine ended with status $status"
fi
summary=$(grep -E '^[0-9]+ passed, [0-9]+ failed' "$out" | tail -n 1)
rm -f "$out"
[ -n "$summary" ] || { echo "run_wine: the host printed no summary (crashed?)"; exit 1; }
case "$summary" in
  *" passed, 0 failed"*) exit 0 ;;
  *) exit 1 ;;
esac
