#pragma once
// The theme's synthesiser: a MIDI file played by FluidSynth into the mixer's
// music stream. The synthesiser works on the mixer's audio thread, on that
// thread alone, and loads from the sound font only the instruments the file
// plays.
#include <atomic>
#include <string>

typedef struct _fluid_hashtable_t fluid_settings_t;
typedef struct _fluid_synth_t fluid_synth_t;
typedef struct _fluid_player_t fluid_player_t;

class SynthMusic {
 public:
  SynthMusic() = default;
  ~SynthMusic();
  SynthMusic(const SynthMusic&) = delete;
  SynthMusic& operator=(const SynthMusic&) = delete;

  // A MIDI file and the sound fonts (a list separated by colons or
  // semicolons) for an open mixer of `frequency`; false if it cannot play.
  bool Open(const std::string& path, const std::string& fonts, int frequency, int channels);
  // Plays the file from its beginning; `ended` is called on the audio thread
  // once the last note has died away.
  bool Play(void (*ended)());
  // Stops at once; also before the mixer closes.
  void Stop();
  bool Sounding() const { return sounding_; }

 private:
  static void Mix(void* self, unsigned char* stream, int length);

  std::string path_;
  int channels_ = 2;
  fluid_settings_t* settings_ = nullptr;
  fluid_synth_t* synth_ = nullptr;
  fluid_player_t* player_ = nullptr;
  void (*ended_)() = nullptr;
  std::atomic<bool> sounding_{false};
};
