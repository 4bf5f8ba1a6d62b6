#!/bin/sh
# krax.exe as Windows sees it: the GUI subsystem (no console window on a double click),
# a resource section (icon, version information, manifest) and imports from Windows'
# own DLLs only, so that it runs from its folder with nothing installed.
# usage: exe_check.sh OBJDUMP KRAX_EXE
set -eu
headers=$("$1" -p "$2")
status=0
echo "$headers" | grep -q "^Subsystem.*(Windows GUI)" || { echo "not a GUI-subsystem program" >&2; status=1; }
"$1" -h "$2" | grep -q " \.rsrc " || { echo "no resource section" >&2; status=1; }
windows_dlls="ADVAPI32 GDI32 IMM32 KERNEL32 MSVCRT OLE32 OLEAUT32 SETUPAPI SHELL32 USER32 VERSION WINMM"
for dll in $(echo "$headers" | sed -n "s/^\tDLL Name: //p" | tr a-z A-Z); do
  case " $windows_dlls " in
    *" ${dll%.DLL} "*) ;;
    *) echo "imports $dll, which Windows does not have" >&2; status=1 ;;
  esac
done
exit $status
