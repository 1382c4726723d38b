# End-to-end test helpers: private X servers and Windows folder, programs, polling, screenshots.

E2E_TMP=""
XVFB_PID=""
E2E_PIDS=()

# On a failure shows what the programs wrote; ends them and the servers, last first.
e2e_cleanup() {
  local rc=$? f i
  if [ "$rc" -ne 0 ] && [ -n "$E2E_TMP" ]; then
    for f in "$E2E_TMP"/*.out "$E2E_TMP"/*.err; do
      [ -s "$f" ] && { echo "--- ${f##*/}:"; cat "$f"; } >&2
    done
  fi
  for ((i = ${#E2E_PIDS[@]} - 1; i >= 0; i--)); do kill "${E2E_PIDS[i]}" 2>/dev/null; done
  [ -n "$E2E_TMP" ] && rm -rf "$E2E_TMP"
}

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Xvfb (WxH, default 1024x768, more options after) and ZENTRAVO_WINDIR with the data files from $1.
e2e_setup() {
  local data_dir=$1 size=${2:-1024x768}
  E2E_TMP=$(mktemp -d /tmp/zentravo-e2e-XXXXXX)
  trap e2e_cleanup EXIT
  export XDG_RUNTIME_DIR=$E2E_TMP/runtime
  mkdir -m 700 "$XDG_RUNTIME_DIR"
  export ZENTRAVO_WINDIR=$E2E_TMP/windir
  mkdir -p "$ZENTRAVO_WINDIR/Zentravo/Zorvik_The_Vexling"
  [ -d "$data_dir" ] && cp "$data_dir"/* "$ZENTRAVO_WINDIR/Zentravo/Zorvik_The_Vexling/"
  start_xvfb "$size" "${@:3}" -noreset
  export DISPLAY=$XVFB_DISPLAY
  export QT_QPA_PLATFORM=xcb
  export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
}

# An X server of WxH with any more Xvfb options; sets XVFB_DISPLAY and XVFB_PID.
start_xvfb() {
  local file fd
  file=$(mktemp "$E2E_TMP/xvfb-XXXXXX")
  exec {fd}>"$file"
  Xvfb -displayfd "$fd" -screen 0 "$1x24" "${@:2}" -nolisten tcp >"$file.log" 2>&1 &
  XVFB_PID=$!
  E2E_PIDS+=("$XVFB_PID")
  exec {fd}>&-
  wait_until 10 test -s "$file" || fail "Xvfb did not start: $(cat "$file.log")"
  XVFB_DISPLAY=":$(head -n1 "$file")"
}

# A window manager (openbox) for the rest of the script.
start_openbox() {
  HOME=$E2E_TMP XDG_CONFIG_HOME=$E2E_TMP XDG_CACHE_HOME=$E2E_TMP openbox --sm-disable >"$E2E_TMP/openbox.out" 2>&1 &
  E2E_PIDS+=($!)
  wait_until 10 wmctrl -m >/dev/null 2>&1 || fail "openbox did not start"
}

# CPU time of process $1 in nanoseconds, all its threads still alive.
cpu_ns() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ s += $1 } END { printf "%.0f", s }'; }

# Milliseconds since the epoch.
ms() { echo $((${EPOCHREALTIME/[.,]/} / 1000)); }

# Polls a command until it succeeds or $1 seconds (fractions allowed) pass.
wait_until() {
  local end=$(($(ms) + $(awk -v s="$1" 'BEGIN { printf "%d", s * 1000 }')))
  shift
  until "$@"; do
    [ "$(ms)" -ge "$end" ] && return 1
    sleep 0.02
  done
}

# The id of a visible window whose title is exactly $1 (empty if none).
window_by_title() {
  xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1
}

has_window() { [ -n "$(window_by_title "$1")" ]; }

# Whether program $1 (see start_program) shows a window.
shows_window() { [ -n "$(xdotool search --onlyvisible --pid "$(program_pid "$1")" 2>/dev/null)" ]; }

# Runs a program as NAME in the background: $E2E_TMP/NAME.pid, NAME.rc once it ends.
start_program() {
  local name=$1 input=/dev/null
  shift
  rm -f "$E2E_TMP/$name.rc" "$E2E_TMP/$name.pid"
  [ -p "$E2E_TMP/$name.in" ] && input=$E2E_TMP/$name.in
  (
    "$@" <"$input" >"$E2E_TMP/$name.out" 2>"$E2E_TMP/$name.err" &
    echo $! >"$E2E_TMP/$name.pid"
    wait $!
    echo $? >"$E2E_TMP/$name.rc.tmp"
    mv "$E2E_TMP/$name.rc.tmp" "$E2E_TMP/$name.rc"
  ) &
  E2E_PIDS+=($!)
  wait_until 5 test -s "$E2E_TMP/$name.pid" || fail "$name did not start"
  E2E_PIDS+=("$(cat "$E2E_TMP/$name.pid")")
}

# start_program with input on a pipe kept open; `feed NAME` writes a line to it.
start_fed_program() {
  local fifo=$E2E_TMP/$1.in fd
  rm -f "$fifo" && mkfifo "$fifo" && exec {fd}<>"$fifo"
  start_program "$@"
}
feed() { echo "${2:-x}" >"$E2E_TMP/$1.in"; }

program_pid() { cat "$E2E_TMP/$1.pid"; }
program_ended() { [ -f "$E2E_TMP/$1.rc" ]; }

# The first line program $1 writes, waiting up to 5 seconds for it.
first_line() {
  wait_until 5 test -s "$E2E_TMP/$1.out" && head -n1 "$E2E_TMP/$1.out"
}

# Program $1's exit code within $2 seconds, or "running".
exit_code() {
  if wait_until "$2" program_ended "$1"; then cat "$E2E_TMP/$1.rc"; else echo running; fi
}

# `shoot [WxH+X+Y]` takes a screenshot of the screen, or a part, into $SHOT.
SHOT=""
shoot() {
  local crop=()
  [ $# -gt 0 ] && crop=(-crop "$1" +repage)
  SHOT=$E2E_TMP/shot.png
  import -window root "${crop[@]}" "$SHOT" 2>/dev/null
}

# The brightest channel value (0 to 1) in a region WxH+X+Y of the last shot, or all of it.
brightest() {
  local crop=()
  [ $# -gt 0 ] && crop=(-crop "$1" +repage)
  convert "$SHOT" "${crop[@]}" -format '%[fx:max(maxima.r,max(maxima.g,maxima.b))]' info:
}

# The box around everything not black in the last shot: BOX_W BOX_H BOX_X BOX_Y.
box() {
  local b
  b=$(convert "$SHOT" -bordercolor black -border 1 -format '%@' info: 2>/dev/null)
  [[ $b =~ ^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$ ]] || return 1
  BOX_W=${BASH_REMATCH[1]} BOX_H=${BASH_REMATCH[2]} BOX_X=$((BASH_REMATCH[3] - 1)) BOX_Y=$((BASH_REMATCH[4] - 1))
}
# True when a new shot shows something whose box passes the test in $1.
shows() { shoot && box && [ "$BOX_W" -gt 0 ] && eval "$1"; }
describe() { echo "${BOX_W}x${BOX_H}+${BOX_X}+${BOX_Y}"; }

# Settings of a silent show: episodes named in $1, SpinSpeed $2, Intro=$3.
silent_settings() {
  local e
  {
    printf "[Zorvik_The_Vexling]\nfirstrun=1\nIntro=%s\nSound=0\nSpinSpeed=%s\n" "$3" "$2"
    for e in Flag Below Runner Gunner Above; do echo "$e=$([[ " $1 " = *" $e "* ]] && echo 1 || echo 0)"; done
  } >"$ZENTRAVO_WINDIR/zentravo.ini"
}
