#!/bin/sh
# Checks the shipped launcher binary: a GUI-subsystem program that imports only the Windows DLLs
# the system never looks for beside a program (kernel32, user32, gdi32, advapi32, and msvcrt, the
# C runtime of the MinGW start-up code) and carries its manifest and version resource. Every
# other DLL is loaded from the system folder at run time.
#   check-product.sh OBJDUMP PROGRAM
objdump=$1
program=$2
status=0
fail() { echo "FAIL: $*"; status=1; }

headers=$("$objdump" -p "$program") || { echo "FAIL: cannot read $program"; exit 1; }

echo "$headers" | grep -q 'Subsystem.*(Windows GUI)' || fail "not a GUI-subsystem program"

imports=$(echo "$headers" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u)
echo "imports: $(echo $imports)"
for dll in $imports; do
    case $dll in
    kernel32.dll | user32.dll | gdi32.dll | advapi32.dll | msvcrt.dll) ;;
    *) fail "imports $dll, which Windows may load from the program's folder" ;;
    esac
done

manifest=$(strings -n 8 "$program")
for text in 'requestedExecutionLevel level="asInvoker"' 'Microsoft.Windows.Common-Controls' \
    '<dpiAware' '{35138b9a-5d96-4fbd-8e2d-a2440225f93a}' '{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}'; do
    echo "$manifest" | grep -qF "$text" || fail "manifest lacks $text"
done

version=$(strings -n 4 -e l "$program")
for text in VS_VERSION_INFO FileVersion ProductName PagrionSetup.exe; do
    echo "$version" | grep -qxF "$text" || fail "version resource lacks $text"
done

[ $status -eq 0 ] && echo "PagrionSetup.exe: GUI subsystem, system-folder DLLs only, manifest and version resource present"
exit $status
