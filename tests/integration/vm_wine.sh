#!/usr/bin/env bash
# The Windows x86_64 launcher under wine64 with the scripted runtime double: the options the VM
# receives and their order, the class path, argument conversion, every launch failure's
# message and exit status, and loading a runtime whose DLLs live in its bin folder.
source "$(dirname "$0")/lib.sh"
export LC_ALL=C.UTF-8
unset CLASSPATH CLASS_PATH JAVA_HOME JRE_HOME JVM_DOUBLE_SCRIPT JVM_DOUBLE_LOG
doubles=$WYR_WIN64_DIR/tests/fixtures/jvm_double
[ -f "$doubles/plain/jvm.dll" ] || { fail "no runtime double in $doubles"; finish; }

winpath() { printf 'Z:%s' "$1" | tr / '\\'; }
here=$(winpath "$scratch")
echo "not a class" >"$scratch/readme.txt"
(cd "$scratch" && zip -q app.jar readme.txt) || fail "zip"

# pack NAME [wyr-pack flags...]: an application whose runtime is rt\jvm.dll beside it.
pack() {
  local name=$1; shift
  "$WYR_LINUX_DIR/wyr-pack" -o "$scratch/$name.exe" --launcher "$WYR_WIN64_DIR/wyr.exe" --jvmdll 'rt\jvm.dll' "$@" \
    "$scratch/app.jar" >/dev/null || fail "packing $name"
}

# runtime DOUBLE SCRIPT: puts that double (none, or "text" for a file that is no library) at
# rt\jvm.dll, with the script (";" separates lines).
runtime() {
  rm -rf "$scratch/rt" && mkdir -p "$scratch/rt"
  case $1 in
    "") ;;
    text) echo "not a library" >"$scratch/rt/jvm.dll" ;;
    *) cp "$doubles/$1/jvm.dll" "$scratch/rt/jvm.dll" ;;
  esac
  tr ';' '\n' <<<"$2" >"$scratch/rt/jvm-double.txt"
}

# launch NAME ARGS...: sets out (launcher and program output), status and log (the double's).
launch() {
  local name=$1; shift
  out=$(cd "$scratch" && wine_run "$scratch/$name.exe" "$@" | strip_cr; exit "${PIPESTATUS[0]}")
  status=$?
  log=$(cat "$scratch/rt/jvm-double.log" 2>/dev/null)
}

# --- options in order, the class path joined with ";" ----------------------------------------------
runtime plain 'class app/Main;main print'
printf 'option -Dfrom.file=1\r\nproperty file.prop=2\r\nclasspath C:\\file\\entry.jar\r\n' >"$scratch/order.cfg"
mkdir -p "$scratch/lib" && : >"$scratch/lib/a.jar"
pack order --mainclass app.Main --option -Xmx64m --option '-Dembedded=%WYR_TEST_VALUE%' --property a=1 \
  --property 'empty=' --classpath 'lib\a.jar;;C:\b.jar;'
out=$(cd "$scratch" && WYR_TEST_VALUE=expanded CLASSPATH='C:\env\c.jar;D:\x' CLASS_PATH= \
  wine_run "$scratch/order.exe" /test | strip_cr; exit "${PIPESTATUS[0]}")
expect_eq "order: status" 0 "$?"
expect_eq "order: options as the VM received them" "JNI_CreateJavaVM version 0x10002 options 9 ignoreUnrecognized 1
option 0 -Dfrom.file=1
option 1 -Xmx64m
option 2 -Dembedded=expanded
option 3 -Dfile.prop=2
option 4 -Da=1
option 5 -Dempty=
option 6 -Djava.class.path=$here\\order.exe;C:\\file\\entry.jar;$here\\lib\\a.jar;C:\\b.jar;C:\\env\\c.jar;D:\\x;
option 7 -Dwyr.app.path=$here\\order.exe
option 8 -Dapplication.home=$here\\" "$(grep -E '^(JNI_CreateJavaVM version|option )' "$scratch/rt/jvm-double.log")"

# --- arguments: ANSI code page to UTF-16, in order, an empty array for none ----------------------
pack args --mainclass app.Main
while IFS='|' read -r label expected args; do
  runtime plain 'class app/Main;main print'
  eval "set -- $args"
  launch args /test "$@"
  expect_eq "$label: status" 0 "$status"
  expect_eq "$label: strings made" "$(printf '%b' "$expected")" "$(grep -E '^(NewObjectArray|NewString )' <<<"$log")"
done <<'CASES'
none|NewObjectArray 0 java/lang/String|
two|NewObjectArray 2 java/lang/String\nNewString 1 [a] units 0061\nNewString 2 [bc] units 0062 0063|a bc
empty and spaced|NewObjectArray 2 java/lang/String\nNewString 0 [] units \nNewString 3 [x y] units 0078 0020 0079|"" "x y"
beyond ASCII|NewObjectArray 2 java/lang/String\nNewString 2 [éü] units 00E9 00FC\nNewString 1 [?] units 003F|"éü" "中"
CASES
# The whole road of a successful launch, ending with the VM released.
runtime plain 'class app/Main;main print'
launch args /test first
expect_eq "program output" "argument 0 [first]" "$out"
expect_eq "successful launch: last calls" "main: argument 0 [first]
ExceptionOccurred -> none
DeleteLocalRef [Ljava/lang/String;
DeleteLocalRef app/Main
DetachCurrentThread
DestroyJavaVM" "$(tail -6 <<<"$log")"
expect_not_contains "no minjre: no version probe" "getProperty" "$log"

# --- every outcome: message, exit status, and how far the launch got -------------------------------
# label | double | script | wyr-pack flags | status | output | in the log | not in the log
while IFS='|' read -r label double script flags expected_status expected_out wanted unwanted; do
  runtime "$double" "$script"
  eval "pack outcome $flags"
  launch outcome /test
  expect_eq "$label: status" "$expected_status" "$status"
  expect_eq "$label: output" "$expected_out" "$out"
  [ -z "$wanted" ] || expect_contains "$label: log" "$wanted" "$log"
  [ -z "$unwanted" ] || expect_not_contains "$label: log" "$unwanted" "$log"
done <<'CASES'
no runtime file||||1|Java Runtime Environment not found.||
not a library|text||--mainclass app.Main|1|Java Runtime Environment not found.||
library without JNI_CreateJavaVM|no_entry||--mainclass app.Main|2|Java Runtime Environment not valid.||JNI_CreateJavaVM
creation fails|plain|create fail|--mainclass app.Main|4|Java Virtual Machine starts failed.|JNI_CreateJavaVM -> -1|FindClass
creation fails otherwise|plain|create fail -6|--mainclass app.Main|4|Java Virtual Machine starts failed.|JNI_CreateJavaVM -> -6|FindClass
version unavailable|plain|hide java/lang/System;class app/Main;main print|--mainclass app.Main --minjre 1.8|5|Can not get the virtual machine version.|FindClass java/lang/System -> missing|app/Main
Java 8 below 11 though its VM says 25|plain|property java.version 1.8.0_381;property java.vm.version 25.381-b09;class app/Main;main print|--mainclass app.Main --minjre 11.0|6|Java virtual machine version 1.8 is too low, require 11.0 or higher.||app/Main
minor number below|plain|property java.version 9+181;class app/Main;main print|--mainclass app.Main --minjre 9.1|6|Java virtual machine version 9.0 is too low, require 9.1 or higher.||app/Main
equal version passes|plain|property java.version 11;class app/Main;main print|--mainclass app.Main --minjre 11.0|0||getProperty java.version -> 11|
main class missing|plain|class app/Other|--mainclass app.Main|7|The main startup class could not be found.|ExceptionDescribe java/lang/NoClassDefFoundError|
no main method|plain|class app/Main|--mainclass app.Main|8|The main startup class is not valid, main method missing.|ExceptionDescribe java/lang/NoSuchMethodError|CallStaticVoidMethod
main throws|plain|class app/Main;main throw|--mainclass app.Main|1||ExceptionDescribe java/lang/RuntimeException|
main ends the process|plain|class app/Main;main exit 3|--mainclass app.Main|3||main: exit 3|DestroyJavaVM
main returns|plain|class app/Main;main return|--mainclass app.Main|0||DestroyJavaVM|
CASES

# --- a runtime that needs the DLLs of its bin folder -------------------------------------------------
for with_dependency in yes no; do
  rm -rf "$scratch/jre" && mkdir -p "$scratch/jre/bin/server"
  cp "$doubles/bin_folder/bin/server/jvm.dll" "$scratch/jre/bin/server/"
  [ "$with_dependency" = no ] || cp "$doubles/bin_folder/bin/jvmdep.dll" "$scratch/jre/bin/"
  printf 'class app/Main\nmain print\n' >"$scratch/jre/bin/server/jvm-double.txt"
  rm -f "$scratch/jre/bin/server/jvm-double.log"
  "$WYR_LINUX_DIR/wyr-pack" -o "$scratch/binfolder.exe" --launcher "$WYR_WIN64_DIR/wyr.exe" --mainclass app.Main \
    --jvmdll 'jre\bin\server\jvm.dll' "$scratch/app.jar" >/dev/null || fail "packing binfolder"
  out=$(cd "$scratch" && wine_run "$scratch/binfolder.exe" /test x | strip_cr; exit "${PIPESTATUS[0]}")
  status=$?
  if [ "$with_dependency" = yes ]; then
    expect_eq "bin folder: loaded on the second attempt" "0 argument 0 [x]" "$status $out"
  else
    expect_eq "bin folder without the DLL" "1 Java Runtime Environment not found." "$status $out"
  fi
done

finish
