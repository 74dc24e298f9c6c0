# Shared by the packager's tests: small jars built on the spot, and the tool's location.
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
pack="$WYR_LINUX_DIR/wyr-pack"
pe_resources="$WYR_SOURCE_DIR/tests/integration/pe_resources.py"

# make_jar JAR CLASS GREETING [MAIN-CLASS]: a jar with one class printing GREETING and its arguments.
make_jar() {
  local jar=$1 class=$2 greeting=$3 main=${4:-}
  local work
  work=$(mktemp -d "$scratch/jar.XXXXXX")
  cat > "$work/$class.java" <<JAVA
public class $class {
    public static void main(String[] args) {
        System.out.println("$greeting " + String.join(",", args));
    }
}
JAVA
  "$WYR_JDK_HOME/bin/javac" -d "$work/classes" "$work/$class.java" || fail "javac $class"
  if [ -n "$main" ]; then
    "$WYR_JDK_HOME/bin/jar" --create --file "$jar" --main-class "$main" -C "$work/classes" . || fail "jar $jar"
  else
    "$WYR_JDK_HOME/bin/jar" --create --file "$jar" -C "$work/classes" . || fail "jar $jar"
  fi
}

# The packaged file's entry names, one per line, as the JDK's own jar tool lists them.
jar_names() { "$WYR_JDK_HOME/bin/jar" --list --file "$1"; }

# service_texts FILE LANGUAGE: the first four entries of the service block of a PE file.
pe_service_texts() { python3 "$pe_resources" "$1" 6 17 "$2" | head -4; }
