#pragma once
// Effects and theme music, as the sound module plays them. The module alone
// brings in the sound libraries, so that they load at the first sound and not
// before the program's first frame; the program reaches it through
// `MakeSoundPlayer`, a plain C function of the module.
#include <string>

class SoundPlayer {
 public:
  virtual ~SoundPlayer() = default;
  // A WAV file's bytes; `name` tells one effect from another.
  virtual bool PlayEffect(const std::string& name, const std::string& wave) = 0;
  // A standard MIDI file's bytes.
  virtual bool MusicOpen(const std::string& midi) = 0;
  virtual bool MusicPlay() = 0;
  virtual bool MusicPlaying() = 0;
  virtual void MusicStop() = 0;
  virtual void MusicClose() = 0;
  // Stops all sound and closes the device before the process ends.
  virtual void Shutdown() = 0;
};

// The module's one entry point: a new player, which the caller owns.
extern "C" SoundPlayer* MakeSoundPlayer();
using MakeSoundPlayerFunction = SoundPlayer* (*)();
constexpr const char* kMakeSoundPlayer = "MakeSoundPlayer";
