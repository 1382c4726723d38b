#pragma once
// The theme's synthesiser: a MIDI file, held in memory, played by our own
// sequencer into FluidSynth and from there into the mixer's music stream. The
// synthesiser works on the mixer's audio thread, on that thread alone, and
// loads from the sound font only the instruments the file plays.
//
// Its work is bounded whatever the file holds: a buffer takes at most so many
// events and starts at most so many notes, and the synthesiser sounds at most
// so many voices. Notes beyond that are dropped; other events wait for the
// next buffer. So the audio thread never holds the mixer for long, and
// stopping never waits on it.
#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

typedef struct _fluid_hashtable_t fluid_settings_t;
typedef struct _fluid_synth_t fluid_synth_t;

class SynthMusic {
 public:
  SynthMusic() = default;
  ~SynthMusic();
  SynthMusic(const SynthMusic&) = delete;
  SynthMusic& operator=(const SynthMusic&) = delete;

  // The bytes of a standard MIDI file and the sound fonts (a list separated
  // by colons or semicolons) for an open mixer of `frequency`; false if it
  // cannot play.
  bool Open(std::string midi, const std::string& fonts, int frequency, int channels);
  // Plays the file from its beginning; `ended` is called on the audio thread
  // once the last note has died away.
  bool Play(void (*ended)());
  // Stops at once; also before the mixer closes.
  void Stop();
  bool Sounding() const { return sounding_; }

 private:
  // One track of the file: where its next event lies and when it is due.
  struct Track {
    size_t begin = 0, at = 0, end = 0;
    double due = 0;      // in ticks from the start
    uint8_t status = 0;  // the running status
    bool done = false;
  };
  static void Mix(void* self, unsigned char* stream, int length);
  void Rewind();
  // Sends the events due by now, within this buffer's allowance.
  void Sequence(int& events, int& notes);
  void Send(Track& track, int& notes);
  void ReadDelta(Track& track);

  std::string midi_;
  std::vector<Track> tracks_;
  int division_ = 96;       // ticks a quarter note
  double now_ = 0;          // ticks played
  double tempo_ = 500000;   // microseconds a quarter note
  int frequency_ = 22050;
  int channels_ = 2;
  fluid_settings_t* settings_ = nullptr;
  fluid_synth_t* synth_ = nullptr;
  void (*ended_)() = nullptr;
  std::atomic<bool> sounding_{false};
};
