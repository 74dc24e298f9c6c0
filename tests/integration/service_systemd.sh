#!/usr/bin/env bash
# /install and /uninstall on Linux: the systemd unit and its wants link, in a folder of the test's own.
. "$(dirname "$0")/lib.sh"

export WYR_SYSTEMD_DIR="$scratch/units"
mkdir -p "$WYR_SYSTEMD_DIR" "$scratch/My Apps/100% \$HOME"
app="$scratch/My Apps/100% \$HOME/app"
: > "$scratch/empty.jar.txt"
(cd "$scratch" && zip -q empty.jar empty.jar.txt)
"$WYR_LINUX_DIR/wyr-pack" -o "$app" --launcher "$WYR_LINUX_DIR/wyr" --mainclass Nothing --service-name wyr-unit \
  --display-name "Unit test application" --depends "dbus/network-online.target" "$scratch/empty.jar" \
  || fail "packing"

unit="$WYR_SYSTEMD_DIR/wyr-unit.service"
link="$WYR_SYSTEMD_DIR/multi-user.target.wants/wyr-unit.service"
expected_unit='[Unit]
Description=Unit test application
After=dbus.service network-online.target
Requires=dbus.service network-online.target

[Service]
Type=notify
ExecStart="'"$scratch"'/My Apps/100%% $$HOME/app"

[Install]
WantedBy=multi-user.target'

# command | expected output | exit status | unit present | link present
cases="/install|Service 'wyr-unit' installed successfully.|0|yes|no
/install|Service 'wyr-unit' install failed.|1|yes|no
/status|Service 'wyr-unit' request failed.|1|yes|no
/uninstall|Service 'wyr-unit' uninstalled successfully.|0|no|no
/uninstall|Service 'wyr-unit' uninstall failed.|1|no|no
/stop|Service 'wyr-unit' is not installed.|1|no|no
/install AUTO|Service 'wyr-unit' installed successfully.|0|yes|yes
/install auto|Service 'wyr-unit' install failed.|1|yes|yes
/Uninstall|Service 'wyr-unit' uninstalled successfully.|0|no|no"
while IFS='|' read -r command output status unit_present link_present; do
  # shellcheck disable=SC2086
  actual=$("$app" $command)
  expect_eq "$command: exit status" "$status" "$?"
  expect_eq "$command: output" "$output" "$actual"
  [ -f "$unit" ] && present=yes || present=no
  expect_eq "$command: unit present" "$unit_present" "$present"
  [ -L "$link" ] && present=yes || present=no
  expect_eq "$command: wants link present" "$link_present" "$present"
  if [ -f "$unit" ]; then
    expect_eq "$command: unit text" "$expected_unit" "$(cat "$unit")"
  fi
  if [ -L "$link" ]; then
    expect_eq "$command: link target" "$unit" "$(readlink "$link")"
  fi
done <<< "$cases"

# A unit of that name that someone else wrote stays as it was.
printf '[Unit]\nDescription=theirs\n' > "$unit"
expect_eq "foreign unit: output" "Service 'wyr-unit' install failed." "$("$app" /install auto)"
expect_eq "foreign unit: unchanged" $'[Unit]\nDescription=theirs' "$(cat "$unit")"
expect_eq "foreign unit: no link" "no" "$([ -L "$link" ] && echo yes || echo no)"

# A folder that cannot be written: the install fails and leaves nothing behind.
WYR_SYSTEMD_DIR="$scratch/missing/folder" "$app" /install > /dev/null
expect_eq "missing folder exit status" 1 $?
finish
