#!/usr/bin/env bash
# The Java bridge: class-file version 46.0, verified and usable on today's runtimes, and its jar.
. "$(dirname "$0")/lib.sh"

classes="$WYR_LINUX_DIR/bridge/classes"
jar="$WYR_LINUX_DIR/../bridge/wyr-bridge.jar"
runtimes="/usr/lib/jvm/java-17-openjdk-amd64 /usr/lib/jvm/temurin-25-jdk-amd64"

for type in ServiceStatusManager ServiceStatusHandler; do
  dump=$("$WYR_JDK_HOME/bin/javap" -v "$classes/com/plovatek/wyr/$type.class")
  expect_contains "$type major version" "major version: 46" "$dump"
  expect_contains "$type minor version" "minor version: 0" "$dump"
  expect_contains "$type class name" "com/plovatek/wyr/$type" "$dump"
done

# The jar carries the same classes and their sources.
listing=$(unzip -Z1 "$jar")
for entry in ServiceStatusManager.class ServiceStatusHandler.class ServiceStatusManager.java ServiceStatusHandler.java; do
  expect_contains "jar entry $entry" "com/plovatek/wyr/$entry" "$listing"
done
mkdir -p "$scratch/from-jar"
(cd "$scratch/from-jar" && unzip -q "$jar" com/plovatek/wyr/ServiceStatusManager.class)
expect_eq "jar class equals the built class" "" \
  "$(cmp "$scratch/from-jar/com/plovatek/wyr/ServiceStatusManager.class" "$classes/com/plovatek/wyr/ServiceStatusManager.class" 2>&1)"

"$WYR_JDK_HOME/bin/javac" -cp "$jar" -d "$scratch" "$WYR_SOURCE_DIR/tests/fixtures/service_bridge/BridgeProbe.java" \
  || fail "probe does not compile against the jar"

expected="isRunAsService=false
constants=4,7
handler interface=true
calls returned
superclass=java.lang.Object"
# No property, a path that does not exist, and a file that is not a library: the class
# initialises every time and stays out of service mode.
for runtime in $runtimes; do
  [ -x "$runtime/bin/java" ] || { fail "runtime $runtime missing"; continue; }
  for property in "" "-Dwyr.app.path=$scratch/missing.so" "-Dwyr.app.path=$jar"; do
    output=$("$runtime/bin/java" -Xverify:all $property -cp "$classes:$scratch" BridgeProbe 2>"$scratch/stderr")
    expect_eq "$(basename "$runtime") ${property:-no property}" "$expected" "$output"
    expect_not_contains "$(basename "$runtime") ${property:-no property} stderr" "Error" "$(cat "$scratch/stderr")"
  done
done
finish
