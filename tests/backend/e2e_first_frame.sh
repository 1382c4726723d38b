#!/bin/bash
# The show's start: its black screen, topmost, does not wait for the audio
# device (held back: SDL's disk output into a pipe nobody reads yet); without
# the sound module it plays silent, without the sound libraries; with its
# standard streams closed and a chatty Qt it plays and logs into no file. A
# key ends it with 0. With "idle": xautolock, which closes the streams itself,
# starts it after an idle minute.
# Usage: e2e_first_frame.sh <zentravo> <data folder> [idle]
set -u
BIN=$1
. "$(dirname "$0")/../e2e/lib.sh"
# The patterned root: a window that has not painted does not look black.
e2e_setup "$2" 1024x768 -retro

title1_shows() {
  shoot && awk -v r="$(convert "$SHOT" -crop 100x10+462+322 +repage -format '%[fx:maxima.r]' info:)" 'BEGIN { exit !(r > 0.5) }'
}
screen_black() { shoot && [ "$(brightest)" = 0 ]; }
key_ends() { xdotool key space; [ "$(exit_code "$1" 10)" = 0 ] || fail "a key did not end the show with 0"; }
# Qt's debug log and its warning for the missing runtime folder (made in our own).
chatty=(env -u XDG_RUNTIME_DIR TMPDIR="$E2E_TMP" QT_LOGGING_RULES='*.debug=true')

if [ "${3:-}" = idle ]; then
  echo "--- xautolock starts the show after an idle minute; a key ends it, the timer goes on"
  start_program timer "${chatty[@]}" xautolock -time 1 \
    -locker "'$BIN' /s; echo \$? >'$E2E_TMP/rc' && mv '$E2E_TMP/rc' '$E2E_TMP/show.rc'"
  wait_until 90 screen_black || fail "the idle timer started no show"
  wait_until 10 title1_shows || fail "the show started by the idle timer drew no title"
  key_ends show
  program_ended timer && fail "the idle timer ended"
  echo "-- all checks passed"
  exit 0
fi

echo "--- the black screen does not wait for the theme"
OUTPUT=$E2E_TMP/audio.raw
mkfifo "$OUTPUT"
shoot
[ "$(brightest)" != 0 ] || fail "the screen is black before the show"
SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=$OUTPUT start_program show "$BIN" /s
wait_until 10 screen_black || fail "the screen did not turn black while the audio device was held back"
# Its main thread waits for the pipe's reader (as the kernel names the wait).
held() { grep -qs wait_for_partner "/proc/$(program_pid show)/wchan" "/proc/$(program_pid show)/stack"; }
wait_until 10 held || fail "the show did not open the audio device"
WIN=$(xdotool search --onlyvisible --classname zentravo | head -1)
xprop -id "${WIN:-0}" _NET_WM_STATE 2>/dev/null | grep -q _NET_WM_STATE_ABOVE || fail "no topmost show window"
start_program reader timeout 60 bash -c "cat '$OUTPUT' >/dev/null"
wait_until 10 title1_shows || fail "the Introduction did not go on once the device opened"
key_ends show

echo "--- without the sound module the show plays silent"
mkdir "$E2E_TMP/bin"
cp "$BIN" "$E2E_TMP/bin/"
start_program silent "$E2E_TMP/bin/${BIN##*/}" /s
wait_until 10 screen_black || fail "the show did not cover the screen in black"
wait_until 10 title1_shows || fail "the Introduction did not go on without the sound module"
program_ended silent && fail "the show ended"
grep -qiE 'zentravo_sound|libSDL2' "/proc/$(program_pid silent)/maps" && fail "sound libraries were loaded"
key_ends silent

echo "--- with its standard streams closed the show plays and logs into no file"
files=$(find "$ZENTRAVO_WINDIR" -type f | sort)
for streams in '>&- 2>&-' '<&- >&- 2>&-'; do
  start_program closed "${chatty[@]}" bash -c "exec \"\$0\" /s $streams" "$BIN"
  wait_until 10 screen_black && wait_until 10 title1_shows || fail "$streams: the Introduction did not come"
  key_ends closed
done
[ "$(find "$ZENTRAVO_WINDIR" -type f | sort)" = "$files" ] || fail "files came into the settings folder"
grep -rqvE --exclude-dir=Zorvik_The_Vexling '^(\[[^]]*\]|[A-Za-z0-9_]+=.*|)$' "$ZENTRAVO_WINDIR" &&
  fail "a line that is no setting in the settings folder"
echo "-- all checks passed"
