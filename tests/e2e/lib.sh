# Shared helpers for the end-to-end tests: a private X server, a private
# Windows directory with the data files, and polling with time limits.
# Source it, then call e2e_setup <data dir>.

E2E_TMP=""
XVFB_PID=""
E2E_PIDS=()

e2e_cleanup() {
  for p in "${E2E_PIDS[@]}"; do kill "$p" 2>/dev/null; done
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
  [ -n "$E2E_TMP" ] && rm -rf "$E2E_TMP"
}

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Starts Xvfb on a free display (size WxH, default 1024x768) and prepares
# ZENTRAVO_WINDIR with the data files from $1.
e2e_setup() {
  local data_dir=$1 size=${2:-1024x768}
  E2E_TMP=$(mktemp -d /tmp/zentravo-e2e-XXXXXX)
  trap e2e_cleanup EXIT
  export XDG_RUNTIME_DIR=$E2E_TMP/runtime
  mkdir -m 700 "$XDG_RUNTIME_DIR"
  export ZENTRAVO_WINDIR=$E2E_TMP/windir
  mkdir -p "$ZENTRAVO_WINDIR/Zentravo/Zorvik_The_Vexling"
  if [ -n "$data_dir" ] && [ -d "$data_dir" ]; then
    cp "$data_dir"/* "$ZENTRAVO_WINDIR/Zentravo/Zorvik_The_Vexling/"
  fi
  exec 5>"$E2E_TMP/display"
  Xvfb -displayfd 5 -screen 0 "${size}x24" -nolisten tcp >"$E2E_TMP/xvfb.log" 2>&1 &
  XVFB_PID=$!
  local n=0
  until [ -s "$E2E_TMP/display" ]; do
    sleep 0.05
    n=$((n + 1))
    [ $n -gt 200 ] && fail "Xvfb did not start"
  done
  export DISPLAY=":$(head -n1 "$E2E_TMP/display")"
  unset QT_QPA_PLATFORM
  export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
}

# Polls a command until it succeeds or the time limit (seconds) passes.
wait_until() {
  local limit=$1
  shift
  local end=$((SECONDS + limit))
  until "$@"; do
    [ $SECONDS -ge $end ] && return 1
    sleep 0.05
  done
}

# The id of a visible window whose title is exactly $1 (empty if none).
window_by_title() {
  xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1
}

has_window() { [ -n "$(window_by_title "$1")" ]; }

# Runs a program in the background under a name; its pid goes to
# $E2E_TMP/NAME.pid and its exit code, once it ends, to $E2E_TMP/NAME.rc.
start_program() {
  local name=$1
  shift
  rm -f "$E2E_TMP/$name.rc"
  (
    "$@" >"$E2E_TMP/$name.out" 2>"$E2E_TMP/$name.err" &
    echo $! >"$E2E_TMP/$name.pid"
    wait $!
    echo $? >"$E2E_TMP/$name.rc.tmp"
    mv "$E2E_TMP/$name.rc.tmp" "$E2E_TMP/$name.rc"
  ) &
  E2E_PIDS+=($!)
  wait_until 5 test -s "$E2E_TMP/$name.pid" || fail "$name did not start"
  E2E_PIDS+=("$(cat "$E2E_TMP/$name.pid")")
}

program_pid() { cat "$E2E_TMP/$1.pid"; }
program_ended() { [ -f "$E2E_TMP/$1.rc" ]; }

# Waits up to $2 seconds for program $1 to end; prints its exit code, or
# "running" when it did not end in time.
exit_code() {
  if wait_until "$2" program_ended "$1"; then cat "$E2E_TMP/$1.rc"; else echo running; fi
}
