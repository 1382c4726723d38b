#pragma once
// The theme's note list and its translation into a standard MIDI file.
//
// Note list format, one statement per line; '#' at the start of a word starts
// a comment:
//   tempo 132                                  beats per minute
//   track Lead channel 1 program 81 velocity 96   starts a track (GM numbers, 1-based)
//   C5:1 E5:1 G5+C6:2 r:2 |                    notes of the current track
//   *4 36+42:1 42:1                            the rest of the line played 4 times
// A note is a name with octave (C4 = middle C, sharps '#', flats 'b') or a MIDI
// number (drum keys), several joined by '+' sound together; r is a rest. The
// number after ':' is the length in eighth notes. '|' marks bars and is ignored.

#include <QByteArray>
#include <QString>
#include <vector>

struct ThemeNote {
    int start = 0;     // in ticks
    int length = 0;    // in ticks
    int key = 60;
};

struct ThemeTrack {
    QString name;
    int channel = 0;   // 0-based
    int program = 0;   // 0-based
    int velocity = 100;
    std::vector<ThemeNote> notes;
    int end = 0;       // ticks
};

struct Theme {
    int tempo = 120;
    std::vector<ThemeTrack> tracks;
};

constexpr int kTicksPerQuarter = 480;

// Parses the note list. On failure returns false and describes the problem.
bool ParseTheme(const QString& text, Theme& theme, QString& error);

// A format 1 standard MIDI file: a tempo track followed by one track per part.
QByteArray ThemeToMidi(const Theme& theme);

// Playing time of the longest track.
double ThemeSeconds(const Theme& theme);
