#!/usr/bin/env bash
# Runtime search of a built executable: jre_order and jvmdll from its settings file, the
# JRE_HOME/JAVA_HOME folder probe, and under wine the registry keys of installed runtimes.
. "$(dirname "$0")/lib.sh"
target=$1

app=$scratch/app
start=$scratch/start
mkdir -p "$app" "$start"
# The settings file is probe.cfg on both platforms: Windows replaces ".exe", Linux appends.
settings=$app/probe.cfg

if [ "$target" = linux ]; then
  cp "$WYR_LINUX_DIR/tests/fixtures/discovery_probe/discovery_probe" "$app/probe"
  native() { printf '%s' "$1"; }
  sep=/
  lib=libjvm.so
  libdir=lib
else
  cp "$WYR_WIN64_DIR/tests/fixtures/discovery_probe/discovery_probe.exe" "$app/probe.exe"
  # The Unix root is drive Z: in every wine prefix.
  native() { local path=${1//\//\\}; printf 'Z:%s' "$path"; }
  sep='\'
  lib=jvm.dll
  libdir=bin
fi
S=$(native "$scratch")

# Registry cases are .reg files, each imported into the private prefix after removing whatever
# the case before registered. Runtimes left registered there would answer for s and i: start
# without any, and leave none behind for the other tests.
javasoft='SOFTWARE\JavaSoft'
classic="$javasoft\\Java Runtime Environment"
ibm='SOFTWARE\IBM\Java2 Runtime Environment'
reg_escape() { local text=${1//\\/\\\\}; printf '%s' "${text//\"/\\\"}"; }
# version_only KEY VERSION: the vendor key names a version whose subkey is missing.
version_only() { reg_text+="[HKEY_LOCAL_MACHINE\\$1]"$'\r\n'"\"CurrentVersion\"=\"$2\""$'\r\n\r\n'; }
# register KEY VERSION [VALUE-NAME VALUE]... (keys below HKEY_LOCAL_MACHINE)
register() {
  version_only "$1" "$2"
  reg_text+="[HKEY_LOCAL_MACHINE\\$1\\$2]"$'\r\n'
  shift 2
  while [ $# -gt 0 ]; do
    case $1 in
      # raw:NAME stores the string's bytes without a terminator.
      raw:*) reg_text+="\"${1#raw:}\"=hex(1):$(printf '%s' "$2" | od -An -tx1 | tr -s ' \n' ',' | sed 's/^,//; s/,$//')" ;;
      *) reg_text+="\"$1\"=\"$(reg_escape "$2")\"" ;;
    esac
    reg_text+=$'\r\n'
    shift 2
  done
  reg_text+=$'\r\n'
}
import_registry() {
  printf 'REGEDIT4\r\n\r\n[-HKEY_LOCAL_MACHINE\\SOFTWARE\\JavaSoft]\r\n\r\n[-HKEY_LOCAL_MACHINE\\SOFTWARE\\IBM]\r\n\r\n%s' \
    "$reg_text" >"$scratch/case.reg"
  wine_run reg import "$S\\case.reg" >/dev/null || fail "reg import of: $reg_text"
}
clear_registry() { reg_text=; import_registry; }
if [ "$target" = wine ]; then
  clear_registry
  trap 'clear_registry; rm -rf "$scratch"' EXIT
fi
long_path="$S\\$(printf 'x%.0s' $(seq 1 280))\\jvm.dll"

# probe [NAME=value...] -> prints the chosen library; standard error into $scratch/trace
probe() {
  if [ "$target" = linux ]; then
    (cd "$start" && env -u JRE_HOME -u JAVA_HOME "$@" "$app/probe" 2>"$scratch/trace")
  else
    (cd "$start" && env -u JRE_HOME -u JAVA_HOME "$@" "$WYR_WINE" "$app/probe.exe" 2>"$scratch/trace" | strip_cr)
  fi
}

# Creates files below the scratch folder; a name ending in / is a folder.
layout() {
  local entry
  for entry in "$@"; do
    case $entry in
      */) mkdir -p "$scratch/$entry" ;;
      *) mkdir -p "$(dirname "$scratch/$entry")" && echo "not a runtime" >"$scratch/$entry" ;;
    esac
  done
}
clear_layout() { rm -rf "$scratch/rt" "$scratch/jre" "$scratch/jdk" "$scratch/conf" "$scratch/lit" "$scratch/empty" "$app/jre" "$start/jre"; }

# A runtime in a home folder and a configured library, both fake: existence is all the search asks.
home_layout="rt/$libdir/server/$lib"
home_found="$S${sep}rt$sep$libdir${sep}server$sep$lib"
configured="$S${sep}conf$sep$lib"

# Order cases: jre_order value ("-" for no line) | jvmdll present? | expected | checks of jvmdll
while IFS='|' read -r order present expected checks; do
  clear_layout
  layout "$home_layout"
  [ "$present" = yes ] && layout "conf/$lib"
  {
    [ "$order" = - ] || printf 'jre_order %s\r\n' "$order"
    printf 'jvmdll %s\r\n' "$configured"
  } >"$settings"
  case $expected in configured) want=$configured ;; home) want=$home_found ;; *) want= ;; esac
  got=$(probe JAVA_HOME="$S${sep}rt" WYR_DEBUG=1)
  expect_eq "jre_order '$order' (jvmdll present: $present)" "$want" "$got"
  expect_eq "jre_order '$order': jvmdll checks" "$checks" "$(grep -c '^wyr: configured ' "$scratch/trace")"
done <<'EOF'
-|yes|configured|1
-|no|home|1
E|yes|home|0
sie|yes|home|0
xyz|yes|configured|1
xe|yes|home|0
cc|no||2
EOF

# jvmdll cases: value | layout | expected ({S} is the scratch folder, / the platform separator)
while IFS='|' read -r value files expected; do
  clear_layout
  # shellcheck disable=SC2086
  layout $files
  value=${value//\{S\}/$S}; value=${value//\//$sep}
  expected=${expected//\{S\}/$S}; expected=${expected//\//$sep}
  printf 'jre_order c\r\njvmdll %s\r\n' "$value" >"$settings"
  expect_eq "jvmdll '$value' with [$files]" "$expected" "$(probe)"
done <<EOF
jre/$lib|app/jre/$lib start/jre/$lib|{S}/app/jre/$lib
jre/$lib|start/jre/$lib|{S}/start/jre/$lib
jre/$lib|start/jre/|
{S}/conf/missing.dll|conf/$lib|
{S}/conf|conf/$lib|{S}/conf
EOF
rm -f "$settings"

# Standard output holds the result alone; the explanation goes to standard error.
clear_layout
layout "$home_layout"
out=$(probe JAVA_HOME="$S${sep}rt")
expect_eq "no trace without WYR_DEBUG" "" "$(cat "$scratch/trace")"
expect_eq "found without WYR_DEBUG" "$home_found" "$out"
out=$(probe JAVA_HOME="$S${sep}rt" WYR_DEBUG=1)
expect_eq "found with WYR_DEBUG" "$home_found" "$out"
expect_contains "trace accepts the winner" "wyr: environment $home_found: accepted" "$(strip_cr <"$scratch/trace")"

# Through the launcher itself: an accepted path that does not load is reported as no runtime.
if [ "$target" = linux ]; then
  cp "$WYR_LINUX_DIR/wyr" "$app/launcher"
else
  cp "$WYR_WIN64_DIR/wyr.exe" "$app/launcher.exe"
fi
launch() {
  if [ "$target" = linux ]; then
    (cd "$start" && env -u JRE_HOME -u JAVA_HOME LC_ALL=en_US.UTF-8 WYR_DEBUG=1 "$app/launcher" /test 2>"$scratch/trace"
     echo "status=$?")
  else
    (cd "$start" && env -u JRE_HOME -u JAVA_HOME LC_ALL=en_US.UTF-8 WYR_DEBUG=1 "$WYR_WINE" "$app/launcher.exe" /test \
       2>"$scratch/trace" | strip_cr; echo "status=${PIPESTATUS[0]}")
  fi
}
clear_layout
layout conf/
while IFS='|' read -r value verdict; do
  printf 'jre_order c\r\njvmdll %s\r\n' "$value" >"$app/launcher.cfg"
  expect_eq "launch with jvmdll $value" $'Java Runtime Environment not found.\nstatus=1' "$(launch)"
  expect_contains "launch with jvmdll $value: candidate" "wyr: configured $value: $verdict" "$(strip_cr <"$scratch/trace")"
done <<EOF
$S${sep}conf|accepted
$S${sep}conf$sep$lib|not found
EOF

if [ "$target" = linux ]; then
  # The installed JDKs, found through JAVA_HOME and JRE_HOME exactly as a user would set them.
  for jdk in /usr/lib/jvm/java-17-openjdk-amd64 /usr/lib/jvm/temurin-25-jdk-amd64; do
    [ -e "$jdk/lib/server/libjvm.so" ] || continue
    expect_eq "JAVA_HOME=$jdk" "$jdk/lib/server/libjvm.so" "$(probe JAVA_HOME="$jdk")"
    expect_eq "JRE_HOME=$jdk/ wins over JAVA_HOME" "$jdk/lib/server/libjvm.so" \
      "$(probe JRE_HOME="$jdk/" JAVA_HOME="$S${sep}rt")"
  done
  finish
fi

# ---- Windows only: the folder probe's Windows layouts and the registry.

# Folder cases: JRE_HOME | JAVA_HOME | layout | expected  ("-" leaves a variable undefined)
while IFS='|' read -r jre_home java_home files expected; do
  clear_layout
  # shellcheck disable=SC2086
  layout $files
  jre_home=${jre_home//\{S\}/$S}; java_home=${java_home//\{S\}/$S}; expected=${expected//\{S\}/$S}
  vars=()
  [ "$jre_home" = - ] || vars+=("JRE_HOME=$jre_home")
  [ "$java_home" = - ] || vars+=("JAVA_HOME=$java_home")
  printf 'jre_order e\r\n' >"$settings"
  expect_eq "JRE_HOME '$jre_home', JAVA_HOME '$java_home', [$files]" "$expected" "$(probe "${vars[@]}")"
done <<'EOF'
{S}\jre|-|jre/bin/client/jvm.dll|{S}\jre\bin\client\jvm.dll
-|{S}\jdk\|jdk/jre/bin/server/jvm.dll|{S}\jdk\jre\bin\server\jvm.dll
-|{S}\jdk\bin|jdk/bin/ jdk/jre/bin/client/jvm.dll|{S}\jdk\bin\..\jre\bin\client\jvm.dll
{S}\jre|-|jre/jvm.dll jre/bin/server/jvm.dll|{S}\jre\jvm.dll
{S}\jre|-|jre/bin/server jre/bin/client/jvm.dll|{S}\jre\bin\client\jvm.dll
{S}\jre|-|jre/bin/server/deeper/jvm.dll|
{S}\empty|{S}\jdk|empty/bin/ jdk/bin/server/jvm.dll|{S}\jdk\bin\server\jvm.dll
|{S}\jdk|jdk/bin/server/jvm.dll|{S}\jdk\bin\server\jvm.dll
{S}\jre|{S}\jdk|jre/bin/server/jvm.dll jdk/jvm.dll|{S}\jre\bin\server\jvm.dll
EOF

# A home written with slashes and ending in one gets no backslash of its own.
clear_layout
layout jre/bin/client/jvm.dll
slashed="Z:$scratch/jre/"
expect_eq "home ending in /" "${slashed}bin\\client\\jvm.dll" "$(probe JRE_HOME="$slashed")"

# Two subfolders with a runtime: the one the folder listing returns first wins.
clear_layout
for name in delta alpha charlie bravo; do layout "jre/bin/$name/"; done
for name in delta charlie bravo; do layout "jre/bin/$name/jvm.dll"; done
first=
for name in $(wine_run cmd /c dir /b /ad "$S\\jre\\bin" | strip_cr); do
  [ -e "$scratch/jre/bin/$name/jvm.dll" ] && { first=$name; break; }
done
expect_eq "first listed subfolder wins" "$S\\jre\\bin\\$first\\jvm.dll" "$(probe JRE_HOME="$S\\jre")"

# Registry cases: jre_order | registration commands | layout | expected
while IFS='|' read -r order commands files expected; do
  clear_layout
  # shellcheck disable=SC2086
  layout $files
  commands=${commands//\{S\}/$S}; expected=${expected//\{S\}/$S}
  reg_text=
  eval "$commands"
  import_registry
  printf 'jre_order %s\r\n' "$order" >"$settings"
  expect_eq "jre_order $order: $commands" "$expected" "$(probe WYR_TEST_RT="$S\\rt" JAVA_HOME="$S\\jdk")"
done <<'EOF'
s|register "$classic" 1.6 RuntimeLib '{S}\rt\bin\client\jvm.dll'|rt/bin/client/jvm.dll|{S}\rt\bin\client\jvm.dll
s|register "$javasoft\JRE" 9 RuntimeLib '{S}\rt\bin\server\jvm.dll'|rt/bin/server/jvm.dll|{S}\rt\bin\server\jvm.dll
s|register "$javasoft\JDK" 17 JavaHome '{S}\rt'|rt/bin/server/jvm.dll rt/bin/client/jvm.dll|{S}\rt\bin\server\jvm.dll
s|register "$javasoft\JDK" 17 JavaHome '{S}\rt\'|rt/bin/client/jvm.dll|{S}\rt\bin\client\jvm.dll
s|register "$javasoft\JDK" 17 JavaHome '{S}\rt'|rt/bin/|
s|register "$classic" 1.8 RuntimeLib '{S}\rt\bin\client\jvm.dll'; register "$javasoft\JDK" 17 JavaHome '{S}\jdk'|rt/bin/client/jvm.dll jdk/bin/server/jvm.dll|{S}\rt\bin\client\jvm.dll
s|version_only "$classic" 1.8|rt/bin/client/jvm.dll|
s|version_only "$classic" 1.8; register "$javasoft\JDK" 17 JavaHome '{S}\jdk'|jdk/bin/server/jvm.dll|{S}\jdk\bin\server\jvm.dll
s|register "$classic" 1.6 RuntimeLib '{S}\rt\bin\client\jvm.dll' JavaHome '{S}\jdk'|jdk/bin/server/jvm.dll|
s|register "$classic" 1.6 RuntimeLib '{S}\rt\bin\client\jvm.dll'; register "$javasoft\JRE" 9 RuntimeLib '{S}\jdk\bin\server\jvm.dll'|jdk/bin/server/jvm.dll|{S}\jdk\bin\server\jvm.dll
s|register "$classic" 1.6 RuntimeLib '%WYR_TEST_RT%\jvm.dll'|rt/jvm.dll|
s|register "$classic" 1.6 RuntimeLib '{S}\lit\%WYR_TEST_RT%\jvm.dll'|rt/jvm.dll lit/%WYR_TEST_RT%/jvm.dll|{S}\lit\%WYR_TEST_RT%\jvm.dll
s|register "$classic" 1.6 RuntimeLib "$long_path"|rt/jvm.dll|
s|register "$javasoft\JRE" 9 raw:RuntimeLib '{S}\rt\jvm.dll'|rt/jvm.dll|{S}\rt\jvm.dll
s|register "$ibm" 1.8 RuntimeLib '{S}\rt\jvm.dll'|rt/jvm.dll|
i|register "$ibm" 1.8 RuntimeLib '{S}\rt\jvm.dll'|rt/jvm.dll|{S}\rt\jvm.dll
i|register "$classic" 1.6 RuntimeLib '{S}\rt\jvm.dll'|rt/jvm.dll|
i|register "$ibm" 1.8 JavaHome '{S}\rt'|rt/bin/server/jvm.dll|
s|register "$classic" 1.6 JavaHome '{S}\rt'|rt/bin/server/jvm.dll|{S}\rt\bin\server\jvm.dll
csie|register "$ibm" 1.8 RuntimeLib '{S}\rt\jvm.dll'|rt/jvm.dll jdk/bin/server/jvm.dll|{S}\rt\jvm.dll
ie|register "$classic" 1.6 RuntimeLib '{S}\rt\jvm.dll'|rt/jvm.dll jdk/bin/server/jvm.dll|{S}\jdk\bin\server\jvm.dll
EOF

finish
