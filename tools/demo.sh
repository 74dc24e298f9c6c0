#!/usr/bin/env bash
# The demo: packages examples/hello for Linux and Windows x86_64 and runs the Linux one.
set -eu
build=$(realpath "${1:-build}")
pack="$build/linux/wyr-pack"
jar="$build/linux/examples/hello/hello.jar"
demo="$build/demo"
mkdir -p "$demo"

package() { # output launcher
  "$pack" -o "$1" --launcher "$2" --mainclass hello.Hello \
    --service-name wyr-hello --display-name "wyr hello demo" \
    --description "The wyr example application, run as a service" "$jar"
  echo "== packaged $1"
  "$pack" --inspect "$1"
}
package "$demo/hello" "$build/linux/wyr"
package "$demo/hello.exe" "$build/win64/wyr.exe"

# The launcher finds its runtime through JAVA_HOME (or JRE_HOME) on Linux.
export JAVA_HOME=${JAVA_HOME:-/usr/lib/jvm/java-17-openjdk-amd64}
echo "== $demo/hello /test first second"
status=0
"$demo/hello" /test first second || status=$?
echo "== exit status $status"
