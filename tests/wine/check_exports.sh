#!/usr/bin/env bash
# check_exports.sh OBJDUMP DLL: the nine exports sit at their ordinals under their
# plain names, and every imported DLL is a Windows system DLL.
set -u
objdump=$1 dll=$2
table=$("$objdump" -p "$dll") || exit 1
fail=0
base=$(grep -E '^Ordinal Base' <<<"$table" | awk '{print $3}')
names=$(sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$table" | grep -E '^\s*\[\s*[0-9]+\] ')
for entry in "1 D2DFMtoText" "2 GetRegistryKey" "3 DeleteRegistryKey" "4 AddRegistryKey" \
             "5 RegistryKeyExists" "6 QRVL_DestroyIDE" "7 QRVL_CreateIDE" "8 QRVL_IDECount" \
             "9 QRVL_Init"; do
  set -- $entry
  # objdump lists "[index] name" with index = ordinal - ordinal base
  if ! grep -qE "^\s*\[\s*$(($1 - base))\] $2$" <<<"$names"; then
    echo "missing or misplaced export: $2 at ordinal $1"; fail=1
  fi
done
exports=$(grep -c . <<<"$names")
[ "$exports" -eq 9 ] || { echo "expected 9 named exports, found $exports"; fail=1; }
allowed='^(kernel32|user32|advapi32|gdi32|msvcrt|ntdll)\.dll$'
while read -r name; do
  if ! grep -qiE "$allowed" <<<"$name"; then echo "non-system import: $name"; fail=1; fi
done < <(grep -E '^\s*DLL Name:' <<<"$table" | awk '{print $3}')
[ $fail -eq 0 ] && echo "9 exports at their ordinals; imports: $(grep -E '^\s*DLL Name:' <<<"$table" | awk '{print $3}' | tr '\n' ' ')"
exit $fail
