#pragma once
// The theme's synthesiser: a MIDI file, held in memory, played by our own
// sequencer into FluidSynth and from there into the mixer's music stream. The
// synthesiser works on the mixer's audio thread, on that thread alone, and
// loads from the sound font only the instruments the file plays.
//
// Its work is bounded whatever the file holds: a buffer takes at most so many
// events from the file and starts at most so many notes (see MidiSequence.h),
// and the synthesiser sounds at most so many voices. So the audio thread
// never holds the mixer for long, and stopping never waits on it.
#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/qt/MidiSequence.h"

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
  // One buffer of `frames` frames of 16-bit samples, `channels` a frame, as
  // the mixer takes it; silence once the music has ended or stopped.
  void Render(int16_t* out, int frames);

 private:
  static void Mix(void* self, unsigned char* stream, int length);
  void Send(const midi::Message& message);

  midi::Sequence sequence_;
  std::vector<midi::Message> due_;  // the messages of one step
  int frequency_ = 22050;
  int channels_ = 2;
  fluid_settings_t* settings_ = nullptr;
  fluid_synth_t* synth_ = nullptr;
  void (*ended_)() = nullptr;
  std::atomic<bool> sounding_{false};
};
