#!/usr/bin/env bash
# Benchmark: /test of the packaged demo against java -cp on the same classes and against a
# bare JNI host (the floor), in alternating runs; then each stub's size against its budget.
set -eu
build=$(realpath "${1:-build}")
runs=${BENCH_RUNS:-21}
java_home=${JAVA_HOME:-/usr/lib/jvm/java-17-openjdk-amd64}
libjvm="$java_home/lib/server/libjvm.so"
work="$build/bench"
mkdir -p "$work"

# The packaged demo: the demo's own when it exists, else one packaged here the same way.
hello="$build/demo/hello"
if [ ! -x "$hello" ]; then
  hello="$work/hello"
  "$build/linux/wyr-pack" -o "$hello" --launcher "$build/linux/wyr" --mainclass hello.Hello \
    "$build/linux/examples/hello/hello.jar" >/dev/null
fi
# The same classes as a plain jar, for java and the floor.
rm -rf "$work/classes" && mkdir -p "$work/classes"
(cd "$work/classes" && unzip -qo "$hello" 2>/dev/null || [ -n "$(ls)" ])
rm -f "$work/hello.jar"
"$java_home/bin/jar" cf "$work/hello.jar" -C "$work/classes" .

cc -O2 -o "$work/jni_floor" "$(dirname "$0")/bench/jni_floor.c" -I"$java_home/include" -I"$java_home/include/linux" -ldl

export JAVA_HOME="$java_home"
run_wyr() { "$hello" /test first second; }
run_java() { "$java_home/bin/java" -cp "$work/hello.jar" hello.Hello first second; }
run_floor() { "$work/jni_floor" "$libjvm" "$work/hello.jar" hello.Hello first second; }

# Each must work before it is timed.
for kind in wyr java floor; do
  "run_$kind" >"$work/$kind.out" 2>&1 || { echo "$kind failed:"; cat "$work/$kind.out"; exit 1; }
done

# Wall time is what a user waits for; processor time (user + system) is less disturbed by
# whatever else the machine runs at the same time.
TIMEFORMAT='%R %U %S'
declare -A wall=([wyr]="" [java]="" [floor]="") cpu=([wyr]="" [java]="" [floor]="")
kinds=(wyr java floor)
for ((round = 0; round < runs; round++)); do
  # Rotate the order so that none always runs right after the same other one.
  for ((slot = 0; slot < 3; slot++)); do
    kind=${kinds[$(((round + slot) % 3))]}
    read -r real user system < <({ time "run_$kind" >/dev/null 2>&1; } 2>&1)
    wall[$kind]+="$real "
    cpu[$kind]+="$(bc -l <<<"$user + $system") "
  done
done

median() { tr ' ' '\n' | grep . | sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
echo "== start-up to exit, medians of $runs alternating runs, runtime $java_home"
printf '%-28s %12s %12s\n' "" "wall ms" "cpu ms"
for kind in wyr java floor; do
  label=$(case $kind in wyr) echo "wyr /test (packaged demo)" ;; java) echo "java -cp" ;; floor) echo "bare JNI host (floor)" ;; esac)
  printf '%-28s %12.1f %12.1f\n' "$label" "$(bc -l <<<"$(median <<<"${wall[$kind]}") * 1000")" \
    "$(bc -l <<<"$(median <<<"${cpu[$kind]}") * 1000")"
done
for measure in wall cpu; do
  declare -n values=$measure
  w=$(median <<<"${values[wyr]}")
  printf '%-5s ratio wyr / java %.3f (target <= 1.00), wyr / floor %.3f (target <= 1.02)\n' "$measure" \
    "$(bc -l <<<"$w / $(median <<<"${values[java]}")")" "$(bc -l <<<"$w / $(median <<<"${values[floor]}")")"
  unset -n values
done

echo "== stub sizes"
for entry in "win64/wyr.exe 81920" "win32/wyr.exe 81920" "linux/wyr 131072"; do
  set -- $entry
  if [ -f "$build/$1" ]; then
    size=$(stat -c %s "$build/$1")
    verdict=$([ "$size" -le "$2" ] && echo within || echo OVER)
    printf '%-16s %7d bytes, budget %7d (%s)\n' "$1" "$size" "$2" "$verdict"
  else
    printf '%-16s not built\n' "$1"
  fi
done
