#!/usr/bin/env bash
# The Windows executables' exports, imports and string table blocks, read from the PE files.
. "$(dirname "$0")/lib.sh"

check_pe() { # arch objdump file export1 export2
  local arch=$1 objdump=$2 file=$3
  local dump
  dump=$("$objdump" -p "$file")
  local names
  names=$(printf '%s\n' "$dump" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | sed -n 's/^\s*\[\s*\([0-9]*\)\] \(.*\)$/\1 \2/p')
  expect_eq "$arch exports, in ordinal order" "0 $4"$'\n'"1 $5" "$names"
  expect_contains "$arch ordinal base" "Ordinal Base 1" "$dump"
  local dlls
  dlls=$(printf '%s\n' "$dump" | sed -n 's/^\s*DLL Name: //p' | tr 'a-z' 'A-Z' | sort | tr '\n' ' ')
  for dll in $dlls; do
    case $dll in KERNEL32.DLL|ADVAPI32.DLL|MSVCRT.DLL|USER32.DLL|SHELL32.DLL) ;; *) fail "$arch imports non-system $dll" ;; esac
  done
  expect_contains "$arch imports KERNEL32" "KERNEL32.DLL" "$dlls"
  expect_contains "$arch is a console program" "Subsystem		00000003" "$dump"
  # The resource tree: RT_STRING (6) blocks 1, 17, 18, 65, each in 1033 and 2052.
  local blocks
  blocks=$(python3 "$WYR_SOURCE_DIR/tests/integration/pe_resources.py" "$file" 6)
  for block in 1 17 18 65; do
    for language in 1033 2052; do
      expect_contains "$arch string block $block/$language" "$block/$language" "$blocks"
    done
  done
  expect_eq "$arch version record" "wyr" "$(python3 "$WYR_SOURCE_DIR/tests/integration/pe_resources.py" "$file" version ProductName)"
  expect_eq "$arch English hint" "Service type application.\\n\\nUse /install to install service." \
    "$(python3 "$WYR_SOURCE_DIR/tests/integration/pe_resources.py" "$file" 6 65 1033 | head -1)"
  expect_eq "$arch Chinese service name" "wyr" \
    "$(python3 "$WYR_SOURCE_DIR/tests/integration/pe_resources.py" "$file" 6 17 2052 | head -1)"
}

check_pe x86_64 x86_64-w64-mingw32-objdump "$WYR_WIN64_DIR/wyr.exe" \
  Java_com_plovatek_wyr_ServiceStatusManager_nativeSetServiceStatus \
  Java_com_plovatek_wyr_ServiceStatusManager_nativeSetServiceStatusHandler
check_pe i686 i686-w64-mingw32-objdump "$WYR_WIN32_DIR/wyr.exe" \
  _Java_com_plovatek_wyr_ServiceStatusManager_nativeSetServiceStatus@12 \
  _Java_com_plovatek_wyr_ServiceStatusManager_nativeSetServiceStatusHandler@12

# The Linux launcher exports the same natives, undecorated, as dynamic symbols.
for name in nativeSetServiceStatus nativeSetServiceStatusHandler; do
  expect_contains "linux dynamic symbol $name" "Java_com_plovatek_wyr_ServiceStatusManager_$name" \
    "$(nm -D --defined-only "$WYR_LINUX_DIR/wyr")"
done
finish
