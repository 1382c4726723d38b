#!/bin/bash
# The preview on a real X server: a host window of our own passes its id with
# "/p" in hexadecimal; screenshots show the strip's frames
# centred in it, moving on every tick; destroying the host window ends the
# preview at once. Without a window to show in (the root window, an
# input-only window, one already gone) the preview ends at once; a huge host
# window costs no more memory than a small one.
# Usage: e2e_preview.sh <zentravo> <preview_host> <built data folder>
set -u
ZENTRAVO=$1
HOST=$2
DATA=$3

. "$(dirname "$0")/../e2e/lib.sh"
e2e_setup "$DATA"
DATADIR=$ZENTRAVO_WINDIR/Zentravo/Zorvik_The_Vexling

W=152 H=112 HX=10 HY=10        # the host window: size and place on the screen
PICX=26 PICY=18                # where a 100 x 75 frame is centred in it
HOST_AREA=${W}x${H}+${HX}+${HY}

# --- helpers ----------------------------------------------------------------
# Opens a host window as program $1 (of size $2 x $3, kind $4) and sets
# HOSTID; `feed $1` destroys the window.
start_host() {
  start_fed_program "$1" "$HOST" "${2:-$W}" "${3:-$H}" "${4:-}"
  HOSTID=$(first_line "$1")
  [ -n "$HOSTID" ] || fail "the host window did not open"
}

# "r g b" (0 to 255) of the last shot at x, y.
pixel() { convert "$SHOT" -crop "1x1+$1+$2" -depth 8 rgb:- | od -An -tu1 | xargs; }
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

# --- 1. a strip of solid colours: which frame, where, how fast -------------
args=()
for k in $(seq 0 19); do args+=("xc:rgb($((10 + 10 * k)),$((240 - 10 * k)),$(((37 * k) % 256)))"); done
convert -size 100x75 "${args[@]}" +append -type TrueColor "BMP3:$DATADIR/Z_Preview.bmp" ||
  fail "cannot write the test strip"

start_host host2
start_program strip "$ZENTRAVO" /p "$(printf '0x%x' "$HOSTID")"
sleep 0.5
first=-1 last=-1 advances=0 t_first=0 t_last=0
declare -A frames=()
for i in $(seq 16); do
  t=$(ms)
  shoot $HOST_AREA
  k=$(frame_of "$(pixel $((PICX + 50)) $((PICY + 37)))")
  (( k >= 0 )) || fail "shot $i: no frame of the strip in the middle ($(pixel $((PICX + 50)) $((PICY + 37))))"
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

# --- 2. the host destroys its window: the preview ends with 0 -------------
feed host2
HOSTID_GONE=$HOSTID
t0=$(ms)
rc=$(exit_code strip 1)
[ "$rc" != running ] || fail "the preview still runs one second after its host window went"
echo "ended $(( $(ms) - t0 )) ms after the host window went, exit code $rc"
[ "$rc" = 0 ] || fail "exit code $rc after the host window went"
program_ended host2 && fail "the host program itself ended"

# --- 3. no window to show in: the preview ends at once with 0 ----------------
ends_at_once() {
  local name=$1
  shift
  start_program "$name" "$ZENTRAVO" "$@"
  local rc
  rc=$(exit_code "$name" 3)
  [ "$rc" = 0 ] || fail "\"$*\": $rc (expected to end at once with 0)"
}
ROOT_ID=$(xwininfo -root | awk '/Window id:/ {print $4}')
start_host inputonly $W $H input-only
ends_at_once gone /p "$HOSTID_GONE"
ends_at_once root /p "$ROOT_ID"
ends_at_once inputonly /p "$HOSTID"
# A line of about 1.5 MB is read in one pass.
words=()
for i in $(seq 12); do words+=("$(head -c 120000 /dev/zero | tr '\0' 'x')"); done
ends_at_once long /p "${words[@]}" 0

# --- 4. a huge host window costs what a small one costs ----------------------
start_host huge 8000 8000
start_program huge_preview "$ZENTRAVO" /p "$HOSTID"
sleep 1.5
program_ended huge_preview && fail "the preview in a huge host ended by itself"
hwm=$(awk '/VmHWM/ {print $2}' "/proc/$(program_pid huge_preview)/status")
echo "peak memory with an 8000 x 8000 host: $hwm kB"
(( hwm < 120000 )) || fail "the preview in an 8000 x 8000 host peaked at $hwm kB"
feed huge
[ "$(exit_code huge_preview 3)" = 0 ] || fail "the huge host's preview did not end with its window"

echo "all checks passed"
