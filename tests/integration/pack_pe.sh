#!/usr/bin/env bash
# Service texts rewritten in both Windows launchers, read back from their resource trees.
. "$(dirname "$0")/pack_lib.sh"
cd "$scratch" || exit 1
export LC_ALL=C.UTF-8

make_jar app.jar Hi "hi"
check_stub() { # arch objdump stub
  local arch=$1 objdump=$2 stub=$3
  "$pack" -o "$arch.exe" --launcher "$stub" --mainclass Hi --service-name "svc-$arch" \
    --display-name "显示名称 $arch" --description "Description of $arch" --depends "Tcpip/Dnscache" app.jar
  expect_eq "$arch pack status" 0 $?
  "$objdump" -p "$arch.exe" > dump || fail "$arch: objdump cannot parse the package"
  expect_eq "$arch headers unchanged" "$("$objdump" -p "$stub" | grep -v 'file format')" "$(grep -v 'file format' dump)"
  for language in 1033 2052; do
    expect_eq "$arch texts $language" "svc-$arch
显示名称 $arch
Description of $arch
Tcpip/Dnscache" "$(pe_service_texts "$arch.exe" "$language")"
    # The block keeps the size the launcher reserves, and the other blocks are untouched.
    expect_eq "$arch block 65 $language" "$(python3 "$pe_resources" "$stub" 6 65 "$language")" \
      "$(python3 "$pe_resources" "$arch.exe" 6 65 "$language")"
  done
  expect_eq "$arch blocks listed" "$(python3 "$pe_resources" "$stub" 6)" "$(python3 "$pe_resources" "$arch.exe" 6)"
  expect_eq "$arch archive after the image" "PK" "$(tail -c +$(( $(stat -c %s "$stub") + 1 )) "$arch.exe" | head -c 2)"
  expect_eq "$arch java reads it" "hi x" "$("$WYR_JDK_HOME/bin/java" -cp "$arch.exe" Hi x)"
  expect_contains "$arch inspect" "service name: svc-$arch" "$("$pack" --inspect "$arch.exe")"
}
check_stub x86_64 x86_64-w64-mingw32-objdump "$WYR_WIN64_DIR/wyr.exe"
check_stub i686 i686-w64-mingw32-objdump "$WYR_WIN32_DIR/wyr.exe"

# A PE that is not a wyr launcher (the Windows packager itself) is refused.
if [ -f "$WYR_WIN64_DIR/wyr-pack.exe" ]; then
  expect_contains "other PE refused" "wyr-pack.exe' is not a wyr launcher" \
    "$("$pack" -o other.exe --launcher "$WYR_WIN64_DIR/wyr-pack.exe" app.jar 2>&1)"
  [ -e other.exe ] && fail "a refused launcher left other.exe"
fi
finish
