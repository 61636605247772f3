#!/usr/bin/env bash
# zindle.exe is a GUI program that imports system DLLs only (the C and C++
# runtimes are linked in), so it runs from any folder as one file.
set -euo pipefail
exe=$1
headers=$(x86_64-w64-mingw32-objdump -p "$exe")
grep -q 'Subsystem.*(Windows GUI)' <<<"$headers" || { echo "not a GUI-subsystem program"; exit 1; }
system='^(ADVAPI32|COMCTL32|GDI32|KERNEL32|MSIMG32|msvcrt|ole32|OLEAUT32|SHELL32|USER32|WINMM|windowscodecs)\.dll$'
others=$(sed -n 's/^\tDLL Name: //p' <<<"$headers" | grep -viE "$system" || true)
[ -z "$others" ] || { echo "imports DLLs that are not the system's: $others"; exit 1; }
echo "imports: $(sed -n 's/^\tDLL Name: //p' <<<"$headers" | tr '\n' ' ')"
