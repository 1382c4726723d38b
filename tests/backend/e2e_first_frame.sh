#!/bin/bash
# The show's black screen does not wait for the theme: with the sound font
# held back (a pipe nobody writes yet), "/s" still covers the screen in black
# and stays topmost while the theme loads; once the font is let through, the
# Introduction goes on with its titles.
# Usage: e2e_first_frame.sh <zentravo> <data folder>
set -u
BIN=$1
DATA=$2

. "$(dirname "$0")/../e2e/lib.sh"
# The patterned root: a window that has not painted does not look black.
e2e_setup "$DATA" 1024x768 -retro

TITLE1=100x10+462+322
reddest() { convert "$SHOT" -crop "$1" +repage -format '%[fx:maxima.r]' info:; }
title1_shows() { shoot && awk -v r="$(reddest $TITLE1)" 'BEGIN { exit !(r > 0.5) }'; }
screen_black() { shoot && [ "$(brightest)" = 0 ]; }

FONT=$E2E_TMP/font.sf2
mkfifo "$FONT"
export SDL_SOUNDFONTS=$FONT

shoot
[ "$(brightest)" != 0 ] || fail "the screen is black before the show"
start_program show "$BIN" /s
wait_until 10 screen_black || fail "the screen did not turn black while the sound font was held back"
WIN=$(xdotool search --onlyvisible --classname zentravo | head -1)
[ -n "$WIN" ] || fail "no show window"
xprop -id "$WIN" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE || fail "the show window is not topmost"
# Still loading the theme: the first title, due 3 s after it, stays away.
sleep 4
screen_black || fail "the screen did not stay black while the theme loaded"
program_ended show && fail "the show ended"

# Let the font through (empty: the theme cannot play), every time it is opened.
start_program writer timeout 30 bash -c "while :; do : >'$FONT'; done"
wait_until 10 title1_shows || fail "the Introduction did not go on once the font came"
xdotool key space
[ "$(exit_code show 10)" = 0 ] || fail "a key did not end the show with 0"
echo "-- all checks passed"
