#!/usr/bin/env bash
# What LaunchConfig gathers from real files: settings file names, archive comments appended to a
# real executable, the two folders, queries, expansion and resolution, long paths.
. "$(dirname "$0")/lib.sh"
target=$1

if [ "$target" = linux ]; then
  probe="$WYR_LINUX_DIR/tests/fixtures/config_probe/config_probe"
  ext=""
  sep="/"
else
  probe="$WYR_WIN64_DIR/tests/fixtures/config_probe/config_probe.exe"
  ext=".exe"
  sep='\'
fi
[ -x "$probe" ] || [ -f "$probe" ] || { fail "no probe at $probe"; finish; }

# The path the executable sees for a path of this file system.
native() {
  if [ "$target" = linux ]; then printf '%s' "$1"; else local p=${1//\//\\}; printf 'Z:%s' "$p"; fi
}

# The probe's spelling of bytes: control bytes and bytes above 126 as <HH>.
escaped() {
  python3 -c 'import sys; d=sys.stdin.buffer.read(); sys.stdout.write("".join(chr(b) if 32 <= b <= 126 else "<%02X>" % b for b in d))'
}

# make_app executable comment-file [trailer-file]: the probe with a real archive appended.
make_app() {
  python3 - "$scratch/app.zip" "$2" <<'PY'
import sys, zipfile
with zipfile.ZipFile(sys.argv[1], "w") as archive:
    archive.writestr("app/Main.class", b"\xca\xfe\xba\xbe")
    archive.comment = open(sys.argv[2], "rb").read()
PY
  mkdir -p "$(dirname "$1")"
  cat "$probe" "$scratch/app.zip" ${3:+"$3"} > "$1"
  chmod +x "$1"
}

# run_probe start-folder executable queries... -> out
run_probe() {
  local start=$1 exe=$2; shift 2
  if [ "$target" = linux ]; then
    out=$(cd "$start" && "$exe" "$@")
  else
    out=$(cd "$start" && wine_run "$exe" "$@" | strip_cr)
  fi
}

# field name: the value the probe printed for 'name'.
field() {
  printf '%s\n' "$out" | FIELD="$1=" awk 'index($0, ENVIRON["FIELD"]) == 1 { print substr($0, length(ENVIRON["FIELD"]) + 1); exit }'
}

bytes() { printf "$1" > "$2"; }

work="$scratch/work"
mkdir -p "$work"
comment="$scratch/comment"
bytes 'mainclass app.Main\r\noption -Xms32m\r\n' "$comment"
comment_text=$(escaped < "$comment")

# --- Settings file names and the way the two sources are joined -----------------------------
# case | settings files to create (name:printf-bytes, name/ for a folder) | embeddedStart | text of the file part
while IFS='|' read -r name files start file_part; do
  [ -n "$name" ] || continue
  app="$scratch/names-$name"
  make_app "$app/tool$ext" "$comment"
  for entry in $files; do
    case $entry in
      */) mkdir -p "$app/${entry%/}" ;;
      *) bytes "${entry#*:}" "$app/${entry%%:*}" ;;
    esac
  done
  run_probe "$work" "$app/tool$ext"
  expect_eq "$name: exePath" "$(native "$app/tool$ext")" "$(field exePath)"
  expect_eq "$name: exeDirectory" "$(native "$app")$sep" "$(field exeDirectory)"
  expect_eq "$name: startDirectory" "$(native "$work")$sep" "$(field startDirectory)"
  expect_eq "$name: embeddedStart" "$start" "$(field embeddedStart)"
  expect_eq "$name: text" "$file_part$comment_text" "$(field text)"
done <<'CASES'
none||0|
ten-bytes|tool.cfg:minjre_1.8|12|minjre_1.8<0D><0A>
cfg-wins|tool.cfg:minjre_1.8\r\n tool.config:minjre_1.4\r\n|14|minjre_1.8<0D><0A><0D><0A>
config-only|tool.config:minjre_1.4|12|minjre_1.4<0D><0A>
cfg-is-a-folder|tool.cfg/ tool.config:minjre_1.4|12|minjre_1.4<0D><0A>
empty-cfg-still-wins|tool.cfg: tool.config:minjre_1.4|0|
lf-only|tool.cfg:a\nb\n|6|a<0A>b<0A><0D><0A>
CASES

# A settings file whose reported size exceeds what a read returns keeps only the bytes read.
short_file=/sys/devices/system/cpu/online
if [ -r "$short_file" ] && [ "$(stat -c %s "$short_file")" -gt "$(wc -c < "$short_file")" ]; then
  app="$scratch/short"
  make_app "$app/tool$ext" "$comment"
  ln -s "$short_file" "$app/tool.cfg"
  run_probe "$work" "$app/tool$ext"
  expect_eq "short read: embeddedStart" "$(( $(wc -c < "$short_file") + 2 ))" "$(field embeddedStart)"
  expect_eq "short read: text" "$( (cat "$short_file"; printf '\r\n') | escaped)$comment_text" "$(field text)"
else
  echo "note: no file whose size exceeds its content; short read not exercised"
fi

# --- Queries over both sources -------------------------------------------------------------------
app="$scratch/queries"
bytes 'jre_order cs\r\nmainclass c.D\r\noption -Xms32m\r\n  OPTION   -Dspaced=1  \r\noption\t-Dtab\r\njvmdll\r\n' "$scratch/c2"
make_app "$app/tool$ext" "$scratch/c2"
bytes 'jre_order ie\r\nmainclass a.B\r\noption -Xmx256m' "$app/tool.cfg"
run_probe "$work" "$app/tool$ext" get:jre_order embedded:mainclass get:mainclass all:option get:jvmdll get:minjre
expect_eq "settings file wins for jre_order" "ie" "$(field get:jre_order)"
expect_eq "mainclass from the embedded text" "c.D" "$(field embedded:mainclass)"
expect_eq "every option, file first" "[-Xmx256m][-Xms32m][-Dspaced=1  ][<09>-Dtab]" "$(field all:option)"
expect_eq "a key alone has the empty value" "" "$(field get:jvmdll)"
expect_contains "the empty jvmdll value is printed" "get:jvmdll=" "$out"

# A NUL in the settings file hides the rest from whole-text queries only.
app="$scratch/nul"
bytes 'minjre 1.6\r\nmainclass M\r\n' "$scratch/c3"
make_app "$app/tool$ext" "$scratch/c3"
bytes 'option a\0\r\nminjre 1.4' "$app/tool.cfg"
run_probe "$work" "$app/tool$ext" get:minjre embedded:mainclass embedded:minjre all:option
expect_eq "NUL: minjre hidden" "" "$(field get:minjre)"
expect_eq "NUL: embedded mainclass seen" "M" "$(field embedded:mainclass)"
expect_eq "NUL: embedded minjre seen" "1.6" "$(field embedded:minjre)"
expect_eq "NUL: option before it seen" "[a]" "$(field all:option)"
expect_eq "NUL: kept in the text" "option a<00><0D><0A>minjre 1.4<0D><0A>minjre 1.6<0D><0A>mainclass M<0D><0A>" "$(field text)"

# --- Where the archive comment ends and begins -------------------------------------------------
python3 - "$scratch" <<'PY'
import sys
head = b"mainclass M\r\n"
for size in (2048, 2049):
    open(f"{sys.argv[1]}/comment-{size}", "wb").write(head + b"x" * (size - len(head) - 2) + b"\r\n")
open(f"{sys.argv[1]}/comment-inner", "wb").write(b"mainclass A\r\nPK\x05\x06" + b"-" * 18 + b"\r\nmainclass B\r\n")
PY
app="$scratch/boundary"
make_app "$app/c2048$ext" "$scratch/comment-2048"
run_probe "$work" "$app/c2048$ext" embedded:mainclass
expect_eq "2048-byte comment found" "M" "$(field embedded:mainclass)"
expect_eq "2048-byte comment whole" "$(escaped < "$scratch/comment-2048")" "$(field text)"
make_app "$app/c2049$ext" "$scratch/comment-2049"
run_probe "$work" "$app/c2049$ext" embedded:mainclass
expect_eq "2049-byte comment not found" "" "$(field text)"
make_app "$app/inner$ext" "$scratch/comment-inner"
run_probe "$work" "$app/inner$ext" embedded:mainclass
expect_eq "signature inside the comment" "<0D><0A>mainclass B<0D><0A>" "$(field text)"
expect_eq "mainclass after the inner signature" "B" "$(field embedded:mainclass)"
bytes 'option -Dtrailer\r\n' "$scratch/trailer"
make_app "$app/trailer$ext" "$comment" "$scratch/trailer"
run_probe "$work" "$app/trailer$ext" all:option
expect_eq "bytes after the archive belong to the comment" "[-Xms32m][-Dtrailer]" "$(field all:option)"
cp "$probe" "$app/bare$ext"
run_probe "$work" "$app/bare$ext" embedded:mainclass
expect_eq "no archive, no embedded text" "0|" "$(field embeddedStart)|$(field text)"

# --- Folders, resolution, existence, expansion --------------------------------------------------
app="$scratch/folders/app"
start="$scratch/folders/start"
make_app "$app/tool$ext" "$comment"
mkdir -p "$start" "$app/both" "$start/both" "$start/startonly" "$app/lib"
touch "$app/lib/x.jar"
run_probe / "$app/tool$ext"
expect_eq "started from the root" "$(native /)" "$(field startDirectory)"
rel() { [ "$target" = linux ] && printf '%s' "$1" || printf '%s' "${1//\//\\}"; }
queries=(
  "resolve:$(rel both/a)" "resolve:$(rel startonly)" "resolve:$(rel nowhere/a.jar)" "resolve:$(rel ../start/x)"
  "resolve:$(rel lib/*.jar)" resolve:/opt/lib.jar
  "exists:$(native "$app/lib/x.jar")" "exists:$(native "$app/lib")" "exists:$(native "$app/lib/*.jar")"
  "exists:$(native "$app/lib/*.txt")" "exists:$(native "$app/missing")"
  'expand:%wyrt_home%\bin' 'expand:%NOPE%x%A%' 'expand:100%' 'expand:%%A%' 'expand:%WYRT_EMPTY%|'
  'expand:%WYRT_EQUALS=%' 'expand:%WYRT_EQUALS%'
)
if [ "$target" = wine ]; then
  queries+=('resolve:C:\jre\bin\client\jvm.dll' 'resolve:\\server\share\lib.jar' 'resolve:d:lib.jar')
fi
out=$(cd "$start" && if [ "$target" = linux ]; then
        env -u NOPE -u x A=1 WYRT_HOME=/jdk WYRT_EMPTY= WYRT_EQUALS==x "$app/tool$ext" "${queries[@]}"
      else
        env -u NOPE -u x A=1 WYRT_HOME=/jdk WYRT_EMPTY= WYRT_EQUALS==x "$WYR_WINE" "$app/tool$ext" "${queries[@]}" 2>/dev/null | strip_cr
      fi)
exe_dir="$(native "$app")$sep"
start_dir="$(native "$start")$sep"
while IFS='|' read -r query expected; do
  [ -n "$query" ] || continue
  query=$(rel "$query")
  expected=${expected//EXE/$exe_dir}
  expected=${expected//START/$start_dir}
  expect_eq "$query" "$(rel "$expected")" "$(field "$query")"
done <<'CASES'
resolve:both/a|EXEboth/a
resolve:startonly|STARTstartonly
resolve:nowhere/a.jar|EXEnowhere/a.jar
resolve:../start/x|EXE../start/x
resolve:lib/*.jar|EXElib/*.jar
CASES
expect_eq "absolute path kept" "/opt/lib.jar" "$(field resolve:/opt/lib.jar)"
for entry in "lib/x.jar|yes" "lib|yes" "lib/*.jar|yes" "lib/*.txt|no" "missing|no"; do
  expect_eq "exists ${entry%|*}" "${entry#*|}" "$(field "exists:$(native "$app/${entry%|*}")")"
done
expect_eq "expand, any case" '/jdk\bin' "$(field 'expand:%wyrt_home%\bin')"
expect_eq "expand, undefined closing sign reopens" '%NOPE%x1' "$(field 'expand:%NOPE%x%A%')"
expect_eq "expand, lone percent" '100%' "$(field 'expand:100%')"
expect_eq "expand, empty name" '%1' "$(field 'expand:%%A%')"
expect_eq "expand, empty value" '|' "$(field 'expand:%WYRT_EMPTY%|')"
expect_eq "expand, a name with = is none" '%WYRT_EQUALS=%' "$(field 'expand:%WYRT_EQUALS=%')"
expect_eq "expand, a value beginning with =" '=x' "$(field 'expand:%WYRT_EQUALS%')"
if [ "$target" = wine ]; then
  for path in 'C:\jre\bin\client\jvm.dll' '\\server\share\lib.jar' 'd:lib.jar'; do
    expect_eq "absolute $path kept" "$path" "$(field "resolve:$path")"
  done
fi

# --- Windows settings file names: the last four characters give way to the suffix ----------------
if [ "$target" = wine ]; then
  long=$(printf 'C:\\%0*d' 249 0)   # 252 characters
  while IFS='|' read -r path cfg config; do
    [ -n "$path" ] || continue
    path=${path//LONG/$long}
    run_probe "$work" "$probe" "settingsname:$path"
    expect_eq "settings names of ${#path}-character $path" "${cfg//LONG/$long}|${config//LONG/$long}|" \
      "$(field "settingsname:$path")"
  done <<'CASES'
C:\apps\tool.exe|C:\apps\tool.cfg|C:\apps\tool.config
C:\apps\runner|C:\apps\ru.cfg|C:\apps\ru.config
C:\a|.cfg|.config
abc|-|-
LONG.exe|LONG.cfg|LONG.config
LONGx.exe|LONGx.cfg|-
LONGxxx.exe|LONGxxx.cfg|-
LONGxxxx.exe|-|-
CASES
  # An executable without an extension still loses four characters.
  app="$scratch/noext"
  make_app "$app/runner" "$comment"
  bytes 'minjre 1.7' "$app/ru.cfg"
  bytes 'minjre 1.1' "$app/runner.cfg"
  run_probe "$work" "$app/runner" get:minjre
  if [ -n "$(field exePath)" ]; then
    expect_eq "runner reads ru.cfg" "1.7" "$(field get:minjre)"
  else
    echo "note: wine does not start an executable without an extension"
  fi
fi

# --- Paths at the 260-character limit -----------------------------------------------------------
# deep_folder length: a folder under the scratch folder whose native spelling, with a separator, is
# exactly 'length' characters long.
deep_folder() {
  local prefix
  prefix=$(native "$scratch/deep/")
  local need=$(( $1 - ${#prefix} - 1 ))
  local folder="$scratch/deep"
  while [ "$need" -gt 0 ]; do
    local part=$(( need > 100 ? 100 : need ))
    [ $(( need - part )) -eq 1 ] && part=$(( part - 2 ))   # no part of 0 characters after a separator
    folder="$folder/$(printf 'd%.0s' $(seq "$part"))"
    need=$(( need - part - 1 ))
  done
  mkdir -p "$folder"
  printf '%s' "$folder"
}
# executable length | which settings files exist | expected minjre
while IFS='|' read -r length files expected; do
  [ -n "$length" ] || continue
  base="tool$ext"
  folder=$(deep_folder $(( length - ${#base} )))
  rm -f "$folder"/tool*
  make_app "$folder/$base" "$comment"
  for name in $files; do bytes "minjre ${name#*.}" "$folder/$name"; done
  run_probe "$work" "$folder/$base" get:minjre embedded:mainclass
  got=$(field exePath)
  expect_eq "exe path of $length characters" "$length" "${#got}"
  expect_eq "exe path of $length characters: minjre" "$expected" "$(field get:minjre)"
  expect_eq "exe path of $length characters: embedded text" "app.Main" "$(field embedded:mainclass)"
done < <(if [ "$target" = linux ]; then cat <<'CASES'
255|tool.cfg tool.config|cfg
256|tool.cfg tool.config|
252|tool.config|config
253|tool.config|
CASES
else cat <<'CASES'
259|tool.cfg tool.config|cfg
256|tool.config|config
257|tool.config|
CASES
fi)

# An executable path beyond the limit leaves the executable's texts empty, without harm.
folder=$(deep_folder 300)
make_app "$folder/tool$ext" "$comment"
bytes 'minjre 1.8' "$folder/tool.cfg"
run_probe "$work" "$folder/tool$ext" get:minjre
if [ "$target" = linux ]; then
  expect_eq "overlong exe path: nothing gathered" "||0|" \
    "$(field exePath)|$(field exeDirectory)|$(field embeddedStart)|$(field text)"
  expect_eq "overlong exe path: start folder still read" "$(native "$work")$sep" "$(field startDirectory)"
else
  echo "overlong exe path under wine: $(printf '%s' "$out" | head -c 300)"
  expect_eq "overlong exe path: nothing gathered" "||0|" \
    "$(field exePath)|$(field exeDirectory)|$(field embeddedStart)|$(field text)"
fi

# A current folder beyond the limit leaves StartDirectory empty. (Wine starts a process from such
# a folder in its Windows folder instead, so only Linux can show this.)
if [ "$target" = linux ]; then
  app="$scratch/fromdeep"
  make_app "$app/tool$ext" "$comment"
  run_probe "$folder" "$app/tool$ext"
  expect_eq "overlong current folder" "" "$(field startDirectory)"
  expect_eq "overlong current folder: settings still read" "$comment_text" "$(field text)"
fi

finish
