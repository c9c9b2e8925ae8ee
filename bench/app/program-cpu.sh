#!/usr/bin/env bash
# The running program's cost as a user sees it: QuillmereRTA.exe with the demo
# tones on its own virtual display, and per window state the CPU time of the
# program and of its wineserver over a window after a settling time, as % of
# one core. CPU time rather than wall time, so other load on the machine
# disturbs the figures less. Run by scripts/bench after the build (BUILD_DIR
# as there); QUILL_PROGRAM_BENCH_SECONDS shortens the window,
# QUILL_PROGRAM_BENCH_EXE measures another build of the program and
# QUILL_PROGRAM_BENCH_DISPLAY gives the display number (else a free one; a
# number already taken fails the run). Each run has a Wine prefix of its own,
# so tests and other runs of the same build may run meanwhile. The figures
# come only once every state was measured on the server and the program this
# run started: a run that lost either fails with a message and prints none.
set -euo pipefail
cd "$(dirname "$0")/../.."; ROOT=$PWD
B=$(realpath -m "${BUILD_DIR:-build}")
. scripts/wine-env
export WINEPREFIX="$B/wineprefix-bench"
wine_boot
program=${QUILL_PROGRAM_BENCH_EXE:-$B/app/QuillmereRTA.exe}
window_s=${QUILL_PROGRAM_BENCH_SECONDS:-30}
settle_s=${QUILL_PROGRAM_BENCH_SETTLE:-5}
screen=1920x1080 # room for the maximized and the wide states
crowd=300 # other programs' topmost windows in the crowded states
ticks=$(getconf CLK_TCK)
tool="$B/bench/app/program_window.exe"
work=$(mktemp -d /tmp/quill-progbench.XXXXXX)
xvfb_pid="" server_pid="" server_dir=""

# Every Wine process in the run's prefix is the run's own. The server's
# folder outlives it, named after a prefix that is then gone.
finish() {
  if [ "$WINEPREFIX" = "$work/prefix" ]; then
    wineserver -k >/dev/null 2>&1 || true
    # A server that never came to listen hears no -k: it ends by its pid.
    [ -z "$server_pid" ] || { kill "$server_pid" 2>/dev/null; wait "$server_pid" 2>/dev/null; } || true
  fi
  if [ -n "$server_dir" ]; then rm -f "$server_dir/lock"; rmdir "$server_dir" 2>/dev/null || true; fi
  # Not a bare &&: under set -e a failure here would leave the copied prefix.
  [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
  stop_test_sound
  rm -rf "$work"
}
trap finish EXIT

fail() {
  echo "program-cpu: $*; no figures" >&2
  exit 1
}

# Field $2 of /proc/$1/stat (1 the pid), counted after the name, which may hold spaces.
stat_field() {
  local stat
  stat=$(cat "/proc/$1/stat" 2>/dev/null) || return 1
  stat=${stat##*) }
  set -- $2 $stat
  shift "$(( $1 - 2 ))"
  echo "$1"
}

# utime + stime of process $1 (what the run lost, named by $2 if it ended),
# all its threads, in clock ticks.
cpu_ticks() {
  local user system
  user=$(stat_field "$1" 14) && system=$(stat_field "$1" 15) || fail "$2 ($1) ended while measured"
  echo $(( user + system ))
}

# The lock in the folder of this prefix's server (named after the prefix's
# device and inode) that process $1 holds open. Found among its open files,
# not by its current folder: that is the prefix while the server saves the
# registry.
server_lock() {
  find "/proc/$1/fd" -lname "*/$server_name/lock" -printf '%l\n' -quit 2>/dev/null
}

# The server of this prefix is the one holding that lock.
serves_prefix() {
  local inode
  inode=$(stat -c %i "$(server_lock "$1")" 2>/dev/null) || return 1
  awk -v pid="$1" -v inode="$inode" '$5 == pid && $6 ~ ":" inode "$" { found = 1 } END { exit !found }' /proc/locks
}

# Fails the run unless the server and the program this run started still run,
# the server serving this prefix and the program's process the copy in $work.
check_measured() {
  serves_prefix "$server_pid" ||
    fail "the Wine server it started ($server_pid) is gone or serves another prefix"
  [ "$(stat_field "$app_pid" 22)" = "$app_start" ] &&
    [[ "$(tr '\0' ' ' <"/proc/$app_pid/cmdline")" == "$work/QuillmereRTA.exe "* ]] ||
    fail "the program it started ($app_pid) is gone or is not $work/QuillmereRTA.exe"
}

# The Linux process of this run's desktop (its display is this run's own).
desktop_pid() {
  local p
  for p in /proc/[0-9]*; do
    tr '\0' ' ' 2>/dev/null <"$p/cmdline" | grep -q "explorer.exe /desktop" || continue
    tr '\0' '\n' 2>/dev/null <"$p/environ" | grep -qx "DISPLAY=$DISPLAY" && { echo "${p#/proc/}"; return; }
  done
  return 1
}

# Returns once the desktop has spent under a twentieth of a core for a
# second, or after two minutes.
await_quiet_desktop() {
  local d0 d1
  for _ in $(seq 120); do
    d0=$(cpu_ticks "$desktop" "the desktop"); sleep 1; d1=$(cpu_ticks "$desktop" "the desktop")
    [ $(( (d1 - d0) * 20 )) -lt "$ticks" ] && return
  done
}

# Prints the program's and the server's % of one core over the window.
measure() {
  local name=$1 p0 s0 p1 s1
  sleep "$settle_s"
  check_measured
  p0=$(cpu_ticks "$app_pid" "the program"); s0=$(cpu_ticks "$server_pid" "the Wine server")
  sleep "$window_s"
  p1=$(cpu_ticks "$app_pid" "the program"); s1=$(cpu_ticks "$server_pid" "the Wine server")
  check_measured
  awk -v n="$name" -v p=$((p1 - p0)) -v s=$((s1 - s0)) -v t="$ticks" -v w="$window_s" 'BEGIN {
    printf "app.cpu.%s.pct: %.1f\n", n, 100 * (p + s) / (t * w)
    if (n == "default") printf "app.wineserver.default.pct: %.1f\n", 100 * s / (t * w) }' >>"$work/figures"
}

# Prints the program's and the server's % of one core in state $1 while the
# tool keeps other programs' windows made by its command in the arguments after.
measure_beside() {
  local name=$1 pid
  shift
  wine "$tool" "$@" >"$work/windows" 2>/dev/null &
  pid=$!
  for _ in $(seq 1200); do grep -q ready "$work/windows" && break; sleep 0.1; done
  await_quiet_desktop
  measure "$name"
  kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null || true
  await_quiet_desktop
}

# The server writes its number only once it listens: a number already taken
# ends it instead, and the run must not go on on someone else's display.
given=()
[ -n "${QUILL_PROGRAM_BENCH_DISPLAY:-}" ] && given=(":$QUILL_PROGRAM_BENCH_DISPLAY")
Xvfb "${given[@]}" -displayfd 5 -screen 0 "${screen}x24" -nolisten tcp 5>"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 100); do
  [ -s "$work/display" ] || ! kill -0 "$xvfb_pid" 2>/dev/null && break
  sleep 0.1
done
if [ ! -s "$work/display" ]; then
  echo "program-cpu: no virtual display ${given[*]:-(any number)} could be started (is the number taken?)" >&2
  exit 1
fi
export DISPLAY=":$(cat "$work/display")"

# This run's own copy of the build's booted prefix (a copy takes a second, a
# boot ten): another run of this build may go on beside it, and each run's
# end stops no server but its own.
cp -a --reflink=auto "$WINEPREFIX" "$work/prefix"
export WINEPREFIX="$work/prefix"
server_name=$(stat -c '%d %i' "$WINEPREFIX" | awk '{ printf "server-%x-%x", $1, $2 }')
# A server and a desktop of this display's size for this run alone. Wine
# starts a server of its own for a process that finds none listening, and
# ours then ends: nothing starts before ours listens.
wineserver -f -p &
server_pid=$!
for _ in $(seq 100); do
  if serves_prefix "$server_pid"; then
    server_dir=$(dirname "$(server_lock "$server_pid")")
    [ -S "$server_dir/socket" ] && break
  fi
  sleep 0.1
done
serves_prefix "$server_pid" || fail "the Wine server it started ($server_pid) did not come to serve the prefix"
wine explorer "/desktop=Default,$screen" </dev/null >/dev/null 2>&1 &

start_test_sound 100:100 1000:60 6000:35
cp "$program" "$work/QuillmereRTA.exe"
printf '[Input]\r\nInterface=Wave\r\ndevicename_Wave=Default Device\r\n' >"$work/QuillmereRTA.ini"
# Wine runs the program in the process it was started in.
wine "$work/QuillmereRTA.exe" </dev/null >/dev/null 2>&1 &
app_pid=$!
app_start=$(stat_field "$app_pid" 22) || fail "the program it started ($app_pid) ended at once"
wine "$tool" wait 2>/dev/null
desktop=$(desktop_pid) || fail "no desktop was found on display $DISPLAY"
# The pointer rests off the window, as while the user works elsewhere, but
# for the state that rests it on the window.
xdotool mousemove 1919 1079

measure default
# Other programs' windows above it, hidden and shown, as desktops carry them.
# Wine's desktop lays out its taskbar anew for each window shown or gone, a
# minute's work with 300: the program is measured once the desktop is quiet
# again, as it runs beside such programs for hours.
for state in hidden shown; do
  measure_beside "default_${state}_windows" crowd "$state" "$crowd"
done
# Another program's window over the whole analyser, and its windows over all
# of it but a strip between the points the program asks, with the hidden
# windows between them and the analyser.
measure_beside covered cover whole 0
measure_beside strip_hidden_windows cover strip "$crowd"
# Resting on the RTA pane the pointer is tracked every 10 ms.
xdotool mousemove 600 450
measure pointer_over
xdotool mousemove 1919 1079
wine "$tool" place 10 100 1900 400 2>/dev/null
measure wide_three_panes
wine "$tool" maximize 2>/dev/null
measure maximized
wine "$tool" minimize 2>/dev/null
measure minimized
cat "$work/figures"
