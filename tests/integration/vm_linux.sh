#!/usr/bin/env bash
# Packaged test programs launched with /test against a real Java runtime (argument 1: its
# home): arguments, option order, class path, minjre, main class failures, threads, exit
# statuses and runtime libraries that cannot serve.
source "$(dirname "$0")/lib.sh"
runtime_home=$1
jvm="$runtime_home/lib/server/libjvm.so"
export LC_ALL=C.UTF-8
unset CLASSPATH CLASS_PATH JAVA_HOME JRE_HOME

classes=$scratch/classes
"$WYR_JDK_HOME/bin/javac" -d "$classes" "$WYR_SOURCE_DIR"/tests/integration/vm_java/vmtest/*.java || fail "javac"
"$WYR_JDK_HOME/bin/jar" cf "$scratch/vmtest.jar" -C "$classes" . || fail "jar"

# pack NAME [wyr-pack flags...]: a launcher for the test classes, with the runtime under test.
pack() {
  local name=$1; shift
  "$WYR_LINUX_DIR/wyr-pack" -o "$scratch/$name" --launcher "$WYR_LINUX_DIR/wyr" "$@" "$scratch/vmtest.jar" \
    >/dev/null || fail "packing $name"
}

# launch NAME ARGS...: runs the launcher from $scratch; sets out, err and status.
launch() {
  local name=$1; shift
  out=$(cd "$scratch" && "$scratch/$name" "$@" 2>"$scratch/stderr")
  status=$?
  err=$(cat "$scratch/stderr")
}

# The runtime's own version, for the minjre cases.
java_version=$("$runtime_home/bin/java" -XshowSettings:properties -version 2>&1 | sed -n 's/^ *java.version = //p')
major=${java_version%%.*}
minor_rest=${java_version#*.}
minor=${minor_rest%%[!0-9]*}
[ -n "$major" ] && [ -n "$minor" ] || fail "cannot read the version of $runtime_home: '$java_version'"

# --- arguments reach main exactly --------------------------------------------------------------
pack probe --mainclass vmtest.Probe --jvmdll "$jvm"
while IFS='|' read -r label expected args; do
  eval "set -- $args"
  launch probe /test "$@"
  expect_eq "$label: status" 0 "$status"
  expect_eq "$label: arguments" "$(printf '%b' "$expected")" "$(grep -E '^(argc|arg\[)' <<<"$out")"
done <<'CASES'
two arguments|argc=2\narg[0]=a units 0061\narg[1]=b units 0062|a b
no arguments|argc=0|
an empty argument|argc=1\narg[0]= units|""
non-ASCII in UTF-8|argc=2\narg[0]=中文 units 4E2D 6587\narg[1]=é x units 00E9 0020 0078|"中文" "é x"
a launcher command as argument|argc=1\narg[0]=/install units 002F 0069 006E 0073 0074 0061 006C 006C|/install
CASES

# --- options, properties, then the fixed properties; the class path ------------------------------
printf 'option -Dfrom.file=1\r\nproperty file.prop=2\r\nclasspath /file/entry.jar\r\n' >"$scratch/order.cfg"
mkdir -p "$scratch/lib" && : >"$scratch/lib/a.jar"
pack order --mainclass vmtest.Probe --jvmdll "$jvm" --option -Xmx64m --option -Dembedded.option=1 \
  --property a=1 --property "empty=" --classpath "lib/a.jar;;/abs/b.jar;"
out=$(cd "$scratch" && CLASSPATH=/env/c.jar CLASS_PATH= "$scratch/order" /test 2>"$scratch/stderr"); status=$?
expect_eq "order: status" 0 "$status"
expect_eq "order: options as the VM received them" "-Dfrom.file=1
-Xmx64m
-Dembedded.option=1
-Dfile.prop=2
-Da=1
-Dempty=
-Dwyr.app.path=$scratch/order
-Dapplication.home=$scratch/" "$(sed -n 's/^input=//p' <<<"$out")"
expect_eq "order: class path" "class.path=$scratch/order:/file/entry.jar:$scratch/lib/a.jar:/abs/b.jar:/env/c.jar:" \
  "$(grep '^class.path=' <<<"$out")"
expect_eq "order: application path" "app.path=$scratch/order" "$(grep '^app.path=' <<<"$out")"
expect_eq "order: application home" "app.home=$scratch/" "$(grep '^app.home=' <<<"$out")"

# --- minjre --------------------------------------------------------------------------------------
too_low="Java virtual machine version $major.$minor is too low, require"
while IFS='|' read -r required expected_status expected_line; do
  printf 'mainclass vmtest.Probe\r\njvmdll %s\r\nminjre %s\r\n' "$jvm" "$required" >"$scratch/minjre.txt"
  pack minjre --settings "$scratch/minjre.txt"
  launch minjre /test
  expected_line=${expected_line//@LOW@/$too_low}
  expect_eq "minjre $required: status" "$expected_status" "$status"
  expect_eq "minjre $required: first line" "$expected_line" "$(head -1 <<<"$out")"
done <<CASES
$major.$minor|0|argc=0
$major|0|argc=0
$((major - 1)).9|0|argc=0
1.8|0|argc=0
$major.$((minor + 1))|6|@LOW@ $major.$((minor + 1)) or higher.
$((major + 1))|6|@LOW@ $((major + 1)).0 or higher.
CASES

# --- main classes that cannot run, and one that throws -------------------------------------------
while IFS='|' read -r main_class expected_status expected_out expected_err; do
  pack main --mainclass "$main_class" --jvmdll "$jvm"
  launch main /test
  expect_eq "$main_class: status" "$expected_status" "$status"
  expect_eq "$main_class: output" "$expected_out" "$out"
  expect_contains "$main_class: the VM's report" "$expected_err" "$err"
done <<'CASES'
vmtest.Missing|7|The main startup class could not be found.|java.lang.NoClassDefFoundError: vmtest/Missing
vmtest.InstanceMain|8|The main startup class is not valid, main method missing.|java.lang.NoSuchMethodError: static Lvmtest/InstanceMain;.main
vmtest.Thrower|1|about to throw|Exception in thread "main" java.lang.IllegalStateException: thrown on purpose
CASES
pack slashes --mainclass vmtest/Probe --jvmdll "$jvm"
launch slashes /test
expect_eq "main class in slash form" "0 argc=0" "$status $(head -1 <<<"$out")"

# A mainclass line in the settings file alone does not count.
printf 'jvmdll %s\r\n' "$jvm" >"$scratch/embedded-none.txt"
pack embedded-none --settings "$scratch/embedded-none.txt"
printf 'mainclass vmtest.Probe\r\n' >"$scratch/embedded-none.cfg"
launch embedded-none /test
expect_eq "mainclass only in the settings file" "7 The main startup class could not be found." "$status $out"

# --- the process lives until the program's threads end; System.exit decides the status ---------
pack worker --mainclass vmtest.Worker --jvmdll "$jvm"
launch worker /test
expect_eq "non-daemon thread: output" "main returned
worker done" "$out"
expect_eq "non-daemon thread: status" 0 "$status"

pack exiter --mainclass vmtest.Exiter --jvmdll "$jvm"
for code in 0 5 42; do
  launch exiter /test "$code"
  expect_eq "System.exit($code)" "$code exiting with $code" "$status $out"
done

# --- runtime libraries that cannot serve, and a VM that refuses its options -------------------------
echo "not a library" >"$scratch/libjvm-text.so"
libm=$(ldconfig -p | awk '/libm\.so\.6 .*x86-64/ { print $NF; exit }')
[ -f "$libm" ] || fail "no libm.so.6 found"
while IFS='|' read -r label library option expected_status expected_out; do
  pack broken --mainclass vmtest.Probe --jvmdll "$library" ${option:+--option "$option"}
  launch broken /test
  # The VM may explain its refusal first, on its own.
  expect_eq "$label" "$expected_status $expected_out" "$status $(tail -1 <<<"$out")"
  expect_not_contains "$label: main did not run" "argc=" "$out"
done <<CASES
not a library|$scratch/libjvm-text.so||1|Java Runtime Environment not found.
missing file|$scratch/none/libjvm.so||1|Java Runtime Environment not found.
no JNI_CreateJavaVM|$libm||2|Java Runtime Environment not valid.
VM refuses its options|$jvm|-Xss1k|4|Java Virtual Machine starts failed.
CASES

finish
