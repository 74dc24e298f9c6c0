#!/usr/bin/env bash
# Command dispatch of the built launcher: the hint in both languages, unrecognised words, exit status.
. "$(dirname "$0")/lib.sh"
target=$1

run() { # locale, arguments... -> sets out and status
  local locale=$1; shift
  if [ "$target" = linux ]; then
    out=$(LC_ALL=$locale "$WYR_LINUX_DIR/wyr" "$@"; echo "status=$?")
  else
    out=$(LC_ALL=$locale wine_run "$WYR_WIN64_DIR/wyr.exe" "$@" | strip_cr; echo "status=${PIPESTATUS[0]}")
  fi
}

english_hint=$'Service type application.\n\nUse /install to install service.\nstatus=0'
chinese_hint=$'服务类型程序。\n\n使用 /install 安装服务。\nstatus=0'

run en_US.UTF-8
expect_eq "hint in English" "$english_hint" "$out"

run zh_CN.UTF-8
if [ "$target" = linux ]; then
  expect_eq "hint in Chinese, UTF-8" "$chinese_hint" "$out"
else
  # Wine's ANSI code page for Chinese is GBK: compare against the hint converted to it.
  expect_eq "hint in Chinese, GBK" "$(printf '%s' "$chinese_hint" | iconv -f UTF-8 -t GBK | od -An -tx1)" \
    "$(printf '%s' "$out" | od -An -tx1)"
fi

for word in /tests /installx /TESTS /starts /statusx unknown; do
  run en_US.UTF-8 "$word"
  expect_eq "unrecognised $word prints one empty line" $'\nstatus=0' "$out"
done

finish
