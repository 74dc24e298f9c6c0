#!/usr/bin/env bash
# Packaging and inspecting on Linux: merged archive, settings text, bridge, service texts.
. "$(dirname "$0")/pack_lib.sh"
cd "$scratch" || exit 1

make_jar first.jar Hi "hello from first" Hi
make_jar second.jar Hi "hello from second" Other
make_jar third.jar Extra "extra"
printf 'option -Dfrom.file=1\r\njre_order e' > app.cfg

"$pack" -o app --settings app.cfg --mainclass Hi --option -Xmx64m --property "a.b=c d" \
  --classpath 'lib/x.jar;lib/y.jar' --minjre 1.8 --jre-order ec --jvmdll '%JAVA_HOME%/lib/server/libjvm.so' \
  --service-name "pack-roundtrip" --display-name "Pack round trip" --description "Packaged by the test" \
  --depends "one/two" first.jar second.jar third.jar 2> err
expect_eq "pack status" 0 $?
expect_eq "pack is silent" "" "$(cat err)"
[ -x app ] || fail "the package is not executable"
# The archive starts right after the launcher's image, which keeps its length.
stub_size=$(stat -c %s "$WYR_LINUX_DIR/wyr")
expect_eq "archive after the image" "PK" "$(tail -c +$((stub_size + 1)) app | head -c 2)"
expect_eq "image's ELF header kept" "$(head -c 64 "$WYR_LINUX_DIR/wyr" | od -An -tx1)" "$(head -c 64 app | od -An -tx1)"

inspect=$("$pack" --inspect app)
expected_settings="  option -Dfrom.file=1
  jre_order e
  mainclass Hi
  option -Xmx64m
  property a.b=c d
  classpath lib/x.jar;lib/y.jar
  minjre 1.8
  jre_order ec
  jvmdll %JAVA_HOME%/lib/server/libjvm.so"
expect_contains "settings lines in order" "$expected_settings" "$inspect"
# The file's text, CR LF after its unterminated last line, then each flag's line with CR LF.
comment=$(python3 -c 'import zipfile,sys; sys.stdout.buffer.write(zipfile.ZipFile(sys.argv[1]).comment)' app | od -An -c | tr -s ' \n' ' ')
expect_contains "file line break kept" '1 \r \n j r e _ o r d e r e \r \n m a i n' "$comment"
expect_contains "last line ends in CR LF" 'l i b j v m . s o \r \n' "$comment"

# First occurrence wins: Hi from first.jar, its manifest; Extra merged in; bridge added.
names=$(jar_names app)
expect_eq "Hi once" 1 "$(grep -c '^Hi.class$' <<<"$names")"
expect_eq "manifest once" 1 "$(grep -c '^META-INF/MANIFEST.MF$' <<<"$names")"
expect_contains "extra merged" "Extra.class" "$names"
for class in ServiceStatusManager ServiceStatusHandler; do
  expect_contains "bridge $class" "com/plovatek/wyr/$class.class" "$names"
done
expect_contains "entry count" "archive entries: $(wc -l <<<"$names")" "$inspect"
expect_contains "bridge present" "bridge classes: present" "$inspect"
expect_eq "first jar's manifest" "Main-Class: Hi" \
  "$(unzip -p app META-INF/MANIFEST.MF 2>/dev/null | tr -d '\r' | grep Main-Class)"

# The Java runtime reads the appended archive: the first jar's Hi, the third jar's Extra.
expect_eq "java -cp runs Hi" "hello from first a,b" "$("$WYR_JDK_HOME/bin/java" -cp app Hi a b)"
expect_eq "java -cp runs Extra" "extra x" "$("$WYR_JDK_HOME/bin/java" -cp app Extra x)"
expect_eq "java -jar uses the first manifest" "hello from first" "$("$WYR_JDK_HOME/bin/java" -jar app | sed 's/ *$//')"

for language in 1033 2052; do
  expect_contains "texts $language" "service texts, language $language:
  service name: pack-roundtrip
  display name: Pack round trip
  description: Packaged by the test
  dependencies: one/two" "$inspect"
done
# The Linux launcher reads its table from its own file: the new name reaches /install.
expect_contains "linux /install names the service" "Service 'pack-roundtrip'" "$(./app /install 2>&1)"

# Texts not given keep the launcher's; --no-bridge leaves the bridge out; an archive that
# already holds the bridge is not given a second copy.
"$pack" -o plain --no-bridge --display-name "Only display" first.jar
inspect=$("$pack" --inspect plain)
expect_contains "no bridge" "bridge classes: absent" "$inspect"
expect_contains "name kept" "service name: wyr
  display name: Only display" "$inspect"
"$pack" -o again app
expect_eq "bridge once" 1 "$(jar_names again | grep -c ServiceStatusManager)"
expect_eq "repacked entries" "$(jar_names app)" "$(jar_names again)"

# A later jar's signature files would not match the kept manifest: they stay out; the first
# jar's own stay in.
python3 - <<'PY'
import zipfile
with zipfile.ZipFile("signed.jar", "w") as z:
    z.writestr("META-INF/MANIFEST.MF", "Manifest-Version: 1.0\r\nMain-Class: Signed\r\n")
    for name in ("META-INF/APP.SF", "META-INF/APP.RSA", "META-INF/SIG-APP", "META-INF/notes.txt"):
        z.writestr(name, "x")
PY
"$pack" -o later first.jar signed.jar
names=$(jar_names later)
for name in APP.SF APP.RSA SIG-APP; do expect_not_contains "later $name dropped" "META-INF/$name" "$names"; done
expect_contains "later plain file kept" "META-INF/notes.txt" "$names"
"$pack" -o earlier signed.jar first.jar
names=$(jar_names earlier)
for name in APP.SF APP.RSA SIG-APP; do expect_contains "first $name kept" "META-INF/$name" "$names"; done
expect_eq "signed jar's manifest first" "Main-Class: Signed" \
  "$(unzip -p earlier META-INF/MANIFEST.MF 2>/dev/null | tr -d '\r' | grep Main-Class)"

# Chinese texts travel through UTF-16 and back.
LC_ALL=C.UTF-8 "$pack" -o chinese --service-name 服务 --description "中文说明" first.jar
inspect=$(LC_ALL=C.UTF-8 "$pack" --inspect chinese)
expect_contains "chinese name" "service name: 服务" "$inspect"
expect_contains "chinese description" "description: 中文说明" "$inspect"

# Texts at their full room fit; the launcher still finds all of them.
long_name=$(printf 'n%.0s' $(seq 255))
long_description=$(printf 'd%.0s' $(seq 1024))
"$pack" -o full --service-name "$long_name" --display-name "$(printf 'p%.0s' $(seq 256))" \
  --description "$long_description" --depends "$(printf 'x%.0s' $(seq 512))" first.jar
expect_contains "full name" "service name: $long_name" "$("$pack" --inspect full)"
expect_contains "full name via /install" "Service '$long_name'" "$(./full /install 2>&1)"

# A settings text of exactly 2048 bytes is still embedded (2048 = "option " + 2039 + CR LF).
"$pack" -o limit --option "$(printf 'o%.0s' $(seq 2039))" first.jar
expect_contains "2048-byte settings text" "settings text: 2048 bytes" "$("$pack" --inspect limit)"

# A major number alone is a version too.
"$pack" -o major --minjre 11 first.jar
expect_contains "minjre 11" "  minjre 11" "$("$pack" --inspect major)"

expect_contains "help" "wyr-pack --inspect FILE" "$("$pack" --help)"
expect_contains "version" "wyr-pack " "$("$pack" --version)"
finish
