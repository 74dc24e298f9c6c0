#!/usr/bin/env bash
# The Windows packager under wine64, and the packaged x86_64 launcher naming its new service.
. "$(dirname "$0")/pack_lib.sh"
cd "$scratch" || exit 1

make_jar app.jar Hi "hi"
# wyr-pack.exe finds wyr.exe beside itself.
wine_run "$WYR_WIN64_DIR/wyr-pack.exe" -o packed.exe --mainclass Hi --service-name wine-pack-svc \
  --display-name "Packed under wine" app.jar
expect_eq "wyr-pack.exe status" 0 $?
inspect=$("$pack" --inspect packed.exe)
expect_contains "settings from wyr-pack.exe" "  mainclass Hi" "$inspect"
expect_contains "texts from wyr-pack.exe" "service name: wine-pack-svc
  display name: Packed under wine" "$inspect"
expect_eq "java reads it" "hi w" "$("$WYR_JDK_HOME/bin/java" -cp packed.exe Hi w)"
expect_eq "same bytes as the Linux packager" "$("$pack" -o linux.exe --launcher "$WYR_WIN64_DIR/wyr.exe" \
  --mainclass Hi --service-name wine-pack-svc --display-name "Packed under wine" app.jar && md5sum < linux.exe)" \
  "$(md5sum < packed.exe)"

# A second run replaces the earlier package in place.
wine_run "$WYR_WIN64_DIR/wyr-pack.exe" -o packed.exe --mainclass Other --no-bridge app.jar
expect_eq "wyr-pack.exe over an existing OUT" 0 $?
expect_contains "replaced package" "  mainclass Other" "$("$pack" --inspect packed.exe)"

# Errors from the Windows build: status 1 and nothing left behind.
wine_run "$WYR_WIN64_DIR/wyr-pack.exe" -o bad.exe missing.jar
expect_eq "wyr-pack.exe missing jar status" 1 $?
[ -e bad.exe ] && fail "wyr-pack.exe left bad.exe"

# The launcher reads its string table at run time: /install names the packaged service.
"$pack" -o named.exe --launcher "$WYR_WIN64_DIR/wyr.exe" --service-name "renamed-by-pack" app.jar
output=$(wine_run ./named.exe /install | strip_cr)
expect_contains "/install names the new service" "Service 'renamed-by-pack'" "$output"
wine_run ./named.exe /uninstall >/dev/null
finish
