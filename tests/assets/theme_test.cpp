#include "data_files.h"
#include "midi.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

uint32_t ReadVar(const std::vector<uint8_t>& b, size_t& at, size_t end)
{
    uint32_t v = 0;
    for (int i = 0; i < 4 && at < end; ++i) {
        const uint8_t c = b[at++];
        v = (v << 7) | (c & 0x7f);
        if (!(c & 0x80)) {
            return v;
        }
    }
    throw std::runtime_error("bad variable-length number");
}

struct MidiSummary {
    int format = -1;
    int tracks = 0;
    int noteOns = 0;
    int drumNotes = 0;
    double seconds = 0;
};

// A small standard MIDI file reader: checks the chunk structure, that every
// track ends with exactly one end-of-track event, and times the tune.
MidiSummary ReadMidi(const std::vector<uint8_t>& b)
{
    MidiSummary s;
    if (b.size() < 14 || std::string(b.begin(), b.begin() + 4) != "MThd" || BE32(b, 4) != 6) {
        throw std::runtime_error("no MThd header");
    }
    s.format = BE16(b, 8);
    const int declared = BE16(b, 10);
    const int division = BE16(b, 12);
    if (division & 0x8000) {
        throw std::runtime_error("SMPTE timing not expected");
    }
    uint32_t tempo = 500000;
    uint64_t longest = 0;
    size_t at = 14;
    while (at < b.size()) {
        if (at + 8 > b.size() || std::string(b.begin() + at, b.begin() + at + 4) != "MTrk") {
            throw std::runtime_error("expected MTrk");
        }
        const size_t end = at + 8 + BE32(b, at + 4);
        if (end > b.size()) {
            throw std::runtime_error("track runs past the file");
        }
        at += 8;
        uint64_t ticks = 0;
        uint8_t status = 0;
        bool ended = false;
        while (at < end) {
            if (ended) {
                throw std::runtime_error("events after end of track");
            }
            ticks += ReadVar(b, at, end);
            if (b[at] & 0x80) {
                status = b[at++];
            } else if (status == 0) {
                throw std::runtime_error("running status without status");
            }
            if (status == 0xff) {
                const uint8_t type = b[at++];
                const uint32_t len = ReadVar(b, at, end);
                if (type == 0x51 && len == 3) {
                    tempo = uint32_t(b[at]) << 16 | uint32_t(b[at + 1]) << 8 | b[at + 2];
                }
                ended = type == 0x2f;
                at += len;
                status = 0;
            } else if (status == 0xf0 || status == 0xf7) {
                at += ReadVar(b, at, end);
            } else {
                const int kind = status & 0xf0;
                const int dataBytes = (kind == 0xc0 || kind == 0xd0) ? 1 : 2;
                if (kind == 0x90 && b[at + 1] > 0) {
                    ++s.noteOns;
                    if ((status & 0x0f) == 9) {
                        ++s.drumNotes;
                    }
                }
                at += dataBytes;
            }
        }
        if (at != end || !ended) {
            throw std::runtime_error("track without a proper end");
        }
        longest = std::max(longest, ticks);
        ++s.tracks;
    }
    if (s.tracks != declared) {
        throw std::runtime_error("track count differs from the header");
    }
    s.seconds = double(longest) / division * tempo / 1e6;
    return s;
}

TEST(Theme, MidiFileIsWellFormedAndAbout20To25Seconds)
{
    const std::vector<uint8_t> b = ReadFileBytes(DataPath("z_wumble.mid"));
    MidiSummary s;
    ASSERT_NO_THROW(s = ReadMidi(b));
    EXPECT_TRUE(s.format == 0 || s.format == 1);
    EXPECT_GE(s.tracks, 2);
    EXPECT_GT(s.noteOns, 100);
    EXPECT_GT(s.drumNotes, 0);
    EXPECT_GE(s.seconds, 20.0);
    EXPECT_LE(s.seconds, 25.0);
}

TEST(ThemeNotes, ParsesNamesChordsRestsAndRepeats)
{
    Theme theme;
    QString error;
    ASSERT_TRUE(ParseTheme(QStringLiteral("tempo 100\ntrack A channel 10 program 1 velocity 50\n"
                                          "C4:2 r:1 | F#4+Bb4:1 # comment\n*3 36:0.5\n"),
                           theme, error))
        << error.toStdString();
    ASSERT_EQ(theme.tracks.size(), 1u);
    const ThemeTrack& t = theme.tracks[0];
    EXPECT_EQ(t.channel, 9);
    EXPECT_EQ(t.velocity, 50);
    // key, start, length: C4 for a quarter, a rest, F#4 and Bb4 together, then 36 three times.
    std::vector<std::tuple<int, int, int>> notes;
    for (const ThemeNote& n : t.notes) {
        notes.emplace_back(n.key, n.start, n.length);
    }
    EXPECT_EQ(notes, (std::vector<std::tuple<int, int, int>>{
                         {60, 0, 480}, {66, 720, 240}, {70, 720, 240}, {36, 960, 120}, {36, 1080, 120}, {36, 1200, 120}}));
    EXPECT_EQ(t.end, 960 + 360);
}

TEST(ThemeNotes, RejectsMistakes)
{
    const char* bad[] = {
        "C4:1",                                  // notes before any track
        "track A\nH4:1",                         // no such note
        "track A\nC4",                           // no length
        "track A\nC4:0",                         // zero length
        "track A channel 17",                    // no such channel
        "track A\nC99:1",                        // out of range
        "tempo 0\ntrack A\nC4:1",
        "",
    };
    for (const char* text : bad) {
        Theme theme;
        QString error;
        EXPECT_FALSE(ParseTheme(QString::fromLatin1(text), theme, error)) << text;
        EXPECT_FALSE(error.isEmpty()) << text;
    }
}

TEST(Theme, RendersToSoundThroughTheSynthesiser)
{
    char path[] = "/tmp/zentravo_theme_XXXXXX";
    const int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    close(fd);
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", path, 1);
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0) << SDL_GetError();
    ASSERT_EQ(Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 2048), 0) << Mix_GetError();
    Mix_SetSoundFonts("/usr/share/sounds/sf2/TimGM6mb.sf2");
    Mix_Music* music = Mix_LoadMUS(DataPath("z_wumble.mid").c_str());
    ASSERT_NE(music, nullptr) << Mix_GetError();
    ASSERT_EQ(Mix_PlayMusic(music, 0), 0) << Mix_GetError();
    SDL_Delay(1500);
    Mix_HaltMusic();
    Mix_FreeMusic(music);
    Mix_CloseAudio();
    SDL_Quit();

    const std::vector<uint8_t> raw = ReadFileBytes(path);
    std::remove(path);
    ASSERT_GT(raw.size(), 44100u);  // at least a quarter second of stereo samples
    int loud = 0;
    for (size_t i = 0; i + 1 < raw.size(); i += 2) {
        if (std::abs(int(int16_t(LE16(raw, i)))) > 1000) {
            ++loud;
        }
    }
    EXPECT_GT(loud, 1000);
}

}  // namespace
