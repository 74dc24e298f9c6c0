#!/usr/bin/env bash
# Installs, with apt, whatever the build and the tests need and the machine lacks.
set -euo pipefail
need=()
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }
# Only 64-bit wine: these kernels cannot run 32-bit code, so no i386 architecture and no wine32.
for pkg in cmake make g++ clang libclang-rt-14-dev googletest libgtest-dev \
           g++-mingw-w64-x86-64 g++-mingw-w64-i686 binutils-mingw-w64 \
           wine64 openjdk-17-jdk-headless zip unzip python3; do
  have "$pkg" || need+=("$pkg")
done
if [ ${#need[@]} -gt 0 ]; then
  echo "installing: ${need[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${need[@]}"
fi
