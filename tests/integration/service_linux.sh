#!/usr/bin/env bash
# The launcher as a systemd notify service on a real JVM: datagrams, signals as controls, the Java handler.
. "$(dirname "$0")/lib.sh"

pack="$WYR_LINUX_DIR/wyr-pack"
"$WYR_JDK_HOME/bin/javac" -cp "$WYR_LINUX_DIR/bridge/classes" -d "$scratch/classes" \
  "$WYR_SOURCE_DIR/tests/fixtures/service_app/ServiceApp.java" || fail "test service does not compile"
(cd "$scratch/classes" && "$WYR_JDK_HOME/bin/jar" --create --file "$scratch/app.jar" .)
"$pack" -o "$scratch/app" --launcher "$WYR_LINUX_DIR/wyr" --mainclass ServiceApp --service-name wyr-test "$scratch/app.jar" \
  || fail "packing the test service"
"$pack" -o "$scratch/broken" --launcher "$WYR_LINUX_DIR/wyr" --mainclass NoSuchClass "$scratch/app.jar" \
  || fail "packing the broken service"
export JAVA_HOME="$WYR_JDK_HOME"

# wait_lines file count: until the file has that many lines, 30 seconds at most.
wait_lines() {
  local waited=0
  while [ "$(wc -l < "$1" 2>/dev/null || echo 0)" -lt "$2" ]; do
    sleep 0.1
    waited=$((waited + 1))
    [ $waited -lt 300 ] || return 1
  done
}

wait_for_line() { # file line
  local waited=0
  until grep -qxF "$2" "$1" 2>/dev/null; do
    sleep 0.1
    waited=$((waited + 1))
    [ $waited -lt 300 ] || return 1
  done
}

R="READY=1|STATUS=running"
P="STATUS=paused"
S="STOPPING=1"

# run_service name executable scenario steps expected-datagrams expected-log
# Steps: TSTP, CONT, TERM, INT send the signal and wait for the next datagram; quiet:SIG sends
# one that must change nothing, then waits a moment.
run_service() {
  local name=$1 executable=$2 scenario=$3 steps=$4 datagrams=$5 log=$6
  local folder="$scratch/$name"
  mkdir -p "$folder"
  python3 "$WYR_SOURCE_DIR/tests/integration/notify_listener.py" "$folder/notify" "$folder/datagrams" &
  local listener=$!
  local waited=0
  until [ -S "$folder/notify" ] || [ $waited -ge 100 ]; do sleep 0.1; waited=$((waited + 1)); done
  : > "$folder/log"
  NOTIFY_SOCKET="$folder/notify" SERVICE_SCENARIO=$scenario SERVICE_LOG="$folder/log" \
    "$executable" > "$folder/stdout" 2> "$folder/stderr" &
  local service=$!
  if [ -n "$steps" ]; then
    wait_for_line "$folder/log" ready || fail "$name: the program never got ready"
  fi
  # Datagrams sent so far: the service main's and those of the handler registrations.
  sleep 0.5
  local seen
  seen=$(wc -l < "$folder/datagrams")
  for step in $steps; do
    case $step in
      quiet:*)
        kill -"${step#quiet:}" $service
        sleep 1 ;;
      *)
        kill -"$step" $service
        seen=$((seen + 1))
        wait_lines "$folder/datagrams" $seen || fail "$name: no datagram after $step" ;;
    esac
  done
  local status=0 waited=0
  while kill -0 $service 2>/dev/null && [ $waited -lt 300 ]; do sleep 0.1; waited=$((waited + 1)); done
  if kill -0 $service 2>/dev/null; then
    fail "$name: service still running"
    kill -KILL $service
  fi
  wait $service || status=$?
  sleep 0.2
  kill $listener
  wait $listener 2>/dev/null
  expect_eq "$name datagrams" "$datagrams" "$(cat "$folder/datagrams")"
  expect_eq "$name Java log" "$log" "$(cat "$folder/log")"
  expect_eq "$name exit status" 0 "$status"
  # A failed launch has the runtime's reason on standard error; a running service nothing.
  [ -z "$log" ] || expect_eq "$name standard error" "" "$(grep -v '^WARNING: ' "$folder/stderr")"
}

main_line="main isRunAsService=true args=0"
nl=$'\n'
run_service pause_continue_stop "$scratch/app" pausable "TSTP CONT TERM" \
  "$R$nl$R$nl$P$nl$R$nl$S" "$main_line${nl}A.canPause${nl}ready${nl}A.onPause${nl}A.onContinue${nl}A.onStop"
run_service pause_refused "$scratch/app" refuses "TSTP INT" \
  "$R$nl$R$nl$R$nl$S" "$main_line${nl}A.canPause${nl}ready${nl}A.onPause${nl}A.onStop"
run_service second_handler_replaces "$scratch/app" replace "TSTP TERM" \
  "$R$nl$R$nl$R$nl$P$nl$S" "$main_line${nl}A.canPause${nl}B.canPause${nl}ready${nl}B.onPause${nl}B.onStop"
# Withdrawn: no pause, no onStop, but the program's own reports of 7 and 4 still pass; 1 does not.
run_service handler_withdrawn "$scratch/app" withdraw "quiet:TSTP TERM" \
  "$R$nl$R$nl$R$nl$P$nl$R$nl$S" "$main_line${nl}A.canPause${nl}ready"
run_service not_pausable "$scratch/app" unpausable "quiet:TSTP TERM" \
  "$R$nl$R$nl$S" "$main_line${nl}A.canPause${nl}ready${nl}A.onStop"
run_service no_handler "$scratch/app" nohandler "quiet:CONT TERM" \
  "$R$nl$S" "$main_line${nl}ready"
run_service throwing_can_pause "$scratch/app" throwing "quiet:TSTP TERM" \
  "$R$nl$R$nl$S" "$main_line${nl}caught no answer${nl}ready"
run_service worker_outlives_main "$scratch/app" worker "" \
  "$R$nl$S" "$main_line${nl}main returns${nl}worker done"
run_service failed_launch "$scratch/broken" nohandler "" \
  "$R${nl}STOPPING=1|ERRNO=7" ""
expect_contains "failed launch message" "The main startup class could not be found." "$(cat "$scratch/failed_launch/stdout")"

# Without a notify socket the process is no service: the hint, and no Java program at all.
: > "$scratch/console.log"
output=$(env -u NOTIFY_SOCKET SERVICE_SCENARIO=nohandler SERVICE_LOG="$scratch/console.log" "$scratch/app")
expect_eq "console start exit status" 0 $?
expect_eq "console start output" $'Service type application.\n\nUse /install to install service.' "$output"
expect_eq "console start runs no Java" "" "$(cat "$scratch/console.log")"
finish
