#!/usr/bin/env bash
# Every way packaging fails: its exit status, a one-line message naming the cause, nothing at OUT.
. "$(dirname "$0")/pack_lib.sh"
mkdir "$scratch/work" && cd "$scratch/work" || exit 1

make_jar good.jar Hi "hi"
echo "just text, no archive" > text.jar
head -c $(( $(stat -c %s good.jar) / 2 )) good.jar > truncated.jar
# Central directories that do not add up: a wrong entry count, a wrong directory offset.
python3 - <<'PY'
data = bytearray(open("good.jar", "rb").read())
end = data.rfind(b"PK\x05\x06")
count = bytearray(data); count[end + 8] += 1; count[end + 10] += 1
open("count.jar", "wb").write(count)
offset = bytearray(data); offset[end + 16] = (offset[end + 16] + 7) % 256
open("offset.jar", "wb").write(offset)
PY
mkdir folder
printf 'mainclass A\r\n\0option -Xhidden\r\n' > nul.cfg
printf 'option PK\005\006\r\n' > signature.cfg
long_option=$(printf 'o%.0s' $(seq 2100))
"$pack" -o packaged good.jar

# status | message fragment | output | arguments...
cases=(
  "1|cannot read the JAR 'missing.jar': no such file|out|missing.jar"
  "1|the JAR 'text.jar' is not a ZIP archive|out|text.jar"
  "1|the JAR 'truncated.jar' is truncated|out|truncated.jar"
  "1|the JAR 'count.jar' has a central directory that does not add up|out|count.jar"
  "1|the JAR 'offset.jar' has a central directory that does not add up|out|offset.jar"
  "1|the embedded settings text is 2109 bytes; the launcher reads at most 2048|out|--option|$long_option|good.jar"
  "1|cannot write 'nowhere/out'|nowhere/out|good.jar"
  "1|cannot write 'folder'|folder|good.jar"
  "1|'good.jar' is also the JAR 'good.jar'|good.jar|good.jar"
  "1|'./good.jar' is also the JAR 'good.jar'|./good.jar|good.jar"
  "1|is also the launcher|$WYR_LINUX_DIR/wyr|good.jar"
  "1|'/bin/true' is not a wyr launcher|out|--launcher|/bin/true|good.jar"
  "1|'good.jar' is not a wyr launcher|out|--launcher|good.jar|good.jar"
  "1|already carries an application archive|out|--launcher|packaged|good.jar"
  "1|cannot read the settings file 'none.cfg'|out|--settings|none.cfg|good.jar"
  "1|the embedded settings text holds a NUL byte|out|--settings|nul.cfg|good.jar"
  "1|the embedded settings text holds the ZIP end record signature|out|--settings|signature.cfg|good.jar"
  "1|the service name is 256 bytes, more than 255|out|--service-name|$(printf 'n%.0s' $(seq 256))|good.jar"
  "1|the description is 1025 UTF-16 units long, more than its room of 1024|out|--description|$(printf 'd%.0s' $(seq 1025))|good.jar"
  "1|the dependencies is 513 UTF-16 units long|out|--depends|$(printf 'x%.0s' $(seq 513))|good.jar"
  "1|the service name must not be empty or hold|out|--service-name|a/b|good.jar"
  "2|no output file|out|good.jar"
  "2|no JAR to package|out|"
  "2|unknown option --frobnicate|out|--frobnicate|good.jar"
  "2|--property takes NAME=VALUE|out|--property|novalue|good.jar"
  "2|--minjre takes a version such as 11 or 1.8|out|--minjre|1.x|good.jar"
  "2|--minjre takes a version|out|--minjre|8.|good.jar"
  "2|--mainclass given twice|out|--mainclass|A|--mainclass|B|good.jar"
  "2|--inspect takes only the file to inspect|out|--inspect|packaged|good.jar"
)
for entry in "${cases[@]}"; do
  IFS='|' read -r -a fields <<<"$entry"
  status=${fields[0]} message=${fields[1]} output=${fields[2]}
  arguments=("${fields[@]:3}")
  [ "${#arguments[@]}" -eq 1 ] && [ -z "${arguments[0]}" ] && arguments=()
  # Usage cases without -o test the missing option itself.
  if [ "$message" = "no output file" ]; then command=("$pack" "${arguments[@]}"); else command=("$pack" -o "$output" "${arguments[@]}"); fi
  before=$(ls -A "$(dirname "$output")" 2>/dev/null | sort)
  had_output=$([ -e "$output" ] && echo yes || echo no)
  "${command[@]}" > "$scratch/stdout" 2> "$scratch/stderr"
  actual=$?
  expect_eq "status for: $message" "$status" "$actual"
  expect_contains "message" "$message" "$(cat "$scratch/stderr")"
  expect_eq "one line for: $message" 1 "$(wc -l < "$scratch/stderr")"
  expect_eq "no output for: $message" "" "$(cat "$scratch/stdout")"
  if [ "$had_output" = no ]; then
    [ -e "$output" ] && fail "$message: something was left at $output"
  fi
  expect_eq "no leftovers for: $message" "$before" "$(ls -A "$(dirname "$output")" 2>/dev/null | sort)"
done

# A line break in a value would smuggle a line of its own into the settings text.
"$pack" -o out --option $'a\nmainclass Evil' good.jar 2> "$scratch/stderr"
expect_eq "line break status" 2 $?
expect_contains "line break message" "--option value holds a line break" "$(cat "$scratch/stderr")"
[ -e out ] && fail "line break: something was left at out"

# An existing file at OUT survives a failed run unchanged.
cp good.jar keep && sum=$(md5sum < keep)
"$pack" -o keep text.jar 2>/dev/null
expect_eq "failed run keeps an existing OUT" "$sum" "$(md5sum < keep)"

expect_eq "inspect of a missing file" 1 "$("$pack" --inspect missing 2>/dev/null; echo $?)"
expect_contains "inspect of a non-launcher" "not a wyr launcher" "$("$pack" --inspect good.jar 2>&1)"
finish
