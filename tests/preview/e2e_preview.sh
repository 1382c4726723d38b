#!/bin/bash
# The preview on a real X server: a host window of our own passes its id with
# "/p"; screenshots show the strip's frames centred in it, moving on every
# tick; destroying the host window ends the preview at once, and so does a
# host window that was gone before the start. "/p" alone runs unseen until it
# is killed.
# Usage: e2e_preview.sh <zentravo> <preview_host> <built data folder>
set -u
ZENTRAVO=$1
HOST=$2
DATA=$3

W=152 H=112 HX=10 HY=10        # the host window: size and place on the screen
PICX=26 PICY=18                # where a 100 x 75 frame is centred in it
FAILS=0

work=$(mktemp -d /tmp/zentravo-e2e-preview.XXXXXX)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "FAIL: $*"; FAILS=$((FAILS + 1)); }
ms() { echo $(( $(date +%s%N) / 1000000 )); }

# --- a private X server -----------------------------------------------------
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
[ -s "$work/display" ] || { echo "Xvfb did not start"; cat "$work/xvfb.log"; exit 1; }
export DISPLAY=":$(head -1 "$work/display")"
export QT_QPA_PLATFORM=xcb
export XDG_RUNTIME_DIR="$work/xdg" && mkdir -m 700 "$XDG_RUNTIME_DIR"
export ZENTRAVO_WINDIR="$work/win"
datadir="$ZENTRAVO_WINDIR/Zentravo/Zorvik_The_Vexling"
mkdir -p "$datadir"
[ -d "$DATA" ] && cp -r "$DATA"/. "$datadir"/

# --- helpers ----------------------------------------------------------------
# Starts a host window; sets HOSTID, HOSTPID and HOSTFD (a line on it destroys the window).
start_host() {
  rm -f "$work/hostin" && mkfifo "$work/hostin"
  exec {HOSTFD}<>"$work/hostin"
  "$HOST" $W $H <"$work/hostin" >"$work/host.out" 2>&1 &
  HOSTPID=$!
  pids+=($HOSTPID)
  for _ in $(seq 100); do [ -s "$work/host.out" ] && break; sleep 0.02; done
  HOSTID=$(head -1 "$work/host.out")
  [ -n "$HOSTID" ] || { echo "the host window did not open"; exit 1; }
}

# Grabs the host's area of the screen into $work/shot.rgb (raw 8-bit RGB).
shot() { import -window root -crop ${W}x${H}+${HX}+${HY} +repage -depth 8 "rgb:$work/shot.rgb"; }
# "r g b" of the last shot at x, y.
pixel() { od -An -tu1 -v -j $(( ($2 * W + $1) * 3 )) -N3 "$work/shot.rgb" | xargs; }
# The largest channel value over a rectangle of the last shot (0: all black).
brightest() {
  convert -size ${W}x${H} -depth 8 "rgb:$work/shot.rgb" -crop "$1" +repage -format "%[max]" info:
}
# The strip's frame with the colour "r g b", or -1.
frame_of() {
  local r g b k
  read -r r g b <<<"$1"
  k=$(( (r - 10) / 10 ))
  if (( k >= 0 && k < 20 && r == 10 + 10 * k && g == 240 - 10 * k && b == (37 * k) % 256 )); then
    echo $k
  else
    echo -1
  fi
}
outside_is_black() {
  local x2=$((PICX + 100)) y2=$((PICY + 75))
  [ "$(brightest ${W}x${PICY}+0+0)" = 0 ] && [ "$(brightest ${W}x$((H - y2))+0+$y2)" = 0 ] &&
    [ "$(brightest ${PICX}x${H}+0+0)" = 0 ] && [ "$(brightest $((W - x2))x${H}+$x2+0)" = 0 ]
}
# Waits up to $2 ms for process $1 to end; true when it did.
ends_within() {
  local until=$(( $(ms) + $2 ))
  while (( $(ms) < until )); do
    local state
    state=$(awk '{print $3}' "/proc/$1/stat" 2>/dev/null)
    [ -z "$state" ] || [ "$state" = Z ] && return 0
    sleep 0.01
  done
  return 1
}

# --- 1. the strip as built: frames change inside the centred box ------------
if [ -s "$datadir/Z_Preview.bmp" ]; then
  start_host
  "$ZENTRAVO" /p "$HOSTID" >"$work/pv1.out" 2>&1 &
  pv=$!
  pids+=($pv)
  sleep 0.6
  declare -A seen=()
  for i in $(seq 8); do
    shot
    outside_is_black || fail "built strip: something drawn outside the centred frame (shot $i)"
    seen[$(convert -size ${W}x${H} -depth 8 "rgb:$work/shot.rgb" -crop 100x75+$PICX+$PICY +repage rgb:- | md5sum)]=1
    sleep 0.12
  done
  (( ${#seen[@]} >= 3 )) || fail "built strip: only ${#seen[@]} different pictures in 8 shots"
  kill $pv 2>/dev/null; wait $pv 2>/dev/null
  echo x >&$HOSTFD
fi

# --- 2. a strip of solid colours: which frame, where, how fast -------------
args=()
for k in $(seq 0 19); do args+=("xc:rgb($((10 + 10 * k)),$((240 - 10 * k)),$(((37 * k) % 256)))"); done
convert -size 100x75 "${args[@]}" +append -type TrueColor "BMP3:$datadir/Z_Preview.bmp" ||
  { echo "cannot write the test strip"; exit 1; }

start_host
"$ZENTRAVO" /p "$HOSTID" >"$work/pv2.out" 2>&1 &
pv=$!
pids+=($pv)
sleep 0.5
first=-1 last=-1 advances=0 t_first=0 t_last=0 distinct=0
declare -A frames=()
for i in $(seq 16); do
  t=$(ms)
  shot
  k=$(frame_of "$(pixel $((PICX + 50)) $((PICY + 37)))")
  if (( k < 0 )); then fail "shot $i: no frame of the strip in the middle ($(pixel 76 55))"; continue; fi
  [ "$(frame_of "$(pixel $PICX $PICY)")" = $k ] && [ "$(frame_of "$(pixel $((PICX + 99)) $((PICY + 74)))")" = $k ] ||
    fail "shot $i: frame $k does not fill its 100 x 75 box at $PICX, $PICY"
  outside_is_black || fail "shot $i: the window is not black around the frame"
  frames[$k]=1
  if (( first < 0 )); then
    first=$k t_first=$t
  else
    step=$(( (k - last + 20) % 20 ))
    (( step <= 5 )) || fail "shot $i: frame $last then $k is not the strip's order"
    advances=$((advances + step))
  fi
  last=$k t_last=$t
  sleep 0.1
done
(( ${#frames[@]} >= 5 )) || fail "only ${#frames[@]} different frames in 16 shots"
# About one frame per 170 ms; generous bounds, the shots themselves take time.
elapsed=$((t_last - t_first))
expected=$((elapsed / 170))
(( advances * 10 >= expected * 7 && advances * 10 <= expected * 13 + 10 )) ||
  fail "$advances frame changes in $elapsed ms (expected about $expected)"
echo "frames seen: ${!frames[*]}; $advances changes in $elapsed ms"

# --- 3. the host destroys its window: the preview ends with 0 -------------
echo x >&$HOSTFD
t0=$(ms)
if ends_within $pv 1000; then
  wait $pv
  rc=$?
  echo "ended $(( $(ms) - t0 )) ms after the host window went, exit code $rc"
  [ $rc = 0 ] || fail "exit code $rc after the host window went"
else
  fail "the preview still runs one second after its host window went"
fi
kill -0 $HOSTPID 2>/dev/null || fail "the host program itself ended"

# A host window that is gone before the preview starts: nothing to outlive.
"$ZENTRAVO" /p "$HOSTID" >"$work/pv3.out" 2>&1 &
pv=$!
pids+=($pv)
if ends_within $pv 3000; then
  wait $pv
  rc=$?
  [ $rc = 0 ] || fail "exit code $rc with a host window already gone"
else
  fail "the preview runs on for a host window that was already gone"
fi

# --- 4. "/p" alone runs unseen and ends when killed --------------------------
"$ZENTRAVO" /p >"$work/pv4.out" 2>&1 &
pv=$!
pids+=($pv)
sleep 1
if kill -0 $pv 2>/dev/null; then
  if xwininfo -root -tree | grep -q '"Preview"'; then
    id=$(xwininfo -root -tree | awk '/"Preview"/{print $1; exit}')
    xwininfo -id "$id" | grep -q IsViewable && fail '"/p" alone shows a window'
  fi
  kill -TERM $pv
  wait $pv
  rc=$?
  [ $rc = 143 ] || fail "\"/p\" alone ended with $rc on SIGTERM (expected 143)"
else
  wait $pv
  fail "\"/p\" alone ended by itself with $?"
fi

for f in "$work"/pv*.out; do
  [ -s "$f" ] && { echo "--- $(basename "$f"):"; cat "$f"; }
done
if (( FAILS > 0 )); then
  echo "$FAILS check(s) failed"
  exit 1
fi
echo "all checks passed"
